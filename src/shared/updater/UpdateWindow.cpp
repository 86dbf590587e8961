#include "shared/updater/UpdateWindow.h"

#include "platform/AppFolder.h"
#include "platform/ControlTable.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "platform/StatusBox.h"
#include "shared/dates/DateFormat.h"
#include "shared/dates/DateParser.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/diagnostics/Logging.h"
#include "shared/internet/InternetSession.h"
#include "shared/internet/ProxyDialog.h"
#include "shared/internet/TransferWindow.h"
#include "shared/settings/Settings.h"
#include "shared/ui/Progress.h"
#include "shared/updater/PackageSignature.h"
#include "shared/util/Files.h"
#include "shared/util/Pointer.h"
#include "shared/util/ProgramInfo.h"
#include "shared/util/Text.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace wexlo {

// The names this window's log lines carry. A button that fails logs under the name its handler
// always had, in the form that handler always used.
namespace logname {
namespace {
const QString& kModule = kUpdateWindowModule;
const QString kLoad = QStringLiteral("Form_Load");
const QString kCheckForUpdate = QStringLiteral("CheckForUpdate");
const QString kCheckAgain = QStringLiteral("cmdCheckAgain_Click");
const QString kShowDetails = QStringLiteral("cmdShowDetail");
const QString kProxy = QStringLiteral("cmdProxy_Click");
const QString kClose = QStringLiteral("CloseUpdater");
const QString kDownloadOnly = QStringLiteral("cmdDownload_Click");
const QString kDownloadAndInstall = QStringLiteral("cmdDownloadInstall_Click");
const QString kDownloadPackage = QStringLiteral("DownloadFile");
const QString kTransferProgress = QStringLiteral("cinternet_progress");
const QString kNoInternet = QStringLiteral("cInternet_NoInternet");
const QString kRecordCheck = QStringLiteral("recordupdatecheck");
}  // namespace
}  // namespace logname

namespace {
using text::u8;
constexpr auto kDash = ErrorRecorder::Form::NumberDash;
// Colour values of the result line.
const QColor kRed(0xC0, 0x00, 0x00);
const QColor kDarkGreen(0x00, 0x80, 0x00);
// The window's own text and background colours: the system's button text and button face.
constexpr std::uint32_t kWindowText = 0x80000012;
constexpr std::uint32_t kWindowBack = 0x8000000F;
// A file smaller than this is never taken for an update package.
constexpr qint64 kMinimumPackageSize = 25000;

// What the user and the log are told when the transfer control could not be created.
const QString kControlMissingLog = QStringLiteral("MSINET control is missing or outdated");
const QString kControlMissingStatus = QStringLiteral(
    "The internet control (MSINET.OCX) is missing or outdated. Visit the Runtimes page on ");
// The closing status is logged in English and shown in the user's language.
const char* const kControlMissingShown = QT_TRANSLATE_NOOP(
    "wexlo::UpdateWindow",
    "The internet control (MSINET.OCX) is missing or outdated. Visit the Runtimes page on %1 to "
    "download an updated version.");

QString makerWebsite() { return programInfo().makerWebsite; }

bool fetchableScheme(const QString& address)
{
    // A bare FTP host ("ftp.example.org/pub/file") is fetched over FTP.
    if (address.trimmed().left(4).toUpper() == QLatin1String("FTP."))
        return true;
    const QString scheme = QUrl(address.trimmed()).scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("ftp");
}

// Puts the normal mouse pointer back when it leaves scope, also after a failure: an hourglass
// left behind would look like a hang.
struct BusyMouse {
    BusyMouse() { pointer::showBusy(); }
    ~BusyMouse() { pointer::showNormal(); }
    BusyMouse(const BusyMouse&) = delete;
    BusyMouse& operator=(const BusyMouse&) = delete;
};
}  // namespace

// ---- The window ------------------------------------------------------------------------

UpdateWindow::UpdateWindow(QWidget* parent) : QDialog(parent)
{
    using namespace logname;
    setObjectName(QStringLiteral("updateWindow"));
    internet_ = new InternetSession(this);
    connectGuarded(internet_, &InternetSession::progressChanged, this,
                   &UpdateWindow::showTransferProgress, kTransferProgress, kModule);
    connectGuarded(internet_, &InternetSession::noInternet, this,
                   &UpdateWindow::noteInternetMissing, kNoInternet, kModule, kDash);
    buildControls();
    setWindowTitle(tr("%1 Updater").arg(programTitle()));
    programLabel_->setText(tr("%1 version %2").arg(programTitle(), programVersion()));
    syncCheckBox(kLoad);
    parseVersion(programVersion(), runningVersion_);
}

