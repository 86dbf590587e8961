// Start-up as the user waits for it: the real wexlo executable from exec to the first paint of
// its main window on the X server, beside a bare Qt Widgets program built on its own (it links
// only Qt Widgets, so the dynamic loader's work for the libraries we add is counted against us).
// An X client in this process listens on the root window: it sees each new top-level window
// created, asks the X server for that window's damage (what is drawn into it, the DAMAGE
// extension), and takes the window whose first type is normal (not the splash's) from its map on.
// The first paint ends when the drawing received covers the whole window (Qt draws a window's
// first frame in one image), so the figure is event-driven, not polled. The map (the older
// measure) is shown beside it. The splash's fixed pause is left out by the program's own seam
// (WEXLO_NO_SPLASH_PAUSE). Peak resident memory is the child's VmHWM one second after the map
// (the window painted and idle). Needs an X server without a window manager (xvfb-run).

#include "support/BenchUtil.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <dlfcn.h>
#include <spawn.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <thread>

// Last: Xlib's macros (Status, Bool) clash with Qt's headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

extern char** environ;

using namespace wexlo;
using Clock = std::chrono::steady_clock;

namespace {

Atom atom(Display* d, const char* name) { return XInternAtom(d, name, False); }

// The DAMAGE extension's client library, opened when there (its header is not needed: the two
// calls and the event are declared here as the library defines them).
struct DamageNotify {
    int type;
    unsigned long serial;
    Bool send_event;
    Display* display;
    Drawable drawable;
    XID damage;
    int level;
    Bool more;
    Time timestamp;
    XRectangle area;
    XRectangle geometry;
};
struct DamageApi {
    using QueryExtension = Bool (*)(Display*, int*, int*);
    using Create = XID (*)(Display*, Drawable, int);
    Create create = nullptr;
    int event = -1;  // the DamageNotify event's type; -1 when damage cannot be seen
    static constexpr int kReportRawRectangles = 0;

    explicit DamageApi(Display* d)
    {
        void* lib = dlopen("libXdamage.so.1", RTLD_NOW);
        if (!lib)
            return;
        auto query = reinterpret_cast<QueryExtension>(dlsym(lib, "XDamageQueryExtension"));
        create = reinterpret_cast<Create>(dlsym(lib, "XDamageCreate"));
        int base = 0, error = 0;
        if (query && create && query(d, &base, &error))
            event = base;  // XDamageNotify is the extension's first event
    }
};

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
    double ms = -1;       // to the end of the first paint (the whole window drawn)
    double mapMs = -1;    // to the map
    double firstMs = -1;  // to the first drawing into it
    long peakKb = -1;
};

// Starts argv, waits for the map of its normal window titled title and its first paint, then a
// second, and ends it.
Run runOnce(Display* d, const DamageApi& damage, const std::vector<std::string>& args,
            const char* title)
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
    const bool seeDamage = damage.event >= 0;
    auto done = [&] { return r.mapMs >= 0 && (!seeDamage || r.ms >= 0) && !verbose; };
    auto since = [&](Clock::time_point at) {
        return std::chrono::duration<double, std::milli>(at - start).count();
    };
    Window target = 0;
    double drawn = 0;  // pixels drawn into the target so far
    while (!done() && Clock::now() - start < std::chrono::seconds(verbose ? 2 : 30)) {
        while (!done() && XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            const auto at = Clock::now();
            if (e.type == CreateNotify && seeDamage) {
                // Before it is mapped, so its first drawing is seen.
                damage.create(d, e.xcreatewindow.window, DamageApi::kReportRawRectangles);
                continue;
            }
            if (seeDamage && e.type == damage.event) {
                const auto& n = reinterpret_cast<const DamageNotify&>(e);
                if (verbose)
                    std::printf("  damage %lx %dx%d+%d+%d of %dx%d at %.1f ms\n", n.drawable,
                                n.area.width, n.area.height, n.area.x, n.area.y, n.geometry.width,
                                n.geometry.height, since(at));
                if (n.drawable != target || target == 0 || r.ms >= 0)
                    continue;
                if (r.firstMs < 0)
                    r.firstMs = since(at);
                drawn += double(n.area.width) * n.area.height;
                if (drawn >= double(n.geometry.width) * n.geometry.height)
                    r.ms = since(at);
                continue;
            }
            if (e.type != MapNotify)
                continue;
            if (verbose)
                std::printf("  map %lx %s normal=%d at %.1f ms\n", e.xmap.window,
                            windowName(d, e.xmap.window).constData(), normalType(d, e.xmap.window),
                            since(at));
            if (r.mapMs < 0 && normalType(d, e.xmap.window) &&
                windowName(d, e.xmap.window) == title) {
                r.mapMs = since(at);
                target = e.xmap.window;
            }
        }
        if (done())
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
    if (r.mapMs < 0) {
        std::printf("no window titled %s was mapped within 30 s\n", title);
        std::exit(1);
    }
    if (r.ms < 0) {
        std::printf("the window titled %s was not painted within 30 s%s\n", title,
                    seeDamage ? "" : " (no DAMAGE extension: the map stands for it)");
        if (seeDamage)
            std::exit(1);
        r.ms = r.firstMs = r.mapMs;
    }
    return r;
}

