#include "WexloConfig.h"
#include "platform/Platform.h"
#include "shared/diagnostics/mSHAREDLogging.h"
#include "shared/ui/frmSplash.h"
#include "support/Fixture.h"

#include <QLabel>

// The resource macros declare functions and so must be used outside any namespace.
static void dropArtwork() { Q_CLEANUP_RESOURCE(wexlo_artwork); }
static void restoreArtwork() { Q_INIT_RESOURCE(wexlo_artwork); }

using namespace wexlo;
using platform::twips;

namespace {

class Splash : public test::WexloTest {};

TEST_F(Splash, IsExactlyTheArtworkWithNoticeAndVersion)
{
    clock_.current = QDateTime(QDate(2031, 1, 2), QTime(9, 0));
    frmSplash splash;

    ASSERT_NE(splash.Picture1->pixmap().isNull(), true) << "artwork not compiled in";
    EXPECT_EQ(splash.Picture1->pixmap().size(), QSize(329, 163));
    EXPECT_EQ(splash.size(), QSize(329, 163));
    EXPECT_EQ(splash.findChild<QLabel*>(QStringLiteral("Picture1")), splash.Picture1);
    EXPECT_EQ(splash.findChild<QLabel*>(QStringLiteral("lblstatus")), splash.lblstatus);

    // The year follows the clock at start-up, not the build.
    EXPECT_EQ(splash.lblCopyright->text(), QStringLiteral("(c) 2031 " WEXLO_MAKER_NAME));
    EXPECT_EQ(splash.lblCopyright->pos(), QPoint(twips(100), twips(100)));
    EXPECT_EQ(splash.lblTitle->text(), QStringLiteral("V:1.0.8"));
    EXPECT_EQ(splash.lblTitle->geometry(),
              QRect(329 / 2 - twips(100), twips(100), 329 / 2, splash.lblTitle->height()));
    EXPECT_TRUE(splash.lblTitle->alignment() & Qt::AlignRight);
    EXPECT_TRUE(logText().isEmpty()) << logText().toStdString();
}

TEST_F(Splash, StatusLineSitsAboveTheBottomJustLeftOfTheMiddle)
{
    for (int dpi : {96, 144}) {
        metrics_.dpi = dpi;
        frmSplash splash;
        splash.show();
        splash.lblstatus->setText(QStringLiteral("Starting up"));
        const QRect r = splash.lblstatus->geometry();
        EXPECT_EQ(r.width(), 329 / 2);
        EXPECT_EQ(r.y() + r.height(), 163 - twips(50)) << dpi;
        // Centred on a point 50 twips left of the window's middle (one pixel of rounding).
        EXPECT_NEAR(r.x() + r.width() / 2.0, 329 / 2.0 - twips(50), 1.0) << dpi;
        EXPECT_TRUE(splash.lblstatus->alignment() & Qt::AlignHCenter);
        EXPECT_EQ(splash.lblstatus->text(), QStringLiteral("Starting up"));
    }
}

TEST_F(Splash, OpensInTheCentreOfTheScreenAndLetsItPaint)
{
    const int before = pump_.yields;
    frmSplash splash;
    EXPECT_EQ(pump_.yields - before, 2);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_NEAR(splash.geometry().center().x(), screen.center().x(), 1);
    EXPECT_NEAR(splash.geometry().center().y(), screen.center().y(), 1);
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
}

TEST_F(Splash, MissingArtworkIsLoggedAndTheWindowKeepsItsSize)
{
    dropArtwork();
    frmSplash splash;
    restoreArtwork();
    EXPECT_TRUE(splash.Picture1->pixmap().isNull());
    EXPECT_EQ(splash.size(), QSize(329, 163));
    EXPECT_EQ(splash.lblTitle->text(), QStringLiteral("V:1.0.8"));  // the next steps still ran
    mSHAREDLogging::listactions();
    EXPECT_TRUE(
        logText().contains(QStringLiteral("File not found(53) in form_load of module frmSplash2")))
        << logText().toStdString();
    EXPECT_FALSE(frmSplash().Picture1->pixmap().isNull());
}

}  // namespace
