#include "platform/Transfer.h"

#include "platform/CurlLibrary.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QSocketNotifier>
#include <QTemporaryFile>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include <poll.h>
#include <sys/socket.h>

namespace wexlo::platform {

namespace {

// A response body is kept in memory up to this size, in a temporary file beyond it, so that a
// large download does not grow the program.
constexpr qint64 kMemoryBodyLimit = 1024 * 1024;

// A failure as the log keeps it (English, libcurl's own wording where it is libcurl's) and as
// the user reads it.
struct Failure {
    QString logged;
    QString shown;
};

// One of our texts in the user's language; where that language has no translation, the English
// the log gets, so that English and untranslated languages read as they always did.
QString translatedOr(const char* source, const QString& english, const QString& arg = {})
{
    const QString text = QCoreApplication::translate("Transfer", source);
    if (text == QLatin1String(source))
        return english;
    return arg.isNull() ? text : text.arg(arg);
}

Failure ownFailure(const char* source, const QString& arg = {})
{
    const QString english =
        arg.isNull() ? QString::fromLatin1(source) : QString::fromLatin1(source).arg(arg);
    return {english, translatedOr(source, english, arg)};
}

// A RuntimeError as the log reads it, "description(number)", and in the user's language.
Failure errorFailure(const RuntimeError& e)
{
    return {e.message(), shownDescription(e.description()) + QLatin1Char('(') +
                             QString::number(e.number()) + QLatin1Char(')')};
}

Failure longerThanAnnounced()
{
    return ownFailure(
        QT_TRANSLATE_NOOP("Transfer", "The response is longer than its Content-Length"));
}

// Our words for the libcurl failures a user meets; nullptr for the rest.
const char* curlFailureText(CURLcode code)
{
    switch (code) {
        case CURLE_UNSUPPORTED_PROTOCOL:
            return QT_TRANSLATE_NOOP("Transfer",
                                     "The address uses a protocol that is not supported.");
        case CURLE_URL_MALFORMAT:
            return QT_TRANSLATE_NOOP("Transfer", "The address is not valid.");
        case CURLE_COULDNT_RESOLVE_PROXY:
            return QT_TRANSLATE_NOOP(
                "Transfer", "The proxy server was not found. Please check the proxy settings.");
        case CURLE_COULDNT_RESOLVE_HOST:
            return QT_TRANSLATE_NOOP(
                "Transfer", "The server was not found. Please check your internet connection.");
        case CURLE_COULDNT_CONNECT:
            return QT_TRANSLATE_NOOP("Transfer", "Could not connect to the server.");
        case CURLE_PROXY:
            return QT_TRANSLATE_NOOP("Transfer", "The proxy server refused the connection.");
        case CURLE_OPERATION_TIMEDOUT:
            return QT_TRANSLATE_NOOP("Transfer", "The server did not answer in time.");
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_SSL_CIPHER:
        case CURLE_SSL_ENGINE_NOTFOUND:
        case CURLE_SSL_ENGINE_SETFAILED:
        case CURLE_USE_SSL_FAILED:
            return QT_TRANSLATE_NOOP("Transfer",
                                     "A secure connection to the server could not be made.");
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CERTPROBLEM:
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_SSL_CRL_BADFILE:
        case CURLE_SSL_ISSUER_ERROR:
        case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
        case CURLE_SSL_INVALIDCERTSTATUS:
            return QT_TRANSLATE_NOOP("Transfer", "The server's certificate could not be verified.");
        case CURLE_HTTP_RETURNED_ERROR:
            return QT_TRANSLATE_NOOP("Transfer", "The server answered with an error.");
        case CURLE_REMOTE_ACCESS_DENIED:
        case CURLE_LOGIN_DENIED:
            return QT_TRANSLATE_NOOP("Transfer", "The server refused access.");
        case CURLE_REMOTE_FILE_NOT_FOUND:
            return QT_TRANSLATE_NOOP("Transfer", "The file was not found on the server.");
        case CURLE_PARTIAL_FILE:
            return QT_TRANSLATE_NOOP("Transfer",
                                     "The connection ended before the whole file had arrived.");
        case CURLE_GOT_NOTHING:
            return QT_TRANSLATE_NOOP("Transfer", "The server sent no answer.");
        case CURLE_SEND_ERROR:
        case CURLE_RECV_ERROR:
            return QT_TRANSLATE_NOOP("Transfer", "The connection to the server was interrupted.");
        case CURLE_WEIRD_SERVER_REPLY:
            return QT_TRANSLATE_NOOP("Transfer", "The server's answer could not be read.");
        case CURLE_TOO_MANY_REDIRECTS:
            return QT_TRANSLATE_NOOP("Transfer", "The server redirected the request too often.");
        case CURLE_WRITE_ERROR:
            return QT_TRANSLATE_NOOP("Transfer", "The received data could not be written.");
        case CURLE_FILESIZE_EXCEEDED:
            return QT_TRANSLATE_NOOP("Transfer", "The file is larger than allowed.");
        case CURLE_OUT_OF_MEMORY:
            return QT_TRANSLATE_NOOP("Transfer", "There is not enough memory for the transfer.");
        default:
            return nullptr;
    }
}

// libcurl's failure: its English (the given detail, or its own description of the code) for
// the log, our words for the user; a failure we have no words for names libcurl's.
Failure curlFailure(const CurlLibrary& lib, CURLcode code, const QString& detail = {})
{
    const QString english = detail.isEmpty() ? QString::fromUtf8(lib.easy_strerror(code)) : detail;
    if (const char* text = curlFailureText(code))
        return {english, translatedOr(text, english)};
    return {english, translatedOr(QT_TRANSLATE_NOOP("Transfer", "The transfer failed: %1"), english,
                                  english)};
}

// libcurl, opened at the first transfer; a library that cannot be loaded leaves the transfer
// missing, as one that libcurl cannot set up.
const CurlLibrary& loadCurl()
{
    const CurlLibrary* library = curlLibrary();
    if (!library)
        raiseError(err::ComponentMissing);
    static std::once_flag once;
    std::call_once(once, [] { setSleepWorker(&detail::serviceTransfersWhileSleeping); });
    return *library;
}

// The body of the current response until it has been read.
class BodyStore {
public:
    void clear()
    {
        memory_.clear();
        memory_.squeeze();
        file_.reset();
        size_ = 0;
        position_ = 0;
        reading_ = false;
    }

