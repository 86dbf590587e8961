// The version file comes from a web server: parsing it must never crash or hang.

#include "FuzzSupport.h"
#include "shared/updater/UpdateVersion.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    wexlo::fuzz::setUpOnce();
    wexlo::ParsedVersion v;
    wexlo::parseVersion(wexlo::fuzz::text(data, size), v);
    wexlo::ParsedVersion running;
    wexlo::parseVersion(QStringLiteral("1.0.8"), running);
    (void)v.isNewerThan(running);
    (void)v.text();
    return 0;
}
