// Rewrites the loans file or the settings file over and over, alternating two large contents,
// until it is killed. The crash-safety test kills it at random moments and then looks at what
// the file holds.
//
//   crash_writer expect loans|settings DIR   writes both contents beside the file (expected-1,
//                                            expected-2) and the file itself with the first
//   crash_writer loop loans|settings DIR     writes the second, the first, the second, ...;
//                                            prints "writing" as it starts and "saved" once
//                                            the first save is complete

#include "platform/AppFolder.h"
#include "platform/Platform.h"
#include "shared/settings/cSHAREDSettings.h"
#include "shared/settings/mSHAREDSettings.h"
#include "shared/util/mSHAREDFileSubs.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <csignal>
#include <cstring>
#include <unistd.h>

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

QString inFolder(const QString& name)
{
    return mSHAREDFileSubs::addslash(platform::appFolder()) + name;
}

// Loans in the data file's format: five lines per record, the date as its day number. The two
// variants differ in every record and in their number of records.
void writeLoans(const QString& path, int variant)
{
    auto out = mSHAREDFileSubs::openforoutput(path);
    if (!out) {
        std::fprintf(stderr, "crash_writer: cannot open %s\n", qPrintable(path));
        std::exit(3);
    }
    const int records = variant == 1 ? 750 : 900;
    for (int i = 0; i < records; ++i) {
        out->writeLine(QStringLiteral("DATE: %1 ").arg(38000 + (i * 7 + variant) % 9000));
        out->writeLine(QStringLiteral("LENTTO:Borrower %1 of set %2").arg(i).arg(variant));
        out->writeLine(QStringLiteral("ITEM:Book number %1, a long title: volume %2").arg(i).arg(variant));
        out->writeLine(QStringLiteral("PHONE:0%1").arg(100000000 + i * variant));
        out->writeLine(QStringLiteral("ADDRESS:%1 High Street: Flat %2, Somewhere").arg(i).arg(variant));
    }
    out->close();
}

void writeSettings(const QString& path, int variant)
{
    cSHAREDSettings* store = mSHAREDSettings::gSettings();
    store->DeleteAllSettings();
    const int entries = variant == 1 ? 4000 : 4800;
    for (int i = 0; i < entries; ++i) {
        const QString key = QStringLiteral("Setting%1").arg(i, 5, 10, QLatin1Char('0'));
        if (i % 3 == 0)
            mSHAREDSettings::WriteSetting(key, SettingValue(static_cast<std::int32_t>(i * variant)));
        else if (i % 3 == 1)
            mSHAREDSettings::WriteSetting(key, SettingValue(variant == 1));
        else
            mSHAREDSettings::WriteSetting(
                key, SettingValue(QStringLiteral("value %1 of set %2, with text").arg(i).arg(variant)));
    }
    mSHAREDSettings::SaveSettingsFile(path);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: crash_writer expect|loop loans|settings DIR\n");
        return 2;
    }
    static FailingMessageBox boxes;
    platform::setMessageBox(&boxes);
    cSHAREDSettings::setErrorReporter([](const QString& message, const QString&) {
        std::fprintf(stderr, "crash_writer: %s\n", qPrintable(message));
        std::exit(3);
    });
    platform::setAppFolder(QString::fromLocal8Bit(argv[3]));

    const bool loans = std::strcmp(argv[2], "loans") == 0;
    const QString file = inFolder(loans ? QStringLiteral("datalist.txt") : QStringLiteral("Wexlo.ini"));
    if (!loans)
        mSHAREDSettings::LoadSettingsFile(inFolder(QStringLiteral("no-such-file.ini")));
    auto write = [&](const QString& path, int variant) {
        if (loans)
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
    if (std::strcmp(argv[1], "loop") != 0)
        return 2;
    // Nobody may be listening any more; that must not end the run.
    std::signal(SIGPIPE, SIG_IGN);
    auto say = [](const char* line) {
        if (::write(STDOUT_FILENO, line, std::strlen(line)) < 0) {
        }
    };
    say("writing\n");
    write(file, 2);
    say("saved\n");
    for (int variant = 1;; variant = 3 - variant)
        write(file, variant);
}
