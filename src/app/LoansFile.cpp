#include "app/LoansFile.h"

#include "shared/dates/DateParser.h"
#include "shared/util/mSHAREDTextSubs.h"

namespace wexlo::loansfile {

namespace {

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// The common forms read without the general parser, which is slow for a big file: a whole
// day number between blanks, as the file holds it, and a row's "YYYY-MM-DD".
bool quickDate(QStringView text, QDate& out)
{
    const QChar* p = text.constData();
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && p[b] == QLatin1Char(' '))
        ++b;
    while (e > b && p[e - 1] == QLatin1Char(' '))
        --e;
    auto digits = [p](qsizetype from, qsizetype to, int& value) {
        value = 0;
        for (qsizetype i = from; i < to; ++i) {
            if (!isDigit(p[i]))
                return false;
            value = value * 10 + (p[i].unicode() - '0');
        }
        return true;
    };
    if (e - b == 10 && p[b + 4] == QLatin1Char('-') && p[b + 7] == QLatin1Char('-')) {
        int y = 0, m = 0, d = 0;
        if (!digits(b, b + 4, y) || !digits(b + 5, b + 7, m) || !digits(b + 8, b + 10, d))
            return false;
        out = QDate(y, m, d);
        return out.isValid();
    }
    const bool negative = b < e && p[b] == QLatin1Char('-');
    if (negative)
        ++b;
    int n = 0;
    if (e - b < 1 || e - b > 7 || !digits(b, e, n))
        return false;
    out = dates::fromDayNumber(negative ? -n : n);
    return out.isValid();
}

// A day number as the file holds it: the sign's place (a blank or "-"), the digits, a blank.
// Written digit by digit: this runs once per loan on every save.
void appendDayNumber(QString& out, qint64 n)
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
    out += QLatin1StringView(buf + i, static_cast<qsizetype>(sizeof buf) - i);
}

// The years a row's "YYYY-MM-DD" can show.
bool inShownYears(const QDate& d) { return d.isValid() && d.year() >= 1 && d.year() <= 9999; }

}  // namespace

QString isoDate(const QDate& d)
{
    int y = 0, month = 0, day = 0;
    d.getDate(&y, &month, &day);  // once: each of year(), month() and day() would work it out again
    if (!d.isValid() || y < 1 || y > 9999)
        return {};
    QString s(10, QLatin1Char('-'));
    for (int i = 3; i >= 0; --i, y /= 10)
        s[i] = QLatin1Char(static_cast<char>('0' + y % 10));
    s[5] = QLatin1Char(static_cast<char>('0' + month / 10));
    s[6] = QLatin1Char(static_cast<char>('0' + month % 10));
    s[8] = QLatin1Char(static_cast<char>('0' + day / 10));
    s[9] = QLatin1Char(static_cast<char>('0' + day % 10));
    return s;
}

bool readDate(const QString& text, QDate& out)
{
    if (quickDate(text, out))
        return true;
    return dates::tryParseDate(text, out) && out.isValid();
}

namespace {

// A date value as a row holds it: "YYYY-MM-DD", or empty when it is no date a row can show.
QString rowDate(QStringView value)
{
    QDate d;
    if (quickDate(value, d))
        return isoDate(d);
    return dates::tryParseDate(value.toString(), d) && d.isValid() ? isoDate(d) : QString();
}

}  // namespace

