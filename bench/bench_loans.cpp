// The loans file: LoadList and SaveList beside a bare read-and-split and a bare atomic write
// of the same bytes, and one "Add Item" on a full list of the old size.

#include "app/frmMain.h"
#include "platform/AppFolder.h"
#include "platform/ListView.h"
#include "support/BenchUtil.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QSaveFile>

#include <unistd.h>
#include <QTemporaryDir>

using namespace wexlo;

namespace {

QByteArray loans(int n)
{
    QByteArray bytes;
    for (int i = 0; i < n; ++i)
        bytes += "DATE: " + QByteArray::number(38000 + i % 9000) + " \r\nLENTTO:Person " +
                 QByteArray::number(i) + "\r\nITEM:A thing lent out number " +
                 QByteArray::number(i) +
                 "\r\nPHONE:555-0100\r\nADDRESS:12 High Street, Springfield\r\n";
    return bytes;
}

void run(int n, const QString& folder)
{
    const QString path = folder + QStringLiteral("/datalist.txt");
    const QByteArray bytes = loans(n);
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }
    frmMain w;
    const QByteArray label = QByteArray::number(n);

    const double load = bench::bestMs(5, [&] { w.LoadList(); });
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

    const double save = bench::bestMs(5, [&] { w.SaveList(); });
    const double bareWrite = bench::bestMs(5, [&] {
        // As durable as the program's own save: on the disk before it replaces the old file.
        QSaveFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        f.flush();
        ::fsync(f.handle());
        f.commit();
    });
    bench::report(("SaveList, " + label + " records").constData(), save, "QSaveFile write + fsync",
                  bareWrite, "ms", "(target < 5x)");

    if (small) {
        w.LoadList();
        w.txtItem->setText(QStringLiteral("Ladder"));
        w.txtLentTo->setText(QStringLiteral("Neighbour"));
        const double add = bench::bestMs(5, [&] { w.cmdAdd_Click(); });
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
