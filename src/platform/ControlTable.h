#pragma once

// Every window lays out its controls from one table: a row per control with its name, caption,
// place in twips relative to its parent, and what a screen reader reads; the rows stand in tab
// order. A window makes its controls (parent first), passes the table to layOut(), then sets
// what is its own (fonts, alignment, validators). A window with no twips for its controls leaves
// the places empty and puts them in Qt layouts. Twips are converted to pixels here and nowhere
// else.

#include <QRect>

#include <initializer_list>

class QWidget;

namespace wexlo::platform {

// Positions and sizes given in twips: pixels = twips x logical DPI / 1440.
int twips(int twipsValue);
QRect twipsRect(int left, int top, int width, int height);
// Pixels back to twips, rounded.
int toTwips(int pixels);
// The fewest whole pixels that cover the given twips.
int pixelsCovering(int twipsValue);

struct TwipsRect {
    int left = 0, top = 0, width = 0, height = 0;
};

// One control of a window's table. Texts are UTF-8; nullptr leaves the control's own.
struct Control {
    QWidget* widget;
    const char* name;
    const char* caption = nullptr;  // the text of a label or button, the title of a frame
    TwipsRect at = {};              // all zero: a layout places it
    const char* tip = nullptr;
    // The accessible name. A label that shows a value has none, so a screen reader reads the value.
    const char* readAs = nullptr;
    QWidget* buddy = nullptr;  // the value control a caption label names
};

// Names, captions and places every control of the table, and chains the ones that take focus
// into the tab order, in table order. With a context, the texts are looked up in the user's
// language under it (the window's class name, as its tr() uses).
void layOut(std::initializer_list<Control> table, const char* context = nullptr);

// Gives a caption label or button whose text is wider than its place (a longer translation)
// the room it needs: first leftwards, up to the nearest control on its left; then a label
// takes the rest from the front of the box it names. A text that fits changes nothing, so the
// English window keeps its places.
void makeRoomForTexts(std::initializer_list<QWidget*> controls);

}  // namespace wexlo::platform
