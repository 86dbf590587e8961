#pragma once

// Changes of the register as steps that can be undone and redone. A step remembers the loans it
// touched as they were before (place, fields and a tag that follows the loan) and as they are
// after, and going back or forth takes the one set out of the register (by tag) and puts the
// other in at its places, so the register and the saved file come back byte for byte. Sorting
// is no step: loans put back after the user sorted again land in their sorted places.

#include "app/register/LoanRegister.h"

#include <QList>
#include <QPersistentModelIndex>
#include <QString>

#include <functional>

class QUndoStack;

namespace wexlo {

class LoanChange {
public:
    // Before the change: the loans (by place in the register) that it will alter or remove.
    LoanChange(LoanRegister& loans, const QList<int>& rows);
    // After the change: the step goes on the stack (without being done again). added are the
    // places of loans the change put in; done runs after every undo and redo.
    void push(QUndoStack& stack, const QString& text, const std::function<void()>& done,
              const QList<int>& added = {});

private:
    LoanRegister& loans_;
    QList<LoanRegister::Kept> before_;
    QList<QPersistentModelIndex> touched_;  // followed through the change itself
};

}  // namespace wexlo
