#include "shared/util/Help.h"

#include "platform/AppFolder.h"
#include "platform/Platform.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/util/Files.h"
#include "shared/util/ProgramInfo.h"
#include "shared/util/Web.h"

#include <QCoreApplication>

namespace wexlo::help {

namespace {
namespace logname {
const QString kModule = QStringLiteral("modHelp");
const QString kShow = QStringLiteral("sub showhelp");
}  // namespace logname

QString helpIn(const QString& folder)
{
    return files::withSlash(folder) + QStringLiteral("Help/Index.htm");
}
}  // namespace

QString pagePath()
{
    QString inHome = helpIn(platform::appFolder());
    if (files::exists(inHome))
        return inHome;
    // Installed copies live beside the program (or in ../share/wexlo for a system install).
    for (const QString& folder : {platform::programFolder(),
                                  platform::programFolder() + QStringLiteral("/../share/wexlo")}) {
        QString candidate = helpIn(folder);
        if (files::exists(candidate))
            return candidate;
    }
    return inHome;
}

void show(QWidget* owner)
{
    // A help page that cannot be opened must not stop the window that asked for it.
    runGuarded(logname::kShow, logname::kModule, [&] {
        const QString path = pagePath();
        if (files::exists(path))
            web::openAddress(owner, path);
        else
            platform::message(
                owner, QCoreApplication::translate("Help", "Cannot find help file %1").arg(path),
                programTitle());
    });
}

}  // namespace wexlo::help
