#include "shared/internet/fSHAREDInternet.h"

#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/diagnostics/mSHAREDLogging.h"
#include "shared/settings/mSHAREDSettings.h"
#include "shared/util/mSHAREDDelay.h"
#include "shared/util/mSHAREDFileSubs.h"
#include "shared/util/mSHAREDSubs.h"

#include <QLocale>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

namespace wexlo {

namespace {

const QString kModule = QStringLiteral("fSHAREDInternet");
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
    static qint64 bytes = fSHAREDInternet::kMaxDownload;
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

void fSHAREDInternet::setTimeoutForTests(int intervalMs, int tickLimit)
{
    timerInterval() = intervalMs;
    timerLimit() = tickLimit;
}

void fSHAREDInternet::setDownloadLimitForTests(qint64 bytes)
{
    downloadLimit() = bytes > 0 ? bytes : kMaxDownload;
}

fSHAREDInternet::fSHAREDInternet(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("fSHAREDInternet"));
    setWindowTitle(QStringLiteral("Internet"));
    Timer1_ = new QTimer(this);
    Timer1_->setObjectName(QStringLiteral("Timer1"));
    Timer1_->setInterval(timerInterval());
    tickLimit_ = timerLimit();
    connectGuarded(Timer1_, &QTimer::timeout, this, &fSHAREDInternet::Timer1_Timer,
                   QStringLiteral("timer1_timer"), kModule);
    try {
        Inet1_ = platform::createInetControl();
    } catch (const RuntimeError&) {
        // Left missing: every use of the control raises 339, which ApplyProxy notices.
    }
    if (Inet1_) {
        Inet1_->setObjectName(QStringLiteral("Inet1"));
        connectGuarded(Inet1_.get(), &platform::InetControl::StateChanged, this,
                       &fSHAREDInternet::Inet1_StateChanged,
                       QStringLiteral("sub inet1_statechanged"), kModule);
    }
}

fSHAREDInternet::~fSHAREDInternet()
{
    Timer1_->stop();
    file_.reset();
    Inet1_.reset();
}

platform::InetControl& fSHAREDInternet::inet()
{
    if (!Inet1_)
        raiseError(err::ComponentMissing);
    return *Inet1_;
}

// ---- Operations ----------------------------------------------------------------------------

QString fSHAREDInternet::OpenURL(const QString& URL, bool ShowStatus)
{
    OnError on(QStringLiteral("function openurl"), kModule);
    CurrentURL = URL;
    if (ControlMissing) {
        TransferDone = true;
        Q_EMIT NoInternet();
        return {};
    }
    SuppressAllButErrors = !ShowStatus;
    TimeoutTicks = 0;
    Timer1_->start();
    ExpectedFilesize_ = 0;
    ReceivedText.clear();
    TransferDone = false;
    SaveToFile = false;
    GetSize = false;
    ftpDownload_ = false;
    liveCounter_ = 0;
    // A text answer lives in memory; anything larger is refused as a failed transfer.
    on([&] { inet().setMaxResponseSize(kMaxTextResponse); });
    on([&] { inet().execute(URL.trimmed(), QStringLiteral("GET")); });

    while (Timer1_->isActive() && !TransferDone) {
        platform::eventPump().processEvents();
        mSHAREDDelay::delayms(100);
    }
    return ReceivedText;
}

void fSHAREDInternet::DownloadFile(const QString& URL, const QString& FileName, bool GetSizeArg)
{
    OnError on(QStringLiteral("sub downloadfile"), kModule);
    CurrentURL = URL;
    GetSize = GetSizeArg;
    if (ControlMissing) {
        on([&] { mSHAREDFileSubs::EraseFile(FileName); });
        TransferDone = true;
        Q_EMIT DownloadFinished();
        Q_EMIT NoInternet();
        return;
    }
    ExpectedFilesize_ = 0;
    SaveToFile = true;
    ftpDownload_ = false;
    liveCounter_ = 0;
    // The proxy that ApplyProxy chose holds for downloads too.
    on([&] {
        if (mSHAREDFileSubs::FileExists(FileName))
            mSHAREDFileSubs::EraseFile(FileName);
    });
    TargetFile = FileName;
    on([&] { inet().setRequestTimeout(10); });
    on([&] { inet().setMaxResponseSize(downloadLimit()); });
    TimeoutTicks = 0;
    Timer1_->start();

    if (CurrentURL.left(3).toUpper() != QLatin1String("FTP")) {
        on([&] { executeGet(); });
        return;
    }

    CurrentURL.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QString host;
    QString remotePath;
    if (CurrentURL.left(4).toUpper() == QLatin1String("FTP.")) {
        const qsizetype slash = CurrentURL.indexOf(QLatin1Char('/'));
        host = slash >= 0 ? CurrentURL.left(slash) : CurrentURL;
        remotePath = slash >= 0 ? CurrentURL.mid(slash) : QString();
    } else {
        const qsizetype start = CurrentURL.indexOf(QLatin1String("//"));
        const qsizetype from = start >= 0 ? start + 2 : 0;
        const qsizetype slash = CurrentURL.indexOf(QLatin1Char('/'), from);
        host = slash >= 0 ? CurrentURL.mid(from, slash - from) : CurrentURL.mid(from);
        remotePath = slash >= 0 ? CurrentURL.mid(slash) : QString();
    }
    host = host.trimmed();
    const QString remoteFile = mSHAREDFileSubs::fileonly(remotePath);
    const QString remoteFolder = mSHAREDFileSubs::pathonly(remotePath);

    if (host.isEmpty()) {
        // Nothing was sent, so nothing is left to time out.
        TransferDone = true;
        Timer1_->stop();
        Q_EMIT DownloadError(QStringLiteral("No address specified"));
        return;
    }
    host = QStringLiteral("FTP://") + host;
    ftpDownload_ = true;
    on([&] { inet().execute(host, QStringLiteral("CD ") + remoteFolder); });
    on([&] {
        inet().execute(host, QStringLiteral("GET ") + remoteFile + QLatin1Char(' ') + TargetFile);
    });
    on([&] { inet().execute(host, QStringLiteral("CLOSE")); });
    // DownloadFinished follows when the file has arrived (or DownloadError when it failed).
}

void fSHAREDInternet::Cancel()
{
    OnError on(QStringLiteral("sub cancel"), kModule);
    on([&] { inet().cancel(); });
    file_.reset();
    ftpDownload_ = false;
    TransferDone = true;
    Timer1_->stop();
    Q_EMIT Progress(0.0f, QStringLiteral("Download cancelled"));
}

void fSHAREDInternet::CancelDownload()
{
    OnError on(QStringLiteral("sub canceldownload"), kModule);
    Timer1_->stop();
    on([&] { inet().cancel(); });
    file_.reset();
    ftpDownload_ = false;
    TransferDone = true;
    on([&] {
        if (mSHAREDFileSubs::FileExists(TargetFile))
            mSHAREDFileSubs::EraseFile(TargetFile);
    });
    Q_EMIT DownloadError(QStringLiteral("Download cancelled"));
}

void fSHAREDInternet::stopTransfer()
{
    OnError on(QStringLiteral("sub cancel"), kModule);
    on([&] { inet().cancel(); });
    file_.reset();
    ftpDownload_ = false;
}

bool fSHAREDInternet::Connected()
{
    bool result = false;
    OnError on(QStringLiteral("property get connected"), kModule);
    on([&] { result = inet().stillExecuting(); });
    return result;
}

void fSHAREDInternet::ApplyProxy()
{
    OnError on(QStringLiteral("sub applyproxy"), kModule);
    const bool ok = on([&] {
        const std::int32_t type =
            mSHAREDSettings::ReadSetting(QStringLiteral("ProxyType"), 1).toNumber();
        if (type < std::numeric_limits<std::int16_t>::min() ||
            type > std::numeric_limits<std::int16_t>::max())
            raiseError(err::Overflow);
        inet().setAccessType(type);
        inet().setUserName(QString());
        inet().setPassword(QString());
        if (type == 2) {
            const QString server =
                mSHAREDSettings::ReadSetting(QStringLiteral("ProxyServer"), QString()).toText();
            const QString port =
                mSHAREDSettings::ReadSetting(QStringLiteral("ProxyPort"), QString()).toText();
            inet().setProxy(!server.isEmpty() && !port.isEmpty() ? server + QLatin1Char(':') + port
                                                                 : QString());
        } else if (type == 1) {
            inet().setProxy(QString());
        }
        mSHAREDLogging::writelog(QStringLiteral("Proxy set to: ") +
                                 QString::number(inet().accessType()) + QLatin1Char(' ') +
                                 inet().proxy());
        if (type == 2) {
            inet().setUserName(ProxyUser());
            inet().setPassword(ProxyPassword());
            mSHAREDLogging::logdebug(QStringLiteral("Proxy username/password set"),
                                     QStringLiteral("sub applyproxy"), kModule);
        }
    });
    if (!ok && on.lastNumber() == err::ComponentMissing)
        ControlMissing = true;
}

QString fSHAREDInternet::ProxyUser()
{
    QString result;
    OnError on(QStringLiteral("function proxyuser"), kModule);
    on([&] {
        result = mSHAREDSettings::ReadSetting(QStringLiteral("ProxyUser"), QString()).toText();
    });
    return result;
}

QString fSHAREDInternet::ProxyPassword()
{
    QString result;
    OnError on(QStringLiteral("function proxypassword"), kModule);
    on([&] {
        result = mSHAREDSettings::ReadSetting(QStringLiteral("ProxyPwd"), QString()).toText();
    });
    return result;
}

QString fSHAREDInternet::ByteArrayToString(const QByteArray& bytes)
{
    QString result;
    OnError on(QStringLiteral("function bytearraytostring"), kModule);
    on([&] {
        const qsizetype nul = bytes.indexOf('\0');
        result = mSHAREDFileSubs::decodeText(nul >= 0 ? bytes.left(nul) : bytes);
    });
    return result;
}

// ---- Events of the control and the timer ---------------------------------------------------

// One statement of the state-change handler. The control's three transfer errors get their
// own reaction and end the handling (false); any other failure is logged and handling goes on.
template <class F>
bool fSHAREDInternet::step(OnError& on, F&& statement)
{
    try {
        std::forward<F>(statement)();
        return true;
    } catch (...) {
        const CaughtError e = currentError();
        switch (e.number) {
            case err::InetStillExecuting:
            case err::InetRequestTimedOut:
            case err::InetUrlMalformed:
                requestFailed(e.number);
                return false;
            default:
                on.record(e.number, e.description);
                return true;
        }
    }
}

void fSHAREDInternet::requestFailed(int number)
{
    OnError on(QStringLiteral("sub inet1_statechanged"), kModule);
    file_.reset();
    on([&] { inet().cancel(); });
    if (number == err::InetUrlMalformed) {
        GetSize = false;
        on([&] { executeGet(); });
        return;
    }
    on([] { mSHAREDSubs::normalmouse(); });
    Q_EMIT DownloadError(number == err::InetStillExecuting
                             ? QStringLiteral("Download failed. Please try again.")
                             : QStringLiteral("Download timed out. Please try again."));
}

void fSHAREDInternet::Inet1_StateChanged(int State)
{
    OnError on(QStringLiteral("sub inet1_statechanged"), kModule);
    const auto status = [this](const char* text) {
        if (!SuppressAllButErrors)
            Q_EMIT Status(QString::fromLatin1(text));
    };
    switch (State) {
        case platform::InetControl::Resolving:
            status("Resolving host");
            break;
        case platform::InetControl::Resolved:
            status("Resolved host");
            break;
        case platform::InetControl::Connecting:
            status("Connecting");
            break;
        case platform::InetControl::Connected:
            status("Connected");
            break;
        case platform::InetControl::ReceivingResponse:
            Q_EMIT Receiving();
            liveProgress();
            break;
        case platform::InetControl::Error:
            errorStep(on);
            return;
        default:
            break;
    }
    TimeoutTicks = 0;
    if (State == platform::InetControl::ResponseReceived)
        sizeStep(on);
    else if (State == platform::InetControl::ResponseCompleted)
        ftpDownload_ ? ftpCompleted() : readingStep(on);
}

void fSHAREDInternet::sizeStep(OnError& on)
{
    if (ExpectedFilesize_ != 0)
        return;
    ExpectedFilesize_ = -1;
    if (!GetSize)
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
        ExpectedFilesize_ = static_cast<std::int32_t>(size);
    });
}