    qint64 size() const { return size_; }

    bool append(const char* data, qint64 length)
    {
        if (!file_ && size_ + length <= kMemoryBodyLimit) {
            memory_.append(data, length);
            size_ += length;
            return true;
        }
        if (!file_) {
            file_ = std::make_unique<QTemporaryFile>(QDir::tempPath() +
                                                     QStringLiteral("/wexlo-transfer-XXXXXX"));
            if (!file_->open() || file_->write(memory_) != memory_.size())
                return false;
            memory_.clear();
            memory_.squeeze();
        }
        if (file_->write(data, length) != length)
            return false;
        size_ += length;
        return true;
    }

    QByteArray read(int maxBytes)
    {
        if (position_ >= size_ || maxBytes <= 0)
            return {};
        const qint64 want = std::min<qint64>(maxBytes, size_ - position_);
        if (!file_) {
            QByteArray part = memory_.mid(position_, want);
            position_ += part.size();
            return part;
        }
        if (!reading_) {
            if (!file_->flush() || !file_->seek(position_))
                raiseError(err::TransferStillRunning);
            reading_ = true;
        }
        QByteArray part = file_->read(want);
        if (part.size() != want)
            raiseError(err::TransferStillRunning);
        position_ += part.size();
        return part;
    }

private:
    QByteArray memory_;
    std::unique_ptr<QTemporaryFile> file_;
    qint64 size_ = 0;
    qint64 position_ = 0;
    bool reading_ = false;
};

class CurlTransfer;

QByteArray& trustedCertificates()
{
    static QByteArray path;
    return path;
}

QList<CurlTransfer*>& liveTransfers()
{
    static QList<CurlTransfer*> list;
    return list;
}

class CurlTransfer final : public Transfer {
public:
    explicit CurlTransfer(QObject* parent) : Transfer(parent), lib_(loadCurl())
    {
        multi_ = lib_.multi_init();
        if (!multi_)
            raiseError(err::ComponentMissing);
        // libcurl says which sockets to watch and when to call it back; nothing runs while
        // a transfer waits.
        lib_.multi_setopt(multi_, CURLMOPT_SOCKETFUNCTION, &CurlTransfer::onWatch);
        lib_.multi_setopt(multi_, CURLMOPT_SOCKETDATA, this);
        lib_.multi_setopt(multi_, CURLMOPT_TIMERFUNCTION, &CurlTransfer::onTimer);
        lib_.multi_setopt(multi_, CURLMOPT_TIMERDATA, this);
        timeout_.setSingleShot(true);
        connect(&timeout_, &QTimer::timeout, this, [this] { act(CURL_SOCKET_TIMEOUT, 0); });
        deliverSoon_.setSingleShot(true);
        deliverSoon_.setInterval(0);
        connect(&deliverSoon_, &QTimer::timeout, this, [this] { deliver(); });
        liveTransfers().append(this);
    }

