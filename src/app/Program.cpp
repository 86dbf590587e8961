#include "app/Program.h"

#include "WexloConfig.h"

#include <QCoreApplication>

namespace wexlo::app {

ProgramInfo wexloProgramInfo()
{
    ProgramInfo info;
    info.title = QStringLiteral("Wexlo");
    info.executable = QStringLiteral("Wexlo");
    info.description = QCoreApplication::translate("wexlo::app", "Tracks items you lend to people");
    info.versionMajor = WEXLO_VERSION_MAJOR;
    info.versionMinor = WEXLO_VERSION_MINOR;
    info.versionRevision = WEXLO_VERSION_REVISION;
    info.updateFileName = QStringLiteral("WexloUpd.exe");
    info.makerName = QStringLiteral(WEXLO_MAKER_NAME);
    info.makerWebsite = QStringLiteral(WEXLO_MAKER_WEBSITE);
    info.bugAddress = QStringLiteral(WEXLO_BUG_ADDRESS);
    info.updateServer = QStringLiteral(WEXLO_UPDATE_SERVER);
    info.makerProducts = QStringLiteral(WEXLO_MAKER_PRODUCTS);
    info.updatePublicKey = QStringLiteral(WEXLO_UPDATE_PUBLIC_KEY);
    return info;
}

void installProgramInfo() { setProgramInfo(wexloProgramInfo()); }

}  // namespace wexlo::app
