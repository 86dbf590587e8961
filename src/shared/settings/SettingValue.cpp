#include "shared/settings/SettingValue.h"

#include "platform/RuntimeError.h"
#include "shared/util/Text.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace wexlo {

namespace {

// The text as a number: a whole number, or a decimal one rounded half to even. False when
// the text is no number at all.
bool textAsNumber(const QString& text, double& out)
{
    const QString t = text::trimBlanks(text);
    if (t.isEmpty())
        return false;
    bool ok = false;
    const qlonglong whole = t.toLongLong(&ok);
    if (ok) {
        out = static_cast<double>(whole);
        return true;
    }
    const double d = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(d))
        return false;
    out = d;
    return true;
}

}  // namespace

QString SettingValue::toText() const
{
    switch (kind()) {
        case Kind::Empty:
            return {};
        case Kind::Text:
            return std::get<QString>(v_);
        case Kind::Boolean:
            return std::get<bool>(v_) ? QStringLiteral("True") : QStringLiteral("False");
        case Kind::Number:
            return QString::number(std::get<std::int32_t>(v_));
    }
    return {};
}

bool SettingValue::toBool() const
{
    switch (kind()) {
        case Kind::Empty:
            return false;
        case Kind::Boolean:
            return std::get<bool>(v_);
        case Kind::Number:
            return std::get<std::int32_t>(v_) != 0;
        case Kind::Text: {
            const QString t = text::trimBlanks(std::get<QString>(v_)).toUpper();
            if (t == QLatin1String("TRUE"))
                return true;
            if (t == QLatin1String("FALSE"))
                return false;
            double d = 0;
            if (textAsNumber(t, d))
                return d != 0;
            raiseError(err::TypeMismatch);
        }
    }
    return false;
}

std::int32_t SettingValue::toNumber() const
{
    switch (kind()) {
        case Kind::Empty:
            return 0;
        case Kind::Boolean:
            return std::get<bool>(v_) ? -1 : 0;  // a true flag counts as -1, as in the old files
        case Kind::Number:
            return std::get<std::int32_t>(v_);
        case Kind::Text: {
            double d = 0;
            if (!textAsNumber(std::get<QString>(v_), d))
                raiseError(err::TypeMismatch);
            const double r = std::nearbyint(d);  // half to even under the default rounding mode
            if (r < std::numeric_limits<std::int32_t>::min() ||
                r > std::numeric_limits<std::int32_t>::max())
                raiseError(err::Overflow);
            return static_cast<std::int32_t>(r);
        }
    }
    return 0;
}

bool SettingValue::isNumericZero() const
{
    switch (kind()) {
        case Kind::Empty:
            return true;
        case Kind::Boolean:
            return !std::get<bool>(v_);
        case Kind::Number:
            return std::get<std::int32_t>(v_) == 0;
        case Kind::Text: {
            const QString& t = std::get<QString>(v_);
            // A line "KEY," holds nothing, so it counts as zero; other text that is no number
            // is a real value and never zero.
            if (text::trimBlanks(t).isEmpty())
                return true;
            double d = 1;
            return textAsNumber(t, d) && d == 0;
        }
    }
    return false;
}

QString SettingValue::printForm() const
{
    switch (kind()) {
        case Kind::Empty:
            return {};
        case Kind::Text:
            return std::get<QString>(v_);
        case Kind::Boolean:
            return std::get<bool>(v_) ? QStringLiteral("True") : QStringLiteral("False");
        case Kind::Number: {
            const std::int32_t n = std::get<std::int32_t>(v_);
            const QString digits = QString::number(n);
            return (n < 0 ? digits : QLatin1Char(' ') + digits) + QLatin1Char(' ');
        }
    }
    return {};
}

}  // namespace wexlo
