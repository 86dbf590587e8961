#pragma once

// The loans file datalist.txt: five "KEY:value" lines per loan (DATE, LENTTO, ITEM, PHONE,
// ADDRESS), CR LF after every line. The DATE line holds a day number between blanks. A loan
// with a due date has a "DUE:" line after ADDRESS, a returned loan a "RETURNED:" line (both
// day numbers written as DATE is); readers that do not know these keys skip them. Reading
// and writing are plain functions so that the file format can be tested and fuzzed without a
// window.

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUtf8StringView>

#include "app/register/Loan.h"
#include "app/register/LoanMerge.h"
#include "platform/ListRow.h"

#include <functional>
#include <vector>

namespace wexlo {
class LoanRegister;
}

namespace wexlo::loansfile {

struct Parsed {
    // File order; each has field::kListed cells, or field::kCount when the record has a DUE
    // or RETURNED line.
    QList<QStringList> rows;
    int orphans = 0;  // field lines before the first DATE line (skipped)
};

// Reads the file's text (LF or CR LF line ends). A DATE value that is a day number or a date
// becomes the row's "YYYY-MM-DD"; any other value is kept as written so that saving keeps it.
Parsed parse(const QString& text);
// The same from the file's bytes (each line read as UTF-8 when it is valid UTF-8, else as
// Windows-1252), without a text object per value: each loan's cells (as UTF-8, valid until the
// call returns) go to loan in file order. Returns the field lines skipped before the first DATE
// line.
int read(QByteArrayView bytes,
         const std::function<void(const QUtf8StringView* cells, int count)>& loan);

// The file's bytes (UTF-8) for rows 0..rowCount-1, each cell given by cell(row, column),
// handed to sink in pieces in file order.
void format(int rowCount, const std::function<QString(int row, int column)>& cell,
            const std::function<void(const QByteArray& bytes)>& sink);
// The same, whole.
QByteArray format(int rowCount, const std::function<QString(int row, int column)>& cell);
// As format(), with each loan's DUE and RETURNED lines when its cell holds a date.
void formatLoans(int rowCount, const std::function<QString(int row, int column)>& cell,
                 const std::function<void(const QByteArray& bytes)>& sink);
QByteArray formatLoans(int rowCount, const std::function<QString(int row, int column)>& cell);
// The same with cells given as their UTF-8 bytes (copied as they are: a big list saves faster so).
void formatLoanBytes(int rowCount, const std::function<QUtf8StringView(int row, int column)>& cell,
                     const std::function<void(const QByteArray& bytes)>& sink);

// The file at path read into the register, replacing its loans. readable is false when the file
// exists but could not be read (the register is then empty); orphans are the field lines
// skipped before the first DATE line.
struct ReadResult {
    bool readable = true;
    int orphans = 0;
};
ReadResult load(const QString& path, LoanRegister& loans);
// The same, handing the bytes read and the hashes of their loans (in file order) to seen when
// the file could be read (to remember what it held): before the loans are sorted in, so that
// the bytes are let go before the sort takes its memory.
ReadResult load(
    const QString& path, LoanRegister& loans,
    const std::function<void(QByteArrayView bytes, std::vector<loanmerge::Hash>&& hashes)>& seen);
// The loans of a file's bytes as the register's rows, in file order.
std::vector<platform::ListRow> rowsOf(QByteArrayView bytes, int* orphans = nullptr);
// Every loan of the register, in its file order, handed to sink in pieces (UTF-8).
void write(const LoanRegister& loans, const std::function<void(const QByteArray& bytes)>& sink);

// A copy of datalist.txt that a sync tool left beside it when two machines changed it at once:
// "datalist.sync-conflict-YYYYMMDD-HHMMSS-ID.txt", "datalist (conflicted copy YYYY-MM-DD
// HHMMSS).txt", "datalist (NAME's conflicted copy YYYY-MM-DD).txt".
bool isConflictCopy(const QString& fileName);

// "YYYY-MM-DD", the form of every row's date. Empty for a year outside 1..9999.
QString isoDate(const QDate& d);
// A row's date or a DATE value (a day number between blanks, or any date the user's forms read).
bool readDate(const QString& text, QDate& out);

}  // namespace wexlo::loansfile
