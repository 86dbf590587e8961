// The transfer window over a scripted control: the control's error numbers, the order and
// throttle of reports, cancelling, and how applyProxy configures the control.

#include "support/WexloTest.h"

#include "platform/RuntimeError.h"
#include "platform/Transfer.h"
#include "shared/diagnostics/Logging.h"
#include "shared/internet/InternetSession.h"
#include "shared/internet/TransferWindow.h"
#include "shared/settings/Settings.h"

#include <QRegularExpression>
#include <QTimer>

#include <deque>
#include <utility>

namespace wexlo::test {
namespace {

// Plays a request as a list of state changes and chunks.
class ScriptedControl : public platform::Transfer {
public:
    QStringList calls;
    std::deque<QByteArray> chunks;
    QString length;       // the Content-Length header
    bool autoRun = true;  // deliver the states on the next turn of the event loop
    bool executing = false;
    int failChunkWith = 0;          // the error number the next getChunk raises, once
    std::function<void()> onChunk;  // runs at every getChunk
    std::deque<QByteArray> script;  // chunks refilled for every execute

    void execute(const QString& url, const QString& operation) override
    {
        calls << url + QLatin1Char('|') + operation;
        executing = true;
        chunks = script;
        if (autoRun)
            QTimer::singleShot(0, this, [this] { run(); });
    }
    void cancel() override
    {
        calls << QStringLiteral("cancel");
        executing = false;
    }
    QByteArray getChunk(int size) override
    {
        EXPECT_EQ(size, 1024);
        if (onChunk)
            onChunk();
        if (const int n = std::exchange(failChunkWith, 0))
            raiseError(n);
        if (chunks.empty())
            return {};
        QByteArray c = chunks.front();
        chunks.pop_front();
        return c;
    }
    QString getHeader(const QString& name) const override
    {
        return name == QLatin1String("Content-Length") ? length : QString();
    }
    QString responseInfo() const override { return QStringLiteral("scripted failure"); }
    bool stillExecuting() const override { return executing; }

    void run()
    {
        for (int s = Resolving; s <= Disconnected; ++s)
            Q_EMIT stateChanged(s);
        executing = false;
        Q_EMIT stateChanged(ResponseCompleted);
    }
};

class ScriptedTransfer : public WexloTest {
protected:
    void SetUp() override
    {
        WexloTest::SetUp();
        settings::resetForTests();
        settings::loadFile(appFile(QStringLiteral("Wexlo.ini")));
        platform::setTransferFactory([this](QObject*) {
            auto c = std::make_unique<ScriptedControl>();
            control_ = c.get();
            control_->script = {QByteArray(1024, 'a'), QByteArray(1024, 'b'), QByteArray(1024, 'c'),
                                QByteArray(1024, 'd'), QByteArray(1024, 'e')};
            return c;
        });
        inet_ = std::make_unique<InternetSession>();
        QObject::connect(inet_.get(), &InternetSession::statusChanged,
                         [this](const QString& t) { events_ << "S:" + t; });
        QObject::connect(inet_.get(), &InternetSession::progressChanged,
                         [this](float p, const QString& t) {
                             events_ << QStringLiteral("P:%1|%2").arg(p).arg(t);
                         });
        QObject::connect(inet_->window(), &TransferWindow::downloadFailed,
                         [this](const QString& t) { events_ << "E:" + t; });
    }
    void TearDown() override
    {
        inet_.reset();
        platform::setTransferFactory({});
        settings::resetForTests();
        WexloTest::TearDown();
    }
    QStringList errors() const { return events_.filter(QRegularExpression(QStringLiteral("^E:"))); }

