#pragma once

// The update window: fetches the version file from the maker's server, compares it with the
// running version, shows the result, and downloads the update package on request. Installing
// the package is the external updater program's work, which the main window starts.

#include "shared/updater/InstallerLaunch.h"
#include "shared/updater/UpdateVersion.h"

#include <QDialog>
#include <QString>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace wexlo {

class InternetSession;
namespace platform {
class StatusBox;
}

class UpdateWindow : public QDialog {
    Q_OBJECT

public:
    explicit UpdateWindow(QWidget* parent = nullptr);
    ~UpdateWindow() override;

    // True when the version file names a newer version than currentVersion (empty: the
    // running one). Quiet checks stay hidden unless the user asks to see a newer version.
    bool checkForUpdate(bool quiet, const QString& versionFileUrl, const QString& detailsUrl,
                        const QString& packageFileName, const QString& currentVersion);
    // Downloads the package from packageUrl into the program's folder, when a newer version
    // was offered.
    void downloadPackageFrom(const QString& packageUrl);
    // Downloads the package into folder + fileName and checks it is the maker's.
    bool downloadPackage(const QString& folder, const QString& fileName, const QString& address);
    // Stores the check box, says the window closed, and closes it.
    void closeWindow();

    // Stores today's day number under "LastUpdateCheck": a check ran and found nothing new.
    static void recordUpdateCheck();

    InternetSession* internet() const { return internet_; }
    const QString& downloadUrl() const { return packageUrl_; }
    // The package the user agreed to install and the signature it was checked with.
    updater::CheckedPackage checkedPackage() const { return {savedPackagePath(), checkedSignature_}; }

Q_SIGNALS:
    void statusChanged(const QString& text);
    void checkFinished();
    void installRequested();
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;  // Escape closes like "Exit"

private:
    void buildControls();
    void setStatus(const QString& text);
    void setUpdateLabel(const QString& text, const QColor& colour);
    void syncCheckBox(const QString& procedure);
    void checkAgain();
    void showDetails();
    void openProxyDialog();
    void downloadOnly();
    void downloadAndInstall();
    void makeSureAddressKnown();
    // True when the last check found a newer version; otherwise says why nothing is fetched.
    bool newerVersionOffered();
    // Fetches the package a check offered into the program's folder; false when none was offered
    // or the download failed (the status line says which).
    bool fetchOfferedPackage();
    // The maker's signature check of a saved package; a refused package is deleted.
    bool signedByMaker(const QString& target, const QString& address);
    void showTransferProgress(float percent, const QString& text);
    void noteInternetMissing();
    QString savedPackagePath() const;
    QByteArray checkedSignature_;

    QPushButton* checkAgainButton_ = nullptr;
    QPlainTextEdit* detailsBox_ = nullptr;
    platform::StatusBox* statusBox_ = nullptr;
    QPushButton* showDetailsButton_ = nullptr;
    QCheckBox* disableAutoCheckBox_ = nullptr;
    QPushButton* proxyButton_ = nullptr;
    QGroupBox* versionFrame_ = nullptr;
    QLabel* programCaption_ = nullptr;
    QLabel* programLabel_ = nullptr;
    QLabel* updateCaption_ = nullptr;
    QLabel* updateLabel_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QPushButton* downloadButton_ = nullptr;
    QPushButton* downloadInstallButton_ = nullptr;
    QLabel* privacyLabel_ = nullptr;

    InternetSession* internet_ = nullptr;
    QString versionFileUrl_;
    QString detailsUrl_;
    QString packageFileName_;
    QString packageUrl_;
    bool internetMissing_ = false;
    bool checkRunning_ = false;
    // What the last check that read an address found, and the version it compared with.
    ParsedVersion availableVersion_;
    ParsedVersion runningVersion_;
    bool newerFound_ = false;
};

}  // namespace wexlo
