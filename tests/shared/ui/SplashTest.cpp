#include "WexloConfig.h"
#include "platform/Platform.h"
#include "shared/diagnostics/Logging.h"
#include "shared/ui/SplashWindow.h"
#include "support/WexloTest.h"

#include <QLabel>

// The resource macros declare functions and so must be used outside any namespace.
static void dropArtwork() { Q_CLEANUP_RESOURCE(wexlo_artwork); }
static void restoreArtwork() { Q_INIT_RESOURCE(wexlo_artwork); }

using namespace wexlo;
using platform::twips;

namespace {

// A part of a window, found by its object name.
template <class W = QLabel>
W* part(const QObject& window, const char* name)
{
    return window.findChild<W*>(QString::fromLatin1(name));
}

class Splash : public test::WexloTest {};

TEST_F(Splash, IsExactlyTheArtworkWithNoticeAndVersion)
{
    clock_.current = QDateTime(QDate(2031, 1, 2), QTime(9, 0));
    SplashWindow splash;

    ASSERT_NE(part(splash, "artworkLabel")->pixmap().isNull(), true) << "artwork not compiled in";
    EXPECT_EQ(part(splash, "artworkLabel")->pixmap().size(), QSize(329, 163));
    EXPECT_EQ(splash.size(), QSize(329, 163));
    EXPECT_EQ(splash.findChild<QLabel*>(QStringLiteral("artworkLabel")),
              part(splash, "artworkLabel"));
    EXPECT_EQ(splash.findChild<QLabel*>(QStringLiteral("statusLabel")), splash.statusLabel());

    // The year follows the clock at start-up, not the build.
    EXPECT_EQ(part(splash, "copyrightLabel")->text(), QStringLiteral("(c) 2031 " WEXLO_MAKER_NAME));
    EXPECT_EQ(part(splash, "copyrightLabel")->pos(), QPoint(twips(100), twips(100)));
    EXPECT_EQ(part(splash, "versionLabel")->text(), QStringLiteral("V:1.0.8"));
    EXPECT_EQ(
        part(splash, "versionLabel")->geometry(),
        QRect(329 / 2 - twips(100), twips(100), 329 / 2, part(splash, "versionLabel")->height()));
    EXPECT_TRUE(part(splash, "versionLabel")->alignment() & Qt::AlignRight);
    EXPECT_TRUE(logText().isEmpty()) << logText().toStdString();
}

TEST_F(Splash, StatusLineSitsAboveTheBottomJustLeftOfTheMiddle)
{
    for (int dpi : {96, 144}) {
        metrics_.dpi = dpi;
        SplashWindow splash;
        splash.show();
        splash.statusLabel()->setText(QStringLiteral("Starting up"));
        const QRect r = splash.statusLabel()->geometry();
        EXPECT_EQ(r.width(), 329 / 2);
        EXPECT_EQ(r.y() + r.height(), 163 - twips(50)) << dpi;
        // Centred on a point 50 twips left of the window's middle (one pixel of rounding).
        EXPECT_NEAR(r.x() + r.width() / 2.0, 329 / 2.0 - twips(50), 1.0) << dpi;
        EXPECT_TRUE(splash.statusLabel()->alignment() & Qt::AlignHCenter);
        EXPECT_EQ(splash.statusLabel()->text(), QStringLiteral("Starting up"));
    }
}

TEST_F(Splash, OpensInTheCentreOfTheScreenAndLetsItPaint)
{
    const int before = pump_.yields;
    SplashWindow splash;
    EXPECT_EQ(pump_.yields - before, 2);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_NEAR(splash.geometry().center().x(), screen.center().x(), 1);
    EXPECT_NEAR(splash.geometry().center().y(), screen.center().y(), 1);
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
}

TEST_F(Splash, MissingArtworkIsLoggedAndTheWindowKeepsItsSize)
{
    dropArtwork();
    SplashWindow splash;
    restoreArtwork();
    EXPECT_TRUE(part(splash, "artworkLabel")->pixmap().isNull());
    EXPECT_EQ(splash.size(), QSize(329, 163));
    EXPECT_EQ(part(splash, "versionLabel")->text(),
              QStringLiteral("V:1.0.8"));  // the next steps still ran
    logging::writeRecentActions();
    EXPECT_TRUE(
        logText().contains(QStringLiteral("File not found(53) in form_load of module frmSplash2")))
        << logText().toStdString();
    EXPECT_FALSE(part(SplashWindow(), "artworkLabel")->pixmap().isNull());
}

}  // namespace
