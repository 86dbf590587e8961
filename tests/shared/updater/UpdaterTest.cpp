#include "WexloConfig.h"
#include "app/UpdateSchedule.h"
#include "platform/AppFolder.h"
#include "platform/Transfer.h"
#include "shared/dates/DateParser.h"
#include "shared/diagnostics/Logging.h"
#include "shared/settings/Settings.h"
#include "shared/updater/PackageSignature.h"
#include "shared/updater/UpdateWindow.h"
#include "support/WexloTest.h"
#include "support/LoopbackFtp.h"
#include "support/LoopbackHttp.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <httplib.h>
#include <sodium.h>

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

using namespace wexlo;

namespace {

// A signing key of the maker, made with libsodium, that signs as minisign does: Ed25519 over
// the BLAKE2b-512 hash of the package ("ED"), and over the signature and trusted comment.
class MakerKey {
public:
    MakerKey()
    {
        EXPECT_GE(sodium_init(), 0);
        crypto_sign_keypair(pk_, sk_);
        randombytes_buf(id_, sizeof id_);
    }
    // The key's base64 line, as `minisign -P` takes it.
    QString publicLine() const
    {
        QByteArray raw("Ed");
        raw.append(reinterpret_cast<const char*>(id_), sizeof id_);
        raw.append(reinterpret_cast<const char*>(pk_), sizeof pk_);
        return QString::fromLatin1(raw.toBase64());
    }
    std::string sign(const std::string& package, const std::string& trustedComment) const
    {
        unsigned char hash[crypto_generichash_BYTES_MAX];
        crypto_generichash(hash, sizeof hash,
                           reinterpret_cast<const unsigned char*>(package.data()), package.size(),
                           nullptr, 0);
        unsigned char sig[crypto_sign_BYTES];
        crypto_sign_detached(sig, nullptr, hash, sizeof hash, sk_);
        QByteArray line("ED");
        line.append(reinterpret_cast<const char*>(id_), sizeof id_);
        line.append(reinterpret_cast<const char*>(sig), sizeof sig);
        QByteArray global(reinterpret_cast<const char*>(sig), sizeof sig);
        global.append(trustedComment.data(), static_cast<qsizetype>(trustedComment.size()));
        unsigned char globalSig[crypto_sign_BYTES];
        crypto_sign_detached(globalSig, nullptr,
                             reinterpret_cast<const unsigned char*>(global.constData()),
                             static_cast<unsigned long long>(global.size()), sk_);
        return "untrusted comment: signature from the test's key\n" +
               line.toBase64().toStdString() + "\ntrusted comment: " + trustedComment + "\n" +
               QByteArray(reinterpret_cast<const char*>(globalSig), sizeof globalSig)
                   .toBase64()
                   .toStdString() +
               "\n";
    }

private:
    unsigned char pk_[crypto_sign_PUBLICKEYBYTES];
    unsigned char sk_[crypto_sign_SECRETKEYBYTES];
    unsigned char id_[8];
};

// A web server on 127.0.0.1 serving the version file, the details file and packages. What a
// path answers can be changed while it runs.
class UpdateServer : public test::LoopbackHttp {
public:
    enum class Mode { Whole, Chunked, CutOff };
    struct Reply {
        std::string body;
        int status = 200;
        std::string type = "text/plain";
        Mode mode = Mode::Whole;
        size_t announced = 0;  // CutOff: the Content-Length promised
    };

