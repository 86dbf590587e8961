// Working with many loans: finding as one types (the list hides, the file keeps every loan),
// and undo and redo of every change of the loans, byte for byte in the file.

#include "MainWindowFixture.h"
#include "app/CsvExport.h"
#include "app/FindBar.h"
#include "app/LoansFile.h"
#include "app/MainWindowAccess.h"
#include "platform/FileDialog.h"
#include "platform/ListView.h"
#include "shared/dates/DateEntryDialog.h"
#include "shared/dates/DateParser.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

namespace wexlo::test {
namespace {

using platform::MsgAnswer;

// The save dialog's answer, and what it was asked.
class ScriptedFileDialog : public platform::FileDialog {
public:
    QString answer;
    QStringList asked;
    QString saveFileName(QWidget*, const QString& title, const QString&,
                         const QString& filter) override
    {
        asked << title << filter;
        return answer;
    }
};

// The file read back by Python's csv module (as a spreadsheet would read it), as rows of fields.
QList<QStringList> readCsvWithPython(const QString& path)
{
    QProcess py;
    py.start(QStringLiteral("python3"),
             {QStringLiteral("-c"),
              QStringLiteral("import csv, json, sys\n"
                             "with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:\n"
                             "    json.dump(list(csv.reader(f, strict=True)), sys.stdout)\n"),
              path});
    if (!py.waitForFinished(20000) || py.exitCode() != 0) {
        ADD_FAILURE() << "python3: " << py.readAllStandardError().toStdString();
        return {};
    }
    QList<QStringList> rows;
    for (const QJsonValue& row : QJsonDocument::fromJson(py.readAllStandardOutput()).array()) {
        QStringList fields;
        for (const QJsonValue& f : row.toArray())
            fields.append(f.toString());
        rows.append(fields);
    }
    return rows;
}

class LoanWork : public LoanListFixture {
protected:
    void select(const QStringList& names)
    {
        platform::ListView* lv = MainWindowAccess(win_).loanList();
        lv->clearSelection();
        for (int r = 0; r < lv->count(); ++r)
            if (names.contains(lv->cell(r, field::Borrower))) {
                lv->setSelected(r, true);
                lv->setCurrentRow(r);
            }
    }
    void add(const QString& name)
    {
        MainWindowAccess(win_).itemEdit()->setText(QStringLiteral("Thing of ") + name);
        MainWindowAccess(win_).borrowerEdit()->setText(name);
        QTest::mouseClick(MainWindowAccess(win_).addButton(), Qt::LeftButton);
    }
    void clickHeader(int section)
    {
        QHeaderView* h = MainWindowAccess(win_).loanList()->header();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                          QPoint(h->sectionViewportPosition(section) + 5, h->height() / 2));
    }
};

// With the list narrowed by the find bar, deleting what it shows and selects, adding (found or
// not), sorting and saving leave the file as the same steps on the whole list would: every loan
// the bar hides is kept, in its place.
TEST_F(LoanWork, FindingNarrowsTheListAndTheFileKeepsEveryLoan)
{
    const QByteArray file = loan(QDate(2026, 3, 1), "Ann") + loan(QDate(2026, 2, 15), "Bob") +
                            loan(QDate(2026, 2, 15), QByteArray("\xc3\x89mile")) +
                            loan(QDate(2025, 12, 24), "Di") + loan(QDate(2025, 11, 2), "Bobby") +
                            loan(QDate(2025, 6, 1), "Cy", {}, QDate(2026, 1, 2));
    const QString emile = QString::fromUtf8("\xc3\x89mile");
    struct Case {
        const char* find;
        QStringList shown;
        const char* count;
    };
    const Case cases[] = {
        {"bo", {"Bob", "Bobby"}, "2 of 5 loans"},
        {"EMI", {emile}, "1 of 5 loans"},  // case and accent aside
        {"\xc3\xa9MI", {emile}, "1 of 5 loans"},
        {"2026-02", {"Bob", emile}, "2 of 5 loans"},
        {"555-D", {"Di"}, "1 of 5 loans"},
        {"zzz", {}, "0 of 5 loans"},
    };
    // The steps, narrowed or not: delete the loans found, add one, sort by Item, add another.
    auto run = [&](const QString& find, const QStringList& found, QStringList* seen,
                   QString* count) {
        writeData(file);
        MainWindow& w = open();
        if (!find.isEmpty()) {
            QTest::keyClick(MainWindowAccess(w).loanList(), Qt::Key_F, Qt::ControlModifier);
            EXPECT_TRUE(MainWindowAccess(w).findBar()->isVisible());
            EXPECT_EQ(QApplication::focusWidget(), MainWindowAccess(w).findBar()->findEdit());
            for (const QChar c : find) {  // typed; a key the test cannot press goes in as text
                if (c.unicode() < 0x80)
                    QTest::keyClick(MainWindowAccess(w).findBar()->findEdit(), c.toLatin1());
                else
                    MainWindowAccess(w).findBar()->findEdit()->insert(QString(c));
            }
            *seen = shown();
            *count = MainWindowAccess(w).findBar()->countLabel()->text();
            MainWindowAccess(w).loanList()->selectAll();
        } else {
            select(found);
        }
        if (!found.isEmpty()) {
            boxes_.answers.push_back(MsgAnswer::Yes);
            QTest::mouseClick(MainWindowAccess(w).deleteButton(), Qt::LeftButton);
        }
        add(QStringLiteral("Fay"));
        clickHeader(field::Item);
        add(QStringLiteral("Bo Gus"));
        const QByteArray saved = data();
        if (!find.isEmpty()) {
            // Escape shows every loan again.
            QTest::keyClick(MainWindowAccess(w).findBar()->findEdit(), Qt::Key_Escape);
            EXPECT_FALSE(MainWindowAccess(w).findBar()->isVisible());
            EXPECT_EQ(MainWindowAccess(w).loanList()->count(),
                      MainWindowAccess(w).loanList()->unfoundCount());
        }
        win_.reset();
        return saved;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.find);
        QStringList seen;
        QString count;
        const QByteArray narrowed = run(QString::fromUtf8(c.find), c.shown, &seen, &count);
        EXPECT_EQ(seen, c.shown);
        EXPECT_EQ(count, QString::fromLatin1(c.count));
        EXPECT_EQ(narrowed, run(QString(), c.shown, nullptr, nullptr));
        EXPECT_TRUE(narrowed.contains("RETURNED:"));  // the returned loan, hidden throughout
    }
}

