#pragma once

// Doubles of the platform layer. Every WexloTest (WexloTest.h) installs them and puts the
// real services back afterwards.

#include "platform/FileSystem.h"
#include "platform/Platform.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>

#include <deque>
#include <functional>
#include <map>

namespace wexlo::test {

// A clock that stands still until told otherwise; sleeping advances it and is recorded.
class FakeClock : public platform::Clock {
public:
    QDateTime current{QDate(2026, 3, 7), QTime(14, 2, 51)};
    double monotonic = 1000.0;
    QList<int> sleeps;
    // Called after each sleep (e.g. to stop a loop); may be empty.
    std::function<void(int)> onSleep;

    QDate today() const override { return current.date(); }
    QDateTime now() const override { return current; }
    double monotonicSeconds() const override { return monotonic; }
    void sleepMs(int ms) override;
    void advance(double seconds);
};

// Counts yields; by default lets the real events run too, so GUI tests keep working.
class CountingEventPump : public platform::EventPump {
public:
    int yields = 0;
    int inputChecks = 0;
    bool pendingInput = true;
    bool runRealEvents = true;
    // Recorded sequence of "sleep N" / "yield" / "check" when the clock is a FakeClock.
    QStringList* trace = nullptr;

    void processEvents() override;
    bool hasPendingInput() const override;
};

class FixedLocale : public platform::Locale {
public:
    QLocale value{QLocale(QLocale::English, QLocale::UnitedStates)};
    QLocale locale() const override { return value; }
};

// Records every message box; answers from a script, else Ok (or No for a question).
class RecordingMessageBox : public platform::MessageBox {
public:
    QList<platform::MessageRequest> shown;
    std::deque<platform::MsgAnswer> answers;
    std::function<void(const platform::MessageRequest&)> onShow;

    platform::MsgAnswer show(const platform::MessageRequest& request) override;
    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
    QStringList texts() const;
};

class RecordingShell : public platform::Shell {
public:
    struct Start {
        QString program;
        QStringList arguments;
        QString folder;
    };
    QStringList opened;
    QList<Start> started;
    bool openResult = true;
    bool startResult = true;
    bool openThrows = false;

    bool open(const QString& address) override;
    bool startProgram(const QString& program, const QStringList& arguments,
                      const QString& folder) override;
};

class FixedMetrics : public platform::SystemMetrics {
public:
    int caption = 23;
    int menu = 20;
    int dpi = 96;
    QString product = QStringLiteral("Debian GNU/Linux 12 (bookworm)");
    int captionHeight() const override { return caption; }
    int menuHeight() const override { return menu; }
    int logicalDpi() const override { return dpi; }
    QString productName() const override { return product; }
};

// The real file layer with failures on request. A rule matches when the path ends with
// its key (e.g. "datalist.txt").
class FaultyFileSystem : public platform::FileSystem {
public:
    std::map<QString, int> failRead;       // readAll throws this error number
    std::map<QString, int> failOpen;       // replace() throws
    std::map<QString, int> failWrite;      // the writer's write() throws
    std::map<QString, qint64> writeLimit;  // write() throws 61 after this many bytes
    std::map<QString, int> failCommit;     // commit() throws
    std::map<QString, int> failAppend;     // append() throws
    std::map<QString, int> failRemove;
    std::map<QString, bool> refuseWritable;  // makeWritable() answers false
    int commits = 0;

    QByteArray readAll(const QString& path) override;
    std::unique_ptr<platform::FileWriter> replace(const QString& path,
                                                  platform::FileAccess access) override;
    std::unique_ptr<platform::FileWriter> rewrite(const QString& path,
                                                  platform::FileAccess access) override;
    void append(const QString& path, const QByteArray& bytes) override;
    void remove(const QString& path) override;
    bool makeWritable(const QString& path) override;

    template <class V>
    static const V* find(const std::map<QString, V>& rules, const QString& path)
    {
        for (const auto& [key, value] : rules)
            if (path.endsWith(key))
                return &value;
        return nullptr;
    }
};

}  // namespace wexlo::test
