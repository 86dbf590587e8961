#pragma once

// The maker's About window: the program's title, version and description, the maker's notice,
// icons of the maker's other programs and the books panel. Every icon and link opens a page of
// the maker's web site through websitevisit.

#include <QDialog>
#include <QList>
#include <QString>

class QGroupBox;
class QLabel;
class QPushButton;

namespace wexlo {

class fSHAREDAbout : public QDialog {
    Q_OBJECT

public:
    struct Product {
        QString name;
        QString page;         // page on the maker's web site ("tool.html") or a full address
        QString description;  // one line; may be empty
    };

    // The maker's products from the build configuration.
    explicit fSHAREDAbout(QWidget* mainWindow);
    fSHAREDAbout(QWidget* mainWindow, const QList<Product>& products);

    // "name|page[|description];name|page..." as WEXLO_MAKER_PRODUCTS holds it; entries without
    // a name or a page are left out.
    static QList<Product> parseProducts(const QString& list);

    QGroupBox* Frame1 = nullptr;
    QLabel* lblversion = nullptr;
    QPushButton* cmdExit = nullptr;
    QLabel* lblAdvert = nullptr;
    QGroupBox* Frame2 = nullptr;  // the icons' frame
    QList<QLabel*> Image1;
    QLabel* lblAbout = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblPadFiles = nullptr;
    QGroupBox* Frame3 = nullptr;
    QLabel* lblCovers = nullptr;
    QLabel* lblBooks = nullptr;
    QLabel* lblAbout2 = nullptr;
    QList<QLabel*> Image2;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void Form_Load(QWidget* mainWindow);
    void Image1_MouseMove(int index);
    void Image1_Click(int index);
    void Image2_Click(int index);
    void lblPadFiles_Click();
    void cmdExit_Click();
    void clearHint();

    QString siteAddress(const QString& page) const;
};

}  // namespace wexlo