// The list gives the bar its height; the entry panel and the window's size stay where they were.
// The bar's count follows every typed and taken-back character.
TEST_F(LoanWork, TheFindBarTakesItsHeightFromTheList)
{
    writeData(loan(QDate(2026, 3, 1), "Ann"));
    MainWindow& w = open();
    w.resize(w.width() + 40, w.height() + 120);  // laid out by the resize rule
    QTest::qWait(50);
    const QRect list = MainWindowAccess(w).loanList()->geometry();
    const QRect panel = MainWindowAccess(w).entryPanel()->geometry();
    const QSize size = w.size();
    MainWindowAccess(w).findAction()->trigger();
    EXPECT_EQ(MainWindowAccess(w).loanList()->geometry().top(), list.top());
    EXPECT_EQ(MainWindowAccess(w).loanList()->geometry().height() +
                  MainWindowAccess(w).findBar()->height(),
              list.height());
    EXPECT_EQ(MainWindowAccess(w).findBar()->geometry().top(),
              MainWindowAccess(w).loanList()->geometry().bottom() + 1);
    EXPECT_EQ(MainWindowAccess(w).entryPanel()->geometry(), panel);
    EXPECT_EQ(w.size(), size);
    // Typing narrows, taking a character back widens again.
    QTest::keyClicks(MainWindowAccess(w).findBar()->findEdit(), QStringLiteral("annx"));
    EXPECT_EQ(MainWindowAccess(w).findBar()->countLabel()->text(), QStringLiteral("0 of 1 loan"));
    QTest::keyClick(MainWindowAccess(w).findBar()->findEdit(), Qt::Key_Backspace);
    EXPECT_EQ(MainWindowAccess(w).findBar()->countLabel()->text(), QStringLiteral("1 of 1 loan"));
    QTest::mouseClick(MainWindowAccess(w).findBar()->closeButton(), Qt::LeftButton);
    EXPECT_EQ(MainWindowAccess(w).loanList()->geometry(), list);
}