UpdateWindow::~UpdateWindow() = default;

void UpdateWindow::buildControls()
{
    checkAgainButton_ = new QPushButton(this);
    showDetailsButton_ = new QPushButton(this);
    proxyButton_ = new QPushButton(this);
    exitButton_ = new QPushButton(this);
    downloadButton_ = new QPushButton(this);
    downloadInstallButton_ = new QPushButton(this);
    detailsBox_ = new QPlainTextEdit(this);
    statusBox_ = new platform::StatusBox(this);
    disableAutoCheckBox_ = new QCheckBox(this);
    versionFrame_ = new QGroupBox(this);
    programCaption_ = new QLabel(versionFrame_);
    programLabel_ = new QLabel(versionFrame_);
    updateCaption_ = new QLabel(versionFrame_);
    updateLabel_ = new QLabel(versionFrame_);
    privacyLabel_ = new QLabel(this);

    // This window's places are not given in twips: the layouts below place its controls. The
    // value labels are read by their texts; the captions name them.
    platform::layOut({
        {checkAgainButton_,
         "checkAgainButton",
         u8(tr("Check Again")),
         {},
         nullptr,
         u8(tr("Check Again"))},
        {showDetailsButton_,
         "showDetailsButton",
         u8(tr("Show Version Details")),
         {},
         u8(tr("Reads details of the latest version from the server")),
         u8(tr("Show Version Details"))},
        {proxyButton_, "proxyButton", u8(tr("Proxy Setup")), {}, nullptr, u8(tr("Proxy Setup"))},
        {exitButton_,
         "exitButton",
         u8(tr("Exit", "closes this window")),
         {},
         nullptr,
         u8(tr("Exit", "closes this window"))},
        {downloadButton_,
         "downloadButton",
         u8(tr("Download Only")),
         {},
         u8(tr("This will download the update package without installing it.")),
         u8(tr("Download Only"))},
        {downloadInstallButton_,
         "downloadInstallButton",
         u8(tr("Download and Install")),
         {},
         u8(tr("This will download the update package and update your copy of the program")),
         u8(tr("Download and Install"))},
        {detailsBox_, "detailsBox", nullptr, {}, nullptr, u8(tr("Version details"))},
        {statusBox_, "statusBox"},
        {disableAutoCheckBox_,
         "disableAutoCheckBox",
         u8(tr("Disable automatic checking")),
         {},
         u8(tr("If you tick this box, the program will NOT check for updated versions. Recommended "
               "setting: not ticked")),
         u8(tr("Disable automatic checking"))},
        {versionFrame_, "versionFrame"},
        {programCaption_,
         "programCaption",
         u8(tr("You have:")),
         {},
         nullptr,
         nullptr,
         programLabel_},
        {programLabel_, "programLabel"},
        {updateCaption_, "updateCaption", u8(tr("Status:")), {}, nullptr, nullptr, updateLabel_},
        {updateLabel_, "updateLabel"},
        {privacyLabel_, "privacyLabel",
         u8(tr("Privacy Guarantee: No information is sent from your computer when you check for "
               "updates."))},
    });
    detailsBox_->setReadOnly(true);
    detailsBox_->setVisible(false);
    statusBox_->setMinimumHeight(platform::twips(375));
    // A long status (a failure naming the web site, more so in German or French) takes more
    // lines rather than being cut at both ends.
    statusBox_->setWordWrap(true);

    auto* grid = new QGridLayout(versionFrame_);
    grid->addWidget(programCaption_, 0, 0);
    grid->addWidget(programLabel_, 0, 1);
    grid->addWidget(updateCaption_, 1, 0);
    grid->addWidget(updateLabel_, 1, 1);
    grid->setColumnStretch(1, 1);
    QFont bold = updateLabel_->font();
    bold.setBold(true);
    updateLabel_->setFont(bold);
    privacyLabel_->setWordWrap(true);

    auto* top = new QVBoxLayout(this);
    top->addWidget(versionFrame_);
    auto* checkRow = new QHBoxLayout;
    checkRow->addWidget(checkAgainButton_);
    checkRow->addWidget(showDetailsButton_);
    checkRow->addWidget(proxyButton_);
    top->addLayout(checkRow);
    top->addWidget(detailsBox_, 1);
    top->addWidget(statusBox_);
    auto* downloadRow = new QHBoxLayout;
    downloadRow->addWidget(downloadButton_);
    downloadRow->addWidget(downloadInstallButton_);
    top->addLayout(downloadRow);
    top->addWidget(disableAutoCheckBox_);
    top->addWidget(privacyLabel_);
    auto* exitRow = new QHBoxLayout;
    exitRow->addStretch(1);
    exitRow->addWidget(exitButton_);
    top->addLayout(exitRow);
    resize(platform::twips(6500), platform::twips(4200));

    using namespace logname;
    connectGuarded(checkAgainButton_, &QPushButton::clicked, this, &UpdateWindow::checkAgain,
                   kCheckAgain, kModule);
    connectGuarded(showDetailsButton_, &QPushButton::clicked, this, &UpdateWindow::showDetails,
                   kShowDetails, kModule, kDash);
    connectGuarded(proxyButton_, &QPushButton::clicked, this, &UpdateWindow::openProxyDialog,
                   kProxy, kModule);
    connectGuarded(exitButton_, &QPushButton::clicked, this, &UpdateWindow::closeWindow, kClose,
                   kModule, kDash);
    connectGuarded(downloadButton_, &QPushButton::clicked, this, &UpdateWindow::downloadOnly,
                   kDownloadOnly, kModule);
    connectGuarded(downloadInstallButton_, &QPushButton::clicked, this,
                   &UpdateWindow::downloadAndInstall, kDownloadAndInstall, kModule);
}

