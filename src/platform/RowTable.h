#pragma once

// Rows of text cells kept as compact blocks (one ListRow each) and put in order by a byte key:
// the store behind a list, and the item model a list view shows. It knows no widget: the
// register of loans keeps its loans here, and any number of views may show it.
//
// Rows are addressed by their place in the table (0-based), columns 0-based. Rows with text in
// the "later" column come after all others; while sorting is on, each part is in the order of
// the sort column's text, stably (rows with equal keys keep their order), comparing without
// regard to case or accents as the desktop's list views do.

#include <QAbstractTableModel>
#include <QList>
#include <QPersistentModelIndex>
#include <QString>
#include <QStringList>
#include <QUtf8StringView>

#include "platform/ListRow.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace wexlo::platform {

class RowTable : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit RowTable(QObject* parent = nullptr);
    ~RowTable() override;

    void setHeaders(const QStringList& headers);
    const QStringList& headers() const { return headers_; }

    int count() const { return static_cast<int>(rows_.size()); }
    const ListRow& row(int at) const { return rows_[static_cast<size_t>(at)]; }
    QString cell(int row, int column) const;
    // A cell as the table holds it (UTF-8), without a copy: valid until the table changes
    // (empty for a missing cell).
    QUtf8StringView cellUtf8(int row, int column) const;
    // The row's cells of the header columns.
    QStringList rowCells(int row) const;

    // Adds a row at its sorted place and returns that place.
    int addRow(const QStringList& cells);
    // Many rows at once (a file read): much faster than addRow() one by one.
    void addRows(std::vector<ListRow>&& rows);
    // Removes rows by place, in any order, duplicates and places out of range ignored.
    void removeRowsAt(const QList<int>& rows);
    void clear();
    // Changes one cell of one or many rows; they move to their places when the cell decides it.
    void setCells(const QList<int>& rows, int column, const QString& text);

    bool sorted() const { return sorted_; }
    int sortKey() const { return key_; }
    Qt::SortOrder sortOrder() const { return order_; }
    // Turns sorting on (or off) by the key column in the given order, re-sorting at once.
    void setSorting(bool on, int key, Qt::SortOrder order);
    // Rows with text in this column sort after all others (-1: none).
    void setLaterColumn(int column);
    int laterColumn() const { return later_; }
    // How a column's text is shown (it still sorts by the cell text).
    void setColumnFormat(int column, std::function<QString(const QString&)> format);
    const std::function<QString(const QString&)>& columnFormat(int column) const;

    // A handle that follows a row through sorting and moves (invalid once the row is removed),
    // and the row's place now (-1 when gone).
    QPersistentModelIndex handle(int row) const;
    int rowOf(const QPersistentModelIndex& handle) const;

    // ---- Rows taken out and put back (undo) ---------------------------------------------
    // A row's tag: a text of the caller's that goes with the row wherever it moves, is never
    // shown, and is not among its cells. Empty until set.
    QString tag(int row) const;
    void setTag(int row, const QString& tag);
    struct TaggedRow {
        int row = 0;
        QStringList cells;
        QString tag;
    };
    // Removes the rows with the given tags, then puts the given rows (cells and tag) in at the
    // given places (ascending, each counted with the rows before it in place), and sorts again
    // while sorting is on.
    void replaceRows(const QStringList& removeTags, const QList<TaggedRow>& insert);

    // Every row and column changed as far as views are concerned (their looks depend on today).
    void touchAll();

    // The comparison the table sorts with: <0, 0 or >0, ignoring case and accents.
    static int compareText(const QString& a, const QString& b);
    // A cell's text folded as sorting folds it, as the bytes the sort compares.
    static void appendSortBytes(std::string& out, QUtf8StringView cell);
    // A text folded as sorting folds it, and a folded text as those bytes: in them one text
    // is found inside another exactly when its folded form is.
    static QString fold(const QString& text);
    static void appendFolded(std::string& out, QStringView folded);

    // ---- QAbstractItemModel ---------------------------------------------------------------
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

Q_SIGNALS:
    // Cells changed in place: what a filter shows of the rows may have changed.
    void cellsChanged();
    // Sorting was turned on or off, or its column or order changed.
    void sortingChanged();

private:
    // A row's place in a sort: its first eight sort bytes as one number (compared without
    // following a pointer), where the rest lie, and the row's position before the sort.
    struct SortKey {
        std::uint64_t head = 0;
        std::uint32_t at = 0;
        std::uint32_t size = 0;
        std::uint32_t row = 0;
        std::uint32_t part = 0;  // 1 for the later rows
    };
    // A row's hash covers the header columns, not the tag past them.
    int hashedCells() const { return static_cast<int>(headers_.size()); }
    bool isLater(const ListRow& row) const { return later_ >= 0 && !row.isEmpty(later_); }
    std::string keyOf(const ListRow& row) const;
    size_t firstLater(size_t skip = SIZE_MAX) const;
    size_t sortedPlace(const ListRow& row, size_t skip = SIZE_MAX) const;
    void sortNow();
    void reorderRows(const std::vector<int>& newPlace);
    void rowChanged(int row);
    void setCell(int row, int column, const QString& text);

    QStringList headers_;
    std::vector<ListRow> rows_;
    bool sorted_ = false;
    int key_ = 0;
    Qt::SortOrder order_ = Qt::AscendingOrder;
    int later_ = -1;
    std::vector<std::function<QString(const QString&)>> formats_;  // by column
    // Kept from sort to sort: fresh memory for a big table costs more than the sort's work.
    std::vector<SortKey> sortKeys_;
    std::string sortBytes_;
};

}  // namespace wexlo::platform
