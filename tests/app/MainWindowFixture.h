#pragma once

// A test that opens the main window: the program-wide state the window reads (settings, date
// forms, delays) starts fresh for each test and is cleared after the window has gone.

#include "app/LoansFile.h"
#include "app/MainWindowAccess.h"
#include "platform/ListView.h"
#include "platform/Notifier.h"
#include "shared/dates/DateFormat.h"
#include "shared/dates/DateParser.h"
#include "shared/settings/Settings.h"
#include "shared/util/Delay.h"
#include "support/WexloTest.h"

#include <QTest>

#include <memory>
#include <utility>
#include <vector>

namespace wexlo::test {

// Records desktop notifications instead of showing them (and says they were shown).
class RecordingNotifier : public platform::Notifier {
public:
    std::vector<std::pair<QString, QString>> shown;  // summary, body
    void notify(const QString& summary, const QString& body,
                std::function<void(bool)> done) override
    {
        shown.emplace_back(summary, body);
        if (done)
            done(true);
    }
};

class MainWindowFixture : public WexloTest {
protected:
    void SetUp() override
    {
        WexloTest::SetUp();
        platform::setNotifier(&notes_);
        settings::resetForTests();
        dateformat::resetForTests();
        delay::resetForTests();
    }
    void TearDown() override
    {
        win_.reset();
        platform::setNotifier(nullptr);
        settings::resetForTests();
        dateformat::resetForTests();
        WexloTest::TearDown();
    }

    std::unique_ptr<MainWindow> win_;
    RecordingNotifier notes_;
};

// The loans file's lines of one loan: its five lines, and DUE and RETURNED when given.
inline QByteArray dayLine(const char* key, const QDate& d)
{
    return QByteArray(key) + ": " + QByteArray::number(dates::dayNumber(d)) + " \r\n";
}

inline QByteArray loan(const QDate& lent, const QByteArray& to, const QDate& due = {},
                       const QDate& returned = {})
{
    QByteArray r = dayLine("DATE", lent) + "LENTTO:" + to + "\r\nITEM:Thing of " + to +
                   "\r\nPHONE:555-" + to + "\r\nADDRESS:" + to + " Street\r\n";
    if (due.isValid())
        r += dayLine("DUE", due);
    if (returned.isValid())
        r += dayLine("RETURNED", returned);
    return r;
}

// A shown, active main window over a loans file the test writes.
class LoanListFixture : public MainWindowFixture {
protected:
    MainWindow& open()
    {
        win_ = std::make_unique<MainWindow>();
        win_->show();
        win_->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(win_.get()));
        return *win_;
    }
    QByteArray data() const { return readBytes(appFile(QStringLiteral("datalist.txt"))); }
    void writeData(const QByteArray& bytes)
    {
        writeBytes(appFile(QStringLiteral("datalist.txt")), bytes);
    }

    QStringList shown() const
    {
        QStringList out;
        for (int r = 0; r < MainWindowAccess(win_).loanList()->count(); ++r)
            out.append(MainWindowAccess(win_).loanList()->cell(r, field::Borrower));
        return out;
    }
};

}  // namespace wexlo::test