    ~CurlTransfer() override
    {
        liveTransfers().removeAll(this);
        dropTransfer();
        lib_.multi_cleanup(multi_);
        watches_.clear();
    }

    void setBodyHandler(const BodyHandler& handler) override { nextHandler_ = handler; }

    void execute(const QString& url, const QString& operation) override
    {
        const QString op = operation.trimmed();
        const QString verb = op.section(QLatin1Char(' '), 0, 0).toUpper();
        const QString rest = op.section(QLatin1Char(' '), 1).trimmed();

        if (verb == QLatin1String("CD")) {
            ftpHost_ = url;
            ftpFolder_ = rest;
            return;
        }
        if (verb == QLatin1String("CLOSE")) {
            // The exchange ends; a download it started runs on to its end.
            ftpHost_.clear();
            ftpFolder_.clear();
            return;
        }
        // The body handler applies to this request alone, whether it starts or not.
        BodyHandler handler = std::exchange(nextHandler_, BodyHandler());
        if (easy_)
            raiseError(err::TransferStillRunning);

        if (verb == QLatin1String("GET") && !rest.isEmpty()) {
            // "GET remote local": one FTP download into the local file.
            const QString remote = rest.section(QLatin1Char(' '), 0, 0);
            const QString local = rest.section(QLatin1Char(' '), 1).trimmed();
            QString folder = ftpHost_.isEmpty() ? QString() : ftpFolder_;
            folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
            if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
                folder += QLatin1Char('/');
            if (!folder.startsWith(QLatin1Char('/')))
                folder.prepend(QLatin1Char('/'));
            QString base = ftpHost_.isEmpty() ? url : ftpHost_;
            while (base.endsWith(QLatin1Char('/')))
                base.chop(1);
            start(base + folder + remote, local, {});
            return;
        }
        start(url, QString(), std::move(handler));
    }

    void cancel() override
    {
        dropTransfer();
        pending_.clear();
        body_.clear();
        headers_.clear();
        ftpHost_.clear();
        ftpFolder_.clear();
    }

    QByteArray getChunk(int size) override { return body_.read(size); }

    QString getHeader(const QString& name) const override
    {
        if (!isHttp_ && name.compare(QLatin1String("Content-Length"), Qt::CaseInsensitive) == 0)
            return ftpLength_ >= 0 ? QString::number(ftpLength_) : QString();
        const QByteArray key = name.toLatin1().toLower() + ':';
        for (const QByteArray& line : headers_)
            if (line.toLower().startsWith(key))
                return QString::fromLatin1(line.mid(key.size()).trimmed());
        return {};
    }

    QString responseInfo() const override { return info_.logged; }
    QString shownResponseInfo() const override { return info_.shown; }
    bool stillExecuting() const override { return easy_ != nullptr; }
    qint64 bytesReceived() const override { return bodyBytes_; }

    // ---- driving ----------------------------------------------------------------------

    bool active() const { return easy_ != nullptr; }

    // Moves data without delivering anything (the sleeping thread calls this): waits at most
    // waitMs for the watched sockets or libcurl's time-out, whichever comes first.
    void pump(int waitMs)
    {
        if (!easy_)
            return;
        std::vector<pollfd> fds;
        for (const auto& [socket, watch] : watches_) {
            const short events = static_cast<short>(((watch.what & CURL_POLL_IN) ? POLLIN : 0) |
                                                    ((watch.what & CURL_POLL_OUT) ? POLLOUT : 0));
            if (events != 0)
                fds.push_back({socket, events, 0});
        }
        int wait = waitMs;
        if (timeout_.isActive())
            wait = std::min(wait, std::max(0, timeout_.remainingTime()));
        if (::poll(fds.data(), fds.size(), wait) > 0) {
            for (const pollfd& fd : fds) {
                const int mask = ((fd.revents & (POLLIN | POLLHUP)) ? CURL_CSELECT_IN : 0) |
                                 ((fd.revents & POLLOUT) ? CURL_CSELECT_OUT : 0) |
                                 ((fd.revents & POLLERR) ? CURL_CSELECT_ERR : 0);
                if (mask != 0 && easy_)
                    perform(fd.fd, mask);
            }
        }
        if (easy_ && timeout_.isActive() && timeout_.remainingTime() == 0) {
            timeout_.stop();
            perform(CURL_SOCKET_TIMEOUT, 0);
        }
        // What happened meanwhile is told once the event loop runs again.
        if (!pending_.empty())
            deliverSoon_.start();
    }

private:
    // What libcurl watches on one socket.
    struct Watch {
        int what = 0;
        std::unique_ptr<QSocketNotifier> read;
        std::unique_ptr<QSocketNotifier> write;
        ~Watch()
        {
            // A notifier may be the one whose signal runs now: it goes once that has returned.
            for (auto* n : {read.release(), write.release()})
                if (n) {
                    n->setEnabled(false);
                    n->deleteLater();
                }
        }
    };

