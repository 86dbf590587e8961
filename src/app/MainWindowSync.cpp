// The main window and the loans file that others write too: another window on the same folder,
// or a sync tool that keeps the folder alike on several machines.

#include "app/MainWindow.h"

#include "app/LoansFile.h"
#include "app/LoansFileState.h"
#include "app/register/LoanMerge.h"

#include "platform/AppFolder.h"
#include "platform/Platform.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/diagnostics/Logging.h"
#include "shared/util/Files.h"
#include "shared/util/ProgramInfo.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLockFile>
#include <QTimer>

namespace wexlo {

namespace {

const QString kModule = mainwindowlog::kModule;

QString title() { return programTitle(); }

}  // namespace

void MainWindow::watchDataFile()
{
    diskCheck_ = new QTimer(this);
    diskCheck_->setObjectName(QStringLiteral("diskCheckTimer"));
    diskCheck_->setSingleShot(true);
    diskCheck_->setInterval(150);
    connectGuarded(diskCheck_, &QTimer::timeout, this, &MainWindow::syncWithDisk,
                   mainwindowlog::kSyncWithDisk, kModule);
    // The folder too: sync tools put a new file in place by renaming it over the old one, which
    // ends a watch on the file itself, and leave their conflict copies there.
    watcher_ = new QFileSystemWatcher(this);
    watcher_->addPath(platform::appFolder());
    if (QFileInfo::exists(dataFilePath()))
        watcher_->addPath(dataFilePath());
    auto changed = [this] { diskCheck_->start(); };
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, changed);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, changed);
}

bool MainWindow::mergeDiskChanges()
{
    QByteArray bytes;
    if (!disk_ || disk_->check(bytes) != LoansFileState::Disk::Changed)
        return false;
    std::vector<loanmerge::Hash> theirs;
    const loanmerge::Plan plan =
        loanmerge::mergeInto(loans_, disk_->base(), loansfile::rowsOf(bytes), theirs);
    disk_->remember(bytes, std::move(theirs));
    logging::writeLine(QStringLiteral("datalist.txt changed on disk: %1 loan(s) merged in, %2 "
                                      "removed")
                           .arg(plan.takeTheirs.size())
                           .arg(plan.dropOurs.size()));
    if (!plan.takeTheirs.empty() || !plan.dropOurs.empty())
        updateEditActions();
    return plan.oursAdds;
}

void MainWindow::syncWithDisk()
{
    if (!dataReadable_ || exiting_ || !disk_)
        return;
    if (watcher_ != nullptr && !watcher_->files().contains(dataFilePath()) &&
        QFileInfo::exists(dataFilePath()))
        watcher_->addPath(dataFilePath());
    bool write = false;
    {
        const std::unique_ptr<QLockFile> lock = disk_->lock();
        write = mergeDiskChanges();
    }
    if (write)
        saveLoans();
    mergeConflictCopies();
}

void MainWindow::mergeConflictCopies()
{
    if (!dataReadable_ || !disk_)
        return;
    const QDir folder(platform::appFolder());
    QStringList copies;
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden))
        if (loansfile::isConflictCopy(name) && !conflictsTold_.contains(name))
            copies.append(name);
    if (copies.isEmpty())
        return;

    {
        const std::unique_ptr<QLockFile> lock = disk_->lock();
        mergeDiskChanges();
        for (const QString& name : copies) {
            QByteArray bytes;
            if (!files::readAllBytes(folder.filePath(name), bytes)) {
                logging::writeLine(QStringLiteral("%1 could not be read").arg(name));
                continue;
            }
            // No common base: a loan in either copy is kept.
            std::vector<loanmerge::Hash> unused;
            const loanmerge::Plan plan =
                loanmerge::mergeInto(loans_, {}, loansfile::rowsOf(bytes), unused);
            logging::writeLine(
                QStringLiteral("%1: %2 loan(s) merged in").arg(name).arg(plan.takeTheirs.size()));
        }
    }
    // Each copy once a run: one whose loans could not be saved stays where it is until the
    // next start, and the user has been told why.
    conflictsTold_.append(copies);
    if (!saveLoans())
        return;

    const QString aside = folder.filePath(QStringLiteral("conflicts"));
    QDir().mkpath(aside);
    for (const QString& name : copies) {
        QString to = QDir(aside).filePath(name);
        for (int n = 2; QFileInfo::exists(to); ++n)
            to = QDir(aside).filePath(QStringLiteral("%1.%2").arg(name).arg(n));
        if (QFile::rename(folder.filePath(name), to))
            logging::writeLine(QStringLiteral("%1 moved to conflicts").arg(name));
        else
            logging::writeLine(QStringLiteral("%1 could not be moved to conflicts").arg(name));
    }
    updateEditActions();
    platform::message(this,
                      copies.size() == 1
                          ? QStringLiteral("Wexlo found a copy of your loans made by a sync tool "
                                           "and merged its loans into your list. The copy was "
                                           "moved to the folder conflicts.")
                          : QStringLiteral("Wexlo found %1 copies of your loans made by a sync "
                                           "tool and merged their loans into your list. The "
                                           "copies were moved to the folder conflicts.")
                                .arg(copies.size()),
                      title());
}

}  // namespace wexlo
