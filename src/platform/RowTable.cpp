#include "platform/RowTable.h"

#include <QSet>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

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
void appendCellBytes(std::string& out, QUtf8StringView cell)
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

}  // namespace

// Puts row i at newPlace[i] (a permutation), in one layout change that keeps the view's
// selection and current row on the same loans.
void RowTable::reorderRows(const std::vector<int>& newPlace)
{
    const size_t n = rows_.size();
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<ListRow> reordered(n);
    for (size_t i = 0; i < n; ++i)
        reordered[static_cast<size_t>(newPlace[i])] = std::move(rows_[i]);
    rows_.swap(reordered);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& idx : from)
        to.append(index(newPlace[static_cast<size_t>(idx.row())], idx.column()));
    changePersistentIndexList(from, to);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

// A row's sort bytes, ordered as sortNow() orders them (std::string compares bytes unsigned).
std::string RowTable::keyOf(const ListRow& row) const
{
    std::string bytes;
    appendCellBytes(bytes, row.utf8(key_));
    return bytes;
}

// The first of the later rows (the model keeps them after the others).
size_t RowTable::firstLater(size_t skip) const
{
    size_t lo = 0;
    size_t hi = rows_.size() - (skip < rows_.size() ? 1 : 0);
    auto at = [&](size_t i) -> const ListRow& { return rows_[i >= skip ? i + 1 : i]; };
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
size_t RowTable::sortedPlace(const ListRow& row, size_t skip) const
{
    const size_t n = rows_.size() - (skip < rows_.size() ? 1 : 0);
    const size_t split = later_ >= 0 ? firstLater(skip) : n;
    const bool rowLater = isLater(row);
    size_t lo = rowLater ? split : 0;
    size_t hi = rowLater ? n : split;
    if (!sorted_)
        return hi;
    const std::string k = keyOf(row);
    while (lo < hi) {
        const size_t mid = lo + (hi - lo) / 2;
        const std::string m = keyOf(rows_[mid >= skip ? mid + 1 : mid]);
        const bool after = order_ == Qt::AscendingOrder ? k < m : m < k;
        if (after)
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

// Puts the rows in order: the later rows after the others, each part sorted by the key
// (stably) while sorting is on.
void RowTable::sortNow()
{
    const size_t n = rows_.size();
    if (n < 2 || (!sorted_ && later_ < 0))
        return;
    // Every row's key in one array and the sort bytes in one block: the sort compares
    // numbers, and follows into the block only for keys alike in the eight bytes compared.
    // Kept from sort to sort: fresh memory for a big list costs more than the sort's work.
    std::vector<SortKey>& keys = sortKeys_;
    std::string& bytes = sortBytes_;
    keys.assign(n, SortKey());
    bytes.clear();
    bool parted = true;  // the later rows already after the others
    for (size_t i = 0; i < n; ++i) {
        if (i + 8 < n)
            rows_[i + 8].prefetch();
        SortKey& k = keys[i];
        k.row = static_cast<std::uint32_t>(i);
        k.part = isLater(rows_[i]) ? 1 : 0;
        parted = parted && (i == 0 || k.part >= keys[i - 1].part);
        if (!sorted_)
            continue;
        k.at = static_cast<std::uint32_t>(bytes.size());
        appendCellBytes(bytes, rows_[i].utf8(key_));
        k.size = static_cast<std::uint32_t>(bytes.size() - k.at);
    }
    // Unsorted rows only need the later ones after the others, which they mostly are.
    if (!sorted_ && parted)
        return;
    // The eight bytes compared as a number start after what every key has in common (a
    // column of "Book: ..." would otherwise compare nothing but its common start).
    const char* block = bytes.data();
    std::uint32_t common = sorted_ ? keys[0].size : 0;
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
            if (const int c = std::memcmp(block + a.at + tail, block + b.at + tail, both - tail))
                return c < 0;
        return a.size < b.size;
    };
    // Each part sorted on its own; equal keys keep their order. Descending is the reverse of
    // ascending with ties taken in reverse.
    const auto laterStart = std::stable_partition(keys.begin(), keys.end(),
                                                  [](const SortKey& k) { return k.part == 0; });
    if (sorted_) {
        const bool ascending = order_ == Qt::AscendingOrder;
        for (const auto& [from, to] :
             {std::pair(keys.begin(), laterStart), std::pair(laterStart, keys.end())}) {
            // A file saved from the list comes back in its order: one pass finds that.
            const bool inOrder = std::is_sorted(from, to, [&](const SortKey& a, const SortKey& b) {
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
        reordered.push_back(std::move(rows_[size_t(perm[i])]));
        newPlace[size_t(perm[i])] = static_cast<int>(i);
    }
    rows_.swap(reordered);
    // Selection and current row follow their rows.
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& idx : from)
        to.append(index(newPlace[size_t(idx.row())], idx.column()));
    changePersistentIndexList(from, to);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

RowTable::RowTable(QObject* parent) : QAbstractTableModel(parent) {}

RowTable::~RowTable() = default;

void RowTable::setHeaders(const QStringList& headers)
{
    beginResetModel();
    headers_ = headers;
    endResetModel();
}

int RowTable::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count(); }

int RowTable::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant RowTable::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    const QString text = cell(index.row(), index.column());
    const auto c = static_cast<size_t>(index.column());
    if (c < formats_.size() && formats_[c] && !text.isEmpty())
        return formats_[c](text);
    return text;
}

QVariant RowTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < headers_.size())
        return headers_.at(section);
    return {};
}

Qt::ItemFlags RowTable::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QString RowTable::cell(int row, int column) const
{
    if (row < 0 || row >= count() || column < 0)
        return {};
    return rows_[static_cast<size_t>(row)].cell(column);
}

QUtf8StringView RowTable::cellUtf8(int row, int column) const
{
    if (row < 0 || row >= count())
        return {};
    return rows_[static_cast<size_t>(row)].utf8(column);
}

QStringList RowTable::rowCells(int row) const
{
    if (row < 0 || row >= count())
        return {};
    return rows_[static_cast<size_t>(row)].cells(static_cast<int>(headers_.size()));
}

void RowTable::rowChanged(int row)
{
    Q_EMIT dataChanged(index(row, 0), index(row, std::max(0, columnCount() - 1)));
}

void RowTable::touchAll()
{
    if (count() > 0)
        Q_EMIT dataChanged(index(0, 0), index(count() - 1, std::max(0, columnCount() - 1)));
    Q_EMIT cellsChanged();
}

int RowTable::addRow(const QStringList& cells)
{
    ListRow row(cells, hashedCells());
    const size_t at = sortedPlace(row);
    beginInsertRows({}, static_cast<int>(at), static_cast<int>(at));
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(at), std::move(row));
    endInsertRows();
    return static_cast<int>(at);
}

