#pragma once

// The log file log.txt and the list of the 40 most recent errors.

#include <QString>

namespace wexlo::logging {

inline constexpr int kRecentSlots = 40;

// Appends one line "HH:MM:SS" + padding to column 15 + text + CR LF. Throws RuntimeError when
// the line cannot be written (the caller's handler records it).
void writeLine(const QString& text);
// Keeps "message in procedure of module" among the recent entries; the 41st writes the block.
void logError(const QString& message, const QString& procedure = {}, const QString& module = {});
// The same with "DBG: " in front; it never writes the block.
void logDebug(const QString& message, const QString& procedure = {}, const QString& module = {});
// Writes the recent entries, oldest first, between a heading and a closing line.
void writeRecentActions();

// The full path of the log file (empty until the first line was written).
QString logPath();
// Forgets the log path and empties the list, as at program start (for tests).
void resetForTests();

}  // namespace wexlo::logging
