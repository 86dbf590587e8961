#include "app/LoansFile.h"

#include "app/register/LoanRegister.h"

#include "shared/dates/DateParser.h"
#include "shared/util/Files.h"

#include <QRegularExpression>

#include <array>
#include <string>
#include <string_view>

namespace wexlo::loansfile {

namespace {

char32_t codeOf(QChar c) { return c.unicode(); }
char32_t codeOf(char c) { return static_cast<unsigned char>(c); }

// The common forms read without the general parser, which is slow for a big file: a whole
// day number between blanks, as the file holds it, and a row's "YYYY-MM-DD".
template <class Char>
bool quickDate(const Char* p, qsizetype size, QDate& out)
{
    qsizetype b = 0;
    qsizetype e = size;
    while (b < e && codeOf(p[b]) == U' ')
        ++b;
    while (e > b && codeOf(p[e - 1]) == U' ')
        --e;
    auto digits = [p](qsizetype from, qsizetype to, int& value) {
        value = 0;
        for (qsizetype i = from; i < to; ++i) {
            const char32_t c = codeOf(p[i]);
            if (c < U'0' || c > U'9')
                return false;
            value = value * 10 + static_cast<int>(c - U'0');
        }
        return true;
    };
    if (e - b == 10 && codeOf(p[b + 4]) == U'-' && codeOf(p[b + 7]) == U'-') {
        int y = 0, m = 0, d = 0;
        if (!digits(b, b + 4, y) || !digits(b + 5, b + 7, m) || !digits(b + 8, b + 10, d))
            return false;
        out = QDate(y, m, d);
        return out.isValid();
    }
    const bool negative = b < e && codeOf(p[b]) == U'-';
    if (negative)
        ++b;
    int n = 0;
    if (e - b < 1 || e - b > 7 || !digits(b, e, n))
        return false;
    out = dates::fromDayNumber(negative ? -n : n);
    return out.isValid();
}

// The years a row's "YYYY-MM-DD" can show.
bool inShownYears(const QDate& d) { return d.isValid() && d.year() >= 1 && d.year() <= 9999; }

// "YYYY-MM-DD" into out; false for a year outside 1..9999.
bool isoChars(const QDate& d, char (&out)[10])
{
    int y = 0, month = 0, day = 0;
    d.getDate(&y, &month, &day);  // once: each of year(), month() and day() would work it out again
    if (!d.isValid() || y < 1 || y > 9999)
        return false;
    for (int i = 3; i >= 0; --i, y /= 10)
        out[i] = static_cast<char>('0' + y % 10);
    out[4] = out[7] = '-';
    out[5] = static_cast<char>('0' + month / 10);
    out[6] = static_cast<char>('0' + month % 10);
    out[8] = static_cast<char>('0' + day / 10);
    out[9] = static_cast<char>('0' + day % 10);
    return true;
}

}  // namespace

QString isoDate(const QDate& d)
{
    char iso[10];
    return isoChars(d, iso) ? QString::fromLatin1(iso, 10) : QString();
}

bool readDate(const QString& text, QDate& out)
{
    if (quickDate(text.constData(), text.size(), out))
        return true;
    return dates::tryParseDate(text, out) && out.isValid();
}

namespace {

QByteArrayView trimBlanks(QByteArrayView v)
{
    while (!v.isEmpty() && v.front() == ' ')
        v = v.sliced(1);
    while (!v.isEmpty() && v.back() == ' ')
        v.chop(1);
    return v;
}

// A date value as a row holds it: "YYYY-MM-DD", or the value as written when it is no date a row
// can show.
void rowDate(QByteArrayView value, std::string& out)
{
    QDate d;
    char iso[10];
    const bool date = quickDate(value.data(), value.size(), d) ||
                      (dates::tryParseDate(QString::fromUtf8(value), d) && d.isValid());
    if (date && isoChars(d, iso))
        out.assign(iso, sizeof iso);
    else
        out.assign(value.data(), static_cast<size_t>(value.size()));
}

// The loans in the lines handed on; a record goes to loan once it is read whole.
class Reader {
public:
    explicit Reader(const std::function<void(const QUtf8StringView* cells, int count)>& loan)
        : loan_(loan)
    {
    }
    ~Reader() { finish(); }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    int orphans = 0;  // field lines before the first DATE line

