#include "app/MainWindow.h"

#include "app/FindBar.h"
#include "app/LoanCommands.h"
#include "app/LoansFile.h"
#include "app/LoansFileState.h"
#include "app/LoansPrinter.h"
#include "app/UpdateSchedule.h"

#include "platform/AppFolder.h"
#include "platform/ClickLabel.h"
#include "platform/ControlTable.h"
#include "platform/ListView.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"
#include "platform/Translations.h"
#include "shared/dates/DateEntryDialog.h"
#include "shared/dates/DateFormat.h"
#include "shared/dates/DateParser.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/diagnostics/Logging.h"
#include "shared/settings/Settings.h"
#include "shared/ui/AboutDialog.h"
#include "shared/ui/SplashWindow.h"
#include "shared/updater/InstallerLaunch.h"
#include "shared/updater/UpdateWindow.h"
#include "shared/util/Delay.h"
#include "shared/util/Files.h"
#include "shared/util/Pointer.h"
#include "shared/util/ProgramInfo.h"
#include "shared/util/Text.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QIcon>
#include <QItemSelectionModel>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
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

using mainwindowlog::kModule;

namespace {

const QString kShowDueDates = QStringLiteral("ShowDueDates");

// The window's design size (client area) and the least outer size the resize rule allows.
constexpr int kDesignWidth = 7008;
constexpr int kDesignHeight = 4896;
constexpr int kMinWidth = 7104;
constexpr int kMinHeight = 5544;

using loansfile::isoDate;
using loansfile::readDate;

QString title() { return programTitle(); }

using platform::pixelsCovering;
using platform::toTwips;
using platform::twipsRect;

}  // namespace

// Every application that shows this window or its find bar counts in English by default.
using platform::installEnglishPlurals;
Q_COREAPP_STARTUP_FUNCTION(installEnglishPlurals)

// ---- Construction -----------------------------------------------------------------------

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Wexlo"));
    setWindowIcon(QIcon(QStringLiteral(":/wexlo/desktop/wexlo-128.png")));
    today_ = platform::clock().today();
    todayIso_ = isoDate(today_);
    buildControls();
    buildMenu();
    buildLoanLife();
    buildLoanCommands();

    updateCheckTimer_ = new QTimer(this);
    updateCheckTimer_->setObjectName(QStringLiteral("updateCheckTimer"));
    updateCheckTimer_->setInterval(30000);
    connectGuarded(updateCheckTimer_, &QTimer::timeout, this, &MainWindow::runDelayedUpdateCheck,
                   mainwindowlog::kDelayedUpdateCheck, kModule);
    updateCheckTimer_->start();
    updateServer_ = updateschedule::updateServer(QCoreApplication::arguments());

    resize(platform::twips(kDesignWidth),
           platform::twips(kDesignHeight) + menuBar()->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    startUp();
    remindOfOverdue();
}

MainWindow::~MainWindow()
{
    // The list outlives this window's own part while its widgets are taken down and may still
    // paint then: the look of its rows must not reach into a window that is already gone.
    loanList_->setRowLook({});
}