// Each change, undone with Ctrl+Z and redone with Ctrl+Y and Ctrl+Shift+Z, puts the file back
// byte for byte; the menu names the step. Loans of one day keep their order.
TEST_F(LoanWork, UndoAndRedoOfEveryChangeRestoreTheFile)
{
    clock_.current = QDateTime(QDate(2026, 3, 7), QTime(10, 0));
    const QByteArray file =
        loan(QDate(2026, 3, 1), "Ann") + loan(QDate(2026, 2, 15), "Bob") +
        loan(QDate(2026, 2, 15), "Cy") + loan(QDate(2026, 2, 15), "Di", QDate(2026, 3, 1)) +
        loan(QDate(2026, 2, 15), "Gil") + loan(QDate(2025, 6, 1), "Eve", {}, QDate(2026, 1, 2));
    writeData(file);
    MainWindow& w = open();
    auto key = [&w](Qt::Key k, Qt::KeyboardModifiers m) {
        QTest::keyClick(MainWindowAccess(w).loanList(), k, m);
    };
    struct Step {
        const char* what;
        QStringList select;
        std::function<void()> act;
        const char* undo;
    };
    const Step steps[] = {
        {"add", {}, [this] { add(QStringLiteral("Fay")); }, "Undo Add Loan"},
        {"delete two",
         {"Ann", "Gil"},
         [this, &w] {
             boxes_.answers.push_back(MsgAnswer::Yes);
             QTest::mouseClick(MainWindowAccess(w).deleteButton(), Qt::LeftButton);
         },
         "Undo Delete 2 Loans"},
        {"mark two returned",
         {"Bob", "Cy"},
         [&key] { key(Qt::Key_R, Qt::ControlModifier); },
         "Undo Mark 2 Loans Returned"},
        {"mark not returned",
         {"Eve"},
         [&w] {
             MainWindowAccess(w).showReturnedAction()->trigger();
             MainWindowAccess(w).loanList()->clearSelection();
             for (int r = 0; r < MainWindowAccess(w).loanList()->count(); ++r)
                 MainWindowAccess(w).loanList()->setSelected(
                     r, MainWindowAccess(w).loanList()->cell(r, field::Borrower) ==
                            QStringLiteral("Eve"));
             MainWindowAccess(w).markNotReturnedAction()->trigger();
         },
         "Undo Mark Loan Not Returned"},
        {"set due date",
         {"Cy"},
         [&w] {
             QTimer::singleShot(200, [] {
                 if (auto* dlg = qobject_cast<DateEntryDialog*>(QApplication::activeModalWidget()))
                     QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("okButton")),
                                       Qt::LeftButton);
             });
             MainWindowAccess(w).setDueAction()->trigger();
             w.activateWindow();  // back from the dialog, for the keys that follow
             EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
         },
         "Undo Set Due Date"},
        {"clear due date",
         {"Di"},
         [&w] { MainWindowAccess(w).clearDueAction()->trigger(); },
         "Undo Clear Due Date"},
    };
    QList<QByteArray> history{file};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        select(s.select);
        s.act();
        const QByteArray done = data();
        ASSERT_NE(done, history.last());
        EXPECT_EQ(MainWindowAccess(w).undoAction()->text().remove(QLatin1Char('&')),
                  QString::fromLatin1(s.undo));
        const QStringList seen = shown();
        key(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(data(), history.last());
        key(Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(data(), done);
        EXPECT_EQ(shown(), seen);
        key(Qt::Key_Z, Qt::ControlModifier);
        key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(data(), done);
        history.append(done);
    }
    // All the way back, and forth again.
    for (qsizetype i = history.size() - 2; i >= 0; --i) {
        MainWindowAccess(w).undoAction()->trigger();
        EXPECT_EQ(QString::fromUtf8(data()).toStdString(),
                  QString::fromUtf8(history.at(i)).toStdString())
            << "undo to " << i;
    }
    EXPECT_FALSE(MainWindowAccess(w).undoAction()->isEnabled());
    for (qsizetype i = 1; i < history.size(); ++i) {
        MainWindowAccess(w).redoAction()->trigger();
        EXPECT_EQ(data(), history.at(i)) << "redo to " << i;
    }
    EXPECT_EQ(boxes_.texts(),
              QStringList{QStringLiteral("This will delete all selected entries. Are you sure?")});

    // Loans put back after the user sorted again land in their sorted places; none is lost.
    select({"Di", "Fay"});
    boxes_.answers.push_back(MsgAnswer::Yes);
    QTest::mouseClick(MainWindowAccess(w).deleteButton(), Qt::LeftButton);
    clickHeader(field::Item);
    MainWindowAccess(w).undoAction()->trigger();
    EXPECT_EQ(shown(), (QStringList{"Di", "Eve", "Fay", "Bob", "Cy"}));
    EXPECT_EQ(loansfile::parse(QString::fromUtf8(data())).rows.size(), 5);
}

