#pragma once

// The base of every test: a fresh temporary application folder, the platform doubles
// installed (the real services come back afterwards), and the log and recent-actions list
// as at program start.

#include "support/Doubles.h"

#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

// Waits, letting events run, until cond holds, and fails the test when it never does. QTest's
// QTRY_* macros report to QTest's own log, which GoogleTest never reads: a wait that timed out
// there just left the test early and it counted as passed.
#define WEXLO_WAIT_FOR(cond, ms)                                              \
    ASSERT_TRUE(QTest::qWaitFor([&] { return static_cast<bool>(cond); }, ms)) \
        << "never true: " #cond

namespace wexlo::test {

class WexloTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Path of a file in the application folder.
    QString appFile(const QString& name) const;
    // The log file's content ("" when there is none).
    QString logText() const;
    QStringList logLines() const;  // each line without its time stamp and padding
    static QByteArray readBytes(const QString& path);
    static void writeBytes(const QString& path, const QByteArray& bytes);

    // Use the real file layer's failure seam for this test.
    void useFaultyFileSystem();

    QTemporaryDir home_;
    FakeClock clock_;
    CountingEventPump pump_;
    FixedLocale locale_;
    RecordingMessageBox boxes_;
    RecordingShell shell_;
    FixedMetrics metrics_;
    FaultyFileSystem files_;
};

// Where the test sources are (for shipped files such as the help page and artwork).
QString sourceDir();

}  // namespace wexlo::test
