#include "app/LoanCommands.h"

#include <QUndoCommand>
#include <QUndoStack>

#include <utility>

namespace wexlo {

namespace {

using Kept = QList<LoanRegister::Kept>;

class LoansStep : public QUndoCommand {
public:
    LoansStep(LoanRegister& loans, const QString& text, Kept before, Kept after,
              std::function<void()> done)
        : QUndoCommand(text),
          loans_(loans),
          before_(std::move(before)),
          after_(std::move(after)),
          done_(std::move(done))
    {
    }

    void undo() override { apply(after_, before_); }
    void redo() override
    {
        // Pushed once the change has been made.
        if (first_) {
            first_ = false;
            return;
        }
        apply(before_, after_);
    }

private:
    void apply(const Kept& from, const Kept& to)
    {
        loans_.restore(from, to);
        if (done_)
            done_();
    }

    LoanRegister& loans_;
    Kept before_;
    Kept after_;
    std::function<void()> done_;
    bool first_ = true;
};

}  // namespace

LoanChange::LoanChange(LoanRegister& loans, const QList<int>& rows) : loans_(loans)
{
    before_ = loans.keep(rows);
    for (const auto& r : before_)
        touched_.append(loans.handle(r.row));
}

void LoanChange::push(QUndoStack& stack, const QString& text, const std::function<void()>& done,
                      const QList<int>& added)
{
    QList<int> now = added;
    for (const QPersistentModelIndex& h : touched_)
        if (loans_.rowOf(h) >= 0)
            now.append(h.row());
    stack.push(new LoansStep(loans_, text, before_, loans_.keep(now), done));
}

}  // namespace wexlo
