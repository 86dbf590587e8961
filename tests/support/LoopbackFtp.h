#pragma once

// pyftpdlib serving a folder anonymously on a free 127.0.0.1 port until it is destroyed.
// Header-only, like LoopbackHttp.h.

#include <QFile>
#include <QProcess>
#include <QString>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace wexlo::test {

class LoopbackFtp {
public:
    explicit LoopbackFtp(const QString& folder)
    {
        port_ = freePort();
        if (port_ == 0 || !QFile::exists(QStringLiteral("/usr/bin/python3")))
            return;
        proc_.start(QStringLiteral("/usr/bin/python3"),
                    {QStringLiteral("-m"), QStringLiteral("pyftpdlib"), QStringLiteral("-i"),
                     QStringLiteral("127.0.0.1"), QStringLiteral("-p"), QString::number(port_),
                     QStringLiteral("-d"), folder});
        if (!proc_.waitForStarted(3000))
            return;
        // Ready once the port answers; at most about three seconds.
        for (int i = 0; i < 300 && proc_.state() == QProcess::Running; ++i) {
            if (answers(port_)) {
                ready_ = true;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    ~LoopbackFtp()
    {
        proc_.kill();
        proc_.waitForFinished(2000);
    }
    LoopbackFtp(const LoopbackFtp&) = delete;
    LoopbackFtp& operator=(const LoopbackFtp&) = delete;

    bool ready() const { return ready_; }
    quint16 port() const { return port_; }
    QString why() { return QString::fromLocal8Bit(proc_.readAllStandardError()); }

private:
    static sockaddr_in loopback(quint16 port)
    {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(port);
        return a;
    }
    static quint16 freePort()
    {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a = loopback(0);
        socklen_t len = sizeof a;
        quint16 port = 0;
        if (::bind(fd, reinterpret_cast<sockaddr*>(&a), len) == 0 &&
            ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) == 0)
            port = ntohs(a.sin_port);
        ::close(fd);
        return port;
    }
    static bool answers(quint16 port)
    {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a = loopback(port);
        const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
        ::close(fd);
        return ok;
    }

    QProcess proc_;
    quint16 port_ = 0;
    bool ready_ = false;
};

}  // namespace wexlo::test
