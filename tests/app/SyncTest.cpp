// One register written by several hands: another window, a sync tool replacing the file or
// leaving a conflict copy beside it. Nothing any of them wrote may be lost.

#include "MainWindowFixture.h"
#include "app/register/LoanMerge.h"
#include "app/register/LoanRegister.h"

#include <QDir>
#include <QFile>
#include <QUndoStack>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <utility>

namespace wexlo::test {
namespace {

// Loans as letters: each letter one loan, a repeated letter a duplicate.
TEST(LoanMerge, EveryLoanAddedOrChangedAnywhereIsKeptOnce)
{
    struct Case {
        const char* base;
        const char* theirs;
        const char* ours;
        const char* merged;
    } cases[] = {
        {"A", "AB", "A", "AB"},      // added there
        {"A", "A", "AB", "AB"},      // added here
        {"AB", "A", "AB", "A"},      // removed there, untouched here
        {"AB", "AB", "A", "A"},      // removed here
        {"AB", "A", "A", "A"},       // removed on both
        {"A", "B", "C", "BC"},       // changed differently on both: both forms
        {"A", "B", "B", "B"},        // the same change on both: once
        {"", "A", "A", "A"},         // the same loan added on both
        {"A", "B", "", "B"},         // changed there, removed here
        {"AA", "AAA", "AA", "AAA"},  // a duplicate added there
        {"AA", "A", "AA", "A"},      // one of two removed there
        {"AA", "AAA", "A", "AA"},    // one added there, another removed here
        {"A", "AA", "AA", "AA"},     // the same duplicate added on both
        {"", "AB", "BC", "ABC"},     // no base (a conflict copy): a loan in either kept
    };
    auto hashes = [](const char* s) {
        std::vector<loanmerge::Hash> out;
        for (; *s != '\0'; ++s)
            out.push_back(static_cast<loanmerge::Hash>(*s));
        return out;
    };
    for (const Case& c : cases) {
        const auto theirs = hashes(c.theirs);
        const auto ours = hashes(c.ours);
        const loanmerge::Plan plan =
            loanmerge::merge(loanmerge::baseOf(hashes(c.base)), theirs, ours);
        std::string merged;
        for (size_t i = 0; i < ours.size(); ++i)
            if (!std::binary_search(plan.dropOurs.begin(), plan.dropOurs.end(), int(i)))
                merged += char(ours[i]);
        for (int i : plan.takeTheirs)
            merged += char(theirs[size_t(i)]);
        std::sort(merged.begin(), merged.end());
        EXPECT_EQ(merged, c.merged) << c.base << " / " << c.theirs << " / " << c.ours;
        EXPECT_EQ(plan.oursAdds, merged != std::string(c.theirs))
            << c.base << " / " << c.theirs << " / " << c.ours;
    }
}

// Each loan keeps its hash from change to change; one gone stale after some step would make
// the base of the next merge wrong, and that merge lose or double loans.
TEST(LoanMerge, EveryLoanKeepsTheHashOfItsFieldsThroughEveryStep)
{
    LoanRegister loans;
    QList<LoanRegister::Kept> kept;
    const Loan bert{"2026-03-01", "Bert", "Book", "", "", "", ""};
    const Loan cleo{"2026-03-02", "Cleo", "Lamp", "1", "", "", ""};
    const QList<int> first{0}, all{0, 1, 2}, ends{0, 2};
    const QByteArray anna = "DATE: 46000 \r\nLENTTO:Anna\r\nITEM:Kite\r\nPHONE:\r\nADDRESS:\r\n";
    const QString day = QStringLiteral("2026-04-01");
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"read", [&] { loans.replaceAll(loansfile::rowsOf(anna)); }},
        {"added", [&] { loans.add(bert); }},
        {"added", [&] { loans.add(cleo); }},
        {"kept for undo (tagged)", [&] { kept = loans.keep(all); }},
        {"due, one", [&] { loans.setDue(first, day); }},
        {"due, many", [&] { loans.setDue(all, day); }},
        {"returned", [&] { loans.setReturned(first, day); }},
        {"sorted", [&] { loans.sortBy(field::Borrower, Qt::AscendingOrder); }},
        {"removed", [&] { loans.remove(ends); }},
        {"undone", [&] { loans.restore(loans.keep(all), kept); }},
        {"merged in", [&] { loans.addAll(loansfile::rowsOf("DATE: 46001 \r\nLENTTO:Dora\r\n")); }},
    };
    for (const auto& [name, step] : steps) {
        step();
        for (int m = 0; m < loans.count(); ++m) {
            QUtf8StringView cells[field::kCount];
            for (int c = 0; c < field::kCount; ++c)
                cells[c] = loans.utf8(m, c);
            EXPECT_EQ(loans.table().row(m).hash(), platform::ListRow::hashOf(cells, field::kCount))
                << name << ", loan " << m;
        }
    }
    // A loan read from the file (five fields) is the same loan added here (seven, two empty).
    LoanRegister here;
    here.add(bert);
    const QByteArray file = loansfile::formatLoans(1, [&](int, int c) { return here.value(0, c); });
    EXPECT_EQ(here.table().row(0).hash(), loansfile::rowsOf(file).at(0).hash());
}

