#pragma once

// The program's main window: the loans list, the entry panel for one loan, the menu, the
// start-up sequence and the shutdown procedure. The loans live in the register the window
// holds; the list only shows them.

#include "app/register/LoanRegister.h"

#include <QDate>
#include <QMainWindow>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>

class QAction;
class QCloseEvent;
class QFileSystemWatcher;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;
class QUndoStack;

namespace wexlo::platform {
class ClickLabel;
class ListView;
}  // namespace wexlo::platform

namespace wexlo {

class FindBar;
class LoansFileState;
class UpdateWindow;
class MainWindowAccess;

// The names the log gives this window and its procedures, as it always has.
namespace mainwindowlog {
inline const QString kModule = QStringLiteral("frmMain");
inline const QString kStartUp = QStringLiteral("Form_Load");
inline const QString kLayOut = QStringLiteral("Form_Resize");
inline const QString kLoadLoans = QStringLiteral("LoadList");
inline const QString kSaveLoans = QStringLiteral("SaveList");
inline const QString kExitProgram = QStringLiteral("ExitProgram");
inline const QString kAddLoan = QStringLiteral("cmdAdd_Click");
inline const QString kDeleteLoans = QStringLiteral("cmdDelete_Click");
inline const QString kExitButton = QStringLiteral("cmdExit_Click");
inline const QString kSortByColumn = QStringLiteral("ListView1_ColumnClick");
inline const QString kShowLoan = QStringLiteral("ListView1_ItemClick");
inline const QString kPickEntryDate = QStringLiteral("lblDate_click");
inline const QString kShowAbout = QStringLiteral("mnuabout_click");
inline const QString kDelayedUpdateCheck = QStringLiteral("timer3_timer");
inline const QString kCheckForUpdateNow = QStringLiteral("mnucheckversion_click");
inline const QString kCheckForUpdate = QStringLiteral("checkforupdate");
inline const QString kUpdateWindowClosed = QStringLiteral("updater_FormClosed");
inline const QString kInstallUpdate = QStringLiteral("updater_installfile");
inline const QString kEditActions = QStringLiteral("updateEditActions");
inline const QString kMidnight = QStringLiteral("midnightPassed");
inline const QString kRemindOfOverdue = QStringLiteral("remindOfOverdue");
inline const QString kOpenFindBar = QStringLiteral("mnuFind_Click");
inline const QString kExportCsv = QStringLiteral("mnuExportCsv_Click");
inline const QString kStoreReminderChoice = QStringLiteral("mnuRemindOverdue_Click");
inline const QString kSyncWithDisk = QStringLiteral("syncWithDisk");
inline const QString kMergeConflictCopies = QStringLiteral("mergeConflictCopies");
}  // namespace mainwindowlog

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // ---- Loans and the data file -------------------------------------------------------
    // Fills the register from datalist.txt, newest first. False when the file exists but
    // could not be read; then nothing is saved until the next start.
    bool loadLoans();
    // Replaces datalist.txt with every loan of the register. False (after telling the user)
    // when the loans could not be saved.
    bool saveLoans();
    QString dataFilePath() const;
    // The file as others left it (another window, a sync tool) merged into the register and
    // shown; anything the window has that the file lacks is written back. Runs when the file
    // or its folder changes and when the window is activated.
    void syncWithDisk();
    // Copies of the loans file that sync tools left beside it: their loans merged in and saved,
    // the copies moved into "conflicts" beside the file, the user told once.
    void mergeConflictCopies();
    bool dataFileReadable() const { return dataReadable_; }
    const LoanRegister& loans() const { return loans_; }

    // Copies the loan at a display position of the list into the entry fields.
    void showLoan(int row);
    // The date lent shown in the entry panel (null while it shows a loan's unreadable date).
    QDate entryDate() const { return entryDate_; }

    void exitProgram();

    // ---- What the user does --------------------------------------------------------------
    void addLoan();
    void deleteSelectedLoans();
    void sortByColumn(int column);  // the column clicked (0-based)
    void pickEntryDate();
    void showAbout();
    void storeAutoCheckChoice();
    void printLoans();
    void checkForUpdateNow();
    void printOverdueLoans();
    void setDueDate();
    void clearDueDate();
    void markReturned();
    void markNotReturned();
    void showDueColumn();
    void applyRowFilter();
    void openFindBar();
    void exportCsv();
    void storeReminderChoice();
    // At start-up: a desktop notification of the overdue loans, once a day, unless switched off.
    void remindOfOverdue();

