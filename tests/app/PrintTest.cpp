#include "app/LoansPrinter.h"
#include "platform/ListView.h"
#include "platform/Platform.h"
#include "platform/Printer.h"
#include "shared/dates/DateFormat.h"
#include "support/WexloTest.h"
#include "support/PrintDoubles.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <functional>
#include <optional>

using namespace wexlo;

namespace {

class PrintList : public test::WexloTest {
protected:
    void SetUp() override
    {
        WexloTest::SetUp();
        locale_.value = QLocale(QLocale::English, QLocale::UnitedKingdom);
        dateformat::resetForTests();
        clock_.current = QDateTime(QDate(2026, 3, 7), QTime(9, 30));
        pdf_ = appFile(QStringLiteral("printout.pdf"));
        scope_.emplace(system_, pdf_);
        list_.setColumns({{QStringLiteral("Date Lent"), 1400},
                          {QStringLiteral("Lent To"), 2000},
                          {QStringLiteral("Item"), 2000},
                          {QStringLiteral("Phone"), 1400},
                          {QStringLiteral("Address"), 2000}});
    }
    void TearDown() override
    {
        scope_.reset();
        dateformat::resetForTests();
        WexloTest::TearDown();
    }

    void addLoan(const QDate& d, const QString& person, const QString& item)
    {
        list_.add(d.toString(QStringLiteral("yyyy-MM-dd")),
                  {person, item, QStringLiteral("555 0100"), QStringLiteral("1 High Street")});
    }

    // The printout's lines, pages split at form feeds, trailing blanks trimmed.
    QList<QStringList> pages() const
    {
        QList<QStringList> result;
        const QString text = test::pdfText(pdf_);
        QStringList chunks = text.split(QChar(u'\f'));
        if (!chunks.isEmpty() && chunks.last().trimmed().isEmpty())
            chunks.removeLast();
        for (const QString& chunk : chunks) {
            QStringList lines = chunk.split(QChar(u'\n'));
            for (QString& l : lines)
                l = l.trimmed();
            while (!lines.isEmpty() && lines.last().isEmpty())
                lines.removeLast();
            result.append(lines);
        }
        return result;
    }

    static QString row(const QString& a, const QString& b, const QString& c)
    {
        return a + QStringLiteral(" ") + b + QStringLiteral(" ") + c;
    }
    static QString squeeze(const QString& line)
    {
        return QString(line).replace(QRegularExpression(QStringLiteral("\\s+")),
                                     QStringLiteral(" "));
    }

    void print() { printing::printLoans(nullptr, list_); }

