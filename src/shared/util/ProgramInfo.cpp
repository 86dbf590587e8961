#include "shared/util/ProgramInfo.h"

#include <utility>

namespace wexlo {

namespace {
ProgramInfo& info()
{
    static ProgramInfo i;
    return i;
}
}  // namespace

void setProgramInfo(ProgramInfo i) { info() = std::move(i); }

const ProgramInfo& programInfo() { return info(); }

QString programVersion()
{
    const ProgramInfo& i = info();
    return QString::number(i.versionMajor) + QLatin1Char('.') + QString::number(i.versionMinor) +
           QLatin1Char('.') + QString::number(i.versionRevision);
}

QString programTitle() { return info().title; }

}  // namespace wexlo
