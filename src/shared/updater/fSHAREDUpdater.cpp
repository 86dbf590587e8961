#include "shared/updater/fSHAREDUpdater.h"

#include "platform/AppFolder.h"
#include "platform/ControlTable.h"
#include "platform/FileSystem.h"
#include "platform/PictureBox.h"
#include "platform/Platform.h"
#include "shared/dates/DateParser.h"
#include "shared/dates/mSHAREDDateFunc.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/diagnostics/mSHAREDLogging.h"
#include "shared/internet/cSHAREDInternet.h"
#include "shared/internet/fSHAREDProxy.h"
#include "shared/settings/mSHAREDSettings.h"
#include "shared/ui/mSHAREDProgress.h"
#include "shared/updater/PackageSignature.h"
#include "shared/util/ProgramInfo.h"
#include "shared/util/mSHAREDFileSubs.h"
#include "shared/util/mSHAREDSubs.h"

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

namespace {
const QString kModule = QStringLiteral("fSharedUpdater");
// Colour values of the result line, given as blue-green-red (&H0000C0, &H008000).
const QColor kRed(0xC0, 0x00, 0x00);
const QColor kDarkGreen(0x00, 0x80, 0x00);
// The window's own text and background colours: the system's button text and button face.
constexpr std::uint32_t kWindowText = 0x80000012;
constexpr std::uint32_t kWindowBack = 0x8000000F;
// A file smaller than this is never taken for an update package.
constexpr qint64 kMinimumPackageSize = 25000;

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
}  // namespace

void fSHAREDUpdater::ExtractVersion(const QString& text, ParsedVersion& version)
{
    wexlo::ExtractVersion(text, version);
}

// ---- The window ------------------------------------------------------------------------

fSHAREDUpdater::fSHAREDUpdater(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fSHAREDUpdater"));
    setWindowTitle(QStringLiteral("Updater"));
    cInternet = new cSHAREDInternet(this);
    connectGuarded(cInternet, &cSHAREDInternet::Progress, this, &fSHAREDUpdater::cInternet_Progress,
                   QStringLiteral("cInternet_Progress"), kModule, OnError::Form::NumberDash);
    connectGuarded(cInternet, &cSHAREDInternet::NoInternet, this,
                   &fSHAREDUpdater::cInternet_NoInternet, QStringLiteral("cInternet_NoInternet"),
                   kModule, OnError::Form::NumberDash);
    buildControls();
    Form_Load();
}

fSHAREDUpdater::~fSHAREDUpdater() = default;

