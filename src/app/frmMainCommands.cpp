// The main window's commands for working with many loans: find as you type, and undo and redo
// of every change of the loans, and the export of every loan to a spreadsheet.

#include "app/CsvExport.h"
#include "app/FindBar.h"
#include "app/LoanCommands.h"
#include "app/LoansFile.h"
#include "app/frmMain.h"

#include "platform/FileDialog.h"
#include "platform/ListView.h"
#include "platform/Notifier.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"
#include "shared/dates/DateParser.h"
#include "shared/dates/DateFormat.h"
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

using namespace loansfile;

namespace {
const QString kRemindOverdue = QStringLiteral("RemindOverdueLoans");
const QString kLastReminder = QStringLiteral("LastOverdueReminder");
}  // namespace

void frmMain::buildLoanCommands()
{
    undoStack = new QUndoStack(this);
    undoStack->setObjectName(QStringLiteral("undoStack"));
    // "Undo Delete 2 Loans": the stack names the step it would undo or redo.
    mnuUndo = undoStack->createUndoAction(this, QStringLiteral("&Undo"));
    mnuUndo->setObjectName(QStringLiteral("mnuUndo"));
    mnuUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnuRedo = undoStack->createRedoAction(this, QStringLiteral("&Redo"));
    mnuRedo->setObjectName(QStringLiteral("mnuRedo"));
    mnuRedo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    QAction* first = mnuEdit->actions().value(0);
    mnuEdit->insertAction(first, mnuUndo);
    mnuEdit->insertAction(first, mnuRedo);
    mnuEdit->insertSeparator(first);

    mnuEdit->addSeparator();
    mnuFind = mnuEdit->addAction(QStringLiteral("&Find..."));
    mnuFind->setObjectName(QStringLiteral("mnuFind"));
    mnuFind->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(mnuFind, &QAction::triggered, this, [this] {
        runGuarded(QStringLiteral("mnuFind_Click"), QStringLiteral("frmMain"),
                   [this] { mnuFind_Click(); });
    });

    mnuExportCsv = new QAction(QStringLiteral("&Export to CSV..."), this);
    mnuExportCsv->setObjectName(QStringLiteral("mnuExportCsv"));
    mnuFile->insertAction(mnuPrint, mnuExportCsv);
    mnuFile->insertSeparator(mnuPrint);
    connect(mnuExportCsv, &QAction::triggered, this, [this] {
        runGuarded(QStringLiteral("mnuExportCsv_Click"), QStringLiteral("frmMain"),
                   [this] { mnuExportCsv_Click(); });
    });

    mnuView->addSeparator();
    mnuRemindOverdue = mnuView->addAction(QStringLiteral("Remind &Me of Overdue Loans"));
    mnuRemindOverdue->setObjectName(QStringLiteral("mnuRemindOverdue"));
    mnuRemindOverdue->setCheckable(true);
    mnuRemindOverdue->setChecked(true);  // the setting is read once the settings are loaded
    connect(mnuRemindOverdue, &QAction::triggered, this, [this] {
        runGuarded(QStringLiteral("mnuRemindOverdue_Click"), QStringLiteral("frmMain"),
                   [this] { mnuRemindOverdue_Click(); });
    });

    findBar = new FindBar(ListView1, ListView1->parentWidget());
    findBar->setFont(ListView1->parentWidget()->font());
    // Reached from the list by Tab while shown.
    setTabOrder(ListView1, findBar->txtFind);
    setTabOrder(findBar->txtFind, findBar->cmdFindClose);
    setTabOrder(findBar->cmdFindClose, cmdExit);
    connect(findBar, &FindBar::shownChanged, this, [this] { Form_Resize(); });
}

void frmMain::mnuFind_Click() { findBar->open(); }

void frmMain::loansStepped()
{
    SaveList();
    updateEditActions();
    const int shown = ListView1->modelRow(shownLoan_);
    if (shown >= 0)
        showLife(shown);
}

