#include "shared/ui/SplashWindow.h"

#include "platform/ControlTable.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/util/Pointer.h"
#include "shared/util/ProgramInfo.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

namespace wexlo {

using platform::twips;

namespace {

// The names the log shows for this window.
namespace logname {
const QString kModule = QStringLiteral("frmSplash2");
const QString kLoad = QStringLiteral("form_load");
}  // namespace logname

const QString kArtwork = QStringLiteral(":/wexlo/splash.png");
constexpr QSize kArtworkSize(329, 163);

QLabel* overlayLabel(QWidget* parent, Qt::Alignment alignment)
{
    auto* label = new QLabel(parent);
    label->setAlignment(alignment | Qt::AlignVCenter);
    // Transparent over the artwork, light text to read on its dark gradient.
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setAutoFillBackground(false);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(p);
    label->resize(label->width(), label->fontMetrics().height() + 2);
    return label;
}

}  // namespace

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("splashWindow"));
    setWindowTitle(programTitle());

    artworkLabel_ = new QLabel(this);
    artworkLabel_->move(0, 0);
    artworkLabel_->resize(kArtworkSize);
    copyrightLabel_ = overlayLabel(artworkLabel_, Qt::AlignLeft);
    versionLabel_ = overlayLabel(artworkLabel_, Qt::AlignRight);
    statusLabel_ = overlayLabel(artworkLabel_, Qt::AlignHCenter);

    // The artwork is measured in pixels and the labels over it are placed from its size, so
    // the table only names them.
    platform::layOut({
        {artworkLabel_, "artworkLabel"},
        {copyrightLabel_, "copyrightLabel"},
        {versionLabel_, "versionLabel"},
        {statusLabel_, "statusLabel"},
    });

    // A window without its artwork still shows its texts where they belong.
    ErrorRecorder on(logname::kLoad, logname::kModule);
    on([&] { loadArtwork(); });
    resize(artworkLabel_->size());
    placeTexts();
    // Without a screen the window stays where it is.
    on([&] { centreOnScreen(); });
    platform::eventPump().processEvents();

    statusLabel_->resize(width() / 2, statusLabel_->height());
    statusLabel_->move((width() - statusLabel_->width()) / 2 - twips(50),
                       height() - statusLabel_->height() - twips(50));

    platform::eventPump().processEvents();
}

void SplashWindow::showStatus(const QString& text) { statusLabel_->setText(text); }

void SplashWindow::loadArtwork()
{
    // The artwork is compiled into the program; a missing one still leaves a window of its size.
    const QPixmap art(kArtwork);
    if (art.isNull())
        throw RuntimeError(err::FileNotFound);
    artworkLabel_->setPixmap(art);
    artworkLabel_->resize(art.size());
}

void SplashWindow::placeTexts()
{
    copyrightLabel_->move(twips(100), twips(100));
    copyrightLabel_->setText(QStringLiteral("(c) ") +
                             platform::clock().today().toString(QStringLiteral("yyyy")) +
                             QLatin1Char(' ') + programInfo().makerName);
    copyrightLabel_->resize(width() - twips(100), copyrightLabel_->height());

    versionLabel_->setGeometry(width() / 2 - twips(100), twips(100), width() / 2,
                               versionLabel_->height());
    versionLabel_->setText(QStringLiteral("V:") + programVersion());
}

void SplashWindow::centreOnScreen()
{
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        throw RuntimeError(err::ObjectNotSet);
    const QRect area = screen->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

}  // namespace wexlo

// The meta-object code in this unit, so that using the class links only what it needs.
#include "moc_SplashWindow.cpp"