void fSHAREDUpdater::buildControls()
{
    cmdCheckAgain = new QPushButton(this);
    cmdShowDetail = new QPushButton(this);
    cmdProxy = new QPushButton(this);
    cmdExit = new QPushButton(this);
    cmdDownload = new QPushButton(this);
    cmdDownloadInstall = new QPushButton(this);
    txtDetails = new QPlainTextEdit(this);
    picStatus = new platform::PictureBox(this);
    chkDisableAutoUpdate = new QCheckBox(this);
    Frame1 = new QGroupBox(this);
    Label1 = new QLabel(Frame1);
    lblProgram = new QLabel(Frame1);
    Label3 = new QLabel(Frame1);
    lblUpdate = new QLabel(Frame1);
    Label2 = new QLabel(this);

    // This window's places are not given in twips: the layouts below place its controls. The
    // value labels are read by their texts; the captions name them.
    platform::layOut({
        {cmdCheckAgain, "cmdCheckAgain", "Check Again", {}, nullptr, "Check Again"},
        {cmdShowDetail,
         "cmdShowDetail",
         "Show Version Details",
         {},
         "Reads details of the latest version from the server",
         "Show Version Details"},
        {cmdProxy, "cmdProxy", "Proxy Setup", {}, nullptr, "Proxy Setup"},
        {cmdExit, "cmdExit", "Exit", {}, nullptr, "Exit"},
        {cmdDownload,
         "cmdDownload",
         "Download Only",
         {},
         "This will download the update package without installing it.",
         "Download Only"},
        {cmdDownloadInstall,
         "cmdDownloadInstall",
         "Download and Install",
         {},
         "This will download the update package and update your copy of the program",
         "Download and Install"},
        {txtDetails, "txtDetails", nullptr, {}, nullptr, "Version details"},
        {picStatus, "picStatus"},
        {chkDisableAutoUpdate,
         "chkDisableAutoUpdate",
         "Disable automatic checking",
         {},
         "If you tick this box, the program will NOT check for updated versions. Recommended "
         "setting: not ticked",
         "Disable automatic checking"},
        {Frame1, "Frame1"},
        {Label1, "Label1", "You have:", {}, nullptr, nullptr, lblProgram},
        {lblProgram, "lblProgram"},
        {Label3, "Label3", "Status:", {}, nullptr, nullptr, lblUpdate},
        {lblUpdate, "lblUpdate"},
        {Label2, "Label2",
         "Privacy Guarantee: No information is sent from your computer when you check for "
         "updates."},
    });
    txtDetails->setReadOnly(true);
    txtDetails->setVisible(false);
    picStatus->setMinimumHeight(platform::twips(375));

    auto* grid = new QGridLayout(Frame1);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(lblProgram, 0, 1);
    grid->addWidget(Label3, 1, 0);
    grid->addWidget(lblUpdate, 1, 1);
    grid->setColumnStretch(1, 1);
    QFont bold = lblUpdate->font();
    bold.setBold(true);
    lblUpdate->setFont(bold);
    Label2->setWordWrap(true);

    auto* top = new QVBoxLayout(this);
    top->addWidget(Frame1);
    auto* checkRow = new QHBoxLayout;
    checkRow->addWidget(cmdCheckAgain);
    checkRow->addWidget(cmdShowDetail);
    checkRow->addWidget(cmdProxy);
    top->addLayout(checkRow);
    top->addWidget(txtDetails, 1);
    top->addWidget(picStatus);
    auto* downloadRow = new QHBoxLayout;
    downloadRow->addWidget(cmdDownload);
    downloadRow->addWidget(cmdDownloadInstall);
    top->addLayout(downloadRow);
    top->addWidget(chkDisableAutoUpdate);
    top->addWidget(Label2);
    auto* exitRow = new QHBoxLayout;
    exitRow->addStretch(1);
    exitRow->addWidget(cmdExit);
    top->addLayout(exitRow);
    resize(platform::twips(6500), platform::twips(4200));

    connectGuarded(cmdCheckAgain, &QPushButton::clicked, this, &fSHAREDUpdater::cmdCheckAgain_Click,
                   QStringLiteral("cmdCheckAgain_Click"), kModule, OnError::Form::NumberDash);
    connectGuarded(cmdShowDetail, &QPushButton::clicked, this, &fSHAREDUpdater::cmdShowDetail_Click,
                   QStringLiteral("cmdShowDetail_Click"), kModule, OnError::Form::NumberDash);
    connectGuarded(cmdProxy, &QPushButton::clicked, this, &fSHAREDUpdater::cmdProxy_Click,
                   QStringLiteral("cmdProxy_Click"), kModule, OnError::Form::NumberDash);
    connectGuarded(cmdExit, &QPushButton::clicked, this, &fSHAREDUpdater::CloseUpdater,
                   QStringLiteral("CloseUpdater"), kModule, OnError::Form::NumberDash);
    connectGuarded(cmdDownload, &QPushButton::clicked, this, &fSHAREDUpdater::cmdDownload_Click,
                   QStringLiteral("cmdDownload_Click"), kModule, OnError::Form::NumberDash);
    connectGuarded(cmdDownloadInstall, &QPushButton::clicked, this,
                   &fSHAREDUpdater::cmdDownloadInstall_Click,
                   QStringLiteral("cmdDownloadInstall_Click"), kModule, OnError::Form::NumberDash);
}