    // A loan (by its place in the register, shown or not) is overdue: due before today, not
    // returned.
    bool isOverdue(int row) const;
    // Today as the overdue rule sees it; moves on at midnight.
    QDate today() const { return today_; }

    // ---- The update check --------------------------------------------------------------
    // The one update window, created at the first check and kept (none before).
    UpdateWindow* updateWindow() const;
    // The server the checks ask (the maker's, or --update-server from the command line).
    void setUpdateServer(const QString& server) { updateServer_ = server; }
    // Half a minute after start-up, once: the automatic check, when it is due.
    void runDelayedUpdateCheck();
    void checkForUpdate(bool quiet);
    // The update window downloaded a package: the updater takes over and the program ends.
    void installUpdate();

Q_SIGNALS:
    // The exit procedure has finished: the program should end.
    void programEnded();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class MainWindowAccess;

    void buildControls();
    void buildMenu();
    void buildLoanLife();
    void buildLoanCommands();
    void startUp();
    void layOutControls();
    void setEntryDate(const QDate& date);
    void updateWindowClosed();
    void releaseUpdateWindow();
    QList<int> selectedRows() const;  // places in the register
    void setLifeDate(const QList<int>& rows, int field, const QString& iso);
    void showLife(int row);
    void updateEditActions();
    void armMidnight();
    void midnightPassed();
    // After a step was undone or redone: saved, and the menus and the panel follow.
    void loansStepped();
    QString lifeStepText(int field, const QString& iso, qsizetype count) const;
    void watchDataFile();
    // Merges what another program wrote to the file since it was last read or written (the
    // caller holds the lock). True when the register now has loans the file lacks.
    bool mergeDiskChanges();

    LoanRegister loans_;

    platform::ListView* loanList_ = nullptr;
    QGroupBox* entryPanel_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QLineEdit* addressEdit_ = nullptr;
    QLineEdit* phoneEdit_ = nullptr;
    QLineEdit* borrowerEdit_ = nullptr;
    QLineEdit* itemEdit_ = nullptr;
    platform::ClickLabel* dateLabel_ = nullptr;
    QLabel* dateCaption_ = nullptr;
    QLabel* itemCaption_ = nullptr;
    QLabel* borrowerCaption_ = nullptr;
    QLabel* addressCaption_ = nullptr;
    QLabel* phoneCaption_ = nullptr;
    // The selected loan's due and return dates, on a line of the entry panel (empty without).
    QLabel* lifeLabel_ = nullptr;
    FindBar* findBar_ = nullptr;

    QMenu* fileMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    QMenu* toolsMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QAction* printAction_ = nullptr;
    QAction* printOverdueAction_ = nullptr;
    QAction* exportCsvAction_ = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    QAction* setDueAction_ = nullptr;
    QAction* clearDueAction_ = nullptr;
    QAction* markReturnedAction_ = nullptr;
    QAction* markNotReturnedAction_ = nullptr;
    QAction* findAction_ = nullptr;
    QAction* showDueAction_ = nullptr;
    QAction* overdueOnlyAction_ = nullptr;
    QAction* showReturnedAction_ = nullptr;
    QAction* remindOverdueAction_ = nullptr;
    QAction* checkForUpdateAction_ = nullptr;
    QAction* disableAutoCheckAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
    QAction* quitAction_ = nullptr;
    QUndoStack* undoStack_ = nullptr;
    QTimer* updateCheckTimer_ = nullptr;
    QTimer* midnight_ = nullptr;
    QPointer<UpdateWindow> updateWindow_;
    std::unique_ptr<LoansFileState> disk_;  // what datalist.txt held when last read or written
    QFileSystemWatcher* watcher_ = nullptr;
    QTimer* diskCheck_ = nullptr;  // gathers a burst of file events into one check
    QStringList conflictsTold_;    // conflict copies taken in this run (the user was told)

    QString settingsPath_;  // the settings file's full path, set at start-up
    QDate entryDate_;
    QString entryDateText_;  // a loan's date text that is not a date, shown as it is
    QDate today_;
    QString todayIso_;
    QPersistentModelIndex shownLoan_;  // the loan the entry panel shows
    bool dataReadable_ = true;
    bool loansUnsaved_ = false;  // the last save failed: the window holds what the file lacks
    bool exiting_ = false;
    QString updateServer_;  // the maker's server, or the one given on the command line
};

}  // namespace wexlo
