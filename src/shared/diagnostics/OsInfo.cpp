#include "shared/diagnostics/OsInfo.h"

#include "platform/Platform.h"
#include "shared/diagnostics/ErrorHandler.h"

namespace wexlo::osinfo {

namespace {
namespace logname {
const QString kModule = QStringLiteral("mSHAREDOSINFO");
const QString kSystemName = QStringLiteral("fosname");
}  // namespace logname
}  // namespace

QString systemName()
{
    QString result;
    runGuarded(logname::kSystemName, logname::kModule,
               [&] { result = platform::systemMetrics().productName(); });
    return result;
}

}  // namespace wexlo::osinfo
