#pragma once

#include <QByteArray>
#include <QString>

#include <initializer_list>
#include <utility>

class QLabel;
class QLineEdit;
class QWidget;

namespace wexlo::text {

// Selects the whole text of the box, then lets pending window events run once.
void selectAll(QLineEdit* box);

// Leading and trailing blanks (space characters) off, nothing else: a tab is not a blank.
QString trimBlanks(const QString& s);
// The same, as a view into s (no copy).
QStringView trimBlanksView(QStringView s);

// Captions placed left of their fields: where a caption's text (a translation) would run into
// its field, the labels widen and the fields give up that room at their left edge, keeping
// their right edge, so the fields still line up. Captions that end before their fields leave
// everything where it is.
void widenCaptions(std::initializer_list<std::pair<QLabel*, QWidget*>> rows);

// A translated text as the UTF-8 a control table reads: u8(tr("Exit")). The bytes live until
// the end of the statement that made them, long enough for platform::layOut().
struct Utf8 {
    QByteArray bytes;
    operator const char*() const { return bytes.constData(); }
};
inline Utf8 u8(const QString& s) { return {s.toUtf8()}; }

}  // namespace wexlo::text
