#include "platform/ListView.h"

#include "platform/ListRow.h"
#include "platform/Platform.h"
#include "platform/RowTable.h"

#include <QBrush>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QSortFilterProxyModel>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace wexlo::platform {

// What the list shows of its model: the rows the filter accepts and the columns not hidden,
// in model order.
class ListViewProxy : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    std::function<bool(int)> accepts;
    std::vector<bool> hidden;  // by model column
    QString find;              // as typed
    QString findForm;          // folded as sorting folds
    const RowTable* source = nullptr;
    std::function<ListView::Look(int)> look;
    const QWidget* view = nullptr;  // for its palette

    void refilterRows() { invalidateRowsFilter(); }
    void refilterColumns()
    {
        dropCache();
        invalidateColumnsFilter();
    }

    // What finding looks through, built once per search and kept while the text narrows: each
    // row's shown cells folded as sorting folds them, and which rows the last text found (a
    // row without "ab" has no "abc" either). Any change of the rows drops both.
    mutable std::string folded;             // every row's, one after another
    mutable std::vector<std::uint32_t> at;  // where each row's starts (and the end)
    mutable std::vector<char> hit;
    std::string findBytes;  // the text sought, as the folded rows are held
    mutable bool cacheValid = false;
    QString hitForm;

    void dropCache()
    {
        cacheValid = false;
        folded = {};
        at = {};
        hit = {};
    }

    void buildCache() const
    {
        const size_t n = static_cast<size_t>(source->count());
        folded.clear();
        at.assign(n + 1, 0);
        hit.assign(n, 1);
        // A shown form (a date's) folded once per distinct cell: dates repeat across loans.
        std::vector<std::unordered_map<std::string, std::string>> shown(source->headers().size());
        for (size_t r = 0; r < n; ++r) {
            at[r] = static_cast<std::uint32_t>(folded.size());
            const ListRow& row = source->row(static_cast<int>(r));
            const int columns = std::min(row.size(), static_cast<int>(source->headers().size()));
            for (int c = 0; c < columns; ++c) {
                const auto column = static_cast<size_t>(c);
                const QUtf8StringView cell = row.utf8(c);
                if ((column < hidden.size() && hidden[column]) || cell.isEmpty())
                    continue;
                if (const auto& format = source->columnFormat(c)) {
                    auto [it, added] = shown[column].try_emplace(
                        std::string(cell.data(), static_cast<size_t>(cell.size())));
                    if (added)
                        RowTable::appendFolded(it->second, RowTable::fold(format(row.cell(c))));
                    folded += it->second;
                } else {
                    RowTable::appendSortBytes(folded, cell);
                }
                folded += '\n';
            }
        }
        at[n] = static_cast<std::uint32_t>(folded.size());
        cacheValid = true;
    }

    void setFind(const QString& text)
    {
        const QString form = RowTable::fold(text);
        const bool narrowing = cacheValid && !hitForm.isEmpty() && form.contains(hitForm);
        find = text;
        findForm = form;
        hitForm = form;
        findBytes.clear();
        RowTable::appendFolded(findBytes, form);
        if (cacheValid && !narrowing)
            std::fill(hit.begin(), hit.end(), 1);
    }

    bool found(int sourceRow) const
    {
        if (findForm.isEmpty())
            return true;
        if (!cacheValid)
            buildCache();
        const auto r = static_cast<size_t>(sourceRow);
        if (r >= hit.size())
            return false;
        if (!hit[r])
            return false;
        const std::string_view text(folded.data() + at[r], at[r + 1] - at[r]);
        const bool yes = text.find(findBytes) != std::string_view::npos;
        hit[r] = yes ? 1 : 0;
        return yes;
    }

    // How a row looks comes from the view, not from the rows it shows.
    QVariant data(const QModelIndex& index, int role) const override
    {
        switch (role) {
            case Qt::ForegroundRole:
            case Qt::BackgroundRole:
            case Qt::ToolTipRole:
            case Qt::AccessibleDescriptionRole:
                break;
            default:
                return QSortFilterProxyModel::data(index, role);
        }
        if (!look || !index.isValid())
            return {};
        const ListView::Look l = look(mapToSource(index).row());
        if (role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole)
            return l.note.isEmpty() ? QVariant() : QVariant(l.note);
        if (l.tone == ListView::Tone::Normal || view == nullptr)
            return {};
        const QPalette& pal = view->palette();
        if (l.tone == ListView::Tone::Dimmed)
            return role == Qt::ForegroundRole
                       ? QVariant(QBrush(pal.color(QPalette::Disabled, QPalette::Text)))
                       : QVariant();
        // A warning: the base colour tinted towards red, under the theme's own text colour,
        // so that it reads in light and dark themes alike.
        if (role == Qt::ForegroundRole)
            return QBrush(pal.color(QPalette::Text));
        const QColor base = pal.color(QPalette::Base);
        const QColor warn(220, 50, 40);
        auto mix = [](int a, int b) { return (a * 62 + b * 38) / 100; };
        return QBrush(QColor(mix(base.red(), warn.red()), mix(base.green(), warn.green()),
                             mix(base.blue(), warn.blue())));
    }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex&) const override
    {
        return (!accepts || accepts(sourceRow)) && found(sourceRow);
    }
    bool filterAcceptsColumn(int sourceColumn, const QModelIndex&) const override
    {
        const auto c = static_cast<size_t>(sourceColumn);
        return c >= hidden.size() || !hidden[c];
    }
};

