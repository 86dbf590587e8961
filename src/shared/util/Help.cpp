#include "shared/util/Help.h"

#include "platform/AppFolder.h"
#include "platform/Platform.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/util/Files.h"
#include "shared/util/Pointer.h"
#include "shared/util/ProgramInfo.h"
#include "shared/util/Web.h"

namespace wexlo::help {

namespace {
QString helpIn(const QString& folder)
{
    return files::withSlash(folder) + QStringLiteral("Help/Index.htm");
}
}  // namespace

QString helpFilePath()
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

void showhelp(QWidget* owner, const QString& topic)
{
    Q_UNUSED(topic)
    ErrorRecorder on(QStringLiteral("sub showhelp"), QStringLiteral("modHelp"));
    QString path;
    on([&] { path = helpFilePath(); });
    on([&] {
        if (files::exists(path))
            web::openAddress(owner, path);
        else
            platform::message(owner, QStringLiteral("Cannot find help file ") + path,
                              programTitle());
    });
}

}  // namespace wexlo::help