void fSHAREDUpdater::Form_Load()
{
    OnError on(QStringLiteral("Form_Load"), kModule, OnError::Form::NumberDash);
    on([&] { setWindowTitle(mSHAREDSubs::AppTitle() + QStringLiteral(" Updater")); });
    on([&] {
        lblProgram->setText(mSHAREDSubs::AppTitle() + QStringLiteral(" version ") +
                            mSHAREDSubs::AppVersion());
    });
    on([&] { syncCheckBox(); });
    on([&] { ExtractVersion(mSHAREDSubs::AppVersion(), RunningVersion); });
}

void fSHAREDUpdater::syncCheckBox()
{
    chkDisableAutoUpdate->setChecked(
        mSHAREDSettings::ReadSetting(QStringLiteral("DisableAutoUpdateCheck"), true).toBool());
}

void fSHAREDUpdater::SetStatus(const QString& text)
{
    mSHAREDProgress::PrintCentered(*picStatus, text, true, kWindowText, kWindowBack);
    Q_EMIT Status(text);
}

void fSHAREDUpdater::setUpdateLabel(const QString& text, const QColor& colour)
{
    QPalette p = lblUpdate->palette();
    p.setColor(QPalette::WindowText, colour);
    lblUpdate->setPalette(p);
    lblUpdate->setText(text);
}

// ---- The check -------------------------------------------------------------------------

bool fSHAREDUpdater::CheckForUpdate(bool quiet, const QString& updateUrl, const QString& detailsUrl,
                                    const QString& updateFilename, const QString& currentVersion)
{
    bool result = false;
    OnError on(QStringLiteral("CheckForUpdate"), kModule, OnError::Form::NumberDash);
    QString closing;

    cmdCheckAgain->setEnabled(false);
    cmdShowDetail->setEnabled(false);
    QString current = currentVersion;
    on([&] {
        if (!current.isEmpty())
            lblProgram->setText(QStringLiteral("Version ") + current);
        else
            current = mSHAREDSubs::AppVersion();
    });
    ParsedVersion running;
    on([&] { ExtractVersion(current, running); });
    if (!quiet) {
        // Another window open modally cannot be joined by this one: check quietly instead.
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal != this) {
            quiet = true;
        } else {
            on([&] {
                show();
                raise();
                platform::eventPump().processEvents();
            });
        }
    }
    on([&] { syncCheckBox(); });
    on([&] { cInternet->Cancel(); });
    UpdateURL = updateUrl;
    DetailsURL = detailsUrl;
    UpdateFilename = updateFilename;
    on([&] { SetStatus(QStringLiteral("Checking for update")); });
    on([&] { cInternet->ApplyProxy(); });

    QString response;
    CheckRunning = true;
    on([&] { response = cInternet->OpenURL(UpdateURL, false); });

    const bool retrieved = !response.trimmed().isEmpty() &&
                           !response.contains(QStringLiteral("<HTML"), Qt::CaseInsensitive);
    if (!retrieved) {
        mSHAREDLogging::logerror(
            QStringLiteral("Could not retrieve information from the update server."));
        if (InternetMissing) {
            mSHAREDLogging::logerror(QStringLiteral("MSINET control is missing or outdated"));
            closing = QStringLiteral(
                          "The internet control (MSINET.OCX) is missing or outdated. Visit the "
                          "Runtimes page on ") +
                      makerWebsite() + QStringLiteral(" to download an updated version.");
        } else {
            mSHAREDLogging::logerror(QStringLiteral("Please visit ") + makerWebsite() +
                                     QStringLiteral(" to see if an update is available."));
            closing = QStringLiteral("Update check failed. Visit ") + makerWebsite() +
                      QStringLiteral(" to update this program manually.");
        }
        on([&] { setUpdateLabel(QStringLiteral("Could not retrieve update status"), kRed); });
    } else {
        on([&] { SetStatus(QStringLiteral("Data retrieved")); });
        ParsedVersion available;
        on([&] { ExtractVersion(response, available); });
        if (available.Address.isEmpty()) {
            on([&] {
                setUpdateLabel(QStringLiteral("Could not read update status from file"), kRed);
            });
            closing = QStringLiteral("Update check failed, could not read download filename");
        } else {
            const bool newer = available.isNewerThan(running);
            DownloadURL = available.Address;
            AvailableVersion = available;
            RunningVersion = running;
            NewerFound = newer;
            // A package is offered only for a newer version.
            cmdDownload->setEnabled(newer);
            cmdDownloadInstall->setEnabled(newer);
            const QString shown = available.text().toUpper();
            if (newer) {
                cmdCheckAgain->setEnabled(true);
                cmdShowDetail->setEnabled(true);
                on([&] {
                    mSHAREDSettings::WriteSetting(
                        QStringLiteral("LastUpdateCheck"),
                        mSHAREDDateFunc::formatdate(platform::clock().today(),
                                                    QStringLiteral("DD/MMM/YYYY")));
                });
                on([&] {
                    setUpdateLabel(
                        QStringLiteral("Version ") + shown + QStringLiteral(" is available!"),
                        kDarkGreen);
                });
                result = true;
                if (quiet) {
                    on([&] {
                        const auto answer = platform::message(
                            this,
                            QStringLiteral(
                                "An update is available. Would you like to view the details now?"),
                            mSHAREDSubs::AppTitle(), platform::MsgButtons::YesNo,
                            platform::MsgIcon::Question);
                        if (answer == platform::MsgAnswer::Yes)
                            exec();
                    });
                }
            } else {
                on([&] { RecordUpdateCheck(); });
                on([&] {
                    mSHAREDLogging::writelog(
                        QStringLiteral("Already up to date (Available version is ") + shown +
                        QStringLiteral(")"));
                });
                on([&] { setUpdateLabel(QStringLiteral("You're up to date!"), kRed); });
                closing =
                    QStringLiteral("Latest available version is") + QStringLiteral(" ") + shown;
            }
        }
    }

    on([&] { SetStatus(closing); });
    on([&] { mSHAREDLogging::logdebug(closing); });
    cmdCheckAgain->setEnabled(true);
    cmdShowDetail->setEnabled(true);
    Q_EMIT Finished();
    return result;
}

