#include "platform/ListRow.h"

#include <QByteArray>
#include <QVarLengthArray>

#include <cstring>
#include <new>

namespace wexlo::platform {

ListRow::ListRow(const QStringList& cells)
{
    QVarLengthArray<QStringView, 16> views;
    for (const QString& c : cells)
        views.append(c);
    build(views.constData(), static_cast<int>(views.size()));
}

ListRow::ListRow(const QUtf8StringView* cells, int count) { fill(cells, count); }

void ListRow::fill(const QUtf8StringView* cells, int count)
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
}

char* ListRow::allocate(int count, size_t total)
{
    if (count <= 0) {
        block_.reset();
        return nullptr;
    }
    const size_t head = sizeof(std::uint32_t) * (1 + static_cast<size_t>(count));
    char* p = static_cast<char*>(std::malloc(head + total));
    if (p == nullptr)
        throw std::bad_alloc();
    reinterpret_cast<std::uint32_t*>(p)[0] = static_cast<std::uint32_t>(count);
    block_.reset(p);
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
    const size_t size =
        sizeof(std::uint32_t) * (1 + static_cast<size_t>(n)) + (n > 0 ? other.header()[n] : 0);
    char* p = static_cast<char*>(std::malloc(size));
    if (p == nullptr)
        throw std::bad_alloc();
    std::memcpy(p, other.block_.get(), size);
    block_.reset(p);
    return *this;
}

void ListRow::build(const QStringView* cells, int count)
{
    // A loan added or changed: rare enough for Qt's encoder on every cell.
    QVarLengthArray<QByteArray, 8> encoded(count);
    QVarLengthArray<QUtf8StringView, 8> views(count);
    for (int c = 0; c < count; ++c) {
        encoded[c] = cells[c].toUtf8();
        views[c] = QUtf8StringView(encoded[c].constData(), encoded[c].size());
    }
    fill(views.constData(), count);
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

void ListRow::setCell(int column, QStringView text)
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
    build(views.constData(), n);
}

}  // namespace wexlo::platform
