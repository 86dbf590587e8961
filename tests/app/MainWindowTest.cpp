// The main window as its user meets it: the data file, the entry panel, the list and closing.

#include "MainWindowFixture.h"
#include "app/LoansFile.h"
#include "app/MainWindowAccess.h"
#include "platform/ClickLabel.h"
#include "platform/ListView.h"
#include "platform/RuntimeError.h"
#include "shared/dates/DateEntryDialog.h"
#include "shared/dates/DateFormat.h"
#include "shared/dates/DateParser.h"
#include "shared/settings/Settings.h"
#include "shared/util/Delay.h"
#include "support/WexloTest.h"

#include <QtTest/qtestspontaneevent.h>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <memory>

namespace wexlo::test {
namespace {

using platform::MsgAnswer;

class MainWindowTest : public MainWindowFixture {
protected:
    MainWindow& open()
    {
        win_ = std::make_unique<MainWindow>();
        win_->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(win_.get()));
        return *win_;
    }
    QString data() const
    {
        return QString::fromUtf8(readBytes(appFile(QStringLiteral("datalist.txt"))));
    }
    void writeData(const QByteArray& bytes)
    {
        writeBytes(appFile(QStringLiteral("datalist.txt")), bytes);
    }
    static QByteArray record(const QByteArray& date, const QByteArray& to, const QByteArray& item,
                             const QByteArray& phone = {}, const QByteArray& address = {})
    {
        return "DATE:" + date + "\r\nLENTTO:" + to + "\r\nITEM:" + item + "\r\nPHONE:" + phone +
               "\r\nADDRESS:" + address + "\r\n";
    }
    QStringList column(int c) const
    {
        QStringList out;
        for (int r = 0; r < MainWindowAccess(win_).loanList()->count(); ++r)
            out.append(MainWindowAccess(win_).loanList()->cell(r, c));
        return out;
    }
    void fill(const QString& item, const QString& to, const QString& phone = {},
              const QString& address = {})
    {
        MainWindowAccess(win_).itemEdit()->setText(item);
        MainWindowAccess(win_).borrowerEdit()->setText(to);
        MainWindowAccess(win_).phoneEdit()->setText(phone);
        MainWindowAccess(win_).addressEdit()->setText(address);
    }
    void clickAdd() { QTest::mouseClick(MainWindowAccess(win_).addButton(), Qt::LeftButton); }
    void clickHeader(int section)
    {
        QHeaderView* h = MainWindowAccess(win_).loanList()->header();
        const QPoint at(h->sectionViewportPosition(section) + h->sectionSize(section) / 2,
                        h->height() / 2);
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, at);
    }
    void clickRow(int row)
    {
        auto* lv = MainWindowAccess(win_).loanList();
        const QRect r = lv->visualRect(lv->model()->index(row, 2));
        QTest::mouseClick(lv->viewport(), Qt::LeftButton, {}, r.center());
    }
};

// ---- The data file ----------------------------------------------------------------------

TEST_F(MainWindowTest, EveryFieldSurvivesTheFileRoundTrip)
{
    // 30 July 2006 is day 38928.
    writeData(record(" 38928 ", "  Anna Müller  ", "Drill: cordless", "", " 12 High St: Flat 3 ") +
              record("2006-07-31", "Zoë", "", "555-1234", ""));
    MainWindow& w = open();
    ASSERT_EQ(MainWindowAccess(w).loanList()->count(), 2);
    EXPECT_EQ(MainWindowAccess(w).loanList()->rowCells(0),
              (QStringList{"2006-07-31", "Zoë", "", "555-1234", ""}));
    EXPECT_EQ(
        MainWindowAccess(w).loanList()->rowCells(1),
        (QStringList{"2006-07-30", "Anna Müller", "Drill: cordless", "", "12 High St: Flat 3"}));
    ASSERT_TRUE(w.saveLoans());
    EXPECT_EQ(readBytes(appFile("datalist.txt")),
              record(" 38929 ", "Zoë", "", "555-1234", "") +
                  record(" 38928 ", "Anna Müller", "Drill: cordless", "", "12 High St: Flat 3"));
    // Read back again: the same five fields.
    win_.reset();
    MainWindow& again = open();
    EXPECT_EQ(
        MainWindowAccess(again).loanList()->rowCells(1),
        (QStringList{"2006-07-30", "Anna Müller", "Drill: cordless", "", "12 High St: Flat 3"}));
}