    UpdateServer()
    {
        server().Get(".*", [this](const httplib::Request& req, httplib::Response& res) {
            Reply r;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                ++hits_[req.path];
                const auto it = replies_.find(req.path);
                if (it == replies_.end()) {
                    res.status = 404;
                    res.set_content("<html><body>404 Not Found</body></html>", "text/html");
                    return;
                }
                r = it->second;
            }
            res.status = r.status;
            if (r.mode == Mode::Whole) {
                res.set_content(r.body, r.type);
            } else if (r.mode == Mode::Chunked) {
                auto body = std::make_shared<std::string>(r.body);
                res.set_chunked_content_provider(
                    r.type, [body](size_t offset, httplib::DataSink& sink) {
                        if (offset >= body->size()) {
                            sink.done();
                            return true;
                        }
                        const size_t n = std::min<size_t>(4096, body->size() - offset);
                        sink.write(body->data() + offset, n);
                        return true;
                    });
            } else {
                auto body = std::make_shared<std::string>(r.body);
                res.set_content_provider(
                    r.announced, r.type, [body](size_t offset, size_t, httplib::DataSink& sink) {
                        if (offset >= body->size())
                            return false;  // breaks the connection
                        const size_t n = std::min<size_t>(4096, body->size() - offset);
                        sink.write(body->data() + offset, n);
                        return true;
                    });
            }
        });
        start();
    }
    ~UpdateServer() { stop(); }  // before the replies go
    void serve(const std::string& path, const std::string& body, int status = 200,
               const char* type = "text/plain")
    {
        set(path, Reply{body, status, type, Mode::Whole, 0});
    }
    // A body sent in pieces with no Content-Length.
    void serveChunked(const std::string& path, size_t size)
    {
        set(path, Reply{std::string(size, 'x'), 200, "application/octet-stream", Mode::Chunked, 0});
    }
    // Announces size bytes but breaks the connection after sent bytes.
    void serveCutOff(const std::string& path, size_t size, size_t sent)
    {
        set(path,
            Reply{std::string(sent, 'x'), 200, "application/octet-stream", Mode::CutOff, size});
    }

    int hits(const std::string& path)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return hits_[path];
    }

private:
    void set(const std::string& path, Reply r)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        replies_[path] = std::move(r);
    }

    std::mutex mutex_;
    std::map<std::string, Reply> replies_;
    std::map<std::string, int> hits_;
};

class Updater : public test::WexloTest {
protected:
    void SetUp() override
    {
        WexloTest::SetUp();
        PackageSignature::setPublicKeyForTests(key_.publicLine());
        settings::resetForTests();
        settings::loadFile(appFile(QStringLiteral("Wexlo.ini")));
        window_ = std::make_unique<UpdateWindow>();
        statuses_ = std::make_unique<QSignalSpy>(window_.get(), &UpdateWindow::statusChanged);
        finished_ = std::make_unique<QSignalSpy>(window_.get(), &UpdateWindow::checkFinished);
    }
    void TearDown() override
    {
        finished_.reset();
        statuses_.reset();
        window_.reset();
        settings::resetForTests();
        PackageSignature::setPublicKeyForTests(std::nullopt);
        WexloTest::TearDown();
    }

    QString url(const char* path) const { return server_.base() + QString::fromLatin1(path); }
    bool check(bool quiet = false)
    {
        return window_->checkForUpdate(quiet, url("/versions/WXLO_current.txt"),
                                       url("/versions/WXLO_details.txt"),
                                       QStringLiteral("WexloUpd.exe"), QString());
    }
    void serveVersion(const std::string& firstLine,
                      const std::string& package = "/pkg/WexloUpd.exe")
    {
        server_.serve("/versions/WXLO_current.txt",
                      firstLine + "\r\n" + server_.base().toStdString() + package + "\r\n");
    }
    QStringList statuses() const
    {
        QStringList out;
        for (const QList<QVariant>& args : *statuses_)
            out.append(args.at(0).toString());
        return out;
    }
    // Serves the package's signature beside it, naming version in its trusted comment.
    void sign(const std::string& path, const std::string& body,
              const std::string& version = "1.00.0009")
    {
        server_.serve(
            path + ".minisig",
            key_.sign(body, "timestamp:1772841600\tfile:WexloUpd.exe\tversion:" + version));
    }
    void servePackage(const std::string& path, const std::string& body)
    {
        server_.serve(path, body, 200, "application/octet-stream");
        sign(path, body);
    }
    QString lastStatus() const { return statuses().isEmpty() ? QString() : statuses().last(); }
    // A control of the window, found by its object name.
    template <class W>
    W* control(const char* name) const
    {
        return window_->findChild<W*>(QString::fromLatin1(name));
    }
    QString result() const { return control<QLabel>("updateLabel")->text(); }
    QColor resultColour() const
    {
        return control<QLabel>("updateLabel")->palette().color(QPalette::WindowText);
    }
    QString savedPath() const { return appFile(QStringLiteral("WexloUpd.exe")); }