    // localFile receives the body (an FTP download); otherwise handler, or getChunk, takes it.
    void start(const QString& url, const QString& localFile, BodyHandler handler)
    {
        body_.clear();
        handler_ = std::move(handler);
        headers_.clear();
        info_ = {};
        failText_ = {};
        ftpReply_.clear();
        ftpLength_ = -1;
        reached_ = 0;
        pending_.clear();
        errorBuffer_[0] = '\0';
        bodyBytes_ = 0;
        excess_ = false;
        alive_.invalidate();
        secureStart_ = url.trimmed().startsWith(QLatin1String("https:"), Qt::CaseInsensitive);

        easy_ = lib_.easy_init();
        if (!easy_)
            raiseError(err::OutOfMemory);
        const QByteArray u = url.toUtf8();
        userAgent_ = QCoreApplication::applicationName().toUtf8();  // the program says who it is
        const QString lowered = url.trimmed().toLower();
        isHttp_ = !(lowered.startsWith(QLatin1String("ftp://")) ||
                    lowered.startsWith(QLatin1String("ftp.")));

        if (!localFile.isEmpty()) {
            try {
                localFile_ = fileSystem().replace(localFile);
            } catch (const RuntimeError& e) {
                failNow(errorFailure(e));
                return;
            }
        }

        lib_.easy_setopt(easy_, CURLOPT_URL, u.constData());
        lib_.easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, "http,https,ftp");
        // A request that starts encrypted never goes on in the clear; onHeader holds the same
        // rule for a later https step of a redirect chain.
        lib_.easy_setopt(easy_, CURLOPT_REDIR_PROTOCOLS_STR,
                         secureStart_ ? "https" : "http,https,ftp");
        lib_.easy_setopt(easy_, CURLOPT_FOLLOWLOCATION, 1L);
        lib_.easy_setopt(easy_, CURLOPT_MAXREDIRS, 10L);
        // Each request has a connection of its own, so "disconnected" is what it says.
        lib_.easy_setopt(easy_, CURLOPT_FORBID_REUSE, 1L);
        lib_.easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
        lib_.easy_setopt(easy_, CURLOPT_ERRORBUFFER, errorBuffer_);
        lib_.easy_setopt(easy_, CURLOPT_USERAGENT, userAgent_.constData());
        if (!trustedCertificates().isEmpty())
            lib_.easy_setopt(easy_, CURLOPT_CAINFO, trustedCertificates().constData());
        lib_.easy_setopt(easy_, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
        lib_.easy_setopt(easy_, CURLOPT_BUFFERSIZE, 256L * 1024L);
        lib_.easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &CurlTransfer::onWrite);
        lib_.easy_setopt(easy_, CURLOPT_WRITEDATA, this);
        lib_.easy_setopt(easy_, CURLOPT_HEADERFUNCTION, &CurlTransfer::onHeader);
        lib_.easy_setopt(easy_, CURLOPT_HEADERDATA, this);
        lib_.easy_setopt(easy_, CURLOPT_SOCKOPTFUNCTION, &CurlTransfer::onSocket);
        lib_.easy_setopt(easy_, CURLOPT_SOCKOPTDATA, this);
        lib_.easy_setopt(easy_, CURLOPT_PREREQFUNCTION, &CurlTransfer::onPrereq);
        lib_.easy_setopt(easy_, CURLOPT_PREREQDATA, this);
        lib_.easy_setopt(easy_, CURLOPT_XFERINFOFUNCTION, &CurlTransfer::onProgress);
        lib_.easy_setopt(easy_, CURLOPT_XFERINFODATA, this);
        lib_.easy_setopt(easy_, CURLOPT_NOPROGRESS, 0L);
        // libcurl stops reading at the Content-Length and only says so in its verbose text;
        // a body longer than announced must fail, so that text is watched.
        lib_.easy_setopt(easy_, CURLOPT_DEBUGFUNCTION, &CurlTransfer::onDebug);
        lib_.easy_setopt(easy_, CURLOPT_DEBUGDATA, this);
        lib_.easy_setopt(easy_, CURLOPT_VERBOSE, 1L);