TEST_F(MainWindowTest, AWindowsFileLoadsItsAccentsAndIsSavedAsUtf8)
{
    writeData(record(" 38928 ", "Ren\xE9", "Caf\xE9 table \x80"));
    MainWindow& w = open();
    ASSERT_EQ(MainWindowAccess(w).loanList()->count(), 1);
    EXPECT_EQ(MainWindowAccess(w).loanList()->cell(0, 1), QString::fromUtf8("René"));
    EXPECT_EQ(MainWindowAccess(w).loanList()->cell(0, 2), QString::fromUtf8("Café table €"));
    ASSERT_TRUE(w.saveLoans());
    EXPECT_EQ(readBytes(appFile("datalist.txt")), record(" 38928 ", "René", "Café table €"));
    win_.reset();

    // A hand-edited file mixes them line by line: each line keeps its own reading, so a save
    // changes no value (the UTF-8 name is not read as Windows-1252).
    writeData(record(" 38929 ", "J\xC3\xBCrgen", "Caf\xE9 \x81\x9D") +
              record(" 38928 ", "Ren\xE9", "Stove \xE2\x82\xAC"));
    MainWindow& mixed = open();
    EXPECT_EQ(
        MainWindowAccess(mixed).loanList()->rowCells(0),
        (QStringList{"2006-07-31", "Jürgen", QString::fromUtf8("Café \u0081\u009D"), "", ""}));
    EXPECT_EQ(MainWindowAccess(mixed).loanList()->rowCells(1),
              (QStringList{"2006-07-30", "René", "Stove €", "", ""}));
    ASSERT_TRUE(mixed.saveLoans());
    EXPECT_EQ(readBytes(appFile("datalist.txt")),
              record(" 38929 ", "Jürgen", "Café \xC2\x81\xC2\x9D") +
                  record(" 38928 ", "René", "Stove €"));
}

TEST_F(MainWindowTest, FileFormatEdges)
{
    // No line end at all: nothing is loaded.
    writeData("DATE: 38928 ");
    open();
    EXPECT_EQ(MainWindowAccess(win_).loanList()->count(), 0);
    win_.reset();

    // Keys compare exactly; LF line ends read like CR LF; fields before any DATE are skipped.
    writeData(
        "ITEM:orphan\nLENTTO:nobody\ndate: 38928 \n DATE: 38928 \nDATE:2006-07-30\nLENTTO: Al \n"
        "no colon here\n\nITEM:Saw\nITEM:Hammer\nCOLOUR:red\n");
    open();
    ASSERT_EQ(MainWindowAccess(win_).loanList()->count(), 1);
    EXPECT_EQ(MainWindowAccess(win_).loanList()->rowCells(0),
              (QStringList{"2006-07-30", "Al", "Hammer", "", ""}));
    EXPECT_TRUE(logText().contains("2 line(s) before the first DATE line skipped"))
        << logText().toStdString();
    win_.reset();

    // An empty list is a 0-byte file; a missing file is an empty list without a message.
    QFile::remove(appFile("datalist.txt"));
    open();
    EXPECT_EQ(MainWindowAccess(win_).loanList()->count(), 0);
    EXPECT_TRUE(boxes_.shown.isEmpty());
    ASSERT_TRUE(win_->saveLoans());
    EXPECT_TRUE(QFile::exists(appFile("datalist.txt")));
    EXPECT_EQ(readBytes(appFile("datalist.txt")).size(), 0);
}

TEST_F(MainWindowTest, ADateThatIsNoDateIsKeptAsWritten)
{
    writeData(record(" sometime in May ", "Al", "Saw") + record(" 38928 ", "Bo", "Axe"));
    MainWindow& w = open();
    ASSERT_EQ(MainWindowAccess(w).loanList()->count(), 2);
    EXPECT_EQ(column(0), (QStringList{"2006-07-30", " sometime in May "}));
    ASSERT_TRUE(w.saveLoans());
    EXPECT_EQ(readBytes(appFile("datalist.txt")),
              record(" 38928 ", "Bo", "Axe") + record(" sometime in May ", "Al", "Saw"));
    // Shown in the panel as it is; a loan added from it keeps it.
    w.showLoan(1);
    EXPECT_EQ(MainWindowAccess(w).dateLabel()->text(), " sometime in May ");
    clickAdd();
    EXPECT_EQ(data().count("DATE: sometime in May \r\n"), 2);
}