void RowTable::addRows(std::vector<ListRow>&& rows)
{
    if (rows.empty())
        return;
    if (count() > 0) {
        const int first = count();
        beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
        rows_.reserve(rows_.size() + rows.size());
        std::move(rows.begin(), rows.end(), std::back_inserter(rows_));
        endInsertRows();
        sortNow();
        return;
    }
    // Into an empty table (a file read): filled and sorted in one reset, which filters and
    // views take in one pass.
    beginResetModel();
    rows_ = std::move(rows);
    sortNow();
    endResetModel();
}

void RowTable::removeRowsAt(const QList<int>& rows)
{
    QList<int> doomed = rows;
    std::sort(doomed.begin(), doomed.end(), std::greater<>());
    doomed.erase(std::unique(doomed.begin(), doomed.end()), doomed.end());
    while (!doomed.isEmpty() && doomed.first() >= count())
        doomed.removeFirst();
    while (!doomed.isEmpty() && doomed.last() < 0)
        doomed.removeLast();
    qsizetype runs = 0;
    for (qsizetype i = 0; i < doomed.size(); ++i)
        runs += (i == 0 || doomed.at(i) != doomed.at(i - 1) - 1) ? 1 : 0;
    if (runs > 16) {
        // Many rows spread over the table: moved behind the others in one layout change and
        // removed in one piece, as every removal costs a view a pass over the rows.
        const size_t n = rows_.size();
        std::vector<char> gone(n, 0);
        for (int m : doomed)
            gone[static_cast<size_t>(m)] = 1;
        std::vector<int> newPlace(n);
        size_t keep = 0;
        size_t tail = n - static_cast<size_t>(doomed.size());
        for (size_t i = 0; i < n; ++i)
            newPlace[i] = static_cast<int>(gone[i] ? tail++ : keep++);
        reorderRows(newPlace);
        beginRemoveRows({}, static_cast<int>(keep), static_cast<int>(n) - 1);
        rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(keep), rows_.end());
        endRemoveRows();
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
        beginRemoveRows({}, first, last);
        rows_.erase(rows_.begin() + first, rows_.begin() + last + 1);
        endRemoveRows();
    }
}

void RowTable::clear()
{
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void RowTable::setCell(int at, int column, const QString& text)
{
    if (at < 0 || at >= count() || column < 0)
        return;
    const auto from = static_cast<size_t>(at);
    ListRow row = rows_[from];
    row.setCell(column, text, hashedCells());
    const bool placeMatters = column == later_ || (sorted_ && column == key_);
    const size_t place = placeMatters ? sortedPlace(row, from) : from;
    if (place != from) {
        // Counted before the move, the row goes before the row now at dest.
        const int dest = static_cast<int>(place > from ? place + 1 : place);
        beginMoveRows({}, at, at, {}, dest);
        rows_.erase(rows_.begin() + at);
        rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(place), std::move(row));
        endMoveRows();
        rowChanged(static_cast<int>(place));
        return;
    }
    rows_[from] = std::move(row);
    rowChanged(static_cast<int>(place));
    Q_EMIT cellsChanged();
}