    MakerKey key_;
    UpdateServer server_;
    std::unique_ptr<UpdateWindow> window_;
    std::unique_ptr<QSignalSpy> statuses_;
    std::unique_ptr<QSignalSpy> finished_;
};

// ---- The check -------------------------------------------------------------------------

TEST_F(Updater, NewerVersionIsAnnouncedInGreenAndRecordedAsADateText)
{
    serveVersion("1.00.0009");
    EXPECT_TRUE(check());
    EXPECT_EQ(result(), QStringLiteral("Version 1.0.9 is available!"));
    EXPECT_EQ(resultColour(), QColor(0x00, 0x80, 0x00));
    EXPECT_EQ(settings::readSetting(QStringLiteral("LastUpdateCheck")).toText(),
              QStringLiteral("07/Mar/2026"));
    EXPECT_EQ(statuses().first(), QStringLiteral("Checking for update"));
    EXPECT_TRUE(statuses().contains(QStringLiteral("Data retrieved")));
    EXPECT_EQ(lastStatus(), QString());
    EXPECT_EQ(finished_->count(), 1);
    EXPECT_TRUE(control<QPushButton>("checkAgainButton")->isEnabled());
    EXPECT_EQ(window_->downloadUrl(), url("/pkg/WexloUpd.exe"));
}

TEST_F(Updater, SameVersionIsUpToDateAndRecordsTodaysDayNumber)
{
    serveVersion("1.00.0008");
    EXPECT_FALSE(check());
    EXPECT_EQ(result(), QStringLiteral("You're up to date!"));
    EXPECT_EQ(resultColour(), QColor(0xC0, 0x00, 0x00));
    EXPECT_EQ(lastStatus(), QStringLiteral("Latest available version is 1.0.8"));
    EXPECT_EQ(settings::readSetting(QStringLiteral("LastUpdateCheck")).toNumber(),
              dates::dayNumber(QDate(2026, 3, 7)));
    EXPECT_TRUE(
        logText().contains(QStringLiteral("Already up to date (Available version is 1.0.8)")));
}

TEST_F(Updater, ALetterMakesTheSameNumbersNewerAndTheAddressGetsTheVersion)
{
    serveVersion("1.00.0008a", "/pkg/WexloUpd@@@.exe");
    EXPECT_TRUE(check());
    EXPECT_EQ(result(), QStringLiteral("Version 1.0.8A is available!"));
    EXPECT_EQ(window_->downloadUrl(), url("/pkg/WexloUpd108a.exe"));
}

TEST_F(Updater, OneLineFileCannotBeRead)
{
    server_.serve("/versions/WXLO_current.txt", "1.00.0009\r\n");
    EXPECT_FALSE(check());
    EXPECT_EQ(result(), QStringLiteral("Could not read update status from file"));
    EXPECT_EQ(lastStatus(),
              QStringLiteral("Update check failed, could not read download filename"));
}

TEST_F(Updater, EmptyOrHtmlResponsesFailTheCheck)
{
    const QString failed = QStringLiteral("Update check failed. Visit ") +
                           QStringLiteral(WEXLO_MAKER_WEBSITE) +
                           QStringLiteral(" to update this program manually.");
    server_.serve("/versions/WXLO_current.txt", "  \r\n");
    EXPECT_FALSE(check());
    EXPECT_EQ(result(), QStringLiteral("Could not retrieve update status"));
    EXPECT_EQ(lastStatus(), failed);

    server_.serve("/versions/WXLO_current.txt", "<html><body>Not Found</body></html>", 404,
                  "text/html");
    EXPECT_FALSE(check());
    EXPECT_EQ(lastStatus(), failed);
    logging::writeRecentActions();
    EXPECT_TRUE(logText().contains(
        QStringLiteral("Could not retrieve information from the update server.")));
}

