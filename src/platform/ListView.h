#pragma once

// Our stand-in for the list view control in report view: rows of a text and sub-items under
// column headers, multiple selection, and sorting by one column's text. Rows are addressed
// by their display position (0-based, in the current sort order); column 0 is the row's
// text, columns 1.. its sub-items. Sorting is stable: rows with equal keys keep their order.
// Texts compare without regard to case or accents, as the desktop's list views do.

#include <QList>
#include <QString>
#include <QStringList>
#include <QTreeView>

#include <memory>

namespace wexlo::platform {

class ListViewModel;

class ListView : public QTreeView {
    Q_OBJECT

public:
    struct Column {
        QString caption;
        int widthTwips = 1000;
    };

    explicit ListView(QWidget* parent = nullptr);
    ~ListView() override;

    void setColumns(const QList<Column>& columns);
    int columnCount() const;

    int count() const;
    // Adds a row; with sorting on it lands in its sorted place. Returns its display position.
    int add(const QString& text, const QStringList& subItems);
    // Many rows at once (loading a file); much faster than add() one by one.
    void addMany(const QList<QStringList>& rows);  // each: text, then sub-items
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

    ListViewModel* model_;
};

}  // namespace wexlo::platform
