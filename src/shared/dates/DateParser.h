#pragma once

// The system's date parser and day numbers.
//
// A day number counts whole days since 30 December 1899 (day 0). parseDate() accepts:
//  - a day number, with surrounding blanks and a fraction of a day ("46088", " 46088.5 ");
//  - YYYY-MM-DD;
//  - the user's short date in the user's field order (two-digit years 30-99 are 1930-1999,
//    00-29 are 2000-2029), with "/", ".", "-" or a blank between the fields;
//  - day, month name and year such as 30/Jul/2006 (English abbreviations and the user's).
// Anything else raises RuntimeError 13 (type mismatch): it never guesses.

#include <QDate>
#include <QString>

namespace wexlo::dates {

QDate dayZero();  // 30 December 1899
qint64 dayNumber(const QDate& d);
QDate fromDayNumber(qint64 n);

// True for a non-empty text of ASCII digits only.
bool allDigits(const QString& s);

QDate parseDate(const QString& text);
bool tryParseDate(const QString& text, QDate& out);

}  // namespace wexlo::dates
