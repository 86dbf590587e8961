#include "platform/ListView.h"

#include "platform/ListRow.h"

#include "platform/Platform.h"

#include <QAbstractTableModel>
#include <QBrush>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QSet>
#include <QSortFilterProxyModel>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <numeric>
#include <string>
#include <string_view>
#include <unordered_map>
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

void appendUnits(std::string& out, QStringView folded);

// Appends a cell's sort form as bytes whose order (byte by byte, then the shorter first) is the
// order of the sort forms compared as texts: each UTF-16 unit as UTF-8 would write its value.
void appendSortBytes(std::string& out, QUtf8StringView cell)
{
    const char* p = cell.data();
    const qsizetype n = cell.size();
    bool ascii = true;
    for (qsizetype i = 0; i < n && ascii; ++i)
        ascii = static_cast<unsigned char>(p[i]) < 0x80;
    if (ascii) {
        const size_t at = out.size();
        out.resize(at + static_cast<size_t>(n));
        char* to = out.data() + at;
        for (qsizetype i = 0; i < n; ++i)
            to[i] = p[i] >= 'A' && p[i] <= 'Z' ? static_cast<char>(p[i] + ('a' - 'A')) : p[i];
        return;
    }
    appendUnits(out, sortForm(QString::fromUtf8(p, n)));
}

// A folded text's UTF-16 units, each as UTF-8 would write its value: bytes that order as the
// units do, and in which one text is found inside another exactly when its units are.
void appendUnits(std::string& out, QStringView folded)
{
    for (const QChar ch : folded) {
        const char16_t u = ch.unicode();
        if (u < 0x80) {
            out.push_back(static_cast<char>(u));
        } else if (u < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (u >> 6)));
            out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (u >> 12)));
            out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        }
    }
}

// A row's place in a sort: its first eight sort bytes as one number (compared without
// following a pointer), where the rest lie, and the row's position before the sort.
struct SortKey {
    std::uint64_t head = 0;
    std::uint32_t at = 0;
    std::uint32_t size = 0;
    std::uint32_t row = 0;
    std::uint32_t part = 0;  // 1 for the later rows
};

}  // namespace

// Every row the list holds, in model order: the rows without text in the later column first,
// then those with it; each part in display order while sorting is on. Each row is its text
// followed by its sub-items (a row may hold fewer cells than there are columns).
class ListViewModel : public QAbstractTableModel {
    friend class ListView;

public:
    using QAbstractTableModel::QAbstractTableModel;

    QStringList headers;
    std::vector<ListRow> rows;
    bool sorted = false;
    int key = 0;
    Qt::SortOrder order = Qt::AscendingOrder;
    int later = -1;
    std::function<ListView::Look(int)> look;
    std::vector<std::function<QString(const QString&)>> formats;  // by column
    const QWidget* view = nullptr;                                // for its palette
    std::vector<SortKey> sortKeys;
    std::string sortBytes;

