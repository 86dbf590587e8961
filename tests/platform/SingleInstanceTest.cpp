#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <unistd.h>

namespace wexlo::test {
namespace {

// A start in a child process: ends with kSecond when another program holds its folder, with
// kFirst when it would run; with WEXLO_CHILD_HOLD it keeps the folder until it is killed.
constexpr int kSecond = 0;
constexpr int kFirst = 10;

TEST(SingleInstanceTest, DISABLED_ChildStart)
{
    int code = kFirst;
    {
        platform::SingleInstance instance;
        code = instance.claim(qEnvironmentVariable("WEXLO_CHILD_FOLDER")) ? kFirst : kSecond;
        if (code == kFirst && qEnvironmentVariableIsSet("WEXLO_CHILD_HOLD")) {
            std::puts("held");
            std::fflush(stdout);
            for (;;)
                ::pause();
        }
    }
    std::_Exit(code);
}

std::unique_ptr<QProcess> startChild(const QString& folder, bool hold)
{
    auto child = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("WEXLO_CHILD_FOLDER"), folder);
    if (hold)
        env.insert(QStringLiteral("WEXLO_CHILD_HOLD"), QStringLiteral("1"));
    child->setProcessEnvironment(env);
    child->start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--gtest_also_run_disabled_tests"),
                  QStringLiteral("--gtest_filter=SingleInstanceTest.DISABLED_ChildStart")});
    return child;
}

struct Case {
    const char* name;
    bool killedHolderFirst;  // a program killed while it held the folder left its lock behind
    bool otherFolder;
    int childExit;
    bool activated;
};

const Case kCases[] = {
    {"SecondStartOnSameFolderEnds", false, false, kSecond, true},
    {"StartOnAnotherFolderRuns", false, true, kFirst, false},
    {"LockOfAKilledProgramDoesNotBlock", true, false, kSecond, true},
};

class SingleInstanceCases : public ::testing::TestWithParam<Case> {};

TEST_P(SingleInstanceCases, OneWindowPerFolder)
{
    const Case& c = GetParam();
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("register"));
    const QString other = dir.filePath(QStringLiteral("other"));
    ASSERT_TRUE(QDir().mkpath(folder) && QDir().mkpath(other));

    if (c.killedHolderFirst) {
        auto holder = startChild(folder, true);
        ASSERT_TRUE(holder->waitForReadyRead(10000));
        ASSERT_EQ(holder->readAll().trimmed(), "held");
        ::kill(static_cast<pid_t>(holder->processId()), SIGKILL);
        ASSERT_TRUE(holder->waitForFinished(10000));
        ASSERT_TRUE(QFile::exists(folder + QStringLiteral("/.wexlo-window.lock")));
    }

    platform::SingleInstance first;
    QSignalSpy activations(&first, &platform::SingleInstance::activationRequested);
    ASSERT_TRUE(first.claim(folder));

    auto child = startChild(c.otherFolder ? other : folder, false);
    QSignalSpy ended(child.get(), &QProcess::finished);
    ASSERT_TRUE(ended.wait(15000));
    EXPECT_EQ(child->exitCode(), c.childExit) << child->readAllStandardError().toStdString();
    EXPECT_EQ(activations.count(), c.activated ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Starts, SingleInstanceCases, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return info.param.name;
                         });

}  // namespace
}  // namespace wexlo::test