TEST_F(Updater, MissingTransferControlGivesItsOwnMessage)
{
    platform::setTransferFactory(
        [](QObject*) { return std::unique_ptr<platform::Transfer>(); });
    UpdateWindow window;
    platform::setTransferFactory(nullptr);
    QSignalSpy statuses(&window, &UpdateWindow::statusChanged);
    serveVersion("1.00.0009");
    EXPECT_FALSE(window.checkForUpdate(false, url("/versions/WXLO_current.txt"), QString(),
                                       QStringLiteral("WexloUpd.exe"), QString()));
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("updateLabel"))->text(),
              QStringLiteral("Could not retrieve update status"));
    EXPECT_EQ(statuses.last().at(0).toString(),
              QStringLiteral("The internet control (MSINET.OCX) is missing or outdated. Visit the "
                             "Runtimes page on ") +
                  QStringLiteral(WEXLO_MAKER_WEBSITE) +
                  QStringLiteral(" to download an updated version."));
    logging::writeRecentActions();
    EXPECT_TRUE(logText().contains(QStringLiteral("MSINET control is missing or outdated")));
}

TEST_F(Updater, QuietCheckAsksAndNoLeavesTheWindowHidden)
{
    serveVersion("1.00.0009");
    boxes_.answers.push_back(platform::MsgAnswer::No);
    EXPECT_TRUE(check(true));
    ASSERT_EQ(boxes_.shown.size(), 1);
    EXPECT_EQ(boxes_.lastText(),
              QStringLiteral("An update is available. Would you like to view the details now?"));
    EXPECT_EQ(boxes_.shown.last().buttons, platform::MsgButtons::YesNo);
    EXPECT_FALSE(window_->isVisible());
}

TEST_F(Updater, QuietCheckThatFindsNothingNewAsksNothing)
{
    serveVersion("1.00.0008");
    EXPECT_FALSE(check(true));
    EXPECT_TRUE(boxes_.shown.isEmpty());
    EXPECT_FALSE(window_->isVisible());
}

TEST_F(Updater, DetailsAreShownAndA404PageIsReplacedByAHint)
{
    server_.serve("/versions/WXLO_details.txt", "Fixed 404 crashes\nFaster start");
    serveVersion("1.00.0009");
    check();
    control<QPushButton>("showDetailsButton")->click();
    EXPECT_TRUE(control<QPlainTextEdit>("detailsBox")->isVisibleTo(window_.get()));
    EXPECT_EQ(control<QPlainTextEdit>("detailsBox")->toPlainText(),
              QStringLiteral("Fixed 404 crashes\nFaster start"));
    EXPECT_EQ(platform::mouse().pointer(), platform::Pointer::Default);

    server_.serve("/versions/WXLO_details.txt", "<html>404 Not Found</html>", 404, "text/html");
    control<QPushButton>("showDetailsButton")->click();
    EXPECT_EQ(control<QPlainTextEdit>("detailsBox")->toPlainText(),
              QStringLiteral("Unable to read data from server. Please check your internet settings "
                             "and try again."));
}

TEST_F(Updater, ClosingStoresTheCheckBoxAndSaysSo)
{
    QSignalSpy closed(window_.get(), &UpdateWindow::closed);
    window_->show();
    control<QCheckBox>("disableAutoCheckBox")->setChecked(false);
    control<QPushButton>("exitButton")->click();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(window_->isVisible());
    EXPECT_FALSE(
        settings::readSetting(QStringLiteral("DisableAutoUpdateCheck"), true).toBool());
}

// ---- The download ----------------------------------------------------------------------

TEST_F(Updater, DownloadOnlySavesThePackageAndSaysWhere)
{
    servePackage("/pkg/WexloUpd.exe", std::string(300000, 'p'));
    serveVersion("1.00.0009");
    check();
    control<QPushButton>("downloadButton")->click();
    EXPECT_EQ(QFileInfo(savedPath()).size(), 300000);
    EXPECT_EQ(boxes_.lastText(), QStringLiteral("File saved to ") + savedPath());
    EXPECT_TRUE(
        logText().contains(QStringLiteral("Trying to download ") + url("/pkg/WexloUpd.exe")));
    EXPECT_EQ(platform::mouse().pointer(), platform::Pointer::Default);
}

