// Start-up to the shown main window with 6,553 loans, beside a bare Qt window, each timed from
// the start of a fresh process; then the peak memory of the program idle with those loans,
// beside the bare window's. The specified half-second pause of the splash is left out.

#include "app/Program.h"
#include "app/frmMain.h"
#include "platform/AppFolder.h"
#include "platform/Platform.h"
#include "support/BenchUtil.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

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

// The child: shows the window, says so, idles two seconds and reports its peak memory.
int child(int argc, char** argv)
{
    const bool ours = std::strcmp(argv[2], "ours") == 0;
    QApplication app(argc, argv);
    app::installProgramInfo();
    NoPauseClock clock;
    std::unique_ptr<QMainWindow> window;
    if (ours) {
        platform::setClock(&clock);
        platform::setAppFolder(QString::fromLocal8Bit(argv[3]));
        window = std::make_unique<frmMain>();
    } else {
        window = std::make_unique<QMainWindow>();
        window->resize(480, 360);
    }
    window->show();
    waitShown(*window);
    std::printf("shown\n");
    std::fflush(stdout);
    QTimer::singleShot(2000, &app, &QCoreApplication::quit);
    QApplication::exec();
    std::printf("%ld %ld\n", statusKb("VmHWM:"), statusKb("VmRSS:"));
    std::fflush(stdout);
    return 0;
}

struct Run {
    double ms = 0;
    long peakKb = 0;
};

Run runChild(const QString& self, const QString& kind, const QString& folder)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer t;
    t.start();
    p.start(self, {QStringLiteral("--child"), kind, folder});
    while (!p.canReadLine())
        if (!p.waitForReadyRead(30000))
            std::abort();
    Run r;
    r.ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
    p.readLine();
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
    Run ours{1e300, 0}, bare{1e300, 0};
    for (int i = 0; i < 5; ++i) {
        const Run o = runChild(self, QStringLiteral("ours"), dir.path());
        const Run b = runChild(self, QStringLiteral("bare"), dir.path());
        ours.ms = std::min(ours.ms, o.ms);
        bare.ms = std::min(bare.ms, b.ms);
        ours.peakKb = std::max(ours.peakKb, o.peakKb);
        bare.peakKb = std::max(bare.peakKb, b.peakKb);
    }
    bench::report("start-up to the shown window, 6553 loans", ours.ms, "bare Qt window", bare.ms,
                  "ms");
    bench::report("idle peak memory, 6553 loans", static_cast<double>(ours.peakKb) / 1024.0,
                  "bare Qt window", static_cast<double>(bare.peakKb) / 1024.0, "MiB");
    return 0;
}