ListView::ListView(QWidget* parent) : QTreeView(parent), proxy_(new ListViewProxy(this))
{
    proxy_->view = this;
    proxy_->setDynamicSortFilter(false);  // the rows keep their order; the proxy only filters
    setTable(new RowTable(this));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);  // the rows sort themselves, stably
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(QHeaderView::Interactive);
    header()->setSortIndicatorShown(false);
    connect(header(), &QHeaderView::sectionClicked, this, [this](int section) {
        int c = -1;  // the table column of the clicked section
        for (int m = 0, shown = -1; m < columnCount() && c < 0; ++m)
            if (columnShown(m) && ++shown == section)
                c = m;
        Q_EMIT columnClick(c);
        showSortIndicator();
    });
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            Q_EMIT itemClick(index.row());
    });
}

ListView::~ListView() = default;

void ListView::setTable(RowTable* table)
{
    if (table == nullptr || table == table_)
        return;
    if (table_ != nullptr) {
        table_->disconnect(this);
        if (table_->parent() == this)
            table_->deleteLater();
    }
    table_ = table;
    proxy_->source = table;
    proxy_->dropCache();
    // Before the proxy hears of a change of the rows, what finding kept of them goes.
    auto drop = [this] { proxy_->dropCache(); };
    connect(table, &QAbstractItemModel::rowsAboutToBeInserted, this, drop);
    connect(table, &QAbstractItemModel::rowsAboutToBeRemoved, this, drop);
    connect(table, &QAbstractItemModel::rowsAboutToBeMoved, this, drop);
    connect(table, &QAbstractItemModel::layoutAboutToBeChanged, this, drop);
    connect(table, &QAbstractItemModel::modelAboutToBeReset, this, drop);
    connect(table, &QAbstractItemModel::dataChanged, this, drop);
    connect(table, &RowTable::cellsChanged, this, [this] { proxy_->refilterRows(); });
    connect(table, &RowTable::sortingChanged, this, &ListView::showSortIndicator);
    proxy_->setSourceModel(table);
    if (model() != proxy_)
        setModel(proxy_);
}

RowTable& ListView::table() const { return *table_; }

void ListView::setColumns(const QList<Column>& columns)
{
    QStringList captions;
    for (const Column& c : columns)
        captions.append(c.caption);
    table_->setHeaders(captions);
    widths_.clear();
    for (const Column& c : columns)
        widths_.append(twips(c.widthTwips));
    applyWidths();
}

void ListView::applyWidths()
{
    for (int c = 0, section = 0; c < widths_.size(); ++c)
        if (columnShown(c))
            header()->resizeSection(section++, widths_.at(c));
}

int ListView::columnCount() const { return static_cast<int>(table_->headers().size()); }

int ListView::count() const { return proxy_->rowCount(); }

QModelIndex ListView::shownIndex(int row, int column) const
{
    if (row < 0 || row >= count())
        return {};
    return proxy_->index(row, column);
}

int ListView::modelRow(int row) const
{
    const QModelIndex idx = shownIndex(row);
    return idx.isValid() ? proxy_->mapToSource(idx).row() : -1;
}

QPersistentModelIndex ListView::rowHandle(int modelRow) const { return table_->handle(modelRow); }

int ListView::modelRow(const QPersistentModelIndex& handle) const { return table_->rowOf(handle); }

int ListView::displayRow(int modelRow) const
{
    if (modelRow < 0 || modelRow >= modelCount())
        return -1;
    const QModelIndex idx = proxy_->mapFromSource(table_->index(modelRow, 0));
    return idx.isValid() ? idx.row() : -1;
}

int ListView::add(const QString& text, const QStringList& subItems)
{
    return displayRow(addModelRow(text, subItems));
}

int ListView::addModelRow(const QString& text, const QStringList& subItems)
{
    QStringList cells;
    cells.reserve(subItems.size() + 1);
    cells.append(text);
    cells.append(subItems);
    return table_->addRow(cells);
}

void ListView::addMany(const QList<QStringList>& rows)
{
    std::vector<ListRow> made;
    made.reserve(static_cast<size_t>(rows.size()));
    for (const QStringList& r : rows)
        made.emplace_back(r);
    addRows(std::move(made));
}

void ListView::addRows(std::vector<ListRow>&& rows) { table_->addRows(std::move(rows)); }

void ListView::remove(int row) { removeModelRows({modelRow(row)}); }

void ListView::removeRows(const QList<int>& rows)
{
    QList<int> inModel;
    inModel.reserve(rows.size());
    for (int r : rows)
        inModel.append(modelRow(r));
    removeModelRows(inModel);
}

void ListView::removeModelRows(const QList<int>& modelRows) { table_->removeRowsAt(modelRows); }

