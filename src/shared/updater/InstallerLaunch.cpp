#include "shared/updater/InstallerLaunch.h"

#include "platform/Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace wexlo::updater {

QString ownUpdaterProgram(const QString& programFolder)
{
    const QDir folder(programFolder);
    for (const QString& candidate :
         {folder.filePath(QStringLiteral("wexlo-updater")),
          folder.filePath(QStringLiteral("../libexec/wexlo/wexlo-updater"))}) {
        const QFileInfo info(candidate);
        if (info.isFile() && info.isExecutable())
            return info.canonicalFilePath();
    }
    return {};
}

InstallerStart startInstaller(const QString& appFolder, const QString& windowTitle,
                              const CheckedPackage& package, const QString& program,
                              const QStringList& arguments)
{
    const QString portable = QDir(appFolder).filePath(QStringLiteral("Updater.exe"));
    if (QFileInfo::exists(portable))
        return {platform::shell().startProgram(portable, {windowTitle}, appFolder), portable};

    const QString own = ownUpdaterProgram(QFileInfo(program).absolutePath());
    // With no updater of either kind the user is told of the one a portable copy would bring.
    if (own.isEmpty())
        return {false, portable};
    QFile signature(package.path + QStringLiteral(".minisig"));
    if (!signature.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        signature.write(package.signature) != package.signature.size() || !signature.flush())
        return {false, own};
    signature.close();
    const QStringList updaterArguments =
        QStringList{
            QStringLiteral("--pid"),     QString::number(QCoreApplication::applicationPid()),
            QStringLiteral("--home"),    appFolder,
            QStringLiteral("--package"), package.path,
            QStringLiteral("--program"), program,
            QStringLiteral("--")} +
        arguments;
    return {QProcess::startDetached(own, updaterArguments, appFolder), own};
}

}  // namespace wexlo::updater
