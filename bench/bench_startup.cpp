// Start-up to the main window's first paint with 6,553 loans (the end of the repaint that drew
// the list), beside a bare Qt window's first paint, each timed from the start of a fresh process;
// the older measure, to the window exposed, beside it. Then the peak memory of the program idle
// with those loans, beside the bare window's. The splash's half-second pause is left out.

#include "app/Program.h"
#include "app/MainWindowAccess.h"
#include "platform/AppFolder.h"
#include "platform/ListView.h"
#include "platform/Platform.h"
#include "support/BenchUtil.h"
#include "support/PaintWatch.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <chrono>
#include <cstdio>
#include <cstring>

using namespace wexlo;

namespace {

// The splash's pause is a sleep on the program's clock; this one does not sleep.
class NoPauseClock : public platform::Clock {
public:
    void sleepMs(int) override {}
};

// A /proc/self/status figure in KiB.
long statusKb(const char* key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(static_cast<qsizetype>(std::strlen(key)))
                .trimmed()
                .split(' ')
                .value(0)
                .toLong();
    return -1;
}

void waitShown(QWidget& w)
{
    while (!w.windowHandle() || !w.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();
}

qint64 steadyNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The child: shows the window, says when it was exposed and when it was first painted (steady
// clock), idles two seconds and reports its peak memory.
int child(int argc, char** argv)
{
    const bool ours = std::strcmp(argv[2], "ours") == 0;
    bench::PaintWatchApp app(argc, argv);
    app::installProgramInfo();
    NoPauseClock clock;
    std::unique_ptr<QMainWindow> window;
    if (ours) {
        platform::setClock(&clock);
        platform::setAppFolder(QString::fromLocal8Bit(argv[3]));
        window = std::make_unique<MainWindow>();
    } else {
        window = std::make_unique<QMainWindow>();
        window->resize(480, 360);
    }
    // Ours is painted when its list is; the bare window has nothing inside.
    auto* ourWindow = dynamic_cast<MainWindow*>(window.get());
    app.watch(ourWindow ? MainWindowAccess(*ourWindow).loanList()->viewport() : window.get());
    window->show();
    waitShown(*window);
    const qint64 shown = steadyNs();
    app.waitPaints(0, 30000);
    const qint64 painted =
        steadyNs() - static_cast<qint64>((app.nowMs() - app.lastPaintMs()) * 1e6);
    std::printf("times %lld %lld\n", static_cast<long long>(shown),
                static_cast<long long>(app.paints() > 0 ? painted : -1));
    std::fflush(stdout);
    QTimer::singleShot(2000, &app, &QCoreApplication::quit);
    QApplication::exec();
    std::printf("%ld %ld\n", statusKb("VmHWM:"), statusKb("VmRSS:"));
    std::fflush(stdout);
    return 0;
}

struct Run {
    double ms = 0, shownMs = 0;
    long peakKb = 0;
};

Run runChild(const QString& self, const QString& kind, const QString& folder)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const qint64 start = steadyNs();
    p.start(self, {QStringLiteral("--child"), kind, folder});
    while (!p.canReadLine())
        if (!p.waitForReadyRead(30000))
            std::abort();
    Run r;
    const QList<QByteArray> times = p.readLine().trimmed().split(' ');
    if (times.size() != 3 || times[2].toLongLong() < 0) {
        std::printf("the %s window was never painted\n", qPrintable(kind));
        std::exit(1);
    }
    r.shownMs = static_cast<double>(times[1].toLongLong() - start) / 1e6;
    r.ms = static_cast<double>(times[2].toLongLong() - start) / 1e6;
    p.waitForFinished(30000);
    r.peakKb = p.readLine().split(' ').value(0).toLong();
    return r;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0)
        return child(argc, argv);

    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    {
        QFile f(dir.path() + QStringLiteral("/datalist.txt"));
        f.open(QIODevice::WriteOnly);
        for (int i = 0; i < 6553; ++i)
            f.write("DATE: " + QByteArray::number(38000 + i % 9000) + " \r\nLENTTO:Person " +
                    QByteArray::number(i) + "\r\nITEM:A thing lent out number " +
                    QByteArray::number(i) +
                    "\r\nPHONE:555-0100\r\nADDRESS:12 High Street, Springfield\r\n");
    }
    const QString self = QCoreApplication::applicationFilePath();
    std::vector<double> ours, oursShown, bare, bareShown;
    long oursPeakKb = 0, barePeakKb = 0;
    for (int i = 0; i < 7; ++i) {
        const Run o = runChild(self, QStringLiteral("ours"), dir.path());
        const Run b = runChild(self, QStringLiteral("bare"), dir.path());
        ours.push_back(o.ms);
        oursShown.push_back(o.shownMs);
        bare.push_back(b.ms);
        bareShown.push_back(b.shownMs);
        oursPeakKb = std::max(oursPeakKb, o.peakKb);
        barePeakKb = std::max(barePeakKb, b.peakKb);
    }
    using bench::spread;
    std::printf("7 runs each, min/median/max; ratio of medians\n");
    bench::reportSpread("start-up to the first paint, 6553 loans", spread(ours), "bare Qt window",
                        spread(bare), "ms");
    bench::reportSpread("start-up to exposed (older measure)", spread(oursShown), "bare Qt window",
                        spread(bareShown), "ms");
    bench::report("idle peak memory, 6553 loans", static_cast<double>(oursPeakKb) / 1024.0,
                  "bare Qt window", static_cast<double>(barePeakKb) / 1024.0, "MiB");
    return 0;
}
