#pragma once

// The uniform error handler that (nearly) every procedure carries.
//
//     OnError on("loadlist", "frmMain");
//     on([&] { ...first statement... });
//     on([&] { ...next statement... });
//
// A statement that fails at run time is logged through logerror as "description(number)" with
// the procedure's and module's literals, and the procedure carries on with its next statement.
// What the failed statement was to set keeps its previous value.

#include "platform/RuntimeError.h"

#include <QString>

#include <new>
#include <utility>

namespace wexlo {

class OnError {
public:
    enum class Form {
        Standard,    // "Overflow(6)"
        NumberDash,  // "6-Overflow", the update window's form
    };

    OnError(QString procedure, QString module, Form form = Form::Standard)
        : procedure_(std::move(procedure)), module_(std::move(module)), form_(form)
    {
    }

    // Runs one statement; true when it succeeded.
    template <class F>
    bool operator()(F&& statement) noexcept
    {
        try {
            std::forward<F>(statement)();
            return true;
        } catch (const RuntimeError& e) {
            record(e.number(), e.description());
        } catch (const std::bad_alloc&) {
            record(err::OutOfMemory, errorDescription(err::OutOfMemory));
        } catch (const std::exception&) {
            record(err::InvalidProcedureCall, errorDescription(err::InvalidProcedureCall));
        } catch (...) {
            record(err::InvalidProcedureCall, errorDescription(err::InvalidProcedureCall));
        }
        return false;
    }

    bool failed() const { return lastNumber_ != 0; }
    int lastNumber() const { return lastNumber_; }
    const QString& lastDescription() const { return lastDescription_; }

    // Logs an error that the procedure found itself.
    void record(int number, const QString& description) noexcept;

    static QString format(int number, const QString& description, Form form);

private:
    QString procedure_;
    QString module_;
    Form form_;
    int lastNumber_ = 0;
    QString lastDescription_;
};

// For the handlers that leave the procedure on the first failure, and for the edge of an
// event handler, where nothing may escape to Qt's event loop.
template <class F>
bool runGuarded(const QString& procedure, const QString& module, F&& body,
                OnError::Form form = OnError::Form::Standard) noexcept
{
    OnError on(procedure, module, form);
    return on(std::forward<F>(body));
}

}  // namespace wexlo