TEST_F(Updater, DownloadWithoutAnAddressRunsAQuietCheckFirst)
{
    server_.serve("/versions/WXLO_current.txt", "1.00.0009\r\n");  // no address yet
    check();
    ASSERT_TRUE(window_->downloadUrl().isEmpty());
    // The quiet check fails again: nothing to fetch.
    control<QPushButton>("downloadButton")->click();
    EXPECT_EQ(lastStatus(), QStringLiteral("Error - Download failed."));

    servePackage("/pkg/WexloUpd.exe", std::string(30000, 'p'));
    serveVersion("1.00.0009");
    boxes_.answers.push_back(platform::MsgAnswer::No);  // the quiet check's question
    control<QPushButton>("downloadButton")->click();
    EXPECT_EQ(window_->downloadUrl(), url("/pkg/WexloUpd.exe"));
    EXPECT_EQ(QFileInfo(savedPath()).size(), 30000);
}

TEST_F(Updater, PackageWithoutContentLengthIsAcceptedAndShowsPlainProgressText)
{
    server_.serveChunked("/pkg/WexloUpd.exe", 300000);
    sign("/pkg/WexloUpd.exe", std::string(300000, 'x'));
    serveVersion("1.00.0009");
    check();
    EXPECT_TRUE(window_->downloadPackage(platform::appFolder() + QLatin1Char('/'),
                                         QStringLiteral("WexloUpd.exe"), url("/pkg/WexloUpd.exe")));
    EXPECT_EQ(QFileInfo(savedPath()).size(), 300000);
}

TEST_F(Updater, AServerErrorPageIsDeletedAndReported)
{
    server_.serve("/pkg/WexloUpd.exe", "<HTML><BODY>404 File not found</BODY></HTML>", 404,
                  "text/html");
    EXPECT_FALSE(window_->downloadPackage(platform::appFolder() + QLatin1Char('/'),
                                          QStringLiteral("WexloUpd.exe"),
                                          url("/pkg/WexloUpd.exe")));
    EXPECT_EQ(lastStatus(), QStringLiteral("Error - File not found on server."));
    EXPECT_FALSE(QFile::exists(savedPath()));
}

TEST_F(Updater, PackagesBelow25000BytesAreRejectedSilently)
{
    server_.serve("/small", std::string(24999, 'p'), 200, "application/octet-stream");
    servePackage("/enough", std::string(25000, 'p'));
    serveVersion("1.00.0009");
    check();
    const QString folder = platform::appFolder() + QLatin1Char('/');
    statuses_->clear();
    EXPECT_FALSE(window_->downloadPackage(folder, QStringLiteral("WexloUpd.exe"), url("/small")));
    EXPECT_FALSE(QFile::exists(savedPath()));  // deleted unverified, nothing said
    EXPECT_TRUE(window_->downloadPackage(folder, QStringLiteral("WexloUpd.exe"), url("/enough")));
    EXPECT_EQ(QFileInfo(savedPath()).size(), 25000);
}

TEST_F(Updater, CutOffTransferNeverLeavesAPackage)
{
    server_.serveCutOff("/pkg/WexloUpd.exe", 300000, 100000);
    EXPECT_FALSE(window_->downloadPackage(platform::appFolder() + QLatin1Char('/'),
                                          QStringLiteral("WexloUpd.exe"),
                                          url("/pkg/WexloUpd.exe")));
    EXPECT_FALSE(QFile::exists(savedPath()));
    EXPECT_TRUE(lastStatus() == QStringLiteral("Error - Download failed.") ||
                lastStatus() ==
                    QStringLiteral("Error - Downloaded file is incomplete. Please retry"))
        << lastStatus().toStdString();
}