// Every loan, returned ones included, reaches a spreadsheet with its fields whole: quotes,
// commas, line breaks and characters beyond ASCII, dates as YYYY-MM-DD.
TEST_F(LoanWork, ExportWritesEveryLoanAsCsvThatPythonReadsBack)
{
    const QStringList tricky{QStringLiteral("plain"),
                             QStringLiteral("a, b"),
                             QStringLiteral("say \"hi\""),
                             QStringLiteral("line one\r\nline two\nthree"),
                             QString::fromUtf8("Ren\xc3\xa9"
                                               "e \xe2\x82\xac \xe6\x97\xa5\xe6\x9c\xac"),
                             QStringLiteral("\",\n\""),
                             QString()};
    // The format alone, with every tricky text in every column.
    QList<QStringList> rows;
    for (qsizetype i = 0; i < tricky.size(); ++i) {
        QStringList row;
        for (int c = 0; c < field::kCount; ++c)
            row.append(tricky.at((i + c) % tricky.size()));
        rows.append(row);
    }
    const QString direct = appFile(QStringLiteral("direct.csv"));
    csvexport::write(direct, csvexport::format(static_cast<int>(rows.size()),
                                               [&rows](int r, int c) { return rows.at(r).at(c); }));
    const QList<QStringList> back = readCsvWithPython(direct);
    ASSERT_EQ(back.size(), rows.size() + 1);
    EXPECT_EQ(back.first(),
              (QStringList{"Date", "Lent To", "Item", "Phone", "Address", "Due", "Returned"}));
    for (qsizetype i = 0; i < rows.size(); ++i)
        EXPECT_EQ(back.at(i + 1), rows.at(i)) << "row " << i;

    // From the menu: every loan of the window, the hidden returned one too.
    writeData(loan(QDate(2026, 3, 1),
                   QByteArray("Ann, \"Nan\" \xc3\x85"
                              "berg"),
                   QDate(2026, 3, 15)) +
              loan(QDate(2025, 6, 1), "Cy", {}, QDate(2026, 1, 2)));
    MainWindow& w = open();
    ScriptedFileDialog dialog;
    dialog.answer = appFile(QStringLiteral("loans.csv"));
    platform::setFileDialog(&dialog);
    MainWindowAccess(w).exportCsvAction()->trigger();
    platform::setFileDialog(nullptr);
    EXPECT_EQ(dialog.asked, (QStringList{"Export to CSV", "CSV files (*.csv)"}));
    const QString ann = QString::fromUtf8(
        "Ann, \"Nan\" \xc3\x85"
        "berg");
    EXPECT_EQ(
        readCsvWithPython(dialog.answer),
        (QList<QStringList>{
            {"Date", "Lent To", "Item", "Phone", "Address", "Due", "Returned"},
            {"2026-03-01", ann, "Thing of " + ann, "555-" + ann, ann + " Street", "2026-03-15", ""},
            {"2025-06-01", "Cy", "Thing of Cy", "555-Cy", "Cy Street", "", "2026-01-02"}}));
    EXPECT_TRUE(boxes_.texts().isEmpty());

    // Cancelled, nothing is written; a folder that cannot be written says so and keeps nothing
    // half.
    dialog.answer.clear();
    platform::setFileDialog(&dialog);
    MainWindowAccess(w).exportCsvAction()->trigger();
    dialog.answer = appFile(QStringLiteral("no-such-folder/loans.csv"));
    MainWindowAccess(w).exportCsvAction()->trigger();
    platform::setFileDialog(nullptr);
    ASSERT_EQ(boxes_.texts().size(), 1);
    EXPECT_TRUE(
        boxes_.texts().first().startsWith(QStringLiteral("The loans were not exported to ")));
    EXPECT_FALSE(QFile::exists(dialog.answer));
}

}  // namespace
}  // namespace wexlo::test
