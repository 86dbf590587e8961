#include "platform/AppFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace wexlo::platform {

namespace {
QString& folderValue()
{
    static QString folder;
    return folder;
}

QString clean(const QString& folder)
{
    QString f = QDir::cleanPath(QDir(folder).absolutePath());
    return f;
}
}  // namespace

QString appFolder()
{
    if (folderValue().isEmpty())
        folderValue() = resolveAppFolder(QCoreApplication::arguments(), programFolder());
    return folderValue();
}

void setAppFolder(const QString& folder) { folderValue() = clean(folder); }

QString programFolder()
{
    if (QCoreApplication::instance() != nullptr)
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QString resolveAppFolder(const QStringList& arguments, const QString& progFolder)
{
    QString chosen;
    const qsizetype at = arguments.indexOf(QStringLiteral("--home"));
    if (at >= 0 && at + 1 < arguments.size())
        chosen = arguments.at(at + 1);
    for (const QString& a : arguments)
        if (chosen.isEmpty() && a.startsWith(QStringLiteral("--home=")))
            chosen = a.mid(7);
    if (chosen.isEmpty())
        chosen = qEnvironmentVariable("WEXLO_HOME");
    if (chosen.isEmpty() && !progFolder.isEmpty()) {
        const QDir dir(progFolder);
        for (const char* marker : {"datalist.txt", "Wexlo.ini", "portable"})
            if (QFileInfo::exists(dir.filePath(QString::fromLatin1(marker))))
                chosen = progFolder;
    }
    if (chosen.isEmpty()) {
        QString data = qEnvironmentVariable("XDG_DATA_HOME");
        if (data.isEmpty())
            data = QDir::homePath() + QStringLiteral("/.local/share");
        chosen = data + QStringLiteral("/Wexlo");
    }
    chosen = clean(chosen);
    QDir().mkpath(chosen);
    return chosen;
}

}  // namespace wexlo::platform
