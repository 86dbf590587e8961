#include "shared/diagnostics/Logging.h"

#include "platform/AppFolder.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "shared/diagnostics/ErrorHandler.h"

#include <array>

namespace wexlo::logging {

namespace {

struct State {
    QString logPath;
    std::array<QString, kRecentSlots + 1> actionText;  // slots 1..40; 0 unused
    std::array<QString, kRecentSlots + 1> actionTime;
    int currentSlot = 0;
};

State& state()
{
    static State s;
    return s;
}

QString timeOfDay()
{
    const QTime t = platform::clock().now().time();
    const QString sep = platform::timeSeparator(platform::locale().locale());
    auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    return two(t.hour()) + sep + two(t.minute()) + sep + two(t.second());
}

QString compose(const QString& message, const QString& procedure, const QString& module)
{
    QString text = message;
    if (!procedure.isEmpty())
        text += QStringLiteral(" in ") + procedure;
    if (!module.isEmpty())
        text += QStringLiteral(" of module ") + module;
    return text;
}

void store(const QString& text)
{
    State& s = state();
    s.actionText[s.currentSlot] = text;
    s.actionTime[s.currentSlot] = timeOfDay();
}

}  // namespace

void writeLine(const QString& text)
{
    State& s = state();
    // The error handler and the log stand under every other shared module, so they use the
    // platform alone: the folder path gets its slash, the text its UTF-8, as the file helpers do.
    if (s.logPath.isEmpty()) {
        const QString folder = platform::appFolder();
        s.logPath = folder +
                    (folder.isEmpty() || folder.endsWith(QLatin1Char('/')) ? QString()
                                                                           : QStringLiteral("/")) +
                    QStringLiteral("log.txt");
    }
    QString line = timeOfDay();
    // Print zones are 14 columns wide: the text starts in column 15.
    const int pad = 14 - static_cast<int>(line.size() % 14);
    line += QString(pad, QLatin1Char(' ')) + text + QStringLiteral("\r\n");
    platform::fileSystem().append(s.logPath, line.toUtf8());
}

void logError(const QString& message, const QString& procedure, const QString& module)
{
    State& s = state();
    s.currentSlot += 1;
    if (s.currentSlot > kRecentSlots) {
        // A failure while listing inside a handler is dropped: logging never stops the program.
        runSilent([] { writeRecentActions(); });
        s.currentSlot = 1;
    }
    store(compose(message, procedure, module));
}

void logDebug(const QString& message, const QString& procedure, const QString& module)
{
    State& s = state();
    s.currentSlot += 1;
    if (s.currentSlot > kRecentSlots)
        s.currentSlot = 1;
    store(QStringLiteral("DBG: ") + compose(message, procedure, module));
}

void writeRecentActions()
{
    State& s = state();
    writeLine(QStringLiteral("Listing last ") + QString::number(kRecentSlots) +
              QStringLiteral(" actions: "));
    int start = s.currentSlot + 1;
    if (start > kRecentSlots)
        start = 1;
    int counter = 0;
    auto listSlot = [&](int slot) {
        if (s.actionText[slot].isEmpty())
            return;
        counter += 1;
        writeLine(QStringLiteral(" >> ") + QString::number(counter) + QStringLiteral(": ") +
                  s.actionText[slot] + QStringLiteral(" - ") + s.actionTime[slot]);
    };
    for (int slot = start; slot <= kRecentSlots; ++slot)
        listSlot(slot);
    for (int slot = 1; slot < start && start != 1; ++slot)
        listSlot(slot);
    writeLine(QStringLiteral("End of actions list"));
}

QString logPath() { return state().logPath; }

void resetForTests() { state() = State{}; }

}  // namespace wexlo::logging
