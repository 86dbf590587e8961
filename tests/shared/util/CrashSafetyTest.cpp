// The loans file and the settings file are replaced whole: a program killed at any moment of a
// save leaves either the old content or the new one, never a mix or a truncated file.

#include "support/WexloTest.h"

#include <QCoreApplication>
#include <QDir>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <random>
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

    // Starts the writer; with toWriter and fromWriter, talks to it over two pipes.
    pid_t start(const char* mode, FILE** toWriter = nullptr, FILE** fromWriter = nullptr)
    {
        int in[2] = {-1, -1};
        int out[2] = {-1, -1};
        if (toWriter != nullptr && (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0))
            return -1;
        const QByteArray program = writerPath();
        const QByteArray folder = QFile::encodeName(home_.path());
        const pid_t pid = ::fork();
        if (pid == 0) {
            if (toWriter != nullptr) {
                ::dup2(in[0], STDIN_FILENO);
                ::dup2(out[1], STDOUT_FILENO);
            }
            const char* argv[] = {program.constData(), mode, GetParam(), folder.constData(),
                                  nullptr};
            ::execv(argv[0], const_cast<char* const*>(argv));
            ::_exit(127);
        }
        if (toWriter != nullptr) {
            ::close(in[0]);
            ::close(out[1]);
            *toWriter = ::fdopen(in[1], "w");
            *fromWriter = ::fdopen(out[0], "r");
        }
        return pid;
    }

    // Sends one command and reads the one-line answer as a number (-1 when the writer ended).
    static long long ask(FILE* to, FILE* from, const char* command)
    {
        std::fprintf(to, "%s\n", command);
        std::fflush(to);
        long long answer = -1;
        if (std::fscanf(from, "%lld", &answer) != 1)
            return -1;
        return answer;
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
        return appFile(QString::fromLatin1(GetParam()) != QLatin1String("settings")
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
    if (QString::fromLatin1(GetParam()) == QLatin1String("returned")) {
        ASSERT_TRUE(first.contains("\r\nDUE: ") && first.contains("\r\nRETURNED: "));
    }
    ASSERT_EQ(readBytes(target()), first);

    FILE* to = nullptr;
    FILE* from = nullptr;
    const pid_t server = start("serve", &to, &from);
    ASSERT_GT(server, 0);
    // How long one save takes here, so that the kills spread over about two of them.
    const long long saveUs = ask(to, from, "time");
    ASSERT_GT(saveUs, 0);
    ASSERT_EQ(readBytes(target()), second);

    std::random_device seedSource;
    const unsigned seed = seedSource();
    std::mt19937 random(seed);
    int sawFirst = 0;
    int sawSecond = 0;
    constexpr int kKills = 200;
    for (int kill = 0; kill < kKills; ++kill) {
        const long long pid = ask(to, from, "start");
        ASSERT_GT(pid, 0);
        // A save that waits for the disk can take many times the one measured; the spread
        // widens as the kills go on, so some always land after a save has completed.
        std::uniform_int_distribution<long long> delayUs(0, 2 * saveUs * (1 + kill / 25));
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        ::kill(static_cast<pid_t>(pid), SIGKILL);
        const long long status = ask(to, from, "reap");
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the writer stopped by itself, status " << status;

        const QByteArray now = readBytes(target());
        if (now == first)
            ++sawFirst;
        else if (now == second)
            ++sawSecond;
        else
            FAIL() << "kill " << kill << " (seed " << seed << ", save " << saveUs << " us) left "
                   << now.size() << " bytes that are neither content";
    }
    std::fclose(to);
    std::fclose(from);
    EXPECT_EQ(waitFor(server), 0);
    // Saves did complete between kills, so kills fell before, during and after renames.
    EXPECT_GT(sawFirst, 0) << "seed " << seed;
    EXPECT_GT(sawSecond, 0) << "seed " << seed;
}

INSTANTIATE_TEST_SUITE_P(Files, CrashSafety, ::testing::Values("loans", "returned", "settings"));

}  // namespace
}  // namespace wexlo::test
