// A loan's life beyond the register: due dates, returns and the loans the list hides, overdue
// loans as the user and a screen reader meet them, and the clock passing midnight.

#include "MainWindowFixture.h"
#include "app/LoansFile.h"
#include "app/MainWindowAccess.h"
#include "platform/ListView.h"
#include "shared/dates/DateEntryDialog.h"
#include "shared/dates/DateFormat.h"
#include "shared/dates/DateParser.h"
#include "shared/settings/Settings.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QTest>

#include <cmath>
#include <functional>

namespace wexlo::test {
namespace {

using platform::MsgAnswer;

class LoanLife : public LoanListFixture {
protected:
    QStringList saved() const
    {
        QStringList out;
        for (const QStringList& row : loansfile::parse(QString::fromUtf8(data())).rows)
            out.append(row.at(field::Borrower));
        return out;
    }
    void select(const QStringList& names)
    {
        platform::ListView* lv = MainWindowAccess(win_).loanList();
        lv->clearSelection();
        int last = -1;
        for (int r = 0; r < lv->count(); ++r)
            if (names.contains(lv->cell(r, field::Borrower))) {
                lv->setSelected(r, true);
                lv->setCurrentRow(r);
                last = r;
            }
        if (last >= 0)
            win_->showLoan(last);  // as a click on it would
    }
    int rowOf(const QString& name) const
    {
        for (int r = 0; r < MainWindowAccess(win_).loanList()->count(); ++r)
            if (MainWindowAccess(win_).loanList()->cell(r, field::Borrower) == name)
                return r;
        return -1;
    }
    // What a screen reader reads as the description of a row's first cell.
    QString heard(int row) const
    {
        QAccessibleInterface* list =
            QAccessible::queryAccessibleInterface(MainWindowAccess(win_).loanList());
        if (list == nullptr || list->tableInterface() == nullptr)
            return QStringLiteral("<no table>");
        QAccessibleInterface* cell = list->tableInterface()->cellAt(row, 0);
        return cell == nullptr ? QStringLiteral("<no cell>") : cell->text(QAccessible::Description);
    }
    // Accepts the date dialog as it opens, recording its title and the date it offered.
    void acceptDateDialog(QString* title, QDate* offered)
    {
        QTimer::singleShot(200, [title, offered] {
            auto* dlg = qobject_cast<DateEntryDialog*>(QApplication::activeModalWidget());
            if (dlg == nullptr)
                return;
            *title = dlg->windowTitle();
            *offered = QDate(dlg->yearEdit()->text().toInt(), dlg->monthEdit()->text().toInt(),
                             dlg->dayEdit()->text().toInt());
            QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("okButton")),
                              Qt::LeftButton);
        });
    }
};

// A file that uses none of it loads and saves byte for byte; its records keep five lines.
TEST_F(LoanLife, AFileWithoutDueOrReturnedLinesSavesByteForByte)
{
    const QByteArray file = loan(QDate(2026, 3, 1), "Ann") + loan(QDate(2026, 2, 1), "Bob") +
                            loan(QDate(2026, 2, 1), "Cy") + loan(QDate(2025, 1, 9), "Di");
    writeData(file);
    MainWindow& w = open();
    EXPECT_FALSE(MainWindowAccess(w).loanList()->columnShown(field::Due));
    EXPECT_FALSE(MainWindowAccess(w).loanList()->columnShown(field::Returned));
    EXPECT_EQ(MainWindowAccess(w).loanList()->header()->count(), 5);
    ASSERT_TRUE(w.saveLoans());
    EXPECT_EQ(data(), file);
    EXPECT_TRUE(MainWindowAccess(w).lifeLabel()->text().isEmpty());
    EXPECT_FALSE(MainWindowAccess(w).markNotReturnedAction()->isEnabled());
}