TEST_F(MainWindowTest, AHundredThousandRecordsLoadSortAndSaveCompletely)
{
    QByteArray bytes;
    for (int i = 0; i < 100000; ++i)
        bytes += record(" " + QByteArray::number(38000 + i % 5000) + " ",
                        "P" + QByteArray::number(i), "I");
    writeData(bytes);
    MainWindow& w = open();
    ASSERT_EQ(MainWindowAccess(w).loanList()->count(), 100000);
    EXPECT_EQ(MainWindowAccess(w).loanList()->text(0),
              MainWindowAccess(w).loanList()->text(1));              // 20 loans share each date
    EXPECT_EQ(MainWindowAccess(w).loanList()->cell(0, 1), "P4999");  // newest date, file order kept
    EXPECT_EQ(MainWindowAccess(w).loanList()->cell(1, 1), "P9999");
    ASSERT_TRUE(w.saveLoans());
    EXPECT_EQ(data().count("DATE:"), 100000);
    EXPECT_EQ(readBytes(appFile("datalist.txt")).size(), bytes.size());
}

// ---- Start-up and the entry panel -------------------------------------------------------

TEST_F(MainWindowTest, StartingShowsTodayOrTheNewestLoan)
{
    MainWindow& w = open();
    EXPECT_EQ(w.windowTitle(), "Wexlo");
    EXPECT_EQ(MainWindowAccess(w).dateLabel()->text(), dateformat::shortDateText(clock_.today()));
    EXPECT_TRUE(MainWindowAccess(w).itemEdit()->text().isEmpty());
    EXPECT_EQ(
        MainWindowAccess(w).loanList()->header()->model()->headerData(2, Qt::Horizontal).toString(),
        "Item");
    EXPECT_TRUE(MainWindowAccess(w).disableAutoCheckAction()->isChecked());
    EXPECT_EQ(clock_.sleeps, QList<int>{500});
    win_.reset();

    writeData(record(" 38928 ", "Old", "a") + record(" 39000 ", "New", "b", "1", "x"));
    MainWindow& w2 = open();
    EXPECT_EQ(MainWindowAccess(w2).loanList()->selectedRows(), QList<int>{0});
    EXPECT_EQ(MainWindowAccess(w2).borrowerEdit()->text(), "New");
    EXPECT_EQ(MainWindowAccess(w2).itemEdit()->text(), "b");
    EXPECT_EQ(MainWindowAccess(w2).addressEdit()->text(), "x");
    EXPECT_EQ(MainWindowAccess(w2).dateLabel()->text(),
              dateformat::shortDateText(QDate(2006, 10, 10)));
}

TEST_F(MainWindowTest, ControlsCarryTheirNamesForToolsAndScreenReaders)
{
    MainWindow& w = open();
    // The date label has no name of its own: a screen reader reads the date it shows.
    EXPECT_TRUE(w.findChild<QWidget*>("dateLabel")->accessibleName().isEmpty());
    for (const char* name : {"loanList", "entryPanel", "exitButton", "deleteButton", "addButton",
                             "addressEdit", "phoneEdit", "borrowerEdit", "itemEdit", "dateCaption",
                             "addressCaption", "phoneCaption"}) {
        auto* c = w.findChild<QWidget*>(name);
        ASSERT_NE(c, nullptr) << name;
        EXPECT_FALSE(c->accessibleName().isEmpty()) << name;
    }
    EXPECT_EQ(MainWindowAccess(w).borrowerEdit()->accessibleName(), "Lent To");
    EXPECT_EQ(MainWindowAccess(w).deleteButton()->toolTip(), "Deletes the selected loan item");
    // Keyboard order: the list, then the panel's controls in their order, the date last.
    QStringList order;
    QWidget* at = MainWindowAccess(w).loanList();
    for (int i = 0; i < 10; ++i, at = at->nextInFocusChain()) {
        while (at->focusPolicy() == Qt::NoFocus || !w.isAncestorOf(at))
            at = at->nextInFocusChain();
        order.append(at->objectName());
    }
    EXPECT_EQ(order,
              (QStringList{"loanList", "exitButton", "deleteButton", "addressEdit", "phoneEdit",
                           "addButton", "borrowerEdit", "itemEdit", "dateLabel", "loanList"}));
}

