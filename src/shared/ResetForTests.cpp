#include "shared/ResetForTests.h"

#include "shared/dates/DateFormat.h"
#include "shared/diagnostics/Logging.h"
#include "shared/settings/Settings.h"
#include "shared/ui/Progress.h"
#include "shared/util/Delay.h"

namespace wexlo::shared {

void resetForTests()
{
    settings::resetForTests();
    logging::resetForTests();
    dateformat::resetForTests();
    delay::resetForTests();
    progress::resetForTests();
}

}  // namespace wexlo::shared
