// Every file the program writes, on real filesystems that fail: a tiny tmpfs filled so that the
// save fails at its start, in its middle or at its very end; EIO from write, fsync or close; a
// read-only file; a folder that takes no new file, for want of permission or on a read-only
// filesystem; a file mounted over its name; a folder that vanished. After each, the file
// holds its old content whole or the new one whole, the user was told, and the log has the line.

#include "app/LoansFile.h"
#include "app/MainWindowFixture.h"
#include "faults/FaultEnv.h"
#include "platform/AppFolder.h"
#include "platform/ListView.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/diagnostics/Logging.h"
#include "shared/settings/Settings.h"
#include "shared/settings/SettingsStore.h"
#include "shared/ui/ErrorReportDialog.h"
#include "shared/util/Files.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <optional>

namespace wexlo::test {
namespace {

using namespace faults;

enum class Target { Loans, Settings, Preview };
enum class Fault {
    FullAtStart,
    FullInMiddle,
    FullAtEnd,
    WriteEio,
    FsyncEio,
    CloseEio,
    ReadOnlyFile,
    FolderTakesNoFile,      // the file itself is writable
    FolderTakesNoFileFull,  // ... and the disk is full
    FolderTakesNoFileFsyncEio,
    ReadOnlyTree,   // a writable file bind-mounted into a read-only folder (EROFS)
    FileMountedIn,  // ... into a writable folder: no rename replaces it (EBUSY)
    FolderVanished,
};
enum class After { Old, New, Gone };

struct Case {
    const char* name;
    Target target;
    Fault fault;
    bool large;  // above 64 KiB
    After after;
    const char* told;  // what the user saw (message box or error report); "" for nothing
    const char* logged;
};

constexpr const char* kLoansFull = "The loans were not saved: Disk full (61).";
constexpr const char* kLoansEio = "The loans were not saved: Device I/O error (57).";
constexpr const char* kLoansNotOpened = "could not be opened for writing.";
constexpr const char* kLoansFullLog = "Disk full(61) in SaveList of module frmMain";
constexpr const char* kLoansEioLog = "Device I/O error(57) in SaveList of module frmMain";
constexpr const char* kReadOnlyLog =
    " is read only, can't change it to read write, can't update it";
constexpr const char* kSpace = "You've run out of disk space on drive ";
constexpr const char* kSettingsFullLog = "Disk full(61) in SaveSettings of module cSHAREDSettings";
constexpr const char* kSettingsEio = "57 - Device I/O error in SaveSettings";
constexpr const char* kSettingsEioLog =
    "Device I/O error(57) in SaveSettings of module cSHAREDSettings";

const Case kCases[] = {
    // The loans: told with their message, the rows stay in the window.
    {"LoansFullAtStartSmall", Target::Loans, Fault::FullAtStart, false, After::Old, kLoansFull,
     kLoansFullLog},
    {"LoansFullInMiddleSmall", Target::Loans, Fault::FullInMiddle, false, After::Old, kLoansFull,
     kLoansFullLog},
    {"LoansFullAtEndSmall", Target::Loans, Fault::FullAtEnd, false, After::Old, kLoansFull,
     kLoansFullLog},
    {"LoansFullAtStartLarge", Target::Loans, Fault::FullAtStart, true, After::Old, kLoansFull,
     kLoansFullLog},
    {"LoansFullInMiddleLarge", Target::Loans, Fault::FullInMiddle, true, After::Old, kLoansFull,
     kLoansFullLog},
    {"LoansFullAtEndLarge", Target::Loans, Fault::FullAtEnd, true, After::Old, kLoansFull,
     kLoansFullLog},
    {"LoansWriteEio", Target::Loans, Fault::WriteEio, false, After::Old, kLoansEio, kLoansEioLog},
    {"LoansFsyncEio", Target::Loans, Fault::FsyncEio, true, After::Old, kLoansEio, kLoansEioLog},
    {"LoansCloseEio", Target::Loans, Fault::CloseEio, false, After::Old, kLoansEio, kLoansEioLog},
    {"LoansReadOnlyFile", Target::Loans, Fault::ReadOnlyFile, false, After::Old, kLoansNotOpened,
     kReadOnlyLog},
    {"LoansFolderTakesNoFile", Target::Loans, Fault::FolderTakesNoFile, true, After::New, "", ""},
    {"LoansFolderTakesNoFileFull", Target::Loans, Fault::FolderTakesNoFileFull, false, After::Old,
     kLoansFull, kLoansFullLog},
    {"LoansFolderTakesNoFileFsyncEio", Target::Loans, Fault::FolderTakesNoFileFsyncEio, false,
     After::Old, kLoansEio, kLoansEioLog},
    {"LoansReadOnlyTree", Target::Loans, Fault::ReadOnlyTree, false, After::New, "", ""},
    {"LoansFileMountedIn", Target::Loans, Fault::FileMountedIn, true, After::New, "", ""},
    {"LoansFolderVanished", Target::Loans, Fault::FolderVanished, false, After::Gone,
     kLoansNotOpened, "Path not found(76) in SaveList of module frmMain"},
    // The settings: the disk-full message and its one retry (at the start the user makes room,
    // otherwise the retry fails and its failure reaches the caller), the error report for
    // anything else, nothing shown for a file that cannot be opened.
    {"SettingsFullAtStartSmall", Target::Settings, Fault::FullAtStart, false, After::New, kSpace,
     kSettingsFullLog},
    {"SettingsFullInMiddleSmall", Target::Settings, Fault::FullInMiddle, false, After::Old, kSpace,
     "Disk full(61) in ExitProgram of module frmMain"},
    {"SettingsFullAtEndSmall", Target::Settings, Fault::FullAtEnd, false, After::Old, kSpace,
     kSettingsFullLog},
    {"SettingsFullAtStartLarge", Target::Settings, Fault::FullAtStart, true, After::New, kSpace,
     kSettingsFullLog},
    {"SettingsFullInMiddleLarge", Target::Settings, Fault::FullInMiddle, true, After::Old, kSpace,
     kSettingsFullLog},
    {"SettingsFullAtEndLarge", Target::Settings, Fault::FullAtEnd, true, After::Old, kSpace,
     "Disk full(61) in ExitProgram of module frmMain"},
    {"SettingsWriteEio", Target::Settings, Fault::WriteEio, false, After::Old, kSettingsEio,
     kSettingsEioLog},
    {"SettingsFsyncEio", Target::Settings, Fault::FsyncEio, false, After::Old, kSettingsEio,
     kSettingsEioLog},
    {"SettingsCloseEio", Target::Settings, Fault::CloseEio, true, After::Old, kSettingsEio,
     kSettingsEioLog},
    {"SettingsReadOnlyFile", Target::Settings, Fault::ReadOnlyFile, false, After::Old, "",
     kReadOnlyLog},
    {"SettingsFolderTakesNoFile", Target::Settings, Fault::FolderTakesNoFile, false, After::New, "",
     ""},
    {"SettingsFolderTakesNoFileFull", Target::Settings, Fault::FolderTakesNoFileFull, true,
     After::Old, kSpace, kSettingsFullLog},
    {"SettingsFolderVanished", Target::Settings, Fault::FolderVanished, false, After::Gone, "",
     "Path not found(76) in SaveSettings of module cSHAREDSettings"},
    // The error report preview: never opened unless written whole.
    {"PreviewFullAtStart", Target::Preview, Fault::FullAtStart, false, After::Old, "",
     "Disk full(61) in WriteTextFile of module FileSubs"},
    {"PreviewCloseEio", Target::Preview, Fault::CloseEio, false, After::Old, "",
     "Device I/O error(57) in WriteTextFile of module FileSubs"},
};

bool isFull(Fault f)
{
    return f == Fault::FullAtStart || f == Fault::FullInMiddle || f == Fault::FullAtEnd ||
           f == Fault::FolderTakesNoFileFull;
}
bool closedFolder(Fault f)
{
    return f == Fault::FolderTakesNoFile || f == Fault::FolderTakesNoFileFull ||
           f == Fault::FolderTakesNoFileFsyncEio;
}

// In the form the window saves, newest first and all older than the loan being added.
QByteArray loans(int count)
{
    return loansfile::format(count, [](int row, int column) {
        switch (column) {
            case field::Date:
                return loansfile::isoDate(QDate(2025, 12, 31).addDays(-row));
            case field::Borrower:
                return QStringLiteral("Person %1").arg(row);
            case field::Item:
                return QStringLiteral("Thing number %1").arg(row);
            case field::Phone:
                return QStringLiteral("0123 456 %1").arg(1000 + row);
            default:
                return QStringLiteral("%1 High St").arg(row);
        }
    });
}

// More than a page, so that a save always needs fresh room on the disk.
QString bigValue() { return QString(5000, QLatin1Char('x')); }

QByteArray settings(int count)
{
    QByteArray out = "PROXYPWD,s3cret\r\nPROXYSERVER,proxy.example\r\nPROXYTYPE, 2 \r\n";
    for (int i = 0; i < count; ++i)
        out += "SETTING" + QByteArray::number(10000 + i) + ",a value that takes up some room " +
               QByteArray::number(i) + "\r\n";
    return out;
}

class FileFaults : public MainWindowFixture, public ::testing::WithParamInterface<Case> {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        SettingsStore::setErrorReporter(
            [this](const QString& m, const QString&) { reports_.append(m); });
    }
    void TearDown() override
    {
        wexlo_fault_arm(nullptr, 0, 0);
        SettingsStore::setErrorReporter({});
        MainWindowFixture::TearDown();
        unmountAll();
        disk_.reset();
    }