void fSHAREDInternet::errorStep(OnError& on)
{
    file_.reset();
    ftpDownload_ = false;
    TransferDone = true;
    QString text;
    if (!step(on, [&] { text = inet().responseInfo(); }))
        return;
    Q_EMIT Status(text);
    Q_EMIT DownloadError(text);
    Timer1_->stop();
    mSHAREDDelay::throttledyield();
}

void fSHAREDInternet::executeGet()
{
    // Written while it arrives, the body need not be copied out of the control afterwards.
    file_.reset();
    arrived_ = {};
    inet().setBodyHandler(SaveToFile ? [this](QByteArrayView block) { receiveBody(block); }
                                     : platform::InetControl::BodyHandler());
    inet().execute(CurrentURL.trimmed(), QStringLiteral("GET"));
}

void fSHAREDInternet::receiveBody(QByteArrayView block)
{
    // Written beside the target and renamed at the end: a failed download leaves no half file.
    if (!file_)
        file_ = platform::fileSystem().replace(TargetFile);
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

bool fSHAREDInternet::nextChunk(OnError& on, bool saved, Chunk& chunk)
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

void fSHAREDInternet::readingStep(OnError& on)
{
    if (ExpectedFilesize_ == 0) {
        GetSize = false;
        if (!step(on, [&] { executeGet(); }))
            return;
    }
    if (!SuppressAllButErrors)
        Q_EMIT Status(QStringLiteral("Downloading"));

    // A body that arrived into the target is passed over, not copied.
    const bool saved = SaveToFile && arrived_.complete;
    bool writeFailed = false;
    if (SaveToFile && !saved) {
        // Written beside the target and renamed at the end: a failed download leaves no
        // half file behind.
        if (!step(on, [&] { file_ = platform::fileSystem().replace(TargetFile); }))
            return;
        writeFailed = !file_;
    }

    qint64 counter = 0;
    float percentage = 0.0f;
    bool textSeen = false;
    const bool quiet = SuppressAllButErrors || SuppressAllButDLAndErrors;
    Chunk chunk;
    do {
        if (!nextChunk(on, saved, chunk)) {
            file_.reset();
            return;
        }
        const int length = chunk.length;
        TimeoutTicks = 0;
        if (SaveToFile && file_ && length > 0) {
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
            if (SaveToFile)
                textSeen = textSeen || !chunk.startsWithNul;
            else
                ReceivedText += ByteArrayToString(chunk.bytes);
            counter += length;
        }
        const bool haveText = SaveToFile ? textSeen : !ReceivedText.isEmpty();
        if (ExpectedFilesize_ > 0 && haveText)
            percentage = static_cast<float>(
                std::nearbyint(static_cast<double>(counter) / ExpectedFilesize_ * 100.0));
        // What was shown while it arrived is not shown again; the end always is, so that a
        // slow download does not stop short of its last figure.
        const bool shownLive = saved && liveCounter_ > 0;
        if (shownLive && length == 0)
            reportedOnce_ = false;
        if (!quiet && !(shownLive && length > 0 && counter <= liveCounter_))
            reportBytes(counter, percentage);
    } while (chunk.length > 0);

    TransferDone = true;
    Timer1_->stop();
    if (SaveToFile && file_) {
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
        Q_EMIT DownloadError(QStringLiteral("Download failed. Please try again."));
        return;
    }
    Q_EMIT Status(QStringLiteral("Downloaded ") + number(roundTo(counter / 1024.0, 2)) +
                  QStringLiteral(" kb (100%)"));
    Q_EMIT DownloadFinished();
}

void fSHAREDInternet::reportBytes(qint64 counter, float percentage)
{
    if (ExpectedFilesize_ > 0) {
        if (GetSize)
            ReportProgress(
                [&] {
                    return number(roundTo(counter / 1024.0, 0)) + QStringLiteral(" kb of ") +
                           number(roundTo(ExpectedFilesize_ / 1024.0, 0)) +
                           QStringLiteral(" kb (") + number(percentage) + QStringLiteral("%)");
                },
                percentage);
        else
            ReportProgress(
                [&] {
                    return number(roundTo(counter / 1024.0, 0)) + QStringLiteral(" kb downloaded");
                },
                0.0f);
    } else {
        ReportProgress(
            [&] {
                return QStringLiteral("Downloaded ") + number(roundTo(counter / 1024.0, 2)) +
                       QStringLiteral("kb");
            },
            100.0f);
    }
}

void fSHAREDInternet::liveProgress()
{
    // Only a file download whose response headers have been seen, and only while it runs.
    // (TransferDone is no guide: only OpenURL clears it.)
    if (!SaveToFile || ExpectedFilesize_ == 0 || !Inet1_ || !Inet1_->stillExecuting() ||
        SuppressAllButErrors || SuppressAllButDLAndErrors)
        return;
    const qint64 counter = Inet1_->bytesReceived();
    if (counter <= liveCounter_)
        return;
    liveCounter_ = counter;
    float percentage = 0.0f;
    if (ExpectedFilesize_ > 0)
        percentage = static_cast<float>(
            std::nearbyint(static_cast<double>(counter) / ExpectedFilesize_ * 100.0));
    reportBytes(counter, percentage);
}

void fSHAREDInternet::ftpCompleted()
{
    ftpDownload_ = false;
    TransferDone = true;
    Timer1_->stop();
    const qint64 size = platform::fileSystem().info(TargetFile).size;
    Q_EMIT Status(QStringLiteral("Downloaded ") + number(roundTo(size / 1024.0, 2)) +
                  QStringLiteral(" kb (100%)"));
    Q_EMIT DownloadFinished();
}

void fSHAREDInternet::ReportProgress(const std::function<QString()>& text, float percent)
{
    const double now = platform::clock().monotonicSeconds();
    if (reportedOnce_ && !(now - LastReportTime > 0.25))
        return;
    reportedOnce_ = true;
    LastReportTime = now;
    const QString t = text();
    Q_EMIT Status(t);
    Q_EMIT Progress(percent, t);
}

void fSHAREDInternet::Timer1_Timer()
{
    // Stops counting at the top instead of overflowing.
    if (TimeoutTicks < std::numeric_limits<std::int16_t>::max())
        ++TimeoutTicks;
    if (TimeoutTicks > tickLimit_) {
        // The transfer stops here: a request left running would go on writing a file that
        // nobody will take.
        if (!TransferDone || Connected())
            stopTransfer();
        Q_EMIT DownloadError(QStringLiteral("Transfer timed out"));
        TransferDone = true;
    }
}

}  // namespace wexlo
