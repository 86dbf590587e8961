#include "shared/dates/DateEntryDialog.h"
#include "shared/dates/DateFormat.h"
#include "support/WexloTest.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>

using namespace wexlo;

namespace {

using Step = std::function<void(DateEntryDialog&)>;

const QString kTitle = QStringLiteral("Enter date this item was lent");
const QString kYearLength = QStringLiteral(
    "Year must be 2 or 4 digits. If you enter 2 digits I will guess at the century.");

// Plays one step each time the dialog is up and ready (focus in its first box), while exec()
// runs; a dialog left open after the last step is cancelled and reported.
class Driver {
public:
    explicit Driver(std::deque<Step> steps) : steps_(std::move(steps))
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
        timer_.start();
    }
    ~Driver() { EXPECT_TRUE(steps_.empty()) << steps_.size() << " step(s) never ran"; }

private:
    void tick()
    {
        if (busy_)
            return;
        auto* dlg = qobject_cast<DateEntryDialog*>(QApplication::activeModalWidget());
        if (dlg == nullptr || !dlg->isVisible())
            return;
        if (steps_.empty() || !armed_) {
            if (++idle_ > 400) {
                ADD_FAILURE() << "the dialog stayed open";
                dlg->reject();
            }
            return;
        }
        // Focus events, which the boxes act on, only flow once the dialog is the active window;
        // on a busy machine that can take a few ticks.
        if (QApplication::focusWidget() != dlg->fieldEdit(0)) {
            dlg->activateWindow();
            return;
        }
        busy_ = true;
        idle_ = 0;
        armed_ = false;
        Step step = std::move(steps_.front());
        steps_.pop_front();
        step(*dlg);
        if (!dlg->isVisible())
            armed_ = true;
        busy_ = false;
    }

    std::deque<Step> steps_;
    QTimer timer_;
    bool busy_ = false;
    bool armed_ = true;
    int idle_ = 0;
};

QLabel* label(const DateEntryDialog& d, const char* name)
{
    return d.findChild<QLabel*>(QString::fromLatin1(name));
}

QPushButton* button(const DateEntryDialog& d, const char* name)
{
    return d.findChild<QPushButton*>(QString::fromLatin1(name));
}

QWidget* focused(DateEntryDialog& d)
{
    QWidget* w = QApplication::focusWidget();
    if (w != nullptr && (w == &d || d.isAncestorOf(w)))
        return w;
    return d.focusWidget() != nullptr ? d.focusWidget() : &d;
}

// Types as a user would: each character goes to whatever has the focus at that moment.
void type(DateEntryDialog& d, const QString& text)
{
    for (const QChar c : text)
        QTest::keyClicks(focused(d), QString(c));
}

void press(DateEntryDialog& d, Qt::Key key) { QTest::keyClick(focused(d), key); }

// Clears a box by the keyboard: select all, Backspace.
void clearBox(DateEntryDialog& d, QLineEdit* box)
{
    box->setFocus(Qt::TabFocusReason);
    box->selectAll();
    press(d, Qt::Key_Backspace);
}

class GetDateDialog : public test::WexloTest {
protected:
    void SetUp() override
    {
        WexloTest::SetUp();
        dateformat::resetForTests();
    }
    void TearDown() override
    {
        dateformat::resetForTests();
        WexloTest::TearDown();
    }
    void useLocale(QLocale::Language lang, QLocale::Territory territory)
    {
        locale_.value = QLocale(lang, territory);
        dateformat::resetForTests();
    }
    QDate run(std::deque<Step> steps, const QDate& defaultDate = QDate(2026, 3, 7),
              const QString& title = kTitle)
    {
        Driver driver(std::move(steps));
        return dates::askDate(title, defaultDate);
    }
};

// ---- Layout and field order -------------------------------------------------------------

