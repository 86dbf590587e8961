#pragma once

// A dialog's controls laid out from a table: each control's place in twips, relative to its
// parent, listed in tab order.

#include <initializer_list>

class QWidget;

namespace wexlo::platform {

struct TwipsPlace {
    QWidget* widget;
    int left, top, width, height;
};

// Places every control and chains the ones that take focus into the tab order, in table order.
void placeInTabOrder(std::initializer_list<TwipsPlace> places);

}  // namespace wexlo::platform
