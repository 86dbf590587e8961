// When the main window checks for updates, and how it hands an update to the updater.

#include "MainWindowFixture.h"
#include "app/MainWindowAccess.h"
#include "platform/AppFolder.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"
#include "shared/dates/DateFormat.h"
#include "shared/dates/DateParser.h"
#include "shared/diagnostics/Logging.h"
#include "shared/settings/Settings.h"
#include "shared/updater/UpdateWindow.h"
#include "shared/util/Delay.h"
#include "support/WexloTest.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace wexlo::test {
namespace {

class UpdateSchedule : public MainWindowFixture {
protected:
    // Opens the window with a closed port as its server, so a check fails at once, and
    // shortens the 30-second timer.
    MainWindow& open(int timerMs = 10)
    {
        win_ = std::make_unique<MainWindow>();
        win_->setUpdateServer(QStringLiteral("http://127.0.0.1:1"));
        MainWindowAccess(win_).updateCheckTimer()->setInterval(timerMs);
        MainWindowAccess(win_).updateCheckTimer()->start();
        win_->show();
        return *win_;
    }
    void settings(const QByteArray& lines)
    {
        writeBytes(appFile(QStringLiteral("Wexlo.ini")), lines);
    }
    static qint64 today() { return dates::dayNumber(QDate(2026, 3, 7)); }
    void waitForTimer()
    {
        WEXLO_WAIT_FOR(!MainWindowAccess(win_).updateCheckTimer()->isActive(), 5000);
    }
};

TEST_F(UpdateSchedule, WithoutSettingsTheTimerOnlyLogsThatChecksAreOff)
{
    open();
    waitForTimer();
    EXPECT_TRUE(logText().contains(QStringLiteral("Automatic update check is disabled")));
    EXPECT_TRUE((win_->updateWindow() == nullptr));
    EXPECT_TRUE(MainWindowAccess(win_).disableAutoCheckAction()->isChecked());
}

TEST_F(UpdateSchedule, EnabledAndNeverCheckedStartsAQuietCheck)
{
    settings("DISABLEAUTOUPDATECHECK,False\r\n");
    open();
    waitForTimer();
    ASSERT_FALSE((win_->updateWindow() == nullptr));
    WEXLO_WAIT_FOR(
        win_->updateWindow()->findChild<QLabel*>(QStringLiteral("updateLabel"))->text() ==
            QStringLiteral("Could not retrieve update status"),
        5000);
    EXPECT_FALSE(win_->updateWindow()->isVisible());  // quiet
}

TEST_F(UpdateSchedule, DueAtSevenDaysNotAtSix)
{
    settings("DISABLEAUTOUPDATECHECK,False\r\nLASTUPDATECHECK, " + QByteArray::number(today() - 6) +
             " \r\n");
    open();
    waitForTimer();
    EXPECT_TRUE((win_->updateWindow() == nullptr));
    win_.reset();

    settings::resetForTests();
    settings("DISABLEAUTOUPDATECHECK,False\r\nLASTUPDATECHECK, " + QByteArray::number(today() - 7) +
             " \r\n");
    open();
    waitForTimer();
    EXPECT_FALSE((win_->updateWindow() == nullptr));
}

TEST_F(UpdateSchedule, ADateTextIsReadAsThatDate)
{
    settings("DISABLEAUTOUPDATECHECK,False\r\nLASTUPDATECHECK,30/Jul/2006\r\n");
    open();
    waitForTimer();
    EXPECT_FALSE((win_->updateWindow() == nullptr));
}

TEST_F(UpdateSchedule, ManualCheckStopsTheAutomaticOneAndReusesOneWindow)
{
    settings("DISABLEAUTOUPDATECHECK,False\r\n");
    open(60000);
    MainWindowAccess(win_).checkForUpdateAction()->trigger();
    EXPECT_FALSE(MainWindowAccess(win_).updateCheckTimer()->isActive());
    ASSERT_FALSE((win_->updateWindow() == nullptr));
    EXPECT_TRUE(win_->updateWindow()->isVisible());
    const UpdateWindow* first = win_->updateWindow();
    MainWindowAccess(win_).checkForUpdateAction()->trigger();
    EXPECT_EQ(win_->updateWindow(), first);
}

TEST_F(UpdateSchedule, ClosingTheUpdateWindowResynchronisesTheCheckMark)
{
    open(60000);
    MainWindowAccess(win_).checkForUpdateAction()->trigger();
    ASSERT_FALSE((win_->updateWindow() == nullptr));
    win_->updateWindow()
        ->findChild<QCheckBox*>(QStringLiteral("disableAutoCheckBox"))
        ->setChecked(false);
    win_->updateWindow()->findChild<QPushButton*>(QStringLiteral("exitButton"))->click();
    EXPECT_FALSE(MainWindowAccess(win_).disableAutoCheckAction()->isChecked());
    EXPECT_FALSE(settings::readSetting(QStringLiteral("DisableAutoUpdateCheck"), true).toBool());
}

TEST_F(UpdateSchedule, InstallWritesTheNoteStartsTheUpdaterAndEnds)
{
    // A stand-in updater that records how it was started.
    const QString program = appFile(QStringLiteral("Updater.exe"));
    const QString record = appFile(QStringLiteral("started.txt"));
    writeBytes(program, "#!/bin/sh\nprintf '%s|' \"$@\" > \"" + record.toUtf8() +
                            ".tmp\"\ncat \"$(dirname \"$0\")/updater.ini\" >> \"" +
                            record.toUtf8() + ".tmp\"\nmv \"" + record.toUtf8() + ".tmp\" \"" +
                            record.toUtf8() + "\"\n");
    QFile::setPermissions(program,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    platform::setShell(nullptr);  // really start it

    open(60000);
    MainWindowAccess(win_).checkForUpdateAction()->trigger();
    QSignalSpy ended(win_.get(), &MainWindow::programEnded);
    win_->installUpdate();
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(readBytes(appFile(QStringLiteral("updater.ini"))), QByteArray("WexloUpd.exe"));
    WEXLO_WAIT_FOR(QFile::exists(record), 5000);
    EXPECT_EQ(readBytes(record), QByteArray("Wexlo|WexloUpd.exe"));
}

TEST_F(UpdateSchedule, UpdaterThatCannotStartIsLoggedReportedAndTheProgramKeepsRunning)
{
    struct Case {
        const char* updater;  // nullptr: no Updater.exe at all
        const char* logged;
    };
    const Case cases[] = {
        {nullptr, "File not found(53) in updater_installfile of module frmMain"},
        // There, but not a program anyone may start.
        {"#!/bin/sh\n", "Path/File access error(75) in updater_installfile of module frmMain"},
    };
    platform::setShell(nullptr);  // really try to start it
    for (const Case& c : cases) {
        SCOPED_TRACE(c.logged);
        const QString program = appFile(QStringLiteral("Updater.exe"));
        QFile::remove(program);
        if (c.updater != nullptr) {
            writeBytes(program, c.updater);
            QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        }
        writeBytes(appFile(QStringLiteral("WexloUpd.exe")), QByteArray(30000, 'p'));
        boxes_.shown.clear();
        open(60000);
        QSignalSpy ended(win_.get(), &MainWindow::programEnded);
        win_->installUpdate();
        EXPECT_EQ(ended.count(), 0);
        EXPECT_TRUE(win_->isVisible());
        EXPECT_TRUE(QFile::exists(appFile(QStringLiteral("WexloUpd.exe"))));
        ASSERT_FALSE(boxes_.shown.isEmpty());
        EXPECT_TRUE(boxes_.lastText().contains(program));
        EXPECT_TRUE(boxes_.lastText().contains(appFile(QStringLiteral("WexloUpd.exe"))));
        EXPECT_EQ(boxes_.shown.last().title, QStringLiteral("Wexlo"));
        logging::writeRecentActions();
        EXPECT_TRUE(logText().contains(QString::fromLatin1(c.logged))) << logText().toStdString();
    }

    // The updater is there, but its note could not be written whole: it is not started on it.
    writeBytes(appFile(QStringLiteral("Updater.exe")), "#!/bin/sh\n");
    QFile::remove(appFile(QStringLiteral("updater.ini")));
    platform::setShell(&shell_);
    useFaultyFileSystem();
    files_.failCommit[QStringLiteral("updater.ini")] = err::DeviceIOError;
    boxes_.shown.clear();
    win_->show();
    QSignalSpy ended(win_.get(), &MainWindow::programEnded);
    win_->installUpdate();
    EXPECT_TRUE(shell_.started.isEmpty());
    EXPECT_EQ(ended.count(), 0);
    EXPECT_FALSE(QFile::exists(appFile(QStringLiteral("updater.ini"))));
    ASSERT_EQ(boxes_.shown.size(), 1);
    EXPECT_TRUE(boxes_.lastText().startsWith(QStringLiteral("The updater could not be started")));
}

}  // namespace
}  // namespace wexlo::test