void MainWindow::buildControls()
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

    loanList_ = new platform::ListView(client);
    loanList_->setTable(&loans_.table());
    entryPanel_ = new QGroupBox(client);
    exitButton_ = new QPushButton(entryPanel_);
    deleteButton_ = new QPushButton(entryPanel_);
    addButton_ = new QPushButton(entryPanel_);
    addressEdit_ = new QLineEdit(entryPanel_);
    phoneEdit_ = new QLineEdit(entryPanel_);
    borrowerEdit_ = new QLineEdit(entryPanel_);
    itemEdit_ = new QLineEdit(entryPanel_);
    phoneCaption_ = new QLabel(entryPanel_);
    addressCaption_ = new QLabel(entryPanel_);
    dateLabel_ = new platform::ClickLabel(entryPanel_);
    borrowerCaption_ = new QLabel(entryPanel_);
    itemCaption_ = new QLabel(entryPanel_);
    dateCaption_ = new QLabel(entryPanel_);

    // The frame's controls relative to the frame. The caption labels take no focus; the date
    // label does, after the fields it sits among. A box is read by its caption without the
    // colon; "Date:" names the date label, which is read as the date it shows.
    const std::initializer_list<platform::Control> table = {
        {loanList_,
         "loanList",
         nullptr,
         {144, 144, 6636, 2844},
         nullptr,
         QT_TRANSLATE_NOOP("wexlo::MainWindow", "Loans List")},
        {entryPanel_,
         "entryPanel",
         nullptr,
         {192, 3264, 6636, 1500},
         nullptr,
         QT_TRANSLATE_NOOP("wexlo::MainWindow", "Entry panel")},
        {exitButton_,
         "exitButton",
         QT_TRANSLATE_NOOP("wexlo::MainWindow", "Exit"),
         {5856, 912, 684, 492},
         nullptr,
         QT_TRANSLATE_NOOP("wexlo::MainWindow", "Exit")},
        {deleteButton_,
         "deleteButton",
         QT_TRANSLATE_NOOP("wexlo::MainWindow", "Delete"),
         {5856, 192, 684, 540},
         QT_TRANSLATE_NOOP("wexlo::MainWindow", "Deletes the selected loan item"),
         QT_TRANSLATE_NOOP("wexlo::MainWindow", "Delete")},
        {addressEdit_,
         "addressEdit",
         nullptr,
         {864, 1056, 4572, 300},
         nullptr,
         QT_TRANSLATE_NOOP("wexlo::MainWindow", "Address")},
        {phoneEdit_,
         "phoneEdit",
         nullptr,
         {4176, 672, 1260, 300},
         nullptr,
         QT_TRANSLATE_NOOP("wexlo::MainWindow", "Phone")},
        {addButton_,
         "addButton",
         QT_TRANSLATE_NOOP("wexlo::MainWindow", "Add Item"),
         {4272, 240, 1164, 300},
         nullptr,
         QT_TRANSLATE_NOOP("wexlo::MainWindow", "Add Item")},
        {borrowerEdit_,
         "borrowerEdit",
         nullptr,
         {2592, 624, 972, 300},
         nullptr,
         QT_TRANSLATE_NOOP("wexlo::MainWindow", "Lent To")},
        {itemEdit_,
         "itemEdit",
         nullptr,
         {624, 240, 3564, 300},
         nullptr,
         QT_TRANSLATE_NOOP("wexlo::MainWindow", "Item")},
        {phoneCaption_,
         "phoneCaption",
         QT_TRANSLATE_NOOP("wexlo::MainWindow", "Phone:"),
         {3600, 672, 540, 204},
         nullptr,
         QT_TRANSLATE_NOOP("wexlo::MainWindow", "Phone:"),
         phoneEdit_},
        {addressCaption_,
         "addressCaption",
         QT_TRANSLATE_NOOP("wexlo::MainWindow", "Address:"),
         {48, 1104, 732, 252},
         nullptr,
         QT_TRANSLATE_NOOP("wexlo::MainWindow", "Address:"),
         addressEdit_},
        {dateLabel_, "dateLabel", nullptr, {624, 624, 1128, 300}},
        {borrowerCaption_,
         "borrowerCaption",
         QT_TRANSLATE_NOOP("wexlo::MainWindow", "Lent To:"),
         {1776, 672, 732, 252},
         nullptr,
         QT_TRANSLATE_NOOP("wexlo::MainWindow", "Lent To:"),
         borrowerEdit_},
        {itemCaption_,
         "itemCaption",
         QT_TRANSLATE_NOOP("wexlo::MainWindow", "Item:"),
         {96, 288, 492, 252},
         nullptr,
         QT_TRANSLATE_NOOP("wexlo::MainWindow", "Item:"),
         itemEdit_},
        {dateCaption_,
         "dateCaption",
         QT_TRANSLATE_NOOP("wexlo::MainWindow", "Date:"),
         {96, 672, 492, 204},
         nullptr,
         QT_TRANSLATE_NOOP("wexlo::MainWindow", "Date:"),
         dateLabel_},
    };
    platform::layOut(table, "wexlo::MainWindow");
    for (const platform::Control& c : table)
        c.widget->setFont(client->font());
    // German and French captions are longer than the English ones the places were made for.
    platform::makeRoomForTexts({exitButton_, deleteButton_, addButton_, itemCaption_, dateCaption_,
                                borrowerCaption_, phoneCaption_, addressCaption_});

    for (QLabel* l : {phoneCaption_, dateCaption_, itemCaption_, borrowerCaption_, addressCaption_})
        l->setAlignment(Qt::AlignRight | Qt::AlignTop);
    dateLabel_->setAlignment(Qt::AlignCenter);
    dateLabel_->setFrameStyle(QFrame::Box | QFrame::Plain);
    dateLabel_->setLineWidth(1);
    dateLabel_->setAutoFillBackground(true);
    dateLabel_->setBackgroundRole(QPalette::Base);
    dateLabel_->setToolTip(QString());
    for (QPushButton* b : {exitButton_, deleteButton_, addButton_})
        b->setAutoDefault(false);

    connectGuarded(addButton_, &QPushButton::clicked, this, &MainWindow::addLoan,
                   mainwindowlog::kAddLoan, kModule);
    connectGuarded(deleteButton_, &QPushButton::clicked, this, &MainWindow::deleteSelectedLoans,
                   mainwindowlog::kDeleteLoans, kModule);
    connectGuarded(exitButton_, &QPushButton::clicked, this, &MainWindow::exitProgram,
                   mainwindowlog::kExitButton, kModule);
    connectGuarded(loanList_, &platform::ListView::columnClick, this, &MainWindow::sortByColumn,
                   mainwindowlog::kSortByColumn, kModule);
    connectGuarded(loanList_, &platform::ListView::itemClick, this, &MainWindow::showLoan,
                   mainwindowlog::kShowLoan, kModule);
    // A row reached by the keyboard shows its loan as a click does, so the panel and "Delete"
    // speak of the same row.
    connectGuarded(loanList_, &platform::ListView::currentRowKeyed, this, &MainWindow::showLoan,
                   mainwindowlog::kShowLoan, kModule);
    connectGuarded(dateLabel_, &platform::ClickLabel::clicked, this, &MainWindow::pickEntryDate,
                   mainwindowlog::kPickEntryDate, kModule);
    itemEdit_->installEventFilter(this);
    borrowerEdit_->installEventFilter(this);
}