QString frmMain::lifeStepText(int column, const QString& iso, qsizetype count) const
{
    if (column == ColDue)
        return iso.isEmpty() ? loansText(QStringLiteral("Clear Due Date"),
                                         QStringLiteral("Clear Due Dates of %1 Loans"), count)
                             : loansText(QStringLiteral("Set Due Date"),
                                         QStringLiteral("Set Due Date of %1 Loans"), count);
    return iso.isEmpty() ? loansText(QStringLiteral("Mark Loan Not Returned"),
                                     QStringLiteral("Mark %1 Loans Not Returned"), count)
                         : loansText(QStringLiteral("Mark Loan Returned"),
                                     QStringLiteral("Mark %1 Loans Returned"), count);
}

void frmMain::mnuExportCsv_Click()
{
    const QString path = platform::fileDialog().saveFileName(
        this, QStringLiteral("Export to CSV"), QDir::home().filePath(QStringLiteral("loans.csv")),
        QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    // Every loan, shown or not, in model order: the active ones as the list sorts them, then
    // the returned ones.
    const QByteArray bytes = csvexport::format(
        ListView1->modelCount(),
        [this](int row, int column) { return ListView1->modelCell(row, column); });
    try {
        csvexport::write(path, bytes);
    } catch (const RuntimeError& e) {
        ErrorRecorder on(QStringLiteral("mnuExportCsv_Click"), QStringLiteral("frmMain"));
        on.record(e.number(), e.description());
        platform::message(this,
                          QStringLiteral("The loans were not exported to %1: %2 (%3).")
                              .arg(QDir::toNativeSeparators(path), e.description())
                              .arg(e.number()),
                          programTitle(), platform::MsgButtons::Ok,
                          platform::MsgIcon::Warning);
    }
}

void frmMain::mnuRemindOverdue_Click()
{
    settings::writeSetting(kRemindOverdue, mnuRemindOverdue->isChecked());
}

void frmMain::remindOfOverdue()
{
    ErrorRecorder on(QStringLiteral("remindOfOverdue"), QStringLiteral("frmMain"));
    on([&] {
        mnuRemindOverdue->setChecked(settings::readSetting(kRemindOverdue, true).toBool());
    });
    if (!mnuRemindOverdue->isChecked())
        return;
    const int today = static_cast<int>(dates::dayNumber(today_));
    bool remindedToday = false;
    on([&] {
        remindedToday = settings::readSetting(kLastReminder).toText().trimmed() ==
                        QString::number(today);
    });
    if (remindedToday)
        return;
    // The oldest is the one that has waited longest: the earliest due date (the earliest lent
    // among equal ones).
    int count = 0;
    int oldest = -1;
    for (int m = 0; m < ListView1->modelCount(); ++m) {
        if (!isOverdue(m))
            continue;
        ++count;
        if (oldest < 0)
            oldest = m;
        const auto key = [this](int row) {
            auto bytes = [this, row](int column) {
                const QUtf8StringView v = ListView1->modelCellUtf8(row, column);
                return std::string_view(v.data(), static_cast<size_t>(v.size()));
            };
            return std::make_pair(bytes(ColDue), bytes(ColDate));
        };
        if (key(m) < key(oldest))
            oldest = m;
    }
    if (count == 0)
        return;
    QDate due;
    readDate(ListView1->modelCell(oldest, ColDue), due);
    const QString summary = count == 1 ? QStringLiteral("1 loan is overdue")
                                       : QStringLiteral("%1 loans are overdue")
                                             .arg(platform::locale().locale().toString(count));
    const QString body =
        QStringLiteral("The oldest: %1, lent to %2, was due %3.")
            .arg(ListView1->modelCell(oldest, ColItem), ListView1->modelCell(oldest, ColLentTo),
                 dateformat::shortDateText(due));
    // Remembered only once a notification was shown, so a desktop without the service asks
    // again at the next start.
    platform::notifier().notify(summary, body, [today](bool shown) {
        if (shown)
            settings::writeSetting(kLastReminder, QString::number(today));
    });
}

}  // namespace wexlo
