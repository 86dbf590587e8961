# Names of the main window and the loans model that files outside src/app use.
# Log texts ("... of module frmMain", QStringLiteral("ExitProgram")) are left as they are: each
# pattern stops before a closing quote or needs a call or member access around it.
s{#include "app/frmMain\.h"}{#include "app/MainWindowAccess.h"}g;
s{#include "app/mSHAREDPrinter\.h"}{#include "app/LoansPrinter.h"}g;
s{\bmSHAREDPrinter::SelectPrinter\b}{printing::selectPrinter}g;
s{\bmSHAREDPrinter::PrintLoansList\b}{printing::printLoans}g;
s{\bmSHAREDPrinter::PrintOverdueList\b}{printing::printOverdueLoans}g;
s{\bwin_->Updater\.isNull\(\)}{(win_->updateWindow() == nullptr)}g;
s{\bwin_->Updater\b(?!_)}{win_->updateWindow()}g;
s{\b(win_->|w\.|x\.)Updater_InstallFile\(}{$1installUpdate(}g;
s{\b(win_->|w\.|x\.)ExitProgram\(}{$1exitProgram(}g;
s{\b(win_->|w\.|x\.)SaveList\(}{$1saveLoans(}g;
s{\b(win_->|w\.|x\.)LoadList\(}{$1loadLoans(}g;
s{\b(win_->|w\.|x\.)ShowLoan\(}{$1showLoan(}g;
s{\b(win_->|w\.|x\.)ListView1_ItemClick\(}{$1showLoan(}g;
s{\b(win_->|w\.|x\.)cmdAdd_Click\(}{$1addLoan(}g;
s{\b(win_->|w\.|x\.)cmdDelete_Click\(}{$1deleteSelectedLoans(}g;
s{\b(win_->|w\.|x\.)checkforupdate\(}{$1checkForUpdate(}g;
s{\b(win_->|w\.|x\.)Timer3_Timer\(}{$1runDelayedUpdateCheck(}g;
s{\b(win_|w|x)(?:->|\.)SettingsPath\b}{"MainWindowAccess($1).settingsPath()"}ge;
s{\b(win_|w|x)(?:->|\.)(mnuAutoCheckDisabled|mnuMarkNotReturned|mnuRemindOverdue|mnuPrintOverdue|mnuCheckVersion|mnuMarkReturned|mnuShowReturned|mnuOverdueOnly|mnuExportCsv|mnuClearDue|txtAddress|mnuShowDue|ListView1|cmdDelete|txtLentTo|mnuSetDue|undoStack|txtPhone|mnuTools|mnuPrint|mnuAbout|cmdExit|txtItem|lblDate|mnuFile|mnuHelp|mnuEdit|mnuView|mnuQuit|lblLife|mnuUndo|mnuRedo|mnuFind|findBar|Frame2|Timer3|cmdAdd|lblPh)\b(?!_)}{"MainWindowAccess($1)." . {ListView1=>"loanList",Frame2=>"entryPanel",Timer3=>"updateCheckTimer",cmdExit=>"exitButton",cmdDelete=>"deleteButton",cmdAdd=>"addButton",txtAddress=>"addressEdit",txtPhone=>"phoneEdit",txtLentTo=>"borrowerEdit",txtItem=>"itemEdit",lblDate=>"dateLabel",lblPh=>"phoneCaption",mnuFile=>"fileMenu",mnuTools=>"toolsMenu",mnuHelp=>"helpMenu",mnuEdit=>"editMenu",mnuView=>"viewMenu",mnuPrintOverdue=>"printOverdueAction",mnuPrint=>"printAction",mnuCheckVersion=>"checkForUpdateAction",mnuAutoCheckDisabled=>"disableAutoCheckAction",mnuAbout=>"aboutAction",mnuQuit=>"quitAction",mnuSetDue=>"setDueAction",mnuClearDue=>"clearDueAction",mnuMarkReturned=>"markReturnedAction",mnuMarkNotReturned=>"markNotReturnedAction",mnuShowDue=>"showDueAction",mnuOverdueOnly=>"overdueOnlyAction",mnuShowReturned=>"showReturnedAction",lblLife=>"lifeLabel",mnuUndo=>"undoAction",mnuRedo=>"redoAction",mnuFind=>"findAction",mnuExportCsv=>"exportCsvAction",mnuRemindOverdue=>"remindOverdueAction",findBar=>"findBar",undoStack=>"undoStack"}->{$2} . "()"}ge;
s{\b(win_|w|x)(?:->|\.)Label1\[([0-3])\]}{"MainWindowAccess($1)." . (qw(dateCaption itemCaption borrowerCaption addressCaption))[$2] . "()"}ge;
s{\b(win_|w|x)(?:->|\.)lblPh\b}{MainWindowAccess($1).phoneCaption()}g;
s{\bfrmMain\b(?!")}{MainWindow}g;
s{\bloansfile::ColDate\b}{field::Date}g;
s{\bloansfile::ColLentTo\b}{field::Borrower}g;
s{\bloansfile::ColItem\b}{field::Item}g;
s{\bloansfile::ColPhone\b}{field::Phone}g;
s{\bloansfile::ColAddress\b}{field::Address}g;
s{\bloansfile::ColDue\b}{field::Due}g;
s{\bloansfile::ColReturned\b}{field::Returned}g;
s{\bloansfile::LoanColumnCount\b}{field::kCount}g;
s{\bloansfile::ColumnCount\b}{field::kListed}g;
s{->txtFind\b}{->findEdit()}g;
s{->lblFindCount\b}{->countLabel()}g;
s{->cmdFindClose\b}{->closeButton()}g;