TEST_F(GetDateDialog, MonthFirstLocaleShowsMonthBoxFirstWithTheDefaultDate)
{
    bool seen = false;
    const QDate d = run({[&](DateEntryDialog& g) {
        seen = true;
        EXPECT_EQ(g.windowTitle(), kTitle);
        EXPECT_EQ(label(g, "formatLabel")->text(), QStringLiteral("MM/DD"));
        EXPECT_EQ(g.fieldEdit(0)->text(), QStringLiteral("03"));
        EXPECT_EQ(g.fieldEdit(1)->text(), QStringLiteral("07"));
        EXPECT_EQ(g.yearEdit()->text(), QStringLiteral("2026"));
        EXPECT_EQ(label(g, "firstSeparatorLabel")->text(), QStringLiteral("/"));
        EXPECT_EQ(label(g, "secondSeparatorLabel")->text(), QStringLiteral("/"));
        EXPECT_EQ(g.fieldEdit(0)->accessibleName(), QStringLiteral("Month"));
        EXPECT_EQ(g.fieldEdit(1)->accessibleName(), QStringLiteral("Day"));
        // The first box has the focus with its text selected, so typing replaces it.
        EXPECT_EQ(g.fieldEdit(0)->selectedText(), QStringLiteral("03"));
        press(g, Qt::Key_Return);
    }});
    EXPECT_TRUE(seen);
    EXPECT_EQ(d, QDate(2026, 3, 7));
    EXPECT_TRUE(boxes_.shown.isEmpty());
}

TEST_F(GetDateDialog, DayFirstLocaleShowsDayBoxFirst)
{
    useLocale(QLocale::English, QLocale::UnitedKingdom);
    const QDate d = run({[&](DateEntryDialog& g) {
        EXPECT_EQ(label(g, "formatLabel")->text(), QStringLiteral("DD/MM"));
        EXPECT_EQ(g.fieldEdit(0)->text(), QStringLiteral("07"));
        EXPECT_EQ(g.fieldEdit(1)->text(), QStringLiteral("03"));
        EXPECT_EQ(g.fieldEdit(0)->accessibleName(), QStringLiteral("Day"));
        EXPECT_EQ(g.fieldEdit(1)->accessibleName(), QStringLiteral("Month"));
        EXPECT_EQ(g.yearEdit()->accessibleName(), QStringLiteral("Year"));
        press(g, Qt::Key_Return);
    }});
    EXPECT_EQ(d, QDate(2026, 3, 7));
}

TEST_F(GetDateDialog, YearFirstLocalePutsMonthFirstAndStillAcceptsItsDates)
{
    useLocale(QLocale::Swedish, QLocale::Sweden);  // 2001-12-25
    const QDate d = run({[&](DateEntryDialog& g) {
        EXPECT_EQ(label(g, "formatLabel")->text(), QStringLiteral("MM/DD"));
        EXPECT_EQ(label(g, "firstSeparatorLabel")->text(), QStringLiteral("-"));
        type(g, QStringLiteral("12-25-2025"));
        press(g, Qt::Key_Return);
    }});
    EXPECT_EQ(d, QDate(2025, 12, 25));
    EXPECT_TRUE(boxes_.shown.isEmpty()) << boxes_.lastText().toStdString();
}

