#pragma once

// The mouse pointer while the program is busy on its one UI thread.

namespace wexlo::pointer {

// Hourglass pointer, then one pass of pending window events.
void showBusy();
// Default pointer, then one pass of pending window events.
void showNormal();

}  // namespace wexlo::pointer
