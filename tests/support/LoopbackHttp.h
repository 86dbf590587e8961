#pragma once

// A cpp-httplib server on a free 127.0.0.1 port that answers from its own thread until it is
// destroyed. Header-only: only the test executables that link cpp-httplib include it.

#include <httplib.h>

#include <QString>

#include <chrono>
#include <thread>

namespace wexlo::test {

class LoopbackHttp {
public:
    LoopbackHttp() = default;
    LoopbackHttp(const LoopbackHttp&) = delete;
    LoopbackHttp& operator=(const LoopbackHttp&) = delete;
    ~LoopbackHttp() { stop(); }

    // Binds and starts answering; handlers may be added before or after.
    void start()
    {
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        while (!server_.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    // A subclass whose handlers use its own members stops the server in its destructor.
    void stop()
    {
        if (thread_.joinable()) {
            server_.stop();
            thread_.join();
        }
    }
    httplib::Server& server() { return server_; }
    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(port_); }

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
};

}  // namespace wexlo::test
