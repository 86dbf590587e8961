#include "shared/diagnostics/ErrorHandler.h"

#include "shared/diagnostics/Logging.h"

#include <new>

namespace wexlo {

CaughtError currentError() noexcept
{
    try {
        throw;
    } catch (const RuntimeError& e) {
        return {e.number(), e.description()};
    } catch (const std::bad_alloc&) {
        return {err::OutOfMemory, errorDescription(err::OutOfMemory)};
    } catch (...) {
        return {err::InvalidProcedureCall, errorDescription(err::InvalidProcedureCall)};
    }
}

CaughtError errorOf(std::exception_ptr failure) noexcept
{
    try {
        std::rethrow_exception(std::move(failure));
    } catch (...) {
        return currentError();
    }
}

QString ErrorRecorder::format(int number, const QString& description, Form form)
{
    if (form == Form::NumberDash)
        return QString::number(number) + QLatin1Char('-') + description;
    return description + QLatin1Char('(') + QString::number(number) + QLatin1Char(')');
}

void ErrorRecorder::record(int number, const QString& description) noexcept
{
    lastNumber_ = number;
    lastDescription_ = description;
    // Logging never stops the program.
    runSilent([&] { logging::logError(format(number, description, form_), procedure_, module_); });
}

}  // namespace wexlo
