#pragma once

// The register of loans: every loan the program holds, shown or not, in one compact table that
// knows no widget. Loans are addressed by their place in the register (0-based): the active
// ones first, in the order of the sort field while sorting is on, then the returned ones.
// Lists show the register through its table(), a Qt item model; the loans file reads into it
// and writes from it; undo steps act on it.

#include "app/register/Loan.h"
#include "platform/RowTable.h"

#include <QList>
#include <QPersistentModelIndex>
#include <QString>
#include <QStringList>
#include <QUtf8StringView>

#include <memory>
#include <vector>

namespace wexlo {

class LoanRegister {
public:
    LoanRegister();
    ~LoanRegister();
    LoanRegister(const LoanRegister&) = delete;
    LoanRegister& operator=(const LoanRegister&) = delete;

    // The item model over the loans (one column per field) that list views show.
    platform::RowTable& table() { return *table_; }
    const platform::RowTable& table() const { return *table_; }

    int count() const { return table_->count(); }
    Loan loan(int row) const { return Loan::fromCells(table_->rowCells(row)); }
    QString value(int row, int field) const { return table_->cell(row, field); }
    // A field as the register holds it (UTF-8), valid until the register changes.
    QUtf8StringView utf8(int row, int field) const { return table_->cellUtf8(row, field); }
    bool isReturned(int row) const { return !utf8(row, field::Returned).isEmpty(); }
    // Due before today (given as "YYYY-MM-DD") and not returned.
    bool isOverdue(int row, const QString& todayIso) const;

    // Puts a loan in at its sorted place and returns that place.
    int add(const Loan& loan);
    void remove(const QList<int>& rows);
    // The due date, or the return date, of the given loans ("YYYY-MM-DD"; empty clears it).
    void setDue(const QList<int>& rows, const QString& iso);
    void setReturned(const QList<int>& rows, const QString& iso);

    // Replaces every loan with the given ones (a file read), each its fields in field order.
    void replaceAll(std::vector<platform::ListRow>&& loans);
    // Puts many loans in at their sorted places at once (loans merged in from the file).
    void addAll(std::vector<platform::ListRow>&& loans) { table_->addRows(std::move(loans)); }
    // The order the loans file is written in: the active loans in the register's order, then
    // the returned ones in the order of their return.
    std::vector<int> fileOrder() const;

    void sortBy(int field, Qt::SortOrder order) { table_->setSorting(true, field, order); }
    int sortField() const { return table_->sortKey(); }
    Qt::SortOrder sortOrder() const { return table_->sortOrder(); }

    // A handle that follows a loan through sorting and moves, and its place now (-1 when gone).
    QPersistentModelIndex handle(int row) const { return table_->handle(row); }
    int rowOf(const QPersistentModelIndex& handle) const { return table_->rowOf(handle); }

    // ---- Loans taken out and put back (undo) ----------------------------------------------
    // The loans at the given places as they are now, each with a tag that stays with the loan.
    using Kept = platform::RowTable::TaggedRow;
    QList<Kept> keep(QList<int> rows);
    // Takes the loans kept as from out (by tag) and puts those kept as to back at their places.
    // A loan of to whose tag is in from but no longer in the register was changed or removed
    // elsewhere since (merged in from the file): it is not brought back over that change.
    void restore(const QList<Kept>& from, const QList<Kept>& to);

private:
    std::unique_ptr<platform::RowTable> table_;
};

}  // namespace wexlo
