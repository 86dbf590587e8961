// A header click and an "Add Item" as the user makes them: a shown main window on the xcb
// platform (an X server such as Xvfb, no window manager), the click made on the X server by
// xdotool and delivered through the real event loop. Each is timed from the moment the button's
// release reaches the program to the end of its handler (sorted, or added and saved to the disk),
// and to the end of the window's next repaint (what the user then sees). Beside them: the same
// click on a bare QTreeView sorting a QStandardItemModel of the same rows, and a bare durable write
// of the file.

#include "app/MainWindowAccess.h"
#include "platform/AppFolder.h"
#include "platform/ListView.h"
#include "platform/Platform.h"
#include "support/BenchUtil.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QWindow>

#include <unistd.h>
#include <chrono>
#include <cstdio>

using namespace wexlo;
using Clock = std::chrono::steady_clock;

namespace {

class NoPauseClock : public platform::Clock {
public:
    void sleepMs(int) override {}
};

QByteArray loans(int n)
{
    QByteArray bytes;
    bytes.reserve(n * 120);
    for (int i = 0; i < n; ++i)
        bytes += "DATE: " + QByteArray::number(38000 + (i * 7919) % 9000) + " \r\nLENTTO:Person " +
                 QByteArray::number((i * 104729) % n) + "\r\nITEM:A thing lent out number " +
                 QByteArray::number(i) +
                 "\r\nPHONE:555-0100\r\nADDRESS:12 High Street, Springfield\r\n";
    return bytes;
}

double ms(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double, std::milli>(b - a).count();
}

// Notes when a click's release reaches the program, when its handler has run and when the event
// loop is next about to wait.
class Probe : public QObject {
public:
    Probe() = default;
    void handled()
    {
        if (armed_ && !handled_) {
            handledAt = Clock::now();
            handled_ = true;
            // When the handler painted everything itself, no repaint follows: then the repaint
            // ended with the handler.
            QTimer::singleShot(2000, this, [this, click = clicks_] {
                if (click == clicks_ && armed_ && handled_ && !painting_ && !idle_) {
                    idleAt = handledAt;
                    idle_ = true;
                    loop_.quit();
                }
            });
        }
    }
    // Clicks at the global point; false when the click did not arrive within ten seconds.
    bool click(QPoint at)
    {
        armed_ = true;
        released_ = handled_ = idle_ = painting_ = false;
        ++clicks_;
        QProcess::startDetached(
            QStringLiteral("xdotool"),
            {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
             QStringLiteral("click"), QStringLiteral("1")});
        QTimer::singleShot(10000, &loop_, [this, click = clicks_] {
            if (click == clicks_)
                loop_.quit();
        });
        loop_.exec();  // the real loop, which waits for events (and says so before it does)
        if (!idle_)
            std::printf("click at %d,%d: release %s, handled %s\n", at.x(), at.y(),
                        released_ ? "seen" : "not seen", handled_ ? "yes" : "no");
        armed_ = false;
        // Let hover and the like settle before the next click.
        QElapsedTimer s;
        s.start();
        while (s.elapsed() < 150)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return idle_ && released_;
    }
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (armed_ && !released_ && e->type() == QEvent::MouseButtonRelease) {
            releasedAt = Clock::now();
            released_ = true;
        }
        // Qt repaints a window on an update request from the platform (a short timer on xcb), so
        // the repaint comes after the loop has waited. An event posted now is delivered after it.
        if (armed_ && handled_ && !painting_ && e->type() == QEvent::UpdateRequest) {
            painting_ = true;
            QCoreApplication::postEvent(this, new QEvent(QEvent::User), Qt::LowEventPriority);
        }
        return false;
    }
    bool event(QEvent* e) override
    {
        if (e->type() != QEvent::User)
            return QObject::event(e);
        if (armed_ && painting_ && !idle_) {
            idleAt = Clock::now();
            idle_ = true;
            loop_.quit();
        }
        return true;
    }
    Clock::time_point releasedAt, handledAt, idleAt;

private:
    QEventLoop loop_;
    int clicks_ = 0;
    bool armed_ = false, released_ = false, handled_ = false, painting_ = false, idle_ = false;
};