        if (requestTimeout() > 0) {
            const long seconds = requestTimeout();
            lib_.easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT, seconds);
            // A stall, not a slow line: fewer than one byte a second for that long.
            lib_.easy_setopt(easy_, CURLOPT_LOW_SPEED_LIMIT, 1L);
            lib_.easy_setopt(easy_, CURLOPT_LOW_SPEED_TIME, seconds);
        }
        if (maxResponseSize() > 0)
            lib_.easy_setopt(easy_, CURLOPT_MAXFILESIZE_LARGE,
                             static_cast<curl_off_t>(maxResponseSize()));

        switch (accessType()) {
            case Direct:
                lib_.easy_setopt(easy_, CURLOPT_PROXY, "");  // "" ignores the environment too
                break;
            case NamedProxy: {
                const QByteArray p = proxy().trimmed().toUtf8();
                lib_.easy_setopt(easy_, CURLOPT_PROXY, p.constData());
                lib_.easy_setopt(easy_, CURLOPT_NOPROXY, "");
                break;
            }
            default:  // the system's configuration: libcurl reads the proxy environment
                break;
        }
        if (!userName().isEmpty()) {
            const QByteArray user = userName().toUtf8();
            const QByteArray pass = password().toUtf8();
            lib_.easy_setopt(easy_, CURLOPT_PROXYUSERNAME, user.constData());
            lib_.easy_setopt(easy_, CURLOPT_PROXYPASSWORD, pass.constData());
            lib_.easy_setopt(easy_, CURLOPT_PROXYAUTH, static_cast<long>(CURLAUTH_ANY));
        }

        if (lib_.multi_add_handle(multi_, easy_) != CURLM_OK) {
            failNow(curlFailure(lib_, CURLE_FAILED_INIT));
            return;
        }
        reach(Resolving);
        deliverSoon_.start();
    }

    // A request that cannot even start fails as any other: state 11 on the next turn.
    void failNow(const Failure& failure)
    {
        if (easy_) {
            lib_.easy_cleanup(easy_);
            easy_ = nullptr;
        }
        localFile_.reset();
        handler_ = nullptr;
        info_ = failure;
        pending_.push_back(Error);
        deliverSoon_.start();
    }

    void dropTransfer()
    {
        if (easy_) {
            lib_.multi_remove_handle(multi_, easy_);
            lib_.easy_cleanup(easy_);
            easy_ = nullptr;
        }
        localFile_.reset();  // never committed: no partial file appears
        handler_ = nullptr;
        timeout_.stop();
    }

    void reach(int state)
    {
        for (int s = reached_ + 1; s <= state; ++s)
            pending_.push_back(s);
        reached_ = std::max(reached_, state);
    }

    // libcurl's socket (or time-out) is due: let it work, then tell what happened.
    void act(curl_socket_t socket, int mask)
    {
        if (easy_)
            perform(socket, mask);
        deliver();
    }

    void perform(curl_socket_t socket, int mask)
    {
        int running = 0;
        lib_.multi_socket_action(multi_, socket, mask, &running);
        collectFinished();
    }

    void collectFinished()
    {
        int left = 0;
        while (CURLMsg* msg = lib_.multi_info_read(multi_, &left)) {
            if (msg->msg == CURLMSG_DONE && msg->easy_handle == easy_)
                finish(msg->data.result);
        }
    }

    void finish(CURLcode result)
    {
        if (!isHttp_)
            noteFtpLength();
        lib_.multi_remove_handle(multi_, easy_);
        lib_.easy_cleanup(easy_);
        easy_ = nullptr;

        if (result == CURLE_OK && excess_) {
            failText_ = longerThanAnnounced();
            result = CURLE_WEIRD_SERVER_REPLY;
        }
        if (result == CURLE_OK && (localFile_ || handler_)) {
            try {
                if (localFile_)
                    localFile_->commit();
                else
                    handler_(QByteArrayView());  // the body is complete
            } catch (const RuntimeError& e) {
                failText_ = errorFailure(e);
                result = CURLE_WRITE_ERROR;
            } catch (...) {
                failText_ = curlFailure(lib_, CURLE_WRITE_ERROR);
                result = CURLE_WRITE_ERROR;
            }
        }
        localFile_.reset();
        handler_ = nullptr;

        if (result == CURLE_OK) {
            reach(Disconnected);
            pending_.push_back(ResponseCompleted);
            return;
        }
        if (!failText_.logged.isEmpty()) {
            info_ = failText_;
        } else if (!isHttp_ && !ftpReply_.isEmpty()) {
            const QString reply = QString::fromUtf8(ftpReply_);  // the server's own reason
            info_ = {reply, reply};
        } else {
            info_ = curlFailure(lib_, result, QString::fromUtf8(errorBuffer_));
        }
        body_.clear();
        pending_.push_back(Error);
    }

