#include "platform/SingleInstance.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>

#include <sys/wait.h>
#include <unistd.h>

namespace wexlo::test {
namespace {

// A program killed while it held folder "a" left its lock behind; this one claims "a" all the
// same. Later starts, each on a thread of its own while this one answers: on "a" it is asked
// to come to the front and the start ends, on "b" the start runs.
TEST(SingleInstanceTest, OneWindowPerFolder)
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a")), b = dir.filePath(QStringLiteral("b"));
    ASSERT_TRUE(QDir().mkpath(a) && QDir().mkpath(b));
    const pid_t killed = ::fork();
    if (killed == 0) {
        platform::SingleInstance held;
        ::_exit(held.claim(a) ? 0 : 1);  // no clean-up, as if killed
    }
    int status = -1;
    ASSERT_TRUE(::waitpid(killed, &status, 0) == killed && status == 0);

    platform::SingleInstance first;
    QSignalSpy raised(&first, &platform::SingleInstance::activationRequested);
    ASSERT_TRUE(first.claim(a));
    const struct {
        QString folder;
        bool runs;
        int raised;
    } starts[] = {{a, false, 1}, {b, true, 1}, {a, false, 2}};
    for (const auto& start : starts) {
        bool runs = !start.runs;
        std::unique_ptr<QThread> second(QThread::create([&] {
            platform::SingleInstance instance;
            runs = instance.claim(start.folder);
        }));
        second->start();
        ASSERT_TRUE(QTest::qWaitFor([&] { return second->isFinished(); }, 10000));
        EXPECT_EQ(runs, start.runs) << start.folder.toStdString();
        EXPECT_EQ(raised.count(), start.raised) << start.folder.toStdString();
    }
}

}  // namespace
}  // namespace wexlo::test