    ScriptedControl* control_ = nullptr;
    std::unique_ptr<InternetSession> inet_;
    QStringList events_;
    const QString url_ = QStringLiteral("http://127.0.0.1:9/WexloUpd.exe");
};

TEST_F(ScriptedTransfer, StatusAndProgressArriveInOrderAtMostOnceAQuarterSecond)
{
    // Every chunk takes a tenth of a second: reports pass at 0.1 s and 0.4 s only.
    control_->onChunk = [this] { clock_.advance(0.1); };
    ASSERT_TRUE(inet_->fetchFile(url_, appFile("a.bin"), false, false, false));
    EXPECT_EQ(events_, (QStringList{"S:Resolving host", "S:Resolved host", "S:Connecting",
                                    "S:Connected", "S:Downloading", "S:Downloaded 1kb",
                                    "P:100|Downloaded 1kb", "S:Downloaded 4kb",
                                    "P:100|Downloaded 4kb", "S:Downloaded 5 kb (100%)"}));
    EXPECT_EQ(readBytes(appFile("a.bin")).size(), 5 * 1024);

    // With a size: "n kb of m kb"; the window's last report time carries over to this transfer.
    events_.clear();
    control_->length = QStringLiteral("5120");
    clock_.advance(1.0);
    ASSERT_TRUE(inet_->fetchFile(url_, appFile("b.bin"), true, false, false));
    EXPECT_EQ(events_.filter(QRegularExpression(QStringLiteral("^P:"))),
              (QStringList{"P:20|1 kb of 5 kb (20%)", "P:80|4 kb of 5 kb (80%)"}));
    EXPECT_EQ(inet_->expectedFileSize(), 5120);

    // The switches: no per-chunk reports, or nothing but the final text.
    events_.clear();
    clock_.advance(1.0);
    ASSERT_TRUE(inet_->fetchFile(url_, appFile("c.bin"), true, true, false));
    EXPECT_EQ(events_, (QStringList{"S:Resolving host", "S:Resolved host", "S:Connecting",
                                    "S:Connected", "S:Downloading", "S:Downloaded 5 kb (100%)"}));
    events_.clear();
    ASSERT_TRUE(inet_->fetchFile(url_, appFile("d.bin"), true, false, true));
    EXPECT_EQ(events_, (QStringList{"S:Downloaded 5 kb (100%)"}));
}

TEST_F(ScriptedTransfer, TheControlsErrorNumbersFailRetryOrTimeOut)
{
    control_->failChunkWith = err::TransferStillRunning;
    EXPECT_FALSE(inet_->fetchFile(url_, appFile("a.bin"), true, false, false));
    EXPECT_EQ(errors(), (QStringList{"E:Download failed. Please try again."}));
    EXPECT_TRUE(control_->calls.contains("cancel"));
    EXPECT_FALSE(QFile::exists(appFile("a.bin")));

    events_.clear();
    control_->failChunkWith = err::TransferTimedOut;
    EXPECT_FALSE(inet_->fetchFile(url_, appFile("a.bin"), true, false, false));
    EXPECT_EQ(errors(), (QStringList{"E:Download timed out. Please try again."}));

    // 35756: the request is cancelled and sent again, which then succeeds.
    events_.clear();
    control_->calls.clear();
    control_->failChunkWith = err::TransferUrlMalformed;
    EXPECT_TRUE(inet_->fetchFile(url_, appFile("a.bin"), true, false, false));
    EXPECT_EQ(control_->calls, (QStringList{url_ + "|GET", "cancel", url_ + "|GET"}));
    EXPECT_TRUE(errors().isEmpty());
    EXPECT_EQ(readBytes(appFile("a.bin")).size(), 5 * 1024);

    // State 11 carries the control's own text, as a status and as the error.
    events_.clear();
    control_->autoRun = false;
    QTimer::singleShot(0, control_,
                       [this] { Q_EMIT control_->stateChanged(platform::Transfer::Error); });
    EXPECT_FALSE(inet_->fetchFile(url_, appFile("a.bin"), true, false, false));
    EXPECT_EQ(events_, (QStringList{"S:scripted failure", "E:scripted failure"}));
}

TEST_F(ScriptedTransfer, FetchFileCancelsARunningRequestAndCancelMakesItFail)
{
    control_->executing = true;  // an earlier request still runs
    EXPECT_TRUE(inet_->fetchFile(url_, appFile("a.bin"), true, false, false));
    EXPECT_EQ(control_->calls.mid(0, 2), (QStringList{"cancel", url_ + "|GET"}));

    // The user cancels while the download runs: false, and the part already written goes.
    control_->autoRun = false;
    control_->calls.clear();
    events_.clear();
    QTimer::singleShot(0, control_, [this] {
        writeBytes(appFile("b.bin"), "partial");
        inet_->cancel();
    });
    EXPECT_FALSE(inet_->fetchFile(url_, appFile("b.bin"), true, false, false));
    EXPECT_FALSE(QFile::exists(appFile("b.bin")));
    EXPECT_EQ(control_->calls, (QStringList{url_ + "|GET", "cancel"}));
    EXPECT_EQ(events_, (QStringList{"P:0|Download cancelled"}));
    EXPECT_FALSE(inet_->window()->timeoutTimer()->isActive());
}

TEST_F(ScriptedTransfer, ApplyProxyConfiguresTheControlAndLogsIt)
{
    using settings::writeSetting;
    writeSetting(QStringLiteral("ProxyType"), 2);
    writeSetting(QStringLiteral("ProxyServer"), QStringLiteral("127.0.0.1"));
    writeSetting(QStringLiteral("ProxyPort"), QStringLiteral("3128"));
    writeSetting(QStringLiteral("proxyUser"), QStringLiteral("ann"));
    writeSetting(QStringLiteral("ProxyPwd"), QStringLiteral(" pw "));
    inet_->applyProxy();
    EXPECT_EQ(control_->accessType(), 2);
    EXPECT_EQ(control_->proxy(), "127.0.0.1:3128");
    EXPECT_EQ(control_->userName(), "ann");
    EXPECT_EQ(control_->password(), " pw ");  // as stored

    // A server without a port names no proxy; the credentials still go to the control.
    writeSetting(QStringLiteral("ProxyPort"), QString());
    inet_->applyProxy();
    EXPECT_EQ(control_->proxy(), QString());
    EXPECT_EQ(control_->userName(), "ann");

    // Type 0 leaves the proxy address alone; type 1 clears it; neither keeps credentials.
    writeSetting(QStringLiteral("ProxyPort"), QStringLiteral("3128"));
    inet_->applyProxy();
    writeSetting(QStringLiteral("ProxyType"), 0);
    inet_->applyProxy();
    EXPECT_EQ(control_->accessType(), 0);
    EXPECT_EQ(control_->proxy(), "127.0.0.1:3128");
    EXPECT_EQ(control_->userName(), QString());
    writeSetting(QStringLiteral("ProxyType"), 1);
    inet_->applyProxy();
    EXPECT_EQ(control_->accessType(), 1);
    EXPECT_EQ(control_->proxy(), QString());
    EXPECT_EQ(control_->password(), QString());

    logging::writeRecentActions();
    const QString log = logText();
    for (const char* line : {"Proxy set to: 2 127.0.0.1:3128", "Proxy set to: 2 \r\n",
                             "Proxy set to: 0 127.0.0.1:3128", "Proxy set to: 1 \r\n"})
        EXPECT_TRUE(log.contains(QString::fromLatin1(line))) << line << "\n" << log.toStdString();
    EXPECT_EQ(log.count(QStringLiteral("Proxy username/password set")), 3);
}

}  // namespace
}  // namespace wexlo::test
