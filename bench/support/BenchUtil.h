#pragma once

// Small timing helpers and inputs shared by the benchmarks.

#include <QByteArray>
#include <QElapsedTimer>
#include <QSaveFile>
#include <QString>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace wexlo::bench {

// A loans file of n plain loans, their dates spread over 9,000 days in file order.
inline QByteArray plainLoans(int n)
{
    QByteArray bytes;
    bytes.reserve(n * 120);
    for (int i = 0; i < n; ++i)
        bytes += "DATE: " + QByteArray::number(38000 + i % 9000) + " \r\nLENTTO:Person " +
                 QByteArray::number(i) + "\r\nITEM:A thing lent out number " +
                 QByteArray::number(i) +
                 "\r\nPHONE:555-0100\r\nADDRESS:12 High Street, Springfield\r\n";
    return bytes;
}

// The baseline for a save: the bytes written to a new file that is on the disk before it
// replaces the old one, as durable as the program's own save.
inline void durableWrite(const QString& path, const QByteArray& bytes)
{
    QSaveFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    f.flush();
    ::fsync(f.handle());
    f.commit();
}

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

namespace wexlo::bench {

// Min, median and max of a series of runs.
struct Spread {
    double min = 0, median = 0, max = 0;
};

inline Spread spread(std::vector<double> v)
{
    if (v.empty())
        return {};
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return {v.front(), n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2, v.back()};
}

// One line: our min/median/max, the baseline's, and the ratio of the medians with its range
// (our min over the baseline's max, our max over the baseline's min).
inline void reportSpread(const char* what, const Spread& ours, const char* baselineName,
                         const Spread& base, const char* unit = "ms", const char* target = "")
{
    std::printf(
        "%-40s %8.1f/%8.1f/%8.1f %s | %-22s %8.1f/%8.1f/%8.1f %s | ratio %.2f (%.2f-%.2f) %s\n",
        what, ours.min, ours.median, ours.max, unit, baselineName, base.min, base.median, base.max,
        unit, base.median > 0 ? ours.median / base.median : 0.0,
        base.max > 0 ? ours.min / base.max : 0.0, base.min > 0 ? ours.max / base.min : 0.0, target);
    std::fflush(stdout);
}

}  // namespace wexlo::bench
