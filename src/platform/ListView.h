#pragma once

// Our stand-in for the list view control in report view: rows of a text and sub-items under
// column headers, multiple selection, and sorting by one column's text. Rows are addressed
// by their display position (0-based, in the current sort order); column 0 is the row's
// text, columns 1.. its sub-items. Sorting is stable: rows with equal keys keep their order.
// Texts compare without regard to case or accents, as the desktop's list views do.
//
// The list shows a table of rows that it does not own (a RowTable, addressed by model
// position; a list made without one shows an empty table of its own), and a filter decides
// which rows are shown. Rows with text in the "later" column
// come after all others, in the model as on screen. Columns may be hidden; a column keeps its
// number (cell(), sortKey(), columnClick) whether or not the columns before it are shown.

#include <QList>
#include <QPersistentModelIndex>
#include <QString>
#include <QStringList>
#include <QTreeView>
#include <QUtf8StringView>

#include "platform/RowTable.h"

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace wexlo::platform {

class ListRow;
class ListViewProxy;

class ListView : public QTreeView {
    Q_OBJECT

public:
    struct Column {
        QString caption;
        int widthTwips = 1000;
    };

    explicit ListView(QWidget* parent = nullptr);
    ~ListView() override;

    // Shows the rows of another's table (which outlives the list) instead of its own.
    void setTable(RowTable* table);
    RowTable& table() const;

    void setColumns(const QList<Column>& columns);
    int columnCount() const;

    int count() const;
    // Adds a row; with sorting on it lands in its sorted place. Returns its display position.
    int add(const QString& text, const QStringList& subItems);
    // Many rows at once (loading a file); much faster than add() one by one.
    void addMany(const QList<QStringList>& rows);  // each: text, then sub-items
    // The same with rows made beforehand (a big file read without a text object per value).
    void addRows(std::vector<ListRow>&& rows);
    void remove(int row);
    // Removes many rows at once; positions as before the call, in any order.
    void removeRows(const QList<int>& rows);
    void clear();

    QString text(int row) const;
    QString cell(int row, int column) const;  // column 0 = text
    QStringList rowCells(int row) const;

    bool isSelected(int row) const;
    void setSelected(int row, bool selected);
    QList<int> selectedRows() const;  // ascending display positions

    bool sorted() const;
    int sortKey() const;
    Qt::SortOrder sortOrder() const;
    // Turns sorting on (or off) by column key in the given order, re-sorting at once.
    void setSorting(bool on, int key, Qt::SortOrder order);

    void setCurrentRow(int row);  // focus, selection anchor and scroll to show it
    int currentRowIndex() const;

    // The comparison the list sorts with: <0, 0 or >0, ignoring case and accents.
    static int compareText(const QString& a, const QString& b);

    // ---- Every row, shown or not ---------------------------------------------------------
    int modelCount() const;
    QString modelCell(int modelRow, int column) const;
    // The same as the list holds it (UTF-8), without a copy: valid until the list changes
    // (empty for a missing cell).
    QUtf8StringView modelCellUtf8(int modelRow, int column) const;
    QStringList modelRowCells(int modelRow) const;
    // Changes one cell; the row moves to its sorted place (and to the end of the later rows
    // when it gains text in the later column), and is shown or hidden by the filter.
    void setModelCell(int modelRow, int column, const QString& text);
    void setModelCells(const QList<int>& modelRows, int column, const QString& text);
    void removeModelRows(const QList<int>& modelRows);
    int modelRow(int row) const;  // display position -> model position, -1 if none
    // A handle that follows a model row through sorting, moves and filtering (invalid once the
    // row is removed), and the row's model position now (-1 when gone).
    QPersistentModelIndex rowHandle(int modelRow) const;
    int modelRow(const QPersistentModelIndex& handle) const;
    int displayRow(int modelRow) const;  // -1 when the row is not shown

    // Rows with text in this column sort after all others (-1: none).
    void setLaterColumn(int column);
    // Which rows are shown (all when empty); call refilter() when its answer may have changed.
    void setRowFilter(std::function<bool(int modelRow)> accepts);
    void refilter();
    void setColumnShown(int column, bool shown);
    bool columnShown(int column) const;
    // How a column's cell text is shown (it still sorts by the cell text).
    void setColumnFormat(int column, std::function<QString(const QString&)> format);

    // How a row looks: a warning, or dimmed; the note is read with the row by screen readers
    // and shown as its tool tip.
    enum class Tone { Normal, Warning, Dimmed };
    struct Look {
        Tone tone = Tone::Normal;
        QString note;
    };
    void setRowLook(std::function<Look(int modelRow)> look);
    // The looks (or the filter's answers) may have changed for every row.
    void refreshLooks();

    // ---- Finding as the user types --------------------------------------------------------
    // Shows only the rows (among those the row filter shows) with a shown cell that contains
    // the text, as shown, ignoring case and accents as sorting does; an empty text finds all.
    void setFindText(const QString& text);
    QString findText() const;
    // Gets what finding looks through ready now (the find bar opens), so that the first typed
    // character costs no more than the next.
    void prepareFind();
    // Shows every row again and lets go of what finding kept.
    void endFind();
    // The rows the row filter shows, found or not.
    int unfoundCount() const;

    // ---- Rows taken out and put back (undo) -----------------------------------------------
    // Adds a row as add() does and returns its model position (it may be hidden).
    int addModelRow(const QString& text, const QStringList& subItems);
    // A row's tag: a text of the caller's that goes with the row wherever it moves, is never
    // shown, and is not among its cells. Empty until set.
    QString modelRowTag(int modelRow) const;
    void setModelRowTag(int modelRow, const QString& tag);
    // Removes the rows with the given tags, then puts the given rows (cells and tag) in at the
    // given model positions (ascending, each counted with the rows before it in place), and
    // sorts again while sorting is on.
    using TaggedRow = RowTable::TaggedRow;
    void replaceModelRows(const QStringList& removeTags, const QList<TaggedRow>& insert);

Q_SIGNALS:
    // A click on a column header; column is 0-based (0 = the row's text).
    void columnClick(int column);
    // A click on a row; row is its display position.
    void itemClick(int row);
    // The current row moved by a key (arrows, Page Up/Down, Home, End, typing a row's start).
    void currentRowKeyed(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showSortIndicator();
    void applyWidths();
    QModelIndex shownIndex(int row, int column = 0) const;

    ListViewProxy* proxy_;
    RowTable* table_ = nullptr;
    QList<int> widths_;  // pixels, by model column
};

}  // namespace wexlo::platform