TEST_F(MainWindowTest, AddingChecksTheFieldsAndSavesEachLoan)
{
    MainWindow& w = open();
    fill("", "");
    clickAdd();
    EXPECT_EQ(boxes_.texts(), QStringList{"Please enter a description for the item"});
    EXPECT_EQ(boxes_.shown.last().title, "Wexlo");
    fill("Drill", "");
    clickAdd();
    EXPECT_EQ(boxes_.lastText(), "Please enter a name for the person you are lending to");
    EXPECT_EQ(MainWindowAccess(w).loanList()->count(), 0);
    EXPECT_FALSE(QFile::exists(appFile("datalist.txt")));

    fill("   ", "  Anna  ", " 555 ", " Here ");
    clickAdd();
    clickAdd();
    EXPECT_EQ(boxes_.shown.size(), 2);
    ASSERT_EQ(MainWindowAccess(w).loanList()->count(), 2);
    const QByteArray today =
        " " + QByteArray::number(QDate(1899, 12, 30).daysTo(clock_.today())) + " ";
    EXPECT_EQ(readBytes(appFile("datalist.txt")),
              record(today, "Anna", "", "555", "Here").repeated(2));
    EXPECT_EQ(MainWindowAccess(w).borrowerEdit()->text(),
              "  Anna  ");  // the fields keep what was typed
}

TEST_F(MainWindowTest, DeletingAsksAndRemovesOnlyTheSelectedRows)
{
    QByteArray bytes;
    for (int i = 5; i >= 1; --i)
        bytes +=
            record(" " + QByteArray::number(39000 + i) + " ", "P" + QByteArray::number(6 - i), "x");
    writeData(bytes);
    MainWindow& w = open();
    MainWindowAccess(w).loanList()->clearSelection();
    QTest::mouseClick(MainWindowAccess(w).deleteButton(), Qt::LeftButton);
    EXPECT_EQ(boxes_.lastText(), "Please select an item before trying to delete it");

    MainWindowAccess(w).loanList()->setSelected(2, true);
    boxes_.answers.push_back(MsgAnswer::No);
    const QByteArray before = readBytes(appFile("datalist.txt"));
    QTest::mouseClick(MainWindowAccess(w).deleteButton(), Qt::LeftButton);
    EXPECT_EQ(boxes_.lastText(), "This will delete the selected entry. Are you sure?");
    EXPECT_EQ(MainWindowAccess(w).loanList()->count(), 5);
    EXPECT_EQ(readBytes(appFile("datalist.txt")), before);

    MainWindowAccess(w).loanList()->clearSelection();
    MainWindowAccess(w).loanList()->setSelected(1, true);
    MainWindowAccess(w).loanList()->setSelected(3, true);
    boxes_.answers.push_back(MsgAnswer::Yes);
    QTest::mouseClick(MainWindowAccess(w).deleteButton(), Qt::LeftButton);
    EXPECT_EQ(boxes_.lastText(), "This will delete all selected entries. Are you sure?");
    EXPECT_EQ(column(1), (QStringList{"P1", "P3", "P5"}));
    EXPECT_EQ(data().count("LENTTO:"), 3);
    EXPECT_LT(data().indexOf("P1"), data().indexOf("P3"));
    EXPECT_LT(data().indexOf("P3"), data().indexOf("P5"));
}