    // State changes go out after libcurl has returned, one at a time; a handler may cancel
    // or start a request meanwhile, which replaces what is still queued.
    void deliver()
    {
        if (delivering_)
            return;
        delivering_ = true;
        while (!pending_.empty()) {
            const int state = pending_.front();
            pending_.pop_front();
            Q_EMIT stateChanged(state);
        }
        delivering_ = false;
    }

    void noteFtpLength()
    {
        curl_off_t length = -1;
        if (easy_ &&
            lib_.easy_getinfo(easy_, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) == CURLE_OK &&
            length >= 0)
            ftpLength_ = length;
    }

    // ---- libcurl callbacks (no exception may leave them) -------------------------------

    static size_t onWrite(char* data, size_t size, size_t count, void* user)
    {
        auto* self = static_cast<CurlTransfer*>(user);
        const qint64 length = static_cast<qint64>(size) * static_cast<qint64>(count);
        try {
            if (!self->isHttp_ && self->reached_ < ResponseReceived)
                self->noteFtpLength();
            self->reach(ResponseReceived);
            if (!self->bodyFits(length))
                return 0;
            self->bodyBytes_ += length;
            self->signOfLife();
            if (self->localFile_) {
                self->localFile_->write(QByteArray::fromRawData(data, length));
                return size * count;
            }
            if (self->handler_) {
                self->handler_(QByteArrayView(data, length));
                return size * count;
            }
            if (!self->body_.append(data, length))
                return 0;
            return size * count;
        } catch (const RuntimeError& e) {
            self->failText_ = errorFailure(e);
        } catch (...) {
            self->failText_ = curlFailure(self->lib_, CURLE_OUT_OF_MEMORY);
        }
        return 0;
    }

    // Whether length more body bytes stay within the limit and the announced length.
    bool bodyFits(qint64 length)
    {
        if (maxResponseSize() > 0 && bodyBytes_ + length > maxResponseSize()) {
            failText_ = curlFailure(lib_, CURLE_FILESIZE_EXCEEDED);
            return false;
        }
        curl_off_t announced = -1;
        if (isHttp_ &&
            lib_.easy_getinfo(easy_, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced) == CURLE_OK &&
            announced >= 0 &&
            (bodyBytes_ + length > announced ||
             (bodyBytes_ + length == announced && moreOnAPlainLine()))) {
            failText_ = longerThanAnnounced();
            return false;
        }
        return true;
    }

    // libcurl reads no further than the announced length, so bytes beyond it that have not
    // reached its buffer yet stay on the line: look there. Only an unencrypted line, where
    // every byte is body (TLS may still send records of its own).
    bool moreOnAPlainLine() const
    {
        char* here = nullptr;
        lib_.easy_getinfo(easy_, CURLINFO_EFFECTIVE_URL, &here);
        if (!here || qstrnicmp(here, "http:", 5) != 0)
            return false;
        for (const auto& [socket, watch] : watches_) {
            char byte = 0;
            if (::recv(socket, &byte, 1, MSG_PEEK | MSG_DONTWAIT) > 0)
                return true;
        }
        return false;
    }

    // Body bytes arrived: "receiving the response" again, a few times a second at most.
    void signOfLife()
    {
        if (alive_.isValid() && alive_.elapsed() < kAliveIntervalMs)
            return;
        alive_.start();
        if (reached_ >= ResponseReceived)
            pending_.push_back(ReceivingResponse);
    }

    static int onDebug(CURL*, curl_infotype type, char* data, size_t size, void* user)
    {
        if (type == CURLINFO_TEXT && size >= 12 && std::memcmp(data, "Excess found", 12) == 0)
            static_cast<CurlTransfer*>(user)->excess_ = true;
        return 0;
    }

