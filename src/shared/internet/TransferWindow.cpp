#include "shared/internet/TransferWindow.h"

#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/diagnostics/Logging.h"
#include "shared/settings/Settings.h"
#include "shared/util/Delay.h"
#include "shared/util/Files.h"
#include "shared/util/Pointer.h"
#include "shared/util/ProgramInfo.h"

#include <QElapsedTimer>
#include <QLocale>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

namespace wexlo {

// The names this window's log lines carry.
namespace logname {
namespace {
const QString kModule = QStringLiteral("fSHAREDInternet");
const QString kTimeoutTick = QStringLiteral("timer1_timer");
const QString kStateChanged = QStringLiteral("sub inet1_statechanged");
const QString kFetchText = QStringLiteral("function openurl");
const QString kStartDownload = QStringLiteral("sub downloadfile");
const QString kCancel = QStringLiteral("sub cancel");
const QString kCancelDownload = QStringLiteral("sub canceldownload");
const QString kApplyProxy = QStringLiteral("sub applyproxy");
}  // namespace
}  // namespace logname

namespace {

constexpr int kChunkSize = 1024;

int& timerInterval()
{
    static int ms = 1000;
    return ms;
}

int& timerLimit()
{
    static int ticks = 60;
    return ticks;
}

qint64& downloadLimit()
{
    static qint64 bytes = TransferWindow::kMaxDownload;
    return bytes;
}

// Half to even, as every rounding of these texts.
double roundTo(double value, int decimals)
{
    const double factor = std::pow(10.0, decimals);
    return std::nearbyint(value * factor) / factor;
}

// The shortest general form with the user's decimal separator: 12, 3.91, 0.
QString number(double value)
{
    QLocale locale = platform::locale().locale();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    if (value == 0.0)
        value = 0.0;  // no "-0"
    return locale.toString(value, 'f', QLocale::FloatingPointShortest);
}

// The leading number of a text, as a general numeric conversion reads it: blanks skipped,
// reading stops at the first character that cannot continue a number.
double leadingNumber(const QString& text)
{
    QString digits;
    bool point = false;
    bool exponent = false;
    for (const QChar c : text) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t'))
            continue;
        const QChar last = digits.isEmpty() ? QChar() : digits.back();
        // A digit and a sign where one may stand are both kept, as two rules.
        if (c.isDigit() && c.unicode() < 128) {  // NOLINT(bugprone-branch-clone)
            digits += c;
        } else if ((c == QLatin1Char('+') || c == QLatin1Char('-')) &&
                   (digits.isEmpty() || last == QLatin1Char('E'))) {
            digits += c;
        } else if (c == QLatin1Char('.') && !point && !exponent) {
            point = true;
            digits += c;
        } else if ((c == QLatin1Char('e') || c == QLatin1Char('E')) && !exponent &&
                   !digits.isEmpty() && last.isDigit()) {
            exponent = true;
            digits += QLatin1Char('E');
        } else {
            break;
        }
    }
    while (!digits.isEmpty() && !digits.back().isDigit())
        digits.chop(1);
    bool ok = false;
    const double value = digits.toDouble(&ok);
    return ok ? value : 0.0;
}

}  // namespace

void TransferWindow::setTimeoutForTests(int intervalMs, int tickLimit)
{
    timerInterval() = intervalMs;
    timerLimit() = tickLimit;
}

void TransferWindow::setDownloadLimitForTests(qint64 bytes)
{
    downloadLimit() = bytes > 0 ? bytes : kMaxDownload;
}

