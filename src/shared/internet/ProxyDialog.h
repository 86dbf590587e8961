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

class ProxyDialog : public QDialog {
    Q_OBJECT

public:
    explicit ProxyDialog(QWidget* parent = nullptr);

private:
    void loadSettings();
    void showManualSettings();
    void hideManualSettings();
    void saveSettings();
    void cancel();
    void showHelp();

    QRadioButton* manualOption_ = nullptr;
    QRadioButton* systemOption_ = nullptr;
    QRadioButton* noProxyOption_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    QGroupBox* settingsFrame_ = nullptr;
    QLabel* serverCaption_ = nullptr;
    QLabel* portCaption_ = nullptr;
    QLabel* passwordCaption_ = nullptr;
    QLabel* userCaption_ = nullptr;
    QLabel* repeatCaption_ = nullptr;
    QLineEdit* serverEdit_ = nullptr;
    QLineEdit* portEdit_ = nullptr;
    QLineEdit* passwordEdit_ = nullptr;
    QLineEdit* userEdit_ = nullptr;
    QLineEdit* repeatPasswordEdit_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

}  // namespace wexlo