    static size_t onHeader(char* data, size_t size, size_t count, void* user)
    {
        auto* self = static_cast<CurlTransfer*>(user);
        const size_t length = size * count;
        try {
            const QByteArray line(data, static_cast<qsizetype>(length));
            if (!self->isHttp_) {
                // Keeps the server's refusal of the command that failed: a later positive
                // reply makes it stale, but the goodbye (221) of the closing exchange that
                // follows a failure must not hide its reason.
                const QByteArray reply = line.trimmed();
                if (reply.size() > 3 && (reply[0] == '4' || reply[0] == '5'))
                    self->ftpReply_ = reply;
                else if (!reply.startsWith("221"))
                    self->ftpReply_.clear();
                return length;
            }
            if (self->reached_ < ReceivingResponse)
                self->alive_.start();
            self->reach(ReceivingResponse);
            if (line.startsWith("HTTP/")) {
                self->headers_.clear();
            } else if (line == "\r\n" || line == "\n") {
                long code = 0;
                self->lib_.easy_getinfo(self->easy_, CURLINFO_RESPONSE_CODE, &code);
                const bool followed =
                    code / 100 == 3 && !self->getHeader(QStringLiteral("Location")).isEmpty();
                if (followed && !self->redirectAllowed())
                    return 0;
                if (code >= 200 && !followed)
                    self->reach(ResponseReceived);
            } else {
                self->headers_.append(line.trimmed());
            }
        } catch (...) {
            return 0;
        }
        return length;
    }

    // A redirect never leads from https to http or ftp, wherever in the chain it comes.
    bool redirectAllowed()
    {
        char* here = nullptr;
        lib_.easy_getinfo(easy_, CURLINFO_EFFECTIVE_URL, &here);
        if (!here || qstrnicmp(here, "https:", 6) != 0)
            return true;
        // A relative Location keeps the scheme of the step it came from.
        const QString scheme = QUrl(getHeader(QStringLiteral("Location"))).scheme().toLower();
        if (scheme.isEmpty() || scheme == QLatin1String("https"))
            return true;
        failText_ = ownFailure(QT_TRANSLATE_NOOP("Transfer", "Refused a redirect from https to %1"),
                               scheme);
        return false;
    }

    // libcurl's socket callback: which of a socket's events it now waits for.
    static int onWatch(CURL*, curl_socket_t socket, int what, void* user, void*)
    {
        auto* self = static_cast<CurlTransfer*>(user);
        if (what == CURL_POLL_REMOVE) {
            self->watches_.erase(socket);
            return 0;
        }
        Watch& watch = self->watches_[socket];
        watch.what = what;
        self->notify(watch.read, socket, QSocketNotifier::Read, (what & CURL_POLL_IN) != 0,
                     CURL_CSELECT_IN);
        self->notify(watch.write, socket, QSocketNotifier::Write, (what & CURL_POLL_OUT) != 0,
                     CURL_CSELECT_OUT);
        return 0;
    }

    void notify(std::unique_ptr<QSocketNotifier>& notifier, curl_socket_t socket,
                QSocketNotifier::Type type, bool wanted, int mask)
    {
        if (wanted && !notifier) {
            notifier = std::make_unique<QSocketNotifier>(socket, type);
            connect(notifier.get(), &QSocketNotifier::activated, this,
                    [this, socket, mask] { act(socket, mask); });
        }
        if (notifier)
            notifier->setEnabled(wanted);
    }

    // libcurl's timer callback: when to call it back with no socket ready (-1: never).
    static int onTimer(CURLM*, long ms, void* user)
    {
        auto* self = static_cast<CurlTransfer*>(user);
        if (ms < 0)
            self->timeout_.stop();
        else
            self->timeout_.start(static_cast<int>(std::min<long>(ms, 24L * 3600L * 1000L)));
        return 0;
    }

    static int onSocket(void* user, curl_socket_t, curlsocktype)
    {
        static_cast<CurlTransfer*>(user)->reach(Connecting);
        return CURL_SOCKOPT_OK;
    }

    static int onPrereq(void* user, char*, char*, int, int)
    {
        static_cast<CurlTransfer*>(user)->reach(Requesting);
        return CURL_PREREQFUNC_OK;
    }

    static int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
    {
        auto* self = static_cast<CurlTransfer*>(user);
        if (self->reached_ >= Requesting)
            self->reach(RequestSent);
        return 0;
    }