void MainWindow::buildMenu()
{
    auto menu = [this](const QString& caption, const char* name) {
        QMenu* m = menuBar()->addMenu(caption);
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    auto action = [](QMenu* menu, const QString& caption, const char* name) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    fileMenu_ = menu(tr("File"), "fileMenu");
    printAction_ = action(fileMenu_, tr("Print List"), "printAction");
    printOverdueAction_ = action(fileMenu_, tr("Print &Overdue List"), "printOverdueAction");
    // The newer menus carry keyboard mnemonics (Alt+E, Alt+V), shown underlined.
    editMenu_ = menu(tr("&Edit"), "editMenu");
    setDueAction_ = action(editMenu_, tr("Set &Due Date..."), "setDueAction");
    clearDueAction_ = action(editMenu_, tr("&Clear Due Date"), "clearDueAction");
    editMenu_->addSeparator();
    markReturnedAction_ = action(editMenu_, tr("Mark &Returned"), "markReturnedAction");
    markReturnedAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    markNotReturnedAction_ = action(editMenu_, tr("Mark &Not Returned"), "markNotReturnedAction");
    viewMenu_ = menu(tr("&View"), "viewMenu");
    showDueAction_ = action(viewMenu_, tr("Show &Due Dates"), "showDueAction");
    overdueOnlyAction_ = action(viewMenu_, tr("&Overdue Only"), "overdueOnlyAction");
    showReturnedAction_ = action(viewMenu_, tr("Show &Returned Loans"), "showReturnedAction");
    for (QAction* a : {showDueAction_, overdueOnlyAction_, showReturnedAction_})
        a->setCheckable(true);
    toolsMenu_ = menu(tr("Tools"), "toolsMenu");
    checkForUpdateAction_ = action(toolsMenu_, tr("Check for Update"), "checkForUpdateAction");
    disableAutoCheckAction_ = action(toolsMenu_, tr("Disable automatic 'check for new version'"),
                                     "disableAutoCheckAction");
    disableAutoCheckAction_->setCheckable(true);
    helpMenu_ = menu(tr("Help"), "helpMenu");
    aboutAction_ = action(helpMenu_, tr("About"), "aboutAction");
    quitAction_ = menuBar()->addAction(tr("Quit"));
    quitAction_->setObjectName(QStringLiteral("quitAction"));

    // Each with the name the log has always given its handler.
    const std::tuple<QAction*, void (MainWindow::*)(), QString> handlers[] = {
        {printAction_, &MainWindow::printLoans, QStringLiteral("mnuPrint_Click")},
        {checkForUpdateAction_, &MainWindow::checkForUpdateNow, mainwindowlog::kCheckForUpdateNow},
        {disableAutoCheckAction_, &MainWindow::storeAutoCheckChoice,
         QStringLiteral("mnuAutoCheckDisabled_Click")},
        {aboutAction_, &MainWindow::showAbout, mainwindowlog::kShowAbout},
        {quitAction_, &MainWindow::exitProgram, QStringLiteral("mnuQuit_Click")},
        {printOverdueAction_, &MainWindow::printOverdueLoans,
         QStringLiteral("mnuPrintOverdue_Click")},
        {setDueAction_, &MainWindow::setDueDate, QStringLiteral("mnuSetDue_Click")},
        {clearDueAction_, &MainWindow::clearDueDate, QStringLiteral("mnuClearDue_Click")},
        {markReturnedAction_, &MainWindow::markReturned, QStringLiteral("mnuMarkReturned_Click")},
        {markNotReturnedAction_, &MainWindow::markNotReturned,
         QStringLiteral("mnuMarkNotReturned_Click")},
        {showDueAction_, &MainWindow::showDueColumn, QStringLiteral("mnuShowDue_Click")},
        {overdueOnlyAction_, &MainWindow::applyRowFilter, QStringLiteral("mnuOverdueOnly_Click")},
        {showReturnedAction_, &MainWindow::applyRowFilter,
         QStringLiteral("mnuShowReturned_Click")}};
    for (const auto& [a, handler, logName] : handlers)
        connectGuarded(a, &QAction::triggered, this, handler, logName, kModule);
}

// ---- Start-up ---------------------------------------------------------------------------

void MainWindow::startUp()
{
    // Each step that can fail is logged and the start goes on: a window without its splash
    // or its settings is still of use.
    ErrorRecorder on(mainwindowlog::kStartUp, kModule);
    std::unique_ptr<SplashWindow> splash;
    on([&] {
        splash = std::make_unique<SplashWindow>();
        splash->show();
        splash->showStatus(QStringLiteral("Starting up"));
        platform::eventPump().processEvents();
    });
    setEntryDate(platform::clock().today());
    loadLoans();
    if (loanList_->count() > 0) {
        loanList_->setSelected(0, true);
        loanList_->setCurrentRow(0);
        showLoan(0);
    }
    settingsPath_ = files::withSlash(platform::appFolder()) + QStringLiteral("Wexlo.ini");
    on([&] { settings::loadFile(settingsPath_); });
    on([&] {
        disableAutoCheckAction_->setChecked(
            settings::readSetting(QStringLiteral("DisableAutoUpdateCheck"), true).toBool());
        showDueAction_->setChecked(settings::readSetting(kShowDueDates, false).toBool());
    });
    loanList_->setColumnShown(field::Due, showDueAction_->isChecked());
    delay::waitSeconds(0.5f);
    on([&] {
        if (!splash)
            return;
        splash->hide();
        platform::eventPump().processEvents();
    });
    splash.reset();

    if (!dataReadable_)
        platform::message(this,
                          tr("The loans could not be read from %1.\n\nWexlo will not save "
                             "any changes until it is started again with a readable file.")
                              .arg(QDir::toNativeSeparators(dataFilePath())),
                          title(), platform::MsgButtons::Ok, platform::MsgIcon::Warning);
    if (dataReadable_) {
        watchDataFile();
        mergeConflictCopies();
    }
}

// ---- Loans and the data file ------------------------------------------------------------

QString MainWindow::dataFilePath() const
{
    return files::withSlash(platform::appFolder()) + QStringLiteral("datalist.txt");
}

bool MainWindow::loadLoans()
{
    if (undoStack_ != nullptr)
        undoStack_->clear();  // its steps speak of the loans now gone
    // Sorted as they go in: newest first, loans of one day in file order.
    loans_.sortBy(field::Date, Qt::DescendingOrder);
    disk_ = std::make_unique<LoansFileState>(dataFilePath());
    const loansfile::ReadResult read =
        loansfile::load(dataFilePath(), loans_,
                        [this](QByteArrayView bytes, std::vector<loanmerge::Hash>&& hashes) {
                            disk_->remember(bytes, std::move(hashes));
                        });
    dataReadable_ = read.readable;
    // Looked at again shortly, while the user is idle, so that the next save finds its stamp
    // trusted and need not read the file.
    if (diskCheck_ != nullptr)
        diskCheck_->start();
    if (read.orphans > 0)
        runGuarded(mainwindowlog::kLoadLoans, kModule, [&] {
            logging::writeLine(
                QStringLiteral("datalist.txt: %1 line(s) before the first DATE line skipped")
                    .arg(read.orphans));
        });
    return dataReadable_;
}

bool MainWindow::saveLoans()
{
    // A failed save is recorded as well as shown; the loans stay in the register to be saved
    // with the next change.
    ErrorRecorder on(mainwindowlog::kSaveLoans, kModule);
    auto notSaved = [this](const QString& why) {
        loansUnsaved_ = true;
        platform::message(this, tr("The loans were not saved: %1").arg(why), title(),
                          platform::MsgButtons::Ok, platform::MsgIcon::Warning);
        return false;
    };
    if (!dataReadable_)
        return notSaved(tr("%1 could not be read at start-up, and saving would replace it. "
                           "Start Wexlo again once the file can be read.")
                            .arg(QDir::toNativeSeparators(dataFilePath())));

    // Held while the file is read, merged and written, so that two programs never interleave.
    const std::unique_ptr<QLockFile> lock = disk_->lock();
    if (!lock && QFileInfo::exists(dataFilePath() + QStringLiteral(".lock")))
        logging::writeLine(QStringLiteral("datalist.txt.lock is held elsewhere; saving anyway"));
    mergeDiskChanges();

    QByteArray bytes;
    try {
        loansfile::write(loans_, [&bytes](const QByteArray& piece) { bytes += piece; });
    } catch (const std::exception&) {
        on.record(err::OutOfMemory, errorDescription(err::OutOfMemory));
        return notSaved(errorDescription(err::OutOfMemory) + QLatin1Char('.'));
    }
    int openError = 0;
    auto out = files::openForOutput(dataFilePath(), platform::FileAccess::Normal, &openError);
    if (!out) {
        if (openError != 0)
            on.record(openError, errorDescription(openError));
        return notSaved(tr("%1 could not be opened for writing.")
                            .arg(QDir::toNativeSeparators(dataFilePath())));
    }
    try {
        out->writeBytes(bytes);
        out->close();
    } catch (const RuntimeError& e) {
        on.record(e.number(), e.description());
        return notSaved(
            QStringLiteral("%1 (%2).").arg(shownDescription(e.description())).arg(e.number()));
    } catch (const std::exception&) {
        on.record(err::OutOfMemory, errorDescription(err::OutOfMemory));
        return notSaved(shownDescription(errorDescription(err::OutOfMemory)) + QLatin1Char('.'));
    }
    disk_->remember(bytes, loanmerge::hashesOf(loans_));
    // Looked at again shortly, while the user is idle, so that the next save finds its stamp
    // trusted and need not read the file.
    if (diskCheck_ != nullptr)
        diskCheck_->start();
    loansUnsaved_ = false;
    return true;
}

void MainWindow::setEntryDate(const QDate& date)
{
    entryDate_ = date;
    entryDateText_.clear();
    dateLabel_->setText(dateformat::shortDateText(date));
}

void MainWindow::showLoan(int row)
{
    const int at = loanList_->modelRow(row);
    const QString date = loans_.value(at, field::Date);
    QDate d;
    if (readDate(date, d)) {
        setEntryDate(d);
    } else {
        entryDate_ = QDate();
        entryDateText_ = date;
        dateLabel_->setText(date);
    }
    borrowerEdit_->setText(loans_.value(at, field::Borrower));
    itemEdit_->setText(loans_.value(at, field::Item));
    phoneEdit_->setText(loans_.value(at, field::Phone));
    addressEdit_->setText(loans_.value(at, field::Address));
    shownLoan_ = loans_.handle(at);
    showLife(at);
}

// ---- The user's operations --------------------------------------------------------------

void MainWindow::addLoan()
{
    if (itemEdit_->text().isEmpty()) {
        platform::message(this, tr("Please enter a description for the item"), title());
        return;
    }
    if (borrowerEdit_->text().isEmpty()) {
        platform::message(this, tr("Please enter a name for the person you are lending to"),
                          title());
        return;
    }
    const QString date = entryDate_.isValid() ? isoDate(entryDate_) : entryDateText_;
    using text::trimBlanks;
    Loan loan;
    loan.date = date;
    loan.borrower = trimBlanks(borrowerEdit_->text());
    loan.item = trimBlanks(itemEdit_->text());
    loan.phone = trimBlanks(phoneEdit_->text());
    loan.address = trimBlanks(addressEdit_->text());
    LoanChange change(loans_, {});
    const int added = loans_.add(loan);
    change.push(*undoStack_, tr("Add Loan"), [this] { loansStepped(); }, {added});
    saveLoans();
}

void MainWindow::deleteSelectedLoans()
{
    const QList<int> selected = loanList_->selectedRows();
    if (selected.isEmpty()) {
        platform::message(this, tr("Please select an item before trying to delete it"), title());
        return;
    }
    const QString question = selected.size() == 1
                                 ? tr("This will delete the selected entry. Are you sure?")
                                 : tr("This will delete all selected entries. Are you sure?");
    if (platform::message(this, question, title(), platform::MsgButtons::YesNo) !=
        platform::MsgAnswer::Yes)
        return;
    const QList<int> rows = selectedRows();
    LoanChange change(loans_, rows);
    loans_.remove(rows);
    change.push(*undoStack_, tr("Delete %n Loan(s)", nullptr, static_cast<int>(selected.size())),
                [this] { loansStepped(); });
    saveLoans();
}

void MainWindow::sortByColumn(int column)
{
    Qt::SortOrder order;
    if (column == loans_.sortField())
        order = loans_.sortOrder() == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    else
        order = column == field::Date ? Qt::DescendingOrder : Qt::AscendingOrder;
    loans_.sortBy(column, order);
}

void MainWindow::pickEntryDate()
{
    QDate shown = entryDate_;
    // A date label the date forms cannot read still opens the dialog, on no date.
    if (!shown.isValid())
        runGuarded(mainwindowlog::kPickEntryDate, kModule,
                   [&] { shown = dates::parseDate(dateLabel_->text()); });
    const QDate chosen = dates::askDate(tr("Enter date this item was lent"), shown, this);
    if (chosen.isValid() && dates::dayNumber(chosen) != 0)
        setEntryDate(chosen);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && (watched == itemEdit_ || watched == borrowerEdit_)) {
        const bool byMouse = static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason;
        // The whole text selected, so that typing replaces it.
        auto select = [watched] { text::selectAll(static_cast<QLineEdit*>(watched)); };
        if (byMouse)
            QTimer::singleShot(0, this, select);  // after the click has placed the cursor
        else
            select();
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- Menu -------------------------------------------------------------------------------

void MainWindow::showAbout()
{
    AboutDialog about(this);
    about.exec();
}

void MainWindow::storeAutoCheckChoice()
{
    // The checkable menu item has already flipped its mark.
    settings::writeSetting(QStringLiteral("DisableAutoUpdateCheck"),  // never fails
                           disableAutoCheckAction_->isChecked());
}

void MainWindow::printLoans() { printing::printLoans(this, *loanList_); }

// ---- A loan's life: due dates, returns, overdue loans -------------------------------------

namespace {

// A due or return date as the list and the panel show it: the short date form.
QString shownDate(const QString& iso)
{
    QDate d;
    return readDate(iso, d) ? dateformat::shortDateText(d) : iso;
}

}  // namespace

void MainWindow::buildLoanLife()
{
    // The two columns beyond the five, hidden until asked for.
    loanList_->setColumns({{tr("Date"), 1000},
                           {tr("Lent To"), 1200},
                           {tr("Item"), 4000},
                           {tr("Phone"), 900},
                           {tr("Address"), 3500},
                           {tr("Due"), 1000},
                           {tr("Returned"), 1000}});
    loanList_->setColumnShown(field::Due, false);
    loanList_->setColumnShown(field::Returned, false);
    loanList_->setRowLook([this](int m) {
        platform::ListView::Look look;
        const QString returned = loans_.value(m, field::Returned);
        if (!returned.isEmpty()) {
            look.tone = platform::ListView::Tone::Dimmed;
            look.note = tr("returned %1").arg(shownDate(returned));
            return look;
        }
        const QString due = loans_.value(m, field::Due);
        if (due.isEmpty())
            return look;
        if (isOverdue(m)) {
            look.tone = platform::ListView::Tone::Warning;
            look.note = tr("overdue, due %1").arg(shownDate(due));
        } else {
            look.note = tr("due %1").arg(shownDate(due));
        }
        return look;
    });
    applyRowFilter();

    // A line of the entry panel, in the free strip above the item box.
    lifeLabel_ = new QLabel(entryPanel_);
    lifeLabel_->setObjectName(QStringLiteral("lifeLabel"));
    lifeLabel_->setFont(entryPanel_->font());
    lifeLabel_->setGeometry(twipsRect(624, 20, 3564, 210));
    lifeLabel_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lifeLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    lifeLabel_->setFocusPolicy(Qt::NoFocus);

    connectGuarded(loanList_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                   &MainWindow::updateEditActions, mainwindowlog::kEditActions, kModule);
    updateEditActions();

    midnight_ = new QTimer(this);
    midnight_->setObjectName(QStringLiteral("midnight"));
    midnight_->setSingleShot(true);
    connectGuarded(midnight_, &QTimer::timeout, this, &MainWindow::midnightPassed,
                   mainwindowlog::kMidnight, kModule);
    armMidnight();
}

bool MainWindow::isOverdue(int row) const { return loans_.isOverdue(row, todayIso_); }

void MainWindow::applyRowFilter()
{
    const bool showReturned = showReturnedAction_ != nullptr && showReturnedAction_->isChecked();
    const bool overdueOnly = overdueOnlyAction_ != nullptr && overdueOnlyAction_->isChecked();
    loanList_->setRowFilter([this, showReturned, overdueOnly](int m) {
        if (overdueOnly)
            return isOverdue(m);
        return showReturned || !loans_.isReturned(m);
    });
    loanList_->setColumnShown(field::Returned, showReturned);
}

QList<int> MainWindow::selectedRows() const
{
    QList<int> rows;
    for (int r : loanList_->selectedRows())
        rows.append(loanList_->modelRow(r));
    return rows;
}

void MainWindow::updateEditActions()
{
    bool any = false, active = false, returned = false, due = false;
    for (int m : selectedRows()) {
        any = true;
        const bool isReturned = loans_.isReturned(m);
        returned = returned || isReturned;
        active = active || !isReturned;
        due = due || !loans_.value(m, field::Due).isEmpty();
    }
    setDueAction_->setEnabled(any);
    clearDueAction_->setEnabled(due);
    markReturnedAction_->setEnabled(active);
    markNotReturnedAction_->setEnabled(returned);
}

void MainWindow::setLifeDate(const QList<int>& rows, int field, const QString& iso)
{
    if (rows.isEmpty())
        return;
    LoanChange change(loans_, rows);
    if (field == field::Due)
        loans_.setDue(rows, iso);
    else
        loans_.setReturned(rows, iso);
    change.push(*undoStack_, lifeStepText(field, iso, rows.size()), [this] { loansStepped(); });
    saveLoans();
    updateEditActions();
    // The panel follows the loan it shows, wherever it went.
    const int shown = loans_.rowOf(shownLoan_);
    if (shown >= 0)
        showLife(shown);
}

void MainWindow::showLife(int m)
{
    QStringList parts;
    const QString due = loans_.value(m, field::Due);
    const QString returned = loans_.value(m, field::Returned);
    if (!due.isEmpty())
        parts.append((isOverdue(m) ? tr("Due: %1 (overdue)") : tr("Due: %1")).arg(shownDate(due)));
    if (!returned.isEmpty())
        parts.append(tr("Returned: %1").arg(shownDate(returned)));
    lifeLabel_->setText(parts.join(QStringLiteral("    ")));
}

void MainWindow::setDueDate()
{
    const QList<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    const QDate chosen =
        dates::askDate(tr("Enter date this item is due back"), today_.addDays(14), this);
    if (!chosen.isValid() || dates::dayNumber(chosen) == 0)
        return;
    // The first due date ever set shows the column; after that it stays as the user left it.
    if (settings::readSetting(kShowDueDates).isEmpty()) {
        showDueAction_->setChecked(true);
        showDueColumn();
    }
    setLifeDate(rows, field::Due, isoDate(chosen));
}

void MainWindow::clearDueDate() { setLifeDate(selectedRows(), field::Due, QString()); }

void MainWindow::markReturned()
{
    QList<int> rows;
    for (int m : selectedRows())
        if (!loans_.isReturned(m))
            rows.append(m);
    setLifeDate(rows, field::Returned, todayIso_);
}

void MainWindow::markNotReturned()
{
    QList<int> rows;
    for (int m : selectedRows())
        if (loans_.isReturned(m))
            rows.append(m);
    setLifeDate(rows, field::Returned, QString());
}

void MainWindow::showDueColumn()
{
    loanList_->setColumnShown(field::Due, showDueAction_->isChecked());
    settings::writeSetting(kShowDueDates, showDueAction_->isChecked());
}

void MainWindow::printOverdueLoans()
{
    printing::printOverdueLoans(this, *loanList_, [this](int m) { return isOverdue(m); });
}

void MainWindow::armMidnight()
{
    const QDateTime now = platform::clock().now();
    const QDateTime next(now.date().addDays(1), QTime(0, 0));
    // A little after midnight, so that the clock reads the new day; never a busy loop.
    const qint64 ms = std::clamp<qint64>(now.msecsTo(next) + 50, 1000, 24LL * 3600 * 1000);
    midnight_->start(static_cast<int>(ms));
}

void MainWindow::midnightPassed()
{
    const QDate now = platform::clock().today();
    if (now != today_) {
        today_ = now;
        todayIso_ = isoDate(now);
        loanList_->refreshLooks();
        const int shown = loans_.rowOf(shownLoan_);
        if (shown >= 0)
            showLife(shown);
        updateEditActions();
    }
    armMidnight();
}

// ---- The update check --------------------------------------------------------------------

void MainWindow::runDelayedUpdateCheck()
{
    // Once per program start at most.
    updateCheckTimer_->stop();
    if (!updateschedule::autoCheckDisabled() && updateschedule::checkDue())
        checkForUpdate(true);
}

void MainWindow::checkForUpdateNow()
{
    // A check asked for by hand replaces the automatic one of this run.
    updateCheckTimer_->stop();
    checkForUpdate(false);
}

void MainWindow::checkForUpdate(bool quiet)
{
    runGuarded(mainwindowlog::kCheckForUpdate, kModule, [&] {
        if (!updateWindow_) {
            updateWindow_ = new UpdateWindow(this);
            connectGuarded(updateWindow_, &UpdateWindow::closed, this,
                           &MainWindow::updateWindowClosed, mainwindowlog::kUpdateWindowClosed,
                           kModule);
            connectGuarded(updateWindow_, &UpdateWindow::installRequested, this,
                           &MainWindow::installUpdate, mainwindowlog::kInstallUpdate, kModule);
        }
        updateWindow_->checkForUpdate(quiet, updateschedule::versionFileUrl(updateServer_),
                                      updateschedule::detailsFileUrl(updateServer_),
                                      updateschedule::packageFileName(), QString());
    });
}

UpdateWindow* MainWindow::updateWindow() const { return updateWindow_; }

void MainWindow::updateWindowClosed()
{
    // The update window has its own way of switching the automatic check.
    disableAutoCheckAction_->setChecked(
        settings::readSetting(QStringLiteral("DisableAutoUpdateCheck"), true).toBool());
}

void MainWindow::releaseUpdateWindow()
{
    if (!updateWindow_)
        return;
    updateWindow_->disconnect(this);
    updateWindow_->hide();
    updateWindow_->deleteLater();
    updateWindow_ = nullptr;
}

void MainWindow::installUpdate()
{
    ErrorRecorder on(mainwindowlog::kInstallUpdate, kModule);
    const QString folder = files::withSlash(platform::appFolder());
    QString updaterProgram = folder + QStringLiteral("Updater.exe");
    const QString package = folder + updateschedule::packageFileName();
    // What the update window checked is what the updater is handed.
    const updater::CheckedPackage checked =
        updateWindow_ ? updateWindow_->checkedPackage() : updater::CheckedPackage{package, {}};
    hide();
    platform::eventPump().processEvents();
    // The update window is inside its own signal: it goes once that has finished.
    releaseUpdateWindow();
    // The updater is not started on a note that was not written whole (which was reported
    // where it was written).
    bool started = false;
    on([&] {
        if (!files::writeText(folder + QStringLiteral("updater.ini"),
                              updateschedule::packageFileName()))
            return;
        const updater::InstallerStart start = updater::startInstaller(
            platform::appFolder(), windowTitle(), checked, QCoreApplication::applicationFilePath(),
            QCoreApplication::arguments().mid(1));
        updaterProgram = start.program;
        if (!start.started)
            raiseError(files::exists(start.program) ? err::PathFileAccessError : err::FileNotFound);
        started = true;
    });
    if (!started) {
        // Ending now would look as if the update were being installed while nothing is.
        show();
        platform::message(this,
                          tr("The updater could not be started: %1\nThe update package was kept "
                             "at %2, and Wexlo keeps running.")
                              .arg(updaterProgram, package),
                          programTitle(), platform::MsgButtons::Ok, platform::MsgIcon::Warning);
        return;
    }
    exitProgram();
}

// ---- Layout -----------------------------------------------------------------------------

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    layOutControls();
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && !isMinimized())
        layOutControls();
    // Some filesystems (network shares, USB sticks) tell no watcher of a change.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && diskCheck_ != nullptr)
        diskCheck_->start();
}

