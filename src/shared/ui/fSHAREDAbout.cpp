#include "shared/ui/fSHAREDAbout.h"

#include "platform/ControlTable.h"
#include "platform/Platform.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/util/ProgramInfo.h"
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
const QString kBookPage = QStringLiteral("booknotify.html");

constexpr int kColumns = 8;
constexpr int kRows = 2;
constexpr int kIconTwips = 480;

constexpr int kFrame2Width = 6960;  // the icons are spread across it
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

fSHAREDAbout::fSHAREDAbout(QWidget* mainWindow)
    : fSHAREDAbout(mainWindow, parseProducts(programInfo().makerProducts))
{
}

fSHAREDAbout::fSHAREDAbout(QWidget* mainWindow, const QList<Product>& products)
    : QDialog(mainWindow)
{
    setObjectName(QStringLiteral("fSHAREDAbout"));
    setFixedSize(twips(kFormWidth), twips(kFormHeight));
    setMouseTracking(true);

    Frame1 = new QGroupBox(this);
    lblversion = new QLabel(Frame1);
    cmdExit = new QPushButton(Frame1);
    lblAdvert = new QLabel(this);
    Frame2 = new QGroupBox(this);
    lblAbout = new QLabel(this);
    Label1 = new QLabel(this);
    lblPadFiles = new QLabel(this);
    Frame3 = new QGroupBox(this);
    lblCovers = new QLabel(Frame3);
    lblBooks = new QLabel(Frame3);
    lblAbout2 = new QLabel(Frame3);
    Image2 = {new QLabel(Frame3), new QLabel(Frame3)};

    // The labels have no accessible names of their own: each is read by the text it shows.
    platform::layOut({
        {Frame1, "Frame1", nullptr, {120, 60, 6960, 960}},
        {lblversion, "lblversion", nullptr, {240, 360, 5200, 420}},
        {cmdExit, "cmdExit", "Exit", {5640, 330, 1100, 450}, nullptr, "Exit"},
        {lblAdvert, "lblAdvert", nullptr, {120, 1140, 6960, 300}},
        {Frame2, "Frame2", nullptr, {120, 1440, kFrame2Width, 1780}},
        {lblAbout,
         "lblAbout",
         "Hover the mouse over icons for details. Click icons to open in your browser.",
         {120, 3300, 6960, 300}},
        {Label1, "Label1", "Webmasters:", {120, 3660, 1200, 300}, nullptr, nullptr, lblPadFiles},
        {lblPadFiles,
         "lblPadFiles",
         "Get PAD files for all my software here",
         {1320, 3660, 4200, 300}},
        {Frame3, "Frame3", nullptr, {120, 4020, 6960, 1560}},
        {lblCovers,
         "lblCovers",
         "Click the covers for your chance to win a copy -->",
         {240, 300, 4860, 300}},
        {lblBooks, "lblBooks", nullptr, {240, 660, 4860, 300}},
        {lblAbout2,
         "lblAbout2",
         "Click a cover to open its page in your browser.",
         {240, 1020, 4860, 300}},
        {Image2[0], "Image2(0)", nullptr, {5160, 240, 780, 1200}, nullptr, "Book 1"},
        {Image2[1], "Image2(1)", nullptr, {6060, 240, 780, 1200}, nullptr, "Book 2"},
    });
    // The maker's name comes from the program that shows the box.
    lblAdvert->setText(QStringLiteral("Try these other free programs from ") +
                       programInfo().makerName + QLatin1Char(':'));
    lblBooks->setText(QStringLiteral("Books by the author of ") + programInfo().makerName +
                      QStringLiteral("'s programs"));
    cmdExit->setDefault(true);
    link(lblPadFiles);
    lblPadFiles->installEventFilter(this);
    Frame3->setMouseTracking(true);
    Frame3->installEventFilter(this);
    for (int index = 0; index < Image2.size(); ++index) {
        QLabel* cover = Image2.at(index);
        cover->setPixmap(bookCover(index, cover->size()));
        cover->setCursor(Qt::PointingHandCursor);
        cover->installEventFilter(this);
    }

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
    // Without products the invitation, its frame and its hint would stand empty.
    for (QWidget* w : std::initializer_list<QWidget*>{lblAdvert, Frame2, lblAbout})
        w->setVisible(!Image1.isEmpty());

    connectGuarded(cmdExit, &QPushButton::clicked, this, &fSHAREDAbout::cmdExit_Click,
                   QStringLiteral("cmdExit_Click"), kModule);

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
                       QLatin1Char(' ') + programInfo().makerName);
    });
    on([&] {
        if (mainWindow != nullptr)
            setWindowIcon(mainWindow->windowIcon());
    });
    on([&] {
        lblversion->setText(mSHAREDSubs::AppTitle() + QLatin1Char(' ') + mSHAREDSubs::AppVersion());
        lblversion->setText(lblversion->text() + QStringLiteral(" (") + programInfo().description +
                            QLatin1Char(')'));
    });

    // The icons in 8 columns of 2, column by column, all spaced by the size of the first.
    on([&] {
        if (Image1.isEmpty())
            return;
        const int iconWidth = kIconTwips;
        const int iconHeight = kIconTwips;
        const double gap = (kFrame2Width - kColumns * iconWidth - 500) / double(kColumns);
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

void fSHAREDAbout::clearHint() { lblAbout->setText(QString()); }

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
    QString site = programInfo().makerWebsite;
    if (!site.endsWith(QLatin1Char('/')))
        site += QLatin1Char('/');
    return site + (page.startsWith(QLatin1Char('/')) ? page.mid(1) : page);
}

void fSHAREDAbout::Image1_Click(int index)
{
    runGuarded(QStringLiteral("image1_click"), kModule, [&] {
        mSHAREDWWW::websitevisit(this, siteAddress(Image1.at(index)->property("Tag").toString()) +
                                           QLatin1Char('?') + programInfo().executable);
    });
}

void fSHAREDAbout::Image2_Click(int)
{
    runGuarded(QStringLiteral("image2_click"), kModule, [&] {
        mSHAREDWWW::websitevisit(
            this, siteAddress(kBookPage) + QLatin1Char('?') + programInfo().executable);
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
