// The reminder of overdue loans at start-up: once a day, switched by the View menu, and through
// the desktop's notification service on the session bus, where a desktop without one shows
// nothing and fails at nothing.

#include "MainWindowFixture.h"
#include "app/MainWindowAccess.h"
#include "platform/Notifier.h"
#include "shared/dates/DateParser.h"
#include "shared/settings/Settings.h"

#include <QAction>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QTest>

namespace wexlo::test {
namespace {

QByteArray dayLine(const char* key, const QDate& d)
{
    return QByteArray(key) + ": " + QByteArray::number(dates::dayNumber(d)) + " \r\n";
}

QByteArray loan(const QDate& lent, const QByteArray& to, const QDate& due = {})
{
    QByteArray r = dayLine("DATE", lent) + "LENTTO:" + to + "\r\nITEM:Thing of " + to +
                   "\r\nPHONE:\r\nADDRESS:\r\n";
    if (due.isValid())
        r += dayLine("DUE", due);
    return r;
}

}  // namespace

// The notification service's stand-in: records what it is asked to show.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QStringList summaries;
    QStringList bodies;

public Q_SLOTS:
    uint Notify(const QString& appName, uint replacesId, const QString& icon,
                const QString& summary, const QString& body, const QStringList& actions,
                const QVariantMap& hints, int timeout)
    {
        Q_UNUSED(appName)
        Q_UNUSED(replacesId)
        Q_UNUSED(icon)
        Q_UNUSED(actions)
        Q_UNUSED(hints)
        Q_UNUSED(timeout)
        summaries.append(summary);
        bodies.append(body);
        return static_cast<uint>(summaries.size());
    }
};

namespace {

class Reminder : public MainWindowFixture {
protected:
    void start()
    {
        win_ = std::make_unique<MainWindow>();
        win_->show();
    }
    // The program as a user runs it: started, then ended, which saves the settings.
    void run()
    {
        start();
        win_->exitProgram();
        win_.reset();
        settings::resetForTests();
    }
    void writeData(const QByteArray& bytes)
    {
        writeBytes(appFile(QStringLiteral("datalist.txt")), bytes);
    }
    QByteArray settings() const { return readBytes(appFile(QStringLiteral("Wexlo.ini"))); }
};

// Once a day, only with overdue loans, and never while switched off; the day and the switch
// are kept in Wexlo.ini.
TEST_F(Reminder, OnceADayWhileSwitchedOn)
{
    writeData(loan(QDate(2026, 1, 5), "Ann", QDate(2026, 3, 6)) +
              loan(QDate(2026, 1, 9), "Bob", QDate(2026, 2, 20)) +
              loan(QDate(2026, 1, 2), "Cy", QDate(2026, 3, 20)) + loan(QDate(2026, 1, 1), "Di"));
    struct Step {
        QDate today;
        bool switchOff;  // through the menu, during this run
        int shownSoFar;
    };
    const Step steps[] = {
        {QDate(2026, 2, 20), false, 0},  // nothing overdue yet (due today is not overdue)
        {QDate(2026, 3, 7), false, 1},   // Ann and Bob
        {QDate(2026, 3, 7), false, 1},   // the same day again
        {QDate(2026, 3, 8), true, 2},    // the next day, then switched off
        {QDate(2026, 3, 9), false, 2},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.today.toString(Qt::ISODate).toStdString());
        clock_.current = QDateTime(s.today, QTime(9, 0));
        start();
        EXPECT_TRUE(MainWindowAccess(win_).remindOverdueAction()->isChecked() ||
                    s.today == QDate(2026, 3, 9));
        if (s.switchOff)
            MainWindowAccess(win_).remindOverdueAction()->trigger();
        win_->exitProgram();
        win_.reset();
        settings::resetForTests();
        EXPECT_EQ(static_cast<int>(notes_.shown.size()), s.shownSoFar);
    }
    ASSERT_GE(notes_.shown.size(), 1U);
    EXPECT_EQ(notes_.shown.at(0).first, QStringLiteral("2 loans are overdue"));
    EXPECT_TRUE(notes_.shown.at(0).second.startsWith(
        QStringLiteral("The oldest: Thing of Bob, lent to Bob, was due ")));
    EXPECT_TRUE(settings().contains("REMINDOVERDUELOANS,False"));
    EXPECT_TRUE(settings().contains("LASTOVERDUEREMINDER," +
                                    QByteArray::number(dates::dayNumber(QDate(2026, 3, 8)))));
}

// Without overdue loans the settings file stays as the program has always written it.
TEST_F(Reminder, NoOverdueLoansLeaveTheSettingsAlone)
{
    clock_.current = QDateTime(QDate(2026, 3, 7), QTime(9, 0));
    writeData(loan(QDate(2026, 1, 5), "Ann"));
    run();
    EXPECT_TRUE(notes_.shown.empty());
    EXPECT_FALSE(settings().contains("OVERDUE"));
}

// Through the session bus: with no bus or no service nothing shows and nothing is remembered;
// with the service (a stand-in on a private bus from dbus-run-session) it gets the notification.
TEST_F(Reminder, ThroughTheNotificationServiceOnTheSessionBus)
{
    const bool privateBus = qEnvironmentVariable("WEXLO_PRIVATE_BUS") == QStringLiteral("1");
    if (!privateBus && !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        GTEST_SKIP() << "a desktop's own session bus: its notifications are not for tests";
    platform::setNotifier(nullptr);  // the real one
    clock_.current = QDateTime(QDate(2026, 3, 7), QTime(9, 0));
    writeData(loan(QDate(2026, 1, 5), "Ann", QDate(2026, 3, 1)));
    auto settle = [] {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 300)
            QTest::qWait(20);
    };
    start();
    settle();
    win_->exitProgram();
    win_.reset();
    settings::resetForTests();
    EXPECT_FALSE(settings().contains("LASTOVERDUEREMINDER")) << "no service: nothing remembered";

    if (!privateBus)
        GTEST_SKIP() << "the service's stand-in runs only on a private bus (dbus-run-session)";
    // A connection of its own, as another program on the bus would be.
    QDBusConnection service =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake"));
    ASSERT_TRUE(service.isConnected());
    FakeNotifications fake;
    ASSERT_TRUE(service.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &fake,
                                       QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(service.registerService(QStringLiteral("org.freedesktop.Notifications")));
    start();
    QTRY_COMPARE_WITH_TIMEOUT(fake.summaries.size(), 1, 5000);
    EXPECT_EQ(fake.summaries.first(), QStringLiteral("1 loan is overdue"));
    EXPECT_TRUE(fake.bodies.first().startsWith(
        QStringLiteral("The oldest: Thing of Ann, lent to Ann, was due ")));
    settle();
    win_->exitProgram();
    win_.reset();
    settings::resetForTests();
    EXPECT_TRUE(settings().contains("LASTOVERDUEREMINDER," +
                                    QByteArray::number(dates::dayNumber(QDate(2026, 3, 7)))));
    start();
    settle();
    EXPECT_EQ(fake.summaries.size(), 1);  // once a day
    service.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
    QDBusConnection::disconnectFromBus(QStringLiteral("fake"));
}

}  // namespace
}  // namespace wexlo::test

#include "ReminderTest.moc"