void UpdateWindow::syncCheckBox(const QString& procedure)
{
    // A setting that is not a yes or no is logged; the box keeps its state.
    runGuarded(
        procedure, logname::kModule,
        [&] {
            disableAutoCheckBox_->setChecked(
                settings::readSetting(QStringLiteral("DisableAutoUpdateCheck"), true).toBool());
        },
        kDash);
}

void UpdateWindow::setStatus(const QString& text)
{
    progress::printCentered(*statusBox_, text, true, kWindowText, kWindowBack);
    Q_EMIT statusChanged(text);
}

void UpdateWindow::setUpdateLabel(const QString& text, const QColor& colour)
{
    QPalette p = updateLabel_->palette();
    p.setColor(QPalette::WindowText, colour);
    updateLabel_->setPalette(p);
    updateLabel_->setText(text);
}

// ---- The check -------------------------------------------------------------------------

bool UpdateWindow::checkForUpdate(bool quiet, const QString& versionFileUrl,
                                  const QString& detailsUrl, const QString& packageFileName,
                                  const QString& currentVersion)
{
    bool result = false;
    QString closing;       // logged
    QString closingShown;  // the same in the user's language

    checkAgainButton_->setEnabled(false);
    showDetailsButton_->setEnabled(false);
    QString current = currentVersion;
    if (!current.isEmpty())
        programLabel_->setText(tr("Version %1").arg(current));
    else
        current = programVersion();
    ParsedVersion running;
    parseVersion(current, running);
    if (!quiet) {
        // Another window open modally cannot be joined by this one: check quietly instead.
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal != this) {
            quiet = true;
        } else {
            show();
            raise();
            platform::eventPump().processEvents();
        }
    }
    syncCheckBox(logname::kCheckForUpdate);
    internet_->cancel();
    versionFileUrl_ = versionFileUrl;
    detailsUrl_ = detailsUrl;
    packageFileName_ = packageFileName;
    setStatus(tr("Checking for update"));
    internet_->applyProxy();

    checkRunning_ = true;
    const QString response = internet_->fetchText(versionFileUrl_, false);

    const bool retrieved = !response.trimmed().isEmpty() &&
                           !response.contains(QStringLiteral("<HTML"), Qt::CaseInsensitive);
    if (!retrieved) {
        logging::logError(QStringLiteral("Could not retrieve information from the update server."));
        if (internetMissing_) {
            logging::logError(kControlMissingLog);
            closing = kControlMissingStatus + makerWebsite() +
                      QStringLiteral(" to download an updated version.");
            closingShown = tr(kControlMissingShown).arg(makerWebsite());
        } else {
            logging::logError(QStringLiteral("Please visit ") + makerWebsite() +
                              QStringLiteral(" to see if an update is available."));
            closing = QStringLiteral("Update check failed. Visit ") + makerWebsite() +
                      QStringLiteral(" to update this program manually.");
            closingShown = tr("Update check failed. Visit %1 to update this program manually.")
                               .arg(makerWebsite());
        }
        setUpdateLabel(tr("Could not retrieve update status"), kRed);
    } else {
        setStatus(tr("Data retrieved"));
        ParsedVersion available;
        parseVersion(response, available);
        if (available.address.isEmpty()) {
            setUpdateLabel(tr("Could not read update status from file"), kRed);
            closing = QStringLiteral("Update check failed, could not read download filename");
            closingShown = tr("Update check failed, could not read download filename");
        } else {
            const bool newer = available.isNewerThan(running);
            packageUrl_ = available.address;
            availableVersion_ = available;
            runningVersion_ = running;
            newerFound_ = newer;
            // A package is offered only for a newer version.
            downloadButton_->setEnabled(newer);
            downloadInstallButton_->setEnabled(newer);
            const QString shown = available.text().toUpper();
            if (newer) {
                checkAgainButton_->setEnabled(true);
                showDetailsButton_->setEnabled(true);
                settings::writeSetting(QStringLiteral("LastUpdateCheck"),
                                       dateformat::formatDate(platform::clock().today(),
                                                              QStringLiteral("DD/MMM/YYYY")));
                setUpdateLabel(tr("Version %1 is available!").arg(shown), kDarkGreen);
                result = true;
                if (quiet) {
                    const auto answer = platform::message(
                        this, tr("An update is available. Would you like to view the details now?"),
                        programTitle(), platform::MsgButtons::YesNo, platform::MsgIcon::Question);
                    if (answer == platform::MsgAnswer::Yes)
                        exec();
                }
            } else {
                recordUpdateCheck();
                logging::writeLine(QStringLiteral("Already up to date (Available version is ") +
                                   shown + QStringLiteral(")"));
                setUpdateLabel(tr("You're up to date!"), kRed);
                closing =
                    QStringLiteral("Latest available version is") + QStringLiteral(" ") + shown;
                closingShown = tr("Latest available version is %1").arg(shown);
            }
        }
    }

    setStatus(closingShown);
    logging::logDebug(closing);
    checkAgainButton_->setEnabled(true);
    showDetailsButton_->setEnabled(true);
    Q_EMIT checkFinished();
    return result;
}

