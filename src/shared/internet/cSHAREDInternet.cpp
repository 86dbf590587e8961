#include "shared/internet/cSHAREDInternet.h"

#include "platform/Platform.h"
#include "shared/internet/fSHAREDInternet.h"
#include "shared/util/mSHAREDDelay.h"
#include "shared/util/mSHAREDFileSubs.h"

#include <QPointer>

namespace wexlo {

cSHAREDInternet::cSHAREDInternet(QObject* parent)
    : QObject(parent), fInet(std::make_unique<fSHAREDInternet>())
{
    connect(fInet.get(), &fSHAREDInternet::Status, this, &cSHAREDInternet::Status);
    connect(fInet.get(), &fSHAREDInternet::Progress, this, &cSHAREDInternet::Progress);
    connect(fInet.get(), &fSHAREDInternet::Receiving, this, &cSHAREDInternet::Receiving);
    connect(fInet.get(), &fSHAREDInternet::NoInternet, this, &cSHAREDInternet::NoInternet);
    connect(fInet.get(), &fSHAREDInternet::DownloadFinished, this,
            [this] { TransferFinished = true; });
    connect(fInet.get(), &fSHAREDInternet::DownloadError, this,
            [this](const QString&) { TransferFailed = true; });
}

cSHAREDInternet::~cSHAREDInternet()
{
    if (fInet) {
        fInet->disconnect(this);
        fInet->Cancel();
        fInet.reset();
    }
}

void cSHAREDInternet::setSuppressAllButDLAndErrors(bool value)
{
    fInet->SuppressAllButDLAndErrors = value;
}
void cSHAREDInternet::setSuppressAllButErrors(bool value) { fInet->SuppressAllButErrors = value; }
void cSHAREDInternet::ApplyProxy() { fInet->ApplyProxy(); }

void cSHAREDInternet::Cancel()
{
    fInet->Cancel();
    Cancelled = true;
}

bool cSHAREDInternet::GetFile(const QString& URL, const QString& FileName, bool GetSize,
                              bool SuppressAllButDLAndErrors, bool SuppressAllButErrors)
{
    Cancelled = false;
    fInet->SuppressAllButDLAndErrors = SuppressAllButDLAndErrors;
    fInet->SuppressAllButErrors = SuppressAllButErrors;
    TransferFailed = false;
    TransferFinished = false;
    if (fInet->Connected())
        fInet->Cancel();
    fInet->DownloadFile(URL, FileName, GetSize);

    QPointer<cSHAREDInternet> self(this);
    bool success = false;
    for (;;) {
        mSHAREDDelay::delayms(150);
        platform::eventPump().processEvents();
        if (!self)
            return false;  // released while waiting
        if (TransferFailed)
            break;
        if (TransferFinished || Cancelled) {
            success = !Cancelled;
            break;
        }
    }
    if (!success) {
        // Whatever failed, the transfer ends now: no byte more goes to disk.
        if (fInet->Connected())
            fInet->stopTransfer();
        mSHAREDFileSubs::EraseFile(FileName);
    }
    return success;
}

std::int32_t cSHAREDInternet::ExpectedFilesize() const { return fInet->ExpectedFilesize(); }

QString cSHAREDInternet::OpenURL(const QString& URL, bool ShowStatus)
{
    Cancelled = false;
    return fInet->OpenURL(URL, ShowStatus);
}

bool cSHAREDInternet::Connected() { return fInet->Connected(); }

}  // namespace wexlo