void fSHAREDUpdater::ShowandCheck(const QString& updateUrl, const QString& detailsUrl,
                                  const QString& updateFilename, const QString& currentVersion)
{
    OnError on(QStringLiteral("ShowAndCheck"), kModule, OnError::Form::NumberDash);
    UpdateURL = updateUrl;
    DetailsURL = detailsUrl;
    UpdateFilename = updateFilename;
    bool newer = false;
    on([&] {
        newer = CheckForUpdate(false, updateUrl, detailsUrl, updateFilename, currentVersion);
    });
    if (!newer) {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == this)
            on([&] { exec(); });
    }
}

void fSHAREDUpdater::cmdCheckAgain_Click()
{
    OnError on(QStringLiteral("cmdCheckAgain_Click"), kModule);
    on([&] { CheckForUpdate(false, UpdateURL, DetailsURL, UpdateFilename, QString()); });
}

void fSHAREDUpdater::cmdShowDetail_Click()
{
    runGuarded(
        QStringLiteral("cmdShowDetail"), kModule,
        [&] {
            mSHAREDSubs::busymouse();
            txtDetails->setVisible(true);
            txtDetails->setPlainText(QStringLiteral("Retrieving info..."));
            platform::eventPump().processEvents();
            QString response = cInternet->OpenURL(DetailsURL, false);
            if (response.contains(QStringLiteral("html"), Qt::CaseInsensitive) &&
                response.contains(QStringLiteral("404"), Qt::CaseInsensitive)) {
                txtDetails->setPlainText(QStringLiteral(
                    "Unable to read data from server. Please check your internet settings and try "
                    "again."));
            } else {
                // Shown unchanged; CR LF and LF alike end a line in the box.
                response.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
                txtDetails->setPlainText(response);
            }
        },
        OnError::Form::NumberDash);
    // Also after a failure: an hourglass left behind would look like a hang.
    mSHAREDSubs::normalmouse();
}

