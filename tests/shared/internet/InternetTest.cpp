// Transfers against an HTTP server that the test runs on 127.0.0.1.

#include "support/LoopbackHttp.h"
#include "support/WexloTest.h"

#include "platform/Transfer.h"
#include "shared/internet/InternetSession.h"
#include "shared/internet/TransferWindow.h"
#include "shared/settings/Settings.h"

#include <httplib.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace wexlo::test {
namespace {

class HttpServer : public LoopbackHttp {
public:
    HttpServer() { start(); }
    // Serves bytes at path, with a Content-Length or chunked without one (in pieces of that
    // size, when given).
    void serve(const std::string& path, const std::string& body, bool withLength = true,
               int status = 200, size_t piece = 0)
    {
        server().Get(path, [body, withLength, status, piece](const httplib::Request&,
                                                             httplib::Response& res) {
            res.status = status;
            if (withLength) {
                res.set_content(body, "application/octet-stream");
                return;
            }
            res.set_chunked_content_provider(
                "application/octet-stream", [body, piece](size_t, httplib::DataSink& sink) {
                    const size_t step = piece ? piece : body.size();
                    for (size_t at = 0; at < body.size(); at += step)
                        sink.write(body.data() + at, std::min(step, body.size() - at));
                    sink.done();
                    return true;
                });
        });
    }
    // Answers with the request's Via header: what a proxy on the way added.
    void echoVia(const std::string& path)
    {
        server().Get(path, [](const httplib::Request& req, httplib::Response& res) {
            res.set_content("via:" + req.get_header_value("Via"), "text/plain");
        });
    }
    QString url(const char* path) const { return base() + QString::fromLatin1(path); }
};

// Without connect: a free port; with connect: whether a server accepts on port.
quint16 probePort(bool connect, quint16 port = 0)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(connect ? port : 0);
    socklen_t len = sizeof a;
    quint16 result = 0;
    if (connect) {
        result = ::connect(fd, reinterpret_cast<sockaddr*>(&a), len) == 0 ? 1 : 0;
    } else if (::bind(fd, reinterpret_cast<sockaddr*>(&a), len) == 0 &&
               ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) == 0) {
        result = ntohs(a.sin_port);
    }
    ::close(fd);
    return result;
}