Parsed parse(const QString& text)
{
    Parsed result;
    // No line end at all (an empty file included): nothing to load.
    if (!text.contains(QLatin1Char('\n')))
        return result;
    result.rows.reserve(text.count(QLatin1Char('\n')) / 5 + 1);
    QStringList* current = nullptr;
    const QStringView all(text);
    qsizetype start = 0;
    while (start <= all.size()) {
        qsizetype end = all.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = all.size();
        QStringView line = all.mid(start, end - start);
        start = end + 1;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon < 0)
            continue;
        const QStringView key = line.left(colon);
        const QStringView value = line.mid(colon + 1);
        int field = -1;
        if (key == u"DUE" || key == u"RETURNED") {
            if (current == nullptr) {
                ++result.orphans;
                continue;
            }
            // Kept as written (without blanks) when it is no date, so that saving keeps it.
            const QStringView trimmed = mSHAREDTextSubs::trimBlanksView(value);
            const QString shown = rowDate(trimmed);
            const QString kept = shown.isEmpty() ? trimmed.toString() : shown;
            if (kept.isEmpty())
                continue;
            if (current->size() < LoanColumnCount)
                current->resize(LoanColumnCount);
            (*current)[key == u"DUE" ? ColDue : ColReturned] = kept;
            continue;
        }
        if (key == u"DATE") {
            const QString shown = rowDate(value);
            result.rows.append(
                QStringList{shown.isEmpty() ? value.toString() : shown, {}, {}, {}, {}});
            current = &result.rows.last();
            continue;
        }
        if (key == u"LENTTO")
            field = ColLentTo;
        else if (key == u"ITEM")
            field = ColItem;
        else if (key == u"PHONE")
            field = ColPhone;
        else if (key == u"ADDRESS")
            field = ColAddress;
        else
            continue;
        if (current == nullptr) {
            ++result.orphans;
            continue;
        }
        (*current)[field] = mSHAREDTextSubs::trimBlanksView(value).toString();
    }
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
bool isoDayNumber(const QString& text, qint64& out)
{
    if (text.size() != 10 || text.at(4) != QLatin1Char('-') || text.at(7) != QLatin1Char('-'))
        return false;
    const QChar* p = text.constData();
    int v[3] = {0, 0, 0};
    const int from[3] = {0, 5, 8};
    const int to[3] = {4, 7, 10};
    for (int f = 0; f < 3; ++f)
        for (int i = from[f]; i < to[f]; ++i) {
            if (!isDigit(p[i]))
                return false;
            v[f] = v[f] * 10 + (p[i].unicode() - '0');
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

// A date cell as the file holds it: its day number, or the text as it was read when it is no date
// a row can show.
void appendDate(QString& text, const QString& date)
{
    qint64 n = 0;
    if (isoDayNumber(date, n)) {
        appendDayNumber(text, n);
        return;
    }
    QDate d;
    if (readDate(date, d) && inShownYears(d))
        appendDayNumber(text, dates::dayNumber(d));
    else
        text += date;
}

// cell gives a QString or a reference to one (which saves a reference count per cell).
template <class Cell>
void formatRows(int rowCount, const Cell& cell,
                const std::function<void(const QByteArray& bytes)>& sink, bool withLife)
{
    // Handed on in pieces of about 32,000 characters: one buffer for a whole big file costs more in
    // fresh memory pages than the writing itself.
    constexpr qsizetype kPiece = 32 * 1024;
    QString text;
    text.reserve(kPiece + 4096);
    auto flush = [&] {
        sink(text.toUtf8());
        text.resize(0);
    };
    for (int r = 0; r < rowCount; ++r) {
        text += QLatin1StringView("DATE:");
        // A date that could not be read when loading goes back as it was written; so does one
        // outside the years a row can show, which loading kept as written too.
        appendDate(text, cell(r, ColDate));
        text += QLatin1StringView("\r\nLENTTO:");
        text += cell(r, ColLentTo);
        text += QLatin1StringView("\r\nITEM:");
        text += cell(r, ColItem);
        text += QLatin1StringView("\r\nPHONE:");
        text += cell(r, ColPhone);
        text += QLatin1StringView("\r\nADDRESS:");
        text += cell(r, ColAddress);
        text += QLatin1StringView("\r\n");
        if (withLife) {
            const QString& due = cell(r, ColDue);
            if (!due.isEmpty()) {
                text += QLatin1StringView("DUE:");
                appendDate(text, due);
                text += QLatin1StringView("\r\n");
            }
            const QString& returned = cell(r, ColReturned);
            if (!returned.isEmpty()) {
                text += QLatin1StringView("RETURNED:");
                appendDate(text, returned);
                text += QLatin1StringView("\r\n");
            }
        }
        if (text.size() >= kPiece)
            flush();
    }
    if (!text.isEmpty())
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

void formatLoanRefs(int rowCount, const std::function<const QString&(int row, int column)>& cell,
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

}  // namespace wexlo::loansfile
