#pragma once

// The program's main window: the loans list, the entry panel for one loan, the menu, the
// start-up sequence and the shutdown procedure.

#include <QDate>
#include <QMainWindow>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QString>

#include <array>

class QAction;
class QCloseEvent;
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
class UpdateWindow;

class frmMain : public QMainWindow {
    Q_OBJECT

public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // ---- Controls ----------------------------------------------------------------------
    platform::ListView* ListView1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QTimer* Timer3 = nullptr;
    QPushButton* cmdExit = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdAdd = nullptr;
    QLineEdit* txtAddress = nullptr;
    QLineEdit* txtPhone = nullptr;
    QLineEdit* txtLentTo = nullptr;
    QLineEdit* txtItem = nullptr;
    platform::ClickLabel* lblDate = nullptr;
    std::array<QLabel*, 4> Label1{};
    QLabel* lblPh = nullptr;  // index 4 of its control array

    QMenu* mnuFile = nullptr;
    QMenu* mnuTools = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuCheckVersion = nullptr;
    QAction* mnuAutoCheckDisabled = nullptr;
    QAction* mnuAbout = nullptr;
    QAction* mnuQuit = nullptr;

    // A loan's life beyond the register: due dates, returns, overdue loans.
    QMenu* mnuEdit = nullptr;
    QMenu* mnuView = nullptr;
    QAction* mnuPrintOverdue = nullptr;
    QAction* mnuSetDue = nullptr;
    QAction* mnuClearDue = nullptr;
    QAction* mnuMarkReturned = nullptr;
    QAction* mnuMarkNotReturned = nullptr;
    QAction* mnuShowDue = nullptr;
    QAction* mnuOverdueOnly = nullptr;
    QAction* mnuShowReturned = nullptr;
    // The selected loan's due and return dates, on a line of the entry panel (empty without).
    QLabel* lblLife = nullptr;

    // Working with many loans: find as you type, undo and redo, export.
    QAction* mnuUndo = nullptr;
    QAction* mnuRedo = nullptr;
    QAction* mnuFind = nullptr;
    QAction* mnuExportCsv = nullptr;
    QAction* mnuRemindOverdue = nullptr;
    FindBar* findBar = nullptr;
    QUndoStack* undoStack = nullptr;

    // The settings file's full path, set at start-up.
    QString SettingsPath;

    // ---- Loans and the data file -------------------------------------------------------
    // Fills the list from datalist.txt, newest first. False when the file exists but could
    // not be read; then nothing is saved until the next start.
    bool LoadList();
    // Replaces datalist.txt with every row in display order. False (after telling the user)
    // when the loans could not be saved.
    bool SaveList();
    QString dataFilePath() const;
    bool dataFileReadable() const { return dataReadable_; }

    // Copies a row into the entry fields.
    void ShowLoan(int row);
    // The date lent shown in the entry panel (null while it shows a row's unreadable date).
    QDate entryDate() const { return entryDate_; }

    void ExitProgram();

    // ---- Event handlers ----------------------------------------------------------------
    void cmdAdd_Click();
    void cmdDelete_Click();
    void cmdExit_Click();
    void ListView1_ColumnClick(int column);  // 1-based, as the header counts
    void ListView1_ItemClick(int row);
    void lblDate_Click();
    void txtItem_GotFocus();
    void txtLentTo_GotFocus();
    void mnuAbout_Click();
    void mnuQuit_Click();
    void mnuAutoCheckDisabled_Click();
    // Printing and the update checks hook in here.
    void mnuPrint_Click();
    void mnuCheckVersion_Click();
    void Timer3_Timer();
    void mnuPrintOverdue_Click();
    void mnuSetDue_Click();
    void mnuClearDue_Click();
    void mnuMarkReturned_Click();
    void mnuMarkNotReturned_Click();
    void mnuShowDue_Click();
    void mnuOverdueOnly_Click();
    void mnuShowReturned_Click();
    void mnuFind_Click();
    void mnuExportCsv_Click();
    void mnuRemindOverdue_Click();
    // At start-up: a desktop notification of the overdue loans, once a day, unless switched off.
    void remindOfOverdue();

    // A loan (by its place in the model, shown or not) is overdue: due before today, not returned.
    bool isOverdue(int modelRow) const;
    // Today as the overdue rule sees it; moves on at midnight.
    QDate today() const { return today_; }

    // ---- The update check --------------------------------------------------------------
    // The one update window, created at the first check and kept (none before).
    QPointer<UpdateWindow> Updater;
    // The server the checks ask (the maker's, or --update-server from the command line).
    void setUpdateServer(const QString& server) { updateServer_ = server; }
    void checkforupdate(bool quiet);
    void Updater_FormClosed();
    void Updater_InstallFile();
    void Updater_Finished();
    void Updater_Status(const QString& text);

Q_SIGNALS:
    // The exit procedure has finished: the program should end.
    void programEnded();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenu();
    void Form_Load();
    void Form_Resize();
    void setEntryDate(const QDate& date);
    void releaseUpdater();
    void buildLoanLife();
    QList<int> selectedModelRows() const;
    void setLifeDate(const QList<int>& modelRows, int column, const QString& iso);
    void showLife(int modelRow);
    void updateEditActions();
    void applyRowFilter();
    void armMidnight();
    void midnightPassed();
    void buildLoanCommands();
    // After a step was undone or redone: saved, and the menus and the panel follow.
    void loansStepped();
    QString lifeStepText(int column, const QString& iso, qsizetype count) const;

    QDate entryDate_;
    QDate today_;
    QPersistentModelIndex shownLoan_;  // the loan the entry panel shows
    QString todayIso_;
    QTimer* midnight_ = nullptr;
    QString entryDateText_;  // a row's date text that is not a date, shown as it is
    bool dataReadable_ = true;
    bool loansUnsaved_ = false;  // the last save failed: the window holds what the file lacks
    bool exiting_ = false;
    QString updateServer_;  // the maker's server, or the one given on the command line
};

}  // namespace wexlo
