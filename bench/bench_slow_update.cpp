// A package on a slow line: 260,000 bytes at 4,000 bytes a second (65 s), with the normal
// 61-second time-out, downloaded by the update window as "Download Only" does it, and signed by
// the maker. Prints how long it took and how often the progress shown moved; the baseline is the
// time the server needs to send the body. Pass a folder to keep pictures of the status line.
// Then a package that comes at once with a signature that trickles, a byte every 300 ms (each
// byte well within the transfer's time-out): the fetch must give up at its own bound, and the
// package must be refused and gone.

#include "app/Program.h"
#include "platform/AppFolder.h"
#include "platform/StatusBox.h"
#include "shared/internet/InternetSession.h"
#include "shared/updater/PackageSignature.h"
#include "shared/updater/UpdateWindow.h"
#include "support/BenchUtil.h"

#include <httplib.h>
#include <sodium.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

using namespace wexlo;

namespace {

constexpr size_t kSize = 260000;
constexpr size_t kPiece = 1000;  // four pieces a second
constexpr int kPauseMs = 250;

QByteArray raw(const unsigned char* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// The minisign signature file of body ("ED": Ed25519 over its BLAKE2b-512 hash).
std::string minisig(const std::string& body, const std::string& comment, const unsigned char* sk,
                    const unsigned char* id)
{
    unsigned char hash[crypto_generichash_BYTES_MAX];
    crypto_generichash(hash, sizeof hash, reinterpret_cast<const unsigned char*>(body.data()),
                       body.size(), nullptr, 0);
    unsigned char sig[crypto_sign_BYTES];
    crypto_sign_detached(sig, nullptr, hash, sizeof hash, sk);
    const QByteArray global = raw(sig, sizeof sig) + QByteArray::fromStdString(comment);
    unsigned char globalSig[crypto_sign_BYTES];
    crypto_sign_detached(globalSig, nullptr,
                         reinterpret_cast<const unsigned char*>(global.constData()),
                         static_cast<unsigned long long>(global.size()), sk);
    return "untrusted comment: bench\n" +
           (QByteArray("ED") + raw(id, 8) + raw(sig, sizeof sig)).toBase64().toStdString() +
           "\ntrusted comment: " + comment + "\n" +
           raw(globalSig, sizeof globalSig).toBase64().toStdString() + "\n";
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app::installProgramInfo();
    for (const char* v : {"http_proxy", "https_proxy", "all_proxy", "HTTPS_PROXY", "ALL_PROXY"})
        qunsetenv(v);
    const QString pictures = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    QTemporaryDir dir;
    platform::setAppFolder(dir.path());

    if (sodium_init() < 0)
        return 1;
    unsigned char pk[crypto_sign_PUBLICKEYBYTES], sk[crypto_sign_SECRETKEYBYTES], id[8];
    crypto_sign_keypair(pk, sk);
    randombytes_buf(id, sizeof id);
    PackageSignature::setPublicKeyForTests(
        QString::fromLatin1((QByteArray("Ed") + raw(id, 8) + raw(pk, sizeof pk)).toBase64()));

    std::string body(kSize, '\0');
    for (size_t i = 0; i < kSize; ++i)
        body[i] = static_cast<char>('A' + i % 26);
    std::atomic<bool> stopping{false};
    std::atomic<qint64> sendMs{0};
    httplib::Server server;
    const std::string sig = minisig(body, "version:1.00.0009", sk, id);
    server.Get("/pkg/WexloUpd.exe.minisig", [&](const httplib::Request&, httplib::Response& res) {
        res.set_content(sig, "text/plain");
    });
    server.Get("/pkg/WexloUpd.exe", [&](const httplib::Request&, httplib::Response& res) {
        auto sent = std::make_shared<QElapsedTimer>();
        sent->start();
        res.set_content_provider(
            body.size(), "application/octet-stream",
            [&, sent](size_t offset, size_t, httplib::DataSink& sink) {
                std::this_thread::sleep_for(std::chrono::milliseconds(kPauseMs));
                const size_t n = std::min(kPiece, body.size() - offset);
                if (stopping || !sink.write(body.data() + offset, n))
                    return false;
                if (offset + n == body.size())
                    sendMs = sent->elapsed();
                return true;
            });
    });
    std::atomic<int> trickled{0};
    server.Get("/fast/WexloUpd.exe", [&](const httplib::Request&, httplib::Response& res) {
        res.set_content(body, "application/octet-stream");
    });
    server.Get("/fast/WexloUpd.exe.minisig", [&](const httplib::Request&, httplib::Response& res) {
        res.set_content_provider(sig.size(), "text/plain",
                                 [&](size_t offset, size_t, httplib::DataSink& sink) {
                                     std::this_thread::sleep_for(std::chrono::milliseconds(300));
                                     if (stopping || !sink.write(sig.data() + offset, 1))
                                         return false;
                                     ++trickled;
                                     return true;
                                 });
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    const std::string base = "http://127.0.0.1:" + std::to_string(port);
    server.Get("/versions/WXLO_current.txt", [&](const httplib::Request&, httplib::Response& res) {
        res.set_content("1.00.0009\r\n" + base + "/pkg/WexloUpd.exe\r\n", "text/plain");
    });
    std::thread thread([&] { server.listen_after_bind(); });
    while (!server.is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(2));

    UpdateWindow window;
    const QString b = QString::fromStdString(base);
    const bool newer =
        window.checkForUpdate(false, b + QStringLiteral("/versions/WXLO_current.txt"), QString(),
                              QStringLiteral("WexloUpd.exe"), QString());
    int moves = 0;
    QString last;
    QObject::connect(window.internet(), &InternetSession::progressChanged,
                     [&](float, const QString& text) {
                         if (text != last)
                             ++moves;
                         last = text;
                     });
    // Pictures of the status line as the user sees it, every 15 seconds.
    QTimer picture;
    int shot = 0;
    QObject::connect(&picture, &QTimer::timeout, [&] {
        ++shot;
        if (!pictures.isEmpty())
            window.grab().save(pictures + QStringLiteral("/slow-download-%1s.png").arg(15 * shot));
        std::printf("%3d s: %s\n", 15 * shot, qPrintable(last));
        std::fflush(stdout);
    });
    picture.start(15000);
    QElapsedTimer took;
    took.start();
    const bool saved = newer && window.downloadPackage(dir.path() + QLatin1Char('/'),
                                                       QStringLiteral("WexloUpd.exe"),
                                                       b + QStringLiteral("/pkg/WexloUpd.exe"));
    const double seconds = static_cast<double>(took.elapsed()) / 1000.0;
    picture.stop();
    if (!pictures.isEmpty())
        window.grab().save(pictures + QStringLiteral("/slow-download-end.png"));
    const bool whole =
        saved && QFileInfo(dir.filePath(QStringLiteral("WexloUpd.exe"))).size() == qint64(kSize);
    std::printf("%s after %.1f s; the progress shown moved %d times; last: %s\n",
                whole ? "saved whole" : "NOT saved", seconds, moves, qPrintable(last));
    bench::report("260,000 bytes at 4,000 B/s, signed", seconds, "server's sending time",
                  static_cast<double>(sendMs) / 1000.0, "s", "(target: completes)");

    // The trickled signature.
    took.restart();
    const bool kept =
        window.downloadPackage(dir.path() + QLatin1Char('/'), QStringLiteral("WexloUpd.exe"),
                               b + QStringLiteral("/fast/WexloUpd.exe"));
    const double gaveUp = static_cast<double>(took.elapsed()) / 1000.0;
    const bool gone = !QFileInfo::exists(dir.filePath(QStringLiteral("WexloUpd.exe")));
    const bool bounded = !kept && gone && gaveUp < PackageSignature::kSignatureFetchSeconds + 15;
    std::printf(
        "signature a byte every 300 ms (%zu bytes): %s after %.1f s, %d bytes received; "
        "package %s\n",
        sig.size(), kept ? "ACCEPTED" : "refused", gaveUp, trickled.load(),
        gone ? "deleted" : "KEPT");
    bench::report("package refused, signature trickled", gaveUp, "the fetch's own bound",
                  double(PackageSignature::kSignatureFetchSeconds), "s",
                  "(target: refused within the bound)");

    stopping = true;
    server.stop();
    thread.join();
    return whole && bounded ? 0 : 1;
}