TransferWindow::TransferWindow(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("transferWindow"));
    setWindowTitle(tr("Internet"));
    timeoutTimer_ = new QTimer(this);
    timeoutTimer_->setObjectName(QStringLiteral("timeoutTimer"));
    timeoutTimer_->setInterval(timerInterval());
    tickLimit_ = timerLimit();
    connectGuarded(timeoutTimer_, &QTimer::timeout, this, &TransferWindow::onTimeoutTick,
                   logname::kTimeoutTick, logname::kModule);
    try {
        control_ = platform::createTransfer();
    } catch (const RuntimeError&) {
        // Left missing: the first use of the control fails with 339, which applyProxy notices.
    }
    if (control_) {
        control_->setObjectName(QStringLiteral("transferControl"));
        connectGuarded(control_.get(), &platform::Transfer::stateChanged, this,
                       &TransferWindow::onControlStateChanged, logname::kStateChanged,
                       logname::kModule);
    }
}

TransferWindow::~TransferWindow()
{
    timeoutTimer_->stop();
    file_.reset();
    control_.reset();
}

platform::Transfer& TransferWindow::inet()
{
    if (!control_)
        raiseError(err::ComponentMissing);
    return *control_;
}

// ---- Operations ----------------------------------------------------------------------------

QString TransferWindow::fetchText(const QString& url, bool showStatus)
{
    fetch(url, showStatus, kMaxTextResponse, 0);
    return receivedText_;
}

std::optional<QByteArray> TransferWindow::fetchBytes(const QString& url, qint64 maxBytes,
                                                     int totalSeconds)
{
    if (!fetch(url, false, maxBytes, totalSeconds))
        return std::nullopt;
    return receivedBytes_;
}

bool TransferWindow::fetch(const QString& url, bool showStatus, qint64 maxBytes, int totalSeconds)
{
    currentUrl_ = url;
    if (controlMissing_) {
        done_ = true;
        Q_EMIT noInternet();
        return false;
    }
    showOnlyErrors_ = !showStatus;
    timeoutTicks_ = 0;
    timeoutTimer_->start();
    expectedFileSize_ = 0;
    receivedText_.clear();
    receivedBytes_.clear();
    done_ = false;
    saveToFile_ = false;
    wantSize_ = false;
    ftpDownload_ = false;
    liveCounter_ = 0;
    // A text answer lives in memory; anything larger is refused as a failed transfer. A request
    // that could not be sent leaves the answer empty once the timer gives up.
    runGuarded(logname::kFetchText, logname::kModule, [&] {
        inet().setMaxResponseSize(maxBytes);
        inet().execute(url.trimmed(), QStringLiteral("GET"));
    });

    // The idle timer alone lets a server that trickles a byte now and then hold the fetch for
    // ever; a total time, when given, ends it.
    QElapsedTimer elapsed;
    elapsed.start();
    while (timeoutTimer_->isActive() && !done_) {
        if (totalSeconds > 0 && elapsed.elapsed() >= qint64(totalSeconds) * 1000) {
            timeoutTimer_->stop();
            stopTransfer();
            done_ = true;
            return false;
        }
        platform::eventPump().processEvents();
        delay::waitMs(100);
    }
    return done_;
}

