// A register with a history: 100,000 loans of which 20,000 returned and 5,000 overdue, beside
// 80,000 plain loans (what the same register is without its history). Start-up to the shown
// window (fresh processes, best of 5), "Show Returned Loans" on and off, and "Mark Returned" of
// one loan (which saves the file); beside them the plain register's start-up, a re-sort of its
// list and the Delete of one loan (the only way to record a return without the history).
// Start-up runs to the end of the list's first paint, an operation to the end of the list's next
// repaint; the older measure (the window exposed, an operation to one event-loop turn after it)
// is shown beside it.
//
//   bench_loanlife [BASELINE]   BASELINE: a bench_loanlife built from another tree (e.g. before
//                               the history existed); its plain figures are shown as well.
//   bench_loanlife --child FOLDER        shows the window, says when it was exposed and when the
//                                        list was first painted (steady clock, ns), ends
//   bench_loanlife --ops FOLDER          times the operations, prints "name ms" lines

#include "app/MainWindowAccess.h"
#include "platform/AppFolder.h"
#include "platform/ListView.h"
#include "platform/Platform.h"
#include "support/BenchDoubles.h"
#include "support/BenchUtil.h"
#include "support/PaintWatch.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QMap>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWindow>

#include <chrono>
#include <cstdio>
#include <cstring>

using namespace wexlo;

