#pragma once

#include <QString>

namespace wexlo::mSHAREDSubs {

// "1.0.8": major, minor and revision without leading zeros.
QString AppVersion();
// The program's title, "Wexlo": the title of every message box.
QString AppTitle();

// Hourglass pointer, then one pass of pending window events.
void busymouse();
// Default pointer, then one pass of pending window events.
void normalmouse();

}  // namespace wexlo::mSHAREDSubs
