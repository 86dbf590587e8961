#include "shared/ui/mSHAREDProgress.h"

#include "platform/Platform.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/util/mSHAREDDelay.h"

#include <cmath>

namespace wexlo::mSHAREDProgress {

namespace {

const QString kModule = QStringLiteral("modProgressIndicator");

double& nextDraw()
{
    static double t = 0.0;
    return t;
}

}  // namespace

void showprogressstring(platform::PictureBox& pic, double value, double maximum,
                        const QString& text, std::uint32_t colour, std::int32_t unused)
{
    OnError on(QStringLiteral("showprogressstring"), kModule);
    on([&] {
        if (text.isEmpty())
            showprogress(pic, value, maximum, QString(), true, false, colour, unused);
        else
            showprogress(pic, value, maximum, text, false, false, colour, unused);
    });
}

void showprogress(platform::PictureBox& pic, double value, double maximum, const QString& text,
                  bool showPercent, bool force, std::uint32_t colour, std::int32_t /*unused*/)
{
    OnError on(QStringLiteral("showprogress"), kModule);

    std::uint32_t barColour = colour;
    if (!text.isEmpty() || showPercent)
        barColour = colour != 0 ? colour : kDefaultBarColor;

    // The last update (value at the maximum) is always drawn.
    const double now = platform::clock().monotonicSeconds();
    if (!force && now < nextDraw() && value != maximum)
        return;
    nextDraw() = now + 0.15;

    double fraction = 0;
    on([&] {
        const double max = maximum == 0 ? 1.0 : maximum;
        fraction = value / max;
        if (fraction < 0 || std::isnan(fraction))
            fraction = 0;
    });

    double barWidth = 0;
    on([&] { barWidth = pic.ScaleWidth() * fraction; });

    on([&] { pic.setBackColor(pic.colorOf(platform::kSysWindowBackground)); });
    on([&] { pic.setForeColor(pic.colorOf(platform::kSysButtonText)); });

    on([&] {
        if (fraction != 0)
            pic.fillBox(0, 0, barWidth, pic.ScaleHeight(), pic.colorOf(barColour));
        else
            pic.Cls();
    });
    // A screen reader reads the bar as a progress bar with this value.
    on([&] { pic.setProgressValue(fraction * 100.0); });

    QString caption;
    on([&] {
        if (showPercent)
            caption = QString::number(std::lround(fraction * 100.0)) + QLatin1Char('%');
        else if (!text.isEmpty())
            caption = text;
    });
    on([&] { PrintCentered(pic, caption, false, colour, 0); });

    on([&] { mSHAREDDelay::throttledyield(); });
}

void PrintCentered(platform::PictureBox& pic, const QString& text, bool clear,
                   std::uint32_t textColour, std::uint32_t backColour)
{
    OnError on(QStringLiteral("PrintCentered"), kModule);
    on([&] { PrintHorzCenter(pic, text, clear, 0, textColour, backColour); });
}

void PrintHorzCenter(platform::DrawingSurface& surface, const QString& text, bool clear,
                     float fontSize, std::uint32_t textColour, std::uint32_t backColour)
{
    OnError on(QStringLiteral("PrintHorzCenter"), kModule);

    on([&] {
        if (clear)
            surface.Cls();
    });
    on([&] {
        if (fontSize > 0)
            surface.setFontSize(fontSize);
    });
    on([&] {
        if (backColour != 0)
            surface.setBackColor(surface.colorOf(backColour));
    });
    on([&] {
        if (textColour != 0)
            surface.setForeColor(surface.colorOf(textColour));
    });
    on([&] { surface.setCurrentX((surface.ScaleWidth() - surface.TextWidth(text)) / 2); });
    on([&] { surface.setCurrentY((surface.ScaleHeight() - surface.TextHeight(text)) / 2); });
    on([&] { surface.Print(text); });
}

void resetForTests() { nextDraw() = 0.0; }

}  // namespace wexlo::mSHAREDProgress
