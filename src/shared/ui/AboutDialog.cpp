#include "shared/ui/AboutDialog.h"

#include "platform/ControlTable.h"
#include "platform/Platform.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/util/Pointer.h"
#include "shared/util/ProgramInfo.h"
#include "shared/util/Text.h"
#include "shared/util/Web.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

#include <cmath>

namespace wexlo {

using platform::twips;

namespace {

using text::u8;

// The names the log shows for this window's handlers.
namespace logname {
const QString kModule = QStringLiteral("fSHAREDAbout");
const QString kIconHover = QStringLiteral("image1_mousemove");
const QString kIconClick = QStringLiteral("image1_click");
const QString kCoverClick = QStringLiteral("image2_click");
const QString kPadFilesClick = QStringLiteral("lblpadfiles_click");
const QString kExitClick = QStringLiteral("cmdexit_click");
}  // namespace logname
const QString kBookPage = QStringLiteral("booknotify.html");

constexpr int kColumns = 8;
constexpr int kRows = 2;
constexpr int kIconTwips = 480;

constexpr int kProductsWidth = 6960;  // the icons are spread across it
constexpr int kFormWidth = 7200;
constexpr int kFormHeight = 5700;

QLabel* link(QLabel* l)
{
    l->setCursor(Qt::PointingHandCursor);
    QFont f = l->font();
    f.setUnderline(true);
    l->setFont(f);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, pal.color(QPalette::Link));
    l->setPalette(pal);
    return l;
}

// Our own icon for a product: a rounded tile in a colour of its name with its initial.
QPixmap productIcon(const QString& name, int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor base = QColor::fromHsv(static_cast<int>(qHash(name) % 360), 150, 190);
    QLinearGradient g(0, 0, 0, size);
    g.setColorAt(0, base.lighter(130));
    g.setColorAt(1, base.darker(120));
    p.setBrush(g);
    p.setPen(QPen(base.darker(160), 1));
    p.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size / 5.0, size / 5.0);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(size * 11 / 20);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, name.left(1).toUpper());
    return pm;
}

// Our own cover for one of the author's books.
QPixmap bookCover(int index, QSize size)
{
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor base = index == 0 ? QColor(0x2a, 0x5d, 0x8f) : QColor(0x9b, 0x3b, 0x2f);
    const QRectF r(0.5, 0.5, size.width() - 1, size.height() - 1);
    p.setPen(QPen(base.darker(170), 1));
    p.setBrush(base);
    p.drawRoundedRect(r, 2, 2);
    p.fillRect(QRectF(r.left() + 1, r.top() + 1, size.width() / 8.0, r.height() - 2),
               base.darker(140));
    p.setPen(QPen(QColor(0xf1, 0xc4, 0x0f), 2));
    const double x0 = size.width() * 0.28, x1 = size.width() * 0.85;
    p.drawLine(QPointF(x0, size.height() * 0.22), QPointF(x1, size.height() * 0.22));
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.5));
    p.drawLine(QPointF(x0, size.height() * 0.32), QPointF(x1 - 6, size.height() * 0.32));
    p.drawLine(QPointF(x0, size.height() * 0.38), QPointF(x1 - 12, size.height() * 0.38));
    p.setBrush(QColor(255, 255, 255, 60));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(size.width() * 0.58, size.height() * 0.68), size.width() * 0.2,
                  size.width() * 0.2);
    return pm;
}

}  // namespace

AboutDialog::AboutDialog(QWidget* mainWindow)
    : AboutDialog(mainWindow, parseProducts(programInfo().makerProducts))
{
}