TEST_F(MainWindowTest, HeaderClicksSortAsTheUserExpects)
{
    writeData(record("2006-01-02", "A", "pear") + record("2006-01-03", "B", "Apple") +
              record("2006-01-01", "C", "apple") + record("2006-01-02", "D", "Émile"));
    MainWindow& w = open();
    EXPECT_EQ(column(1),
              (QStringList{"B", "A", "D", "C"}));  // newest first, equal dates in file order
    clickHeader(0);
    EXPECT_EQ(column(1), (QStringList{"C", "A", "D", "B"}));
    clickHeader(2);
    // Case and accents ignored; equal texts keep their order.
    EXPECT_EQ(column(2), (QStringList{"apple", "Apple", "Émile", "pear"}));
    clickHeader(2);
    EXPECT_EQ(column(2), (QStringList{"pear", "Émile", "apple", "Apple"}));
    clickHeader(0);
    EXPECT_EQ(column(1), (QStringList{"B", "A", "D", "C"}));
    // The selection follows its row through the sorts; a save writes the shown order.
    EXPECT_EQ(MainWindowAccess(w).loanList()->selectedRows(), QList<int>{0});
    ASSERT_TRUE(w.saveLoans());
    EXPECT_LT(data().indexOf("LENTTO:B"), data().indexOf("LENTTO:C"));
    // An added loan (dated like the newest, shown in the panel) lands after its equals.
    fill("x", "E");
    clickAdd();
    EXPECT_EQ(column(1).mid(0, 3), (QStringList{"B", "E", "A"}));
}

TEST_F(MainWindowTest, ClickingARowFillsTheFieldsAndTheDateDialogCanBeCancelled)
{
    writeData(record("2006-07-30", "Anna", "Drill", "555", "High St") +
              record("2006-07-31", "Bob", "Saw"));
    MainWindow& w = open();
    clickRow(1);
    EXPECT_EQ(MainWindowAccess(w).borrowerEdit()->text(), "Anna");
    EXPECT_EQ(MainWindowAccess(w).itemEdit()->text(), "Drill");
    EXPECT_EQ(MainWindowAccess(w).phoneEdit()->text(), "555");
    EXPECT_EQ(MainWindowAccess(w).addressEdit()->text(), "High St");
    EXPECT_EQ(MainWindowAccess(w).dateLabel()->text(),
              dateformat::shortDateText(QDate(2006, 7, 30)));

    // Cancel the dialog (Escape on whatever modal window it shows).
    QTimer::singleShot(200, [] {
        if (QWidget* dlg = QApplication::activeModalWidget())
            QTest::keyClick(dlg, Qt::Key_Escape);
    });
    QTest::mouseClick(MainWindowAccess(w).dateLabel(), Qt::LeftButton);
    EXPECT_EQ(MainWindowAccess(w).dateLabel()->text(),
              dateformat::shortDateText(QDate(2006, 7, 30)));
    EXPECT_EQ(w.entryDate(), QDate(2006, 7, 30));
}

TEST_F(MainWindowTest, AChosenDateKeepsItsCenturyWhateverTheShortDateShows)
{
    locale_.value = QLocale(QLocale::English, QLocale::UnitedStates);  // short dates like 3/2/25
    MainWindow& w = open();
    QTimer::singleShot(200, [] {
        auto* dlg = qobject_cast<DateEntryDialog*>(QApplication::activeModalWidget());
        if (dlg == nullptr)
            return;
        dlg->monthEdit()->setText("03");
        dlg->dayEdit()->setText("02");
        dlg->yearEdit()->setText("1925");
        QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
    });
    QTest::mouseClick(MainWindowAccess(w).dateLabel(), Qt::LeftButton);
    EXPECT_EQ(w.entryDate(), QDate(1925, 3, 2));
    EXPECT_EQ(MainWindowAccess(w).dateLabel()->text(),
              dateformat::shortDateText(QDate(1925, 3, 2)));
    fill("Saw", "Al");
    clickAdd();
    EXPECT_EQ(MainWindowAccess(w).loanList()->text(0), "1925-03-02");
    EXPECT_TRUE(data().startsWith(
        "DATE: " + QString::number(QDate(1899, 12, 30).daysTo(QDate(1925, 3, 2))) + " \r\n"));
}

// ---- The keyboard alone ---------------------------------------------------------------------

// Presses a key on whatever has the focus, as a user at the keyboard does.
void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* at = QApplication::focusWidget();
    ASSERT_NE(at, nullptr);
    QTest::keyClick(at, static_cast<Qt::Key>(key), modifiers);
}

void typeText(const QString& text)
{
    for (const QChar c : text)
        QTest::keyClicks(QApplication::focusWidget(), QString(c));
}

// Types into the date dialog once it is up with the focus in its first box, then presses Enter;
// a dialog that never comes up is reported, and one left open is cancelled.
class DateDialogTyping {
public:
    explicit DateDialogTyping(QString keys) : keys_(std::move(keys))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
        timer_.start(10);
    }
    ~DateDialogTyping() { EXPECT_TRUE(done_) << "the date dialog never came up"; }