TEST_F(GetDateDialog, ControlsCarryTheirNamesCaptionsAndLimits)
{
    DateEntryDialog g;
    for (const char* name :
         {"formatLabel", "firstFieldEdit", "firstSeparatorLabel", "secondFieldEdit",
          "secondSeparatorLabel", "yearEdit", "dateLabel", "cancelButton", "okButton"})
        EXPECT_NE(g.findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(button(g, "cancelButton")->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(button(g, "okButton")->text(), QStringLiteral("OK"));
    EXPECT_EQ(button(g, "okButton")->accessibleName(), QStringLiteral("OK"));
    EXPECT_EQ(g.fieldEdit(0)->maxLength(), 2);
    EXPECT_EQ(g.fieldEdit(1)->maxLength(), 2);
    EXPECT_EQ(g.yearEdit()->maxLength(), 4);
    // 4680 x 1428 twips at 96 dots per inch.
    EXPECT_EQ(g.size(), QSize(312, 95));
    EXPECT_EQ(g.yearEdit()->geometry(), QRect(210, 17, 49, 19));
}

TEST_F(GetDateDialog, NoTitleGivesOneNamingTheFieldOrder)
{
    run({[&](DateEntryDialog& g) {
            EXPECT_EQ(g.windowTitle(), QStringLiteral("Enter the date (MM/DD)"));
            press(g, Qt::Key_Escape);
        }},
        QDate(2026, 3, 7), QString());
}

// ---- Typing -----------------------------------------------------------------------------

TEST_F(GetDateDialog, TypingWithSeparatorsFillsTheBoxesAndIgnoresOtherCharacters)
{
    useLocale(QLocale::English, QLocale::UnitedKingdom);
    const QDate d = run({[&](DateEntryDialog& g) {
        // "/" jumps from the first box, "." from the second; letters and a separator typed
        // into the year are ignored.
        type(g, QStringLiteral("2x5/1.20a2/5"));
        EXPECT_EQ(g.fieldEdit(0)->text(), QStringLiteral("25"));
        EXPECT_EQ(g.fieldEdit(1)->text(), QStringLiteral("01"));
        EXPECT_EQ(g.yearEdit()->text(), QStringLiteral("2025"));
        EXPECT_EQ(g.focusWidget(), g.yearEdit());
        press(g, Qt::Key_Return);
    }});
    EXPECT_EQ(d, QDate(2025, 1, 25));
}

TEST_F(GetDateDialog, TypedDateAndEnterIsReturned)
{
    useLocale(QLocale::English, QLocale::UnitedKingdom);
    const QDate d = run({[&](DateEntryDialog& g) {
        type(g, QStringLiteral("25-12.2025"));
        EXPECT_EQ(g.yearEdit()->text(), QStringLiteral("2025"));
        press(g, Qt::Key_Enter);
    }});
    EXPECT_EQ(d, QDate(2025, 12, 25));
}

TEST_F(GetDateDialog, OneDigitGetsALeadingZeroWhenLeavingTheBox)
{
    const QDate d = run({[&](DateEntryDialog& g) {
        type(g, QStringLiteral("7/4"));
        EXPECT_EQ(g.fieldEdit(0)->text(), QStringLiteral("07"));
        press(g, Qt::Key_Tab);
        EXPECT_EQ(g.fieldEdit(1)->text(), QStringLiteral("04"));
        EXPECT_EQ(g.focusWidget(), g.yearEdit());
        press(g, Qt::Key_Return);
    }});
    EXPECT_EQ(d, QDate(2026, 7, 4));
}

TEST_F(GetDateDialog, PastedNonDigitsAreRefused)
{
    run({[&](DateEntryDialog& g) {
        QGuiApplication::clipboard()->setText(QStringLiteral("a1"));
        g.fieldEdit(0)->selectAll();
        QTest::keyClick(focused(g), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(g.fieldEdit(0)->text(), QStringLiteral("03"));
        press(g, Qt::Key_Escape);
    }});
}

TEST_F(GetDateDialog, BackspaceInAnEmptyBoxStepsBackWithoutDeleting)
{
    run({[&](DateEntryDialog& g) {
        clearBox(g, g.fieldEdit(1));
        EXPECT_EQ(g.fieldEdit(1)->text(), QString());
        press(g, Qt::Key_Backspace);
        EXPECT_EQ(g.focusWidget(), g.fieldEdit(0));
        EXPECT_EQ(g.fieldEdit(0)->text(), QStringLiteral("03"));
        EXPECT_FALSE(g.fieldEdit(0)->hasSelectedText());
        EXPECT_EQ(g.fieldEdit(0)->cursorPosition(), 2);

        g.fieldEdit(1)->setText(QStringLiteral("09"));
        clearBox(g, g.yearEdit());
        press(g, Qt::Key_Backspace);
        EXPECT_EQ(g.focusWidget(), g.fieldEdit(1));
        EXPECT_EQ(g.fieldEdit(1)->text(), QStringLiteral("09"));
        EXPECT_FALSE(g.fieldEdit(1)->hasSelectedText());
        EXPECT_EQ(g.fieldEdit(1)->cursorPosition(), 2);

        // In a box that is not empty, Backspace edits.
        press(g, Qt::Key_Backspace);
        EXPECT_EQ(g.fieldEdit(1)->text(), QStringLiteral("0"));
        press(g, Qt::Key_Escape);
    }});
}

TEST_F(GetDateDialog, MonthAboveTwelveTakesTheFocusBack)
{
    run({[&](DateEntryDialog& g) {
        type(g, QStringLiteral("13"));
        press(g, Qt::Key_Tab);
        EXPECT_EQ(g.focusWidget(), g.fieldEdit(0));
        EXPECT_TRUE(boxes_.shown.isEmpty());
        // A day box may hold more than 12.
        type(g, QStringLiteral("12/31"));
        press(g, Qt::Key_Tab);
        EXPECT_EQ(g.focusWidget(), g.yearEdit());
        press(g, Qt::Key_Escape);
    }});

    useLocale(QLocale::English, QLocale::UnitedKingdom);
    run({[&](DateEntryDialog& g) {
        type(g, QStringLiteral("01/13/"));
        EXPECT_EQ(g.focusWidget(), g.fieldEdit(1));
        press(g, Qt::Key_Escape);
    }});
}

// ---- Enter, the year and validation -----------------------------------------------------

TEST_F(GetDateDialog, TwoDigitYearGetsACenturyOnEnterAndNeedsASecondEnter)
{
    const QDate d = run({[&](DateEntryDialog& g) {
        for (const auto& [typed, expanded] : {std::pair{"95", "1995"}, std::pair{"89", "2089"},
                                              std::pair{"90", "1990"}, std::pair{"00", "2000"}}) {
            clearBox(g, g.yearEdit());
            type(g, QString::fromLatin1(typed));
            press(g, Qt::Key_Return);
            EXPECT_EQ(g.yearEdit()->text(), QString::fromLatin1(expanded));
            EXPECT_TRUE(g.isVisible());
            EXPECT_EQ(g.focusWidget(), g.yearEdit());
        }
        clearBox(g, g.yearEdit());
        type(g, QStringLiteral("95"));
        press(g, Qt::Key_Return);
        press(g, Qt::Key_Return);
    }});
    EXPECT_EQ(d, QDate(1995, 3, 7));
    EXPECT_TRUE(boxes_.shown.isEmpty());
}

TEST_F(GetDateDialog, EnterWithAnEmptyBoxFocusesIt)
{
    run({[&](DateEntryDialog& g) {
        clearBox(g, g.fieldEdit(1));
        g.fieldEdit(0)->setFocus();
        press(g, Qt::Key_Return);
        EXPECT_EQ(g.focusWidget(), g.fieldEdit(1));
        EXPECT_TRUE(g.isVisible());
        g.fieldEdit(1)->setText(QStringLiteral("01"));
        clearBox(g, g.yearEdit());
        g.fieldEdit(0)->setFocus();
        press(g, Qt::Key_Return);
        EXPECT_EQ(g.focusWidget(), g.yearEdit());
        EXPECT_TRUE(g.isVisible());
        press(g, Qt::Key_Escape);
    }});
    EXPECT_TRUE(boxes_.shown.isEmpty());
}

TEST_F(GetDateDialog, OneOrThreeDigitYearOnEnterShowsTheYearLengthMessage)
{
    run({[&](DateEntryDialog& g) {
        clearBox(g, g.yearEdit());
        type(g, QStringLiteral("5"));
        press(g, Qt::Key_Return);
        EXPECT_EQ(boxes_.texts(), QStringList{kYearLength});
        EXPECT_EQ(boxes_.shown.last().title, QStringLiteral("Wexlo"));
        EXPECT_EQ(g.focusWidget(), g.yearEdit());
        EXPECT_TRUE(g.isVisible());

        type(g, QStringLiteral("02"));  // "502"
        press(g, Qt::Key_Return);
        EXPECT_EQ(boxes_.shown.size(), 2);
        EXPECT_EQ(boxes_.lastText(), kYearLength);

        // OK skips the year-length check; such a year is taken as no date at all.
        QTest::mouseClick(button(g, "okButton"), Qt::LeftButton);
        EXPECT_EQ(boxes_.lastText(), QStringLiteral("Invalid Date"));
        EXPECT_TRUE(g.isVisible());
        press(g, Qt::Key_Escape);
    }});
}

TEST_F(GetDateDialog, ImpossibleDateIsRefusedInEitherFieldOrder)
{
    for (const QLocale::Territory where : {QLocale::UnitedKingdom, QLocale::UnitedStates}) {
        useLocale(QLocale::English, where);
        const QString typed = where == QLocale::UnitedKingdom ? QStringLiteral("31/02/2026")
                                                              : QStringLiteral("02/31/2026");
        QString labelWhileShown;
        boxes_.shown.clear();
        boxes_.onShow = [&](const platform::MessageRequest&) {
            auto* g = qobject_cast<DateEntryDialog*>(QApplication::activeModalWidget());
            if (g != nullptr)
                labelWhileShown = label(*g, "dateLabel")->text();
        };
        const QDate d = run({[&](DateEntryDialog& g) {
            type(g, typed);
            press(g, Qt::Key_Return);
            EXPECT_EQ(boxes_.texts(), QStringList{QStringLiteral("Invalid Date")});
            EXPECT_EQ(boxes_.shown.last().title, QStringLiteral("Wexlo"));
            EXPECT_EQ(label(g, "dateLabel")->text(), QString());
            EXPECT_EQ(g.focusWidget(), g.fieldEdit(0));
            EXPECT_TRUE(g.isVisible());
            // Put right and accepted.
            type(g,
                 where == QLocale::UnitedKingdom ? QStringLiteral("28") : QStringLiteral("02/28"));
            press(g, Qt::Key_Return);
        }});
        EXPECT_EQ(labelWhileShown, typed);
        EXPECT_EQ(d, QDate(2026, 2, 28));
        boxes_.onShow = nullptr;
    }
}

// ---- Accepting and cancelling -------------------------------------------------------------

TEST_F(GetDateDialog, EscapeF9CancelAndTheCloseBoxAllGiveTheZeroDate)
{
    const std::vector<Step> cancels{
        [](DateEntryDialog& g) { press(g, Qt::Key_Escape); },
        [](DateEntryDialog& g) {
            g.yearEdit()->setFocus();
            press(g, Qt::Key_F9);
        },
        [](DateEntryDialog& g) { QTest::mouseClick(button(g, "cancelButton"), Qt::LeftButton); },
        [](DateEntryDialog& g) { g.close(); },
    };
    for (const Step& cancel : cancels) {
        EXPECT_EQ(run({[&](DateEntryDialog& g) {
                      type(g, QStringLiteral("11/11/2011"));
                      cancel(g);
                  }}),
                  QDate());
    }
}

TEST_F(GetDateDialog, F10AndOkAcceptFromAnyControlWithoutTheCenturyStep)
{
    EXPECT_EQ(run({[](DateEntryDialog& g) {
                  type(g, QStringLiteral("11/12"));  // focus left in the day box
                  press(g, Qt::Key_F10);
              }}),
              QDate(2026, 11, 12));

    EXPECT_EQ(run({[](DateEntryDialog& g) {
                  clearBox(g, g.yearEdit());
                  type(g, QStringLiteral("95"));
                  button(g, "cancelButton")->setFocus();
                  press(g, Qt::Key_F10);
              }}),
              QDate(1995, 3, 7));

    EXPECT_EQ(run({[](DateEntryDialog& g) {
                  type(g, QStringLiteral("04/30/2026"));
                  QTest::mouseClick(button(g, "okButton"), Qt::LeftButton);
              }}),
              QDate(2026, 4, 30));
    EXPECT_TRUE(boxes_.shown.isEmpty());
}

TEST_F(GetDateDialog, ZeroDefaultStartsAtToday)
{
    useLocale(QLocale::English, QLocale::UnitedKingdom);
    clock_.current = QDateTime(QDate(2026, 11, 2), QTime(9, 0));
    // No date at all, and day 0 itself (a loan saved with the day number 0).
    for (const QDate& zero : {QDate(), QDate(1899, 12, 30)}) {
        SCOPED_TRACE(zero.toString(Qt::ISODate).toStdString());
        const QDate d = run({[](DateEntryDialog& g) {
                                EXPECT_EQ(g.fieldEdit(0)->text(), QStringLiteral("02"));
                                EXPECT_EQ(g.fieldEdit(1)->text(), QStringLiteral("11"));
                                EXPECT_EQ(g.yearEdit()->text(), QStringLiteral("2026"));
                                press(g, Qt::Key_F10);
                            }},
                            zero);
        EXPECT_EQ(d, QDate(2026, 11, 2));
    }
}

TEST_F(GetDateDialog, CurrentMonthOnlyAsksAgainFromTheDefault)
{
    useLocale(QLocale::English, QLocale::UnitedKingdom);
    DateEntryDialog g;
    Driver driver({
        [](DateEntryDialog& g) {
            type(g, QStringLiteral("20"));
            press(g, Qt::Key_F10);
        },
        [](DateEntryDialog& g) {
            // Shown again, starting from the default.
            EXPECT_EQ(g.fieldEdit(0)->text(), QStringLiteral("07"));
            type(g, QStringLiteral("05"));
            press(g, Qt::Key_F10);
        },
    });
    EXPECT_EQ(g.askForDateInMonth(QStringLiteral("Returned"), QDate(2026, 3, 7)),
              QDate(2026, 3, 5));
    ASSERT_EQ(boxes_.shown.size(), 1);
    EXPECT_EQ(boxes_.lastText(),
              QStringLiteral("The date must be in the current month (up to 07-Mar-2026)"));
}

}  // namespace
