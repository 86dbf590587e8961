#pragma once

// A transfer: asynchronous HTTP, HTTPS and FTP requests whose progress arrives as
// numbered state changes on the UI thread. The real one runs over libcurl's multi interface,
// driven from the Qt event loop; tests may put another in its place through the factory seam.

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace wexlo::platform {

class Transfer : public QObject {
    Q_OBJECT
public:
    // The state numbers, in the order a successful request passes them (11 only on failure).
    enum State {
        Resolving = 1,
        Resolved = 2,
        Connecting = 3,
        Connected = 4,
        Requesting = 5,
        RequestSent = 6,
        ReceivingResponse = 7,
        ResponseReceived = 8,
        Disconnecting = 9,
        Disconnected = 10,
        Error = 11,
        ResponseCompleted = 12,
    };
    // 0 the system's configuration (the proxy environment), 1 direct, 2 the named proxy.
    enum AccessType { UseDefault = 0, Direct = 1, NamedProxy = 2 };

    static constexpr int kAliveIntervalMs = 200;

    explicit Transfer(QObject* parent = nullptr);
    ~Transfer() override;

    int accessType() const { return accessType_; }
    virtual void setAccessType(int type) { accessType_ = type; }
    QString proxy() const { return proxy_; }  // "server:port" or empty
    virtual void setProxy(const QString& proxy) { proxy_ = proxy; }
    QString userName() const { return userName_; }  // proxy credentials
    virtual void setUserName(const QString& name) { userName_ = name; }
    QString password() const { return password_; }
    virtual void setPassword(const QString& password) { password_ = password; }
    // Seconds a request may go without any progress before it fails; 0 for no limit.
    int requestTimeout() const { return requestTimeout_; }
    virtual void setRequestTimeout(int seconds) { requestTimeout_ = seconds; }
    // A response body beyond this many bytes fails the request; 0 for no limit. A body longer
    // than its Content-Length fails whatever the limit.
    qint64 maxResponseSize() const { return maxResponseSize_; }
    virtual void setMaxResponseSize(qint64 bytes) { maxResponseSize_ = bytes; }
    // Body bytes of the current response that have arrived so far.
    virtual qint64 bytesReceived() const { return 0; }

    // Starts a request and returns at once. Operation "GET" fetches the URL; for FTP the
    // exchange "CD folder", "GET remote-file local-path", "CLOSE" against "ftp://host"
    // becomes one download into the local file. Throws RuntimeError 35764 while an earlier
    // request still runs, 35756 for an address that cannot be read.
    virtual void execute(const QString& url, const QString& operation) = 0;
    // Abandons the current request; no further state changes arrive for it.
    virtual void cancel() = 0;
    // The next block of the response body, at most size bytes; empty when exhausted.
    virtual QByteArray getChunk(int size) = 0;
    // A header of the last response ("Content-Length" also for FTP), empty if absent.
    virtual QString getHeader(const QString& name) const = 0;
    // Text describing the last failure, in English as the log keeps it.
    virtual QString responseInfo() const = 0;
    // The same failure as the user reads it: in the user's language where it has the text,
    // else responseInfo's English (so English reads as the log does).
    virtual QString shownResponseInfo() const { return responseInfo(); }

    // Receives the response body while it arrives, instead of the transfer keeping it for
    // getChunk: each block in turn, then one empty block when the response is complete. A
    // RuntimeError it throws fails the request with its message. Set before a "GET"; it
    // applies to that request alone. A transfer that cannot do it keeps the body for getChunk.
    using BodyHandler = std::function<void(QByteArrayView block)>;
    virtual void setBodyHandler(const BodyHandler& handler) { Q_UNUSED(handler); }

    // For tools that only save a body: the next "GET" writes it into path (replaced only when
    // the response is complete) through the body handler; bodySaved says it did, and
    // skipChunk passes over it as getChunk would have read it in blocks of chunkSize: each
    // block's length (0 when exhausted) and whether its first byte is NUL.
    void setBodyFile(const QString& path, int chunkSize);
    bool bodySaved() const;
    struct SkippedChunk {
        int length = 0;
        bool startsWithNul = false;
    };
    SkippedChunk skipChunk();
    virtual bool stillExecuting() const = 0;

Q_SIGNALS:
    // While a response body streams in, ReceivingResponse comes again every kAliveIntervalMs
    // at most (only when bytes arrived meanwhile): the sign of life a time-out waits for.
    void stateChanged(int state);

private:
    struct SavedBody;
    std::shared_ptr<SavedBody> saved_;
    int accessType_ = UseDefault;
    QString proxy_;
    QString userName_;
    QString password_;
    int requestTimeout_ = 60;
    qint64 maxResponseSize_ = 0;
};

// Creates a transfer. Throws RuntimeError 339 when it cannot be created.
std::unique_ptr<Transfer> createTransfer(QObject* parent = nullptr);

// Test seam: the factory used by createTransfer (an empty function puts the real one
// back). A factory that returns nullptr makes creation fail with 339.
using TransferFactory = std::function<std::unique_ptr<Transfer>(QObject* parent)>;
void setTransferFactory(TransferFactory factory);

// The real, libcurl-based transfer.
std::unique_ptr<Transfer> createCurlTransfer(QObject* parent = nullptr);

namespace detail {
// Lets running transfers move data while the thread sleeps, for at most ms milliseconds;
// no window events run and no state change is delivered meanwhile. False (having waited
// nothing) when no transfer is running. The real transfer registers it as the clock's sleep
// worker.
bool serviceTransfersWhileSleeping(int ms);
// Test seam: https servers are trusted by the certificates in this file instead of the
// system's (empty: the system's again).
void setTrustedCertificatesForTests(const QString& pemFile);
}  // namespace detail

}  // namespace wexlo::platform
