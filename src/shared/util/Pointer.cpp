#include "shared/util/Pointer.h"
#include "shared/util/ProgramInfo.h"

#include "platform/Platform.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/util/ProgramInfo.h"

namespace wexlo::mSHAREDSubs {

QString AppVersion()
{
    QString result;
    ErrorRecorder on(QStringLiteral("AppVersion"), QStringLiteral("mSHAREDSubs"));
    on([&] {
        result = QString::number(programInfo().versionMajor) + QLatin1Char('.') +
                 QString::number(programInfo().versionMinor) + QLatin1Char('.') +
                 QString::number(programInfo().versionRevision);
    });
    return result;
}

QString AppTitle() { return programInfo().title; }

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