void UpdateWindow::checkAgain()
{
    checkForUpdate(false, versionFileUrl_, detailsUrl_, packageFileName_, QString());
}

void UpdateWindow::showDetails()
{
    const BusyMouse busy;
    detailsBox_->setVisible(true);
    detailsBox_->setPlainText(tr("Retrieving info..."));
    platform::eventPump().processEvents();
    QString response = internet_->fetchText(detailsUrl_, false);
    if (response.contains(QStringLiteral("html"), Qt::CaseInsensitive) &&
        response.contains(QStringLiteral("404"), Qt::CaseInsensitive)) {
        detailsBox_->setPlainText(
            tr("Unable to read data from server. Please check your internet settings and try "
               "again."));
    } else {
        // Shown unchanged; CR LF and LF alike end a line in the box.
        response.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        detailsBox_->setPlainText(response);
    }
}

void UpdateWindow::openProxyDialog()
{
    ProxyDialog dialog(this);
    dialog.exec();
}

void UpdateWindow::closeWindow()
{
    settings::writeSetting(QStringLiteral("DisableAutoUpdateCheck"),  // never fails
                           disableAutoCheckBox_->isChecked());
    Q_EMIT closed();
    // Hides the window and ends a modal showing; the main window keeps it for the next check.
    done(QDialog::Rejected);
}

void UpdateWindow::closeEvent(QCloseEvent* event)
{
    // Only the user closes this window through its close box; at program end it is deleted.
    closeWindow();
    event->accept();
}

void UpdateWindow::reject() { closeWindow(); }

// ---- Downloading the package -----------------------------------------------------------

QString UpdateWindow::savedPackagePath() const
{
    return files::withSlash(platform::appFolder()) + packageFileName_;
}

void UpdateWindow::makeSureAddressKnown()
{
    if (packageUrl_.isEmpty())
        checkForUpdate(true, versionFileUrl_, detailsUrl_, packageFileName_, QString());
}

bool UpdateWindow::newerVersionOffered()
{
    // Without an address the download fails as it always did.
    if (newerFound_ || packageUrl_.isEmpty())
        return true;
    setStatus(tr("Error - There is no newer version to download."));
    return false;
}

bool UpdateWindow::fetchOfferedPackage()
{
    makeSureAddressKnown();
    if (!newerVersionOffered())
        return false;
    return downloadPackage(files::withSlash(platform::appFolder()), packageFileName_, packageUrl_);
}

