#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLockFile>
#include <QSocketNotifier>
#include <QThread>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace wexlo::platform {

namespace {

constexpr char kLockName[] = "/.wexlo-window.lock";
constexpr int kAnswerWaitMs = 3000;

// An address in the abstract namespace: no file, gone with the program that bound it.
socklen_t addressOf(const QByteArray& name, sockaddr_un& address)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    const auto length =
        std::min<std::size_t>(static_cast<std::size_t>(name.size()), sizeof address.sun_path - 1);
    std::memcpy(address.sun_path + 1, name.constData(), length);
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
}

// Asks the program listening on name to show its window; true when it said it would. With
// patience, a program that holds the lock but is not listening yet (still starting) gets a
// moment to begin.
bool askToActivate(const QByteArray& name, bool patient)
{
    sockaddr_un address{};
    const socklen_t length = addressOf(name, address);
    QDeadlineTimer deadline(patient ? kAnswerWaitMs : 0);
    while (true) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return false;
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0) {
            char reply = 0;
            pollfd p{fd, POLLIN, 0};
            const bool answered = ::send(fd, "a", 1, MSG_NOSIGNAL) == 1 &&
                                  ::poll(&p, 1, kAnswerWaitMs) == 1 &&
                                  ::recv(fd, &reply, 1, 0) == 1 && reply == 'a';
            ::close(fd);
            return answered;
        }
        ::close(fd);
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
}

}  // namespace

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {}

SingleInstance::~SingleInstance()
{
    if (serverFd_ >= 0)
        ::close(serverFd_);
}

QByteArray SingleInstance::socketName(const QString& folder)
{
    const QFileInfo info(folder);
    const QString path = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    return "wexlo-" +
           QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha256).toHex().left(32);
}

bool SingleInstance::claim(const QString& folder)
{
    const QByteArray name = socketName(folder);
    lock_ = std::make_unique<QLockFile>(folder + QLatin1String(kLockName));
    // Only a lock whose program is gone is stale, however long the window has been open.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        const bool held = lock_->error() == QLockFile::LockFailedError;
        lock_.reset();
        if (askToActivate(name, held))
            return false;
        // Nobody answers for the lock (its program on another machine sharing the folder) or
        // the folder takes no lock file: this start runs all the same.
    }
    listen(name);
    return true;
}

bool SingleInstance::listen(const QByteArray& name)
{
    sockaddr_un address{};
    const socklen_t length = addressOf(name, address);
    serverFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (serverFd_ < 0)
        return false;
    if (::bind(serverFd_, reinterpret_cast<const sockaddr*>(&address), length) != 0 ||
        ::listen(serverFd_, 4) != 0) {
        ::close(serverFd_);
        serverFd_ = -1;
        return false;
    }
    notifier_ = new QSocketNotifier(serverFd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SingleInstance::answer);
    return true;
}

void SingleInstance::answer()
{
    while (true) {
        const int fd = ::accept4(serverFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            return;
        // The request is one byte; a caller that sends nothing within a moment is ignored.
        char request = 0;
        pollfd p{fd, POLLIN, 0};
        const bool asked = ::poll(&p, 1, 500) == 1 && ::recv(fd, &request, 1, 0) == 1;
        if (asked && request == 'a')
            ::send(fd, "a", 1, MSG_NOSIGNAL);
        ::close(fd);
        if (asked && request == 'a')
            Q_EMIT activationRequested();
    }
}

}  // namespace wexlo::platform
