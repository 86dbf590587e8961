#pragma once

// How this program handles errors: one idiom, four tools.
//
// 1. OnError, in a procedure whose statements can fail at run time:
//        OnError on("loadlist", "frmMain");
//        on([&] { ...statement that can fail... });
//        on([&] { ...next one... });
//    A failed statement is logged through logerror as "description(number)" with the
//    procedure's and module's literals; the procedure carries on with its next statement and
//    what the failed statement was to set keeps its previous value. Statements that cannot fail
//    (plain assignments, getters, bit tests) are not wrapped.
// 2. runGuarded, for a handler that leaves the procedure on its first failure.
// 3. runSilent, for a procedure that ignores its own failures: nothing logged, nothing escapes.
// 4. connectGuarded, for every signal-slot connection of a window: whatever a slot lets escape
//    is logged at the event handler's edge and never reaches Qt's event loop. An event override
//    (eventFilter, closeEvent, ...) calls only handlers that carry their own OnError or
//    runGuarded, or statements that cannot fail.
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
                OnError::Form form = OnError::Form::Standard) noexcept
{
    OnError on(procedure, module, form);
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
    OnError::Form form;

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
                                       OnError::Form form = OnError::Form::Standard)
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
