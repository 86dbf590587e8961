// The list's sort, made fast with keys of bytes, must put rows in the order its own text
// comparison gives: across the eight bytes compared at once, beyond ASCII and beyond the
// Basic Multilingual Plane, and with equal texts kept in their order.

#include "platform/ListView.h"
#include "support/WexloTest.h"

#include <algorithm>
#include <numeric>

namespace wexlo::test {
namespace {

class ListViewTest : public WexloTest {};

TEST_F(ListViewTest, SortsAndPlacesRowsAsItsTextComparisonOrdersThem)
{
    const QStringList texts = {
        QStringLiteral("person 12345"),
        QStringLiteral("person 12344"),
        QStringLiteral("Person 1234"),
        QStringLiteral("person 1234 "),
        QStringLiteral("PERSON 12345"),
        QStringLiteral("émile"),
        QStringLiteral("Emile"),
        QStringLiteral("Zoë"),
        QStringLiteral("zoe"),
        QString::fromUtf8("a\xF0\x9F\x98\x80"),
        QString::fromUtf8("a\xEF\xBF\xBD"),
        QStringLiteral("ab"),
        QStringLiteral("a"),
        QString(),
        QStringLiteral("Straße"),
        QStringLiteral("STRASSE"),
        QStringLiteral("12345678"),
        QStringLiteral("12345678\u00e9"),
        QStringLiteral("12345678e"),
        QStringLiteral("Ωmega"),
        QStringLiteral("ωmega"),
        QStringLiteral("abcdefgh"),
        QStringLiteral("abcdefg"),
        QStringLiteral("abcdefghi"),
    };
    // The same texts after a start every row shares (longer than the bytes compared at once),
    // with and without a row that is that start alone.
    QStringList shared;
    for (const QString& t : texts)
        if (!t.isEmpty())
            shared.append(QStringLiteral("A thing lent out number ") + t);
    const QStringList sharedAndStart =
        shared + QStringList{QStringLiteral("a THING lent out number ")};
    for (const QStringList& set : {texts, shared, sharedAndStart})
        for (const Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
            // Each row's second cell is its place in the input, to tell equal texts apart.
            QList<QStringList> rows;
            for (qsizetype i = 0; i < set.size(); ++i)
                rows.append({set.at(i), QString::number(i)});
            std::vector<qsizetype> expected(static_cast<size_t>(set.size()));
            std::iota(expected.begin(), expected.end(), 0);
            std::stable_sort(expected.begin(), expected.end(), [&](qsizetype a, qsizetype b) {
                const int c = platform::ListView::compareText(set.at(a), set.at(b));
                return order == Qt::AscendingOrder ? c < 0 : c > 0;
            });

            platform::ListView list;
            list.setColumns({{QStringLiteral("Text")}, {QStringLiteral("Place")}});
            list.addMany(rows);
            list.setSorting(true, 0, order);
            for (size_t i = 0; i < expected.size(); ++i)
                EXPECT_EQ(list.cell(static_cast<int>(i), 1), QString::number(expected[i]))
                    << order << " at " << i;

            // A row added later lands after its equals, as the sort would have put it.
            for (const QString& t : set) {
                const int at = list.add(t, {QStringLiteral("new")});
                const int sign = order == Qt::AscendingOrder ? 1 : -1;
                auto against = [&](int row) {
                    return sign * platform::ListView::compareText(t, list.cell(row, 0));
                };
                if (at > 0) {
                    EXPECT_GE(against(at - 1), 0) << order << " " << t.toStdString();
                }
                if (at + 1 < list.count()) {
                    EXPECT_LT(against(at + 1), 0) << order << " " << t.toStdString();
                }
                list.remove(at);
            }
        }
}

}  // namespace
}  // namespace wexlo::test
