#include "platform/StatusBox.h"
#include "shared/ui/Progress.h"
#include "shared/util/Delay.h"
#include "support/WexloTest.h"

#include <QPalette>

using namespace wexlo;
using namespace wexlo::progress;
using platform::StatusBox;

namespace {

const QColor kGreen(128, 255, 128);

class Progress : public test::WexloTest {
protected:
    void SetUp() override
    {
        WexloTest::SetUp();
        resetForTests();
        delay::resetForTests();
        QPalette pal = pic.palette();
        pal.setColor(QPalette::Base, QColor(250, 250, 250));
        pal.setColor(QPalette::ButtonText, QColor(20, 20, 90));
        pic.setPalette(pal);
        pic.resize(200, 24);
    }
    QColor at(int x, int y) const { return pic.canvas().pixelColor(x, y); }
    // Columns of the middle row painted in the bar's green.
    int greenColumns() const
    {
        int n = 0;
        for (int x = 0; x < pic.canvas().width(); ++x)
            n += at(x, 1) == kGreen;
        return n;
    }
    // Whether text of (about) this colour is in the box's middle; glyph edges are smoothed.
    bool textInMiddle(const QColor& c) const
    {
        const QImage& img = pic.canvas();
        for (int y = 0; y < img.height(); ++y)
            for (int x = img.width() / 3; x < 2 * img.width() / 3; ++x) {
                const QColor p = img.pixelColor(x, y);
                if (std::abs(p.red() - c.red()) + std::abs(p.green() - c.green()) +
                        std::abs(p.blue() - c.blue()) <
                    60)
                    return true;
            }
        return false;
    }

    StatusBox pic;
};

TEST_F(Progress, BarAtZeroHalfAndFull)
{
    const QColor window(250, 250, 250);
    const QColor buttonText(20, 20, 90);

    showProgressText(pic, 0, 100, QString());
    EXPECT_EQ(greenColumns(), 0);
    EXPECT_EQ(at(2, 2), window);
    EXPECT_EQ(pic.backColor(), window);
    EXPECT_TRUE(textInMiddle(buttonText));  // "0%"

    clock_.monotonic += 1;
    showProgressText(pic, 50, 100, QString());
    EXPECT_NEAR(greenColumns(), 100, 1);
    EXPECT_EQ(at(2, 1), kGreen);
    EXPECT_EQ(at(2, 22), kGreen);  // the full inner height
    EXPECT_EQ(at(198, 1), window);
    EXPECT_TRUE(textInMiddle(buttonText));

    clock_.monotonic += 1;
    showProgressText(pic, 100, 100, QString());
    EXPECT_EQ(greenColumns(), 200);
    EXPECT_TRUE(textInMiddle(buttonText));  // "100%"
    EXPECT_TRUE(logText().isEmpty()) << logText().toStdString();
}

TEST_F(Progress, RedrawsAtMostEveryFifteenHundredthsButAlwaysTheLast)
{
    showProgressText(pic, 10, 100, QString());
    const int first = greenColumns();
    EXPECT_NEAR(first, 20, 1);

    clock_.monotonic += 0.05;
    showProgressText(pic, 20, 100, QString());
    EXPECT_EQ(greenColumns(), first);  // skipped

    clock_.monotonic += 0.05;
    showProgressText(pic, 100, 100, QString());
    EXPECT_EQ(greenColumns(), 200);  // the final state is never skipped

    clock_.monotonic += 0.01;
    showProgress(pic, 30, 100, QString(), true, true, 0);  // forced
    EXPECT_NEAR(greenColumns(), 60, 1);

    clock_.monotonic += 0.2;
    showProgressText(pic, 40, 100, QString());
    EXPECT_NEAR(greenColumns(), 80, 1);
}

TEST_F(Progress, MaximumZeroCountsAsOneAndNegativeAsEmpty)
{
    showProgressText(pic, 0.3, 0, QString());
    EXPECT_NEAR(greenColumns(), 60, 1);

    clock_.monotonic += 1;
    showProgressText(pic, -5, 100, QStringLiteral("Waiting"));
    EXPECT_EQ(greenColumns(), 0);
    EXPECT_TRUE(textInMiddle(QColor(20, 20, 90)));
}

TEST_F(Progress, TextAndColourGiven)
{
    // A bar in a colour of the caller's, labelled with its text in that colour.
    const std::uint32_t blue = platform::rgbNumber(0, 0, 200);
    showProgressText(pic, 75, 100, QStringLiteral("Downloading"), blue);
    EXPECT_EQ(at(2, 1), QColor(0, 0, 200));
    EXPECT_EQ(at(145, 1), QColor(0, 0, 200));
    EXPECT_EQ(at(155, 1), QColor(250, 250, 250));
}

TEST_F(Progress, PrintCenteredClearsRecoloursAndCentres)
{
    pic.fillBox(0, 0, 200, 24, Qt::black);
    printCentered(pic, QStringLiteral("Checking"), true, platform::rgbNumber(200, 0, 0),
                  platform::rgbNumber(0, 60, 0));
    EXPECT_EQ(pic.backColor(), QColor(0, 60, 0));
    EXPECT_EQ(at(1, 1), QColor(0, 60, 0));
    EXPECT_EQ(at(198, 22), QColor(0, 60, 0));

    // The red text's extent is centred both ways (within rounding and glyph bearings).
    const QImage& img = pic.canvas();
    int left = img.width(), right = -1, top = img.height(), bottom = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y).red() > 100) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, 0) << "no text drawn";
    EXPECT_NEAR((left + right) / 2.0, 100, 3);
    EXPECT_NEAR((top + bottom) / 2.0, 12, 4);
    // The print position moved to the next line.
    EXPECT_DOUBLE_EQ(pic.currentX(), 0);
    EXPECT_DOUBLE_EQ(pic.currentY(), (24 - pic.textHeight(QStringLiteral("Checking"))) / 2 +
                                         pic.textHeight(QStringLiteral("Checking")));
}

TEST_F(Progress, HorzCenterSetsTheFontSizeOnAnySurface)
{
    printCenteredOn(pic, QStringLiteral("Big"), true, 20.0f, 0, 0);
    EXPECT_DOUBLE_EQ(pic.fontSize(), 20.0);
    printCenteredOn(pic, QStringLiteral("Same"), false, 0, 0, 0);
    EXPECT_DOUBLE_EQ(pic.fontSize(), 20.0);
}

TEST_F(Progress, ColourNumbersAndSystemColours)
{
    QPalette pal;
    pal.setColor(QPalette::Base, QColor(1, 2, 3));
    pal.setColor(QPalette::ButtonText, QColor(4, 5, 6));
    EXPECT_EQ(platform::colorFromNumber(0x80000005, pal), QColor(1, 2, 3));
    EXPECT_EQ(platform::colorFromNumber(0x80000012, pal), QColor(4, 5, 6));
    EXPECT_EQ(platform::colorFromNumber(0x80FF80, pal), QColor(128, 255, 128));
    EXPECT_EQ(platform::colorFromNumber(192, pal), QColor(192, 0, 0));
    EXPECT_EQ(platform::colorNumber(QColor(128, 255, 128)), 0x80FF80u);
}

}  // namespace
