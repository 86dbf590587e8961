#include "platform/ListView.h"

#include "platform/Platform.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QItemSelectionModel>

#include <algorithm>
#include <numeric>
#include <vector>

namespace wexlo::platform {

namespace {

bool isAscii(const QString& s)
{
    for (const QChar c : s)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

// The text a row sorts by: case folded and, beyond ASCII, with accents taken off, so that
// "émile" sorts with "Emile" and before "Fred".
QString sortForm(const QString& s)
{
    if (isAscii(s))
        return s.toLower();
    const QString decomposed = s.normalized(QString::NormalizationForm_D);
    QString bare;
    bare.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        const auto cat = c.category();
        if (cat == QChar::Mark_NonSpacing || cat == QChar::Mark_SpacingCombining ||
            cat == QChar::Mark_Enclosing)
            continue;
        bare.append(c);
    }
    return bare.toCaseFolded();
}

}  // namespace

// Rows in display order; each row is its text followed by its sub-items.
class ListViewModel : public QAbstractTableModel {
    friend class ListView;

public:
    using QAbstractTableModel::QAbstractTableModel;

    QStringList headers;
    std::vector<std::vector<QString>> rows;
    bool sorted = false;
    int key = 0;
    Qt::SortOrder order = Qt::AscendingOrder;

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(rows.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(headers.size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        return cellText(index.row(), index.column());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
            section < headers.size())
            return headers.at(section);
        return {};
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

    QString cellText(int row, int column) const
    {
        if (row < 0 || row >= static_cast<int>(rows.size()) || column < 0)
            return {};
        const auto& r = rows[static_cast<size_t>(row)];
        return column < static_cast<int>(r.size()) ? r[static_cast<size_t>(column)] : QString();
    }

    static std::vector<QString> makeRow(const QStringList& cells)
    {
        return std::vector<QString>(cells.begin(), cells.end());
    }

    QString keyOf(const std::vector<QString>& row) const
    {
        return sortForm(key < static_cast<int>(row.size()) ? row[static_cast<size_t>(key)] : QString());
    }

    // Where a new row goes under the current sort: after every row that sorts equal to it,
    // as a stable sort of the list with the row appended would place it.
    size_t sortedPlace(const std::vector<QString>& row) const
    {
        const QString k = keyOf(row);
        size_t lo = 0;
        size_t hi = rows.size();
        while (lo < hi) {
            const size_t mid = lo + (hi - lo) / 2;
            const QString m = keyOf(rows[mid]);
            const bool after = order == Qt::AscendingOrder ? k < m : m < k;
            if (after)
                hi = mid;
            else
                lo = mid + 1;
        }
        return lo;
    }

    void sortNow()
    {
        const size_t n = rows.size();
        if (!sorted || n < 2)
            return;
        std::vector<QString> keys;
        keys.reserve(n);
        for (const auto& r : rows)
            keys.push_back(keyOf(r));
        std::vector<int> perm(n);
        std::iota(perm.begin(), perm.end(), 0);
        if (order == Qt::AscendingOrder)
            std::stable_sort(perm.begin(), perm.end(),
                             [&](int a, int b) { return keys[size_t(a)] < keys[size_t(b)]; });
        else
            std::stable_sort(perm.begin(), perm.end(),
                             [&](int a, int b) { return keys[size_t(b)] < keys[size_t(a)]; });
        bool moved = false;
        for (size_t i = 0; i < n && !moved; ++i)
            moved = perm[i] != static_cast<int>(i);
        if (!moved)
            return;

        Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        std::vector<std::vector<QString>> reordered;
        reordered.reserve(n);
        std::vector<int> newPlace(n);
        for (size_t i = 0; i < n; ++i) {
            reordered.push_back(std::move(rows[size_t(perm[i])]));
            newPlace[size_t(perm[i])] = static_cast<int>(i);
        }
        rows.swap(reordered);
        // Selection and current row follow their rows.
        const QModelIndexList from = persistentIndexList();
        QModelIndexList to;
        to.reserve(from.size());
        for (const QModelIndex& idx : from)
            to.append(index(newPlace[size_t(idx.row())], idx.column()));
        changePersistentIndexList(from, to);
        Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }
};

ListView::ListView(QWidget* parent) : QTreeView(parent), model_(new ListViewModel(this))
{
    setModel(model_);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);  // we sort ourselves, stably
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(QHeaderView::Interactive);
    header()->setSortIndicatorShown(false);
    connect(header(), &QHeaderView::sectionClicked, this, [this](int section) {
        Q_EMIT columnClick(section);
        showSortIndicator();
    });
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            Q_EMIT itemClick(index.row());
    });
}

ListView::~ListView() = default;

void ListView::setColumns(const QList<Column>& columns)
{
    model_->beginResetModel();
    model_->headers.clear();
    for (const Column& c : columns)
        model_->headers.append(c.caption);
    model_->endResetModel();
    for (int i = 0; i < columns.size(); ++i)
        header()->resizeSection(i, twips(columns.at(i).widthTwips));
}