void TransferWindow::startDownload(const QString& url, const QString& fileName, bool wantSize)
{
    ErrorRecorder on(logname::kStartDownload, logname::kModule);
    currentUrl_ = url;
    wantSize_ = wantSize;
    if (controlMissing_) {
        on([&] { files::erase(fileName); });
        done_ = true;
        Q_EMIT downloadFinished();
        Q_EMIT noInternet();
        return;
    }
    expectedFileSize_ = 0;
    saveToFile_ = true;
    ftpDownload_ = false;
    liveCounter_ = 0;
    // An old file that cannot be removed is logged; the download replaces it whole anyway.
    on([&] {
        if (files::exists(fileName))
            files::erase(fileName);
    });
    targetFile_ = fileName;
    timeoutTicks_ = 0;
    timeoutTimer_->start();
    // The proxy that applyProxy chose holds for downloads too.
    const auto limits = [this] {
        inet().setRequestTimeout(10);
        inet().setMaxResponseSize(downloadLimit());
    };

    if (currentUrl_.left(3).toUpper() != QLatin1String("FTP")) {
        on([&] {
            limits();
            executeGet();
        });
        return;
    }

    currentUrl_.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QString host;
    QString remotePath;
    if (currentUrl_.left(4).toUpper() == QLatin1String("FTP.")) {
        const qsizetype slash = currentUrl_.indexOf(QLatin1Char('/'));
        host = slash >= 0 ? currentUrl_.left(slash) : currentUrl_;
        remotePath = slash >= 0 ? currentUrl_.mid(slash) : QString();
    } else {
        const qsizetype start = currentUrl_.indexOf(QLatin1String("//"));
        const qsizetype from = start >= 0 ? start + 2 : 0;
        const qsizetype slash = currentUrl_.indexOf(QLatin1Char('/'), from);
        host = slash >= 0 ? currentUrl_.mid(from, slash - from) : currentUrl_.mid(from);
        remotePath = slash >= 0 ? currentUrl_.mid(slash) : QString();
    }
    host = host.trimmed();
    const QString remoteFile = files::fileNameOf(remotePath);
    const QString remoteFolder = files::folderOf(remotePath);

    if (host.isEmpty()) {
        // Nothing was sent, so nothing is left to time out.
        done_ = true;
        timeoutTimer_->stop();
        Q_EMIT downloadFailed(tr("No address specified"));
        return;
    }
    host = QStringLiteral("FTP://") + host;
    ftpDownload_ = true;
    on([&] {
        limits();
        inet().execute(host, QStringLiteral("CD ") + remoteFolder);
        inet().execute(host, QStringLiteral("GET ") + remoteFile + QLatin1Char(' ') + targetFile_);
        inet().execute(host, QStringLiteral("CLOSE"));
    });
    // downloadFinished follows when the file has arrived (or downloadFailed when it failed).
}

void TransferWindow::cancel()
{
    stopTransfer();
    done_ = true;
    timeoutTimer_->stop();
    Q_EMIT progressChanged(0.0f, tr("Download cancelled"));
}

void TransferWindow::cancelDownload()
{
    timeoutTimer_->stop();
    stopTransfer();
    done_ = true;
    runGuarded(logname::kCancelDownload, logname::kModule, [&] {
        if (files::exists(targetFile_))
            files::erase(targetFile_);
    });
    Q_EMIT downloadFailed(tr("Download cancelled"));
}

void TransferWindow::stopTransfer()
{
    // Without a control nothing runs that could be stopped.
    if (control_)
        runGuarded(logname::kCancel, logname::kModule, [&] { control_->cancel(); });
    file_.reset();
    ftpDownload_ = false;
}

bool TransferWindow::isTransferring() const { return control_ && control_->stillExecuting(); }

void TransferWindow::applyProxy()
{
    if (!control_) {
        // Noticed here, so that no transfer waits for a control that is not there.
        ErrorRecorder(logname::kApplyProxy, logname::kModule)
            .record(err::ComponentMissing, errorDescription(err::ComponentMissing));
        controlMissing_ = true;
        return;
    }
    runGuarded(logname::kApplyProxy, logname::kModule, [&] {
        const std::int32_t type = settings::readSetting(QStringLiteral("ProxyType"), 1).toNumber();
        if (type < std::numeric_limits<std::int16_t>::min() ||
            type > std::numeric_limits<std::int16_t>::max())
            raiseError(err::Overflow);
        control_->setAccessType(type);
        control_->setUserName(QString());
        control_->setPassword(QString());
        if (type == 2) {
            const QString server =
                settings::readSetting(QStringLiteral("ProxyServer"), QString()).toText();
            const QString port =
                settings::readSetting(QStringLiteral("ProxyPort"), QString()).toText();
            control_->setProxy(!server.isEmpty() && !port.isEmpty()
                                   ? server + QLatin1Char(':') + port
                                   : QString());
        } else if (type == 1) {
            control_->setProxy(QString());
        }
        logging::writeLine(QStringLiteral("Proxy set to: ") +
                           QString::number(control_->accessType()) + QLatin1Char(' ') +
                           control_->proxy());
        if (type == 2) {
            control_->setUserName(proxyUser());
            control_->setPassword(proxyPassword());
            logging::logDebug(QStringLiteral("Proxy username/password set"), logname::kApplyProxy,
                              logname::kModule);
        }
    });
}

