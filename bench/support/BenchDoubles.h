#pragma once

// The platform stand-ins the window benchmarks share: a day that stands still, a splash pause
// that does not sleep, and every question answered Yes.

#include "platform/Platform.h"

#include <QDate>
#include <QDateTime>

namespace wexlo::bench {

inline const QDate kToday(2026, 3, 7);

class BenchClock : public platform::Clock {
public:
    QDate today() const override { return kToday; }
    QDateTime now() const override { return QDateTime(kToday, QTime(12, 0)); }
    void sleepMs(int) override {}
};

class YesBox : public platform::MessageBox {
public:
    platform::MsgAnswer show(const platform::MessageRequest&) override
    {
        return platform::MsgAnswer::Yes;
    }
};

}  // namespace wexlo::bench