    QString file(const QString& name) const { return folder_ + QLatin1Char('/') + name; }
    void unmountAll()
    {
        while (!mounts_.isEmpty())
            unmount(mounts_.takeLast());
    }
    QString told() const { return (boxes_.texts() + reports_).join(QLatin1Char('|')); }

    std::optional<Tmpfs> disk_;
    QString folder_;
    QStringList mounts_;  // unmounted newest first
    QStringList reports_;
};

TEST_P(FileFaults, OldOrNewContentWholeUserToldAndLogged)
{
    if (!mountProblem().empty())
        GTEST_SKIP() << "no mount namespace here: " << mountProblem();
    const Case& c = GetParam();
    disk_.emplace(home_.filePath(QStringLiteral("disk")), 1024 * 1024);
    ASSERT_TRUE(disk_->mounted()) << "tmpfs: " << std::strerror(errno);
    folder_ = disk_->path() + QStringLiteral("/app");
    ASSERT_TRUE(QDir().mkpath(folder_));
    platform::setAppFolder(folder_);

    const QString name = c.target == Target::Loans      ? QStringLiteral("datalist.txt")
                         : c.target == Target::Settings ? QStringLiteral("Wexlo.ini")
                                                        : QStringLiteral("fulllog.txt");
    const QString target = file(name);
    const QByteArray old = c.target == Target::Loans      ? loans(c.large ? 900 : 100)
                           : c.target == Target::Settings ? settings(c.large ? 1500 : 4)
                                                          : QByteArray("the previous preview\r\n");
    ASSERT_EQ(old.size() > 64 * 1024, c.large);
    writeBytes(target, old);

    // What the user holds in the program before the save.
    std::unique_ptr<ErrorReportDialog> report;
    qint64 newSize = 0;
    if (c.target == Target::Loans) {
        win_ = std::make_unique<MainWindow>();
        win_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(win_.get()));
        ASSERT_EQ(MainWindowAccess(win_).loanList()->count(), c.large ? 900 : 100);
        MainWindowAccess(win_).itemEdit()->setText(QStringLiteral("Ladder"));
        MainWindowAccess(win_).borrowerEdit()->setText(QStringLiteral("Zoë"));
        MainWindowAccess(win_).addressEdit()->setText(bigValue());
        newSize = old.size() + 5100;
    } else if (c.target == Target::Settings) {
        settings::loadFile(target);
        settings::writeSetting(QStringLiteral("ZZNew"), bigValue());
        newSize = old.size() + 5010;
    } else {
        report = std::make_unique<ErrorReportDialog>();
        newSize = 1000;
    }
    boxes_.shown.clear();