QString TransferWindow::proxyUser()
{
    return settings::readSetting(QStringLiteral("ProxyUser"), QString()).toText();
}

QString TransferWindow::proxyPassword()
{
    return settings::readSetting(QStringLiteral("ProxyPwd"), QString()).toText();
}

QString TransferWindow::bytesToText(const QByteArray& bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    return files::decodeText(nul >= 0 ? bytes.left(nul) : bytes);
}

// ---- Events of the control and the timer ---------------------------------------------------

// One statement of the state-change handler. The control's three transfer errors get their
// own reaction and end the handling (false); any other failure is logged and handling goes on.
template <class F>
bool TransferWindow::step(ErrorRecorder& on, F&& statement)
{
    try {
        std::forward<F>(statement)();
        return true;
    } catch (...) {
        const CaughtError e = currentError();
        switch (e.number) {
            case err::TransferStillRunning:
            case err::TransferTimedOut:
            case err::TransferUrlMalformed:
                requestFailed(e.number);
                return false;
            default:
                on.record(e.number, e.description);
                return true;
        }
    }
}

void TransferWindow::requestFailed(int number)
{
    // Called inside the state-change handler: a failure here is logged at its edge.
    file_.reset();
    inet().cancel();
    if (number == err::TransferUrlMalformed) {
        wantSize_ = false;
        executeGet();
        return;
    }
    pointer::showNormal();
    Q_EMIT downloadFailed(number == err::TransferStillRunning
                              ? tr("Download failed. Please try again.")
                              : tr("Download timed out. Please try again."));
}

void TransferWindow::onControlStateChanged(int state)
{
    ErrorRecorder on(logname::kStateChanged, logname::kModule);
    const auto status = [this](const QString& text) {
        if (!showOnlyErrors_)
            Q_EMIT statusChanged(text);
    };
    switch (state) {
        case platform::Transfer::Resolving:
            status(tr("Resolving host"));
            break;
        case platform::Transfer::Resolved:
            status(tr("Resolved host"));
            break;
        case platform::Transfer::Connecting:
            status(tr("Connecting"));
            break;
        case platform::Transfer::Connected:
            status(tr("Connected"));
            break;
        case platform::Transfer::ReceivingResponse:
            Q_EMIT receiving();
            liveProgress();
            break;
        case platform::Transfer::Error:
            errorStep(on);
            return;
        default:
            break;
    }
    timeoutTicks_ = 0;
    if (state == platform::Transfer::ResponseReceived)
        sizeStep(on);
    else if (state == platform::Transfer::ResponseCompleted)
        ftpDownload_ ? ftpCompleted() : readingStep(on);
}

void TransferWindow::sizeStep(ErrorRecorder& on)
{
    if (expectedFileSize_ != 0)
        return;
    expectedFileSize_ = -1;
    if (!wantSize_)
        return;
    QString header;
    if (!step(on, [&] { header = inet().getHeader(QStringLiteral("Content-Length")); }))
        return;
    if (header.isEmpty())
        return;
    step(on, [&] {
        const double size = std::nearbyint(leadingNumber(header));
        if (size > std::numeric_limits<std::int32_t>::max() ||
            size < std::numeric_limits<std::int32_t>::min())
            raiseError(err::Overflow);
        expectedFileSize_ = static_cast<std::int32_t>(size);
    });
}

void TransferWindow::errorStep(ErrorRecorder& on)
{
    file_.reset();
    ftpDownload_ = false;
    done_ = true;
    // The user's reading of the failure; responseInfo keeps the English for the log.
    QString text;
    if (!step(on, [&] { text = inet().shownResponseInfo(); }))
        return;
    Q_EMIT statusChanged(text);
    Q_EMIT downloadFailed(text);
    timeoutTimer_->stop();
    delay::throttledYield();
}