private:
    void tick()
    {
        auto* dlg = qobject_cast<DateEntryDialog*>(QApplication::activeModalWidget());
        if (++ticks_ > 500) {
            timer_.stop();
            if (dlg != nullptr)
                dlg->reject();
            return;
        }
        if (done_ || dlg == nullptr || !dlg->isVisible())
            return;
        if (QApplication::focusWidget() != dlg->fieldEdit(0)) {
            dlg->activateWindow();
            return;
        }
        done_ = true;
        timer_.stop();
        typeText(keys_);
        press(Qt::Key_Return);
    }

    QString keys_;
    QTimer timer_;
    int ticks_ = 0;
    bool done_ = false;
};

TEST_F(MainWindowTest, KeyboardAloneReachesTheDateChoosesOneAndAddsTheLoan)
{
    const struct {
        Qt::Key opener;
        const char* typed;  // into the dialog, month first as the locale has it
        QDate date;
    } cases[] = {
        {Qt::Key_F4, "12/24/2025", QDate(2025, 12, 24)},
        {Qt::Key_Return, "02/29/2024", QDate(2024, 2, 29)},
        {Qt::Key_Space, "7/4/1999", QDate(1999, 7, 4)},
    };
    MainWindow& w = open();
    w.activateWindow();
    MainWindowAccess(w).loanList()->setFocus(Qt::OtherFocusReason);
    WEXLO_WAIT_FOR(QApplication::focusWidget() == MainWindowAccess(w).loanList(), 5000);
    // From the list by Tab to the person, the item, then the date.
    for (int i = 0; i < 6; ++i)
        press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), MainWindowAccess(w).borrowerEdit());
    typeText("Al");
    press(Qt::Key_Tab);
    typeText("Saw");
    press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), MainWindowAccess(w).dateLabel());
    // It shows that it has the focus.
    QImage focused(MainWindowAccess(w).dateLabel()->size(), QImage::Format_RGB32);
    MainWindowAccess(w).dateLabel()->render(&focused);
    EXPECT_TRUE(focused.pixelColor(MainWindowAccess(w).dateLabel()->frameWidth() + 1,
                                   MainWindowAccess(w).dateLabel()->height() / 2) ==
                MainWindowAccess(w).dateLabel()->palette().color(QPalette::Highlight));

    int row = 0;
    for (const auto& c : cases) {
        {
            DateDialogTyping typing(QString::fromLatin1(c.typed));
            press(c.opener);
        }
        EXPECT_EQ(w.entryDate(), c.date) << c.typed;
        EXPECT_EQ(MainWindowAccess(w).dateLabel()->text(), dateformat::shortDateText(c.date));
        // The window manager gives the window back its activation; the focus is where it was.
        w.activateWindow();
        WEXLO_WAIT_FOR(QApplication::focusWidget() == MainWindowAccess(w).dateLabel(), 5000);
        // Back to "Add Item" and press it with Space.
        for (int i = 0; i < 3; ++i)
            press(Qt::Key_Tab, Qt::ShiftModifier);
        ASSERT_EQ(QApplication::focusWidget(), MainWindowAccess(w).addButton());
        press(Qt::Key_Space);
        EXPECT_TRUE(column(0).contains(loansfile::isoDate(c.date))) << c.typed;
        EXPECT_TRUE(data().contains("DATE: " + QString::number(QDate(1899, 12, 30).daysTo(c.date)) +
                                    " \r\n"));
        for (int i = 0; i < 3; ++i)
            press(Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), MainWindowAccess(w).dateLabel());
        ++row;
    }
    EXPECT_EQ(MainWindowAccess(w).loanList()->count(), row);
}

