#pragma once

// Every loan as comma-separated values for a spreadsheet (RFC 4180): a heading line, then one
// line per loan with the date lent, the person, the item, phone, address, due date and return
// date (dates as YYYY-MM-DD, empty when none), UTF-8 with a byte-order mark so that
// spreadsheets take the characters right, CR LF after every line.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace wexlo::csvexport {

// One field as RFC 4180 writes it: quoted (with quotes doubled) when it holds a comma, a
// quote or a line break.
QString field(const QString& text);
// The whole file for rowCount loans, cells as the loans file holds them.
QByteArray format(int rowCount, const std::function<QString(int row, int column)>& cell);
// Writes it atomically; on failure throws RuntimeError and the old file stays as it was.
void write(const QString& path, const QByteArray& bytes);

}  // namespace wexlo::csvexport