void fSHAREDUpdater::cmdProxy_Click()
{
    OnError on(QStringLiteral("cmdProxy_Click"), kModule);
    on([&] {
        fSHAREDProxy dialog(this);
        dialog.exec();
    });
}

void fSHAREDUpdater::CloseUpdater()
{
    mSHAREDSettings::WriteSetting(QStringLiteral("DisableAutoUpdateCheck"),  // never fails
                                  chkDisableAutoUpdate->isChecked());
    Q_EMIT FormClosed();
    // Hides the window and ends a modal showing; the main window keeps it for the next check.
    done(QDialog::Rejected);
}

void fSHAREDUpdater::closeEvent(QCloseEvent* event)
{
    // Only the user closes this window through its close box; at program end it is deleted.
    CloseUpdater();
    event->accept();
}

void fSHAREDUpdater::reject() { CloseUpdater(); }

void fSHAREDUpdater::StopAll()
{
    OnError on(QStringLiteral("StopAll"), kModule);
    on([&] { cInternet->Cancel(); });
    on([&] { hide(); });
    on([&] { platform::eventPump().processEvents(); });
    on([&] { deleteLater(); });
}

// ---- Downloading the package -----------------------------------------------------------

QString fSHAREDUpdater::savedPackagePath() const
{
    return mSHAREDFileSubs::addslash(platform::appFolder()) + UpdateFilename;
}

void fSHAREDUpdater::makeSureAddressKnown()
{
    if (DownloadURL.isEmpty())
        CheckForUpdate(true, UpdateURL, DetailsURL, UpdateFilename, QString());
}

bool fSHAREDUpdater::newerVersionOffered()
{
    // Without an address the download fails as it always did.
    if (NewerFound || DownloadURL.isEmpty())
        return true;
    SetStatus(QStringLiteral("Error - There is no newer version to download."));
    return false;
}

bool fSHAREDUpdater::fetchOfferedPackage(OnError& on)
{
    on([&] { makeSureAddressKnown(); });
    bool offered = true;
    on([&] { offered = newerVersionOffered(); });
    if (!offered)
        return false;
    bool saved = false;
    on([&] {
        saved = DownloadFile(mSHAREDFileSubs::addslash(platform::appFolder()), UpdateFilename,
                             DownloadURL);
    });
    return saved;
}

void fSHAREDUpdater::cmdDownload_Click()
{
    OnError on(QStringLiteral("cmdDownload_Click"), kModule);
    const bool saved = fetchOfferedPackage(on);
    if (saved)
        on([&] {
            platform::message(this, QStringLiteral("File saved to ") + savedPackagePath(),
                              mSHAREDSubs::AppTitle());
        });
}

void fSHAREDUpdater::cmdDownloadInstall_Click()
{
    OnError on(QStringLiteral("cmdDownloadInstall_Click"), kModule);
    const bool saved = fetchOfferedPackage(on);
    if (!saved)
        return;
    platform::MsgAnswer answer = platform::MsgAnswer::No;
    on([&] {
        answer = platform::message(
            this, QStringLiteral("The update has been downloaded. Do you want to install it now?"),
            mSHAREDSubs::AppTitle(), platform::MsgButtons::YesNo, platform::MsgIcon::Question);
    });
    if (answer == platform::MsgAnswer::Yes) {
        QPointer<fSHAREDUpdater> self(this);
        on([&] { hide(); });
        on([&] { platform::eventPump().processEvents(); });
        Q_EMIT InstallFile();
        // The main window's reaction may already have closed this window for good.
        if (self)
            CloseUpdater();
    } else {
        on([&] {
            platform::message(this, QStringLiteral("File saved to ") + savedPackagePath(),
                              mSHAREDSubs::AppTitle());
        });
    }
}

void fSHAREDUpdater::DownloadAndInstall(const QString& packageUrl)
{
    if (!newerVersionOffered())
        return;
    DownloadFile(mSHAREDFileSubs::addslash(platform::appFolder()), UpdateFilename, packageUrl);
}

