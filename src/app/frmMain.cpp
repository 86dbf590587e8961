#include "app/frmMain.h"

#include "app/FindBar.h"
#include "app/LoanCommands.h"
#include "app/LoansFile.h"
#include "app/mSHAREDPrinter.h"
#include "app/UpdateSchedule.h"

#include "platform/AppFolder.h"
#include "platform/ClickLabel.h"
#include "platform/ControlTable.h"
#include "platform/ListRow.h"
#include "platform/ListView.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"
#include "shared/dates/DateParser.h"
#include "shared/dates/DateFormat.h"
#include "shared/dates/DateEntryDialog.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/diagnostics/Logging.h"
#include "shared/settings/Settings.h"
#include "shared/ui/AboutDialog.h"
#include "shared/ui/SplashWindow.h"
#include "shared/updater/UpdateWindow.h"
#include "shared/util/Delay.h"
#include "shared/util/Files.h"
#include "shared/util/Pointer.h"
#include "shared/util/ProgramInfo.h"
#include "shared/util/Text.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QIcon>
#include <QItemSelectionModel>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUndoStack>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>
#include <string_view>
#include <vector>

namespace wexlo {

namespace {

const QString kModule = QStringLiteral("frmMain");
const QString kShowDueDates = QStringLiteral("ShowDueDates");

// The window's design size (client area) and the least outer size the resize rule allows.
constexpr int kDesignWidth = 7008;
constexpr int kDesignHeight = 4896;
constexpr int kMinWidth = 7104;
constexpr int kMinHeight = 5544;

using namespace loansfile;

QString title() { return programTitle(); }

using platform::pixelsCovering;
using platform::toTwips;
using platform::twipsRect;

}  // namespace

// ---- Construction -----------------------------------------------------------------------

frmMain::frmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Wexlo"));
    setWindowIcon(QIcon(QStringLiteral(":/wexlo/desktop/wexlo-128.png")));
    today_ = platform::clock().today();
    todayIso_ = isoDate(today_);
    buildControls();
    buildMenu();
    buildLoanLife();
    buildLoanCommands();

    Timer3 = new QTimer(this);
    Timer3->setObjectName(QStringLiteral("Timer3"));
    Timer3->setInterval(30000);
    connectGuarded(Timer3, &QTimer::timeout, this, &frmMain::Timer3_Timer,
                   QStringLiteral("Timer3_Timer"), kModule);
    Timer3->start();
    updateServer_ = updateschedule::updateServer(QCoreApplication::arguments());