AboutDialog::AboutDialog(QWidget* mainWindow, const QList<Product>& products) : QDialog(mainWindow)
{
    setObjectName(QStringLiteral("aboutDialog"));
    setFixedSize(twips(kFormWidth), twips(kFormHeight));
    setMouseTracking(true);

    versionBox_ = new QGroupBox(this);
    versionLabel_ = new QLabel(versionBox_);
    exitButton_ = new QPushButton(versionBox_);
    advertLabel_ = new QLabel(this);
    productsBox_ = new QGroupBox(this);
    hintLabel_ = new QLabel(this);
    webmastersLabel_ = new QLabel(this);
    padFilesLink_ = new QLabel(this);
    booksBox_ = new QGroupBox(this);
    coversLabel_ = new QLabel(booksBox_);
    booksLabel_ = new QLabel(booksBox_);
    coverHintLabel_ = new QLabel(booksBox_);
    bookCovers_ = {new QLabel(booksBox_), new QLabel(booksBox_)};

    // The labels have no accessible names of their own: each is read by the text it shows.
    platform::layOut({
        {versionBox_, "versionBox", nullptr, {120, 60, 6960, 960}},
        {versionLabel_, "versionLabel", nullptr, {240, 360, 5200, 420}},
        {exitButton_,
         "exitButton",
         u8(tr("Exit", "closes this window")),
         {5640, 330, 1100, 450},
         nullptr,
         u8(tr("Exit", "closes this window"))},
        {advertLabel_, "advertLabel", nullptr, {120, 1140, 6960, 300}},
        {productsBox_, "productsBox", nullptr, {120, 1440, kProductsWidth, 1780}},
        {hintLabel_,
         "hintLabel",
         u8(tr("Hover the mouse over icons for details. Click icons to open in your browser.")),
         {120, 3300, 6960, 300}},
        {webmastersLabel_,
         "webmastersLabel",
         u8(tr("Webmasters:")),
         {120, 3660, 1200, 300},
         nullptr,
         nullptr,
         padFilesLink_},
        {padFilesLink_,
         "padFilesLink",
         u8(tr("Get PAD files for all my software here")),
         {1320, 3660, 4200, 300}},
        {booksBox_, "booksBox", nullptr, {120, 4020, 6960, 1560}},
        {coversLabel_,
         "coversLabel",
         u8(tr("Click the covers for your chance to win a copy -->")),
         {240, 300, 4860, 300}},
        {booksLabel_, "booksLabel", nullptr, {240, 660, 4860, 300}},
        {coverHintLabel_,
         "coverHintLabel",
         u8(tr("Click a cover to open its page in your browser.")),
         {240, 1020, 4860, 300}},
        {bookCovers_[0], "bookCover0", nullptr, {5160, 240, 780, 1200}, nullptr, u8(tr("Book 1"))},
        {bookCovers_[1], "bookCover1", nullptr, {6060, 240, 780, 1200}, nullptr, u8(tr("Book 2"))},
    });
    // The maker's name comes from the program that shows the box.
    advertLabel_->setText(
        tr("Try these other free programs from %1:").arg(programInfo().makerName));
    booksLabel_->setText(tr("Books by the author of %1's programs").arg(programInfo().makerName));
    text::widenCaptions({{webmastersLabel_, padFilesLink_}});
    exitButton_->setDefault(true);
    link(padFilesLink_);
    padFilesLink_->installEventFilter(this);
    booksBox_->setMouseTracking(true);
    booksBox_->installEventFilter(this);
    for (int index = 0; index < bookCovers_.size(); ++index) {
        QLabel* cover = bookCovers_.at(index);
        cover->setPixmap(bookCover(index, cover->size()));
        cover->setCursor(Qt::PointingHandCursor);
        cover->installEventFilter(this);
    }

    const int iconSize = twips(kIconTwips);
    const qsizetype count = std::min<qsizetype>(products.size(), kColumns * kRows);
    for (qsizetype i = 0; i < count; ++i) {
        const Product& product = products.at(i);
        auto* icon = new QLabel(productsBox_);
        icon->setObjectName(QStringLiteral("productIcon%1").arg(i));
        icon->resize(iconSize, iconSize);
        icon->setPixmap(productIcon(product.name, iconSize));
        icon->setProperty("page", product.page);
        const QString tip = product.description.isEmpty()
                                ? product.name
                                : product.name + QStringLiteral(" - ") + product.description;
        icon->setToolTip(tip);
        icon->setAccessibleName(product.name);
        icon->setCursor(Qt::PointingHandCursor);
        icon->setMouseTracking(true);
        icon->installEventFilter(this);
        productIcons_.append(icon);
    }
    // Without products the invitation, its frame and its hint would stand empty.
    for (QWidget* w : std::initializer_list<QWidget*>{advertLabel_, productsBox_, hintLabel_})
        w->setVisible(!productIcons_.isEmpty());

    connectGuarded(exitButton_, &QPushButton::clicked, this, &QDialog::accept, logname::kExitClick,
                   logname::kModule);

    fillTexts(mainWindow);
    placeProductIcons();
}

