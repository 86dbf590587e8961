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

}  // namespace wexlo
