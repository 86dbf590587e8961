#include "platform/ListRow.h"

#include <QByteArray>
#include <QVarLengthArray>

#include <algorithm>
#include <cstring>
#include <new>

namespace wexlo::platform {

namespace {

std::uint64_t mix(std::uint64_t h)
{
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ULL;
    h ^= h >> 33;
    return h;
}

// Eight bytes at a time with a multiply and a rotation each, the full mix once per cell: every
// row read from a big file is hashed.
std::uint64_t addBytes(std::uint64_t h, const char* p, qsizetype n)
{
    constexpr std::uint64_t k = 0x9e3779b97f4a7c15ULL;
    qsizetype i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, p + i, 8);
        h = (h ^ w) * k;
        h = (h << 29) | (h >> 35);
    }
    std::uint64_t tail = 0;
    if (n > i)
        std::memcpy(&tail, p + i, static_cast<size_t>(n - i));
    // The length goes in too, so that "ab"+"c" and "a"+"bc" differ.
    return mix(h ^ tail ^ (static_cast<std::uint64_t>(n) << 56)) * k;
}

}  // namespace

std::uint64_t ListRow::hashOf(const QUtf8StringView* cells, int count)
{
    while (count > 0 && cells[count - 1].isEmpty())
        --count;
    std::uint64_t h = 0x243f6a8885a308d3ULL;
    for (int c = 0; c < count; ++c)
        h = addBytes(h, cells[c].data(), cells[c].size());
    return mix(h);
}

std::uint64_t ListRow::hash() const
{
    if (!block_)
        return hashOf(nullptr, 0);
    std::uint64_t h;
    std::memcpy(&h, block_.get(), sizeof h);
    return h;
}

ListRow::ListRow(const QStringList& cells, int hashed)
{
    QVarLengthArray<QStringView, 16> views;
    for (const QString& c : cells)
        views.append(c);
    build(views.constData(), static_cast<int>(views.size()), hashed);
}

ListRow::ListRow(const QUtf8StringView* cells, int count) { fill(cells, count, kAllCells); }

void ListRow::fill(const QUtf8StringView* cells, int count, int hashed)
{
    size_t total = 0;
    for (int c = 0; c < count; ++c)
        total += static_cast<size_t>(cells[c].size());
    char* p = allocate(count, total);
    if (p == nullptr)
        return;
    auto* ends = reinterpret_cast<std::uint32_t*>(p);
    char* out = p + sizeof(std::uint32_t) * (1 + static_cast<size_t>(count));
    size_t at = 0;
    for (int c = 0; c < count; ++c) {
        if (!cells[c].isEmpty())
            std::memcpy(out + at, cells[c].data(), static_cast<size_t>(cells[c].size()));
        at += static_cast<size_t>(cells[c].size());
        ends[c + 1] = static_cast<std::uint32_t>(at);
    }
    const std::uint64_t h = hashOf(cells, std::min(count, hashed));
    std::memcpy(block_.get(), &h, sizeof h);
}

char* ListRow::allocate(int count, size_t total)
{
    if (count <= 0) {
        block_.reset();
        return nullptr;
    }
    const size_t head = kHashSize + sizeof(std::uint32_t) * (1 + static_cast<size_t>(count));
    char* p = static_cast<char*>(std::malloc(head + total));
    if (p == nullptr)
        throw std::bad_alloc();
    block_.reset(p);
    p += kHashSize;
    reinterpret_cast<std::uint32_t*>(p)[0] = static_cast<std::uint32_t>(count);
    return p;
}

ListRow::ListRow(const ListRow& other) { *this = other; }

ListRow& ListRow::operator=(const ListRow& other)
{
    if (this == &other)
        return *this;
    if (!other.block_) {
        block_.reset();
        return *this;
    }
    const int n = other.size();
    const size_t size = kHashSize + sizeof(std::uint32_t) * (1 + static_cast<size_t>(n)) +
                        (n > 0 ? other.header()[n] : 0);
    char* p = static_cast<char*>(std::malloc(size));
    if (p == nullptr)
        throw std::bad_alloc();
    std::memcpy(p, other.block_.get(), size);
    block_.reset(p);
    return *this;
}

void ListRow::build(const QStringView* cells, int count, int hashed)
{
    // A loan added or changed: rare enough for Qt's encoder on every cell.
    QVarLengthArray<QByteArray, 8> encoded(count);
    QVarLengthArray<QUtf8StringView, 8> views(count);
    for (int c = 0; c < count; ++c) {
        encoded[c] = cells[c].toUtf8();
        views[c] = QUtf8StringView(encoded[c].constData(), encoded[c].size());
    }
    fill(views.constData(), count, hashed);
}

QUtf8StringView ListRow::utf8(int column) const
{
    if (column < 0 || column >= size())
        return {};
    const std::uint32_t* h = header();
    const std::uint32_t from = column == 0 ? 0 : h[column];
    return {bytes() + from, static_cast<qsizetype>(h[column + 1] - from)};
}

QString ListRow::cell(int column) const
{
    const QUtf8StringView v = utf8(column);
    return v.isEmpty() ? QString() : QString::fromUtf8(v.data(), v.size());
}

QStringList ListRow::cells(int count) const
{
    QStringList out;
    const int n = std::min(count, size());
    out.reserve(n);
    for (int c = 0; c < n; ++c)
        out.append(cell(c));
    return out;
}

void ListRow::setCell(int column, QStringView text, int hashed)
{
    if (column < 0)
        return;
    const int n = std::max(size(), column + 1);
    QVarLengthArray<QString, 8> decoded(n);
    QVarLengthArray<QStringView, 8> views(n);
    for (int c = 0; c < n; ++c) {
        if (c == column) {
            views[c] = text;
            continue;
        }
        decoded[c] = cell(c);
        views[c] = decoded[c];
    }
    build(views.constData(), n, hashed);
}

}  // namespace wexlo::platform
