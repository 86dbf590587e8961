#pragma once

// The hidden transfer window: owns the transfer control and the time-out timer, and turns the
// control's state changes into the signals below.

#include "platform/Transfer.h"

#include <QByteArray>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QTimer;

namespace wexlo {

class ErrorRecorder;
namespace platform {
class FileWriter;
}

class TransferWindow : public QWidget {
    Q_OBJECT
public:
    explicit TransferWindow(QWidget* parent = nullptr);
    ~TransferWindow() override;

    // What the status and progress signals report; both false at creation.
    void setShowOnlyErrors(bool value) { showOnlyErrors_ = value; }
    void setShowOnlyDownloadAndErrors(bool value) { showOnlyDownloadAndErrors_ = value; }

    // Fetches url and waits for its answer as text (empty when the transfer failed).
    QString fetchText(const QString& url, bool showStatus);
    // The answer's bytes as they came, at most maxBytes, within totalSeconds in all; nothing
    // when the fetch failed or ran out of time.
    std::optional<QByteArray> fetchBytes(const QString& url, qint64 maxBytes, int totalSeconds);
    // Starts downloading url into fileName; downloadFinished or downloadFailed follows.
    void startDownload(const QString& url, const QString& fileName, bool wantSize);
    void cancel();
    void cancelDownload();
    std::int32_t expectedFileSize() const { return expectedFileSize_; }
    bool isTransferring() const;
    // Hands the proxy settings to the control; notices a missing control.
    void applyProxy();
    QString proxyUser();
    QString proxyPassword();
    QString bytesToText(const QByteArray& bytes);
    // Ends the running transfer at once without an event: the control stops and a partial
    // file is dropped, so nothing more is written after a failure.
    void stopTransfer();

    // The control (nullptr when it could not be created) and the timer, for tests and tools.
    platform::Transfer* control() const { return control_.get(); }
    QTimer* timeoutTimer() const { return timeoutTimer_; }
    bool isControlMissing() const { return controlMissing_; }
    std::int16_t timeoutTicks() const { return timeoutTicks_; }

    // The largest response fetchText takes as text.
    static constexpr qint64 kMaxTextResponse = 16 * 1024 * 1024;
    // The largest file startDownload takes; an endless body fails there instead of filling the
    // disk.
    static constexpr qint64 kMaxDownload = 256 * 1024 * 1024;

    // Test seam: the timer's interval and the tick count after which a transfer times out
    // (1000 ms and 60 normally). Takes effect for windows created afterwards.
    static void setTimeoutForTests(int intervalMs, int tickLimit);
    // Test seam: the largest file startDownload takes (kMaxDownload normally; 0 puts it back).
    static void setDownloadLimitForTests(qint64 bytes);

Q_SIGNALS:
    void statusChanged(const QString& text);
    void progressChanged(float percent, const QString& text);
    void downloadFinished();
    void downloadFailed(const QString& text);
    void receiving();
    void noInternet();

private:
    // Runs one GET into memory; true when it finished within totalSeconds (0: no bound).
    bool fetch(const QString& url, bool showStatus, qint64 maxBytes, int totalSeconds);
    platform::Transfer& inet();
    void onControlStateChanged(int state);
    void onTimeoutTick();
    template <class F>
    bool step(ErrorRecorder& on, F&& statement);
    void sizeStep(ErrorRecorder& on);
    void errorStep(ErrorRecorder& on);
    void readingStep(ErrorRecorder& on);
    // Executes "GET" for currentUrl_; a file download's body goes straight into targetFile_.
    void executeGet();
    // A file download's body while it arrives: into targetFile_, replaced once complete.
    void receiveBody(QByteArrayView block);
    // The next chunk of the body as the reading step takes it (length 0 when exhausted):
    // from what arrived into the file, else read from the control. False when reading failed.
    struct Chunk {
        QByteArray bytes;  // read from the control only
        int length = 0;
        bool startsWithNul = false;
    };
    bool nextChunk(ErrorRecorder& on, bool saved, Chunk& chunk);
    void ftpCompleted();
    void reportProgress(const std::function<QString()>& text, float percent);
    // The report of the reading step for counter bytes at that percentage.
    void reportBytes(qint64 counter, float percentage);
    // A file download reports its progress while the body arrives, not only at the end.
    void liveProgress();
    void requestFailed(int number);

    std::unique_ptr<platform::Transfer> control_;
    QTimer* timeoutTimer_ = nullptr;
    int tickLimit_ = 60;

    bool showOnlyErrors_ = false;
    bool showOnlyDownloadAndErrors_ = false;
    std::int32_t expectedFileSize_ = 0;
    QString receivedText_;
    QByteArray receivedBytes_;
    bool done_ = false;
    bool saveToFile_ = false;
    bool wantSize_ = false;
    QString targetFile_;
    std::int16_t timeoutTicks_ = 0;
    bool controlMissing_ = false;
    QString currentUrl_;
    double lastReportTime_ = 0.0;
    bool reportedOnce_ = false;
    // An FTP download: the control writes the file itself and completion ends it.
    bool ftpDownload_ = false;
    // Bytes of this transfer already reported while they arrived (0: none).
    qint64 liveCounter_ = 0;
    std::unique_ptr<platform::FileWriter> file_;
    // What arrived into the file: its size, how far the reading step is, and whether each
    // chunk starts with NUL (a chunk of text moves the percentage; NUL alone does not).
    struct ArrivedBody {
        bool complete = false;
        qint64 size = 0;
        qint64 position = 0;
        std::vector<bool> startsWithNul;
    } arrived_;
};

}  // namespace wexlo
