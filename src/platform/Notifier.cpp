#include "platform/Notifier.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFile>
#include <QStringList>
#include <QVariantMap>

namespace wexlo::platform {

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
}

void Notifier::notify(const QString& summary, const QString& body,
                      std::function<void(bool shown)> shown)
{
    auto report = [&shown](bool ok) {
        if (shown)
            shown(ok);
    };
    // Without a session bus's address libdbus would try to launch a bus of its own.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") &&
        (runtime.isEmpty() || !QFile::exists(runtime + QStringLiteral("/bus")))) {
        report(false);
        return;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        report(false);
        return;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, QStringLiteral("/org/freedesktop/Notifications"),
                                       kService, QStringLiteral("Notify"));
    call << QCoreApplication::applicationName() << uint(0) << QStringLiteral("dialog-information")
         << summary << body << QStringList() << QVariantMap() << int(-1);
    // A desktop whose service starts on demand gets it started, as notify-send would; one
    // without any answers with an error, and nothing is shown.
    auto* watcher =
        new QDBusPendingCallWatcher(bus.asyncCall(call, 5000), QCoreApplication::instance());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [watcher, shown = std::move(shown)] {
                         const bool ok = !watcher->isError();
                         watcher->deleteLater();
                         if (shown)
                             shown(ok);
                     });
}

namespace {
Notifier* current = nullptr;
Notifier& real()
{
    static Notifier n;
    return n;
}
}  // namespace

Notifier& notifier() { return current != nullptr ? *current : real(); }

void setNotifier(Notifier* n) { current = n; }

}  // namespace wexlo::platform