// A server program the test starts on a free 127.0.0.1 port; ready once that port answers.
class ServerProcess {
public:
    ServerProcess() : port_(probePort(false)) {}
    ~ServerProcess()
    {
        proc_.kill();
        proc_.waitForFinished(2000);
    }
    bool ready() const { return ready_; }
    quint16 port() const { return port_; }
    QString why()
    {
        return QString::fromLocal8Bit(proc_.readAllStandardError() + proc_.readAllStandardOutput());
    }

protected:
    void start(const QString& program, const QStringList& arguments)
    {
        proc_.start(program, arguments);
        if (!proc_.waitForStarted(3000))
            return;
        for (int i = 0; i < 300 && proc_.state() == QProcess::Running; ++i) {
            if (probePort(true, port_)) {
                ready_ = true;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

private:
    QProcess proc_;
    quint16 port_;
    bool ready_ = false;
};

// pyftpdlib serving a folder anonymously.
class FtpServer : public ServerProcess {
public:
    explicit FtpServer(const QString& dir)
    {
        if (QFile::exists(QStringLiteral("/usr/bin/python3")))
            start(QStringLiteral("/usr/bin/python3"),
                  {QStringLiteral("-m"), QStringLiteral("pyftpdlib"), QStringLiteral("-i"),
                   QStringLiteral("127.0.0.1"), QStringLiteral("-p"), QString::number(port()),
                   QStringLiteral("-d"), dir});
    }
    QString url(const char* path) const
    {
        return QStringLiteral("ftp://127.0.0.1:%1%2").arg(port()).arg(QString::fromLatin1(path));
    }
};

// tinyproxy, optionally asking for Basic credentials.
class TinyProxy : public ServerProcess {
public:
    TinyProxy(const QString& dir, const QString& user = {}, const QString& password = {})
    {
        for (const char* p : {"/usr/bin/tinyproxy", "/usr/sbin/tinyproxy"})
            if (QFile::exists(QString::fromLatin1(p)))
                program_ = QString::fromLatin1(p);
        if (program_.isEmpty())
            return;
        QByteArray conf =
            "Port " + QByteArray::number(port()) +
            "\nListen 127.0.0.1\nTimeout 30\n"
            "MaxClients 8\nAllow 127.0.0.1\nLogLevel Critical\nViaProxyName \"tinyproxy\"\n";
        if (!user.isEmpty())
            conf += "BasicAuth " + user.toUtf8() + " " + password.toUtf8() + "\n";
        const QString path = dir + QStringLiteral("/tinyproxy.conf");
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(conf) != conf.size())
            return;
        f.close();
        start(program_, {QStringLiteral("-d"), QStringLiteral("-c"), path});
    }
    bool installed() const { return !program_.isEmpty(); }

private:
    QString program_;
};

std::string pattern(size_t n)
{
    std::string s(n, 'x');
    for (size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>('a' + i % 26);
    return s;
}

class InternetTest : public WexloTest {
protected:
    void SetUp() override
    {
        WexloTest::SetUp();
        for (const char* v : {"http_proxy", "https_proxy", "ftp_proxy", "HTTPS_PROXY", "all_proxy",
                              "ALL_PROXY", "no_proxy", "NO_PROXY"})
            qunsetenv(v);
    }
    void TearDown() override
    {
        platform::setTransferFactory({});
        WexloTest::TearDown();
    }
    void listen(InternetSession& inet)
    {
        QObject::connect(&inet, &InternetSession::statusChanged,
                         [this](const QString& t) { statuses_ << t; });
        QObject::connect(&inet, &InternetSession::progressChanged,
                         [this](float p, const QString& t) {
                             progress_ << QStringLiteral("%1|%2").arg(p).arg(t);
                         });
        QObject::connect(inet.window(), &TransferWindow::downloadFailed,
                         [this](const QString& t) { errors_ << t; });
    }
    QStringList statuses_, progress_, errors_;
};

TEST_F(InternetTest, OpenUrlDeliversStatesInOrderAndTheWholeText)
{
    HttpServer server;
    server.serve("/v.txt", pattern(1500));
    InternetSession inet;
    listen(inet);
    EXPECT_EQ(inet.fetchText(server.url("/v.txt"), true), QString::fromStdString(pattern(1500)));
    EXPECT_EQ(statuses_.mid(0, 5), (QStringList{"Resolving host", "Resolved host", "Connecting",
                                                "Connected", "Downloading"}));
    EXPECT_EQ(statuses_.value(5), "Downloaded 1kb");
    EXPECT_EQ(statuses_.last(), "Downloaded 1.46 kb (100%)");
    EXPECT_EQ(progress_.value(0), "100|Downloaded 1kb");
    EXPECT_FALSE(inet.isTransferring());
}

TEST_F(InternetTest, FetchFileWithSizeCountsRealBytes)
{
    HttpServer server;
    server.serve("/p.bin", pattern(300000));
    server.serve("/small.bin", pattern(1500));
    InternetSession inet;
    listen(inet);
    const QString target = appFile("p.bin");
    ASSERT_TRUE(inet.fetchFile(server.url("/p.bin"), target, true, false, false));
    EXPECT_EQ(readBytes(target), QByteArray::fromStdString(pattern(300000)));
    EXPECT_EQ(inet.expectedFileSize(), 300000);
    EXPECT_EQ(statuses_.last(), "Downloaded 292.97 kb (100%)");

    // The last, shorter chunk counts as what it holds: 1,500 bytes end at 100%, not 137%.
    statuses_.clear();
    QObject::connect(&inet, &InternetSession::statusChanged,
                     [this](const QString&) { clock_.advance(0.3); });
    ASSERT_TRUE(inet.fetchFile(server.url("/small.bin"), appFile("s.bin"), true, false, false));
    EXPECT_TRUE(statuses_.contains("1 kb of 1 kb (68%)")) << statuses_.join('\n').toStdString();
    EXPECT_TRUE(statuses_.contains("1 kb of 1 kb (100%)")) << statuses_.join('\n').toStdString();
    EXPECT_FALSE(statuses_.join('\n').contains("137"));
}

// A file download goes straight into the target; the reading step then passes over the saved
// body in the same chunks that reading it would have given, so its reports do not change.
TEST_F(InternetTest, ASavedBodyPassesAsTheChunksReadingWouldGive)
{
    // Every third chunk starts with NUL; the server writes in pieces that straddle chunk starts.
    std::string body = pattern(300000);
    for (size_t at = 0; at < body.size(); at += 3 * 1024)
        body[at] = '\0';
    HttpServer server;
    server.serve("/b.bin", body, false, 200, 777);
    server.serve("/nulfirst.bin", std::string(1, '\0') + pattern(2999));

    auto control = platform::createCurlTransfer();
    const QString target = appFile("b.bin");
    control->setBodyFile(target, 1024);
    control->execute(server.url("/b.bin"), QStringLiteral("GET"));
    QElapsedTimer waited;
    waited.start();
    while (control->stillExecuting() && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_TRUE(control->bodySaved());
    EXPECT_EQ(readBytes(target), QByteArray::fromStdString(body));
    EXPECT_TRUE(control->getChunk(1024).isEmpty());
    int chunks = 0;
    for (auto c = control->skipChunk(); c.length > 0; c = control->skipChunk(), ++chunks) {
        ASSERT_EQ(c.length, std::min<int>(1024, 300000 - chunks * 1024)) << chunks;
        ASSERT_EQ(c.startsWithNul, chunks % 3 == 0) << chunks;
    }
    EXPECT_EQ(chunks, 293);

    // A first chunk that starts with NUL holds the percentage at 0 until a chunk with text.
    InternetSession inet;
    listen(inet);
    QObject::connect(&inet, &InternetSession::statusChanged,
                     [this](const QString&) { clock_.advance(0.3); });
    ASSERT_TRUE(inet.fetchFile(server.url("/nulfirst.bin"), appFile("n.bin"), true, false, false));
    EXPECT_EQ(progress_, (QStringList{"0|1 kb of 3 kb (0%)", "68|2 kb of 3 kb (68%)",
                                      "100|3 kb of 3 kb (100%)", "100|3 kb of 3 kb (100%)"}));
    EXPECT_EQ(readBytes(appFile("n.bin")).size(), 3000);
}

TEST_F(InternetTest, EmptyChunkedNulAnd404Responses)
{
    HttpServer server;
    server.serve("/empty", "", false);
    std::string nul = "abc";
    nul.push_back('\0');
    nul += "def";
    server.serve("/nul", nul, false);
    server.serve("/missing", "<html>404 Not Found</html>", true, 404);
    InternetSession inet;
    listen(inet);
    ASSERT_TRUE(inet.fetchFile(server.url("/empty"), appFile("e.bin"), true, false, false));
    EXPECT_TRUE(QFile::exists(appFile("e.bin")));
    EXPECT_EQ(readBytes(appFile("e.bin")).size(), 0);
    EXPECT_EQ(statuses_.last(), "Downloaded 0 kb (100%)");

    ASSERT_TRUE(inet.fetchFile(server.url("/nul"), appFile("n.bin"), false, false, false));
    EXPECT_EQ(readBytes(appFile("n.bin")), QByteArray::fromStdString(nul));
    EXPECT_EQ(inet.fetchText(server.url("/nul"), false), "abc");

    EXPECT_EQ(inet.fetchText(server.url("/missing"), false), "<html>404 Not Found</html>");
    EXPECT_TRUE(inet.fetchFile(server.url("/missing"), appFile("m.htm"), true, true, true));
    EXPECT_TRUE(errors_.isEmpty());
}

TEST_F(InternetTest, OpenUrlRefusesAResponseAbove16MiBAsAFailedTransfer)
{
    const std::string big = pattern(16 * 1024 * 1024 + 1);
    HttpServer server;
    server.serve("/sized", big);
    server.serve("/chunked", big, false);
    server.serve("/limit", pattern(16 * 1024 * 1024));
    InternetSession inet;
    listen(inet);
    for (const char* path : {"/sized", "/chunked"}) {
        errors_.clear();
        EXPECT_EQ(inet.fetchText(server.url(path), false), QString()) << path;
        EXPECT_EQ(errors_.size(), 1) << path;
        EXPECT_FALSE(inet.isTransferring());
    }
    errors_.clear();
    EXPECT_EQ(inet.fetchText(server.url("/limit"), false).size(), 16 * 1024 * 1024);
    EXPECT_TRUE(errors_.isEmpty());
    // A file download has no such limit.
    EXPECT_TRUE(inet.fetchFile(server.url("/sized"), appFile("big.bin"), true, true, true));
    EXPECT_EQ(QFileInfo(appFile("big.bin")).size(), qint64(big.size()));
}

TEST_F(InternetTest, RefusedSchemeAndEmptyFtpHostFailAtOnce)
{
    InternetSession inet;
    listen(inet);
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(inet.fetchText(QStringLiteral("file:///etc/hostname"), false), QString());
    EXPECT_EQ(errors_.size(), 1);
    EXPECT_FALSE(
        inet.fetchFile(QStringLiteral("ftp:///pub/x.bin"), appFile("x.bin"), true, false, false));
    EXPECT_EQ(errors_.last(), "No address specified");
    EXPECT_FALSE(QFile::exists(appFile("x.bin")));
    EXPECT_LT(t.elapsed(), 5000);
}

TEST_F(InternetTest, FtpDownloadArrivesWholeAndMissingFileLeavesNothing)
{
    const QString dir = appFile("ftproot");
    QDir().mkpath(dir);
    writeBytes(dir + "/pub.bin", QByteArray::fromStdString(pattern(200000)));
    FtpServer server(dir);
    if (!server.ready())
        GTEST_SKIP() << "pyftpdlib could not be started with /usr/bin/python3: "
                     << server.why().toStdString();
    InternetSession inet;
    listen(inet);
    const QString target = appFile("got.bin");
    qint64 sizeAtFinish = -1;
    QObject::connect(inet.window(), &TransferWindow::downloadFinished,
                     [&] { sizeAtFinish = QFileInfo(target).size(); });
    ASSERT_TRUE(inet.fetchFile(server.url("/pub.bin"), target, false, false, false))
        << errors_.join('\n').toStdString();
    EXPECT_EQ(sizeAtFinish, 200000);
    EXPECT_EQ(readBytes(target), QByteArray::fromStdString(pattern(200000)));
    EXPECT_TRUE(errors_.isEmpty());

    const QString missing = appFile("none.bin");
    EXPECT_FALSE(inet.fetchFile(server.url("/nothere.bin"), missing, false, false, false));
    ASSERT_FALSE(errors_.isEmpty());
    // The server's own reason, not a generic text.
    EXPECT_TRUE(errors_.last().startsWith("550 ")) << errors_.last().toStdString();
    EXPECT_EQ(statuses_.last(), errors_.last());
    EXPECT_FALSE(QFile::exists(missing));
}

TEST_F(InternetTest, SilentServerTimesOutEachTickUntilTheTimerStops)
{
    // Accepts connections (the kernel completes them) and never answers.
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&a), len), 0);
    ASSERT_EQ(::listen(fd, 4), 0);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    const QString url = QStringLiteral("http://127.0.0.1:%1/x").arg(ntohs(a.sin_port));

    TransferWindow::setTimeoutForTests(20, 3);
    auto window = std::make_unique<TransferWindow>();
    TransferWindow::setTimeoutForTests(1000, 60);
    QStringList errors;
    QObject::connect(window.get(), &TransferWindow::downloadFailed,
                     [&](const QString& t) { errors << t; });
    window->startDownload(url, appFile("silent.bin"), false);
    QElapsedTimer t;
    t.start();
    while (errors.size() < 3 && t.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_GE(errors.size(), 3) << errors.join('\n').toStdString();
    EXPECT_EQ(errors.first(), "Transfer timed out");
    EXPECT_EQ(errors.count("Transfer timed out"), errors.size());

    window->timeoutTimer()->stop();
    const qsizetype seen = errors.size();
    t.restart();
    while (t.elapsed() < 100)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(errors.size(), seen);
    window->cancel();
    ::close(fd);
}

// Servers that behave like real ones on a poor line: a body in small pieces with pauses, one
// that falls silent, one that never ends, one longer than its Content-Length.
class TroublesomeServer : public LoopbackHttp {
public:
    static constexpr size_t kPiece = 1000;
    TroublesomeServer()
    {
        // 60 pieces, one every 50 ms: three seconds in all.
        server().Get("/trickle", [this](const httplib::Request&, httplib::Response& res) {
            res.set_content_provider(
                60 * kPiece, "application/octet-stream",
                [this](size_t offset, size_t, httplib::DataSink& sink) {
                    pause(50);
                    const std::string piece(kPiece, char('a' + offset / kPiece % 26));
                    return !stopping_ && sink.write(piece.data(), piece.size());
                });
        });
        // Ten pieces, then nothing more while the connection stays open.
        server().Get("/silent", [this](const httplib::Request&, httplib::Response& res) {
            res.set_content_provider(60 * kPiece, "application/octet-stream",
                                     [this](size_t offset, size_t, httplib::DataSink& sink) {
                                         if (offset >= 10 * kPiece) {
                                             pause(10000);
                                             return false;
                                         }
                                         const std::string piece(kPiece, 's');
                                         return sink.write(piece.data(), piece.size());
                                     });
        });
        // No Content-Length and no end, as fast as it goes (at most 200 MB).
        server().Get("/endless", [this](const httplib::Request&, httplib::Response& res) {
            res.set_chunked_content_provider("application/octet-stream",
                                             [this](size_t offset, httplib::DataSink& sink) {
                                                 static const std::string block(64 * 1024, 'e');
                                                 if (stopping_ || offset > 200u * 1024 * 1024)
                                                     return false;
                                                 return sink.write(block.data(), block.size());
                                             });
        });
        // Announces 30,000 bytes and sends 60,000.
        server().Get("/longer", [](const httplib::Request&, httplib::Response& res) {
            res.set_content_provider(30000, "application/octet-stream",
                                     [](size_t offset, size_t, httplib::DataSink& sink) {
                                         if (offset > 0)
                                             return false;
                                         const std::string body(60000, 'l');
                                         return sink.write(body.data(), body.size());
                                     });
        });
        start();
    }
    ~TroublesomeServer()
    {
        stopping_ = true;
        stop();
    }
    QString url(const char* path) const { return base() + QString::fromLatin1(path); }

private:
    // Sleeps in small steps so that the server can stop meanwhile.
    void pause(int ms)
    {
        for (int waited = 0; waited < ms && !stopping_; waited += 10)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::atomic<bool> stopping_{false};
};

// Files of the folder that this process still holds open after their name is gone: a
// transfer that goes on writing where nobody can see or take it.
QStringList openDeletedFilesUnder(const QString& folder)
{
    QStringList found;
    const QString root = QFileInfo(folder).canonicalFilePath();
    for (const QFileInfo& fd :
         QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::Files | QDir::System)) {
        char target[4096];
        const ssize_t n = ::readlink(QFile::encodeName(fd.absoluteFilePath()).constData(), target,
                                     sizeof target - 1);
        if (n <= 0)
            continue;
        const QString path = QString::fromLocal8Bit(target, n);
        if (path.startsWith(root) && path.endsWith(QStringLiteral(" (deleted)")))
            found << path;
    }
    return found;
}

TEST_F(InternetTest, SlowSilentEndlessAndOverlongBodiesOnlyTheSteadyOneCompletes)
{
    TroublesomeServer server;
    // 0.45 s without a sign of life is a time-out; the trickle lasts over six such periods.
    TransferWindow::setTimeoutForTests(50, 8);
    TransferWindow::setDownloadLimitForTests(2 * 1024 * 1024);
    InternetSession inet;
    TransferWindow::setTimeoutForTests(1000, 60);
    listen(inet);
    QObject::connect(&inet, &InternetSession::statusChanged,
                     [this](const QString&) { clock_.advance(0.3); });
    int shownWhileArriving = 0;
    QObject::connect(&inet, &InternetSession::progressChanged, [&](float, const QString& text) {
        if (inet.isTransferring() && text.endsWith(QStringLiteral("%)")))
            ++shownWhileArriving;
    });

    struct Case {
        const char* path;
        bool completes;
        const char* error;  // the first error raised
    };
    const Case cases[] = {
        {"/silent", false, "Transfer timed out"},
        {"/endless", false, "Maximum file size exceeded"},
        {"/longer", false, "The response is longer than its Content-Length"},
        // Last: the window has ended transfers before, as it has after an update check.
        {"/trickle", true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        errors_.clear();
        shownWhileArriving = 0;
        const QString target = appFile(QStringLiteral("WexloUpd.exe"));
        QElapsedTimer took;
        took.start();
        EXPECT_EQ(inet.fetchFile(server.url(c.path), target, true, false, false), c.completes)
            << errors_.join('\n').toStdString();
        EXPECT_LT(took.elapsed(), 20000);
        EXPECT_FALSE(inet.isTransferring());
        if (c.completes) {
            EXPECT_EQ(QFileInfo(target).size(), 60000);
            EXPECT_TRUE(errors_.isEmpty()) << errors_.join('\n').toStdString();
            EXPECT_GE(shownWhileArriving, 3);
            continue;
        }
        ASSERT_FALSE(errors_.isEmpty());
        EXPECT_EQ(errors_.first(), QString::fromLatin1(c.error));
        // Stopped at once: nothing under the name, nothing growing without one.
        EXPECT_FALSE(QFile::exists(target));
        EXPECT_EQ(openDeletedFilesUnder(home_.path()).join(QLatin1Char('\n')).toStdString(), "");
        EXPECT_EQ(QDir(home_.path()).entryList(QDir::Files), QStringList());
        QElapsedTimer later;
        later.start();
        while (later.elapsed() < 300)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        EXPECT_EQ(openDeletedFilesUnder(home_.path()).join(QLatin1Char('\n')).toStdString(), "");
    }
    TransferWindow::setDownloadLimitForTests(0);
}

// python3's https server with a certificate made here for 127.0.0.1, whose paths redirect.
class HttpsRedirector : public ServerProcess {
public:
    HttpsRedirector(const QString& dir, const QString& plainBase)
        : cert_(dir + QStringLiteral("/cert.pem"))
    {
        const QString key = dir + QStringLiteral("/key.pem");
        QProcess openssl;
        openssl.start(
            QStringLiteral("/usr/bin/openssl"),
            {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", cert_,
             "-days", "1", "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1"});
        if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0)
            return;
        static const char* script = R"(
import http.server, ssl, sys
port, cert, key, plain = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
class H(http.server.BaseHTTPRequestHandler):
    def log_message(self, *a): pass
    def do_GET(self):
        routes = {"/to-plain": plain + "/plain", "/to-ftp": "ftp://127.0.0.1:9/x",
                  "/to-secure": "https://127.0.0.1:%d/ok" % port}
        if self.path in routes:
            self.send_response(302)
            self.send_header("Location", routes[self.path])
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        body = b"secure ok"
        self.send_response(200)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)
ctx = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
ctx.load_cert_chain(cert, key)
srv = http.server.HTTPServer(("127.0.0.1", port), H)
srv.socket = ctx.wrap_socket(srv.socket, server_side=True)
srv.serve_forever()
)";
        start(QStringLiteral("/usr/bin/python3"),
              {QStringLiteral("-c"), QString::fromLatin1(script), QString::number(port()), cert_,
               key, plainBase});
    }
    QString cert() const { return cert_; }
    QString url(const char* path) const
    {
        return QStringLiteral("https://127.0.0.1:%1%2").arg(port()).arg(QString::fromLatin1(path));
    }

private:
    QString cert_;
};

