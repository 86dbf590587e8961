#include "shared/internet/InternetSession.h"

#include "platform/Platform.h"
#include "shared/internet/TransferWindow.h"
#include "shared/util/Delay.h"
#include "shared/util/Files.h"

#include <QPointer>

namespace wexlo {

InternetSession::InternetSession(QObject* parent)
    : QObject(parent), window_(std::make_unique<TransferWindow>())
{
    connect(window_.get(), &TransferWindow::statusChanged, this, &InternetSession::statusChanged);
    connect(window_.get(), &TransferWindow::progressChanged, this,
            &InternetSession::progressChanged);
    connect(window_.get(), &TransferWindow::receiving, this, &InternetSession::receiving);
    connect(window_.get(), &TransferWindow::noInternet, this, &InternetSession::noInternet);
    connect(window_.get(), &TransferWindow::downloadFinished, this, [this] { finished_ = true; });
    connect(window_.get(), &TransferWindow::downloadFailed, this,
            [this](const QString&) { failed_ = true; });
}

InternetSession::~InternetSession()
{
    if (window_) {
        window_->disconnect(this);
        window_->cancel();
        window_.reset();
    }
}

void InternetSession::applyProxy() { window_->applyProxy(); }

void InternetSession::cancel()
{
    window_->cancel();
    cancelled_ = true;
}

bool InternetSession::fetchFile(const QString& url, const QString& fileName, bool wantSize,
                                bool showOnlyDownloadAndErrors, bool showOnlyErrors)
{
    cancelled_ = false;
    window_->setShowOnlyDownloadAndErrors(showOnlyDownloadAndErrors);
    window_->setShowOnlyErrors(showOnlyErrors);
    failed_ = false;
    finished_ = false;
    if (window_->isTransferring())
        window_->cancel();
    window_->startDownload(url, fileName, wantSize);

    QPointer<InternetSession> self(this);
    bool success = false;
    for (;;) {
        delay::waitMs(150);
        platform::eventPump().processEvents();
        if (!self)
            return false;  // released while waiting
        if (failed_)
            break;
        if (finished_ || cancelled_) {
            success = !cancelled_;
            break;
        }
    }
    if (!success) {
        // Whatever failed, the transfer ends now: no byte more goes to disk.
        if (window_->isTransferring())
            window_->stopTransfer();
        files::erase(fileName);
    }
    return success;
}

std::int32_t InternetSession::expectedFileSize() const { return window_->expectedFileSize(); }

QString InternetSession::fetchText(const QString& url, bool showStatus)
{
    cancelled_ = false;
    return window_->fetchText(url, showStatus);
}

bool InternetSession::isTransferring() const { return window_->isTransferring(); }

}  // namespace wexlo