    resize(platform::twips(kDesignWidth),
           platform::twips(kDesignHeight) + menuBar()->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    Form_Load();
    remindOfOverdue();
}

frmMain::~frmMain()
{
    // The list outlives this window's own part while its widgets are taken down and may still
    // paint then: the look of its rows must not reach into a window that is already gone.
    ListView1->setRowLook({});
}

void frmMain::buildControls()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    // The layout is measured for the desktop's small dialog font.
    QFont small = client->font();
    small.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), small.family()});
    small.setPixelSize(std::max(
        8, static_cast<int>(std::lround(11.0 * platform::systemMetrics().logicalDpi() / 96.0))));
    client->setFont(small);

    ListView1 = new platform::ListView(client);
    ListView1->setColumns({{QStringLiteral("Date"), 1000},
                           {QStringLiteral("Lent To"), 1200},
                           {QStringLiteral("Item"), 4000},
                           {QStringLiteral("Phone"), 900},
                           {QStringLiteral("Address"), 3500}});
    Frame2 = new QGroupBox(client);
    cmdExit = new QPushButton(Frame2);
    cmdDelete = new QPushButton(Frame2);
    cmdAdd = new QPushButton(Frame2);
    txtAddress = new QLineEdit(Frame2);
    txtPhone = new QLineEdit(Frame2);
    txtLentTo = new QLineEdit(Frame2);
    txtItem = new QLineEdit(Frame2);
    lblPh = new QLabel(Frame2);
    Label1[3] = new QLabel(Frame2);
    lblDate = new platform::ClickLabel(Frame2);
    Label1[2] = new QLabel(Frame2);
    Label1[1] = new QLabel(Frame2);
    Label1[0] = new QLabel(Frame2);

    // The frame's controls relative to the frame. The caption labels take no focus; the date
    // label does, after the fields it sits among. A box is read by its caption without the
    // colon; "Date:" names the date label, which is read as the date it shows.
    const std::initializer_list<platform::Control> table = {
        {ListView1, "ListView1", nullptr, {144, 144, 6636, 2844}, nullptr, "Loans List"},
        {Frame2, "Frame2", nullptr, {192, 3264, 6636, 1500}, nullptr, "Entry panel"},
        {cmdExit, "cmdExit", "Exit", {5856, 912, 684, 492}, nullptr, "Exit"},
        {cmdDelete,
         "cmdDelete",
         "Delete",
         {5856, 192, 684, 540},
         "Deletes the selected loan item",
         "Delete"},
        {txtAddress, "txtAddress", nullptr, {864, 1056, 4572, 300}, nullptr, "Address"},
        {txtPhone, "txtPhone", nullptr, {4176, 672, 1260, 300}, nullptr, "Phone"},
        {cmdAdd, "cmdAdd", "Add Item", {4272, 240, 1164, 300}, nullptr, "Add Item"},
        {txtLentTo, "txtLentTo", nullptr, {2592, 624, 972, 300}, nullptr, "Lent To"},
        {txtItem, "txtItem", nullptr, {624, 240, 3564, 300}, nullptr, "Item"},
        {lblPh, "lblPh(4)", "Phone:", {3600, 672, 540, 204}, nullptr, "Phone:", txtPhone},
        {Label1[3], "Label1(3)", "Address:", {48, 1104, 732, 252}, nullptr, "Address:", txtAddress},
        {lblDate, "lblDate", nullptr, {624, 624, 1128, 300}},
        {Label1[2], "Label1(2)", "Lent To:", {1776, 672, 732, 252}, nullptr, "Lent To:", txtLentTo},
        {Label1[1], "Label1(1)", "Item:", {96, 288, 492, 252}, nullptr, "Item:", txtItem},
        {Label1[0], "Label1(0)", "Date:", {96, 672, 492, 204}, nullptr, "Date:", lblDate},
    };
    platform::layOut(table);
    for (const platform::Control& c : table)
        c.widget->setFont(client->font());

    for (QLabel* l : {lblPh, Label1[0], Label1[1], Label1[2], Label1[3]})
        l->setAlignment(Qt::AlignRight | Qt::AlignTop);
    lblDate->setAlignment(Qt::AlignCenter);
    lblDate->setFrameStyle(QFrame::Box | QFrame::Plain);
    lblDate->setLineWidth(1);
    lblDate->setAutoFillBackground(true);
    lblDate->setBackgroundRole(QPalette::Base);
    lblDate->setToolTip(QString());
    for (QPushButton* b : {cmdExit, cmdDelete, cmdAdd})
        b->setAutoDefault(false);

    connectGuarded(cmdAdd, &QPushButton::clicked, this, &frmMain::cmdAdd_Click,
                   QStringLiteral("cmdAdd_Click"), kModule);
    connectGuarded(cmdDelete, &QPushButton::clicked, this, &frmMain::cmdDelete_Click,
                   QStringLiteral("cmdDelete_Click"), kModule);
    connectGuarded(cmdExit, &QPushButton::clicked, this, &frmMain::cmdExit_Click,
                   QStringLiteral("cmdExit_Click"), kModule);
    connectGuarded(
        ListView1, &platform::ListView::columnClick, this,
        [this](int column) { ListView1_ColumnClick(column + 1); },
        QStringLiteral("ListView1_ColumnClick"), kModule);
    connectGuarded(ListView1, &platform::ListView::itemClick, this, &frmMain::ListView1_ItemClick,
                   QStringLiteral("ListView1_ItemClick"), kModule);
    // A row reached by the keyboard shows its loan as a click does, so the panel and "Delete"
    // speak of the same row.
    connectGuarded(ListView1, &platform::ListView::currentRowKeyed, this,
                   &frmMain::ListView1_ItemClick, QStringLiteral("ListView1_ItemClick"), kModule);
    connectGuarded(lblDate, &platform::ClickLabel::clicked, this, &frmMain::lblDate_Click,
                   QStringLiteral("lblDate_Click"), kModule);
    txtItem->installEventFilter(this);
    txtLentTo->installEventFilter(this);
}

