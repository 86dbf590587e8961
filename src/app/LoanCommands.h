#pragma once

// Changes of the loans as steps that can be undone and redone. A step remembers the loans it
// touched as they were before (model position, cells and a tag that follows the loan) and as
// they are after, and going back or forth takes the one set out of the list (by tag) and puts
// the other in at its places, so the list and the saved file come back byte for byte. Sorting is no
// step: loans put back after the user sorted again land in their sorted places.

#include <QList>
#include <QPersistentModelIndex>
#include <QString>
#include <QStringList>
#include <QUndoCommand>

#include "platform/ListView.h"

#include <functional>
#include <utility>

class QUndoStack;

namespace wexlo {

class LoanChange {
public:
    // Before the change: the loans (by model position) that it will alter or remove.
    LoanChange(platform::ListView& list, const QList<int>& modelRows);
    // After the change: the step goes on the stack (without being done again). added are the
    // model positions of loans the change put in; done runs after every undo and redo.
    void push(QUndoStack& stack, const QString& text, const std::function<void()>& done,
              const QList<int>& added = {});

private:
    platform::ListView& list_;
    QList<platform::ListView::TaggedRow> before_;
    QList<QPersistentModelIndex> touched_;  // followed through the change itself
};

// The name of a step: one for a single loan ("Delete Loan"), the other with the count in
// place of %1 ("Delete %1 Loans").
QString loansText(const QString& one, const QString& many, qsizetype count);

}  // namespace wexlo
