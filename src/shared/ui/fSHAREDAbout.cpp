#include "shared/ui/fSHAREDAbout.h"

#include "WexloConfig.h"
#include "platform/Platform.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/util/mSHAREDSubs.h"
#include "shared/util/mSHAREDWWW.h"

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

const QString kModule = QStringLiteral("fSHAREDAbout");
const QString kFileDescription = QStringLiteral("Tracks items you lend to people");
const QString kExecutable = QStringLiteral("Wexlo");  // the program file's name without extension
const QString kBookPage = QStringLiteral("booknotify.html");

constexpr int kColumns = 8;
constexpr int kRows = 2;
constexpr int kIconTwips = 480;

// Geometry in twips: left, top, width, height.
struct Place {
    const char* name;
    int left, top, width, height;
};

constexpr Place kFrame1{"Frame1", 120, 60, 6960, 960};
constexpr Place kVersion{"lblversion", 240, 360, 5200, 420};
constexpr Place kExit{"cmdExit", 5640, 330, 1100, 450};
constexpr Place kAdvert{"lblAdvert", 120, 1140, 6960, 300};
constexpr Place kFrame2{"Frame2", 120, 1440, 6960, 1780};
constexpr Place kHint{"lblAbout", 120, 3300, 6960, 300};
constexpr Place kWebmasters{"Label1", 120, 3660, 1200, 300};
constexpr Place kPad{"lblPadFiles", 1320, 3660, 4200, 300};
constexpr Place kFrame3{"Frame3", 120, 4020, 6960, 1560};
constexpr Place kCovers{"lblCovers", 240, 300, 4860, 300};
constexpr Place kBooks{"lblBooks", 240, 660, 4860, 300};
constexpr Place kHint2{"lblAbout2", 240, 1020, 4860, 300};
constexpr Place kCover0{"Image2(0)", 5160, 240, 780, 1200};
constexpr Place kCover1{"Image2(1)", 6060, 240, 780, 1200};
constexpr int kFormWidth = 7200;
constexpr int kFormHeight = 5700;

template <class W>
W* make(QWidget* parent, const Place& p)
{
    auto* w = new W(parent);
    w->setObjectName(QLatin1String(p.name));
    w->setGeometry(twips(p.left), twips(p.top), twips(p.width), twips(p.height));
    return w;
}

QLabel* label(QWidget* parent, const Place& p, const QString& caption)
{
    auto* l = make<QLabel>(parent, p);
    // A label is read by its text, so a hint that changes is read as it now stands.
    l->setText(caption);
    return l;
}

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

fSHAREDAbout::fSHAREDAbout(QWidget* mainWindow)
    : fSHAREDAbout(mainWindow, parseProducts(QStringLiteral(WEXLO_MAKER_PRODUCTS)))
{
}

fSHAREDAbout::fSHAREDAbout(QWidget* mainWindow, const QList<Product>& products)
    : QDialog(mainWindow)
{
    setObjectName(QStringLiteral("fSHAREDAbout"));
    setFixedSize(twips(kFormWidth), twips(kFormHeight));
    setMouseTracking(true);

    Frame1 = make<QGroupBox>(this, kFrame1);
    lblversion = label(Frame1, kVersion, QString());
    cmdExit = make<QPushButton>(Frame1, kExit);
    cmdExit->setText(QStringLiteral("Exit"));
    cmdExit->setAccessibleName(QStringLiteral("Exit"));
    cmdExit->setDefault(true);

    lblAdvert = label(this, kAdvert,
                      QStringLiteral("Try these other free programs from " WEXLO_MAKER_NAME ":"));
    Frame2 = make<QGroupBox>(this, kFrame2);

    const int iconSize = twips(kIconTwips);
    const qsizetype count = std::min<qsizetype>(products.size(), kColumns * kRows);
    for (qsizetype i = 0; i < count; ++i) {
        const Product& product = products.at(i);
        auto* icon = new QLabel(Frame2);
        icon->setObjectName(QStringLiteral("Image1(%1)").arg(i));
        icon->resize(iconSize, iconSize);
        icon->setPixmap(productIcon(product.name, iconSize));
        icon->setProperty("Tag", product.page);
        const QString tip = product.description.isEmpty()
                                ? product.name
                                : product.name + QStringLiteral(" - ") + product.description;
        icon->setToolTip(tip);
        icon->setAccessibleName(product.name);
        icon->setCursor(Qt::PointingHandCursor);
        icon->setMouseTracking(true);
        icon->installEventFilter(this);
        Image1.append(icon);
    }
    // Without products the invitation and its frame would stand empty.
    lblAdvert->setVisible(!Image1.isEmpty());
    Frame2->setVisible(!Image1.isEmpty());

    lblAbout =
        label(this, kHint,
              QStringLiteral(
                  "Hover the mouse over icons for details. Click icons to open in your browser."));
    lblAbout->setVisible(!Image1.isEmpty());
    Label1 = label(this, kWebmasters, QStringLiteral("Webmasters:"));
    lblPadFiles = link(label(this, kPad, QStringLiteral("Get PAD files for all my software here")));
    lblPadFiles->installEventFilter(this);
    Label1->setBuddy(lblPadFiles);

    Frame3 = make<QGroupBox>(this, kFrame3);
    Frame3->setMouseTracking(true);
    Frame3->installEventFilter(this);
    lblCovers = label(Frame3, kCovers,
                      QStringLiteral("Click the covers for your chance to win a copy -->"));
    lblBooks = label(Frame3, kBooks,
                     QStringLiteral("Books by the author of " WEXLO_MAKER_NAME "'s programs"));
    lblAbout2 =
        label(Frame3, kHint2, QStringLiteral("Click a cover to open its page in your browser."));
    for (const Place& place : {kCover0, kCover1}) {
        auto* cover = make<QLabel>(Frame3, place);
        const int index = static_cast<int>(Image2.size());
        cover->setPixmap(bookCover(index, cover->size()));
        cover->setAccessibleName(QStringLiteral("Book %1").arg(index + 1));
        cover->setCursor(Qt::PointingHandCursor);
        cover->installEventFilter(this);
        Image2.append(cover);
    }

    connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });

    Form_Load(mainWindow);
}