    // Puts row i at newPlace[i] (a permutation), in one layout change that keeps the view's
    // selection and current row on the same loans.
    void reorderRows(const std::vector<int>& newPlace)
    {
        const size_t n = rows.size();
        Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        std::vector<ListRow> reordered(n);
        for (size_t i = 0; i < n; ++i)
            reordered[static_cast<size_t>(newPlace[i])] = std::move(rows[i]);
        rows.swap(reordered);
        const QModelIndexList from = persistentIndexList();
        QModelIndexList to;
        to.reserve(from.size());
        for (const QModelIndex& idx : from)
            to.append(index(newPlace[static_cast<size_t>(idx.row())], idx.column()));
        changePersistentIndexList(from, to);
        Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }

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
        if (!index.isValid())
            return {};
        switch (role) {
            case Qt::DisplayRole: {
                const QString text = cellText(index.row(), index.column());
                const auto c = static_cast<size_t>(index.column());
                if (c < formats.size() && formats[c] && !text.isEmpty())
                    return formats[c](text);
                return text;
            }
            case Qt::ForegroundRole:
            case Qt::BackgroundRole:
            case Qt::ToolTipRole:
            case Qt::AccessibleDescriptionRole:
                break;
            default:
                return {};
        }
        if (!look)
            return {};
        const ListView::Look l = look(index.row());
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
        return rows[static_cast<size_t>(row)].cell(column);
    }

    bool isLater(const ListRow& row) const { return later >= 0 && !row.isEmpty(later); }

    // A row's sort bytes, ordered as sortNow() orders them (std::string compares bytes unsigned).
    std::string keyOf(const ListRow& row) const
    {
        std::string bytes;
        appendSortBytes(bytes, row.utf8(key));
        return bytes;
    }

    // The first of the later rows (the model keeps them after the others).
    size_t firstLater(size_t skip = SIZE_MAX) const
    {
        size_t lo = 0;
        size_t hi = rows.size() - (skip < rows.size() ? 1 : 0);
        auto at = [&](size_t i) -> const ListRow& { return rows[i >= skip ? i + 1 : i]; };
        while (lo < hi) {
            const size_t mid = lo + (hi - lo) / 2;
            if (isLater(at(mid)))
                hi = mid;
            else
                lo = mid + 1;
        }
        return lo;
    }

    // Where a row goes, counted among the rows without the one at skip: with sorting on, after
    // every row of its part that sorts equal to it, as a stable sort of the list with the row
    // appended would place it; otherwise at the end of its part.
    size_t sortedPlace(const ListRow& row, size_t skip = SIZE_MAX) const
    {
        const size_t n = rows.size() - (skip < rows.size() ? 1 : 0);
        const size_t split = later >= 0 ? firstLater(skip) : n;
        const bool rowLater = isLater(row);
        size_t lo = rowLater ? split : 0;
        size_t hi = rowLater ? n : split;
        if (!sorted)
            return hi;
        const std::string k = keyOf(row);
        while (lo < hi) {
            const size_t mid = lo + (hi - lo) / 2;
            const std::string m = keyOf(rows[mid >= skip ? mid + 1 : mid]);
            const bool after = order == Qt::AscendingOrder ? k < m : m < k;
            if (after)
                hi = mid;
            else
                lo = mid + 1;
        }
        return lo;
    }

    // Puts the rows in order: the later rows after the others, each part sorted by the key
    // (stably) while sorting is on.
    void sortNow()
    {
        const size_t n = rows.size();
        if (n < 2 || (!sorted && later < 0))
            return;
        // Every row's key in one array and the sort bytes in one block: the sort compares
        // numbers, and follows into the block only for keys alike in the eight bytes compared.
        // Kept from sort to sort: fresh memory for a big list costs more than the sort's work.
        std::vector<SortKey>& keys = sortKeys;
        std::string& bytes = sortBytes;
        keys.assign(n, SortKey());
        bytes.clear();
        bool parted = true;  // the later rows already after the others
        for (size_t i = 0; i < n; ++i) {
            if (i + 8 < n)
                rows[i + 8].prefetch();
            SortKey& k = keys[i];
            k.row = static_cast<std::uint32_t>(i);
            k.part = isLater(rows[i]) ? 1 : 0;
            parted = parted && (i == 0 || k.part >= keys[i - 1].part);
            if (!sorted)
                continue;
            k.at = static_cast<std::uint32_t>(bytes.size());
            appendSortBytes(bytes, rows[i].utf8(key));
            k.size = static_cast<std::uint32_t>(bytes.size() - k.at);
        }
        // Unsorted rows only need the later ones after the others, which they mostly are.
        if (!sorted && parted)
            return;
        // The eight bytes compared as a number start after what every key has in common (a
        // column of "Book: ..." would otherwise compare nothing but its common start).
        const char* block = bytes.data();
        std::uint32_t common = sorted ? keys[0].size : 0;
        for (size_t i = 1; i < n && common > 0; ++i) {
            const std::uint32_t most = std::min(common, keys[i].size);
            const char* first = block + keys[0].at;
            const char* other = block + keys[i].at;
            std::uint32_t same = 0;
            // Eight bytes at a time while they agree: keys alike in a long start are the case.
            for (std::uint64_t a = 0, b = 0; same + 8 <= most; same += 8) {
                std::memcpy(&a, first + same, 8);
                std::memcpy(&b, other + same, 8);
                if (a != b)
                    break;
            }
            while (same < most && first[same] == other[same])
                ++same;
            common = same;
        }
        for (SortKey& k : keys) {
            unsigned char head[8] = {};
            if (k.size > common)
                std::memcpy(head, block + k.at + common, std::min<size_t>(8, k.size - common));
            for (const unsigned char b : head)
                k.head = (k.head << 8) | b;
        }
        const std::uint32_t tail = common + 8;
        auto before = [block, tail](const SortKey& a, const SortKey& b) {
            if (a.head != b.head)
                return a.head < b.head;
            const std::uint32_t both = std::min(a.size, b.size);
            if (both > tail)
                if (const int c =
                        std::memcmp(block + a.at + tail, block + b.at + tail, both - tail))
                    return c < 0;
            return a.size < b.size;
        };
        // Each part sorted on its own; equal keys keep their order. Descending is the reverse of
        // ascending with ties taken in reverse.
        const auto laterStart = std::stable_partition(keys.begin(), keys.end(),
                                                      [](const SortKey& k) { return k.part == 0; });
        if (sorted) {
            const bool ascending = order == Qt::AscendingOrder;
            for (const auto& [from, to] :
                 {std::pair(keys.begin(), laterStart), std::pair(laterStart, keys.end())}) {
                // A file saved from the list comes back in its order: one pass finds that.
                const bool inOrder =
                    std::is_sorted(from, to, [&](const SortKey& a, const SortKey& b) {
                        return ascending ? before(a, b) : before(b, a);
                    });
                if (inOrder)
                    continue;
                std::sort(from, to, [&](const SortKey& a, const SortKey& b) {
                    if (before(a, b))
                        return true;
                    if (before(b, a))
                        return false;
                    return ascending ? a.row < b.row : a.row > b.row;
                });
                if (!ascending)
                    std::reverse(from, to);
            }
        }
        std::vector<int> perm(n);
        bool moved = false;
        for (size_t i = 0; i < n; ++i) {
            perm[i] = static_cast<int>(keys[i].row);
            moved = moved || perm[i] != static_cast<int>(i);
        }
        if (!moved)
            return;

        Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        std::vector<ListRow> reordered;
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

    void rowChanged(int row)
    {
        Q_EMIT dataChanged(index(row, 0), index(row, std::max(0, columnCount() - 1)));
    }
};

