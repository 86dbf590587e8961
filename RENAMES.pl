# Internet, update window and update schedule: old names -> new names (perl -pi RENAMES.pl).
# Include paths and file names.
s{\bshared/internet/cSHAREDInternet\.(h|cpp)\b}{shared/internet/InternetSession.$1}g;
s{\bshared/internet/fSHAREDInternet\.(h|cpp)\b}{shared/internet/TransferWindow.$1}g;
s{\bshared/internet/fSHAREDProxy\.(h|cpp)\b}{shared/internet/ProxyDialog.$1}g;
s{\bshared/updater/fSHAREDUpdater\.(h|cpp)\b}{shared/updater/UpdateWindow.$1}g;
s{\bapp/mSHAREDUpdater\.(h|cpp)\b}{app/UpdateSchedule.$1}g;
s{\bmoc_fSHAREDProxy\.cpp\b}{moc_ProxyDialog.cpp}g;
# The update schedule (namespace wexlo::updateschedule).
s{\bmSHAREDUpdater::UpdateFileName\b}{updateschedule::packageFileName}g;
s{\bmSHAREDUpdater::AutoCheckDisabled\b}{updateschedule::autoCheckDisabled}g;
s{\bmSHAREDUpdater::UpdateCheckDue\b}{updateschedule::checkDue}g;
s{\bmSHAREDUpdater::RecordUpdateCheck\b}{updateschedule::recordCheck}g;
s{\bmSHAREDUpdater::(updateServer|versionFileUrl|detailsFileUrl)\b}{updateschedule::$1}g;
# The update window: its signals, its public methods, its widgets (now private: found by
# object name), then the class.
s{&fSHAREDUpdater::Status\b}{&UpdateWindow::statusChanged}g;
s{&fSHAREDUpdater::Finished\b}{&UpdateWindow::checkFinished}g;
s{&fSHAREDUpdater::InstallFile\b}{&UpdateWindow::installRequested}g;
s{&fSHAREDUpdater::FormClosed\b}{&UpdateWindow::closed}g;
s{(->|\.)CheckForUpdate\(}{$1checkForUpdate(}g;
s{\b(window\.|window_->)DownloadFile\(}{$1downloadPackage(}g;
s{\b(window\.|window_->)DownloadAndInstall\(}{$1downloadPackageFrom(}g;
s{(\.|->)lblProgram\b}{$1findChild<QLabel*>(QStringLiteral("programLabel"))}g;
s{(\.|->)lblUpdate\b}{$1findChild<QLabel*>(QStringLiteral("updateLabel"))}g;
s{(\.|->)picStatus\b}{$1findChild<platform::PictureBox*>(QStringLiteral("statusBox"))}g;
s{(\.|->)cmdCheckAgain\b}{$1findChild<QPushButton*>(QStringLiteral("checkAgainButton"))}g;
s{(\.|->)chkDisableAutoUpdate\b}{$1findChild<QCheckBox*>(QStringLiteral("disableAutoCheckBox"))}g;
s{\b(updater|Updater|window)(\.|->)cmdExit\b}{$1$2findChild<QPushButton*>(QStringLiteral("exitButton"))}g;
s{(?<!")\bfSHAREDUpdater\b(?!")}{UpdateWindow}g;
# The internet session, the hidden transfer window and the proxy dialog.
s{&cSHAREDInternet::Progress\b}{&InternetSession::progressChanged}g;
s{&cSHAREDInternet::Status\b}{&InternetSession::statusChanged}g;
s{\bcSHAREDInternet::GetFile\b}{InternetSession::fetchFile}g;
s{\b(inet|internet\(\))(\.|->)GetFile\(}{$1$2fetchFile(}g;
s{(?<!")\bcSHAREDInternet\b(?!")}{InternetSession}g;
s{(?<!")\bfSHAREDInternet\b(?!")}{TransferWindow}g;
s{(?<!")\bfSHAREDProxy\b(?!")}{ProxyDialog}g;
# The version file.
s{\bExtractVersion\(}{parseVersion(}g;
