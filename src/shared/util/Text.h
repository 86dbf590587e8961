#pragma once

#include <QString>

class QLineEdit;

namespace wexlo::text {

// Selects the whole text of the box, then lets pending window events run once.
void selectAll(QLineEdit* box);

// Leading and trailing blanks (space characters) off, nothing else: a tab is not a blank.
QString trimBlanks(const QString& s);
// The same, as a view into s (no copy).
QStringView trimBlanksView(QStringView s);

}  // namespace wexlo::text