void MainWindow::layOutControls()
{
    runGuarded(mainwindowlog::kLayOut, kModule, [&] {
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
        const int frameH = toTwips(entryPanel_->height());
        const int frameW = toTwips(entryPanel_->width());
        const int listW = w - 300;
        const int listLeft = (w - listW) / 2;
        const int listTop = 50;
        const int listH = std::max(0, h - listTop - frameH - bars - 200);
        loanList_->setGeometry(twipsRect(listLeft, listTop, listW, listH));
        entryPanel_->move(platform::twips((w - frameW) / 2), platform::twips(listH + listTop + 10));
        if (findBar_ != nullptr)
            findBar_->fitUnder();
    });
}

// ---- Closing ----------------------------------------------------------------------------

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Only a close from the window's own controls (close button, system menu, Alt+F4) comes
    // from the window system; the program's own closes go ahead as they are.
    if (!exiting_ && event->spontaneous())
        exitProgram();
    event->accept();
}

void MainWindow::exitProgram()
{
    if (exiting_)
        return;
    exiting_ = true;
    ErrorRecorder on(mainwindowlog::kExitProgram, kModule);
    // Loans that a failed save left only in the window get one more chance before they go.
    if (loansUnsaved_ && dataReadable_)
        saveLoans();
    // The settings not saved, the program still ends.
    on([&] { settings::saveFile(settingsPath_); });
    hide();
    platform::eventPump().processEvents();
    // Without its close handling, which would store its check box after the settings were saved.
    releaseUpdateWindow();
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