void UpdateWindow::downloadOnly()
{
    if (fetchOfferedPackage())
        platform::message(this, tr("File saved to %1").arg(savedPackagePath()), programTitle());
}

void UpdateWindow::downloadAndInstall()
{
    if (!fetchOfferedPackage())
        return;
    const auto answer = platform::message(
        this, tr("The update has been downloaded. Do you want to install it now?"), programTitle(),
        platform::MsgButtons::YesNo, platform::MsgIcon::Question);
    if (answer != platform::MsgAnswer::Yes) {
        platform::message(this, tr("File saved to %1").arg(savedPackagePath()), programTitle());
        return;
    }
    QPointer<UpdateWindow> self(this);
    hide();
    platform::eventPump().processEvents();
    Q_EMIT installRequested();
    // The main window's reaction may already have closed this window for good.
    if (self)
        closeWindow();
}

void UpdateWindow::downloadPackageFrom(const QString& packageUrl)
{
    if (!newerVersionOffered())
        return;
    downloadPackage(files::withSlash(platform::appFolder()), packageFileName_, packageUrl);
}

bool UpdateWindow::downloadPackage(const QString& folder, const QString& fileName,
                                   const QString& address)
{
    checkRunning_ = false;
    if (!PackageSignature::haveKey()) {
        // Nothing could show that a package is the maker's, so none is fetched at all.
        setStatus(PackageSignature::refusal(PackageSignature::Verdict::NoKey));
        return false;
    }
    // The file system can fail at each step; each failure is logged and the package is never
    // kept unchecked.
    ErrorRecorder on(logname::kDownloadPackage, logname::kModule, kDash);
    const auto discard = [&on](const QString& file) { on([&] { files::erase(file); }); };
    internet_->applyProxy();
    const BusyMouse busy;
    logging::writeLine(QStringLiteral("Trying to download ") + forLog(address));
    const QString target = folder + fileName;
    // Only web and FTP addresses are fetched; anything else counts as a failed download.
    const bool fetched =
        fetchableScheme(address) && internet_->fetchFile(address, target, true, false, false);
    if (!fetched) {
        setStatus(tr("Error - Download failed."));
        discard(target);
        return false;
    }
    const qint64 size = platform::fileSystem().info(target).size;
    const qint64 expected = internet_->expectedFileSize();
    if (expected > 0 && expected != size) {
        // A connection cut off part way: never hand a broken package to the updater.
        setStatus(tr("Error - Downloaded file is incomplete. Please retry"));
        discard(target);
        return false;
    }
    if (size >= kMinimumPackageSize) {
        bool good = false;
        on([&] { good = signedByMaker(target, address); });
        return good;
    }
    // Too small to be a package: never kept, whatever it holds.
    QString text;
    on([&] { files::readText(target, text); });
    discard(target);
    if (text.contains(QStringLiteral("<HTML>"), Qt::CaseInsensitive))
        setStatus(tr("Error - File not found on server."));
    return false;
}

bool UpdateWindow::signedByMaker(const QString& target, const QString& address)
{
    using namespace PackageSignature;
    Verdict verdict = Verdict::Missing;
    try {
        // The signature is bytes, fetched within a bounded time; what was checked is kept so
        // that the updater is handed exactly that.
        const std::optional<QByteArray> signature = internet_->window()->fetchBytes(
            signatureAddress(address), kMaxSignatureBytes, kSignatureFetchSeconds);
        checkedSignature_ = signature.value_or(QByteArray());
        verdict = signature
                      ? verify(target, *signature, publicKey(), availableVersion_, runningVersion_)
                      : Verdict::Missing;
    } catch (...) {
        // Deleted below whatever went wrong: an unchecked package is never kept.
        files::erase(target);
        throw;
    }
    if (verdict == Verdict::Good)
        return true;
    files::erase(target);
    setStatus(refusal(verdict));
    return false;
}

void UpdateWindow::showTransferProgress(float percent, const QString& text)
{
    if (checkRunning_)
        return;
    if (percent == 100.0f)
        progress::printCentered(*statusBox_, text, true, kWindowText, kWindowBack);
    else
        progress::showProgressText(*statusBox_, percent, 100.0, text, 0);
}

void UpdateWindow::noteInternetMissing() { internetMissing_ = true; }

void UpdateWindow::recordUpdateCheck()
{
    // WriteSetting ignores its own failures.
    settings::writeSetting(QStringLiteral("LastUpdateCheck"),
                           static_cast<std::int32_t>(dates::dayNumber(platform::clock().today())));
}

}  // namespace wexlo