bool fSHAREDUpdater::DownloadFile(const QString& folder, const QString& fileName,
                                  const QString& address)
{
    bool result = false;
    OnError on(QStringLiteral("DownloadFile"), kModule, OnError::Form::NumberDash);
    CheckRunning = false;
    if (!PackageSignature::haveKey()) {
        // Nothing could show that a package is the maker's, so none is fetched at all.
        on([&] { SetStatus(PackageSignature::refusal(PackageSignature::Verdict::NoKey)); });
        return false;
    }
    on([&] { cInternet->ApplyProxy(); });
    on([&] { mSHAREDSubs::busymouse(); });
    on([&] { mSHAREDLogging::writelog(QStringLiteral("Trying to download ") + forLog(address)); });
    const QString target = folder + fileName;
    bool fetched = false;
    // Only web and FTP addresses are fetched; anything else counts as a failed download.
    if (fetchableScheme(address))
        on([&] { fetched = cInternet->GetFile(address, target, true, false, false); });
    if (!fetched) {
        on([&] { SetStatus(QStringLiteral("Error - Download failed.")); });
        on([&] { mSHAREDFileSubs::EraseFile(target); });
    } else {
        const qint64 size = platform::fileSystem().info(target).size;
        const qint64 expected = cInternet->ExpectedFilesize();
        if (expected > 0 && expected != size) {
            // A connection cut off part way: never hand a broken package to the updater.
            on([&] {
                SetStatus(QStringLiteral("Error - Downloaded file is incomplete. Please retry"));
            });
            on([&] { mSHAREDFileSubs::EraseFile(target); });
        } else if (size >= kMinimumPackageSize) {
            on([&] { result = signedByMaker(target, address); });
        } else {
            // Too small to be a package: never kept, whatever it holds.
            QString text;
            on([&] { mSHAREDFileSubs::LoadTextFile(target, text); });
            on([&] { mSHAREDFileSubs::EraseFile(target); });
            if (text.contains(QStringLiteral("<HTML>"), Qt::CaseInsensitive))
                on([&] { SetStatus(QStringLiteral("Error - File not found on server.")); });
        }
    }
    mSHAREDSubs::normalmouse();
    return result;
}

bool fSHAREDUpdater::signedByMaker(const QString& target, const QString& address)
{
    using namespace PackageSignature;
    Verdict verdict = Verdict::Missing;
    try {
        const QString signature = cInternet->OpenURL(signatureAddress(address), false);
        verdict = verify(target, signature.toUtf8(), publicKey(), AvailableVersion, RunningVersion);
    } catch (...) {
        // Deleted below whatever went wrong: an unchecked package is never kept.
        mSHAREDFileSubs::EraseFile(target);
        throw;
    }
    if (verdict == Verdict::Good)
        return true;
    mSHAREDFileSubs::EraseFile(target);
    SetStatus(refusal(verdict));
    return false;
}

void fSHAREDUpdater::cInternet_Progress(float percent, const QString& text)
{
    if (CheckRunning)
        return;
    OnError on(QStringLiteral("cinternet_progress"), kModule);
    on([&] {
        if (percent == 100.0f)
            mSHAREDProgress::PrintCentered(*picStatus, text, true, kWindowText, kWindowBack);
        else
            mSHAREDProgress::showprogressstring(*picStatus, percent, 100.0, text, 0, 0);
    });
}

void fSHAREDUpdater::cInternet_NoInternet() { InternetMissing = true; }

void fSHAREDUpdater::RecordUpdateCheck()
{
    OnError on(QStringLiteral("recordupdatecheck"), QStringLiteral("mSHAREDUpdater"));
    on([] {
        mSHAREDSettings::WriteSetting(
            QStringLiteral("LastUpdateCheck"),
            static_cast<std::int32_t>(dates::dayNumber(platform::clock().today())));
    });
}

}  // namespace wexlo