TEST_F(Updater, OnlyWebAndFtpAddressesAreFetchedBareFtpHostsToo)
{
    writeBytes(appFile(QStringLiteral("secret")), QByteArray(30000, 's'));
    const QString served = appFile(QStringLiteral("ftproot"));
    QDir().mkpath(served + QStringLiteral("/pub"));
    writeBytes(served + QStringLiteral("/pub/WexloUpd.exe"), QByteArray(30000, 'f'));
    // A package is kept only when signed for the newer version a check found.
    writeBytes(served + QStringLiteral("/pub/WexloUpd.exe.minisig"),
               QByteArray::fromStdString(key_.sign(std::string(30000, 'f'), "version:1.00.0009")));
    serveVersion("1.00.0009");
    ASSERT_TRUE(check());
    test::LoopbackFtp ftp(served);
    // "ftp.localhost" is the loopback address without asking any name server.
    const QString host = QStringLiteral("localhost:%1").arg(ftp.port());

    struct Case {
        QString address;
        bool fetched;
    };
    const Case cases[] = {
        {QStringLiteral("file://") + appFile(QStringLiteral("secret")), false},
        {QStringLiteral("ftpx://") + host + QStringLiteral("/pub/WexloUpd.exe"), false},
        {host + QStringLiteral("/pub/WexloUpd.exe"), false},
        {QStringLiteral("ftp.") + host + QStringLiteral("/pub/WexloUpd.exe"), true},
        {QStringLiteral("FTP.") + host + QStringLiteral("\\pub\\WexloUpd.exe"), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address.toStdString());
        if (c.fetched && !ftp.ready()) {
            ADD_FAILURE() << "pyftpdlib could not be started: " << ftp.why().toStdString();
            continue;
        }
        QFile::remove(savedPath());
        statuses_->clear();
        EXPECT_EQ(window_->downloadPackage(platform::appFolder() + QLatin1Char('/'),
                                           QStringLiteral("WexloUpd.exe"), c.address),
                  c.fetched);
        if (c.fetched) {
            EXPECT_EQ(readBytes(savedPath()), QByteArray(30000, 'f'));
        } else {
            EXPECT_EQ(lastStatus(), QStringLiteral("Error - Download failed."));
            EXPECT_FALSE(QFile::exists(savedPath()));
        }
    }
}

TEST_F(Updater, InstallAnsweredNoKeepsThePackageYesRaisesInstallFile)
{
    servePackage("/pkg/WexloUpd.exe", std::string(30000, 'p'));
    serveVersion("1.00.0009");
    check();
    QSignalSpy install(window_.get(), &UpdateWindow::installRequested);
    boxes_.answers.push_back(platform::MsgAnswer::No);
    control<QPushButton>("downloadInstallButton")->click();
    EXPECT_EQ(install.count(), 0);
    EXPECT_TRUE(QFile::exists(savedPath()));
    EXPECT_EQ(boxes_.lastText(), QStringLiteral("File saved to ") + savedPath());

    boxes_.answers.push_back(platform::MsgAnswer::Yes);
    control<QPushButton>("downloadInstallButton")->click();
    EXPECT_EQ(boxes_.shown.at(boxes_.shown.size() - 1).text,
              QStringLiteral("The update has been downloaded. Do you want to install it now?"));
    EXPECT_EQ(install.count(), 1);
    EXPECT_FALSE(window_->isVisible());
}

// A version file can hold an address of any length; the log gets only its beginning, marked.
TEST_F(Updater, ServerTextReachesTheLogCut)
{
    const std::string address = server_.base().toStdString() + "/pkg/" + std::string(1000000, 'a');
    server_.serve("/versions/WXLO_current.txt", "1.00.0009\r\n" + address + "\r\n");
    check();
    control<QPushButton>("downloadButton")->click();
    logging::writeRecentActions();
    const QString log = logText();
    EXPECT_LT(log.size(), 4000);
    EXPECT_TRUE(log.contains(QStringLiteral("Trying to download ") + server_.base() +
                             QStringLiteral("/pkg/aaa")));
    EXPECT_TRUE(
        log.contains(QStringLiteral("... [cut, %1 characters in all]").arg(address.size())));
}

// ---- The maker's signature -------------------------------------------------------------

// Signs with Debian's minisign program: proves the reader against the real tool.
struct ToolSignature {
    QString publicLine;
    std::string signature;
};
std::optional<ToolSignature> signWithMinisign(const QString& dir, const std::string& package,
                                              const QString& trustedComment)
{
    const QString tool = QStringLiteral("/usr/bin/minisign");
    if (!QFile::exists(tool))
        return std::nullopt;
    const auto run = [&](const QStringList& args) {
        QProcess p;
        p.start(tool, args);
        return p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit &&
               p.exitCode() == 0;
    };
    const QString pub = dir + QStringLiteral("/maker.pub");
    const QString sec = dir + QStringLiteral("/maker.key");
    const QString file = dir + QStringLiteral("/WexloUpd.exe");
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly) ||
        f.write(package.data(), qint64(package.size())) != qint64(package.size()))
        return std::nullopt;
    f.close();
    if (!run({"-G", "-W", "-f", "-p", pub, "-s", sec}) ||
        !run({"-S", "-s", sec, "-m", file, "-t", trustedComment}))
        return std::nullopt;
    QFile p(pub), s(file + QStringLiteral(".minisig"));
    if (!p.open(QIODevice::ReadOnly) || !s.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QList<QByteArray> lines = p.readAll().split('\n');
    if (lines.size() < 2)
        return std::nullopt;
    return ToolSignature{QString::fromLatin1(lines[1].trimmed()), s.readAll().toStdString()};
}