// Each step acts on the loans selected by name; the list shows some loans, the file keeps all,
// the active ones first and the returned ones after them in the order they came back.
TEST_F(LoanLife, MarkingReturnedAndDeletingNeverLoseWhatTheListHides)
{
    clock_.current = QDateTime(QDate(2026, 3, 7), QTime(10, 0));
    writeData(loan(QDate(2026, 3, 1), "Ann") + loan(QDate(2026, 2, 15), "Bob") +
              loan(QDate(2026, 1, 10), "Cy") + loan(QDate(2025, 12, 24), "Di") +
              loan(QDate(2025, 6, 1), "Eve", {}, QDate(2026, 1, 2)));
    MainWindow& w = open();

    auto key = [&w] {
        QTest::keyClick(MainWindowAccess(w).loanList(), Qt::Key_R, Qt::ControlModifier);
    };
    auto del = [this, &w] {
        boxes_.answers.push_back(MsgAnswer::Yes);
        QTest::mouseClick(MainWindowAccess(w).deleteButton(), Qt::LeftButton);
    };
    auto trigger = [](QAction* a) { return [a] { a->trigger(); }; };
    struct Step {
        const char* what;
        QStringList select;
        std::function<void()> act;
        QStringList shown;
        QStringList saved;
    };
    const Step steps[] = {
        {"as loaded: Eve came back before", {}, [] {}, {"Ann", "Bob", "Cy", "Di"}, {}},
        {"Ctrl+R on Bob and Di",
         {"Bob", "Di"},
         key,
         {"Ann", "Cy"},
         {"Ann", "Cy", "Eve", "Bob", "Di"}},
        {"delete Ann", {"Ann"}, del, {"Cy"}, {"Cy", "Eve", "Bob", "Di"}},
        {"show returned",
         {},
         trigger(MainWindowAccess(w).showReturnedAction()),
         {"Cy", "Bob", "Di", "Eve"},
         {"Cy", "Eve", "Bob", "Di"}},
        {"Di not returned",
         {"Di"},
         trigger(MainWindowAccess(w).markNotReturnedAction()),
         {"Cy", "Di", "Bob", "Eve"},
         {"Cy", "Di", "Eve", "Bob"}},
        {"delete returned Bob", {"Bob"}, del, {"Cy", "Di", "Eve"}, {"Cy", "Di", "Eve"}},
        {"hide returned",
         {},
         trigger(MainWindowAccess(w).showReturnedAction()),
         {"Cy", "Di"},
         {"Cy", "Di", "Eve"}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        select(s.select);
        s.act();
        EXPECT_EQ(shown(), s.shown);
        if (!s.saved.isEmpty()) {
            EXPECT_EQ(saved(), s.saved);
        }
    }
    // Eve kept her return date through every save; Bob's and Di's were today's.
    EXPECT_TRUE(data().contains("ADDRESS:Eve Street\r\n" + dayLine("RETURNED", QDate(2026, 1, 2))));
    EXPECT_EQ(boxes_.texts(),
              (QStringList{QStringLiteral("This will delete the selected entry. Are you sure?"),
                           QStringLiteral("This will delete the selected entry. Are you sure?")}));
}

TEST_F(LoanLife, SettingADueDateAsksFromTwoWeeksOnAndShowsTheColumnTheFirstTime)
{
    clock_.current = QDateTime(QDate(2026, 3, 7), QTime(10, 0));
    writeData(loan(QDate(2026, 3, 1), "Ann") + loan(QDate(2026, 2, 15), "Bob"));
    MainWindow& w = open();
    select({"Bob"});
    QString title;
    QDate offered;
    acceptDateDialog(&title, &offered);
    MainWindowAccess(w).setDueAction()->trigger();
    EXPECT_EQ(title, QStringLiteral("Enter date this item is due back"));
    EXPECT_EQ(offered, QDate(2026, 3, 21));
    EXPECT_TRUE(MainWindowAccess(w).showDueAction()->isChecked());
    EXPECT_TRUE(MainWindowAccess(w).loanList()->columnShown(field::Due));
    EXPECT_TRUE(settings::readSetting(QStringLiteral("ShowDueDates")).toBool());
    EXPECT_EQ(data(),
              loan(QDate(2026, 3, 1), "Ann") + loan(QDate(2026, 2, 15), "Bob", QDate(2026, 3, 21)));
    EXPECT_EQ(MainWindowAccess(w).lifeLabel()->text(),
              QStringLiteral("Due: ") + dateformat::shortDateText(QDate(2026, 3, 21)));

    // Switched off by the user, the column stays off when the next due date is set.
    MainWindowAccess(w).showDueAction()->trigger();
    select({"Ann"});
    acceptDateDialog(&title, &offered);
    MainWindowAccess(w).setDueAction()->trigger();
    EXPECT_FALSE(MainWindowAccess(w).loanList()->columnShown(field::Due));
    select({"Bob"});
    MainWindowAccess(w).clearDueAction()->trigger();
    EXPECT_EQ(data(),
              loan(QDate(2026, 3, 1), "Ann", QDate(2026, 3, 21)) + loan(QDate(2026, 2, 15), "Bob"));
}

// The Due column shows short dates but sorts by date: in a day-first locale the short forms of
// these dates would sort otherwise as text. A loan without a due date sorts as the earliest.
TEST_F(LoanLife, TheDueColumnSortsByDate)
{
    locale_.value = QLocale(QLocale::English, QLocale::UnitedKingdom);
    writeData(loan(QDate(2026, 3, 1), "Ann", QDate(2027, 1, 2)) +
              loan(QDate(2026, 2, 1), "Bob", QDate(2026, 12, 15)) + loan(QDate(2026, 1, 1), "Cy") +
              loan(QDate(2025, 1, 1), "Di", QDate(2026, 3, 20)));
    MainWindow& w = open();
    MainWindowAccess(w).showDueAction()->trigger();
    QHeaderView* h = MainWindowAccess(w).loanList()->header();
    ASSERT_EQ(h->count(), 6);
    EXPECT_EQ(h->model()->headerData(5, Qt::Horizontal).toString(), QStringLiteral("Due"));
    // In the Date column's form, whatever the locale.
    EXPECT_EQ(MainWindowAccess(w).loanList()->model()->index(0, 5).data().toString(),
              QStringLiteral("2027-01-02"));
    const struct {
        const char* what;
        QStringList order;
    } clicks[] = {{"Due ascending", {"Cy", "Di", "Bob", "Ann"}},
                  {"Due descending", {"Ann", "Bob", "Di", "Cy"}}};
    for (const auto& c : clicks) {
        SCOPED_TRACE(c.what);
        const QPoint at(h->sectionViewportPosition(5) + h->sectionSize(5) / 2, h->height() / 2);
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, at);
        EXPECT_EQ(shown(), c.order);
    }
}

