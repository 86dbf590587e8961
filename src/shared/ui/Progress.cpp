#include "shared/ui/Progress.h"

#include "platform/Platform.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/util/Delay.h"

#include <cmath>

namespace wexlo::progress {

namespace {

// The names the log shows for this code.
namespace logname {
const QString kModule = QStringLiteral("modProgressIndicator");
const QString kShowProgress = QStringLiteral("showprogress");
}  // namespace logname

double& nextDraw()
{
    static double t = 0.0;
    return t;
}

void drawBar(platform::StatusBox& pic, double value, double maximum, const QString& text,
             bool showPercent, std::uint32_t colour)
{
    std::uint32_t barColour = colour;
    if (!text.isEmpty() || showPercent)
        barColour = colour != 0 ? colour : kDefaultBarColor;

    const double max = maximum == 0 ? 1.0 : maximum;
    double fraction = value / max;
    if (fraction < 0 || std::isnan(fraction))
        fraction = 0;
    const double barWidth = pic.innerWidth() * fraction;

    pic.setBackColor(pic.colorOf(platform::kSysWindowBackground));
    pic.setForeColor(pic.colorOf(platform::kSysButtonText));
    if (fraction != 0)
        pic.fillBox(0, 0, barWidth, pic.innerHeight(), pic.colorOf(barColour));
    else
        pic.clear();
    // A screen reader reads the bar as a progress bar with this value.
    pic.setProgressValue(fraction * 100.0);

    QString caption;
    if (showPercent)
        caption = QString::number(std::lround(fraction * 100.0)) + QLatin1Char('%');
    else if (!text.isEmpty())
        caption = text;
    printCentered(pic, caption, false, colour, 0);
}

}  // namespace

void showProgressText(platform::StatusBox& pic, double value, double maximum, const QString& text,
                      std::uint32_t colour)
{
    showProgress(pic, value, maximum, text, text.isEmpty(), false, colour);
}

void showProgress(platform::StatusBox& pic, double value, double maximum, const QString& text,
                  bool showPercent, bool force, std::uint32_t colour)
{
    // The last update (value at the maximum) is always drawn.
    const double now = platform::clock().monotonicSeconds();
    if (!force && now < nextDraw() && value != maximum)
        return;
    nextDraw() = now + 0.15;

    runGuarded(logname::kShowProgress, logname::kModule, [&] {
        drawBar(pic, value, maximum, text, showPercent, colour);
        delay::throttledYield();  // let the bar paint
    });
}

void printCentered(platform::StatusBox& pic, const QString& text, bool clear,
                   std::uint32_t textColour, std::uint32_t backColour)
{
    printCenteredOn(pic, text, clear, 0, textColour, backColour);
}

void printCenteredOn(platform::DrawingSurface& surface, const QString& text, bool clear,
                     float fontSize, std::uint32_t textColour, std::uint32_t backColour)
{
    if (clear)
        surface.clear();
    if (fontSize > 0)
        surface.setFontSize(fontSize);
    if (backColour != 0)
        surface.setBackColor(surface.colorOf(backColour));
    if (textColour != 0)
        surface.setForeColor(surface.colorOf(textColour));
    surface.setCurrentX((surface.innerWidth() - surface.textWidth(text)) / 2);
    surface.setCurrentY((surface.innerHeight() - surface.textHeight(text)) / 2);
    surface.printLine(text);
}

void resetForTests() { nextDraw() = 0.0; }

}  // namespace wexlo::progress
