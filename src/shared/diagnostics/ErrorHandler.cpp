#include "shared/diagnostics/ErrorHandler.h"

#include "shared/diagnostics/mSHAREDLogging.h"

namespace wexlo {

QString OnError::format(int number, const QString& description, Form form)
{
    if (form == Form::NumberDash)
        return QString::number(number) + QLatin1Char('-') + description;
    return description + QLatin1Char('(') + QString::number(number) + QLatin1Char(')');
}

void OnError::record(int number, const QString& description) noexcept
{
    lastNumber_ = number;
    lastDescription_ = description;
    try {
        mSHAREDLogging::logerror(format(number, description, form_), procedure_, module_);
    } catch (...) {
        // Logging never stops the program.
    }
}

}  // namespace wexlo
