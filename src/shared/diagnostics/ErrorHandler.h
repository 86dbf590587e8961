#pragma once

// How this program handles errors. Failures are caught where a user action or a timer enters
// the program; below that edge a failure is a result the caller looks at.
//
// 1. connectGuarded, for every signal-slot connection of a window: whatever a slot lets escape
//    is logged at the event handler's edge as "description(number)" with the procedure's and
//    module's log names, and never reaches Qt's event loop.
// 2. runGuarded, for an edge that is no signal (an event override, a start-up step): the body
//    stops at its first failure, which is logged the same way.
// 3. ErrorRecorder, for the few procedures that must carry on after a call that can really
//    fail: each call it runs is guarded on its own, and a failure is logged before the next.
//        ErrorRecorder on(logname::kSaveList, logname::kModule);
//        on([&] { ...a call that can fail... });
//    record() logs a failure that the procedure found itself (a returned error number).
// 4. runSilent, for a procedure that ignores its own failures: nothing logged, nothing escapes.
// currentError() is the one place that maps an exception to its number and description.

#include "platform/RuntimeError.h"

#include <QObject>
#include <QString>

#include <concepts>
#include <exception>
#include <functional>
#include <type_traits>
#include <utility>

namespace wexlo {

struct CaughtError {
    int number;
    QString description;
};

// The number and description of the exception being handled; call it only inside a catch
// block. A RuntimeError keeps its own; running out of memory is 7; anything else is 5.
CaughtError currentError() noexcept;
// The same for an exception that was kept for later.
CaughtError errorOf(std::exception_ptr failure) noexcept;

class ErrorRecorder {
public:
    enum class Form {
        Standard,    // "Overflow(6)"
        NumberDash,  // "6-Overflow", the update window's form
    };

    ErrorRecorder(QString procedure, QString module, Form form = Form::Standard)
        : procedure_(std::move(procedure)), module_(std::move(module)), form_(form)
    {
    }

    // Runs one call; true when it succeeded, else its failure is logged.
    template <class F>
    bool operator()(F&& statement) noexcept
    {
        try {
            std::forward<F>(statement)();
            return true;
        } catch (...) {
            CaughtError e = currentError();
            record(e.number, e.description);
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
                ErrorRecorder::Form form = ErrorRecorder::Form::Standard) noexcept
{
    ErrorRecorder on(procedure, module, form);
    return on(std::forward<F>(body));
}

// For the procedures that ignore their own failures. True when the body ran through.
template <class F>
bool runSilent(F&& body) noexcept
{
    try {
        std::forward<F>(body)();
        return true;
    } catch (...) {
        return false;
    }
}

namespace detail {

// A slot that takes the leading arguments of its signal it accepts, as Qt's own connect does.
template <class Slot>
struct GuardedSlot {
    Slot slot;
    QString procedure;
    QString module;
    ErrorRecorder::Form form;

    template <class... Args>
    requires std::invocable<Slot&, Args...>
    void operator()(Args&&... args)
    {
        runGuarded(
            procedure, module, [&] { std::invoke(slot, std::forward<Args>(args)...); }, form);
    }
};

}  // namespace detail

// Connects signal to slot (a callable, or a member function of context) so that a failure the
// slot does not contain is logged under procedure and module instead of reaching Qt.
template <class SenderPtr, class Signal, class Context, class Slot>
QMetaObject::Connection connectGuarded(const SenderPtr& sender, Signal signal, Context* context,
                                       Slot slot, const QString& procedure, const QString& module,
                                       ErrorRecorder::Form form = ErrorRecorder::Form::Standard)
{
    if constexpr (std::is_member_function_pointer_v<Slot>) {
        auto bound = std::bind_front(slot, context);
        return QObject::connect(
            sender, signal, context,
            detail::GuardedSlot<decltype(bound)>{std::move(bound), procedure, module, form});
    } else {
        return QObject::connect(
            sender, signal, context,
            detail::GuardedSlot<Slot>{std::move(slot), procedure, module, form});
    }
}

}  // namespace wexlo
