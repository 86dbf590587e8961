#include "app/LoanCommands.h"

#include "platform/ListView.h"

#include <QUndoStack>

#include <algorithm>

namespace wexlo {

namespace {

using Rows = QList<platform::ListView::TaggedRow>;

// Every loan a step touches carries a tag of its own, so that a later step that took it out
// and put it back (undoing a delete, say) leaves it findable by the earlier steps.
QString tagOf(platform::ListView& list, int modelRow)
{
    static quint64 next = 0;
    QString tag = list.modelRowTag(modelRow);
    if (tag.isEmpty()) {
        tag = QString::number(++next);
        list.setModelRowTag(modelRow, tag);
    }
    return tag;
}

class LoansStep : public QUndoCommand {
public:
    LoansStep(platform::ListView& list, const QString& text, Rows before, Rows after,
              std::function<void()> done)
        : QUndoCommand(text),
          list_(list),
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
    void apply(const Rows& from, const Rows& to)
    {
        QStringList tags;
        tags.reserve(from.size());
        for (const auto& r : from)
            tags.append(r.tag);
        list_.replaceModelRows(tags, to);
        if (done_)
            done_();
    }

    platform::ListView& list_;
    Rows before_;
    Rows after_;
    std::function<void()> done_;
    bool first_ = true;
};

Rows rowsAt(platform::ListView& list, QList<int> modelRows)
{
    std::sort(modelRows.begin(), modelRows.end());
    modelRows.erase(std::unique(modelRows.begin(), modelRows.end()), modelRows.end());
    Rows out;
    out.reserve(modelRows.size());
    for (int m : modelRows)
        if (m >= 0 && m < list.modelCount())
            out.append({m, list.modelRowCells(m), tagOf(list, m)});
    return out;
}

}  // namespace

LoanChange::LoanChange(platform::ListView& list, const QList<int>& modelRows) : list_(list)
{
    before_ = rowsAt(list, modelRows);
    for (const auto& r : before_)
        touched_.append(list.rowHandle(r.modelRow));
}

void LoanChange::push(QUndoStack& stack, const QString& text, const std::function<void()>& done,
                      const QList<int>& added)
{
    QList<int> now = added;
    for (const QPersistentModelIndex& h : touched_)
        if (list_.modelRow(h) >= 0)
            now.append(h.row());
    stack.push(new LoansStep(list_, text, before_, rowsAt(list_, now), done));
}

QString loansText(const QString& one, const QString& many, qsizetype count)
{
    return count == 1 ? one : many.arg(count);
}

}  // namespace wexlo