// Due before today is overdue, due today is not; a returned loan never is. The warning is the
// theme's own text on a tinted base, readable in a light and a dark palette, and a screen
// reader hears it with the row. At midnight the next day's loans turn overdue without a restart.
TEST_F(LoanLife, OverdueLoansStandOutAndFollowTheClockPastMidnight)
{
    clock_.current = QDateTime(QDate(2026, 3, 7), QTime(23, 59, 59, 200));
    writeData(loan(QDate(2026, 3, 1), "Ann", QDate(2026, 3, 6)) +
              loan(QDate(2026, 2, 1), "Bob", QDate(2026, 3, 7)) +
              loan(QDate(2026, 1, 1), "Cy", QDate(2026, 3, 8)) + loan(QDate(2025, 1, 1), "Di") +
              loan(QDate(2024, 1, 1), "Eve", QDate(2026, 1, 1), QDate(2026, 2, 1)));
    MainWindow& w = open();
    MainWindowAccess(w).showReturnedAction()->trigger();
    ASSERT_EQ(shown(), (QStringList{"Ann", "Bob", "Cy", "Di", "Eve"}));
    auto overdueNow = [&] {
        QStringList out;
        for (const QString& name : shown())
            if (heard(rowOf(name)).contains(QStringLiteral("overdue")))
                out.append(name);
        return out;
    };
    EXPECT_EQ(overdueNow(), QStringList{"Ann"});
    EXPECT_EQ(heard(rowOf("Cy")),
              QStringLiteral("due ") + dateformat::shortDateText(QDate(2026, 3, 8)));
    EXPECT_TRUE(heard(rowOf("Di")).isEmpty());

    // Readable in both themes: contrast of at least 4.5 between text and warning background.
    auto luminance = [](const QColor& c) {
        auto lin = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
    };
    for (const bool dark : {false, true}) {
        SCOPED_TRACE(dark ? "dark" : "light");
        QPalette pal = MainWindowAccess(w).loanList()->palette();
        pal.setColor(QPalette::Base, dark ? QColor(30, 30, 30) : QColor(255, 255, 255));
        pal.setColor(QPalette::Text, dark ? QColor(235, 235, 235) : QColor(0, 0, 0));
        MainWindowAccess(w).loanList()->setPalette(pal);
        const QModelIndex idx = MainWindowAccess(w).loanList()->model()->index(rowOf("Ann"), 1);
        const QColor fg = idx.data(Qt::ForegroundRole).value<QBrush>().color();
        const QColor bg = idx.data(Qt::BackgroundRole).value<QBrush>().color();
        EXPECT_NE(bg, pal.color(QPalette::Base));
        const double a = luminance(fg) + 0.05, b = luminance(bg) + 0.05;
        EXPECT_GE(std::max(a, b) / std::min(a, b), 4.5)
            << fg.name().toStdString() << " on " << bg.name().toStdString();
        EXPECT_FALSE(MainWindowAccess(w)
                         .loanList()
                         ->model()
                         ->index(rowOf("Di"), 1)
                         .data(Qt::BackgroundRole)
                         .isValid());
    }

    MainWindowAccess(w).overdueOnlyAction()->trigger();
    EXPECT_EQ(shown(), QStringList{"Ann"});
    clock_.current = QDateTime(QDate(2026, 3, 8), QTime(0, 0, 0, 100));
    // Polled by hand: Qt's QTRY macros would only leave the test, not fail it.
    QElapsedTimer waited;
    waited.start();
    while (shown() != QStringList{"Ann", "Bob"} && waited.elapsed() < 3000)
        QTest::qWait(20);
    EXPECT_EQ(shown(), (QStringList{"Ann", "Bob"}));
    MainWindowAccess(w).overdueOnlyAction()->trigger();
    EXPECT_EQ(overdueNow(), (QStringList{"Ann", "Bob"}));
    select({"Bob"});
    EXPECT_EQ(
        MainWindowAccess(w).lifeLabel()->text(),
        QStringLiteral("Due: ") + dateformat::shortDateText(QDate(2026, 3, 7)) + " (overdue)");
}

