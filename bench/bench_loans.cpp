// The loans file: LoadList and SaveList beside a bare read-and-split and a bare atomic write
// of the same bytes, and one "Add Item" on a full list of the old size.

#include "app/MainWindowAccess.h"
#include "platform/AppFolder.h"
#include "platform/ListView.h"
#include "support/BenchUtil.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>

#include <QTemporaryDir>

using namespace wexlo;

namespace {

void run(int n, const QString& folder)
{
    const QString path = folder + QStringLiteral("/datalist.txt");
    const QByteArray bytes = bench::plainLoans(n);
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }
    MainWindow w;
    const QByteArray label = QByteArray::number(n);

    const double load = bench::bestMs(5, [&] { w.loadLoans(); });
    const double bareRead = bench::bestMs(5, [&] {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        const QStringList lines = QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"));
        if (lines.size() < n)
            std::abort();
    });
    const bool small = n <= 6553;
    bench::report(("LoadList, " + label + " records").constData(), load, "read and split", bareRead,
                  "ms", small ? "(target < 20 ms, < 5x)" : "(target < 500 ms, < 5x)");

    const double save = bench::bestMs(5, [&] { w.saveLoans(); });
    const double bareWrite = bench::bestMs(5, [&] { bench::durableWrite(path, bytes); });
    bench::report(("SaveList, " + label + " records").constData(), save, "QSaveFile write + fsync",
                  bareWrite, "ms", "(target < 5x)");

    if (small) {
        w.loadLoans();
        MainWindowAccess(w).itemEdit()->setText(QStringLiteral("Ladder"));
        MainWindowAccess(w).borrowerEdit()->setText(QStringLiteral("Neighbour"));
        const double add = bench::bestMs(5, [&] { w.addLoan(); });
        bench::report(("Add Item on " + label + " rows").constData(), add, "SaveList alone", save,
                      "ms", "(target < 30 ms)");
    }
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    platform::setAppFolder(dir.path());
    run(6553, dir.path());
    run(100000, dir.path());
    return 0;
}
