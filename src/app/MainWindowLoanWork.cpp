// The main window's commands for working with many loans: find as you type, undo and redo of
// every change of the register, the export of every loan to a spreadsheet, and the reminder of
// overdue loans.

#include "app/CsvExport.h"
#include "app/FindBar.h"
#include "app/LoanCommands.h"
#include "app/LoansFile.h"
#include "app/MainWindow.h"

#include "platform/FileDialog.h"
#include "platform/ListView.h"
#include "platform/Notifier.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"
#include "shared/dates/DateFormat.h"
#include "shared/dates/DateParser.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/settings/Settings.h"
#include "shared/util/Pointer.h"
#include "shared/util/ProgramInfo.h"

#include <QAction>
#include <QDir>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QUndoStack>

#include <string_view>

namespace wexlo {

using loansfile::readDate;

namespace {
const QString kRemindOverdue = QStringLiteral("RemindOverdueLoans");
const QString kLastReminder = QStringLiteral("LastOverdueReminder");
}  // namespace

void MainWindow::buildLoanCommands()
{
    undoStack_ = new QUndoStack(this);
    undoStack_->setObjectName(QStringLiteral("undoStack"));
    // "Undo Delete 2 Loans": the stack names the step it would undo or redo. The texts are set
    // here, not by the stack's prefix, so that a language can word it its own way
    // ("Rückgängig: ...") and still read plain when there is no step.
    undoAction_ = undoStack_->createUndoAction(this);
    undoAction_->setObjectName(QStringLiteral("undoAction"));
    undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction_ = undoStack_->createRedoAction(this);
    redoAction_->setObjectName(QStringLiteral("redoAction"));
    // The stack renames its step once more while the window is being destroyed: these hold the
    // actions themselves, not the window.
    QAction* undo = undoAction_;
    QAction* redo = redoAction_;
    const auto nameUndo = [undo](const QString& step) {
        undo->setText(step.isEmpty() ? MainWindow::tr("&Undo")
                                     : MainWindow::tr("&Undo %1").arg(step));
    };
    const auto nameRedo = [redo](const QString& step) {
        redo->setText(step.isEmpty() ? MainWindow::tr("&Redo")
                                     : MainWindow::tr("&Redo %1").arg(step));
    };
    // Connected after the stack's own naming, so these have the last word.
    connect(undoStack_, &QUndoStack::undoTextChanged, undoAction_, nameUndo);
    connect(undoStack_, &QUndoStack::redoTextChanged, redoAction_, nameRedo);
    nameUndo(undoStack_->undoText());
    nameRedo(undoStack_->redoText());
    redoAction_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    QAction* first = editMenu_->actions().value(0);
    editMenu_->insertAction(first, undoAction_);
    editMenu_->insertAction(first, redoAction_);
    editMenu_->insertSeparator(first);

    editMenu_->addSeparator();
    findAction_ = editMenu_->addAction(tr("&Find..."));
    findAction_->setObjectName(QStringLiteral("findAction"));
    findAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    connectGuarded(findAction_, &QAction::triggered, this, &MainWindow::openFindBar,
                   mainwindowlog::kOpenFindBar, mainwindowlog::kModule);

    exportCsvAction_ = new QAction(tr("&Export to CSV..."), this);
    exportCsvAction_->setObjectName(QStringLiteral("exportCsvAction"));
    fileMenu_->insertAction(printAction_, exportCsvAction_);
    fileMenu_->insertSeparator(printAction_);
    connectGuarded(exportCsvAction_, &QAction::triggered, this, &MainWindow::exportCsv,
                   mainwindowlog::kExportCsv, mainwindowlog::kModule);

    viewMenu_->addSeparator();
    remindOverdueAction_ = viewMenu_->addAction(tr("Remind &Me of Overdue Loans"));
    remindOverdueAction_->setObjectName(QStringLiteral("remindOverdueAction"));
    remindOverdueAction_->setCheckable(true);
    remindOverdueAction_->setChecked(true);  // the setting is read once the settings are loaded
    connectGuarded(remindOverdueAction_, &QAction::triggered, this,
                   &MainWindow::storeReminderChoice, mainwindowlog::kStoreReminderChoice,
                   mainwindowlog::kModule);

    findBar_ = new FindBar(loanList_, loanList_->parentWidget());
    findBar_->setFont(loanList_->parentWidget()->font());
    // Reached from the list by Tab while shown.
    setTabOrder(loanList_, findBar_->findEdit());
    setTabOrder(findBar_->findEdit(), findBar_->closeButton());
    setTabOrder(findBar_->closeButton(), exitButton_);
    connect(findBar_, &FindBar::shownChanged, this, [this] { layOutControls(); });
}

void MainWindow::openFindBar() { findBar_->open(); }

void MainWindow::loansStepped()
{
    saveLoans();
    updateEditActions();
    const int shown = loans_.rowOf(shownLoan_);
    if (shown >= 0)
        showLife(shown);
}

QString MainWindow::lifeStepText(int column, const QString& iso, qsizetype count) const
{
    const int n = static_cast<int>(count);
    if (column == field::Due)
        return iso.isEmpty() ? tr("Clear Due Date(s) of %n Loan(s)", nullptr, n)
                             : tr("Set Due Date of %n Loan(s)", nullptr, n);
    return iso.isEmpty() ? tr("Mark %n Loan(s) Not Returned", nullptr, n)
                         : tr("Mark %n Loan(s) Returned", nullptr, n);
}

void MainWindow::exportCsv()
{
    const QString path = platform::fileDialog().saveFileName(
        this, tr("Export to CSV"), QDir::home().filePath(QStringLiteral("loans.csv")),
        tr("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    // Every loan, shown or not, in model order: the active ones as the list sorts them, then
    // the returned ones.
    const QByteArray bytes = csvexport::format(
        loans_.count(), [this](int row, int column) { return loans_.value(row, column); });
    try {
        csvexport::write(path, bytes);
    } catch (const RuntimeError& e) {
        ErrorRecorder on(mainwindowlog::kExportCsv, mainwindowlog::kModule);
        on.record(e.number(), e.description());
        platform::message(
            this,
            tr("The loans were not exported to %1: %2 (%3).")
                .arg(QDir::toNativeSeparators(path), shownDescription(e.description()))
                .arg(e.number()),
            programTitle(), platform::MsgButtons::Ok, platform::MsgIcon::Warning);
    }
}

void MainWindow::storeReminderChoice()
{
    settings::writeSetting(kRemindOverdue, remindOverdueAction_->isChecked());
}

void MainWindow::remindOfOverdue()
{
    ErrorRecorder on(mainwindowlog::kRemindOfOverdue, mainwindowlog::kModule);
    on([&] {
        remindOverdueAction_->setChecked(settings::readSetting(kRemindOverdue, true).toBool());
    });
    if (!remindOverdueAction_->isChecked())
        return;
    const int today = static_cast<int>(dates::dayNumber(today_));
    bool remindedToday = false;
    on([&] {
        remindedToday =
            settings::readSetting(kLastReminder).toText().trimmed() == QString::number(today);
    });
    if (remindedToday)
        return;
    // The oldest is the one that has waited longest: the earliest due date (the earliest lent
    // among equal ones).
    int count = 0;
    int oldest = -1;
    for (int m = 0; m < loans_.count(); ++m) {
        if (!isOverdue(m))
            continue;
        ++count;
        if (oldest < 0)
            oldest = m;
        const auto key = [this](int row) {
            auto bytes = [this, row](int column) {
                const QUtf8StringView v = loans_.utf8(row, column);
                return std::string_view(v.data(), static_cast<size_t>(v.size()));
            };
            return std::make_pair(bytes(field::Due), bytes(field::Date));
        };
        if (key(m) < key(oldest))
            oldest = m;
    }
    if (count == 0)
        return;
    QDate due;
    readDate(loans_.value(oldest, field::Due), due);
    const QString summary =
        tr("%1 loan(s) overdue", nullptr, count).arg(platform::locale().locale().toString(count));
    const QString body =
        tr("The oldest: %1, lent to %2, was due %3.")
            .arg(loans_.value(oldest, field::Item), loans_.value(oldest, field::Borrower),
                 dateformat::shortDateText(due));
    // Remembered only once a notification was shown, so a desktop without the service asks
    // again at the next start.
    platform::notifier().notify(summary, body, [today](bool shown) {
        if (shown)
            settings::writeSetting(kLastReminder, QString::number(today));
    });
}

}  // namespace wexlo
