#pragma once

// The maker's About window: the program's title, version and description, the maker's notice,
// icons of the maker's other programs and the books panel. Every icon and link opens a page of
// the maker's web site through web::openAddress.

#include <QDialog>
#include <QList>
#include <QString>

class QGroupBox;
class QLabel;
class QPushButton;

namespace wexlo {

class AboutDialog : public QDialog {
    Q_OBJECT

public:
    struct Product {
        QString name;
        QString page;         // page on the maker's web site ("tool.html") or a full address
        QString description;  // one line; may be empty
    };

    // The maker's products from the build configuration.
    explicit AboutDialog(QWidget* mainWindow);
    AboutDialog(QWidget* mainWindow, const QList<Product>& products);

    // "name|page[|description];name|page..." as WEXLO_MAKER_PRODUCTS holds it; entries without
    // a name or a page are left out.
    static QList<Product> parseProducts(const QString& list);

    // The products' icons in their order, for the tests' fixtures.
    const QList<QLabel*>& productIcons() const { return productIcons_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void fillTexts(QWidget* mainWindow);
    void placeProductIcons();
    void showProductHint(int index);
    void openProductPage(int index);
    void openBookPage();
    void openPadFilesPage();
    void clearHint();

    QString siteAddress(const QString& page) const;

    QGroupBox* versionBox_ = nullptr;
    QLabel* versionLabel_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QLabel* advertLabel_ = nullptr;
    QGroupBox* productsBox_ = nullptr;
    QList<QLabel*> productIcons_;
    QLabel* hintLabel_ = nullptr;
    QLabel* webmastersLabel_ = nullptr;
    QLabel* padFilesLink_ = nullptr;
    QGroupBox* booksBox_ = nullptr;
    QLabel* coversLabel_ = nullptr;
    QLabel* booksLabel_ = nullptr;
    QLabel* coverHintLabel_ = nullptr;
    QList<QLabel*> bookCovers_;
};

}  // namespace wexlo
