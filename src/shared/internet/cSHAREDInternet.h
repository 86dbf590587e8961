#pragma once

// The program's way to the network: one hidden transfer window per instance, simple
// operations forwarded to it, and GetFile, a download that waits for its outcome.

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>

namespace wexlo {

class fSHAREDInternet;

class cSHAREDInternet : public QObject {
    Q_OBJECT
public:
    explicit cSHAREDInternet(QObject* parent = nullptr);
    ~cSHAREDInternet() override;

    void setSuppressAllButDLAndErrors(bool value);
    void setSuppressAllButErrors(bool value);
    void ApplyProxy();
    void Cancel();
    bool GetFile(const QString& URL, const QString& FileName, bool GetSize,
                 bool SuppressAllButDLAndErrors, bool SuppressAllButErrors);
    std::int32_t ExpectedFilesize() const;
    QString OpenURL(const QString& URL, bool ShowStatus);
    bool Connected();

    fSHAREDInternet* window() const { return fInet.get(); }

Q_SIGNALS:
    void Status(const QString& text);
    void Progress(float percent, const QString& text);
    void Receiving();
    void NoInternet();

private:
    std::unique_ptr<fSHAREDInternet> fInet;
    bool Cancelled = false;
    bool TransferFinished = false;
    bool TransferFailed = false;
};

}  // namespace wexlo