// The file's new lines: a loan with a due date gets a DUE line, a returned one a RETURNED line
// (day numbers as DATE has them); without them a record is five lines. A reader that knows
// only the five keys skips the new lines, and its save keeps all it knew.
TEST(LoansFileLife, DueAndReturnedLinesRoundTripAndOlderReadersSkipThem)
{
    using namespace loansfile;
    const QDate lent(2026, 3, 1), due(2026, 3, 15), back(2026, 3, 20);
    const struct {
        const char* what;
        QStringList row;
        QByteArray extra;
    } cases[] = {
        {"plain", {"2026-03-01", "Ann", "Drill", "555", "1 High St"}, ""},
        {"due",
         {"2026-03-01", "Ann", "Drill", "555", "1 High St", "2026-03-15", ""},
         dayLine("DUE", due)},
        {"returned",
         {"2026-03-01", "Ann", "Drill", "555", "1 High St", "", "2026-03-20"},
         dayLine("RETURNED", back)},
        {"both",
         {"2026-03-01", "Ann", "Drill", "555", "1 High St", "2026-03-15", "2026-03-20"},
         dayLine("DUE", due) + dayLine("RETURNED", back)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QList<QStringList> rows{c.row, {"2025-01-01", "Bob", "Saw", "", ""}};
        auto cell = [&rows](int r, int col) { return rows[r].value(col); };
        const QByteArray plain = loansfile::format(2, cell);
        const QByteArray bytes = formatLoans(2, cell);
        const qsizetype end = plain.indexOf("DATE:", 1);
        EXPECT_EQ(bytes, plain.left(end) + c.extra + plain.mid(end));
        EXPECT_TRUE(plain.startsWith(dayLine("DATE", lent)));

        const Parsed back1 = parse(QString::fromUtf8(bytes));
        ASSERT_EQ(back1.rows.size(), 2);
        for (int col = 0; col < field::kCount; ++col)
            EXPECT_EQ(back1.rows[0].value(col), c.row.value(col)) << col;
        EXPECT_EQ(back1.rows[1].size(), field::kListed);
        EXPECT_EQ(formatLoans(2, [&back1](int r, int col) { return back1.rows[r].value(col); }),
                  bytes);

        // An older reader: the five known keys, every other key skipped; its save drops only
        // what it did not know.
        QString older;
        for (const QString& line : QString::fromUtf8(bytes).split(QStringLiteral("\r\n")))
            if (!line.startsWith(QStringLiteral("DUE:")) &&
                !line.startsWith(QStringLiteral("RETURNED:")))
                older += line + QStringLiteral("\r\n");
        older.chop(2);
        const Parsed old = parse(older);
        EXPECT_EQ(loansfile::format(2, [&old](int r, int col) { return old.rows[r].value(col); }),
                  plain);
    }
    // Unknown keys among the new lines are skipped as always, and a DUE line before any DATE line
    // belongs to no loan.
    const Parsed p =
        parse(QStringLiteral("DUE: 46100 \r\nDATE: 46000 \r\nNOTE:x\r\nLENTTO:Al\r\nDUE: 46100 \r\n"
                             "due: 46200 \r\nRETURNED:\r\n"));
    EXPECT_EQ(p.orphans, 1);
    ASSERT_EQ(p.rows.size(), 1);
    EXPECT_EQ(p.rows[0].value(field::Due), QStringLiteral("2026-03-19"));
    EXPECT_TRUE(p.rows[0].value(field::Returned).isEmpty());
}

}  // namespace
}  // namespace wexlo::test
