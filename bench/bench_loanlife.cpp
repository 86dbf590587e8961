// A register with a history: 100,000 loans of which 20,000 returned and 5,000 overdue, beside
// 80,000 plain loans (what the same register is without its history). Start-up to the shown
// window (fresh processes, best of 5), "Show Returned Loans" on and off, and "Mark Returned" of
// one loan (which saves the file); beside them the plain register's start-up, a re-sort of its
// list and the Delete of one loan (the only way to record a return without the history).
//
//   bench_loanlife [BASELINE]   BASELINE: a bench_loanlife built from another tree (e.g. before
//                               the history existed); its plain figures are shown as well.
//   bench_loanlife --child FOLDER        shows the window, says "shown", ends
//   bench_loanlife --ops FOLDER          times the operations, prints "name ms" lines

#include "app/frmMain.h"
#include "platform/AppFolder.h"
#include "platform/ListView.h"
#include "platform/Platform.h"
#include "support/BenchDoubles.h"
#include "support/BenchUtil.h"

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

int child(int argc, char** argv)
{
    QApplication app(argc, argv);
    BenchClock clock;
    platform::setClock(&clock);
    platform::setAppFolder(QString::fromLocal8Bit(argv[2]));
    frmMain w;
    w.show();
    waitShown(w);
    std::printf("shown\n");
    std::fflush(stdout);
    return 0;
}

// One figure: the time of body, the window's pending events (painting) included.
template <class F>
double timed(F&& body)
{
    QElapsedTimer t;
    t.start();
    body();
    QCoreApplication::processEvents();
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

// The operations of the history, where the window has them.
template <class W>
void historyOps(W& w, QMap<QString, double>& out)
{
    if constexpr (requires(W & x) {
                      x.mnuShowReturned;
                      x.mnuMarkReturned;
                  }) {
        double on = 1e300, off = 1e300, mark = 1e300;
        for (int i = 0; i < 5; ++i) {
            on = std::min(on, timed([&] { w.mnuShowReturned->trigger(); }));
            off = std::min(off, timed([&] { w.mnuShowReturned->trigger(); }));
        }
        for (int i = 0; i < 5; ++i) {
            w.ListView1->clearSelection();
            w.ListView1->setSelected(100 + i * 997, true);
            mark = std::min(mark, timed([&] { w.mnuMarkReturned->trigger(); }));
        }
        out[QStringLiteral("show-returned-on")] = on;
        out[QStringLiteral("show-returned-off")] = off;
        out[QStringLiteral("mark-returned")] = mark;
    }
}

int ops(int argc, char** argv)
{
    QApplication app(argc, argv);
    BenchClock clock;
    YesBox yes;
    platform::setClock(&clock);
    platform::setMessageBox(&yes);
    platform::setAppFolder(QString::fromLocal8Bit(argv[2]));
    frmMain w;
    w.show();
    waitShown(w);
    QMap<QString, double> out;
    out[QStringLiteral("load")] = bench::bestMs(3, [&] { w.LoadList(); });
    out[QStringLiteral("save")] = bench::bestMs(3, [&] { w.SaveList(); });
    historyOps(w, out);
    double resort = 1e300, del = 1e300;
    QHeaderView* h = w.ListView1->header();
    for (int i = 0; i < 6; ++i)  // Date descending, ascending, ... : every click re-sorts
        resort = std::min(resort, timed([&] { Q_EMIT h->sectionClicked(0); }));
    for (int i = 0; i < 5; ++i) {
        w.ListView1->clearSelection();
        w.ListView1->setSelected(100 + i * 997, true);
        del = std::min(del, timed([&] { w.cmdDelete->click(); }));
    }
    out[QStringLiteral("resort")] = resort;
    out[QStringLiteral("delete")] = del;
    for (auto it = out.cbegin(); it != out.cend(); ++it)
        std::printf("%s %.3f\n", qPrintable(it.key()), it.value());
    std::fflush(stdout);
    return 0;
}

double startup(const QString& program, const QString& folder)
{
    double best = 1e300;
    for (int i = 0; i < 5; ++i) {
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer t;
        t.start();
        p.start(program, {QStringLiteral("--child"), folder});
        while (!p.canReadLine())
            if (!p.waitForReadyRead(60000))
                std::abort();
        best = std::min(best, static_cast<double>(t.nsecsElapsed()) / 1e6);
        p.waitForFinished(60000);
    }
    return best;
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
    const double upHistory = quick ? 0 : startup(self, history.path());
    const double upPlain = quick ? 0 : startup(self, plain.path());
    bench::report("start-up, 100,000 loans (20,000 returned, 5,000 overdue)", upHistory,
                  "80,000 plain loans", upPlain, "ms", "(target < 1.1x)");
    double upBase = 0;
    if (!baseline.isEmpty() && !quick) {
        put(plain, plainFile);
        upBase = startup(baseline, plain.path());
        bench::report("start-up, 100,000 loans with history", upHistory,
                      "baseline build, 80,000 loans", upBase, "ms", "(target < 1.1x)");
    }

    const QMap<QString, double> h = runOps(self, history.path(), historyFile);
    const QMap<QString, double> p = runOps(self, plain.path(), plainFile);
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