namespace {

using bench::BenchClock;
using bench::kToday;
using bench::YesBox;

QByteArray dayNumber(const QDate& d) { return QByteArray::number(QDate(1899, 12, 30).daysTo(d)); }

// n loans; with history, every fifth is returned, every sixteenth active one is overdue and every
// eighth has a due date still to come.
QByteArray loans(int n, bool history)
{
    QByteArray bytes;
    bytes.reserve(n * 140);
    int active = 0;
    for (int i = 0; i < n; ++i) {
        const QDate lent = kToday.addDays(-(i % 3000));
        bytes += "DATE: " + dayNumber(lent) + " \r\nLENTTO:Person " + QByteArray::number(i) +
                 "\r\nITEM:A thing lent out number " + QByteArray::number(i) +
                 "\r\nPHONE:555-0100\r\nADDRESS:12 High Street, Springfield\r\n";
        if (!history)
            continue;
        if (i % 5 == 4) {
            bytes += "DUE: " + dayNumber(lent.addDays(14)) +
                     " \r\nRETURNED: " + dayNumber(lent.addDays(10)) + " \r\n";
            continue;
        }
        if (active % 16 == 0)
            bytes += "DUE: " + dayNumber(kToday.addDays(-1 - i % 30)) + " \r\n";
        else if (active % 8 == 1)
            bytes += "DUE: " + dayNumber(kToday.addDays(1 + i % 30)) + " \r\n";
        ++active;
    }
    return bytes;
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

int child(int argc, char** argv)
{
    bench::PaintWatchApp app(argc, argv);
    BenchClock clock;
    platform::setClock(&clock);
    platform::setAppFolder(QString::fromLocal8Bit(argv[2]));
    MainWindow w;
    app.watch(MainWindowAccess(w).loanList()->viewport());
    w.show();
    waitShown(w);
    const qint64 shown = steadyNs();
    app.waitPaints(0, 30000);
    const qint64 painted =
        steadyNs() - static_cast<qint64>((app.nowMs() - app.lastPaintMs()) * 1e6);
    std::printf("times %lld %lld\n", static_cast<long long>(shown),
                static_cast<long long>(app.paints() > 0 ? painted : -1));
    std::fflush(stdout);
    return 0;
}

// One figure: the best of a series, and beside it its median, and both to one loop turn.
void putSeries(QMap<QString, double>& out, const QString& name, const bench::PaintedSeries& s)
{
    out[name] = s.best();
    out[name + QStringLiteral(".median")] = s.median();
    out[name + QStringLiteral(".turn")] = s.bestTurn();
    out[name + QStringLiteral(".turn-median")] = s.medianTurn();
    out[name + QStringLiteral(".missed")] = s.missed;
    out[name + QStringLiteral(".late")] = s.late;
}

// The operations of the history, where the window has them.
template <class W>
void historyOps(bench::PaintWatchApp& app, W& w, QMap<QString, double>& out)
{
    if constexpr (requires(W & x) {
                      MainWindowAccess(x).showReturnedAction();
                      MainWindowAccess(x).markReturnedAction();
                  }) {
        bench::PaintedSeries on, off, mark;
        for (int i = 0; i < 5; ++i) {
            on.add(bench::timePainted(
                app, [&] { MainWindowAccess(w).showReturnedAction()->trigger(); }));
            off.add(bench::timePainted(
                app, [&] { MainWindowAccess(w).showReturnedAction()->trigger(); }));
        }
        for (int i = 0; i < 5; ++i) {
            MainWindowAccess(w).loanList()->clearSelection();
            MainWindowAccess(w).loanList()->setSelected(100 + i * 997, true);
            app.waitPaints(app.paints(), 500);
            mark.add(bench::timePainted(
                app, [&] { MainWindowAccess(w).markReturnedAction()->trigger(); }));
        }
        putSeries(out, QStringLiteral("show-returned-on"), on);
        putSeries(out, QStringLiteral("show-returned-off"), off);
        putSeries(out, QStringLiteral("mark-returned"), mark);
    }
}

int ops(int argc, char** argv)
{
    bench::PaintWatchApp app(argc, argv);
    BenchClock clock;
    YesBox yes;
    platform::setClock(&clock);
    platform::setMessageBox(&yes);
    platform::setAppFolder(QString::fromLocal8Bit(argv[2]));
    MainWindow w;
    app.watch(MainWindowAccess(w).loanList()->viewport());
    w.show();
    app.waitPaints(0, 30000);
    QMap<QString, double> out;
    out[QStringLiteral("load")] = bench::bestMs(3, [&] { w.loadLoans(); });
    out[QStringLiteral("save")] = bench::bestMs(3, [&] { w.saveLoans(); });
    app.waitPaints(app.paints(), 500);
    historyOps(app, w, out);
    bench::PaintedSeries resort, del;
    QHeaderView* h = MainWindowAccess(w).loanList()->header();
    for (int i = 0; i < 6; ++i)  // Date descending, ascending, ... : every click re-sorts
        resort.add(bench::timePainted(app, [&] { Q_EMIT h->sectionClicked(0); }));
    for (int i = 0; i < 5; ++i) {
        MainWindowAccess(w).loanList()->clearSelection();
        MainWindowAccess(w).loanList()->setSelected(100 + i * 997, true);
        app.waitPaints(app.paints(), 500);
        del.add(bench::timePainted(app, [&] { MainWindowAccess(w).deleteButton()->click(); }));
    }
    putSeries(out, QStringLiteral("resort"), resort);
    putSeries(out, QStringLiteral("delete"), del);
    for (auto it = out.cbegin(); it != out.cend(); ++it)
        std::printf("%s %.3f\n", qPrintable(it.key()), it.value());
    std::fflush(stdout);
    return 0;
}

// Start-up from the process's start to the list's first paint, and to the window exposed (the
// older measure). A child from an older tree says only "shown" when exposed: then both are the
// time its line arrived.
struct Startup {
    std::vector<double> painted, shown;
};

Startup startup(const QString& program, const QString& folder)
{
    Startup s;
    for (int i = 0; i < 5; ++i) {
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const qint64 start = steadyNs();
        p.start(program, {QStringLiteral("--child"), folder});
        while (!p.canReadLine())
            if (!p.waitForReadyRead(60000))
                std::abort();
        const qint64 arrived = steadyNs();
        const QList<QByteArray> parts = p.readLine().trimmed().split(' ');
        const bool times = parts.size() == 3 && parts[0] == "times";
        const qint64 shown = times ? parts[1].toLongLong() : arrived;
        const qint64 painted = times && parts[2].toLongLong() > 0 ? parts[2].toLongLong() : shown;
        s.shown.push_back(static_cast<double>(shown - start) / 1e6);
        s.painted.push_back(static_cast<double>(painted - start) / 1e6);
        p.waitForFinished(60000);
    }
    return s;
}

void reportStartup(const char* what, const Startup& s)
{
    const bench::Spread p = bench::spread(s.painted), e = bench::spread(s.shown);
    std::printf(
        "%-44s first paint best %8.3f median %8.3f ms | exposed best %8.3f median %8.3f "
        "ms\n",
        what, p.min, p.median, e.min, e.median);
    std::fflush(stdout);
}

QMap<QString, double> runOps(const QString& program, const QString& folder, const QByteArray& file)
{
    QFile f(folder + QStringLiteral("/datalist.txt"));  // every run starts from the same file
    f.open(QIODevice::WriteOnly);
    f.write(file);
    f.close();
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(program, {QStringLiteral("--ops"), folder});
    p.waitForFinished(600000);
    QMap<QString, double> out;
    for (const QByteArray& line : p.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.split(' ');
        if (parts.size() == 2)
            out[QString::fromLatin1(parts[0])] = parts[1].toDouble();
    }
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0)
        return child(argc, argv);
    if (argc >= 3 && std::strcmp(argv[1], "--ops") == 0)
        return ops(argc, argv);

    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    const QString baseline = argc >= 2 ? QString::fromLocal8Bit(argv[1]) : QString();
    QTemporaryDir history, plain;
    const QByteArray historyFile = loans(100000, true);
    const QByteArray plainFile = loans(80000, false);
    auto put = [](const QTemporaryDir& dir, const QByteArray& bytes) {
        QFile f(dir.path() + QStringLiteral("/datalist.txt"));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    };
    put(history, historyFile);
    put(plain, plainFile);

    const bool quick = qEnvironmentVariableIsSet("BENCH_QUICK");  // operations only
    if (!quick) {
        const Startup upHistory = startup(self, history.path());
        const Startup upPlain = startup(self, plain.path());
        reportStartup("start-up, 100,000 loans with history", upHistory);
        reportStartup("start-up, 80,000 plain loans", upPlain);
        bench::report("start-up, 100,000 loans (20,000 returned, 5,000 overdue)",
                      bench::spread(upHistory.painted).median, "80,000 plain loans",
                      bench::spread(upPlain.painted).median, "ms", "(medians, target < 1.1x)");
        if (!baseline.isEmpty()) {
            put(plain, plainFile);
            const Startup upBase = startup(baseline, plain.path());
            reportStartup("baseline build, 80,000 plain loans", upBase);
            bench::report("start-up, 100,000 loans with history",
                          bench::spread(upHistory.painted).median, "baseline build, 80,000 loans",
                          bench::spread(upBase.painted).median, "ms", "(medians, target < 1.1x)");
        }
    }

    const QMap<QString, double> h = runOps(self, history.path(), historyFile);
    const QMap<QString, double> p = runOps(self, plain.path(), plainFile);
    // Each operation to the list's repaint, best and median, and to one loop turn after it.
    auto detail = [](const char* what, const QMap<QString, double>& m, const char* key) {
        const QString k = QString::fromLatin1(key);
        if (!m.contains(k))
            return;
        std::printf(
            "%-44s repainted best %8.3f median %8.3f ms | one loop turn best %8.3f "
            "median %8.3f ms | %.0f repainted after the turn%s\n",
            what, m.value(k), m.value(k + QStringLiteral(".median")),
            m.value(k + QStringLiteral(".turn")), m.value(k + QStringLiteral(".turn-median")),
            m.value(k + QStringLiteral(".late")),
            m.value(k + QStringLiteral(".missed")) > 0 ? " (some without a repaint)" : "");
    };
    detail("Show Returned Loans on, 100,000 loans", h, "show-returned-on");
    detail("Show Returned Loans off, 100,000 loans", h, "show-returned-off");
    detail("Mark Returned of one loan, 100,000 loans", h, "mark-returned");
    detail("Delete of one loan, 100,000 loans", h, "delete");
    detail("re-sort, 100,000 loans", h, "resort");
    detail("Delete of one of 80,000 plain loans", p, "delete");
    detail("re-sort, 80,000 plain loans", p, "resort");
    std::printf("(the figures below are the best of each series, to the repaint)\n");
    bench::report("Show Returned Loans on, 100,000 loans",
                  h.value(QStringLiteral("show-returned-on")), "re-sort of 80,000 plain loans",
                  p.value(QStringLiteral("resort")), "ms");
    bench::report("Show Returned Loans off, 100,000 loans",
                  h.value(QStringLiteral("show-returned-off")), "re-sort of 80,000 plain loans",
                  p.value(QStringLiteral("resort")), "ms");
    bench::report("Mark Returned of one loan, 100,000 loans",
                  h.value(QStringLiteral("mark-returned")), "Delete of one of 80,000 plain loans",
                  p.value(QStringLiteral("delete")), "ms", "(target < 1.1x)");
    bench::report("Delete of one loan, 100,000 loans", h.value(QStringLiteral("delete")),
                  "Delete of one of 80,000 plain loans", p.value(QStringLiteral("delete")), "ms");
    bench::report("LoadList, 100,000 loans with history", h.value(QStringLiteral("load")),
                  "LoadList, 80,000 plain loans", p.value(QStringLiteral("load")), "ms");
    bench::report("SaveList, 100,000 loans with history", h.value(QStringLiteral("save")),
                  "SaveList, 80,000 plain loans", p.value(QStringLiteral("save")), "ms");
    if (!baseline.isEmpty()) {
        const QMap<QString, double> b = runOps(baseline, plain.path(), plainFile);
        bench::report("LoadList, 100,000 loans with history", h.value(QStringLiteral("load")),
                      "baseline build, LoadList of 80,000", b.value(QStringLiteral("load")), "ms");
        bench::report("SaveList, 100,000 loans with history", h.value(QStringLiteral("save")),
                      "baseline build, SaveList of 80,000", b.value(QStringLiteral("save")), "ms");
        bench::report("LoadList, 80,000 plain loans", p.value(QStringLiteral("load")),
                      "baseline build, LoadList of 80,000", b.value(QStringLiteral("load")), "ms");
        bench::report("Mark Returned of one loan, 100,000 loans",
                      h.value(QStringLiteral("mark-returned")),
                      "baseline build, Delete of one of 80,000", b.value(QStringLiteral("delete")),
                      "ms", "(target < 1.1x)");
        bench::report("Show Returned Loans on, 100,000 loans",
                      h.value(QStringLiteral("show-returned-on")),
                      "baseline build, re-sort of 80,000", b.value(QStringLiteral("resort")), "ms");
        bench::report("re-sort, 80,000 plain loans", p.value(QStringLiteral("resort")),
                      "baseline build, re-sort of 80,000", b.value(QStringLiteral("resort")), "ms");
        bench::report("Delete of one of 80,000 plain loans", p.value(QStringLiteral("delete")),
                      "baseline build, Delete of one of 80,000", b.value(QStringLiteral("delete")),
                      "ms");
    }
    return 0;
}