void TransferWindow::executeGet()
{
    // Written while it arrives, the body need not be copied out of the control afterwards.
    file_.reset();
    arrived_ = {};
    inet().setBodyHandler(saveToFile_ ? [this](QByteArrayView block) { receiveBody(block); }
                                      : platform::Transfer::BodyHandler());
    inet().execute(currentUrl_.trimmed(), QStringLiteral("GET"));
}

void TransferWindow::receiveBody(QByteArrayView block)
{
    // Written beside the target and renamed at the end: a failed download leaves no half file.
    if (!file_)
        file_ = platform::fileSystem().replace(targetFile_);
    if (block.isEmpty()) {
        file_->commit();
        file_.reset();
        arrived_.complete = true;
        return;
    }
    file_->write(QByteArray::fromRawData(block.data(), block.size()));
    for (qint64 at = (kChunkSize - arrived_.size % kChunkSize) % kChunkSize; at < block.size();
         at += kChunkSize)
        arrived_.startsWithNul.push_back(block[at] == '\0');
    arrived_.size += block.size();
}

bool TransferWindow::nextChunk(ErrorRecorder& on, bool saved, Chunk& chunk)
{
    chunk = {};  // a failed read ends the loop instead of repeating the last chunk
    if (saved) {
        chunk.length =
            static_cast<int>(std::min<qint64>(kChunkSize, arrived_.size - arrived_.position));
        chunk.startsWithNul =
            chunk.length > 0 &&
            arrived_.startsWithNul[static_cast<size_t>(arrived_.position / kChunkSize)];
        arrived_.position += chunk.length;
        return true;
    }
    if (!step(on, [&] { chunk.bytes = inet().getChunk(kChunkSize); }))
        return false;
    chunk.length = static_cast<int>(chunk.bytes.size());
    chunk.startsWithNul = chunk.length > 0 && chunk.bytes.at(0) == '\0';
    return true;
}

void TransferWindow::readingStep(ErrorRecorder& on)
{
    if (expectedFileSize_ == 0) {
        wantSize_ = false;
        if (!step(on, [&] { executeGet(); }))
            return;
    }
    if (!showOnlyErrors_)
        Q_EMIT statusChanged(tr("Downloading"));

    // A body that arrived into the target is passed over, not copied.
    const bool saved = saveToFile_ && arrived_.complete;
    bool writeFailed = false;
    if (saveToFile_ && !saved) {
        // Written beside the target and renamed at the end: a failed download leaves no
        // half file behind.
        if (!step(on, [&] { file_ = platform::fileSystem().replace(targetFile_); }))
            return;
        writeFailed = !file_;
    }

    qint64 counter = 0;
    float percentage = 0.0f;
    bool textSeen = false;
    const bool quiet = showOnlyErrors_ || showOnlyDownloadAndErrors_;
    Chunk chunk;
    do {
        if (!nextChunk(on, saved, chunk)) {
            file_.reset();
            return;
        }
        const int length = chunk.length;
        timeoutTicks_ = 0;
        if (saveToFile_ && file_ && length > 0) {
            const bool ok = step(on, [&] {
                try {
                    file_->write(chunk.bytes);
                } catch (...) {
                    file_.reset();
                    throw;
                }
            });
            if (!ok)
                return;
            writeFailed = writeFailed || !file_;
        }
        if (length > 0) {
            // A file download keeps its bytes in the file only.
            if (saveToFile_)
                textSeen = textSeen || !chunk.startsWithNul;
            else {
                receivedText_ += bytesToText(chunk.bytes);
                receivedBytes_ += chunk.bytes;
            }
            counter += length;
        }
        const bool haveText = saveToFile_ ? textSeen : !receivedText_.isEmpty();
        if (expectedFileSize_ > 0 && haveText)
            percentage = static_cast<float>(
                std::nearbyint(static_cast<double>(counter) / expectedFileSize_ * 100.0));
        // What was shown while it arrived is not shown again; the end always is, so that a
        // slow download does not stop short of its last figure.
        const bool shownLive = saved && liveCounter_ > 0;
        if (shownLive && length == 0)
            reportedOnce_ = false;
        if (!quiet && !(shownLive && length > 0 && counter <= liveCounter_))
            reportBytes(counter, percentage);
    } while (chunk.length > 0);

    done_ = true;
    timeoutTimer_->stop();
    if (saveToFile_ && file_) {
        bool committed = false;
        if (!step(on, [&] {
                file_->commit();
                committed = true;
            }))
            return;
        writeFailed = writeFailed || !committed;
        file_.reset();
    }
    if (writeFailed) {
        // The file could not be written whole: a failure, not a finished download.
        Q_EMIT downloadFailed(tr("Download failed. Please try again."));
        return;
    }
    Q_EMIT statusChanged(tr("Downloaded %1 kb (100%)").arg(number(roundTo(counter / 1024.0, 2))));
    Q_EMIT downloadFinished();
}

