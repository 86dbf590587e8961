#pragma once

// The hidden transfer window: owns the transfer control Inet1 and the time-out timer Timer1,
// and turns the control's state changes into the events below.

#include "platform/InetControl.h"

#include <QByteArray>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QTimer;

namespace wexlo {

class OnError;
namespace platform {
class FileWriter;
}

class fSHAREDInternet : public QWidget {
    Q_OBJECT
public:
    explicit fSHAREDInternet(QWidget* parent = nullptr);
    ~fSHAREDInternet() override;

    // Switches, false at creation.
    bool SuppressAllButErrors = false;
    bool SuppressAllButDLAndErrors = false;

    QString OpenURL(const QString& URL, bool ShowStatus);
    void DownloadFile(const QString& URL, const QString& FileName, bool GetSize);
    void Cancel();
    void CancelDownload();
    std::int32_t ExpectedFilesize() const { return ExpectedFilesize_; }
    bool Connected();
    void ApplyProxy();
    QString ProxyUser();
    QString ProxyPassword();
    QString ByteArrayToString(const QByteArray& bytes);
    // Ends the running transfer at once without an event: the control stops and a partial
    // file is dropped, so nothing more is written after a failure.
    void stopTransfer();

    // The control (nullptr when it could not be created) and the timer, for tests and tools.
    platform::InetControl* Inet1() const { return Inet1_.get(); }
    QTimer* Timer1() const { return Timer1_; }
    bool isControlMissing() const { return ControlMissing; }
    std::int16_t timeoutTicks() const { return TimeoutTicks; }

    // The largest response OpenURL takes as text.
    static constexpr qint64 kMaxTextResponse = 16 * 1024 * 1024;
    // The largest file DownloadFile takes; an endless body fails there instead of filling the disk.
    static constexpr qint64 kMaxDownload = 256 * 1024 * 1024;

    // Test seam: Timer1's interval and the tick count after which a transfer times out
    // (1000 ms and 60 normally). Takes effect for windows created afterwards.
    static void setTimeoutForTests(int intervalMs, int tickLimit);
    // Test seam: the largest file DownloadFile takes (kMaxDownload normally; 0 puts it back).
    static void setDownloadLimitForTests(qint64 bytes);

Q_SIGNALS:
    void Status(const QString& text);
    void Progress(float percent, const QString& text);
    void DownloadFinished();
    void DownloadError(const QString& text);
    void Receiving();
    void NoInternet();

private:
    platform::InetControl& inet();
    void Inet1_StateChanged(int State);
    void Timer1_Timer();
    template <class F>
    bool step(OnError& on, F&& statement);
    void sizeStep(OnError& on);
    void errorStep(OnError& on);
    void readingStep(OnError& on);
    // Executes "GET" for CurrentURL; a file download's body goes straight into TargetFile.
    void executeGet();
    // A file download's body while it arrives: into TargetFile, replaced once complete.
    void receiveBody(QByteArrayView block);
    // The next chunk of the body as the reading step takes it (length 0 when exhausted):
    // from what arrived into the file, else read from the control. False when reading failed.
    struct Chunk {
        QByteArray bytes;  // read from the control only
        int length = 0;
        bool startsWithNul = false;
    };
    bool nextChunk(OnError& on, bool saved, Chunk& chunk);
    void ftpCompleted();
    void ReportProgress(const std::function<QString()>& text, float percent);
    // The report of the reading step for counter bytes at that percentage.
    void reportBytes(qint64 counter, float percentage);
    // A file download reports its progress while the body arrives, not only at the end.
    void liveProgress();
    void requestFailed(int number);

    std::unique_ptr<platform::InetControl> Inet1_;
    QTimer* Timer1_ = nullptr;
    int tickLimit_ = 60;

    // State fields.
    std::int32_t ExpectedFilesize_ = 0;
    QString ReceivedText;
    bool TransferDone = false;
    bool SaveToFile = false;
    bool GetSize = false;
    QString TargetFile;
    std::int16_t TimeoutTicks = 0;
    bool ControlMissing = false;
    QString CurrentURL;
    double LastReportTime = 0.0;
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
