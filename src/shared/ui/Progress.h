#pragma once

// A horizontal progress bar with a centred caption inside a picture box, and text printed
// centred on any drawing surface. Colours are colour numbers (platform/StatusBox.h); 0 means
// "none given" wherever a colour is optional.

#include "platform/StatusBox.h"

#include <QString>

#include <cstdint>

namespace wexlo::progress {

// The bar's colour when none is given: light green.
inline constexpr std::uint32_t kDefaultBarColor = 0x80FF80;

// The bar with the text, or with the percentage when the text is empty.
void showProgressText(platform::StatusBox& pic, double value, double maximum, const QString& text,
                      std::uint32_t colour = 0);
// Draws at most once per 0.15 s unless forced or at the maximum. A failure to draw is logged
// and the caller carries on.
void showProgress(platform::StatusBox& pic, double value, double maximum, const QString& text,
                  bool showPercent, bool force, std::uint32_t colour = 0);
void printCentered(platform::StatusBox& pic, const QString& text, bool clear,
                   std::uint32_t textColour = 0, std::uint32_t backColour = 0);
// fontSize 0 or less keeps the surface's font size.
void printCenteredOn(platform::DrawingSurface& surface, const QString& text, bool clear,
                     float fontSize = 0, std::uint32_t textColour = 0,
                     std::uint32_t backColour = 0);

// Forgets the next draw time, as at program start (for tests).
void resetForTests();

}  // namespace wexlo::progress
