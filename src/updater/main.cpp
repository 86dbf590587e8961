// wexlo-updater: started by Wexlo after the user agreed to install a downloaded update. It waits
// for Wexlo to end, has the package manager install the package (through pkexec, which asks for
// the user's consent, or directly when already root), and starts Wexlo again: the new version,
// or the old one when the update did not go in. Every step goes to log.txt in the register
// folder.
//
//   wexlo-updater --pid PID --home FOLDER --package FILE --program PATH [-- ARGUMENTS]
//   wexlo-updater --install FILE --version VERSION      (the root step; see RootStep.h)

#include "platform/AppFolder.h"
#include "shared/diagnostics/Logging.h"
#include "shared/util/ProgramInfo.h"
#include "updater/InstallDecision.h"
#include "updater/RootStep.h"

#include "WexloConfig.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QThread>

#include <unistd.h>
#include <csignal>
#include <cstring>

namespace {

using namespace wexlo;
using namespace wexlo::updater;

void log(const QString& text)
{
    try {
        logging::writeLine(QStringLiteral("Updater: ") + text);
    } catch (...) {
        // A log that cannot be written does not stop the update.
    }
}

bool processRunning(qint64 pid) { return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) == 0; }

QString argument(const QStringList& arguments, const QString& name)
{
    const qsizetype at = arguments.indexOf(name);
    return at >= 0 && at + 1 < arguments.size() ? arguments[at + 1] : QString();
}

void tell(const QString& text)
{
    log(QStringLiteral("Told the user: ") +
        QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    QMessageBox::warning(nullptr, QStringLiteral("Wexlo"), text);
}

int runUpdate(const QStringList& arguments)
{
    const qint64 pid = argument(arguments, QStringLiteral("--pid")).toLongLong();
    const QString package = argument(arguments, QStringLiteral("--package"));
    const QString program = argument(arguments, QStringLiteral("--program"));
    const qsizetype dashes = arguments.indexOf(QStringLiteral("--"));
    const QStringList wexloArguments = dashes >= 0 ? arguments.mid(dashes + 1) : QStringList();
    auto startWexlo = [&] {
        const bool started = QProcess::startDetached(program, wexloArguments);
        log((started ? QStringLiteral("Started ") : QStringLiteral("Could not start ")) + program);
    };

    log(QStringLiteral("Waiting for Wexlo (process ") + QString::number(pid) +
        QStringLiteral(") to end"));
    for (int i = 0; i < 600 && processRunning(pid); ++i)
        QThread::msleep(100);
    if (processRunning(pid)) {
        tell(QStringLiteral("Wexlo did not end, so the update was not installed.\nThe update "
                            "package was kept at ") +
             package + QLatin1Char('.'));
        return 1;
    }

    const QString programFile = QFileInfo(program).canonicalFilePath();
    InstallFacts facts{packageOwning(programFile), packageField(package, QStringLiteral("Package")),
                       packageField(package, QStringLiteral("Version")), installedVersion()};
    log(QStringLiteral("Program ") + programFile + QStringLiteral(" owned by '") +
        facts.programOwner + QStringLiteral("'; installed '") + facts.installedVersion +
        QStringLiteral("'; package '") + facts.packageName + QStringLiteral("' version '") +
        facts.packageVersion + QLatin1Char('\''));
    const InstallDecision decision = decide(facts);
    if (decision == InstallDecision::NotOwned) {
        // The package goes under a name the package manager takes as a file to install.
        QString kept = package;
        const QString named =
            QFileInfo(package).absolutePath() + QStringLiteral("/wexlo_") +
            (facts.packageVersion.isEmpty() ? QStringLiteral("update") : facts.packageVersion) +
            QStringLiteral(".deb");
        QFile::remove(named);
        if (QFile::copy(package, named))
            kept = named;
        tell(QStringLiteral("This copy of Wexlo (") + program +
             QStringLiteral(") was not installed by the package manager, so the updater leaves "
                            "it as it is.\nThe update package was kept at ") +
             kept + QStringLiteral(".\nTo install it: sudo apt-get install ") + kept);
        startWexlo();
        return 1;
    }
    if (decision != InstallDecision::Install) {
        tell(QStringLiteral("The update was not installed: ") + reason(decision) +
             QStringLiteral(".\nThe update package was kept at ") + package + QLatin1Char('.'));
        startWexlo();
        return 1;
    }

    // The root step is this program again, from where the package manager installed it.
    const QString self = QCoreApplication::applicationFilePath();
    const QStringList step = {QStringLiteral("--install"), package, QStringLiteral("--version"),
                              facts.packageVersion};
    QProcess install;
    install.setProcessChannelMode(QProcess::MergedChannels);
    if (::geteuid() == 0) {
        log(QStringLiteral("Installing as root"));
        install.start(self, step);
    } else {
        log(QStringLiteral("Asking for consent through pkexec"));
        install.start(QStringLiteral("pkexec"), QStringList{self} + step);
    }
    const bool finished = install.waitForFinished(-1);
    for (const QByteArray& line : install.readAll().split('\n'))
        if (!line.trimmed().isEmpty())
            log(QString::fromUtf8(line.trimmed()));
    const int code =
        finished && install.exitStatus() == QProcess::NormalExit ? install.exitCode() : -1;
    log(QStringLiteral("Install step ended with ") + QString::number(code));
    if (code == updater::kInstalled && installedVersion() == facts.packageVersion) {
        QFile::remove(package);
        QFile::remove(package + QStringLiteral(".minisig"));
        log(QStringLiteral("Installed version ") + facts.packageVersion);
        startWexlo();
        return 0;
    }
    QString why = QStringLiteral("the package manager could not install it");
    if (code == updater::kRefused)
        why = QStringLiteral("the package did not pass its checks");
    else if (code == 126 || code == 127)
        why = QStringLiteral("the permission to install it was not given");
    tell(QStringLiteral("The update was not installed: ") + why +
         QStringLiteral(".\nWexlo stays at version ") + facts.installedVersion +
         QStringLiteral(". The update package was kept at ") + package + QLatin1Char('.'));
    startWexlo();
    return 1;
}

}  // namespace

int main(int argc, char* argv[])
{
    ProgramInfo info;
    info.title = QStringLiteral("Wexlo");
    info.executable = QStringLiteral("wexlo-updater");
    info.versionMajor = WEXLO_VERSION_MAJOR;
    info.versionMinor = WEXLO_VERSION_MINOR;
    info.versionRevision = WEXLO_VERSION_REVISION;
    info.updatePublicKey = QStringLiteral(WEXLO_UPDATE_PUBLIC_KEY);
    setProgramInfo(info);

    if (argc >= 2 && std::strcmp(argv[1], "--install") == 0) {
        // The root step shows no window: pkexec gives it no display.
        QCoreApplication app(argc, argv);
        const QStringList arguments = QCoreApplication::arguments();
        return updater::runRootStep(argument(arguments, QStringLiteral("--install")),
                                    argument(arguments, QStringLiteral("--version")));
    }
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const QString home = argument(arguments, QStringLiteral("--home"));
    if (home.isEmpty() || argument(arguments, QStringLiteral("--package")).isEmpty() ||
        argument(arguments, QStringLiteral("--program")).isEmpty()) {
        std::fputs(
            "Usage: wexlo-updater --pid PID --home FOLDER --package FILE --program PATH "
            "[-- ARGUMENTS]\nStarted by Wexlo to install a downloaded update.\n",
            stderr);
        return 2;
    }
    platform::setAppFolder(home);
    return runUpdate(arguments);
}
