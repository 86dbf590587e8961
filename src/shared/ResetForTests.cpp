#include "shared/ResetForTests.h"

#include "shared/dates/mSHAREDDateFunc.h"
#include "shared/diagnostics/mSHAREDLogging.h"
#include "shared/settings/mSHAREDSettings.h"
#include "shared/ui/mSHAREDProgress.h"
#include "shared/util/mSHAREDDelay.h"

namespace wexlo::shared {

void resetForTests()
{
    mSHAREDSettings::resetForTests();
    mSHAREDLogging::resetForTests();
    mSHAREDDateFunc::resetForTests();
    mSHAREDDelay::resetForTests();
    mSHAREDProgress::resetForTests();
}

}  // namespace wexlo::shared