    // The fault.
    // The new content has no name of its own until it is whole: the faults hit the folder.
    const QByteArray part = QFile::encodeName(folder_ + QLatin1Char('/'));
    const qint64 pages = (newSize + kPage - 1) / kPage;
    switch (c.fault) {
        case Fault::FullAtStart:
            disk_->leaveFree(0);
            break;
        case Fault::FullInMiddle:
            disk_->leaveFree(pages / 2);
            break;
        case Fault::FullAtEnd:
            disk_->leaveFree(pages - 1);
            break;
        case Fault::WriteEio:
            wexlo_fault_arm(part.constData(), OpWrite, EIO);
            break;
        case Fault::FsyncEio:
        case Fault::FolderTakesNoFileFsyncEio:
            wexlo_fault_arm(part.constData(), OpFsync, EIO);
            break;
        case Fault::CloseEio:
            wexlo_fault_arm(part.constData(), OpClose, EIO);
            break;
        case Fault::ReadOnlyFile:
            QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
            ASSERT_TRUE(bindOver(target, true)) << std::strerror(errno);
            mounts_.append(target);
            break;
        case Fault::ReadOnlyTree:
            ASSERT_TRUE(bindOver(folder_, true)) << std::strerror(errno);
            mounts_.append(folder_);
            [[fallthrough]];
        case Fault::FileMountedIn:
            ASSERT_TRUE(bindOver(target, false)) << std::strerror(errno);
            mounts_.append(target);
            break;
        case Fault::FolderTakesNoFileFull:
            disk_->leaveFree(0);
            break;
        case Fault::FolderTakesNoFile:
            break;
        case Fault::FolderVanished:
            ASSERT_TRUE(QDir(folder_).removeRecursively());
            break;
    }
    if (closedFolder(c.fault))
        QFile::setPermissions(folder_, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (isFull(c.fault) && c.target == Target::Settings && c.fault == Fault::FullAtStart)
        boxes_.onShow = [this](const platform::MessageRequest&) { disk_->makeRoom(); };

    // The save.
    {
        std::optional<ObeyPermissions> obey;
        if (closedFolder(c.fault))
            obey.emplace();
        if (c.target == Target::Loans) {
            QTest::mouseClick(MainWindowAccess(win_).addButton(), Qt::LeftButton);
        } else if (c.target == Target::Settings) {
            // As the shutdown runs it: what the store passes on is its caller's to record.
            ErrorRecorder on(QStringLiteral("ExitProgram"), QStringLiteral("frmMain"));
            on([&] { settings::saveFile(target); });
        } else {
            QTimer::singleShot(0, report.get(), [&report] {
                QTest::mouseClick(
                    report->findChild<QPushButton*>(QStringLiteral("viewReportButton")),
                    Qt::LeftButton);
                QTest::mouseClick(report->findChild<QPushButton*>(QStringLiteral("exitButton")),
                                  Qt::LeftButton);
            });
            report->showError(QStringLiteral("Disk trouble"), {});
        }
    }

    // The disk is mended, so that the log can be read and written.
    wexlo_fault_arm(nullptr, 0, 0);
    unmountAll();
    QFile::setPermissions(folder_,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    disk_->makeRoom();
    const QByteArray now = readBytes(target);
    QDir().mkpath(folder_);

    switch (c.after) {
        case After::Old:
            EXPECT_EQ(now, old) << "the old content is not whole";
            break;
        case After::New:
            EXPECT_TRUE(now.size() > old.size() &&
                        now.count("\r\n") ==
                            old.count("\r\n") + (c.target == Target::Loans ? 5 : 1))
                << "the new content is not whole: " << now.size() << " bytes";
            if (c.target == Target::Loans) {
                // The new loan's five lines, wherever the sort put them, and the old ones around
                // them.
                const qsizetype at = now.indexOf("LENTTO:Zo\xc3\xab\r\nITEM:Ladder\r\n");
                const qsizetype from = now.lastIndexOf("DATE:", at);
                qsizetype to = now.indexOf("DATE:", at);
                to = to < 0 ? now.size() : to;
                EXPECT_TRUE(at > 0 && now.left(from) + now.mid(to) == old);
            } else {
                EXPECT_TRUE(now.startsWith(old) && now.endsWith(bigValue().toLatin1() + "\r\n") &&
                            now.contains("\r\nZZNEW,x"));
            }
            break;
        case After::Gone:
            EXPECT_FALSE(QFile::exists(target));
            break;
    }
    const QStringList leftovers =
        QDir(folder_).entryList({name + QStringLiteral(".*")}, QDir::Files | QDir::Hidden);
    EXPECT_TRUE(leftovers.isEmpty())
        << "temporary file left: " << leftovers.join(QLatin1Char(' ')).toStdString();

    if (c.target == Target::Loans) {
        EXPECT_EQ(MainWindowAccess(win_).loanList()->count(), (c.large ? 900 : 100) + 1)
            << "the window lost the new loan";
    }
    if (c.target == Target::Preview) {
        EXPECT_TRUE(shell_.opened.isEmpty()) << "a preview that was not written was opened";
    }

    if (*c.told == '\0')
        EXPECT_TRUE(told().isEmpty()) << told().toStdString();
    else
        EXPECT_TRUE(told().contains(QString::fromUtf8(c.told))) << told().toStdString();

    logging::writeRecentActions();
    const QString log = QString::fromUtf8(readBytes(file(QStringLiteral("log.txt"))));
    if (*c.logged != '\0') {
        EXPECT_TRUE(log.contains(QString::fromUtf8(c.logged))) << log.toStdString();
    }

    // What the window kept is saved at the latest when the program ends, on the mended disk.
    if (c.target == Target::Loans) {
        win_->exitProgram();
        EXPECT_EQ(readBytes(target).count("DATE:"), (c.large ? 900 : 100) + 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Disk, FileFaults, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return info.param.name;
                         });

}  // namespace
}  // namespace wexlo::test
