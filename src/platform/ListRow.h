#pragma once

// One list row's cells in one block of memory: where each cell ends, then the cells' UTF-8
// bytes one after another. A register of a hundred thousand loans held a text object per cell,
// which cost several times the loan's own bytes; one block per row costs about what the file
// holds. The block starts with a hash of the row's cells, taken whenever the block is built, so
// that a register's loans can be compared with a file's without reading every row's bytes again.

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QUtf8StringView>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace wexlo::platform {

class ListRow {
public:
    ListRow() = default;
    // The hash covers the first hashed cells: what lies beyond (a caller's tag, say) is no
    // part of the row's content.
    explicit ListRow(const QStringList& cells, int hashed = kAllCells);
    // From cells already in UTF-8 (a file being read), copied as they are.
    ListRow(const QUtf8StringView* cells, int count);
    ListRow(const ListRow& other);
    ListRow& operator=(const ListRow& other);
    ListRow(ListRow&&) noexcept = default;
    ListRow& operator=(ListRow&&) noexcept = default;
    ~ListRow() = default;

    static constexpr int kAllCells = 1 << 30;

    int size() const { return block_ ? static_cast<int>(header()[0]) : 0; }
    // The hash of the row's hashed cells, as hashOf() gives it.
    std::uint64_t hash() const;
    // A hash of cells (UTF-8) by their bytes, empty cells at the end left out: a row and the
    // same row with more empty cells hash alike.
    static std::uint64_t hashOf(const QUtf8StringView* cells, int count);
    // A cell's bytes (empty beyond the row's cells); valid until the row changes.
    QUtf8StringView utf8(int column) const;
    QString cell(int column) const;
    bool isEmpty(int column) const { return utf8(column).isEmpty(); }
    // The first count cells (fewer when the row holds fewer).
    QStringList cells(int count) const;
    // Changes one cell, growing the row to hold it; the hash covers the first hashed cells.
    void setCell(int column, QStringView text, int hashed = kAllCells);
    // Asks for the row's block to be brought into the cache: a pass over a big list in sorted
    // order meets its blocks scattered in memory, and waits for each otherwise.
    void prefetch() const
    {
        if (block_)
            __builtin_prefetch(block_.get());
    }

private:
    struct Free {
        void operator()(char* p) const { std::free(p); }
    };
    // [hash][cell count][end of each cell, from the start of the bytes][the bytes]
    static constexpr size_t kHashSize = sizeof(std::uint64_t);
    const std::uint32_t* header() const
    {
        return reinterpret_cast<const std::uint32_t*>(block_.get() + kHashSize);
    }
    const char* bytes() const
    {
        return block_.get() + kHashSize + sizeof(std::uint32_t) * (1 + size());
    }
    void build(const QStringView* cells, int count, int hashed);
    void fill(const QUtf8StringView* cells, int count, int hashed);
    // A block for count cells of total bytes, its ends left to fill.
    char* allocate(int count, size_t total);

    std::unique_ptr<char[], Free> block_;
};

}  // namespace wexlo::platform
