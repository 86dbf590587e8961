// The loans file and the settings file are replaced whole: a program killed at any moment of a
// save leaves either the old content or the new one, never a mix or a truncated file.

#include "support/Fixture.h"

#include <QCoreApplication>
#include <QDir>

#include <chrono>
#include <csignal>
#include <random>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace wexlo::test {
namespace {

class CrashSafety : public WexloTest, public ::testing::WithParamInterface<const char*> {
protected:
    static QByteArray writerPath()
    {
        return QFile::encodeName(QCoreApplication::applicationDirPath() +
                                 QStringLiteral("/crash_writer"));
    }

    // Starts the writer; output, when given, gets the reading end of its standard output.
    pid_t start(const char* mode, int* output)
    {
        int fds[2] = {-1, -1};
        if (output != nullptr && ::pipe2(fds, O_CLOEXEC) != 0)
            return -1;
        const QByteArray program = writerPath();
        const QByteArray folder = QFile::encodeName(home_.path());
        const pid_t pid = ::fork();
        if (pid == 0) {
            if (output != nullptr)
                ::dup2(fds[1], STDOUT_FILENO);
            const char* argv[] = {program.constData(), mode, GetParam(), folder.constData(),
                                  nullptr};
            ::execv(argv[0], const_cast<char* const*>(argv));
            ::_exit(127);
        }
        if (output != nullptr) {
            ::close(fds[1]);
            *output = fds[0];
        }
        return pid;
    }

    // One line of the writer's output without its line end; "" when it ended first.
    static std::string readLine(int fd)
    {
        std::string line;
        char c = 0;
        while (::read(fd, &c, 1) == 1 && c != '\n')
            line += c;
        return line;
    }

    static int waitFor(pid_t pid)
    {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        return status;
    }

    QString target() const
    {
        return appFile(QString::fromLatin1(GetParam()) == QLatin1String("loans")
                           ? QStringLiteral("datalist.txt")
                           : QStringLiteral("Wexlo.ini"));
    }
};

TEST_P(CrashSafety, AKilledSaveLeavesTheOldOrTheNewContentWhole)
{
    ASSERT_TRUE(QFile::exists(QFile::decodeName(writerPath()))) << writerPath().constData();
    const pid_t setup = start("expect", nullptr);
    ASSERT_GT(setup, 0);
    const int setupStatus = waitFor(setup);
    ASSERT_TRUE(WIFEXITED(setupStatus) && WEXITSTATUS(setupStatus) == 0) << setupStatus;
    const QByteArray first = readBytes(appFile(QStringLiteral("expected-1")));
    const QByteArray second = readBytes(appFile(QStringLiteral("expected-2")));
    ASSERT_GT(first.size(), 100000);
    ASSERT_GT(second.size(), first.size());
    ASSERT_EQ(readBytes(target()), first);

    // How long one save takes here, so that the kills spread over a few of them.
    int output = -1;
    pid_t pid = start("loop", &output);
    ASSERT_GT(pid, 0);
    ASSERT_EQ(readLine(output), "writing");
    const auto begun = std::chrono::steady_clock::now();
    ASSERT_EQ(readLine(output), "saved");
    const auto saveUs = std::chrono::duration_cast<std::chrono::microseconds>(
                            std::chrono::steady_clock::now() - begun)
                            .count();
    ::kill(pid, SIGKILL);
    waitFor(pid);
    ::close(output);

    std::random_device seedSource;
    const unsigned seed = seedSource();
    std::mt19937 random(seed);
    std::uniform_int_distribution<long> delayUs(0, 2 * saveUs + 500);
    int sawFirst = 0;
    int sawSecond = 0;
    constexpr int kKills = 200;
    for (int kill = 0; kill < kKills; ++kill) {
        pid = start("loop", &output);
        ASSERT_GT(pid, 0);
        // A kill before the writer has started would test nothing.
        if (readLine(output) != "writing") {
            const int status = waitFor(pid);
            FAIL() << "the writer ended before writing, status " << status;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        ::kill(pid, SIGKILL);
        const int status = waitFor(pid);
        ::close(output);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the writer stopped by itself, status " << status;

        const QByteArray now = readBytes(target());
        if (now == first)
            ++sawFirst;
        else if (now == second)
            ++sawSecond;
        else
            FAIL() << "kill " << kill << " (seed " << seed << ", save " << saveUs
                   << " us) left " << now.size() << " bytes that are neither content";
    }
    // Saves did complete between kills, so kills fell before, during and after renames.
    EXPECT_GT(sawFirst, 0) << "seed " << seed;
    EXPECT_GT(sawSecond, 0) << "seed " << seed;
}

INSTANTIATE_TEST_SUITE_P(Files, CrashSafety, ::testing::Values("loans", "settings"));

}  // namespace
}  // namespace wexlo::test
