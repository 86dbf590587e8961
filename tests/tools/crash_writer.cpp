// Rewrites the loans file or the settings file over and over, alternating two large contents,
// until it is killed. The crash-safety test kills it at random moments and then looks at what
// the file holds.
//
//   crash_writer expect KIND DIR   writes both contents beside the file (expected-1, expected-2)
//                                  and the file itself with the first
//   crash_writer serve KIND DIR    forks writers on request (see below)
// KIND is loans, returned (loans with due dates and returned loans, written as the main window
// writes them) or settings.

#include "app/LoansFile.h"
#include "platform/AppFolder.h"
#include "platform/Platform.h"
#include "shared/settings/Settings.h"
#include "shared/settings/SettingsStore.h"
#include "shared/util/Files.h"

#include <QByteArray>
#include <QString>

#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using namespace wexlo;

// No window can be shown here; a failure the save reports ends the run with its text.
class FailingMessageBox : public platform::MessageBox {
public:
    platform::MsgAnswer show(const platform::MessageRequest& r) override
    {
        std::fprintf(stderr, "crash_writer: %s\n", qPrintable(r.text));
        std::exit(3);
    }
};

QString inFolder(const QString& name) { return files::withSlash(platform::appFolder()) + name; }

// Loans in the data file's format: five lines per record, the date as its day number. The two
// variants differ in every record and in their number of records.
void writeLoans(const QString& path, int variant)
{
    auto out = files::openForOutput(path);
    if (!out) {
        std::fprintf(stderr, "crash_writer: cannot open %s\n", qPrintable(path));
        std::exit(3);
    }
    const int records = variant == 1 ? 750 : 900;
    for (int i = 0; i < records; ++i) {
        out->writeLine(QStringLiteral("DATE: %1 ").arg(38000 + (i * 7 + variant) % 9000));
        out->writeLine(QStringLiteral("LENTTO:Borrower %1 of set %2").arg(i).arg(variant));
        out->writeLine(
            QStringLiteral("ITEM:Book number %1, a long title: volume %2").arg(i).arg(variant));
        out->writeLine(QStringLiteral("PHONE:0%1").arg(100000000 + i * variant));
        out->writeLine(
            QStringLiteral("ADDRESS:%1 High Street: Flat %2, Somewhere").arg(i).arg(variant));
    }
    out->close();
}

// Loans with DUE and RETURNED lines, through the main window's writer: every third loan has a
// due date, every fourth has come back.
void writeLoansWithLife(const QString& path, int variant)
{
    auto out = files::openForOutput(path);
    if (!out) {
        std::fprintf(stderr, "crash_writer: cannot open %s\n", qPrintable(path));
        std::exit(3);
    }
    const int records = variant == 1 ? 800 : 950;
    const QDate base(2020, 1, 1);
    auto cell = [&](int i, int column) -> QString {
        switch (column) {
            case field::Date:
                return loansfile::isoDate(base.addDays((i * 7 + variant) % 2000));
            case field::Borrower:
                return QStringLiteral("Borrower %1 of set %2").arg(i).arg(variant);
            case field::Item:
                return QStringLiteral("Book number %1, a long title: volume %2")
                    .arg(i)
                    .arg(variant);
            case field::Phone:
                return QStringLiteral("0%1").arg(100000000 + i * variant);
            case field::Address:
                return QStringLiteral("%1 High Street: Flat %2").arg(i).arg(variant);
            case field::Due:
                return i % 3 == 0 ? loansfile::isoDate(base.addDays(2000 + i % 90)) : QString();
            case field::Returned:
                return i % 4 == 0 ? loansfile::isoDate(base.addDays(2100 + i / 4)) : QString();
            default:
                return {};
        }
    };
    loansfile::formatLoans(records, cell,
                           [&out](const QByteArray& bytes) { out->writeBytes(bytes); });
    out->close();
}

void writeSettings(const QString& path, int variant)
{
    SettingsStore* store = settings::store();
    store->clear();
    const int entries = variant == 1 ? 4000 : 4800;
    for (int i = 0; i < entries; ++i) {
        const QString key = QStringLiteral("Setting%1").arg(i, 5, 10, QLatin1Char('0'));
        if (i % 3 == 0)
            settings::writeSetting(key, SettingValue(static_cast<std::int32_t>(i * variant)));
        else if (i % 3 == 1)
            settings::writeSetting(key, SettingValue(variant == 1));
        else
            settings::writeSetting(
                key,
                SettingValue(QStringLiteral("value %1 of set %2, with text").arg(i).arg(variant)));
    }
    settings::saveFile(path);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: crash_writer expect|serve loans|settings DIR\n");
        return 2;
    }
    static FailingMessageBox boxes;
    platform::setMessageBox(&boxes);
    SettingsStore::setErrorReporter([](const QString& message, const QString&) {
        std::fprintf(stderr, "crash_writer: %s\n", qPrintable(message));
        std::exit(3);
    });
    platform::setAppFolder(QString::fromLocal8Bit(argv[3]));

    const bool life = std::strcmp(argv[2], "returned") == 0;
    const bool loans = life || std::strcmp(argv[2], "loans") == 0;
    const QString file =
        inFolder(loans ? QStringLiteral("datalist.txt") : QStringLiteral("Wexlo.ini"));
    if (!loans)
        settings::loadFile(inFolder(QStringLiteral("no-such-file.ini")));
    auto write = [&](const QString& path, int variant) {
        if (life)
            writeLoansWithLife(path, variant);
        else if (loans)
            writeLoans(path, variant);
        else
            writeSettings(path, variant);
    };

    if (std::strcmp(argv[1], "expect") == 0) {
        write(inFolder(QStringLiteral("expected-1")), 1);
        write(inFolder(QStringLiteral("expected-2")), 2);
        write(file, 1);
        return 0;
    }
    if (std::strcmp(argv[1], "serve") != 0)
        return 2;
    // Starting a program linked with Qt costs far more than a save, so the writers are forked
    // from here, one per command line read from standard input:
    //   "time"   one save in a child; prints how many microseconds it took
    //   "start"  a child that saves the second, the first, the second, ... until killed;
    //            prints its process id
    //   "reap"   waits for that child; prints its wait status
    std::signal(SIGPIPE, SIG_IGN);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    char command[32];
    pid_t child = -1;
    while (std::fgets(command, sizeof command, stdin) != nullptr) {
        if (std::strncmp(command, "time", 4) == 0) {
            const auto begun = std::chrono::steady_clock::now();
            const pid_t pid = ::fork();
            if (pid == 0) {
                write(file, 2);
                ::_exit(0);
            }
            int status = 0;
            ::waitpid(pid, &status, 0);
            const auto us = std::chrono::duration_cast<std::chrono::microseconds>(
                std::chrono::steady_clock::now() - begun);
            std::printf("%lld\n", static_cast<long long>(us.count()));
        } else if (std::strncmp(command, "start", 5) == 0) {
            child = ::fork();
            if (child == 0) {
                for (int variant = 2;; variant = 3 - variant)
                    write(file, variant);
            }
            std::printf("%d\n", static_cast<int>(child));
        } else if (std::strncmp(command, "reap", 4) == 0) {
            int status = 0;
            if (child > 0 && ::waitpid(child, &status, 0) != child)
                status = -1;
            child = -1;
            std::printf("%d\n", status);
        }
    }
    return 0;
}
