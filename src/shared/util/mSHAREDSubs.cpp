#include "shared/util/mSHAREDSubs.h"

#include "WexloConfig.h"
#include "platform/Platform.h"
#include "shared/diagnostics/ErrorHandler.h"

namespace wexlo::mSHAREDSubs {

QString AppVersion()
{
    QString result;
    OnError on(QStringLiteral("AppVersion"), QStringLiteral("mSHAREDSubs"));
    on([&] {
        result = QString::number(WEXLO_VERSION_MAJOR) + QLatin1Char('.') +
                 QString::number(WEXLO_VERSION_MINOR) + QLatin1Char('.') +
                 QString::number(WEXLO_VERSION_REVISION);
    });
    return result;
}

QString AppTitle() { return QStringLiteral("Wexlo"); }

void busymouse()
{
    platform::mouse().setPointer(platform::Pointer::Hourglass);
    platform::eventPump().processEvents();
}

void normalmouse()
{
    platform::mouse().setPointer(platform::Pointer::Default);
    platform::eventPump().processEvents();
}

}  // namespace wexlo::mSHAREDSubs