// A redirect never leads from https to plain http or ftp, also when https is a later step.
TEST_F(InternetTest, RedirectsNeverLeaveHttps)
{
    HttpServer plain;
    std::atomic<int> plainHits{0};
    plain.server().Get("/plain", [&](const httplib::Request&, httplib::Response& res) {
        ++plainHits;
        res.set_content("plain reached", "text/plain");
    });
    HttpsRedirector secure(home_.path(), plain.base());
    if (!secure.ready())
        GTEST_SKIP() << "no https server (openssl and python3): " << secure.why().toStdString();
    plain.server().Get("/start", [&](const httplib::Request&, httplib::Response& res) {
        res.set_redirect(secure.url("/to-plain").toStdString());
    });
    platform::detail::setTrustedCertificatesForTests(secure.cert());
    InternetSession inet;
    listen(inet);
    struct Case {
        QString url;
        const char* text;
    };
    const Case cases[] = {
        {secure.url("/to-secure"), "secure ok"},  // https to https is followed
        {secure.url("/to-plain"), ""},
        {secure.url("/to-ftp"), ""},
        {plain.url("/start"), ""},  // http, then https, then http again
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url.toStdString());
        errors_.clear();
        EXPECT_EQ(inet.fetchText(c.url, false), QString::fromLatin1(c.text));
        EXPECT_EQ(errors_.isEmpty(), c.text[0] != '\0') << errors_.join('\n').toStdString();
    }
    EXPECT_EQ(plainHits, 0);
    platform::detail::setTrustedCertificatesForTests(QString());
}