    QString pdf_;
    test::ScriptedPrintSystem system_;
    std::optional<test::PrintSystemScope> scope_;
    platform::ListView list_;
};

TEST_F(PrintList, EmptyListPrintsTitleEmptyLineAndHeading)
{
    print();
    const QList<QStringList> p = pages();
    ASSERT_EQ(p.size(), 1);
    const QString today = dateformat::shortDateText(QDate(2026, 3, 7));
    ASSERT_FALSE(today.isEmpty());
    ASSERT_EQ(p[0].size(), 3) << p[0].join(QChar(u'|')).toStdString();
    EXPECT_EQ(p[0][0], QStringLiteral("Loans list for ") + today);
    EXPECT_EQ(p[0][1], QString());
    EXPECT_EQ(squeeze(p[0][2]), QStringLiteral("Date Lent To Item"));
    EXPECT_TRUE(boxes_.shown.isEmpty());
    EXPECT_EQ(platform::mouse().pointer(), platform::Pointer::Default);
}

TEST_F(PrintList, RowsPrintInDisplayOrderWithShortDatesAndTheListStaysAsItWas)
{
    addLoan(QDate(2025, 12, 24), QStringLiteral("Carol"), QStringLiteral("Umbrella"));
    addLoan(QDate(2026, 1, 5), QStringLiteral("Alan"), QStringLiteral("Drill"));
    addLoan(QDate(2024, 6, 30), QStringLiteral("Bea"), QStringLiteral("Ladder"));
    list_.setSorting(true, 2, Qt::AscendingOrder);
    const QList<QStringList> before = {list_.rowCells(0), list_.rowCells(1), list_.rowCells(2)};

    clock_.current = QDateTime(QDate(2026, 4, 1), QTime(8, 0));
    print();

    const QList<QStringList> p = pages();
    ASSERT_EQ(p.size(), 1);
    ASSERT_EQ(p[0].size(), 6) << p[0].join(QChar(u'|')).toStdString();
    // Today's date, not any loan's.
    EXPECT_EQ(p[0][0], QStringLiteral("Loans list for ") +
                           dateformat::shortDateText(QDate(2026, 4, 1)));
    using dateformat::shortDateText;
    EXPECT_EQ(squeeze(p[0][3]), row(shortDateText(QDate(2026, 1, 5)), QStringLiteral("Alan"),
                                    QStringLiteral("Drill")));
    EXPECT_EQ(squeeze(p[0][4]), row(shortDateText(QDate(2024, 6, 30)), QStringLiteral("Bea"),
                                    QStringLiteral("Ladder")));
    EXPECT_EQ(squeeze(p[0][5]), row(shortDateText(QDate(2025, 12, 24)), QStringLiteral("Carol"),
                                    QStringLiteral("Umbrella")));

    ASSERT_EQ(list_.count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(list_.rowCells(i), before[i]);
}

TEST_F(PrintList, LongListRunsOverPagesHeadingOnFirstPageOnly)
{
    const int loans = 250;
    for (int i = 1; i <= loans; ++i)
        addLoan(QDate(2020, 1, 1).addDays(i),
                QStringLiteral("Person %1").arg(i, 3, 10, QChar(u'0')),
                QStringLiteral("Item %1").arg(i));

    print();

    const QList<QStringList> p = pages();
    ASSERT_GE(p.size(), 3);
    EXPECT_TRUE(p[0][0].startsWith(QStringLiteral("Loans list for ")));
    int next = 1;
    for (int page = 0; page < p.size(); ++page) {
        for (const QString& line : p[page]) {
            const bool heading = squeeze(line) == QStringLiteral("Date Lent To Item");
            EXPECT_EQ(heading, page == 0 && line == p[0][2]) << "page " << page + 1;
            EXPECT_FALSE(page > 0 && line.startsWith(QStringLiteral("Loans list for ")));
            static const QRegularExpression person(QStringLiteral("Person (\\d{3})"));
            const QRegularExpressionMatch m = person.match(line);
            if (!m.hasMatch())
                continue;
            EXPECT_EQ(m.captured(1).toInt(), next) << "page " << page + 1;
            EXPECT_TRUE(line.endsWith(QStringLiteral("Item %1").arg(next)));
            ++next;
        }
        // No page numbers: a page holds nothing but loans below the first one's heading.
        if (page > 0) {
            for (const QString& line : p[page])
                EXPECT_TRUE(line.contains(QStringLiteral("Person"))) << line.toStdString();
        }
    }
    EXPECT_EQ(next, loans + 1);
}

TEST_F(PrintList, DocumentTitleFontAndBoldHeading)
{
    addLoan(QDate(2026, 2, 1), QStringLiteral("Dora"), QStringLiteral("Tent"));
    print();

    const QString fonts = test::pdfFonts(pdf_);
    // The desktop's stand-in for Times New Roman, upright for the lines, bold for the heading.
    EXPECT_TRUE(
        fonts.contains(QRegularExpression(QStringLiteral("Serif-Bold|Times.*Bold|Roman.*Bold"))))
        << fonts.toStdString();
    EXPECT_TRUE(fonts.contains(
        QRegularExpression(QStringLiteral("Serif\\s|Serif-Regular|Times-Roman|Roman\\s"))))
        << fonts.toStdString();

    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf_});
    ASSERT_TRUE(info.waitForFinished(30000));
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput())
                    .contains(QRegularExpression(QStringLiteral("Title:\\s+Loans List"))));
}