void TransferWindow::reportBytes(qint64 counter, float percentage)
{
    if (expectedFileSize_ > 0) {
        if (wantSize_)
            reportProgress(
                [&] {
                    return tr("%1 kb of %2 kb (%3%)")
                        .arg(number(roundTo(counter / 1024.0, 0)),
                             number(roundTo(expectedFileSize_ / 1024.0, 0)), number(percentage));
                },
                percentage);
        else
            reportProgress(
                [&] { return tr("%1 kb downloaded").arg(number(roundTo(counter / 1024.0, 0))); },
                0.0f);
    } else {
        reportProgress(
            [&] { return tr("Downloaded %1kb").arg(number(roundTo(counter / 1024.0, 2))); },
            100.0f);
    }
}

void TransferWindow::liveProgress()
{
    // Only a file download whose response headers have been seen, and only while it runs.
    // (done_ is no guide: only fetchText clears it.)
    if (!saveToFile_ || expectedFileSize_ == 0 || !control_ || !control_->stillExecuting() ||
        showOnlyErrors_ || showOnlyDownloadAndErrors_)
        return;
    const qint64 counter = control_->bytesReceived();
    if (counter <= liveCounter_)
        return;
    liveCounter_ = counter;
    float percentage = 0.0f;
    if (expectedFileSize_ > 0)
        percentage = static_cast<float>(
            std::nearbyint(static_cast<double>(counter) / expectedFileSize_ * 100.0));
    reportBytes(counter, percentage);
}

void TransferWindow::ftpCompleted()
{
    ftpDownload_ = false;
    done_ = true;
    timeoutTimer_->stop();
    const qint64 size = platform::fileSystem().info(targetFile_).size;
    Q_EMIT statusChanged(tr("Downloaded %1 kb (100%)").arg(number(roundTo(size / 1024.0, 2))));
    Q_EMIT downloadFinished();
}

void TransferWindow::reportProgress(const std::function<QString()>& text, float percent)
{
    const double now = platform::clock().monotonicSeconds();
    if (reportedOnce_ && !(now - lastReportTime_ > 0.25))
        return;
    reportedOnce_ = true;
    lastReportTime_ = now;
    const QString t = text();
    Q_EMIT statusChanged(t);
    Q_EMIT progressChanged(percent, t);
}

void TransferWindow::onTimeoutTick()
{
    // Stops counting at the top instead of overflowing.
    if (timeoutTicks_ < std::numeric_limits<std::int16_t>::max())
        ++timeoutTicks_;
    if (timeoutTicks_ > tickLimit_) {
        // The transfer stops here: a request left running would go on writing a file that
        // nobody will take.
        if (!done_ || isTransferring())
            stopTransfer();
        Q_EMIT downloadFailed(tr("Transfer timed out"));
        done_ = true;
    }
}

}  // namespace wexlo
