// The control table every window is laid out from: twips at the desktop's usual resolutions,
// and a table as a window meets it (places, captions, what a screen reader reads, tab order).

#include "platform/ControlTable.h"
#include "support/WexloTest.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace wexlo::test {
namespace {

class ControlTableTest : public WexloTest {};

TEST_F(ControlTableTest, TwipsRoundToPixelsAndBack)
{
    struct Case {
        int dpi, twips, pixels, covering;  // twips -> nearest pixels, fewest covering pixels
        int backFrom, back;                // pixels -> nearest twips
    };
    const Case cases[] = {
        {96, 150, 10, 10, 10, 150},
        {96, 7104, 474, 474, 474, 7110},
        {120, 100, 8, 9, 8, 96},
        {144, 375, 38, 38, 38, 380},  // a half pixel rounds away from zero
    };
    for (const Case& c : cases) {
        metrics_.dpi = c.dpi;
        EXPECT_EQ(platform::twips(c.twips), c.pixels) << c.dpi << " " << c.twips;
        EXPECT_EQ(platform::pixelsCovering(c.twips), c.covering) << c.dpi << " " << c.twips;
        EXPECT_EQ(platform::toTwips(c.backFrom), c.back) << c.dpi << " " << c.backFrom;
    }
}

TEST_F(ControlTableTest, RowsNamePlaceTieAndChainInTableOrder)
{
    QWidget window;
    auto* frame = new QGroupBox(&window);
    auto* ok = new QPushButton(&window);  // made first, yet second in the tab order
    auto* caption = new QLabel(frame);
    auto* box = new QLineEdit(frame);
    auto* value = new QLabel(frame);
    auto* laidOut = new QPushButton(&window);
    laidOut->setGeometry(5, 6, 70, 20);  // as a layout would have placed it
    value->setText(QStringLiteral("12 May"));

    platform::layOut({
        {frame, "Frame1", "Settings", {120, 120, 2880, 1440}},
        {caption, "Label1", "Name:", {120, 240, 960, 300}, nullptr, nullptr, box},
        {box, "txtName", nullptr, {1200, 240, 1440, 300}, "Your name", "Name"},
        {value, "lblDate", nullptr, {1200, 600, 1440, 300}},
        {ok, "cmdOK", "OK", {120, 1680, 1200, 375}, nullptr, "OK"},
        {laidOut, "cmdHelp", "Help"},
    });

    EXPECT_EQ(frame->objectName(), QStringLiteral("Frame1"));
    EXPECT_EQ(frame->title(), QStringLiteral("Settings"));
    EXPECT_EQ(frame->geometry(), QRect(8, 8, 192, 96));
    EXPECT_EQ(box->geometry(), QRect(80, 16, 96, 20));  // relative to its frame
    EXPECT_EQ(laidOut->geometry(), QRect(5, 6, 70, 20));
    EXPECT_EQ(laidOut->text(), QStringLiteral("Help"));
    EXPECT_EQ(caption->text(), QStringLiteral("Name:"));
    EXPECT_EQ(caption->buddy(), box);
    EXPECT_EQ(box->accessibleName(), QStringLiteral("Name"));
    EXPECT_EQ(box->toolTip(), QStringLiteral("Your name"));
    // A label that shows a value keeps the value as what a screen reader reads.
    EXPECT_TRUE(value->accessibleName().isEmpty());
    EXPECT_EQ(value->text(), QStringLiteral("12 May"));

    QStringList chain;
    for (QWidget* w = box->nextInFocusChain(); w != box && chain.size() < 20;
         w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus)
            chain.append(w->objectName());
    EXPECT_EQ(chain, (QStringList{QStringLiteral("cmdOK"), QStringLiteral("cmdHelp")}));
}

}  // namespace
}  // namespace wexlo::test