// Every package that is not the maker's, unchanged, for the newer version the check found, is
// refused with its reason, deleted, and never handed over; the maker's own is installed.
TEST_F(Updater, OnlyTheMakersSignedPackageForTheNewerVersionIsInstalled)
{
    const std::string package(30000, 'p');
    const std::string comment = "timestamp:1772841600\tfile:WexloUpd.exe\tversion:1.00.0009";
    MakerKey stranger;
    QTemporaryDir toolDir;
    const auto tool =
        signWithMinisign(toolDir.path(), package, QStringLiteral("version:1.00.0009"));
    if (!tool)
        ADD_FAILURE() << "minisign could not sign (is Debian's minisign installed?)";
    std::string commentChanged = key_.sign(package, comment);
    commentChanged.replace(commentChanged.find("1772841600"), 10, "1772841601");

    using V = PackageSignature::Verdict;
    struct Case {
        const char* name;
        std::string served;              // the package the server gives
        std::optional<std::string> sig;  // its .minisig, none for a 404
        std::optional<QString> key;      // the key built in, when not the fixture's
        V verdict;
    };
    const std::vector<Case> cases = {
        {"good, signed here with libsodium", package, key_.sign(package, comment), {}, V::Good},
        {"good, signed by the minisign tool", package, tool ? tool->signature : std::string(),
         tool ? tool->publicLine : QString(), V::Good},
        {"signed with another key", package, stranger.sign(package, comment), {}, V::OtherKey},
        {"package changed after signing",
         package + "!",
         key_.sign(package, comment),
         {},
         V::PackageChanged},
        {"trusted comment changed", package, commentChanged, {}, V::CommentChanged},
        {"signed for an older version",
         package,
         key_.sign(package, "version:1.00.0007"),
         {},
         V::WrongVersion},
        {"signed without a version",
         package,
         key_.sign(package, "timestamp:1772841600"),
         {},
         V::WrongVersion},
        {"version with a suffix", package, key_.sign(package, "version:1.00.0009-rc1"), {},
         V::WrongVersion},
        {"version with a tail", package, key_.sign(package, "version:1.00.0009x1"), {},
         V::WrongVersion},
        {"version with a fourth part", package, key_.sign(package, "version:1.00.0008.6"), {},
         V::WrongVersion},
        {"version with an exponent", package, key_.sign(package, "version:1.00.9e0"), {},
         V::WrongVersion},
        {"untrusted comment with a letter across 1,024 bytes", package,
         "untrusted comment: " + std::string(1004, 'u') + "\xc3\xa9" +
             key_.sign(package, comment).substr(key_.sign(package, comment).find('\n')),
         {}, V::Good},
        {"trusted comment that is not UTF-8", package,
         key_.sign(package, comment + "\tfile:\xe9t\xe9.deb"), {}, V::Good},
        {"no .minisig beside it", package, std::nullopt, {}, V::Missing},
        {"not a signature file", package, std::string(400, 'x'), {}, V::Missing},
        {"no key built in", package, key_.sign(package, comment), QString(), V::NoKey},
    };
    serveVersion("1.00.0009");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(savedPath());
        PackageSignature::setPublicKeyForTests(c.key ? *c.key : key_.publicLine());
        server_.serve("/pkg/WexloUpd.exe", c.served, 200, "application/octet-stream");
        if (c.sig)
            server_.serve("/pkg/WexloUpd.exe.minisig", *c.sig);
        else
            server_.serve("/pkg/WexloUpd.exe.minisig", "<html>404 Not Found</html>", 404,
                          "text/html");
        const int fetchedBefore = server_.hits("/pkg/WexloUpd.exe");
        ASSERT_TRUE(check());
        QSignalSpy install(window_.get(), &UpdateWindow::installRequested);
        boxes_.answers = {platform::MsgAnswer::Yes};
        boxes_.shown.clear();
        control<QPushButton>("downloadInstallButton")->click();
        if (c.verdict == V::Good) {
            EXPECT_EQ(install.count(), 1);
            EXPECT_EQ(readBytes(savedPath()), QByteArray::fromStdString(package));
            continue;
        }
        EXPECT_EQ(install.count(), 0);
        EXPECT_TRUE(boxes_.shown.isEmpty()) << boxes_.lastText().toStdString();
        EXPECT_FALSE(QFile::exists(savedPath()));
        EXPECT_EQ(lastStatus(), PackageSignature::refusal(c.verdict));
        // A build without a key does not even fetch the package.
        EXPECT_EQ(server_.hits("/pkg/WexloUpd.exe") - fetchedBefore, c.verdict == V::NoKey ? 0 : 1);
    }

    // An older or equal version on the server offers nothing to download.
    PackageSignature::setPublicKeyForTests(key_.publicLine());
    for (const char* older : {"1.00.0007", "1.00.0008"}) {
        SCOPED_TRACE(older);
        serveVersion(older);
        server_.serve("/pkg/WexloUpd.exe.minisig",
                      key_.sign(package, std::string("version:") + older));
        const int fetchedBefore = server_.hits("/pkg/WexloUpd.exe");
        EXPECT_FALSE(check());
        EXPECT_FALSE(control<QPushButton>("downloadButton")->isEnabled());
        EXPECT_FALSE(control<QPushButton>("downloadInstallButton")->isEnabled());
        window_->downloadPackageFrom(window_->downloadUrl());
        EXPECT_EQ(lastStatus(), QStringLiteral("Error - There is no newer version to download."));
        EXPECT_EQ(server_.hits("/pkg/WexloUpd.exe"), fetchedBefore);
    }
    serveVersion("1.00.0009");
    EXPECT_TRUE(check());
    EXPECT_TRUE(control<QPushButton>("downloadInstallButton")->isEnabled());
}