    const CurlLibrary& lib_;
    CURLM* multi_ = nullptr;
    CURL* easy_ = nullptr;
    std::map<curl_socket_t, Watch> watches_;
    QTimer timeout_;      // libcurl's own time-out
    QTimer deliverSoon_;  // state changes reached outside libcurl's calls go out on the next turn
    std::deque<int> pending_;
    int reached_ = 0;
    bool delivering_ = false;
    bool isHttp_ = true;
    BodyStore body_;
    QList<QByteArray> headers_;
    Failure info_;
    Failure failText_;
    char errorBuffer_[CURL_ERROR_SIZE] = {};
    std::unique_ptr<FileWriter> localFile_;
    QByteArray userAgent_;
    BodyHandler nextHandler_;  // asked for the next request
    BodyHandler handler_;      // the running request's
    QString ftpHost_;
    QString ftpFolder_;
    QByteArray ftpReply_;
    qint64 ftpLength_ = -1;
    qint64 bodyBytes_ = 0;
    bool excess_ = false;
    bool secureStart_ = false;
    QElapsedTimer alive_;
};

TransferFactory& factory()
{
    static TransferFactory f;
    return f;
}

}  // namespace

Transfer::Transfer(QObject* parent) : QObject(parent) {}

Transfer::~Transfer() = default;

// What setBodyFile's request saved, as skipChunk passes over it.
struct Transfer::SavedBody {
    int chunk = 0;
    bool saved = false;
    qint64 size = 0;
    qint64 position = 0;
    std::vector<bool> startsWithNul;  // of every chunk
};

void Transfer::setBodyFile(const QString& path, int chunkSize)
{
    saved_ = std::make_shared<SavedBody>();
    if (path.isEmpty() || chunkSize <= 0) {
        setBodyHandler({});
        return;
    }
    saved_->chunk = chunkSize;
    // The file lives as long as the handler: a request that fails or is cancelled drops it
    // uncommitted, so no partial file appears.
    auto file = std::make_shared<std::unique_ptr<FileWriter>>();
    setBodyHandler([body = saved_, file, path](QByteArrayView block) {
        if (!*file)
            *file = fileSystem().replace(path);
        if (block.isEmpty()) {
            (*file)->commit();
            file->reset();
            body->saved = true;
            return;
        }
        (*file)->write(QByteArray::fromRawData(block.data(), block.size()));
        for (qint64 at = (body->chunk - body->size % body->chunk) % body->chunk; at < block.size();
             at += body->chunk)
            body->startsWithNul.push_back(block[at] == '\0');
        body->size += block.size();
    });
}

bool Transfer::bodySaved() const { return saved_ && saved_->saved; }

Transfer::SkippedChunk Transfer::skipChunk()
{
    if (!bodySaved() || saved_->position >= saved_->size)
        return {};
    SkippedChunk chunk;
    chunk.length =
        static_cast<int>(std::min<qint64>(saved_->chunk, saved_->size - saved_->position));
    chunk.startsWithNul =
        saved_->startsWithNul[static_cast<size_t>(saved_->position / saved_->chunk)];
    saved_->position += chunk.length;
    return chunk;
}

std::unique_ptr<Transfer> createCurlTransfer(QObject* parent)
{
    return std::make_unique<CurlTransfer>(parent);
}

std::unique_ptr<Transfer> createTransfer(QObject* parent)
{
    std::unique_ptr<Transfer> transfer = factory() ? factory()(parent) : createCurlTransfer(parent);
    if (!transfer)
        raiseError(err::ComponentMissing);
    return transfer;
}

void setTransferFactory(TransferFactory f) { factory() = std::move(f); }

namespace detail {

void setTrustedCertificatesForTests(const QString& pemFile)
{
    trustedCertificates() = QFile::encodeName(pemFile);
}

bool serviceTransfersWhileSleeping(int ms)
{
    const auto anyActive = [] {
        return std::any_of(liveTransfers().cbegin(), liveTransfers().cend(),
                           [](const CurlTransfer* c) { return c->active(); });
    };
    if (ms <= 0 || !anyActive())
        return false;
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        const auto transfers = liveTransfers();
        std::vector<CurlTransfer*> running;
        for (CurlTransfer* c : transfers)
            if (c->active())
                running.push_back(c);
        const int remaining = static_cast<int>(std::max<qint64>(0, deadline.remainingTime()));
        if (running.empty()) {
            QThread::msleep(static_cast<unsigned long>(remaining));
            break;
        }
        const int slice = running.size() == 1 ? remaining : std::min(remaining, 5);
        for (CurlTransfer* c : running)
            c->pump(slice);
    }
    return true;
}

}  // namespace detail

}  // namespace wexlo::platform

// The transfer's meta-object lives here, apart from the library's other generated code.
#include "moc_Transfer.cpp"
