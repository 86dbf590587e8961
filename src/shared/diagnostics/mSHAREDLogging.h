#pragma once

// The log file log.txt and the 40-entry recent-actions list.

#include <QString>

namespace wexlo::mSHAREDLogging {

inline constexpr int kActionSlots = 40;

// Appends one line "HH:MM:SS" + padding to column 15 + text + CR LF. Throws RuntimeError when
// the line cannot be written (the caller's handler records it).
void writelog(const QString& text);
void logerror(const QString& message, const QString& procedure = {}, const QString& module = {});
void logdebug(const QString& message, const QString& procedure = {}, const QString& module = {});
void listactions();

// The full path of the log file (empty until the first line was written).
QString logPath();
// Forgets the log path and empties the list, as at program start (for tests).
void resetForTests();

}  // namespace wexlo::mSHAREDLogging