// ---- The schedule ----------------------------------------------------------------------

TEST_F(Updater, ScheduleIsOffByDefaultAndDueAfterSevenDays)
{
    EXPECT_TRUE(updateschedule::autoCheckDisabled());
    EXPECT_TRUE(logText().contains(QStringLiteral("Automatic update check is disabled")));
    settings::writeSetting(QStringLiteral("DisableAutoUpdateCheck"), false);
    EXPECT_FALSE(updateschedule::autoCheckDisabled());

    const auto today = static_cast<std::int32_t>(dates::dayNumber(QDate(2026, 3, 7)));
    EXPECT_TRUE(updateschedule::checkDue());  // never checked
    settings::writeSetting(QStringLiteral("LastUpdateCheck"), today - 6);
    EXPECT_FALSE(updateschedule::checkDue());
    settings::writeSetting(QStringLiteral("LastUpdateCheck"), today - 7);
    EXPECT_TRUE(updateschedule::checkDue());
    settings::writeSetting(QStringLiteral("LastUpdateCheck"), QStringLiteral("30/Jul/2006"));
    EXPECT_TRUE(updateschedule::checkDue());
    settings::writeSetting(QStringLiteral("LastUpdateCheck"), QStringLiteral("05/Mar/2026"));
    EXPECT_FALSE(updateschedule::checkDue());

    updateschedule::recordCheck();
    EXPECT_EQ(settings::readSetting(QStringLiteral("LastUpdateCheck")).toNumber(), today);
}

TEST_F(Updater, ServerComesFromTheCommandLineOrTheBuild)
{
    EXPECT_EQ(
        updateschedule::updateServer({QStringLiteral("wexlo"), QStringLiteral("--update-server"),
                                      QStringLiteral("http://127.0.0.1:8080/")}),
        QStringLiteral("http://127.0.0.1:8080"));
    EXPECT_EQ(updateschedule::updateServer({QStringLiteral("wexlo")}),
              QStringLiteral(WEXLO_UPDATE_SERVER));
    EXPECT_EQ(updateschedule::versionFileUrl(QStringLiteral("http://h")),
              QStringLiteral("http://h/versions/WXLO_current.txt"));
}

}  // namespace
