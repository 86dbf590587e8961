# Dates, dialogs and presentation: old names -> new names (perl -pi RENAMES.pl FILE...).
# Quoted texts are left alone: log module names and error texts stay as they are.

# Include paths.
s{"shared/dates/fSHAREDGetDate\.h"}{"shared/dates/DateEntryDialog.h"}g;
s{"shared/dates/mSHAREDGetDate\.h"}{"shared/dates/DateEntryDialog.h"}g;
s{"shared/dates/mSHAREDDateFunc\.h"}{"shared/dates/DateFormat.h"}g;
s{"shared/dialogs/cSHAREDcDlgG\.h"}{"shared/dialogs/PrintDialogBackend.h"}g;
s{"shared/dialogs/cSHAREDcDlg\.h"}{"shared/dialogs/PrintDialog.h"}g;
s{"shared/ui/fSHAREDAbout\.h"}{"shared/ui/AboutDialog.h"}g;
s{"shared/ui/fSHAREDErrorRpt\.h"}{"shared/ui/ErrorReportDialog.h"}g;
s{"shared/ui/frmSplash\.h"}{"shared/ui/SplashWindow.h"}g;
s{"shared/ui/mSHAREDProgress\.h"}{"shared/ui/Progress.h"}g;

# Asking for a date.
s{\bmSHAREDGetDate::getdate\b}{dates::askDate}g;

# The user's short date and the date patterns.
s{\bmSHAREDDateFunc::shortformatdate\b}{dateformat::shortDateText}g;
s{\bmSHAREDDateFunc::formatdate\b}{dateformat::formatDate}g;
s{\bmSHAREDDateFunc::dateseparator\b}{dateformat::separator}g;
s{\bmSHAREDDateFunc::monthfield\b}{dateformat::monthPosition}g;
s{\bmSHAREDDateFunc::dayfield\b}{dateformat::dayPosition}g;
s{\bmSHAREDDateFunc::truestring\b}{dateformat::trueWord}g;
s{\bmSHAREDDateFunc::falsestring\b}{dateformat::falseWord}g;
s{\bmSHAREDDateFunc::shortdatepattern\b}{dateformat::shortPattern}g;
s{\bmSHAREDDateFunc::fulldatepattern\b}{dateformat::fullPattern}g;
s{\bmSHAREDDateFunc::fulldatetimepattern\b}{dateformat::fullDateTimePattern}g;
s{\bmSHAREDDateFunc::(?:checkinitialised|setuplocale)\b}{dateformat::detectOnce}g;
s{\bmSHAREDDateFunc::fdateseparator\b}{dateformat::detectSeparator}g;
s{\bmSHAREDDateFunc::flocaldateformatstring\b}{dateformat::detectShortPattern}g;
s{\bmSHAREDDateFunc::flocalfulldateformat\b}{dateformat::detectFullPattern}g;
s{\bmSHAREDDateFunc(?!")\b}{dateformat}g;

# The progress bar and centred text (the unused last argument is gone).
s{\bmSHAREDProgress::showprogressstring\(([^;]*?),\s*0\)}{progress::showProgressText($1)}g;
s{\bmSHAREDProgress::showprogressstring\b}{progress::showProgressText}g;
s{\bmSHAREDProgress::showprogress\b}{progress::showProgress}g;
s{\bmSHAREDProgress::PrintCentered\b}{progress::printCentered}g;
s{\bmSHAREDProgress::PrintHorzCenter\b}{progress::printCenteredOn}g;
s{\bmSHAREDProgress(?!")\b}{progress}g;

# The print dialog: the fields that had no effect are gone.
s{^\s*dlg\.(?:DialogTitle|PrinterDefault|CancelError) = [^;]*;[^\n]*\n}{};
s{\bdlg\.Object\b}{dlg.printer}g;
s{\bdlg\.hWnd\b}{dlg.owner}g;
s{\bdlg\.Copies\b}{dlg.copies}g;
s{\bdlg\.ShowPrinter\(\)}{dlg.choosePrinter()}g;
s{\bcSHAREDcDlgG::PrintDlgArgs\b}{PrintOptions}g;
s{\bcSHAREDcDlgG(?!")\b}{PrintDialogBackend}g;
s{\bcSHAREDcDlg(?!")\b}{PrintDialog}g;

# The date entry dialog: its boxes through the fixture accessors, the rest by object name.
s{\b(\w+)->txtfield\[\1->monthBox\(\)\]}{$1->monthEdit()}g;
s{\b(\w+)->txtfield\[\1->dayBox\(\)\]}{$1->dayEdit()}g;
s{\b(dlg|d|dialog)(->|\.)txtfield\[(\w+)\]}{$1$2fieldEdit($3)}g;
s{\b(dlg|d|dialog)(->|\.)txtYear\b}{$1$2yearEdit()}g;
s{\b(dlg|d|dialog)(->|\.)cmdAccept\b}{$1$2findChild<QPushButton*>(QStringLiteral("okButton"))}g;
s{\b(dlg|d|dialog)(->|\.)cmdAbort\b}{$1$2findChild<QPushButton*>(QStringLiteral("cancelButton"))}g;
s{\bdialog\.lblFormatString\b}{dialog.findChild<QLabel*>(QStringLiteral("formatLabel"))}g;
s{\bdialog\.lblDate\b}{dialog.findChild<QLabel*>(QStringLiteral("dateLabel"))}g;
s{\bdialog\.DefaultDate\(}{dialog.setDefaultDate(}g;
s{\bfSHAREDGetDate(?!")\b}{DateEntryDialog}g;

# About.
s{\babout\.lblversion\b}{about.findChild<QLabel*>(QStringLiteral("versionLabel"))}g;
s{\babout\.lblPadFiles\b}{about.findChild<QLabel*>(QStringLiteral("padFilesLink"))}g;
s{\babout\.lblAbout\b}{about.findChild<QLabel*>(QStringLiteral("hintLabel"))}g;
s{\babout\.Image1\b}{about.productIcons()}g;
s{\bfSHAREDAbout(?!")\b}{AboutDialog}g;

# Splash.
s{\bsplash->lblstatus->setText\(}{splash->showStatus(}g;
s{\bsplash\.lblstatus\b}{splash.statusLabel()}g;
s{\bfrmSplash(?!")\b}{SplashWindow}g;

# Error report.
s{\breport->cmdViewReport\b}{report->findChild<QPushButton*>(QStringLiteral("viewReportButton"))}g;
s{\breport->cmdExit\b}{report->findChild<QPushButton*>(QStringLiteral("exitButton"))}g;
s{->ShowError\(}{->showError(}g;
s{\bfSHAREDErrorRpt(?!")\b}{ErrorReportDialog}g;
