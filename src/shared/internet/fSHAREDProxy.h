#pragma once

// The proxy dialog: how the program's transfers reach the web (the system's configuration,
// no proxy, or a proxy entered by hand). It only reads and writes the five proxy settings.

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace wexlo {

class fSHAREDProxy : public QDialog {
    Q_OBJECT

public:
    explicit fSHAREDProxy(QWidget* parent = nullptr);

    QRadioButton* optNamed = nullptr;
    QRadioButton* optDefault = nullptr;
    QRadioButton* optNoProxy = nullptr;
    QPushButton* cmdHelp = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* txtServer = nullptr;
    QLineEdit* txtPort = nullptr;
    QLineEdit* txtPassword = nullptr;
    QLineEdit* txtUser = nullptr;
    QLineEdit* txtPassword2 = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdOK = nullptr;

private:
    void Form_Load();
    void optNamed_Click();
    void optDefault_Click();
    void optNoProxy_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();
};

}  // namespace wexlo
