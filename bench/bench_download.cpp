// Downloading a 50 MB package from a loopback HTTP server: InternetSession::fetchFile, as the
// update download uses it, beside libcurl's easy interface in this process (the transfer alone,
// without the start of a curl process) against the same server, and the growth of our resident
// memory while it runs. GetFile cannot return before its first 150 ms poll, so the transfer control
// alone, writing the same download into a file, is timed too.

#include "platform/AppFolder.h"
#include "platform/Transfer.h"
#include "shared/internet/InternetSession.h"
#include "support/BenchUtil.h"

#include <curl/curl.h>
#include <httplib.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

using namespace wexlo;

namespace {

constexpr size_t kSize = 50u * 1024u * 1024u;

// A field of /proc/self/status in kB ("VmHWM", "VmRSS").
long statusKb(const char* field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Resets the peak so that VmHWM measures from here (Linux: writing 5 to clear_refs).
void resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    for (const char* v : {"http_proxy", "https_proxy", "all_proxy", "HTTPS_PROXY", "ALL_PROXY"})
        qunsetenv(v);
    QTemporaryDir dir;
    platform::setAppFolder(dir.path());

    std::string body(kSize, '\0');
    for (size_t i = 0; i < kSize; ++i)
        body[i] = static_cast<char>((i * 7919u) >> 3);
    httplib::Server server;
    server.Get("/WexloUpd.exe", [&body](const httplib::Request&, httplib::Response& res) {
        // Streamed from the one copy, so that the server adds nothing to the memory measured.
        res.set_content_provider(body.size(), "application/octet-stream",
                                 [&body](size_t offset, size_t length, httplib::DataSink& sink) {
                                     sink.write(body.data() + offset,
                                                std::min<size_t>(length, 65536));
                                     return true;
                                 });
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread thread([&] { server.listen_after_bind(); });
    while (!server.is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    const QString url = QStringLiteral("http://127.0.0.1:%1/WexloUpd.exe").arg(port);
    const QString ours = dir.filePath(QStringLiteral("WexloUpd.exe"));
    const QString theirs = dir.filePath(QStringLiteral("curl.bin"));

    long growthKb = 0;
    bool whole = true;
    const double getFile = bench::bestMs(3, [&] {
        InternetSession inet;
        resetPeak();
        const long idle = statusKb("VmRSS");
        whole = inet.fetchFile(url, ours, true, false, false) &&
                QFileInfo(ours).size() == qint64(kSize) && whole;
        growthKb = std::max(growthKb, statusKb("VmHWM") - idle);
    });
    const double transfer = bench::bestMs(3, [&] {
        auto control = platform::createCurlTransfer();
        control->setBodyFile(ours, 1024);
        control->execute(url, QStringLiteral("GET"));
        // Driven as during GetFile's polls, which move the data while the thread sleeps.
        while (control->stillExecuting()) {
            platform::detail::serviceTransfersWhileSleeping(1);
            QCoreApplication::processEvents();
        }
        whole = control->bodySaved() && QFileInfo(ours).size() == qint64(kSize) && whole;
    });
    // The floor: one blocking easy transfer writing straight into the file.
    const QByteArray urlBytes = url.toUtf8();
    const QByteArray theirsBytes = QFile::encodeName(theirs);
    const double curl = bench::bestMs(3, [&] {
        FILE* out = std::fopen(theirsBytes.constData(), "wb");
        CURL* easy = curl_easy_init();
        curl_easy_setopt(easy, CURLOPT_URL, urlBytes.constData());
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, out);  // the default writer fwrites into it
        curl_easy_setopt(easy, CURLOPT_PROXY, "");
        whole = curl_easy_perform(easy) == CURLE_OK && whole;
        curl_easy_cleanup(easy);
        std::fclose(out);
        whole = QFileInfo(theirs).size() == qint64(kSize) && whole;
    });
    if (!whole)
        std::printf("a download did not arrive whole\n");
    bench::report("GetFile, 50 MB over loopback HTTP", getFile, "libcurl easy, in-process", curl,
                  "ms");
    bench::report("transfer control alone, same download", transfer, "libcurl easy, in-process",
                  curl, "ms");
    std::printf("%-44s %10.1f MB above idle (target < 20 MB)\n",
                "peak resident growth during GetFile", static_cast<double>(growthKb) / 1024.0);

    server.stop();
    thread.join();
    return whole ? 0 : 1;
}