struct Series {
    std::vector<double> ms, mapMs, firstMs, mib;
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
    const DamageApi damage(d);
    if (damage.event < 0)
        std::printf("no DAMAGE extension (libXdamage.so.1): start-up is timed to the map only\n");
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
        s.mapMs.push_back(r.mapMs);
        s.firstMs.push_back(r.firstMs);
        s.mib.push_back(static_cast<double>(r.peakKb) / 1024.0);
    };
    runOnce(d, damage, bare, "Bare");  // warms the page cache for both
    runOnce(d, damage, wexlo(h6553), "Wexlo");
    for (int i = 0; i < runs; ++i) {
        add(b, runOnce(d, damage, bare, "Bare"));
        add(bt, runOnce(d, damage, bareText, "Bare"));
        add(o6553, runOnce(d, damage, wexlo(h6553), "Wexlo"));
        add(o0, runOnce(d, damage, wexlo(h0), "Wexlo"));
        add(o100k, runOnce(d, damage, wexlo(h100k), "Wexlo"));
    }
    using bench::spread;
    std::printf(
        "%d runs each, min/median/max; ratio of medians (range: our min over their max to our max "
        "over their min)\n",
        runs);
    bench::reportSpread("exec to first paint, 6553 loans", spread(o6553.ms), "bare Qt window",
                        spread(b.ms), "ms", "(target 1.3)");
    bench::reportSpread("exec to first paint, 6553 loans", spread(o6553.ms), "bare, menu + label",
                        spread(bt.ms), "ms");
    bench::reportSpread("exec to first paint, no loans", spread(o0.ms), "bare Qt window",
                        spread(b.ms), "ms");
    bench::reportSpread("exec to first paint, bare with menu + label", spread(bt.ms),
                        "bare Qt window", spread(b.ms), "ms");
    bench::reportSpread("exec to first paint, 100000 loans", spread(o100k.ms), "bare Qt window",
                        spread(b.ms), "ms", "(target < 150 ms)");
    std::printf("the older measure, to the map:\n");
    bench::reportSpread("exec to map, 6553 loans", spread(o6553.mapMs), "bare Qt window",
                        spread(b.mapMs), "ms");
    bench::reportSpread("exec to map, 6553 loans", spread(o6553.mapMs), "bare, menu + label",
                        spread(bt.mapMs), "ms");
    bench::reportSpread("exec to map, no loans", spread(o0.mapMs), "bare Qt window",
                        spread(b.mapMs), "ms");
    bench::reportSpread("exec to map, 100000 loans", spread(o100k.mapMs), "bare Qt window",
                        spread(b.mapMs), "ms");
    std::printf("to the first drawing into the window:\n");
    bench::reportSpread("exec to first drawing, 6553 loans", spread(o6553.firstMs),
                        "bare Qt window", spread(b.firstMs), "ms");
    bench::reportSpread("exec to first drawing, 100000 loans", spread(o100k.firstMs),
                        "bare Qt window", spread(b.firstMs), "ms");
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
