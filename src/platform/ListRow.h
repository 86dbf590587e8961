#pragma once

// One list row's cells in one block of memory: where each cell ends, then the cells' UTF-8
// bytes one after another. A register of a hundred thousand loans held a text object per cell,
// which cost several times the loan's own bytes; one block per row costs about what the file
// holds.

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
    explicit ListRow(const QStringList& cells);
    // From cells already in UTF-8 (a file being read), copied as they are.
    ListRow(const QUtf8StringView* cells, int count);
    ListRow(const ListRow& other);
    ListRow& operator=(const ListRow& other);
    ListRow(ListRow&&) noexcept = default;
    ListRow& operator=(ListRow&&) noexcept = default;
    ~ListRow() = default;

    int size() const { return block_ ? static_cast<int>(header()[0]) : 0; }
    // A cell's bytes (empty beyond the row's cells); valid until the row changes.
    QUtf8StringView utf8(int column) const;
    QString cell(int column) const;
    bool isEmpty(int column) const { return utf8(column).isEmpty(); }
    // The first count cells (fewer when the row holds fewer).
    QStringList cells(int count) const;
    // Changes one cell, growing the row to hold it.
    void setCell(int column, QStringView text);
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
    // [cell count][end of each cell, from the start of the bytes][the bytes]
    const std::uint32_t* header() const
    {
        return reinterpret_cast<const std::uint32_t*>(block_.get());
    }
    const char* bytes() const { return block_.get() + sizeof(std::uint32_t) * (1 + size()); }
    void build(const QStringView* cells, int count);
    void fill(const QUtf8StringView* cells, int count);
    // A block for count cells of total bytes, its ends left to fill.
    char* allocate(int count, size_t total);

    std::unique_ptr<char[], Free> block_;
};

}  // namespace wexlo::platform