// What the list shows of its model: the rows the filter accepts and the columns not hidden,
// in model order.
class ListViewProxy : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    std::function<bool(int)> accepts;
    std::vector<bool> hidden;  // by model column
    QString find;              // as typed
    QString findForm;          // folded as sorting folds
    const ListViewModel* source = nullptr;

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
        const size_t n = source->rows.size();
        folded.clear();
        at.assign(n + 1, 0);
        hit.assign(n, 1);
        // A shown form (a date's) folded once per distinct cell: dates repeat across loans.
        std::vector<std::unordered_map<std::string, std::string>> shown(source->formats.size());
        for (size_t r = 0; r < n; ++r) {
            at[r] = static_cast<std::uint32_t>(folded.size());
            const ListRow& row = source->rows[r];
            const int columns = std::min(row.size(), static_cast<int>(source->headers.size()));
            for (int c = 0; c < columns; ++c) {
                const auto column = static_cast<size_t>(c);
                const QUtf8StringView cell = row.utf8(c);
                if ((column < hidden.size() && hidden[column]) || cell.isEmpty())
                    continue;
                if (column < source->formats.size() && source->formats[column]) {
                    auto [it, added] = shown[column].try_emplace(
                        std::string(cell.data(), static_cast<size_t>(cell.size())));
                    if (added)
                        appendUnits(it->second, sortForm(source->formats[column](row.cell(c))));
                    folded += it->second;
                } else {
                    appendSortBytes(folded, cell);
                }
                folded += '\n';
            }
        }
        at[n] = static_cast<std::uint32_t>(folded.size());
        cacheValid = true;
    }

    void setFind(const QString& text)
    {
        const QString form = sortForm(text);
        const bool narrowing = cacheValid && !hitForm.isEmpty() && form.contains(hitForm);
        find = text;
        findForm = form;
        hitForm = form;
        findBytes.clear();
        appendUnits(findBytes, form);
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

ListView::ListView(QWidget* parent)
    : QTreeView(parent), model_(new ListViewModel(this)), proxy_(new ListViewProxy(this))
{
    model_->view = this;
    proxy_->source = model_;
    // Before the proxy hears of a change of the rows, what finding kept of them goes.
    auto drop = [this] { proxy_->dropCache(); };
    connect(model_, &QAbstractItemModel::rowsAboutToBeInserted, this, drop);
    connect(model_, &QAbstractItemModel::rowsAboutToBeRemoved, this, drop);
    connect(model_, &QAbstractItemModel::rowsAboutToBeMoved, this, drop);
    connect(model_, &QAbstractItemModel::layoutAboutToBeChanged, this, drop);
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, drop);
    connect(model_, &QAbstractItemModel::dataChanged, this, drop);
    proxy_->setDynamicSortFilter(false);  // the model keeps the order; the proxy only filters
    proxy_->setSourceModel(model_);
    setModel(proxy_);
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
        int c = -1;  // the model column of the clicked section
        for (int m = 0, shown = -1; m < model_->columnCount() && c < 0; ++m)
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

void ListView::setColumns(const QList<Column>& columns)
{
    model_->beginResetModel();
    model_->headers.clear();
    for (const Column& c : columns)
        model_->headers.append(c.caption);
    model_->endResetModel();
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

int ListView::columnCount() const { return static_cast<int>(model_->headers.size()); }

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

QPersistentModelIndex ListView::rowHandle(int modelRow) const
{
    if (modelRow < 0 || modelRow >= modelCount())
        return {};
    return QPersistentModelIndex(model_->index(modelRow, 0));
}

int ListView::modelRow(const QPersistentModelIndex& handle) const
{
    return handle.isValid() && handle.model() == model_ ? handle.row() : -1;
}

int ListView::displayRow(int modelRow) const
{
    if (modelRow < 0 || modelRow >= modelCount())
        return -1;
    const QModelIndex idx = proxy_->mapFromSource(model_->index(modelRow, 0));
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
    ListRow row(cells);
    const size_t at = model_->sortedPlace(row);
    model_->beginInsertRows({}, static_cast<int>(at), static_cast<int>(at));
    model_->rows.insert(model_->rows.begin() + static_cast<std::ptrdiff_t>(at), std::move(row));
    model_->endInsertRows();
    return static_cast<int>(at);
}

void ListView::addMany(const QList<QStringList>& rows)
{
    std::vector<ListRow> made;
    made.reserve(static_cast<size_t>(rows.size()));
    for (const QStringList& r : rows)
        made.emplace_back(r);
    addRows(std::move(made));
}

void ListView::addRows(std::vector<ListRow>&& rows)
{
    if (rows.empty())
        return;
    if (modelCount() > 0) {
        const int first = modelCount();
        model_->beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
        model_->rows.reserve(model_->rows.size() + rows.size());
        std::move(rows.begin(), rows.end(), std::back_inserter(model_->rows));
        model_->endInsertRows();
        model_->sortNow();
        return;
    }
    // Into an empty list (loading a file): filled and sorted in one reset, which the filter and
    // the view take in one pass.
    model_->beginResetModel();
    model_->rows = std::move(rows);
    model_->sortNow();
    model_->endResetModel();
}

void ListView::remove(int row) { removeModelRows({modelRow(row)}); }

void ListView::removeRows(const QList<int>& rows)
{
    QList<int> inModel;
    inModel.reserve(rows.size());
    for (int r : rows)
        inModel.append(modelRow(r));
    removeModelRows(inModel);
}

void ListView::removeModelRows(const QList<int>& modelRows)
{
    QList<int> doomed = modelRows;
    std::sort(doomed.begin(), doomed.end(), std::greater<>());
    doomed.erase(std::unique(doomed.begin(), doomed.end()), doomed.end());
    while (!doomed.isEmpty() && doomed.first() >= modelCount())
        doomed.removeFirst();
    while (!doomed.isEmpty() && doomed.last() < 0)
        doomed.removeLast();
    qsizetype runs = 0;
    for (qsizetype i = 0; i < doomed.size(); ++i)
        runs += (i == 0 || doomed.at(i) != doomed.at(i - 1) - 1) ? 1 : 0;
    if (runs > 16) {
        // Many rows spread over the list: moved behind the others in one layout change and
        // removed in one piece, as every removal costs the view a pass over the rows.
        const size_t n = model_->rows.size();
        std::vector<char> gone(n, 0);
        for (int m : doomed)
            gone[static_cast<size_t>(m)] = 1;
        std::vector<int> newPlace(n);
        size_t keep = 0;
        size_t tail = n - static_cast<size_t>(doomed.size());
        for (size_t i = 0; i < n; ++i)
            newPlace[i] = static_cast<int>(gone[i] ? tail++ : keep++);
        model_->reorderRows(newPlace);
        model_->beginRemoveRows({}, static_cast<int>(keep), static_cast<int>(n) - 1);
        model_->rows.erase(model_->rows.begin() + static_cast<std::ptrdiff_t>(keep),
                           model_->rows.end());
        model_->endRemoveRows();
        return;
    }
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

QString ListView::text(int row) const { return model_->cellText(modelRow(row), 0); }

QString ListView::cell(int row, int column) const
{
    return model_->cellText(modelRow(row), column);
}

QStringList ListView::rowCells(int row) const { return modelRowCells(modelRow(row)); }

int ListView::modelCount() const { return static_cast<int>(model_->rows.size()); }

QString ListView::modelCell(int modelRow, int column) const
{
    return model_->cellText(modelRow, column);
}

QUtf8StringView ListView::modelCellUtf8(int modelRow, int column) const
{
    if (modelRow < 0 || modelRow >= modelCount())
        return {};
    return model_->rows[static_cast<size_t>(modelRow)].utf8(column);
}

QStringList ListView::modelRowCells(int modelRow) const
{
    if (modelRow < 0 || modelRow >= modelCount())
        return {};
    return model_->rows[static_cast<size_t>(modelRow)].cells(columnCount());
}

void ListView::setModelCell(int modelRow, int column, const QString& text)
{
    if (modelRow < 0 || modelRow >= modelCount() || column < 0)
        return;
    const auto from = static_cast<size_t>(modelRow);
    ListRow row = model_->rows[from];
    row.setCell(column, text);
    const bool placeMatters = column == model_->later || (model_->sorted && column == model_->key);
    const size_t place = placeMatters ? model_->sortedPlace(row, from) : from;
    if (place != from) {
        // Counted before the move, the row goes before the row now at dest.
        const int dest = static_cast<int>(place > from ? place + 1 : place);
        model_->beginMoveRows({}, modelRow, modelRow, {}, dest);
        model_->rows.erase(model_->rows.begin() + modelRow);
        model_->rows.insert(model_->rows.begin() + static_cast<std::ptrdiff_t>(place),
                            std::move(row));
        model_->endMoveRows();
        model_->rowChanged(static_cast<int>(place));  // the move had the filter look at every row
        return;
    }
    model_->rows[from] = std::move(row);
    model_->rowChanged(static_cast<int>(place));
    proxy_->refilterRows();
}

void ListView::setModelCells(const QList<int>& modelRows, int column, const QString& text)
{
    if (modelRows.size() == 1) {
        setModelCell(modelRows.first(), column, text);
        return;
    }
    if (column < 0)
        return;
    for (int m : modelRows) {
        if (m < 0 || m >= modelCount())
            continue;
        model_->rows[static_cast<size_t>(m)].setCell(column, text);
        model_->rowChanged(m);
    }
    if (column == model_->later || (model_->sorted && column == model_->key))
        model_->sortNow();
    proxy_->refilterRows();
}

QString ListView::modelRowTag(int modelRow) const
{
    if (modelRow < 0 || modelRow >= modelCount())
        return {};
    return model_->rows[static_cast<size_t>(modelRow)].cell(columnCount());
}

void ListView::setModelRowTag(int modelRow, const QString& tag)
{
    if (modelRow < 0 || modelRow >= modelCount())
        return;
    // Kept just past the last column, where neither the view nor the cells reach.
    model_->rows[static_cast<size_t>(modelRow)].setCell(columnCount(), tag);
}

void ListView::replaceModelRows(const QStringList& removeTags, const QList<TaggedRow>& insert)
{
    QList<int> doomed;
    if (!removeTags.isEmpty()) {
        const QSet<QString> tags(removeTags.begin(), removeTags.end());
        const int at = columnCount();
        for (size_t m = 0; m < model_->rows.size(); ++m) {
            const ListRow& r = model_->rows[m];
            if (!r.isEmpty(at) && tags.contains(r.cell(at)))
                doomed.append(static_cast<int>(m));
        }
    }
    removeModelRows(doomed);
    if (insert.isEmpty())
        return;
    // All in one insertion at the end, then one move into place: a thousand rows put back cost
    // the view two passes instead of a thousand.
    const size_t before = model_->rows.size();
    const size_t n = before + static_cast<size_t>(insert.size());
    model_->beginInsertRows({}, static_cast<int>(before), static_cast<int>(n) - 1);
    const int tagAt = columnCount();
    for (const TaggedRow& t : insert) {
        QStringList cells = t.cells.mid(0, tagAt);
        while (cells.size() < tagAt)
            cells.append(QString());
        cells.append(t.tag);
        model_->rows.emplace_back(cells);
    }
    model_->endInsertRows();

    // newPlace[old position] = new position: the new rows at their places, the others in order.
    std::vector<int> newPlace(n, -1);
    std::vector<char> taken(n, 0);
    for (qsizetype i = 0; i < insert.size(); ++i) {
        const auto at =
            static_cast<size_t>(std::clamp<int>(insert.at(i).modelRow, 0, static_cast<int>(n) - 1));
        size_t place = at;
        while (place < n && taken[place])
            ++place;
        if (place == n) {
            place = 0;
            while (taken[place])
                ++place;
        }
        taken[place] = 1;
        newPlace[before + static_cast<size_t>(i)] = static_cast<int>(place);
    }
    size_t next = 0;
    for (size_t old = 0; old < before; ++old) {
        while (taken[next])
            ++next;
        newPlace[old] = static_cast<int>(next++);
    }
    bool moved = false;
    for (size_t i = 0; i < n && !moved; ++i)
        moved = newPlace[i] != static_cast<int>(i);
    if (moved) {
        model_->reorderRows(newPlace);
    }
    // Back in the places they had; only a sort changed since moves them on.
    model_->sortNow();
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

void ListView::setLaterColumn(int column)
{
    model_->later = column;
    model_->sortNow();
}

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
    if (column < 0)
        return;
    if (model_->formats.size() <= static_cast<size_t>(column))
        model_->formats.resize(static_cast<size_t>(column) + 1);
    model_->formats[static_cast<size_t>(column)] = std::move(format);
}

void ListView::setRowLook(std::function<Look(int modelRow)> look)
{
    model_->look = std::move(look);
}

void ListView::refreshLooks()
{
    if (modelCount() > 0)
        Q_EMIT model_->dataChanged(model_->index(0, 0),
                                   model_->index(modelCount() - 1, std::max(0, columnCount() - 1)));
    proxy_->refilterRows();
}

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
    int section = -1;
    for (int c = 0, s = 0; c < columnCount(); ++c)
        if (columnShown(c)) {
            if (c == model_->key)
                section = s;
            ++s;
        }
    header()->setSortIndicatorShown(model_->sorted && section >= 0);
    if (model_->sorted && section >= 0)
        header()->setSortIndicator(section, model_->order);
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
    return sortForm(a).compare(sortForm(b));
}

}  // namespace wexlo::platform