void ListView::clear() { table_->clear(); }

QString ListView::text(int row) const { return table_->cell(modelRow(row), 0); }

QString ListView::cell(int row, int column) const { return table_->cell(modelRow(row), column); }

QStringList ListView::rowCells(int row) const { return modelRowCells(modelRow(row)); }

int ListView::modelCount() const { return table_->count(); }

QString ListView::modelCell(int modelRow, int column) const
{
    return table_->cell(modelRow, column);
}

QUtf8StringView ListView::modelCellUtf8(int modelRow, int column) const
{
    return table_->cellUtf8(modelRow, column);
}

QStringList ListView::modelRowCells(int modelRow) const { return table_->rowCells(modelRow); }

void ListView::setModelCell(int modelRow, int column, const QString& text)
{
    table_->setCells({modelRow}, column, text);
}

void ListView::setModelCells(const QList<int>& modelRows, int column, const QString& text)
{
    table_->setCells(modelRows, column, text);
}

QString ListView::modelRowTag(int modelRow) const { return table_->tag(modelRow); }

void ListView::setModelRowTag(int modelRow, const QString& tag) { table_->setTag(modelRow, tag); }

void ListView::replaceModelRows(const QStringList& removeTags, const QList<TaggedRow>& insert)
{
    table_->replaceRows(removeTags, insert);
}

void ListView::setFindText(const QString& text)
{
    if (text == proxy_->find)
        return;
    proxy_->setFind(text);
    // Filtered anew in one pass: row by row, the view would take every hidden stretch of rows
    // as a removal of its own.
    proxy_->invalidate();
}

QString ListView::findText() const { return proxy_->find; }

void ListView::endFind()
{
    setFindText(QString());
    proxy_->dropCache();  // the memory goes back
}

void ListView::prepareFind()
{
    if (!proxy_->cacheValid)
        proxy_->buildCache();
}

int ListView::unfoundCount() const
{
    if (proxy_->findForm.isEmpty())
        return count();
    if (!proxy_->accepts)
        return modelCount();
    int n = 0;
    for (int m = 0; m < modelCount(); ++m)
        n += proxy_->accepts(m) ? 1 : 0;
    return n;
}

void ListView::setLaterColumn(int column) { table_->setLaterColumn(column); }

void ListView::setRowFilter(std::function<bool(int modelRow)> accepts)
{
    proxy_->accepts = std::move(accepts);
    proxy_->refilterRows();
}

void ListView::refilter() { proxy_->refilterRows(); }

void ListView::setColumnShown(int column, bool shown)
{
    if (column < 0 || columnShown(column) == shown)
        return;
    // Keep the widths the user gave the shown columns.
    for (int c = 0, section = 0; c < widths_.size(); ++c)
        if (columnShown(c))
            widths_[c] = header()->sectionSize(section++);
    if (proxy_->hidden.size() <= static_cast<size_t>(column))
        proxy_->hidden.resize(static_cast<size_t>(column) + 1, false);
    proxy_->hidden[static_cast<size_t>(column)] = !shown;
    proxy_->refilterColumns();
    applyWidths();
    showSortIndicator();
}

bool ListView::columnShown(int column) const
{
    const auto c = static_cast<size_t>(column);
    return column >= 0 && (c >= proxy_->hidden.size() || !proxy_->hidden[c]);
}

void ListView::setColumnFormat(int column, std::function<QString(const QString&)> format)
{
    table_->setColumnFormat(column, std::move(format));
}

void ListView::setRowLook(std::function<Look(int modelRow)> look)
{
    proxy_->look = std::move(look);
}

void ListView::refreshLooks() { table_->touchAll(); }

bool ListView::isSelected(int row) const
{
    const QModelIndex idx = shownIndex(row);
    return idx.isValid() && selectionModel()->isSelected(idx);
}

void ListView::setSelected(int row, bool selected)
{
    const QModelIndex idx = shownIndex(row);
    if (!idx.isValid())
        return;
    const auto flags = (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                       QItemSelectionModel::Rows;
    selectionModel()->select(idx, flags);
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

bool ListView::sorted() const { return table_->sorted(); }

int ListView::sortKey() const { return table_->sortKey(); }

Qt::SortOrder ListView::sortOrder() const { return table_->sortOrder(); }

void ListView::setSorting(bool on, int key, Qt::SortOrder order)
{
    table_->setSorting(on, key, order);
}

void ListView::showSortIndicator()
{
    int section = -1;
    for (int c = 0, s = 0; c < columnCount(); ++c)
        if (columnShown(c)) {
            if (c == table_->sortKey())
                section = s;
            ++s;
        }
    const bool sorted = table_->sorted();
    header()->setSortIndicatorShown(sorted && section >= 0);
    if (sorted && section >= 0)
        header()->setSortIndicator(section, table_->sortOrder());
}

void ListView::setCurrentRow(int row)
{
    const QModelIndex idx = shownIndex(row);
    if (!idx.isValid())
        return;
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
    return RowTable::compareText(a, b);
}

}  // namespace wexlo::platform
