#include "shared/ResetForTests.h"

#include "shared/dates/mSHAREDDateFunc.h"
#include "shared/diagnostics/Logging.h"
#include "shared/settings/Settings.h"
#include "shared/ui/mSHAREDProgress.h"
#include "shared/util/Delay.h"

namespace wexlo::shared {

void resetForTests()
{
    settings::resetForTests();
    logging::resetForTests();
    mSHAREDDateFunc::resetForTests();
    delay::resetForTests();
    mSHAREDProgress::resetForTests();
}

}  // namespace wexlo::shared
