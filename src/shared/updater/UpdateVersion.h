#pragma once

// Version numbers as the version file and the running program write them: Major "." Minor "."
// Revision and an optional letter (1.00.0009a), and the package address on the second line.

#include <QString>

#include <cstdint>

namespace wexlo {

namespace logname {
// The module names the log lines of the update window and of the update schedule carry.
inline const QString kUpdateWindowModule = QStringLiteral("fSharedUpdater");
inline const QString kUpdateScheduleModule = QStringLiteral("mSHAREDUpdater");
}  // namespace logname

struct ParsedVersion {
    std::int16_t majorNumber = 0;
    std::int16_t minorNumber = 0;
    std::int16_t revision = 0;
    QString letter;   // at most one character; empty when there is none
    QString address;  // the package address ("@@@" replaced); empty without a second line

    // The numbers and the letter in plain decimal, e.g. "1.0.9a".
    QString text() const;
    // True when this version is greater than other: the numbers as numbers, then the letters
    // by character code, the empty letter below every letter.
    bool isNewerThan(const ParsedVersion& other) const;
};

// Parses a version text: the version on the first line, the package address on the second.
// A step that fails is logged and the outputs it was to set keep their previous values.
void parseVersion(const QString& text, ParsedVersion& version);

// The leading number of a text as the general numeric conversion reads it: blanks skipped,
// an optional sign, digits with an optional fraction and exponent; reading stops at the first
// character that cannot continue a number. 0 when there is none.
double leadingNumber(const QString& text);
// Rounds half to even into a 16-bit whole number; raises error 6 (overflow) out of range.
std::int16_t roundToInt16(double value);

// Text that came from a server, fit for the log: at most kLoggedServerText characters, the rest
// cut off and the cut marked, so a hostile server cannot grow the log.
constexpr qsizetype kLoggedServerText = 300;
QString forLog(const QString& serverText);

}  // namespace wexlo