TEST_F(MainWindowTest, ThePanelFollowsTheCurrentRowMovedByKeys)
{
    // Newest first: Cy 2010, Bo 2006, Al 1999, Di 1985.
    writeData(record("1999-01-02", "Al", "Axe") + record("2006-07-30", "Bo", "Drill") +
              record("2010-05-05", "Cy", "Saw") + record("1985-03-04", "Di", "Ladder"));
    MainWindow& w = open();
    w.activateWindow();
    MainWindowAccess(w).loanList()->setFocus(Qt::OtherFocusReason);
    WEXLO_WAIT_FOR(QApplication::focusWidget() == MainWindowAccess(w).loanList(), 5000);
    ASSERT_EQ(MainWindowAccess(w).borrowerEdit()->text(), "Cy");
    const struct {
        int key;
        const char* typed;  // instead of a key: type-ahead
        const char* shown;  // the loan the panel shows afterwards
    } steps[] = {
        {Qt::Key_Down, nullptr, "Bo"},   {Qt::Key_Down, nullptr, "Al"},
        {Qt::Key_Up, nullptr, "Bo"},     {Qt::Key_End, nullptr, "Di"},
        {Qt::Key_Home, nullptr, "Cy"},   {Qt::Key_PageDown, nullptr, "Di"},
        {Qt::Key_PageUp, nullptr, "Cy"}, {0, "1999", "Al"},
    };
    for (const auto& s : steps) {
        if (s.typed != nullptr) {
            QTest::qWait(QApplication::keyboardInputInterval() + 50);  // a fresh type-ahead
            typeText(QString::fromLatin1(s.typed));
        } else {
            press(s.key);
        }
        const int current = MainWindowAccess(w).loanList()->currentRowIndex();
        EXPECT_EQ(MainWindowAccess(w).borrowerEdit()->text(), s.shown)
            << s.key << (s.typed ? s.typed : "");
        EXPECT_EQ(MainWindowAccess(w).loanList()->cell(current, 1), s.shown);
        EXPECT_EQ(MainWindowAccess(w).dateLabel()->text(),
                  dateformat::shortDateText(
                      dates::parseDate(MainWindowAccess(w).loanList()->text(current))));
        EXPECT_EQ(MainWindowAccess(w).loanList()->selectedRows(), QList<int>{current});
    }
    // "Delete" removes the loan the panel shows.
    boxes_.answers.push_back(MsgAnswer::Yes);
    QTest::mouseClick(MainWindowAccess(w).deleteButton(), Qt::LeftButton);
    EXPECT_EQ(column(1), (QStringList{"Cy", "Bo", "Di"}));
}

TEST_F(MainWindowTest, ItemAndLentToSelectTheirTextOnFocus)
{
    MainWindow& w = open();
    w.activateWindow();
    MainWindowAccess(w).itemEdit()->setText("Drill");
    MainWindowAccess(w).itemEdit()->setFocus(Qt::OtherFocusReason);
    WEXLO_WAIT_FOR(MainWindowAccess(w).itemEdit()->selectedText() == "Drill", 5000);
    MainWindowAccess(w).phoneEdit()->setText("555");
    MainWindowAccess(w).phoneEdit()->setFocus(Qt::OtherFocusReason);
    QTest::qWait(20);
    EXPECT_TRUE(MainWindowAccess(w).phoneEdit()->selectedText().isEmpty());
}

TEST_F(MainWindowTest, ResizingSnapsToTheLeastSizeAndLaysOutTheWindow)
{
    MainWindow& w = open();
    const int dpi = metrics_.dpi;
    auto tw = [dpi](int px) { return px * 1440 / dpi; };
    w.resize(200, w.height());
    WEXLO_WAIT_FOR(tw(w.frameGeometry().width()) >= 7104, 5000);
    EXPECT_LT(tw(w.frameGeometry().width()), 7104 + 30);
    w.resize(w.width(), 150);
    WEXLO_WAIT_FOR(tw(w.frameGeometry().height()) >= 5544, 5000);
    EXPECT_LT(tw(w.frameGeometry().height()), 5544 + 30);

    w.resize(700, 600);
    WEXLO_WAIT_FOR(w.width() == 700, 5000);
    const int outer = w.frameGeometry().width();
    EXPECT_NEAR(MainWindowAccess(w).loanList()->x(), 10,
                1);  // 150 twips each side of the outer width
    EXPECT_NEAR(MainWindowAccess(w).loanList()->width(), outer - 20, 1);
    EXPECT_NEAR(MainWindowAccess(w).entryPanel()->x(),
                (outer - MainWindowAccess(w).entryPanel()->width()) / 2,
                1);  // centred under the list
    EXPECT_NEAR(MainWindowAccess(w).entryPanel()->y(),
                MainWindowAccess(w).loanList()->geometry().bottom() + 1 + 1, 1);
}