TEST_F(InternetTest, ProxyTypesReachTheServerThroughTinyproxyOrDirectly)
{
    if (!QFile::exists("/usr/bin/tinyproxy") && !QFile::exists("/usr/sbin/tinyproxy"))
        GTEST_SKIP() << "tinyproxy is not installed";
    settings::resetForTests();
    settings::loadFile(appFile("Wexlo.ini"));
    using settings::writeSetting;
    HttpServer server;
    server.echoVia("/via");
    TinyProxy open(home_.path());
    QDir().mkpath(appFile("guarded"));
    TinyProxy guarded(appFile("guarded"), "ann", "s3cret");
    ASSERT_TRUE(open.ready()) << open.why().toStdString();
    ASSERT_TRUE(guarded.ready()) << guarded.why().toStdString();
    InternetSession inet;
    listen(inet);
    const auto fetch = [&] {
        inet.applyProxy();
        return inet.fetchText(server.url("/via"), false);
    };

    // Named proxy, without and with credentials.
    writeSetting("ProxyType", 2);
    writeSetting("ProxyServer", QStringLiteral("127.0.0.1"));
    writeSetting("ProxyPort", QString::number(open.port()));
    EXPECT_TRUE(fetch().contains("tinyproxy"));
    writeSetting("ProxyPort", QString::number(guarded.port()));
    EXPECT_FALSE(fetch().startsWith("via:")) << "the guarded proxy let a stranger through";
    writeSetting("proxyUser", QStringLiteral("ann"));
    writeSetting("ProxyPwd", QStringLiteral("s3cret"));
    EXPECT_TRUE(fetch().contains("tinyproxy"));
    ASSERT_TRUE(inet.fetchFile(server.url("/via"), appFile("via.txt"), true, true, true));
    EXPECT_TRUE(readBytes(appFile("via.txt")).contains("tinyproxy"));

    // Type 0 follows the proxy environment and its exceptions; type 1 ignores it.
    qputenv("http_proxy", QStringLiteral("http://127.0.0.1:%1").arg(open.port()).toLatin1());
    writeSetting("ProxyType", 0);
    EXPECT_TRUE(fetch().contains("tinyproxy"));
    qputenv("no_proxy", "127.0.0.1");
    EXPECT_EQ(fetch(), "via:");
    qunsetenv("no_proxy");
    writeSetting("ProxyType", 1);
    EXPECT_EQ(fetch(), "via:");
    qunsetenv("http_proxy");
    EXPECT_TRUE(errors_.isEmpty()) << errors_.join('\n').toStdString();
    settings::resetForTests();
}

TEST_F(InternetTest, MissingControlTakesTheNoInternetRoad)
{
    platform::setTransferFactory([](QObject*) { return std::unique_ptr<platform::Transfer>(); });
    InternetSession inet;
    int noInternet = 0;
    QObject::connect(&inet, &InternetSession::noInternet, [&] { ++noInternet; });
    inet.applyProxy();
    EXPECT_TRUE(inet.window()->isControlMissing());
    EXPECT_EQ(inet.fetchText(QStringLiteral("http://127.0.0.1:9/x"), true), QString());
    writeBytes(appFile("old.bin"), "old");
    EXPECT_TRUE(inet.fetchFile(QStringLiteral("http://127.0.0.1:9/x"), appFile("old.bin"), true,
                               false, false));
    EXPECT_FALSE(QFile::exists(appFile("old.bin")));
    EXPECT_EQ(noInternet, 2);
}

}  // namespace
}  // namespace wexlo::test