int ListView::columnCount() const { return static_cast<int>(model_->headers.size()); }

int ListView::count() const { return static_cast<int>(model_->rows.size()); }

int ListView::add(const QString& text, const QStringList& subItems)
{
    QStringList cells;
    cells.reserve(subItems.size() + 1);
    cells.append(text);
    cells.append(subItems);
    auto row = ListViewModel::makeRow(cells);
    const size_t at = model_->sorted ? model_->sortedPlace(row) : model_->rows.size();
    model_->beginInsertRows({}, static_cast<int>(at), static_cast<int>(at));
    model_->rows.insert(model_->rows.begin() + static_cast<std::ptrdiff_t>(at), std::move(row));
    model_->endInsertRows();
    return static_cast<int>(at);
}

void ListView::addMany(const QList<QStringList>& rows)
{
    if (rows.isEmpty())
        return;
    const int first = count();
    model_->beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    model_->rows.reserve(model_->rows.size() + static_cast<size_t>(rows.size()));
    for (const QStringList& r : rows)
        model_->rows.push_back(ListViewModel::makeRow(r));
    model_->endInsertRows();
    model_->sortNow();
}

void ListView::remove(int row)
{
    if (row < 0 || row >= count())
        return;
    model_->beginRemoveRows({}, row, row);
    model_->rows.erase(model_->rows.begin() + row);
    model_->endRemoveRows();
}

void ListView::removeRows(const QList<int>& rows)
{
    QList<int> doomed = rows;
    std::sort(doomed.begin(), doomed.end(), std::greater<>());
    doomed.erase(std::unique(doomed.begin(), doomed.end()), doomed.end());
    // From the last row backwards, one contiguous run at a time.
    qsizetype i = 0;
    while (i < doomed.size()) {
        const int last = doomed.at(i);
        int first = last;
        ++i;
        while (i < doomed.size() && doomed.at(i) == first - 1) {
            first = doomed.at(i);
            ++i;
        }
        if (first < 0 || last >= count())
            continue;
        model_->beginRemoveRows({}, first, last);
        model_->rows.erase(model_->rows.begin() + first, model_->rows.begin() + last + 1);
        model_->endRemoveRows();
    }
}

void ListView::clear()
{
    model_->beginResetModel();
    model_->rows.clear();
    model_->endResetModel();
}

QString ListView::text(int row) const { return model_->cellText(row, 0); }

QString ListView::cell(int row, int column) const { return model_->cellText(row, column); }

QStringList ListView::rowCells(int row) const
{
    if (row < 0 || row >= count())
        return {};
    const auto& r = model_->rows[static_cast<size_t>(row)];
    return QStringList(r.begin(), r.end());
}

bool ListView::isSelected(int row) const
{
    if (row < 0 || row >= count())
        return false;
    return selectionModel()->isSelected(model_->index(row, 0));
}

void ListView::setSelected(int row, bool selected)
{
    if (row < 0 || row >= count())
        return;
    const auto flags = (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                       QItemSelectionModel::Rows;
    selectionModel()->select(model_->index(row, 0), flags);
}

QList<int> ListView::selectedRows() const
{
    QList<int> out;
    const QItemSelection selection = selectionModel()->selection();
    for (const QItemSelectionRange& range : selection)
        for (int r = range.top(); r <= range.bottom(); ++r)
            out.append(r);
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

bool ListView::sorted() const { return model_->sorted; }

int ListView::sortKey() const { return model_->key; }

Qt::SortOrder ListView::sortOrder() const { return model_->order; }

void ListView::setSorting(bool on, int key, Qt::SortOrder order)
{
    model_->sorted = on;
    model_->key = key;
    model_->order = order;
    model_->sortNow();
    showSortIndicator();
}

void ListView::showSortIndicator()
{
    header()->setSortIndicatorShown(model_->sorted);
    if (model_->sorted)
        header()->setSortIndicator(model_->key, model_->order);
}

void ListView::setCurrentRow(int row)
{
    if (row < 0 || row >= count())
        return;
    const QModelIndex idx = model_->index(row, 0);
    selectionModel()->setCurrentIndex(idx, QItemSelectionModel::NoUpdate);
    scrollTo(idx);
}

void ListView::keyPressEvent(QKeyEvent* event)
{
    const int before = currentRowIndex();
    QTreeView::keyPressEvent(event);
    const int after = currentRowIndex();
    if (after >= 0 && after != before)
        Q_EMIT currentRowKeyed(after);
}

int ListView::currentRowIndex() const
{
    const QModelIndex idx = currentIndex();
    return idx.isValid() ? idx.row() : -1;
}

int ListView::compareText(const QString& a, const QString& b)
{
    return sortForm(a).compare(sortForm(b));
}

}  // namespace wexlo::platform