    void line(QByteArrayView text)
    {
        if (text.endsWith('\r'))
            text.chop(1);
        const qsizetype colon = text.indexOf(':');
        if (colon < 0)
            return;
        const QByteArrayView key = text.first(colon);
        const QByteArrayView value = text.sliced(colon + 1);
        if (key == "DATE") {
            finish();
            count_ = field::kListed;
            for (int c = 1; c < field::kCount; ++c)
                cells_[static_cast<size_t>(c)].clear();
            rowDate(value, cells_[field::Date]);
            return;
        }
        int at = -1;
        if (key == "LENTTO")
            at = field::Borrower;
        else if (key == "ITEM")
            at = field::Item;
        else if (key == "PHONE")
            at = field::Phone;
        else if (key == "ADDRESS")
            at = field::Address;
        else if (key == "DUE")
            at = field::Due;
        else if (key == "RETURNED")
            at = field::Returned;
        else
            return;
        if (count_ == 0) {
            ++orphans;
            return;
        }
        const QByteArrayView trimmed = trimBlanks(value);
        std::string& cell = cells_[static_cast<size_t>(at)];
        if (at < field::kListed) {
            cell.assign(trimmed.data(), static_cast<size_t>(trimmed.size()));
            return;
        }
        // Kept as written (without blanks) when it is no date, so that saving keeps it.
        if (trimmed.isEmpty())
            return;
        rowDate(trimmed, cell);
        count_ = field::kCount;
    }