void waitShown(QWidget& w)
{
    QElapsedTimer t;
    t.start();
    while ((!w.windowHandle() || !w.windowHandle()->isExposed()) && t.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    while (t.elapsed() < 10300)  // painted and settled
        if (t.elapsed() > 300 && w.windowHandle()->isExposed())
            break;
        else
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

QPoint sectionCentre(QHeaderView* h, int visual)
{
    const int logical = h->logicalIndex(visual);
    return h->viewport()->mapToGlobal(
        QPoint(h->sectionViewportPosition(logical) + h->sectionSize(logical) / 2, h->height() / 2));
}

struct Times {
    std::vector<double> handled, idle;
};

bool record(Probe& p, Times& t, QPoint at)
{
    if (!p.click(at))
        return false;
    t.handled.push_back(ms(p.releasedAt, p.handledAt));
    t.idle.push_back(ms(p.releasedAt, p.idleAt));
    return true;
}

int run(int n, const QString& folder, int clicks)
{
    const QString path = folder + QStringLiteral("/datalist.txt");
    const QByteArray bytes = loans(n);
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }
    const QByteArray label = QByteArray::number(n);
    Probe probe;
    qApp->installEventFilter(&probe);
    Times sortOurs, sortBare, add;
    {
        MainWindow w;
        w.move(0, 0);
        w.show();
        waitShown(w);
        QHeaderView* h = MainWindowAccess(w).loanList()->header();
        QObject::connect(h, &QHeaderView::sectionClicked, &probe, [&probe] { probe.handled(); });
        QObject::connect(MainWindowAccess(w).addButton(), &QPushButton::clicked, &probe,
                         [&probe] { probe.handled(); });
        for (int i = 0; i < clicks; ++i)
            if (!record(probe, sortOurs, sectionCentre(h, 1 + i % 2)))
                return std::printf("header click did not arrive\n"), 1;
        for (int i = 0; i < clicks; ++i) {
            MainWindowAccess(w).itemEdit()->setText(QStringLiteral("Ladder %1").arg(i));
            MainWindowAccess(w).borrowerEdit()->setText(QStringLiteral("Neighbour"));
            if (!record(probe, add,
                        MainWindowAccess(w).addButton()->mapToGlobal(
                            MainWindowAccess(w).addButton()->rect().center())))
                return std::printf("Add Item click did not arrive\n"), 1;
        }
        if (MainWindowAccess(w).loanList()->count() != n + clicks)
            return std::printf("the items were not added\n"), 1;
    }
    {
        // The same rows in a bare view that sorts its own model on a header click.
        QStandardItemModel model(n, 5);
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        const QList<QByteArray> lines = f.readAll().split('\n');
        for (int r = 0; r < n; ++r)
            for (int c = 0; c < 5; ++c) {
                const QByteArray& line = lines.value(r * 5 + c);
                model.setItem(r, c,
                              new QStandardItem(
                                  QString::fromUtf8(line.mid(line.indexOf(':') + 1).trimmed())));
            }
        QTreeView view;
        view.setRootIsDecorated(false);
        view.setUniformRowHeights(true);
        view.setModel(&model);
        view.setSortingEnabled(true);
        view.resize(700, 400);
        view.move(0, 0);
        view.show();
        waitShown(view);
        QObject::connect(view.header(), &QHeaderView::sectionClicked, &probe,
                         [&probe] { probe.handled(); });
        // The baseline's misses (a click not repainted within ten seconds) are left out and
        // counted.
        for (int i = 0; i < clicks; ++i)
            if (!record(probe, sortBare, sectionCentre(view.header(), 1 + i % 2)))
                std::printf("bare header click %d of %d left out\n", i + 1, clicks);
    }
    std::vector<double> write;
    for (int i = 0; i < clicks; ++i) {
        QElapsedTimer t;
        t.start();
        bench::durableWrite(path, bytes);
        write.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    qApp->removeEventFilter(&probe);
    using bench::spread;
    const bool big = n >= 100000;
    bench::reportSpread(("header click sorted, " + label).constData(), spread(sortOurs.handled),
                        "bare QTreeView", spread(sortBare.handled), "ms",
                        big ? "(target < 30 ms)" : "");
    bench::reportSpread(("header click to repainted, " + label).constData(), spread(sortOurs.idle),
                        "bare QTreeView", spread(sortBare.idle), "ms");
    bench::reportSpread(("Add Item saved, " + label).constData(), spread(add.handled),
                        "QSaveFile + fsync", spread(write), "ms", big ? "(target < 50 ms)" : "");
    bench::reportSpread(("Add Item to repainted, " + label).constData(), spread(add.idle),
                        "QSaveFile + fsync", spread(write), "ms");
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("xcb")) != QStringLiteral("xcb") ||
        qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::printf(
            "bench_events skipped: needs the xcb platform on an X server (xvfb-run, no window "
            "manager)\n");
        return 0;
    }
    QApplication app(argc, argv);
    NoPauseClock clock;
    platform::setClock(&clock);
    QTemporaryDir dir;
    platform::setAppFolder(dir.path());
    const int clicks = argc > 1 ? std::atoi(argv[1]) : 7;
    std::printf("%d clicks each, min/median/max from the release reaching the program\n", clicks);
    if (run(6553, dir.path(), clicks) != 0 || run(100000, dir.path(), clicks) != 0)
        return 1;
    return 0;
}
