#include "shared/util/Pointer.h"

#include "platform/Platform.h"

namespace wexlo::pointer {

void showBusy()
{
    platform::mouse().setPointer(platform::Pointer::Busy);
    platform::eventPump().processEvents();
}

void showNormal()
{
    platform::mouse().setPointer(platform::Pointer::Default);
    platform::eventPump().processEvents();
}

}  // namespace wexlo::pointer
