#pragma once

// The update window: fetches the version file from the maker's server, compares it with the
// running version, shows the result, and downloads the update package on request.

#include "shared/updater/UpdateVersion.h"

#include <QDialog>
#include <QString>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace wexlo {

class OnError;
class cSHAREDInternet;
namespace platform {
class PictureBox;
}

class fSHAREDUpdater : public QDialog {
    Q_OBJECT

public:
    explicit fSHAREDUpdater(QWidget* parent = nullptr);
    ~fSHAREDUpdater() override;

    // True when the version file names a newer version than currentVersion (empty: the
    // running one). Quiet checks stay hidden unless the user asks to see a newer version.
    bool CheckForUpdate(bool quiet, const QString& updateUrl, const QString& detailsUrl,
                        const QString& updateFilename, const QString& currentVersion);
    void ShowandCheck(const QString& updateUrl, const QString& detailsUrl,
                      const QString& updateFilename, const QString& currentVersion);
    void DownloadAndInstall(const QString& packageUrl);
    // Downloads the package into folder + fileName and checks it is plausible.
    bool DownloadFile(const QString& folder, const QString& fileName, const QString& address);
    void StopAll();
    // Stores the check box, says the window closed, and closes it.
    void CloseUpdater();

    static void ExtractVersion(const QString& text, ParsedVersion& version);
    // Stores today's day number under "LastUpdateCheck": a check ran and found nothing new.
    static void RecordUpdateCheck();

    cSHAREDInternet* internet() const { return cInternet; }
    const QString& downloadUrl() const { return DownloadURL; }

    // The window's controls, named as the program knows them.
    QPushButton* cmdCheckAgain = nullptr;
    QPlainTextEdit* txtDetails = nullptr;
    platform::PictureBox* picStatus = nullptr;
    QPushButton* cmdShowDetail = nullptr;
    QCheckBox* chkDisableAutoUpdate = nullptr;
    QPushButton* cmdProxy = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblProgram = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* lblUpdate = nullptr;
    QPushButton* cmdExit = nullptr;
    QPushButton* cmdDownload = nullptr;
    QPushButton* cmdDownloadInstall = nullptr;
    QLabel* Label2 = nullptr;

Q_SIGNALS:
    void Status(const QString& text);
    void Finished();
    void InstallFile();
    void FormClosed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;  // Escape closes like "Exit"

private:
    void buildControls();
    void Form_Load();
    void SetStatus(const QString& text);
    void setUpdateLabel(const QString& text, const QColor& colour);
    void syncCheckBox();
    void cmdCheckAgain_Click();
    void cmdShowDetail_Click();
    void cmdProxy_Click();
    void cmdDownload_Click();
    void cmdDownloadInstall_Click();
    void makeSureAddressKnown();
    // True when the last check found a newer version; otherwise says why nothing is fetched.
    bool newerVersionOffered();
    // Fetches the package a check offered into the program's folder; false when none was offered
    // or the download failed (the status line says which).
    bool fetchOfferedPackage(OnError& on);
    // The maker's signature check of a saved package; a refused package is deleted.
    bool signedByMaker(const QString& target, const QString& address);
    void cInternet_Progress(float percent, const QString& text);
    void cInternet_NoInternet();
    QString savedPackagePath() const;

    cSHAREDInternet* cInternet = nullptr;
    QString UpdateURL;
    QString DetailsURL;
    QString UpdateFilename;
    QString DownloadURL;
    bool InternetMissing = false;
    bool CheckRunning = false;
    // What the last check that read an address found, and the version it compared with.
    ParsedVersion AvailableVersion;
    ParsedVersion RunningVersion;
    bool NewerFound = false;
};

}  // namespace wexlo