    void finish()
    {
        if (count_ == 0)
            return;
        std::array<QUtf8StringView, field::kCount> views;
        for (size_t c = 0; c < views.size(); ++c)
            views[c] = QUtf8StringView(cells_[c].data(), static_cast<qsizetype>(cells_[c].size()));
        const int count = count_;
        count_ = 0;
        loan_(views.data(), count);
    }

private:
    const std::function<void(const QUtf8StringView* cells, int count)>& loan_;
    std::array<std::string, field::kCount> cells_;  // reused from loan to loan
    int count_ = 0;  // the record's cells; 0 before the first DATE line
};

}  // namespace

int read(QByteArrayView bytes,
         const std::function<void(const QUtf8StringView* cells, int count)>& loan)
{
    // No line end at all (an empty file included): nothing to load.
    if (!bytes.contains('\n'))
        return 0;
    Reader reader(loan);
    files::forEachUtf8Line(bytes, [&reader](QByteArrayView line) { reader.line(line); });
    reader.finish();
    return reader.orphans;
}

Parsed parse(const QString& text)
{
    Parsed result;
    result.orphans = read(text.toUtf8(), [&result](const QUtf8StringView* cells, int count) {
        QStringList row;
        row.reserve(count);
        for (int c = 0; c < count; ++c)
            row.append(QString::fromUtf8(cells[c]));
        result.rows.append(row);
    });
    return result;
}

namespace {

// Days from 1 March of year 0 in the proleptic Gregorian calendar, by arithmetic alone.
qint64 civilDays(int y, int m, int d)
{
    y -= m <= 2 ? 1 : 0;
    const int era = y / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return static_cast<qint64>(era) * 146097 + doe;
}

// A row's "YYYY-MM-DD" (years 1 to 9999) as its day number without going through QDate, which
// costs more than the rest of a save. False for any other text.
template <class Char>
bool isoDayNumber(const Char* p, qsizetype size, qint64& out)
{
    auto at = [p](qsizetype i) { return codeOf(p[i]); };
    if (size != 10 || at(4) != U'-' || at(7) != U'-')
        return false;
    int v[3] = {0, 0, 0};
    const int from[3] = {0, 5, 8};
    const int to[3] = {4, 7, 10};
    for (int f = 0; f < 3; ++f)
        for (int i = from[f]; i < to[f]; ++i) {
            if (at(i) < U'0' || at(i) > U'9')
                return false;
            v[f] = v[f] * 10 + static_cast<int>(at(i) - U'0');
        }
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int y = v[0], m = v[1], d = v[2];
    if (y < 1 || m < 1 || m > 12 || d < 1 || d > kDays[m - 1])
        return false;
    if (m == 2 && d == 29 && !(y % 4 == 0 && (y % 100 != 0 || y % 400 == 0)))
        return false;
    static const qint64 zero = civilDays(1899, 12, 30);
    out = civilDays(y, m, d) - zero;
    return true;
}

// A cell's bytes in the file (UTF-8).
void appendCell(std::string& out, const QString& cell)
{
    const QByteArray bytes = cell.toUtf8();
    out.append(bytes.constData(), static_cast<size_t>(bytes.size()));
}
void appendCell(std::string& out, QUtf8StringView cell)
{
    out.append(cell.data(), static_cast<size_t>(cell.size()));
}

bool isoDayNumber(const QString& cell, qint64& out)
{
    return isoDayNumber(cell.constData(), cell.size(), out);
}
bool isoDayNumber(QUtf8StringView cell, qint64& out)
{
    return isoDayNumber(cell.data(), cell.size(), out);
}
QString asText(const QString& cell) { return cell; }
QString asText(QUtf8StringView cell) { return QString::fromUtf8(cell.data(), cell.size()); }

// A day number as the file holds it: the sign's place (a blank or "-"), the digits, a blank.
// Written digit by digit: this runs once per loan on every save.
void appendDayNumber(std::string& out, qint64 n)
{
    char buf[24];
    int i = sizeof buf;
    buf[--i] = ' ';
    const bool negative = n < 0;
    quint64 v = negative ? 0 - static_cast<quint64>(n) : static_cast<quint64>(n);
    do {
        buf[--i] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    buf[--i] = negative ? '-' : ' ';
    out.append(buf + i, sizeof buf - static_cast<size_t>(i));
}

// A date cell as the file holds it: its day number, or the text as it was read when it is no date
// a row can show.
template <class Cell>
void appendDate(std::string& out, const Cell& date)
{
    qint64 n = 0;
    if (isoDayNumber(date, n)) {
        appendDayNumber(out, n);
        return;
    }
    QDate d;
    if (readDate(asText(date), d) && inShownYears(d))
        appendDayNumber(out, dates::dayNumber(d));
    else
        appendCell(out, date);
}

// cell gives a QString, or a cell's UTF-8 bytes as the list holds them (copied as they are).
template <class Cell>
void formatRows(int rowCount, const std::function<Cell(int row, int column)>& cell,
                const std::function<void(const QByteArray& bytes)>& sink, bool withLife)
{
    // Handed on in pieces of about 64 KiB: one buffer for a whole big file costs more in fresh
    // memory pages than the writing itself.
    using namespace std::string_view_literals;
    constexpr size_t kPiece = 64 * 1024;
    std::string text;
    text.reserve(kPiece + 4096);
    auto flush = [&] {
        sink(QByteArray(text.data(), static_cast<qsizetype>(text.size())));
        text.clear();
    };
    for (int r = 0; r < rowCount; ++r) {
        text.append("DATE:"sv);
        // A date that could not be read when loading goes back as it was written; so does one
        // outside the years a row can show, which loading kept as written too.
        appendDate(text, cell(r, field::Date));
        text.append("\r\nLENTTO:"sv);
        appendCell(text, cell(r, field::Borrower));
        text.append("\r\nITEM:"sv);
        appendCell(text, cell(r, field::Item));
        text.append("\r\nPHONE:"sv);
        appendCell(text, cell(r, field::Phone));
        text.append("\r\nADDRESS:"sv);
        appendCell(text, cell(r, field::Address));
        text.append("\r\n"sv);
        if (withLife) {
            const Cell due = cell(r, field::Due);
            if (!due.isEmpty()) {
                text.append("DUE:"sv);
                appendDate(text, due);
                text.append("\r\n"sv);
            }
            const Cell returned = cell(r, field::Returned);
            if (!returned.isEmpty()) {
                text.append("RETURNED:"sv);
                appendDate(text, returned);
                text.append("\r\n"sv);
            }
        }
        if (text.size() >= kPiece)
            flush();
    }
    if (!text.empty())
        flush();
}

}  // namespace

void format(int rowCount, const std::function<QString(int row, int column)>& cell,
            const std::function<void(const QByteArray& bytes)>& sink)
{
    formatRows(rowCount, cell, sink, false);
}

QByteArray format(int rowCount, const std::function<QString(int row, int column)>& cell)
{
    QByteArray bytes;
    format(rowCount, cell, [&bytes](const QByteArray& piece) { bytes += piece; });
    return bytes;
}

void formatLoans(int rowCount, const std::function<QString(int row, int column)>& cell,
                 const std::function<void(const QByteArray& bytes)>& sink)
{
    formatRows(rowCount, cell, sink, true);
}

void formatLoanBytes(int rowCount, const std::function<QUtf8StringView(int row, int column)>& cell,
                     const std::function<void(const QByteArray& bytes)>& sink)
{
    formatRows(rowCount, cell, sink, true);
}

QByteArray formatLoans(int rowCount, const std::function<QString(int row, int column)>& cell)
{
    QByteArray bytes;
    formatLoans(rowCount, cell, [&bytes](const QByteArray& piece) { bytes += piece; });
    return bytes;
}

std::vector<platform::ListRow> rowsOf(QByteArrayView bytes, int* orphans)
{
    // Read straight from the file's bytes into the register's rows: a big register would
    // otherwise pass through a text of the whole file and a text object per value.
    std::vector<platform::ListRow> rows;
    rows.reserve(static_cast<size_t>(bytes.size() / 100));
    const int skipped = read(bytes, [&rows](const QUtf8StringView* cells, int count) {
        rows.emplace_back(cells, count);
    });
    if (orphans != nullptr)
        *orphans = skipped;
    return rows;
}

ReadResult load(
    const QString& path, LoanRegister& loans,
    const std::function<void(QByteArrayView bytes, std::vector<loanmerge::Hash>&& hashes)>& seen)
{
    ReadResult result;
    std::vector<platform::ListRow> rows;
    {
        QByteArray bytes;
        result.readable = files::readAllBytes(path, bytes);
        rows = rowsOf(bytes, &result.orphans);
        // Each row hashed itself as it was read.
        if (result.readable && seen)
            seen(bytes, loanmerge::hashesOf(rows));
    }
    loans.replaceAll(std::move(rows));
    return result;
}

ReadResult load(const QString& path, LoanRegister& loans) { return load(path, loans, {}); }

bool isConflictCopy(const QString& fileName)
{
    static const QRegularExpression names(QStringLiteral(
        R"(^datalist(\.sync-conflict-\d{8}-\d{6}-[A-Za-z0-9]+)"
        R"(| \(conflicted copy \d{4}-\d{2}-\d{2} \d{6}\))"
        R"(| \(.+['\x{2019}]s conflicted copy \d{4}-\d{2}-\d{2}\)(?: \(\d+\))?)\.txt$)"));
    return names.match(fileName).hasMatch();
}

void write(const LoanRegister& loans, const std::function<void(const QByteArray& bytes)>& sink)
{
    const std::vector<int> order = loans.fileOrder();
    formatLoanBytes(
        static_cast<int>(order.size()),
        [&loans, &order](int row, int column) { return loans.utf8(order[size_t(row)], column); },
        sink);
}

}  // namespace wexlo::loansfile
