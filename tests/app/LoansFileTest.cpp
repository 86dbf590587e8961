// The loans file's reader and writer on their own: what a save writes in pieces must be the
// same file as written whole, and must read back to the same rows.

#include "app/LoansFile.h"

#include <gtest/gtest.h>

#include <QList>
#include <QStringList>

namespace wexlo::test {
namespace {

QList<QStringList> sampleRows(int n)
{
    QList<QStringList> rows;
    for (int i = 0; i < n; ++i) {
        // Characters outside the first plane (two UTF-16 units) and accents in every row, so
        // that a piece boundary inside a character would show.
        rows.append({QStringLiteral("2026-%1-%2")
                         .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                         .arg(1 + i % 28, 2, 10, QLatin1Char('0')),
                     QStringLiteral("Zoë %1").arg(i),
                     QString::fromUtf8("Tent \xF0\x9F\x8F\x95 #%1").arg(i), QString(),
                     QStringLiteral("Straße: 1, Köln")});
    }
    return rows;
}

TEST(LoansFile, ABigFileWrittenInPiecesIsTheFileWrittenWholeAndReadsBack)
{
    const QList<QStringList> rows = sampleRows(3000);
    auto cell = [&rows](int r, int c) { return rows[r][c]; };

    QByteArray pieced;
    int pieces = 0;
    loansfile::format(static_cast<int>(rows.size()), cell, [&](const QByteArray& piece) {
        EXPECT_FALSE(piece.isEmpty());
        EXPECT_TRUE(piece.endsWith("\r\n"));  // pieces end with a whole record
        pieced += piece;
        ++pieces;
    });
    EXPECT_GT(pieces, 1);
    EXPECT_EQ(pieced, loansfile::format(static_cast<int>(rows.size()), cell));

    const loansfile::Parsed back = loansfile::parse(QString::fromUtf8(pieced));
    EXPECT_EQ(back.orphans, 0);
    EXPECT_EQ(back.rows, rows);
}

TEST(LoansFile, DateLinesHoldDayNumbersAndKeepWhatIsNoDate)
{
    const QList<QStringList> rows{
        {QStringLiteral("1899-12-30"), QStringLiteral("A"), QStringLiteral("i"), {}, {}},
        {QStringLiteral("1899-12-29"), QStringLiteral("B"), QStringLiteral("i"), {}, {}},
        {QStringLiteral("not a date"), QStringLiteral("C"), QStringLiteral("i"), {}, {}}};
    const QByteArray bytes = loansfile::format(static_cast<int>(rows.size()),
                                               [&rows](int r, int c) { return rows[r][c]; });
    EXPECT_TRUE(bytes.startsWith("DATE: 0 \r\nLENTTO:A\r\n"));
    EXPECT_TRUE(bytes.contains("DATE:-1 \r\nLENTTO:B\r\n"));
    EXPECT_TRUE(bytes.contains("DATE:not a date\r\nLENTTO:C\r\n"));
    EXPECT_EQ(loansfile::parse(QString::fromUtf8(bytes)).rows, rows);
    EXPECT_TRUE(loansfile::format(0, [](int, int) { return QString(); }).isEmpty());
}

// A day number far before year 1 is read as a date no row can show, so the row keeps the text;
// saving must then keep it too, not rewrite it as a day number with a blank that the next load
// would keep as part of the text.
TEST(LoansFile, ADayNumberOutsideTheShownYearsSavesAsItWasRead)
{
    const QString file =
        QStringLiteral("DATE:-4999998\r\nLENTTO:A\r\nITEM:i\r\nPHONE:\r\nADDRESS:\r\n");
    const loansfile::Parsed first = loansfile::parse(file);
    ASSERT_EQ(first.rows.size(), 1);
    EXPECT_EQ(first.rows[0][field::Date], QStringLiteral("-4999998"));
    const QByteArray saved =
        loansfile::format(1, [&first](int r, int c) { return first.rows[r][c]; });
    EXPECT_EQ(saved, file.toUtf8());
    EXPECT_EQ(loansfile::parse(QString::fromUtf8(saved)).rows, first.rows);
}

TEST(LoansFile, ReaderSkipsWhatIsNotARecordLine)
{
    const loansfile::Parsed p = loansfile::parse(QStringLiteral(
        "ITEM:orphan\nno colon here\nDATE: 46000 \nUNKNOWN:x\nITEM:  Drill  \nLENTTO:Al:Bo\n"));
    EXPECT_EQ(p.orphans, 1);
    ASSERT_EQ(p.rows.size(), 1);
    EXPECT_EQ(p.rows[0], (QStringList{QStringLiteral("2025-12-09"),
                                      QStringLiteral("Al:Bo"),
                                      QStringLiteral("Drill"),
                                      {},
                                      {}}));
    EXPECT_TRUE(
        loansfile::parse(QStringLiteral("DATE: 46000 ")).rows.isEmpty());  // no line end at all
}

}  // namespace
}  // namespace wexlo::test