class SyncTest : public LoanListFixture {
protected:
    void add(MainWindow& w, const QString& item, const QString& to)
    {
        MainWindowAccess(w).itemEdit()->setText(item);
        MainWindowAccess(w).borrowerEdit()->setText(to);
        w.addLoan();
    }
    // As sync tools write: a new file beside the old, renamed over it.
    void replaceData(const QByteArray& bytes)
    {
        const QString tmp = appFile(".datalist.txt.tmp");
        writeBytes(tmp, bytes);
        ASSERT_EQ(::rename(QFile::encodeName(tmp), QFile::encodeName(appFile("datalist.txt"))), 0);
    }
    static int count(const QByteArray& data, const char* name)
    {
        return int(data.count(QByteArray("LENTTO:") + name + "\r\n"));
    }
};

TEST_F(SyncTest, AFileReplacedWhileOpenShowsUpAndAChangeJustBeforeASaveIsMerged)
{
    const QDate d(2026, 3, 1);
    writeData(loan(d, "Anna") + loan(d.addDays(1), "Bert"));
    MainWindow& w = open();
    replaceData(loan(d, "Anna") + loan(d.addDays(1), "Bert") + loan(d.addDays(2), "Cleo"));
    WEXLO_WAIT_FOR(shown().contains("Cleo"), 5000);
    EXPECT_EQ(shown(), (QStringList{"Cleo", "Bert", "Anna"}));                 // still newest first
    EXPECT_EQ(MainWindowAccess(w).loanList()->selectedRows(), QList<int>{1});  // still Bert

    // Replaced and at once saved over, before any watcher could tell: Bert removed there,
    // Dora added there, Emil added here.
    replaceData(loan(d, "Anna") + loan(d.addDays(2), "Cleo") + loan(d.addDays(3), "Dora"));
    add(w, "Lamp", "Emil");
    const QByteArray data = this->data();
    EXPECT_EQ(count(data, "Bert"), 0);
    for (const char* name : {"Anna", "Cleo", "Dora", "Emil"})
        EXPECT_EQ(count(data, name), 1) << name;
    EXPECT_EQ(shown().size(), 4);
    EXPECT_TRUE(boxes_.shown.isEmpty());
}

TEST_F(SyncTest, TwoWindowsOnOneFolderKeepBothLoansAndUndoTakesBackOnlyItsOwn)
{
    MainWindow& first = open();
    auto second = std::make_unique<MainWindow>();
    add(first, "Kite", "Anna");
    add(*second, "Book", "Bert");
    EXPECT_EQ(count(data(), "Anna"), 1);
    EXPECT_EQ(count(data(), "Bert"), 1);
    first.syncWithDisk();
    EXPECT_EQ(shown().size(), 2);

    // Undoing the kite in the first window takes out the kite alone, not the second's book.
    MainWindowAccess(first).undoStack()->undo();
    EXPECT_EQ(count(data(), "Anna"), 0);
    EXPECT_EQ(count(data(), "Bert"), 1);
    // And undoing the book in the second, after the kite went there, does not bring it back.
    MainWindowAccess(*second).undoStack()->undo();
    EXPECT_EQ(data(), QByteArray());
    second.reset();
}

TEST_F(SyncTest, ConflictCopiesOfEachSyncToolAreMergedAndPutAside)
{
    const QStringList names = {"datalist.sync-conflict-20260301-101500-ABCDEF7.txt",
                               "datalist (conflicted copy 2026-03-01 101500).txt",
                               "datalist (Anna's conflicted copy 2026-03-01).txt"};
    const QDate d(2026, 3, 1);
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        win_.reset();
        boxes_.shown.clear();
        writeData(loan(d, "Anna"));
        writeBytes(appFile(name), loan(d, "Anna") + loan(d, "Bert"));
        writeBytes(appFile("datalist (copy).txt"), loan(d, "Zeno"));  // no sync tool's
        open();
        EXPECT_EQ(count(data(), "Anna"), 1);
        EXPECT_EQ(count(data(), "Bert"), 1);
        EXPECT_EQ(count(data(), "Zeno"), 0);
        EXPECT_FALSE(QFile::exists(appFile(name)));
        EXPECT_EQ(readBytes(appFile("conflicts/" + name)), loan(d, "Anna") + loan(d, "Bert"));
        ASSERT_EQ(boxes_.shown.size(), 1);
        EXPECT_EQ(boxes_.shown.last().title, "Wexlo");
        EXPECT_TRUE(logText().contains(name + " moved to conflicts"));
    }
    // One left beside the file while the window is open is taken in as well.
    writeBytes(appFile(names[0]), loan(d, "Cleo"));
    WEXLO_WAIT_FOR(count(data(), "Cleo") == 1, 5000);
    EXPECT_EQ(shown().size(), 3);
}

}  // namespace
}  // namespace wexlo::test