QList<AboutDialog::Product> AboutDialog::parseProducts(const QString& list)
{
    QList<Product> products;
    for (const QString& entry : list.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList fields = entry.split(QLatin1Char('|'));
        Product p;
        p.name = fields.value(0).trimmed();
        p.page = fields.value(1).trimmed();
        p.description = fields.value(2).trimmed();
        if (!p.name.isEmpty() && !p.page.isEmpty())
            products.append(p);
    }
    return products;
}

void AboutDialog::fillTexts(QWidget* mainWindow)
{
    setWindowTitle(QStringLiteral("(c)") +
                   platform::clock().today().toString(QStringLiteral("yyyy")) + QLatin1Char(' ') +
                   programInfo().makerName);
    if (mainWindow != nullptr)
        setWindowIcon(mainWindow->windowIcon());
    versionLabel_->setText(programTitle() + QLatin1Char(' ') + programVersion() +
                           QStringLiteral(" (") + programInfo().description + QLatin1Char(')'));
}

// The icons in 8 columns of 2, column by column, all spaced by the size of the first.
void AboutDialog::placeProductIcons()
{
    const int iconWidth = kIconTwips;
    const int iconHeight = kIconTwips;
    const double gap = (kProductsWidth - kColumns * iconWidth - 500) / double(kColumns);
    double left = 380;
    for (int c = 0; c < kColumns; ++c) {
        int top = 520;
        for (int r = 0; r < kRows; ++r) {
            const int index = c * kRows + r;
            if (index >= productIcons_.size())
                return;
            productIcons_.at(index)->move(twips(static_cast<int>(std::lround(left))), twips(top));
            top += iconHeight + 100;
        }
        left += iconWidth + gap;
    }
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    const bool release = type == QEvent::MouseButtonRelease &&
                         static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    const bool hover = type == QEvent::MouseMove || type == QEvent::Enter;

    if (const int i = static_cast<int>(productIcons_.indexOf(watched)); i >= 0) {
        if (hover)
            showProductHint(i);
        else if (release)
            openProductPage(i);
    } else if (const int j = static_cast<int>(bookCovers_.indexOf(watched)); j >= 0) {
        if (release)
            openBookPage();
    } else if (watched == padFilesLink_) {
        if (release)
            openPadFilesPage();
    } else if (watched == booksBox_ && hover) {
        clearHint();
    }
    return QDialog::eventFilter(watched, event);
}

void AboutDialog::mouseMoveEvent(QMouseEvent* event)
{
    clearHint();
    QDialog::mouseMoveEvent(event);
}

void AboutDialog::clearHint() { hintLabel_->setText(QString()); }

void AboutDialog::showProductHint(int index)
{
    runGuarded(logname::kIconHover, logname::kModule, [&] {
        QPalette pal = hintLabel_->palette();
        pal.setColor(QPalette::WindowText, QColor(192, 0, 0));
        hintLabel_->setPalette(pal);
        hintLabel_->setText(productIcons_.at(index)->toolTip());
        coverHintLabel_->setText(QString());
    });
}

QString AboutDialog::siteAddress(const QString& page) const
{
    if (page.contains(QStringLiteral("://")))
        return page;
    QString site = programInfo().makerWebsite;
    if (!site.endsWith(QLatin1Char('/')))
        site += QLatin1Char('/');
    return site + (page.startsWith(QLatin1Char('/')) ? page.mid(1) : page);
}

void AboutDialog::openProductPage(int index)
{
    runGuarded(logname::kIconClick, logname::kModule, [&] {
        web::openAddress(this, siteAddress(productIcons_.at(index)->property("page").toString()) +
                                   QLatin1Char('?') + programInfo().executable);
    });
}

void AboutDialog::openBookPage()
{
    runGuarded(logname::kCoverClick, logname::kModule, [&] {
        web::openAddress(this,
                         siteAddress(kBookPage) + QLatin1Char('?') + programInfo().executable);
    });
}

void AboutDialog::openPadFilesPage()
{
    runGuarded(logname::kPadFilesClick, logname::kModule,
               [&] { web::openAddress(this, siteAddress(QStringLiteral("pad/"))); });
}

}  // namespace wexlo

// The meta-object code in this unit, so that using the class links only what it needs.
#include "moc_AboutDialog.cpp"
