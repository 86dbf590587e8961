#pragma once

// Timing an action until the user sees its result. The application notes when a watched widget
// (the list's viewport, or a window) has been painted: the end of the outermost event that
// painted it, so the rest of that repaint and the backing store's flush to the screen are
// included. An action is then timed from its start until such a repaint has ended after it,
// running the real event loop (Qt repaints on an update request a few milliseconds later).

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <vector>

#include "support/BenchUtil.h"

namespace wexlo::bench {

class PaintWatchApp : public QApplication {
public:
    PaintWatchApp(int& argc, char** argv) : QApplication(argc, argv) { clock_.start(); }

    void watch(QWidget* w) { watched_ = w; }
    // Repaints of the watched widget so far, and when the last one ended (ms on clock()).
    int paints() const { return paints_; }
    double lastPaintMs() const { return lastPaintMs_; }
    double nowMs() const { return static_cast<double>(clock_.nsecsElapsed()) / 1e6; }

    // Runs the event loop until the watched widget has been painted more than `after` times, at
    // most timeoutMs; true when it was.
    bool waitPaints(int after, int timeoutMs)
    {
        if (paints_ > after)
            return true;
        QEventLoop loop;
        loop_ = &loop;
        target_ = after;
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
        loop_ = nullptr;
        return paints_ > after;
    }

    bool notify(QObject* receiver, QEvent* e) override
    {
        const bool paint = e->type() == QEvent::Paint && receiver == watched_;
        ++depth_;
        const bool done = QApplication::notify(receiver, e);
        --depth_;
        if (paint)
            pending_ = true;
        if (pending_ && depth_ == 0) {
            pending_ = false;
            ++paints_;
            lastPaintMs_ = nowMs();
            if (loop_ && paints_ > target_)
                loop_->quit();
        }
        return done;
    }

private:
    QElapsedTimer clock_;
    QWidget* watched_ = nullptr;
    QEventLoop* loop_ = nullptr;
    int depth_ = 0, paints_ = 0, target_ = 0;
    bool pending_ = false;
    double lastPaintMs_ = 0;
};

// One timed action: to the end of one event-loop turn after it (what the benchmarks timed
// before), and to the end of the watched widget's first repaint after it.
struct Painted {
    double turn = 0, painted = 0;
    bool repainted = false;  // false: no repaint within the time-out; painted is then the turn
    bool late = false;       // the repaint came after the loop turn (the older measure missed it)
};

template <class F>
Painted timePainted(PaintWatchApp& app, F&& body, int timeoutMs = 2000)
{
    const double start = app.nowMs();
    body();
    const int after = app.paints();  // a repaint the handler forced itself is not the last one
    QCoreApplication::processEvents();
    Painted r;
    r.turn = app.nowMs() - start;
    r.late = app.paints() == after;
    r.repainted = app.waitPaints(after, timeoutMs);
    r.painted = r.repainted ? app.lastPaintMs() - start : r.turn;
    return r;
}

// A series of timed actions, reported as best and median, to the turn and to the repaint.
struct PaintedSeries {
    std::vector<double> turn, painted;
    int missed = 0, late = 0;
    void add(const Painted& p)
    {
        late += p.repainted && p.late ? 1 : 0;
        turn.push_back(p.turn);
        painted.push_back(p.painted);
        missed += p.repainted ? 0 : 1;
    }
    double best() const { return spread(painted).min; }
    double median() const { return spread(painted).median; }
    double bestTurn() const { return spread(turn).min; }
    double medianTurn() const { return spread(turn).median; }
};

// One line: best and median to the repaint, beside best and median to one loop turn.
inline void reportPainted(const char* what, const PaintedSeries& s)
{
    std::printf(
        "%-44s repainted best %8.3f median %8.3f ms | one loop turn best %8.3f median "
        "%8.3f ms | %zu runs, %d repainted after the turn%s\n",
        what, s.best(), s.median(), s.bestTurn(), s.medianTurn(), s.painted.size(), s.late,
        s.missed ? ", some without a repaint (see below)" : "");
    if (s.missed)
        std::printf("  %d of %zu had no repaint of the list within the time-out\n", s.missed,
                    s.painted.size());
    std::fflush(stdout);
}

}  // namespace wexlo::bench
