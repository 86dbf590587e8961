#include "updater/RootStep.h"

#include "shared/updater/PackageSignature.h"
#include "shared/updater/UpdateVersion.h"
#include "updater/InstallDecision.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTextStream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>

namespace wexlo::updater {

namespace {

void say(const QString& line)
{
    std::fprintf(stdout, "%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

// Copies from into to, opening from as the file it is now (no link followed) and creating to
// anew; the copy is what is checked and installed, whatever happens to from afterwards.
bool copyPlainFile(const QString& from, const QString& to)
{
    const int in = ::open(QFile::encodeName(from).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (in < 0)
        return false;
    struct stat st {};
    if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(in);
        return false;
    }
    const int out = ::open(QFile::encodeName(to).constData(),
                           O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (out < 0) {
        ::close(in);
        return false;
    }
    bool ok = true;
    char block[65536];
    for (;;) {
        const ssize_t n = ::read(in, block, sizeof block);
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0)
            break;
        if (::write(out, block, static_cast<size_t>(n)) != n) {
            ok = false;
            break;
        }
    }
    ::close(in);
    return ::close(out) == 0 && ok;
}

}  // namespace

QString commandOutput(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

QString packageOwning(const QString& file)
{
    // "wexlo: /usr/bin/wexlo"
    const QString line = commandOutput(QStringLiteral("dpkg-query"), {QStringLiteral("-S"), file});
    const qsizetype colon = line.indexOf(QStringLiteral(": "));
    return colon > 0 && !line.contains(QLatin1Char('\n')) ? line.left(colon) : QString();
}

QString installedVersion()
{
    const QString status =
        commandOutput(QStringLiteral("dpkg-query"),
                      {QStringLiteral("-W"), QStringLiteral("-f=${db:Status-Status} ${Version}"),
                       QStringLiteral("wexlo")});
    // Installed, whether held or not.
    static const QString kInstalled = QStringLiteral("installed ");
    return status.startsWith(kInstalled) ? status.mid(kInstalled.size()).trimmed() : QString();
}

QString packageField(const QString& debFile, const QString& field)
{
    return commandOutput(QStringLiteral("dpkg-deb"), {QStringLiteral("--field"), debFile, field});
}

int runRootStep(const QString& package, const QString& version)
{
    // A folder that only root can write: mkdtemp makes it 0700.
    QByteArray pattern("/var/tmp/wexlo-update.XXXXXX");
    if (!::mkdtemp(pattern.data())) {
        say(QStringLiteral("Refused: no private folder for the package"));
        return kRefused;
    }
    const QString folder = QFile::decodeName(pattern);
    const QString copy = folder + QStringLiteral("/wexlo.deb");
    auto done = [&](int result) {
        QFile::remove(copy);
        QFile::remove(copy + QStringLiteral(".minisig"));
        QDir().rmdir(folder);
        return result;
    };
    say(QStringLiteral("Copying ") + package + QStringLiteral(" to ") + folder);
    if (!copyPlainFile(package, copy) ||
        !copyPlainFile(package + QStringLiteral(".minisig"), copy + QStringLiteral(".minisig"))) {
        say(QStringLiteral("Refused: the package or its signature could not be copied"));
        return done(kRefused);
    }
    const QString record = versionRecord(version);
    const QString installed = installedVersion();
    ParsedVersion expected;
    ParsedVersion running;
    parseVersion(record.isEmpty() ? QStringLiteral("0.0.0") : record, expected);
    parseVersion(
        versionRecord(installed).isEmpty() ? QStringLiteral("0.0.0") : versionRecord(installed),
        running);
    QFile signature(copy + QStringLiteral(".minisig"));
    const QByteArray signatureBytes =
        signature.open(QIODevice::ReadOnly) ? signature.read(64 * 1024) : QByteArray();
    const PackageSignature::Verdict verdict = PackageSignature::verify(
        copy, signatureBytes, PackageSignature::publicKey(), expected, running);
    if (record.isEmpty() || verdict != PackageSignature::Verdict::Good) {
        say(QStringLiteral("Refused: ") +
            (record.isEmpty() ? QStringLiteral("no version") : PackageSignature::refusal(verdict)));
        return done(kRefused);
    }
    say(QStringLiteral("Signature good for version ") + record);
    const InstallFacts facts{QStringLiteral("wexlo"), packageField(copy, QStringLiteral("Package")),
                             packageField(copy, QStringLiteral("Version")), installed};
    const InstallDecision decision = decide(facts);
    if (decision != InstallDecision::Install || facts.packageVersion != version) {
        say(QStringLiteral("Refused: ") +
            (decision != InstallDecision::Install
                 ? reason(decision)
                 : QStringLiteral("the package is of another version")));
        return done(kRefused);
    }
    say(QStringLiteral("Installing wexlo ") + facts.packageVersion + QStringLiteral(" over ") +
        installed);
    QProcess apt;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DEBIAN_FRONTEND"), QStringLiteral("noninteractive"));
    apt.setProcessEnvironment(env);
    apt.setProcessChannelMode(QProcess::MergedChannels);
    apt.start(QStringLiteral("apt-get"), {QStringLiteral("install"), QStringLiteral("-y"),
                                          QStringLiteral("--no-install-recommends"), copy});
    const bool finished = apt.waitForFinished(30 * 60 * 1000);
    for (const QByteArray& line : apt.readAll().split('\n'))
        if (!line.trimmed().isEmpty())
            say(QStringLiteral("apt-get: ") + QString::fromUtf8(line.trimmed()));
    if (!finished || apt.exitStatus() != QProcess::NormalExit || apt.exitCode() != 0 ||
        installedVersion() != version) {
        say(QStringLiteral("The package manager did not install the package"));
        return done(kInstallFailed);
    }
    say(QStringLiteral("Installed wexlo ") + version);
    return done(kInstalled);
}

}  // namespace wexlo::updater