void RowTable::setCells(const QList<int>& rows, int column, const QString& text)
{
    if (rows.size() == 1) {
        setCell(rows.first(), column, text);
        return;
    }
    if (column < 0)
        return;
    for (int m : rows) {
        if (m < 0 || m >= count())
            continue;
        rows_[static_cast<size_t>(m)].setCell(column, text, hashedCells());
        rowChanged(m);
    }
    if (column == later_ || (sorted_ && column == key_))
        sortNow();
    Q_EMIT cellsChanged();
}

void RowTable::setSorting(bool on, int key, Qt::SortOrder order)
{
    sorted_ = on;
    key_ = key;
    order_ = order;
    sortNow();
    Q_EMIT sortingChanged();
}

void RowTable::setLaterColumn(int column)
{
    later_ = column;
    sortNow();
}

void RowTable::setColumnFormat(int column, std::function<QString(const QString&)> format)
{
    if (column < 0)
        return;
    if (formats_.size() <= static_cast<size_t>(column))
        formats_.resize(static_cast<size_t>(column) + 1);
    formats_[static_cast<size_t>(column)] = std::move(format);
}

const std::function<QString(const QString&)>& RowTable::columnFormat(int column) const
{
    static const std::function<QString(const QString&)> none;
    const auto c = static_cast<size_t>(column);
    return column >= 0 && c < formats_.size() ? formats_[c] : none;
}

QPersistentModelIndex RowTable::handle(int row) const
{
    if (row < 0 || row >= count())
        return {};
    return QPersistentModelIndex(index(row, 0));
}

int RowTable::rowOf(const QPersistentModelIndex& handle) const
{
    return handle.isValid() && handle.model() == this ? handle.row() : -1;
}

QString RowTable::tag(int row) const
{
    if (row < 0 || row >= count())
        return {};
    return rows_[static_cast<size_t>(row)].cell(static_cast<int>(headers_.size()));
}

void RowTable::setTag(int row, const QString& tag)
{
    if (row < 0 || row >= count())
        return;
    // Kept just past the last column, where neither a view nor the cells reach.
    rows_[static_cast<size_t>(row)].setCell(static_cast<int>(headers_.size()), tag, hashedCells());
}

void RowTable::replaceRows(const QStringList& removeTags, const QList<TaggedRow>& insert)
{
    QList<int> doomed;
    const int tagAt = static_cast<int>(headers_.size());
    if (!removeTags.isEmpty()) {
        const QSet<QString> tags(removeTags.begin(), removeTags.end());
        for (size_t m = 0; m < rows_.size(); ++m) {
            const ListRow& r = rows_[m];
            if (!r.isEmpty(tagAt) && tags.contains(r.cell(tagAt)))
                doomed.append(static_cast<int>(m));
        }
    }
    removeRowsAt(doomed);
    if (insert.isEmpty())
        return;
    // All in one insertion at the end, then one move into place: a thousand rows put back cost
    // a view two passes instead of a thousand.
    const size_t before = rows_.size();
    const size_t n = before + static_cast<size_t>(insert.size());
    beginInsertRows({}, static_cast<int>(before), static_cast<int>(n) - 1);
    for (const TaggedRow& t : insert) {
        QStringList cells = t.cells.mid(0, tagAt);
        while (cells.size() < tagAt)
            cells.append(QString());
        cells.append(t.tag);
        rows_.emplace_back(cells, tagAt);
    }
    endInsertRows();

    // newPlace[old place] = new place: the new rows at their places, the others in order.
    std::vector<int> newPlace(n, -1);
    std::vector<char> taken(n, 0);
    for (qsizetype i = 0; i < insert.size(); ++i) {
        const auto at =
            static_cast<size_t>(std::clamp<int>(insert.at(i).row, 0, static_cast<int>(n) - 1));
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
    if (moved)
        reorderRows(newPlace);
    // Back in the places they had; only a sort changed since moves them on.
    sortNow();
}

int RowTable::compareText(const QString& a, const QString& b)
{
    return sortForm(a).compare(sortForm(b));
}

void RowTable::appendSortBytes(std::string& out, QUtf8StringView cell)
{
    appendCellBytes(out, cell);
}

QString RowTable::fold(const QString& text) { return sortForm(text); }

void RowTable::appendFolded(std::string& out, QStringView folded) { appendUnits(out, folded); }

}  // namespace wexlo::platform
