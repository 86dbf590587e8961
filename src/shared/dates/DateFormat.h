#pragma once

// The user's short date: field order, separator and year length, found once per run from the
// regional settings, plus the date pattern language every date display uses.

#include <QDate>
#include <QDateTime>
#include <QString>

namespace wexlo::dateformat {

// The date formatted with the user's short date pattern (e.g. "07/03/2026").
QString shortDateText(const QDate& d);
// Formats with the pattern language: DD, MM, MMM, YYYY, YY, HH, MM after "HH:", "/" for the
// user's date separator, ":" for the time separator; letters of either case.
QString formatDate(const QDateTime& when, const QString& pattern);
QString formatDate(const QDate& d, const QString& pattern);

QString separator();
int monthPosition();            // 1..3
int dayPosition();              // 1..3
QString trueWord();             // the locale's word for true, upper case ("TRUE")
QString falseWord();            // likewise for false
QString shortPattern();         // e.g. "DD/MM/YYYY"
QString fullPattern();          // e.g. "DD/MMM/YYYY"
QString fullDateTimePattern();  // the full pattern and " HH:MM"

// Finds the user's short date once and logs what it found; later calls do nothing.
void detectOnce();
// The detections; they work afresh on every call.
QString detectSeparator();
QString detectShortPattern();
QString detectFullPattern();

// Tests: the short-date text of 25 December 2001 to detect from (empty: ask the locale).
void setProbeTextForTests(const QString& text);
// Forgets what detectOnce found, as at program start (for tests).
void resetForTests();

}  // namespace wexlo::dateformat
