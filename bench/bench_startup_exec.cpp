// Start-up as the user waits for it: the real wexlo executable from exec to the map of its main
// window on the X server, beside a bare Qt Widgets program built on its own (it links only Qt
// Widgets, so the dynamic loader's work for the libraries we add is counted against us). The map
// of the window whose first type is normal (not the splash's) is seen by an X client in this
// process listening on the root window, so the figure is event-driven, not polled. The splash's
// fixed pause is left out by the program's own seam (WEXLO_NO_SPLASH_PAUSE). Peak resident memory
// is the child's VmHWM one second after the map (the window painted and idle). Needs an X server
// without a window manager (xvfb-run).

#include "support/BenchUtil.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <spawn.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

// Last: Xlib's macros (Status, Bool) clash with Qt's headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

extern char** environ;

using namespace wexlo;
using Clock = std::chrono::steady_clock;

namespace {

Atom atom(Display* d, const char* name) { return XInternAtom(d, name, False); }

QByteArray windowName(Display* d, Window w)
{
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    QByteArray name;
    if (XGetWindowProperty(d, w, atom(d, "_NET_WM_NAME"), 0, 256, False, atom(d, "UTF8_STRING"),
                           &type, &format, &count, &after, &data) == Success &&
        data) {
        name = QByteArray(reinterpret_cast<char*>(data), static_cast<qsizetype>(count));
        XFree(data);
    }
    return name;
}

bool normalType(Display* d, Window w)
{
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    bool normal = false;
    if (XGetWindowProperty(d, w, atom(d, "_NET_WM_WINDOW_TYPE"), 0, 16, False, XA_ATOM, &type,
                           &format, &count, &after, &data) == Success &&
        data) {
        // The first type is the one meant; the splash lists NORMAL after SPLASH as a fallback.
        normal =
            count > 0 && reinterpret_cast<Atom*>(data)[0] == atom(d, "_NET_WM_WINDOW_TYPE_NORMAL");
        XFree(data);
    }
    return normal;
}

long hwmKb(pid_t pid)
{
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

struct Run {
    double ms = -1;
    long peakKb = -1;
};

// Starts argv, waits for the map of its normal window titled title, then a second, and ends it.
Run runOnce(Display* d, const std::vector<std::string>& args, const char* title)
{
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    XSync(d, True);  // no stale events
    pid_t pid = 0;
    const auto start = Clock::now();
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        std::perror("posix_spawn");
        std::exit(1);
    }
    Run r;
    const int fd = ConnectionNumber(d);
    const bool verbose = std::getenv("BENCH_VERBOSE") != nullptr;
    while ((r.ms < 0 || verbose) && Clock::now() - start < std::chrono::seconds(verbose ? 2 : 30)) {
        while ((r.ms < 0 || verbose) && XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type != MapNotify)
                continue;
            const auto at = Clock::now();
            if (verbose)
                std::printf("  map %lx %s normal=%d at %.1f ms\n", e.xmap.window,
                            windowName(d, e.xmap.window).constData(), normalType(d, e.xmap.window),
                            std::chrono::duration<double, std::milli>(at - start).count());
            if (r.ms < 0 && normalType(d, e.xmap.window) && windowName(d, e.xmap.window) == title)
                r.ms = std::chrono::duration<double, std::milli>(at - start).count();
        }
        if (r.ms >= 0 && !verbose)
            break;
        fd_set set;
        FD_ZERO(&set);
        FD_SET(fd, &set);
        timeval tv{0, 100000};
        select(fd + 1, &set, nullptr, nullptr, &tv);
    }
    std::this_thread::sleep_for(std::chrono::seconds(1));
    r.peakKb = hwmKb(pid);
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    if (r.ms < 0) {
        std::printf("no window titled %s was mapped within 30 s\n", title);
        std::exit(1);
    }
    return r;
}

struct Series {
    std::vector<double> ms, mib;
};

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 7;
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::printf(
            "bench_startup_exec skipped: needs an X server (xvfb-run, no window manager)\n");
        return 0;
    }
    // A window mapped for a moment (a menu's, the splash) may be gone before its properties are
    // read: that is no window we wait for, not a reason to end.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    setenv("WEXLO_NO_SPLASH_PAUSE", "1", 1);

    QTemporaryDir dir;
    auto home = [&](int n) {
        const QString folder = dir.filePath(QString::number(n));
        QDir().mkpath(folder);
        QFile f(folder + QStringLiteral("/datalist.txt"));
        f.open(QIODevice::WriteOnly);
        f.write(bench::plainLoans(n));
        return folder.toStdString();
    };
    const std::string h0 = home(0), h6553 = home(6553), h100k = home(100000);
    const std::vector<std::string> bare{WEXLO_BARE_WINDOW};
    const std::vector<std::string> bareText{WEXLO_BARE_WINDOW, "--text"};
    auto wexlo = [](const std::string& h) {
        return std::vector<std::string>{WEXLO_EXECUTABLE, "--home", h};
    };

    Series b, bt, o0, o6553, o100k;
    auto add = [](Series& s, const Run& r) {
        s.ms.push_back(r.ms);
        s.mib.push_back(static_cast<double>(r.peakKb) / 1024.0);
    };
    runOnce(d, bare, "Bare");  // warms the page cache for both
    runOnce(d, wexlo(h6553), "Wexlo");
    for (int i = 0; i < runs; ++i) {
        add(b, runOnce(d, bare, "Bare"));
        add(bt, runOnce(d, bareText, "Bare"));
        add(o6553, runOnce(d, wexlo(h6553), "Wexlo"));
        add(o0, runOnce(d, wexlo(h0), "Wexlo"));
        add(o100k, runOnce(d, wexlo(h100k), "Wexlo"));
    }
    using bench::spread;
    std::printf(
        "%d runs each, min/median/max; ratio of medians (range: our min over their max to our max "
        "over their min)\n",
        runs);
    bench::reportSpread("exec to map, 6553 loans", spread(o6553.ms), "bare Qt window", spread(b.ms),
                        "ms", "(target 1.3)");
    bench::reportSpread("exec to map, 6553 loans", spread(o6553.ms), "bare, menu + label",
                        spread(bt.ms), "ms");
    bench::reportSpread("exec to map, no loans", spread(o0.ms), "bare Qt window", spread(b.ms),
                        "ms");
    bench::reportSpread("exec to map, bare with menu + label", spread(bt.ms), "bare Qt window",
                        spread(b.ms), "ms");
    bench::reportSpread("exec to map, 100000 loans", spread(o100k.ms), "bare Qt window",
                        spread(b.ms), "ms", "(target < 150 ms)");
    bench::reportSpread("peak memory, 6553 loans", spread(o6553.mib), "bare Qt window",
                        spread(b.mib), "MiB");
    bench::reportSpread("peak memory, no loans", spread(o0.mib), "bare Qt window", spread(b.mib),
                        "MiB");
    bench::reportSpread("peak memory, 100000 loans", spread(o100k.mib), "bare Qt window",
                        spread(b.mib), "MiB");
    const double perLoan =
        (spread(o100k.mib).median - spread(o0.mib).median) * 1048576.0 / 100000.0;
    const double perLoan6553 =
        (spread(o6553.mib).median - spread(o0.mib).median) * 1048576.0 / 6553.0;
    std::printf(
        "%-40s %8.0f bytes (100000 loans), %8.0f bytes (6553 loans), medians (target <= 300)\n",
        "peak memory per loan above no loans", perLoan, perLoan6553);
    XCloseDisplay(d);
    return 0;
}
