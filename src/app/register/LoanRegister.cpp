#include "app/register/LoanRegister.h"

#include <QSet>

#include <algorithm>
#include <numeric>
#include <string_view>
#include <utility>

namespace wexlo {

LoanRegister::LoanRegister() : table_(std::make_unique<platform::RowTable>())
{
    table_->setHeaders({QStringLiteral("Date"), QStringLiteral("Lent To"), QStringLiteral("Item"),
                        QStringLiteral("Phone"), QStringLiteral("Address"), QStringLiteral("Due"),
                        QStringLiteral("Returned")});
    // Returned loans come after the active ones.
    table_->setLaterColumn(field::Returned);
}

LoanRegister::~LoanRegister() = default;

bool LoanRegister::isOverdue(int row, const QString& todayIso) const
{
    if (isReturned(row))
        return false;
    const QString due = value(row, field::Due);
    const bool iso =
        due.size() == 10 && due.at(4) == QLatin1Char('-') && due.at(7) == QLatin1Char('-');
    return iso && due < todayIso;
}

int LoanRegister::add(const Loan& loan) { return table_->addRow(loan.cells()); }

void LoanRegister::remove(const QList<int>& rows) { table_->removeRowsAt(rows); }

void LoanRegister::setDue(const QList<int>& rows, const QString& iso)
{
    table_->setCells(rows, field::Due, iso);
}

void LoanRegister::setReturned(const QList<int>& rows, const QString& iso)
{
    table_->setCells(rows, field::Returned, iso);
}

void LoanRegister::replaceAll(std::vector<platform::ListRow>&& loans)
{
    table_->clear();
    table_->addRows(std::move(loans));
}

std::vector<int> LoanRegister::fileOrder() const
{
    std::vector<int> order(static_cast<size_t>(count()));
    std::iota(order.begin(), order.end(), 0);
    const auto firstReturned =
        std::find_if(order.begin(), order.end(), [this](int m) { return isReturned(m); });
    if (firstReturned == order.end())
        return order;
    std::vector<std::pair<std::string_view, int>> back;
    back.reserve(static_cast<size_t>(order.end() - firstReturned));
    for (auto it = firstReturned; it != order.end(); ++it) {
        const QUtf8StringView returned = utf8(*it, field::Returned);
        back.emplace_back(std::string_view(returned.data(), size_t(returned.size())), *it);
    }
    std::stable_sort(back.begin(), back.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < back.size(); ++i)
        firstReturned[static_cast<std::ptrdiff_t>(i)] = back[i].second;
    return order;
}

QList<LoanRegister::Kept> LoanRegister::keep(QList<int> rows)
{
    // Every loan a step touches carries a tag of its own, so that a later step that took it out
    // and put it back (undoing a delete, say) leaves it findable by the earlier steps.
    static quint64 next = 0;
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    QList<Kept> out;
    out.reserve(rows.size());
    for (int m : rows) {
        if (m < 0 || m >= count())
            continue;
        QString tag = table_->tag(m);
        if (tag.isEmpty()) {
            tag = QString::number(++next);
            table_->setTag(m, tag);
        }
        out.append({m, table_->rowCells(m), tag});
    }
    return out;
}

void LoanRegister::restore(const QList<Kept>& from, const QList<Kept>& to)
{
    QStringList tags;
    tags.reserve(from.size());
    for (const auto& r : from)
        tags.append(r.tag);
    QSet<QString> gone(tags.begin(), tags.end());
    for (int m = 0; m < count() && !gone.isEmpty(); ++m)
        gone.remove(table_->tag(m));
    if (gone.isEmpty()) {
        table_->replaceRows(tags, to);
        return;
    }
    QList<Kept> back;
    for (const auto& r : to)
        if (!gone.contains(r.tag))
            back.append(r);
    table_->replaceRows(tags, back);
}

}  // namespace wexlo
