#pragma once

// The user's short date: field order, separator and year length, found once per run from the
// regional settings, plus the date pattern language every date display uses.
// Handlers log the module name "mSHAREDGetDate".

#include <QDate>
#include <QDateTime>
#include <QString>

namespace wexlo::mSHAREDDateFunc {

// The date formatted with the user's short date pattern (e.g. "07/03/2026").
QString shortformatdate(const QDate& d);
// Formats with the pattern language: DD, MM, MMM, YYYY, YY, HH, MM after "HH:", "/" for the
// user's date separator, ":" for the time separator; letters of either case.
QString formatdate(const QDateTime& when, const QString& pattern);
QString formatdate(const QDate& d, const QString& pattern);

QString dateseparator();
int monthfield();               // 1..3
int dayfield();                 // 1..3
QString truestring();           // the locale's word for true, upper case ("TRUE")
QString falsestring();          // likewise for false
QString shortdatepattern();     // e.g. "DD/MM/YYYY"
QString fulldatepattern();      // e.g. "DD/MMM/YYYY"
QString fulldatetimepattern();  // the full pattern and " HH:MM"

void checkinitialised();
void setuplocale();
// The detections; they work afresh on every call.
QString fdateseparator();
QString flocaldateformatstring();
QString flocalfulldateformat();

// Tests: the short-date text of 25 December 2001 to detect from (empty: ask the locale).
void setProbeTextForTests(const QString& text);
// Forgets what setuplocale found, as at program start (for tests).
void resetForTests();

}  // namespace wexlo::mSHAREDDateFunc