void frmMain::buildMenu()
{
    auto action = [](QMenu* menu, const QString& caption, const char* name) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    mnuFile = menuBar()->addMenu(QStringLiteral("File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuPrint = action(mnuFile, QStringLiteral("Print List"), "mnuPrint");
    mnuPrintOverdue = action(mnuFile, QStringLiteral("Print &Overdue List"), "mnuPrintOverdue");
    // The new menus carry keyboard mnemonics (Alt+E, Alt+V), shown underlined.
    mnuEdit = menuBar()->addMenu(QStringLiteral("&Edit"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    mnuSetDue = action(mnuEdit, QStringLiteral("Set &Due Date..."), "mnuSetDue");
    mnuClearDue = action(mnuEdit, QStringLiteral("&Clear Due Date"), "mnuClearDue");
    mnuEdit->addSeparator();
    mnuMarkReturned = action(mnuEdit, QStringLiteral("Mark &Returned"), "mnuMarkReturned");
    mnuMarkReturned->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    mnuMarkNotReturned =
        action(mnuEdit, QStringLiteral("Mark &Not Returned"), "mnuMarkNotReturned");
    mnuView = menuBar()->addMenu(QStringLiteral("&View"));
    mnuView->setObjectName(QStringLiteral("mnuView"));
    mnuShowDue = action(mnuView, QStringLiteral("Show &Due Dates"), "mnuShowDue");
    mnuOverdueOnly = action(mnuView, QStringLiteral("&Overdue Only"), "mnuOverdueOnly");
    mnuShowReturned = action(mnuView, QStringLiteral("Show &Returned Loans"), "mnuShowReturned");
    for (QAction* a : {mnuShowDue, mnuOverdueOnly, mnuShowReturned})
        a->setCheckable(true);
    mnuTools = menuBar()->addMenu(QStringLiteral("Tools"));
    mnuTools->setObjectName(QStringLiteral("mnuTools"));
    mnuCheckVersion = action(mnuTools, QStringLiteral("Check for Update"), "mnuCheckVersion");
    mnuAutoCheckDisabled =
        action(mnuTools, QStringLiteral("Disable automatic 'check for new version'"),
               "mnuAutoCheckDisabled");
    mnuAutoCheckDisabled->setCheckable(true);
    mnuHelp = menuBar()->addMenu(QStringLiteral("Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuAbout = action(mnuHelp, QStringLiteral("About"), "mnuAbout");
    mnuQuit = menuBar()->addAction(QStringLiteral("Quit"));
    mnuQuit->setObjectName(QStringLiteral("mnuQuit"));

    const std::pair<QAction*, void (frmMain::*)()> life[] = {
        {mnuPrint, &frmMain::mnuPrint_Click},
        {mnuCheckVersion, &frmMain::mnuCheckVersion_Click},
        {mnuAutoCheckDisabled, &frmMain::mnuAutoCheckDisabled_Click},
        {mnuAbout, &frmMain::mnuAbout_Click},
        {mnuQuit, &frmMain::mnuQuit_Click},
        {mnuPrintOverdue, &frmMain::mnuPrintOverdue_Click},
        {mnuSetDue, &frmMain::mnuSetDue_Click},
        {mnuClearDue, &frmMain::mnuClearDue_Click},
        {mnuMarkReturned, &frmMain::mnuMarkReturned_Click},
        {mnuMarkNotReturned, &frmMain::mnuMarkNotReturned_Click},
        {mnuShowDue, &frmMain::mnuShowDue_Click},
        {mnuOverdueOnly, &frmMain::mnuOverdueOnly_Click},
        {mnuShowReturned, &frmMain::mnuShowReturned_Click}};
    for (const auto& [a, handler] : life)
        connectGuarded(a, &QAction::triggered, this, handler,
                       a->objectName() + QStringLiteral("_Click"), kModule);
}

// ---- Start-up ---------------------------------------------------------------------------

void frmMain::Form_Load()
{
    ErrorRecorder on(QStringLiteral("Form_Load"), kModule);
    SplashWindow* splash = nullptr;
    on([&] {
        splash = new SplashWindow();
        splash->show();
        splash->showStatus(QStringLiteral("Starting up"));
        platform::eventPump().processEvents();
    });
    on([&] { setEntryDate(platform::clock().today()); });
    on([&] { LoadList(); });
    on([&] {
        if (ListView1->count() > 0) {
            ListView1->setSelected(0, true);
            ListView1->setCurrentRow(0);
            ShowLoan(0);
        }
    });
    on([&] {
        SettingsPath =
            files::withSlash(platform::appFolder()) + QStringLiteral("Wexlo.ini");
        settings::loadFile(SettingsPath);
    });
    on([&] {
        mnuAutoCheckDisabled->setChecked(
            settings::readSetting(QStringLiteral("DisableAutoUpdateCheck"), true).toBool());
    });
    on([&] {
        mnuShowDue->setChecked(settings::readSetting(kShowDueDates, false).toBool());
        ListView1->setColumnShown(ColDue, mnuShowDue->isChecked());
    });
    on([&] { delay::waitSeconds(0.5f); });
    on([&] {
        if (splash == nullptr)
            return;
        splash->hide();
        platform::eventPump().processEvents();
        delete splash;
        splash = nullptr;
    });
    delete splash;  // still here only when hiding it failed

    if (!dataReadable_)
        platform::message(
            this,
            QStringLiteral("The loans could not be read from %1.\n\nWexlo will not save "
                           "any changes until it is started again with a readable file.")
                .arg(QDir::toNativeSeparators(dataFilePath())),
            title(), platform::MsgButtons::Ok, platform::MsgIcon::Warning);
}

// ---- Loans and the data file ------------------------------------------------------------

QString frmMain::dataFilePath() const
{
    return files::withSlash(platform::appFolder()) + QStringLiteral("datalist.txt");
}

bool frmMain::LoadList()
{
    if (undoStack != nullptr)
        undoStack->clear();  // its steps speak of the loans now gone
    ListView1->clear();
    // Read straight from the file's bytes into the list's rows: a big register would otherwise
    // pass through a text of the whole file and a text object per value.
    std::vector<platform::ListRow> rows;
    int orphans = 0;
    {
        QByteArray bytes;
        dataReadable_ = files::readAllBytes(dataFilePath(), bytes);
        rows.reserve(static_cast<size_t>(bytes.size() / 100));
        orphans = loansfile::read(bytes, [&rows](const QUtf8StringView* cells, int count) {
            rows.emplace_back(cells, count);
        });
    }
    // Sorted as they go in: newest first, loans of one day in file order.
    ListView1->setSorting(true, ColDate, Qt::DescendingOrder);
    ListView1->addRows(std::move(rows));

    if (orphans > 0) {
        ErrorRecorder on(QStringLiteral("LoadList"), kModule);
        on([&] {
            logging::writeLine(
                QStringLiteral("datalist.txt: %1 line(s) before the first DATE line skipped")
                    .arg(orphans));
        });
    }
    return dataReadable_;
}

bool frmMain::SaveList()
{
    // A failed save is recorded as well as shown; the rows stay in the window to be saved
    // with the next change.
    ErrorRecorder on(QStringLiteral("SaveList"), kModule);
    auto notSaved = [this](const QString& why) {
        loansUnsaved_ = true;
        platform::message(this, QStringLiteral("The loans were not saved: %1").arg(why), title(),
                          platform::MsgButtons::Ok, platform::MsgIcon::Warning);
        return false;
    };
    if (!dataReadable_)
        return notSaved(
            QStringLiteral("%1 could not be read at start-up, and saving would replace it. "
                           "Start Wexlo again once the file can be read.")
                .arg(QDir::toNativeSeparators(dataFilePath())));

    int openError = 0;
    auto out =
        files::openForOutput(dataFilePath(), platform::FileAccess::Normal, &openError);
    if (!out) {
        if (openError != 0)
            on.record(openError, errorDescription(openError));
        return notSaved(QStringLiteral("%1 could not be opened for writing.")
                            .arg(QDir::toNativeSeparators(dataFilePath())));
    }
    // Every loan the list holds, shown or not: the active ones in display order, then the returned
    // ones in the order of their return.
    std::vector<int> order(static_cast<size_t>(ListView1->modelCount()));
    std::iota(order.begin(), order.end(), 0);
    const auto firstReturned = std::find_if(order.begin(), order.end(), [this](int m) {
        return !ListView1->modelCellUtf8(m, ColReturned).isEmpty();
    });
    if (firstReturned != order.end()) {
        std::vector<std::pair<std::string_view, int>> back;
        back.reserve(static_cast<size_t>(order.end() - firstReturned));
        for (auto it = firstReturned; it != order.end(); ++it) {
            const QUtf8StringView returned = ListView1->modelCellUtf8(*it, ColReturned);
            back.emplace_back(std::string_view(returned.data(), size_t(returned.size())), *it);
        }
        std::stable_sort(back.begin(), back.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (size_t i = 0; i < back.size(); ++i)
            firstReturned[static_cast<std::ptrdiff_t>(i)] = back[i].second;
    }
    try {
        loansfile::formatLoanBytes(
            static_cast<int>(order.size()),
            [this, &order](int row, int column) {
                return ListView1->modelCellUtf8(order[size_t(row)], column);
            },
            [&out](const QByteArray& bytes) { out->writeBytes(bytes); });
        out->close();
    } catch (const RuntimeError& e) {
        on.record(e.number(), e.description());
        return notSaved(QStringLiteral("%1 (%2).").arg(e.description()).arg(e.number()));
    } catch (const std::exception&) {
        on.record(err::OutOfMemory, errorDescription(err::OutOfMemory));
        return notSaved(errorDescription(err::OutOfMemory) + QLatin1Char('.'));
    }
    loansUnsaved_ = false;
    return true;
}

void frmMain::setEntryDate(const QDate& date)
{
    entryDate_ = date;
    entryDateText_.clear();
    lblDate->setText(dateformat::shortDateText(date));
}

void frmMain::ShowLoan(int row)
{
    const QString date = ListView1->text(row);
    QDate d;
    if (readDate(date, d)) {
        setEntryDate(d);
    } else {
        entryDate_ = QDate();
        entryDateText_ = date;
        lblDate->setText(date);
    }
    txtLentTo->setText(ListView1->cell(row, ColLentTo));
    txtItem->setText(ListView1->cell(row, ColItem));
    txtPhone->setText(ListView1->cell(row, ColPhone));
    txtAddress->setText(ListView1->cell(row, ColAddress));
    shownLoan_ = ListView1->rowHandle(ListView1->modelRow(row));
    showLife(ListView1->modelRow(shownLoan_));
}

// ---- The user's operations --------------------------------------------------------------

void frmMain::cmdAdd_Click()
{
    if (txtItem->text().isEmpty()) {
        platform::message(this, QStringLiteral("Please enter a description for the item"), title());
        return;
    }
    if (txtLentTo->text().isEmpty()) {
        platform::message(
            this, QStringLiteral("Please enter a name for the person you are lending to"), title());
        return;
    }
    const QString date = entryDate_.isValid() ? isoDate(entryDate_) : entryDateText_;
    using text::trimBlanks;
    LoanChange change(*ListView1, {});
    const int added = ListView1->addModelRow(
        date, {trimBlanks(txtLentTo->text()), trimBlanks(txtItem->text()),
               trimBlanks(txtPhone->text()), trimBlanks(txtAddress->text())});
    change.push(*undoStack, QStringLiteral("Add Loan"), [this] { loansStepped(); }, {added});
    SaveList();
}

void frmMain::cmdDelete_Click()
{
    const QList<int> selected = ListView1->selectedRows();
    if (selected.isEmpty()) {
        platform::message(this, QStringLiteral("Please select an item before trying to delete it"),
                          title());
        return;
    }
    const QString question =
        selected.size() == 1
            ? QStringLiteral("This will delete the selected entry. Are you sure?")
            : QStringLiteral("This will delete all selected entries. Are you sure?");
    if (platform::message(this, question, title(), platform::MsgButtons::YesNo) !=
        platform::MsgAnswer::Yes)
        return;
    LoanChange change(*ListView1, selectedModelRows());
    ListView1->removeRows(selected);
    change.push(*undoStack,
                loansText(QStringLiteral("Delete Loan"), QStringLiteral("Delete %1 Loans"),
                          selected.size()),
                [this] { loansStepped(); });
    SaveList();
}

void frmMain::ListView1_ColumnClick(int column)
{
    const int previousKey = ListView1->sortKey();
    const int key = column - 1;
    Qt::SortOrder order;
    if (key == previousKey)
        order =
            ListView1->sortOrder() == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    else
        order = key == ColDate ? Qt::DescendingOrder : Qt::AscendingOrder;
    ListView1->setSorting(true, key, order);
}

void frmMain::ListView1_ItemClick(int row) { ShowLoan(row); }

void frmMain::lblDate_Click()
{
    ErrorRecorder on(QStringLiteral("lblDate_click"), kModule);
    QDate shown = entryDate_;
    if (!shown.isValid())
        on([&] { shown = dates::parseDate(lblDate->text()); });
    QDate chosen;
    on([&] {
        chosen =
            dates::askDate(QStringLiteral("Enter date this item was lent"), shown, this);
    });
    on([&] {
        if (chosen.isValid() && dates::dayNumber(chosen) != 0)
            setEntryDate(chosen);
    });
}

void frmMain::txtItem_GotFocus() { text::selectAll(txtItem); }

void frmMain::txtLentTo_GotFocus() { text::selectAll(txtLentTo); }

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && (watched == txtItem || watched == txtLentTo)) {
        const bool byMouse = static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason;
        auto select = [this, watched] {
            if (watched == txtItem)
                txtItem_GotFocus();
            else
                txtLentTo_GotFocus();
        };
        if (byMouse)
            QTimer::singleShot(0, this, select);  // after the click has placed the cursor
        else
            select();
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- Menu -------------------------------------------------------------------------------

void frmMain::mnuAbout_Click()
{
    ErrorRecorder on(QStringLiteral("mnuabout_click"), kModule);
    std::unique_ptr<AboutDialog> about;
    on([&] { about = std::make_unique<AboutDialog>(this); });
    on([&] {
        if (!about)
            raiseError(err::ObjectNotSet);
        about->exec();
    });
}

void frmMain::mnuAutoCheckDisabled_Click()
{
    // The checkable menu item has already flipped its mark.
    settings::writeSetting(QStringLiteral("DisableAutoUpdateCheck"),  // never fails
                                  mnuAutoCheckDisabled->isChecked());
}

void frmMain::mnuPrint_Click() { mSHAREDPrinter::PrintLoansList(this, *ListView1); }

// ---- A loan's life: due dates, returns, overdue loans -------------------------------------

namespace {

// A due or return date as the list and the panel show it: the short date form.
QString shownDate(const QString& iso)
{
    QDate d;
    return readDate(iso, d) ? dateformat::shortDateText(d) : iso;
}

bool isIso(const QString& s)
{
    return s.size() == 10 && s.at(4) == QLatin1Char('-') && s.at(7) == QLatin1Char('-');
}

}  // namespace

void frmMain::buildLoanLife()
{
    // The two columns beyond the five, hidden until asked for.
    ListView1->setColumns({{QStringLiteral("Date"), 1000},
                           {QStringLiteral("Lent To"), 1200},
                           {QStringLiteral("Item"), 4000},
                           {QStringLiteral("Phone"), 900},
                           {QStringLiteral("Address"), 3500},
                           {QStringLiteral("Due"), 1000},
                           {QStringLiteral("Returned"), 1000}});
    ListView1->setColumnShown(ColDue, false);
    ListView1->setColumnShown(ColReturned, false);
    ListView1->setColumnFormat(ColDue, shownDate);
    ListView1->setColumnFormat(ColReturned, shownDate);
    ListView1->setLaterColumn(ColReturned);
    ListView1->setRowLook([this](int m) {
        platform::ListView::Look look;
        const QString returned = ListView1->modelCell(m, ColReturned);
        if (!returned.isEmpty()) {
            look.tone = platform::ListView::Tone::Dimmed;
            look.note = QStringLiteral("returned ") + shownDate(returned);
            return look;
        }
        const QString due = ListView1->modelCell(m, ColDue);
        if (due.isEmpty())
            return look;
        if (isOverdue(m)) {
            look.tone = platform::ListView::Tone::Warning;
            look.note = QStringLiteral("overdue, due ") + shownDate(due);
        } else {
            look.note = QStringLiteral("due ") + shownDate(due);
        }
        return look;
    });
    applyRowFilter();

    // A line of the entry panel, in the free strip above the item box.
    lblLife = new QLabel(Frame2);
    lblLife->setObjectName(QStringLiteral("lblLife"));
    lblLife->setFont(Frame2->font());
    lblLife->setGeometry(twipsRect(624, 20, 3564, 210));
    lblLife->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblLife->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    lblLife->setFocusPolicy(Qt::NoFocus);

    connectGuarded(ListView1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                   &frmMain::updateEditActions, QStringLiteral("updateEditActions"), kModule);
    updateEditActions();

    midnight_ = new QTimer(this);
    midnight_->setObjectName(QStringLiteral("midnight"));
    midnight_->setSingleShot(true);
    connectGuarded(midnight_, &QTimer::timeout, this, &frmMain::midnightPassed,
                   QStringLiteral("midnightPassed"), kModule);
    armMidnight();
}

bool frmMain::isOverdue(int modelRow) const
{
    if (!ListView1->modelCellUtf8(modelRow, ColReturned).isEmpty())
        return false;
    const QString due = ListView1->modelCell(modelRow, ColDue);
    return isIso(due) && due < todayIso_;
}

void frmMain::applyRowFilter()
{
    const bool showReturned = mnuShowReturned != nullptr && mnuShowReturned->isChecked();
    const bool overdueOnly = mnuOverdueOnly != nullptr && mnuOverdueOnly->isChecked();
    ListView1->setRowFilter([this, showReturned, overdueOnly](int m) {
        if (overdueOnly)
            return isOverdue(m);
        return showReturned || ListView1->modelCellUtf8(m, ColReturned).isEmpty();
    });
    ListView1->setColumnShown(ColReturned, showReturned);
}

QList<int> frmMain::selectedModelRows() const
{
    QList<int> rows;
    for (int r : ListView1->selectedRows())
        rows.append(ListView1->modelRow(r));
    return rows;
}

void frmMain::updateEditActions()
{
    bool any = false, active = false, returned = false, due = false;
    for (int m : selectedModelRows()) {
        any = true;
        const bool isReturned = !ListView1->modelCell(m, ColReturned).isEmpty();
        returned = returned || isReturned;
        active = active || !isReturned;
        due = due || !ListView1->modelCell(m, ColDue).isEmpty();
    }
    mnuSetDue->setEnabled(any);
    mnuClearDue->setEnabled(due);
    mnuMarkReturned->setEnabled(active);
    mnuMarkNotReturned->setEnabled(returned);
}

void frmMain::setLifeDate(const QList<int>& modelRows, int column, const QString& iso)
{
    if (modelRows.isEmpty())
        return;
    LoanChange change(*ListView1, modelRows);
    ListView1->setModelCells(modelRows, column, iso);
    change.push(*undoStack, lifeStepText(column, iso, modelRows.size()),
                [this] { loansStepped(); });
    SaveList();
    updateEditActions();
    // The panel follows the loan it shows, wherever it went.
    const int shown = ListView1->modelRow(shownLoan_);
    if (shown >= 0)
        showLife(shown);
}

void frmMain::showLife(int m)
{
    QStringList parts;
    const QString due = ListView1->modelCell(m, ColDue);
    const QString returned = ListView1->modelCell(m, ColReturned);
    if (!due.isEmpty())
        parts.append(QStringLiteral("Due: ") + shownDate(due) +
                     (isOverdue(m) ? QStringLiteral(" (overdue)") : QString()));
    if (!returned.isEmpty())
        parts.append(QStringLiteral("Returned: ") + shownDate(returned));
    lblLife->setText(parts.join(QStringLiteral("    ")));
}

void frmMain::mnuSetDue_Click()
{
    const QList<int> rows = selectedModelRows();
    if (rows.isEmpty())
        return;
    const QDate chosen = dates::askDate(QStringLiteral("Enter date this item is due back"),
                                                 today_.addDays(14), this);
    if (!chosen.isValid() || dates::dayNumber(chosen) == 0)
        return;
    // The first due date ever set shows the column; after that it stays as the user left it.
    if (settings::readSetting(kShowDueDates).isEmpty()) {
        mnuShowDue->setChecked(true);
        mnuShowDue_Click();
    }
    setLifeDate(rows, ColDue, isoDate(chosen));
}

void frmMain::mnuClearDue_Click() { setLifeDate(selectedModelRows(), ColDue, QString()); }

void frmMain::mnuMarkReturned_Click()
{
    QList<int> rows;
    for (int m : selectedModelRows())
        if (ListView1->modelCell(m, ColReturned).isEmpty())
            rows.append(m);
    setLifeDate(rows, ColReturned, todayIso_);
}

void frmMain::mnuMarkNotReturned_Click()
{
    QList<int> rows;
    for (int m : selectedModelRows())
        if (!ListView1->modelCell(m, ColReturned).isEmpty())
            rows.append(m);
    setLifeDate(rows, ColReturned, QString());
}

void frmMain::mnuShowDue_Click()
{
    ListView1->setColumnShown(ColDue, mnuShowDue->isChecked());
    settings::writeSetting(kShowDueDates, mnuShowDue->isChecked());
}

void frmMain::mnuOverdueOnly_Click() { applyRowFilter(); }

void frmMain::mnuShowReturned_Click() { applyRowFilter(); }

void frmMain::mnuPrintOverdue_Click()
{
    mSHAREDPrinter::PrintOverdueList(this, *ListView1, [this](int m) { return isOverdue(m); });
}

void frmMain::armMidnight()
{
    const QDateTime now = platform::clock().now();
    const QDateTime next(now.date().addDays(1), QTime(0, 0));
    // A little after midnight, so that the clock reads the new day; never a busy loop.
    const qint64 ms = std::clamp<qint64>(now.msecsTo(next) + 50, 1000, 24LL * 3600 * 1000);
    midnight_->start(static_cast<int>(ms));
}

void frmMain::midnightPassed()
{
    const QDate now = platform::clock().today();
    if (now != today_) {
        today_ = now;
        todayIso_ = isoDate(now);
        ListView1->refreshLooks();
        const int shown = ListView1->modelRow(shownLoan_);
        if (shown >= 0)
            showLife(shown);
        updateEditActions();
    }
    armMidnight();
}

// ---- The update check --------------------------------------------------------------------

void frmMain::Timer3_Timer()
{
    ErrorRecorder on(QStringLiteral("timer3_timer"), kModule);
    // Once per program start at most.
    Timer3->stop();
    bool disabled = true;
    on([&] { disabled = updateschedule::autoCheckDisabled(); });
    if (disabled)
        return;
    on([&] {
        if (updateschedule::checkDue())
            checkforupdate(true);
    });
}

void frmMain::mnuCheckVersion_Click()
{
    ErrorRecorder on(QStringLiteral("mnucheckversion_click"), kModule);
    // A check asked for by hand replaces the automatic one of this run.
    Timer3->stop();
    on([&] { checkforupdate(false); });
}

void frmMain::checkforupdate(bool quiet)
{
    ErrorRecorder on(QStringLiteral("checkforupdate"), kModule);
    on([&] {
        if (Updater)
            return;
        Updater = new UpdateWindow(this);
        connectGuarded(Updater, &UpdateWindow::closed, this, &frmMain::Updater_FormClosed,
                       QStringLiteral("Updater_FormClosed"), kModule);
        connectGuarded(Updater, &UpdateWindow::installRequested, this, &frmMain::Updater_InstallFile,
                       QStringLiteral("Updater_InstallFile"), kModule);
        connectGuarded(Updater, &UpdateWindow::checkFinished, this, &frmMain::Updater_Finished,
                       QStringLiteral("Updater_Finished"), kModule);
        connectGuarded(Updater, &UpdateWindow::statusChanged, this, &frmMain::Updater_Status,
                       QStringLiteral("Updater_Status"), kModule);
    });
    on([&] {
        if (Updater)
            Updater->checkForUpdate(quiet, updateschedule::versionFileUrl(updateServer_),
                                    updateschedule::detailsFileUrl(updateServer_),
                                    updateschedule::packageFileName(), QString());
    });
}

void frmMain::Updater_FormClosed()
{
    ErrorRecorder on(QStringLiteral("updater_FormClosed"), kModule);
    // The update window has its own way of switching the automatic check.
    on([&] {
        mnuAutoCheckDisabled->setChecked(
            settings::readSetting(QStringLiteral("DisableAutoUpdateCheck"), true).toBool());
    });
}

void frmMain::releaseUpdater()
{
    if (!Updater)
        return;
    Updater->disconnect(this);
    Updater->hide();
    Updater->deleteLater();
    Updater = nullptr;
}

void frmMain::Updater_Finished() {}

void frmMain::Updater_Status(const QString& text) { Q_UNUSED(text) }

void frmMain::Updater_InstallFile()
{
    ErrorRecorder on(QStringLiteral("updater_installfile"), kModule);
    const QString folder = files::withSlash(platform::appFolder());
    const QString updaterProgram = folder + QStringLiteral("Updater.exe");
    const QString package = folder + updateschedule::packageFileName();
    on([&] {
        hide();
        platform::eventPump().processEvents();
    });
    // The update window is inside its own signal: it goes once that has finished.
    on([&] { releaseUpdater(); });
    // The updater is not started on a note that was not written whole.
    bool noted = false;
    on([&] {
        noted = files::writeText(folder + QStringLiteral("updater.ini"),
                                               updateschedule::packageFileName());
    });
    bool started = false;
    on([&] {
        // A note that could not be written whole was reported where it was written.
        if (!noted)
            return;
        if (!files::exists(updaterProgram))
            raiseError(err::FileNotFound);
        if (!platform::shell().startProgram(updaterProgram, {windowTitle()}, platform::appFolder()))
            raiseError(err::PathFileAccessError);
        started = true;
    });
    if (!started) {
        // Ending now would look as if the update were being installed while nothing is.
        on([&] {
            show();
            platform::message(
                this,
                QStringLiteral("The updater could not be started: ") + updaterProgram +
                    QStringLiteral("\nThe update package was kept at ") + package +
                    QStringLiteral(", and Wexlo keeps running."),
                programTitle(), platform::MsgButtons::Ok, platform::MsgIcon::Warning);
        });
        return;
    }
    ExitProgram();
}

// ---- Layout -----------------------------------------------------------------------------

void frmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && !isMinimized())
        Form_Resize();
}

void frmMain::Form_Resize()
{
    ErrorRecorder on(QStringLiteral("Form_Resize"), kModule);
    on([&] {
        if (isMinimized())
            return;
        const QRect outer = frameGeometry();
        const int extraW = outer.width() - width();
        const int extraH = outer.height() - height();
        int w = toTwips(outer.width());
        int h = toTwips(outer.height());
        if (w < kMinWidth) {
            // The new size comes back as another resize, which lays the window out.
            resize(pixelsCovering(kMinWidth) - extraW, height());
            return;
        }
        if (h < kMinHeight) {
            resize(width(), pixelsCovering(kMinHeight) - extraH);
            h = kMinHeight;
        }
        const int bars = toTwips(platform::systemMetrics().captionHeight()) +
                         toTwips(platform::systemMetrics().menuHeight());
        const int frameH = toTwips(Frame2->height());
        const int frameW = toTwips(Frame2->width());
        const int listW = w - 300;
        const int listLeft = (w - listW) / 2;
        const int listTop = 50;
        const int listH = std::max(0, h - listTop - frameH - bars - 200);
        ListView1->setGeometry(twipsRect(listLeft, listTop, listW, listH));
        Frame2->move(platform::twips((w - frameW) / 2), platform::twips(listH + listTop + 10));
        if (findBar != nullptr)
            findBar->fitUnder();
    });
}

// ---- Closing ----------------------------------------------------------------------------

void frmMain::cmdExit_Click() { ExitProgram(); }

void frmMain::mnuQuit_Click() { ExitProgram(); }

void frmMain::closeEvent(QCloseEvent* event)
{
    // Only a close from the window's own controls (close button, system menu, Alt+F4) comes
    // from the window system; the program's own closes go ahead as they are.
    if (!exiting_ && event->spontaneous())
        ExitProgram();
    event->accept();
}

void frmMain::ExitProgram()
{
    if (exiting_)
        return;
    exiting_ = true;
    ErrorRecorder on(QStringLiteral("ExitProgram"), kModule);
    // Loans that a failed save left only in the window get one more chance before they go.
    if (loansUnsaved_ && dataReadable_)
        on([&] { SaveList(); });
    on([&] { settings::saveFile(SettingsPath); });
    on([&] {
        hide();
        platform::eventPump().processEvents();
    });
    // Without its close handling, which would store its check box after the settings were saved.
    on([&] { releaseUpdater(); });
    on([&] {
        const QWidgetList windows = QApplication::topLevelWidgets();
        // Backwards through the list. std::views::reverse would do, but clang 14 (the fuzz
        // build's compiler) cannot compile it with libstdc++ 12.
        // NOLINTNEXTLINE(modernize-loop-convert)
        for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
            QWidget* w = *it;
            if (w == this || qobject_cast<UpdateWindow*>(w) != nullptr)
                continue;
            const Qt::WindowType type = w->windowType();
            if (type == Qt::Window || type == Qt::Dialog || type == Qt::Tool ||
                type == Qt::SplashScreen)
                w->close();
        }
    });
    on([&] { logging::writeRecentActions(); });
    close();
    Q_EMIT programEnded();
}

}  // namespace wexlo