TEST_F(PrintList, CancelPrintsNothingSaysNothingAndKeepsThePointer)
{
    addLoan(QDate(2026, 2, 1), QStringLiteral("Dora"), QStringLiteral("Tent"));
    system_.cancel();
    platform::mouse().setPointer(platform::Pointer::Busy);
    print();
    EXPECT_EQ(platform::mouse().pointer(), platform::Pointer::Busy);
    platform::mouse().setPointer(platform::Pointer::Default);
    print();
    EXPECT_EQ(platform::mouse().pointer(), platform::Pointer::Default);

    EXPECT_EQ(system_.requests.size(), 2);
    EXPECT_FALSE(QFile::exists(pdf_));
    EXPECT_TRUE(boxes_.shown.isEmpty());
}

TEST_F(PrintList, ChoosingThePrinterGoesThroughTheDialogOnce)
{
    system_.answer = test::ScriptedPrintSystem::confirm(QStringLiteral("Hall Inkjet"));
    system_.answer.printerSettings.orientation = QPageLayout::Landscape;
    print();
    ASSERT_EQ(system_.requests.size(), 1);
    EXPECT_EQ(system_.used, QStringList{QStringLiteral("Hall Inkjet")});
    EXPECT_EQ(platform::printer().pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_TRUE(QFile::exists(pdf_));
}

TEST_F(PrintList, EachPrintGoesWhereItsOwnDialogSaid)
{
    addLoan(QDate(2026, 2, 1), QStringLiteral("Dora"), QStringLiteral("Tent"));
    const QString file = appFile(QStringLiteral("saved.pdf"));
    system_.answer = test::ScriptedPrintSystem::printToFile(file);
    print();
    ASSERT_TRUE(QFile::exists(file));
    EXPECT_TRUE(test::pdfText(file).contains(QStringLiteral("Dora")));
    EXPECT_FALSE(QFile::exists(pdf_));

    // Then a printer: the job reaches its queue and the saved file is left alone.
    ASSERT_TRUE(QFile::remove(file));
    system_.answer = test::ScriptedPrintSystem::confirm(QStringLiteral("Office Laser"));
    print();
    EXPECT_FALSE(QFile::exists(file));
    const QList<QStringList> p = pages();
    ASSERT_EQ(p.size(), 1);
    EXPECT_TRUE(squeeze(p[0].last()).endsWith(QStringLiteral("Dora Tent")))
        << p[0].last().toStdString();

    // And a file again, under another name.
    const QString again = appFile(QStringLiteral("again.pdf"));
    ASSERT_TRUE(QFile::remove(pdf_));
    system_.answer = test::ScriptedPrintSystem::printToFile(again);
    print();
    EXPECT_TRUE(QFile::exists(again));
    EXPECT_FALSE(QFile::exists(pdf_));
    EXPECT_TRUE(boxes_.shown.isEmpty());
}

TEST_F(PrintList, RefusedJobIsReportedAndNothingIsLeft)
{
    addLoan(QDate(2026, 2, 1), QStringLiteral("Dora"), QStringLiteral("Tent"));
    system_.pdfPath = appFile(QStringLiteral("missing/folder/printout.pdf"));
    print();

    ASSERT_EQ(boxes_.shown.size(), 1);
    EXPECT_EQ(boxes_.shown[0].title, QStringLiteral("Wexlo"));
    EXPECT_TRUE(boxes_.shown[0].text.startsWith(QStringLiteral("The loans list was not printed.")));
    EXPECT_TRUE(boxes_.shown[0].text.contains(QStringLiteral("printer did not accept")));
    EXPECT_EQ(platform::mouse().pointer(), platform::Pointer::Default);
}

TEST_F(PrintList, UnreadableDateStopsThePrintoutAndSaysWhy)
{
    addLoan(QDate(2026, 2, 1), QStringLiteral("Dora"), QStringLiteral("Tent"));
    list_.add(QStringLiteral("someday"),
              {QStringLiteral("Eve"), QStringLiteral("Kite"), QString(), QString()});
    print();

    EXPECT_FALSE(QFile::exists(pdf_));
    ASSERT_EQ(boxes_.shown.size(), 1);
    EXPECT_EQ(boxes_.shown[0].title, QStringLiteral("Wexlo"));
    EXPECT_TRUE(boxes_.shown[0].text.contains(QStringLiteral("\"someday\"")));
    EXPECT_TRUE(boxes_.shown[0].text.contains(QStringLiteral("Type mismatch(13)")));
    EXPECT_EQ(platform::mouse().pointer(), platform::Pointer::Default);
}

// With due dates and returns: "Print List" prints the rows the list shows, the three columns
// first and the shown date columns after them; the overdue list prints every overdue loan with
// the borrower's phone and address, whatever the list shows.
TEST_F(PrintList, TheShownDateColumnsAndTheOverdueList)
{
    list_.setColumns({{QStringLiteral("Date"), 1000},
                      {QStringLiteral("Lent To"), 1200},
                      {QStringLiteral("Item"), 1200},
                      {QStringLiteral("Phone"), 900},
                      {QStringLiteral("Address"), 1500},
                      {QStringLiteral("Due"), 1000},
                      {QStringLiteral("Returned"), 1000}});
    list_.setLaterColumn(6);
    list_.setColumnShown(6, false);
    list_.setRowFilter([this](int m) { return list_.modelCell(m, 6).isEmpty(); });
    auto loan = [this](const char* lent, const char* who, const char* due, const char* back) {
        list_.add(QString::fromLatin1(lent), {QString::fromLatin1(who), QStringLiteral("Drill"),
                                              QStringLiteral("555 01"), QStringLiteral("1 High St"),
                                              QString::fromLatin1(due), QString::fromLatin1(back)});
    };
    loan("2026-03-01", "Ann", "2026-03-06", "");
    loan("2026-02-01", "Bob", "2026-03-20", "");
    loan("2026-01-01", "Cy", "2026-02-01", "2026-02-02");
    loan("2025-12-01", "Di", "2026-01-01", "");
    const QString today = dateformat::shortDateText(QDate(2026, 3, 7));
    auto d = [](int y, int m, int day) {
        return dateformat::shortDateText(QDate(y, m, day));
    };
    const struct {
        const char* what;
        std::function<void()> print;
        QStringList lines;
    } cases[] = {
        {"the list with its Due column",
         [this] {
             list_.setColumnShown(5, true);
             printing::printLoans(nullptr, list_);
         },
         {"Loans list for " + today, "", "Date Lent To Item Due",
          d(2026, 3, 1) + " Ann Drill " + d(2026, 3, 6),
          d(2026, 2, 1) + " Bob Drill " + d(2026, 3, 20),
          d(2025, 12, 1) + " Di Drill " + d(2026, 1, 1)}},
        {"the overdue list",
         [this] {
             list_.setRowFilter([](int) { return false; });  // nothing shown
             printing::printOverdueLoans(nullptr, list_, [this](int m) {
                 return list_.modelCell(m, 6).isEmpty() &&
                        list_.modelCell(m, 5) < QStringLiteral("2026-03-07");
             });
         },
         {"Overdue loans for " + today, "", "Date Lent To Item Due Phone Address",
          d(2026, 3, 1) + " Ann Drill " + d(2026, 3, 6) + " 555 01 1 High St",
          d(2025, 12, 1) + " Di Drill " + d(2026, 1, 1) + " 555 01 1 High St"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(pdf_);
        c.print();
        const QList<QStringList> p = pages();
        ASSERT_EQ(p.size(), 1);
        QStringList got;
        for (const QString& line : p[0])
            got.append(squeeze(line));
        EXPECT_EQ(got, c.lines);
    }
    EXPECT_TRUE(boxes_.shown.isEmpty());
}

}  // namespace