// ---- Closing ----------------------------------------------------------------------------

TEST_F(MainWindowTest, EveryWayOfClosingSavesSettingsAndListsTheRecentActions)
{
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        QFile::remove(appFile("Wexlo.ini"));
        QFile::remove(appFile("log.txt"));
        settings::resetForTests();
        MainWindow& w = open();
        bool ended = false;
        QObject::connect(&w, &MainWindow::programEnded, [&] { ended = true; });
        MainWindowAccess(w).disableAutoCheckAction()->trigger();  // a setting to write
        if (way == 0)
            QTest::mouseClick(MainWindowAccess(w).exitButton(), Qt::LeftButton);
        else if (way == 1)
            MainWindowAccess(w).quitAction()->trigger();
        else {
            QCloseEvent box;  // as the close button sends it
            QSpontaneKeyEvent::setSpontaneous(&box);
            qApp->notify(&w, &box);
        }
        EXPECT_TRUE(ended);
        EXPECT_FALSE(w.isVisible());
        EXPECT_TRUE(QFile::exists(appFile("Wexlo.ini")));
        EXPECT_TRUE(logLines().contains("Listing last 40 actions: ")) << logText().toStdString();
        win_.reset();
    }
}

TEST_F(MainWindowTest, TheProgramsOwnCloseDoesNotRunTheExitProcedure)
{
    MainWindow& w = open();
    bool ended = false;
    QObject::connect(&w, &MainWindow::programEnded, [&] { ended = true; });
    w.close();
    EXPECT_FALSE(ended);
    EXPECT_FALSE(QFile::exists(appFile("Wexlo.ini")));
}

// ---- Faulty files -----------------------------------------------------------------------

TEST_F(MainWindowTest, AnUnreadableDataFileIsNeverOverwritten)
{
    const QByteArray original = record(" 38928 ", "Anna", "Drill");
    writeData(original);
    useFaultyFileSystem();
    files_.failRead["datalist.txt"] = err::PermissionDenied;
    MainWindow& w = open();
    ASSERT_EQ(boxes_.shown.size(), 1);
    EXPECT_TRUE(boxes_.lastText().contains("could not be read")) << boxes_.lastText().toStdString();
    EXPECT_EQ(boxes_.shown.last().title, "Wexlo");
    files_.failRead.clear();  // even once readable again, only a new start may save

    fill("Saw", "Bob");
    clickAdd();
    EXPECT_EQ(MainWindowAccess(w).loanList()->count(), 1);  // shown, not saved
    EXPECT_TRUE(boxes_.lastText().startsWith("The loans were not saved"))
        << boxes_.lastText().toStdString();
    EXPECT_EQ(readBytes(appFile("datalist.txt")), original);
    EXPECT_EQ(files_.commits, 0);
}

TEST_F(MainWindowTest, AFailedSaveTellsTheUserAndKeepsTheRows)
{
    useFaultyFileSystem();
    MainWindow& w = open();
    const std::pair<const char*, std::function<void()>> faults[] = {
        {"could not be opened", [&] { files_.failOpen["datalist.txt"] = err::PermissionDenied; }},
        {"Disk full", [&] { files_.writeLimit["datalist.txt"] = 10; }},
        {"Permission denied", [&] { files_.failCommit["datalist.txt"] = err::PermissionDenied; }},
    };
    int rows = 0;
    for (const auto& [why, arm] : faults) {
        SCOPED_TRACE(why);
        files_.failOpen.clear();
        files_.writeLimit.clear();
        files_.failCommit.clear();
        arm();
        fill("Saw", "Bob");
        clickAdd();
        EXPECT_EQ(MainWindowAccess(w).loanList()->count(), ++rows);
        EXPECT_TRUE(boxes_.lastText().startsWith("The loans were not saved"))
            << boxes_.lastText().toStdString();
        EXPECT_TRUE(boxes_.lastText().contains(why)) << boxes_.lastText().toStdString();
        EXPECT_FALSE(QFile::exists(appFile("datalist.txt")));
    }
    files_.failCommit.clear();
    clickAdd();
    EXPECT_EQ(data().count("DATE:"), 4);  // the next good save holds every row
}

}  // namespace
}  // namespace wexlo::test