QList<fSHAREDAbout::Product> fSHAREDAbout::parseProducts(const QString& list)
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

void fSHAREDAbout::Form_Load(QWidget* mainWindow)
{
    OnError on(QStringLiteral("form_load"), kModule);

    on([&] {
        setWindowTitle(QStringLiteral("(c)") +
                       platform::clock().today().toString(QStringLiteral("yyyy")) +
                       QLatin1Char(' ') + QStringLiteral(WEXLO_MAKER_NAME));
    });
    on([&] {
        if (mainWindow != nullptr)
            setWindowIcon(mainWindow->windowIcon());
    });
    on([&] {
        lblversion->setText(mSHAREDSubs::AppTitle() + QLatin1Char(' ') + mSHAREDSubs::AppVersion());
        lblversion->setText(lblversion->text() + QStringLiteral(" (") + kFileDescription +
                            QLatin1Char(')'));
    });

    // The icons in 8 columns of 2, column by column, all spaced by the size of the first.
    on([&] {
        if (Image1.isEmpty())
            return;
        const int iconWidth = kIconTwips;
        const int iconHeight = kIconTwips;
        const double gap = (kFrame2.width - kColumns * iconWidth - 500) / double(kColumns);
        double left = 380;
        for (int c = 1; c <= kColumns; ++c) {
            int top = 520;
            bool done = false;
            for (int r = 1; r <= kRows; ++r) {
                const int index = (c - 1) * kRows + (r - 1);
                if (index >= Image1.size()) {
                    done = true;
                    break;
                }
                Image1.at(index)->move(twips(static_cast<int>(std::lround(left))), twips(top));
                top += iconHeight + 100;
            }
            if (done)
                break;
            left += iconWidth + gap;
        }
    });
}

bool fSHAREDAbout::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    const bool release = type == QEvent::MouseButtonRelease &&
                         static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    const bool hover = type == QEvent::MouseMove || type == QEvent::Enter;

    if (const int i = static_cast<int>(Image1.indexOf(watched)); i >= 0) {
        if (hover)
            Image1_MouseMove(i);
        else if (release)
            Image1_Click(i);
    } else if (const int j = static_cast<int>(Image2.indexOf(watched)); j >= 0) {
        if (release)
            Image2_Click(j);
    } else if (watched == lblPadFiles) {
        if (release)
            lblPadFiles_Click();
    } else if (watched == Frame3 && hover) {
        clearHint();
    }
    return QDialog::eventFilter(watched, event);
}

void fSHAREDAbout::mouseMoveEvent(QMouseEvent* event)
{
    clearHint();
    QDialog::mouseMoveEvent(event);
}

void fSHAREDAbout::clearHint()
{
    runGuarded(QStringLiteral("form_mousemove"), kModule, [&] { lblAbout->setText(QString()); });
}

void fSHAREDAbout::Image1_MouseMove(int index)
{
    runGuarded(QStringLiteral("image1_mousemove"), kModule, [&] {
        QPalette pal = lblAbout->palette();
        pal.setColor(QPalette::WindowText, QColor(192, 0, 0));
        lblAbout->setPalette(pal);
        lblAbout->setText(Image1.at(index)->toolTip());
        lblAbout2->setText(QString());
    });
}

QString fSHAREDAbout::siteAddress(const QString& page) const
{
    if (page.contains(QStringLiteral("://")))
        return page;
    QString site = QStringLiteral(WEXLO_MAKER_WEBSITE);
    if (!site.endsWith(QLatin1Char('/')))
        site += QLatin1Char('/');
    return site + (page.startsWith(QLatin1Char('/')) ? page.mid(1) : page);
}

void fSHAREDAbout::Image1_Click(int index)
{
    runGuarded(QStringLiteral("image1_click"), kModule, [&] {
        mSHAREDWWW::websitevisit(this, siteAddress(Image1.at(index)->property("Tag").toString()) +
                                           QLatin1Char('?') + kExecutable);
    });
}

void fSHAREDAbout::Image2_Click(int)
{
    runGuarded(QStringLiteral("image2_click"), kModule, [&] {
        mSHAREDWWW::websitevisit(this, siteAddress(kBookPage) + QLatin1Char('?') + kExecutable);
    });
}

void fSHAREDAbout::lblPadFiles_Click()
{
    runGuarded(QStringLiteral("lblpadfiles_click"), kModule,
               [&] { mSHAREDWWW::websitevisit(this, siteAddress(QStringLiteral("pad/"))); });
}

void fSHAREDAbout::cmdExit_Click()
{
    runGuarded(QStringLiteral("cmdexit_click"), kModule, [&] { done(QDialog::Accepted); });
}

}  // namespace wexlo

// The meta-object code in this unit, so that using the class links only what it needs.
#include "moc_fSHAREDAbout.cpp"
