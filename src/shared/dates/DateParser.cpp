#include "shared/dates/DateParser.h"

#include "platform/RuntimeError.h"

namespace wexlo::dates {

QDate dayZero() { return QDate(1899, 12, 30); }
qint64 dayNumber(const QDate& d) { return dayZero().daysTo(d); }
QDate fromDayNumber(qint64 n) { return dayZero().addDays(n); }

QDate parseDate(const QString& text)
{
    QDate d;
    if (!tryParseDate(text, d))
        raiseError(err::TypeMismatch);
    return d;
}

bool tryParseDate(const QString& text, QDate& out)
{
    const QString t = text.trimmed();
    bool ok = false;
    const double n = t.toDouble(&ok);
    if (ok) {
        out = fromDayNumber(static_cast<qint64>(n));
        return true;
    }
    out = QDate::fromString(t, QStringLiteral("yyyy-MM-dd"));
    if (!out.isValid())
        out = QDate::fromString(t, QStringLiteral("M/d/yyyy"));
    return out.isValid();
}

}  // namespace wexlo::dates
