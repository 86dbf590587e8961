#include "shared/util/Delay.h"

#include "platform/Platform.h"

#include <cmath>

namespace wexlo::delay {

namespace {
double& nextYield()
{
    static double t = 0.0;
    return t;
}
}  // namespace

void sleepMs(int ms) { platform::clock().sleepMs(ms); }

void waitMs(int ms)
{
    if (ms <= 1000)
        sleepMs(ms);
    else
        waitSeconds(static_cast<float>(ms) / 1000.0f);
}

void waitSeconds(float seconds)
{
    if (seconds > 1.0f) {
        const double whole = std::floor(static_cast<double>(seconds));
        for (int i = 0; i < 2 * static_cast<int>(whole); ++i) {
            sleepMs(500);
            yieldToInput();
        }
        const double fraction = static_cast<double>(seconds) - whole;
        if (fraction > 0.0)
            sleepMs(static_cast<int>(std::lround(fraction * 1000.0)));
    } else {
        sleepMs(static_cast<int>(std::lround(static_cast<double>(seconds) * 1000.0)));
    }
}

void yieldToInput()
{
    if (platform::eventPump().hasPendingInput())
        platform::eventPump().processEvents();
}

void throttledYield()
{
    const double now = platform::clock().monotonicSeconds();
    if (now > nextYield()) {
        platform::eventPump().processEvents();
        nextYield() = now + 0.25;
    }
}

void resetForTests() { nextYield() = 0.0; }

}  // namespace wexlo::delay
