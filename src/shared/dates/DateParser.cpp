#include "shared/dates/DateParser.h"

#include "platform/Platform.h"
#include "platform/RuntimeError.h"
#include "shared/dates/DateFormat.h"

#include <QRegularExpression>

#include <cmath>

namespace wexlo::dates {

namespace {

[[noreturn]] void mismatch() { raiseError(err::TypeMismatch); }

QDate checked(int year, int month, int day)
{
    const QDate d(year, month, day);
    if (!d.isValid())
        mismatch();
    return d;
}

// Two-digit years: 30-99 are 1930-1999, 00-29 are 2000-2029.
int fullYear(const QString& field)
{
    bool ok = false;
    const int y = field.toInt(&ok);
    if (!ok || (field.size() != 2 && field.size() != 4))
        mismatch();
    if (field.size() == 2)
        return y < 30 ? 2000 + y : 1900 + y;
    return y;
}

int fieldNumber(const QString& field)
{
    bool ok = false;
    const int v = field.toInt(&ok);
    if (!ok || field.size() > 2)
        mismatch();
    return v;
}

QString folded(QString name)
{
    name.remove(QLatin1Char('.'));
    return name.toCaseFolded();
}

// 1..12 for an English or the user's month name (abbreviated or full); 0 otherwise.
int monthFromName(const QString& name)
{
    const QString wanted = folded(name);
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QLocale user = platform::locale().locale();
    for (int m = 1; m <= 12; ++m) {
        for (const QLocale* l : {&english, &user}) {
            if (folded(l->monthName(m, QLocale::ShortFormat)) == wanted ||
                folded(l->monthName(m, QLocale::LongFormat)) == wanted ||
                folded(l->standaloneMonthName(m, QLocale::ShortFormat)) == wanted)
                return m;
        }
    }
    return 0;
}

}  // namespace

bool allDigits(const QString& s)
{
    if (s.isEmpty())
        return false;
    for (const QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

QDate dayZero() { return QDate(1899, 12, 30); }

qint64 dayNumber(const QDate& d) { return dayZero().daysTo(d); }

QDate fromDayNumber(qint64 n) { return dayZero().addDays(n); }

QDate parseDate(const QString& input)
{
    const QString text = input.trimmed();

    // A day number, perhaps with a fraction of a day.
    static const QRegularExpression number(QStringLiteral("^[+-]?\\d+(\\.\\d*)?$"));
    if (number.match(text).hasMatch()) {
        const double value = text.toDouble();
        if (!std::isfinite(value) || std::fabs(value) > 3.0e6)  // beyond year 9999
            mismatch();
        const QDate d = fromDayNumber(static_cast<qint64>(std::floor(value)));
        if (!d.isValid())
            mismatch();
        return d;
    }

    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    if (const auto m = iso.match(text); m.hasMatch())
        return checked(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());

    static const QRegularExpression separators(QStringLiteral("[/.\\- ]+"));
    const QStringList fields = text.split(separators);
    if (fields.size() != 3)
        mismatch();

    // Day, month name, year: 30/Jul/2006.
    if (allDigits(fields[0]) && !allDigits(fields[1]) && allDigits(fields[2])) {
        const int month = monthFromName(fields[1]);
        if (month == 0)
            mismatch();
        return checked(fullYear(fields[2]), month, fieldNumber(fields[0]));
    }

    // The user's short date, in the user's field order.
    for (const QString& f : fields)
        if (!allDigits(f))
            mismatch();
    const int monthAt = dateformat::monthPosition();
    const int dayAt = dateformat::dayPosition();
    const int yearAt = 6 - monthAt - dayAt;
    if (monthAt < 1 || dayAt < 1 || yearAt < 1 || yearAt > 3 || monthAt == dayAt)
        mismatch();
    return checked(fullYear(fields[yearAt - 1]), fieldNumber(fields[monthAt - 1]),
                   fieldNumber(fields[dayAt - 1]));
}

bool tryParseDate(const QString& text, QDate& out)
{
    try {
        out = parseDate(text);
        return true;
    } catch (const RuntimeError&) {
        return false;
    }
}

}  // namespace wexlo::dates
