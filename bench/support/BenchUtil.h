#pragma once

// Small timing helpers shared by the benchmarks.

#include <QElapsedTimer>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace wexlo::bench {

// Best of n runs, in milliseconds (the least disturbed run).
inline double bestMs(int runs, const std::function<void()>& body)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        body();
        best = std::min(best, static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    return best;
}

// One line: what, our figure, the baseline's, their ratio, and the target when there is one.
inline void report(const char* what, double ours, const char* baselineName, double baseline,
                   const char* unit = "ms", const char* target = "")
{
    std::printf("%-44s %10.3f %s | %-28s %10.3f %s | ratio %6.2f %s\n", what, ours, unit,
                baselineName, baseline, unit, baseline > 0 ? ours / baseline : 0.0, target);
    std::fflush(stdout);
}

}  // namespace wexlo::bench
