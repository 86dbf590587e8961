#pragma once

// Desktop notifications: the freedesktop notification service on the session bus. Where
// there is no session bus or no service on it, nothing is shown and nothing fails.

#include <QString>

#include <functional>

namespace wexlo::platform {

class Notifier {
public:
    virtual ~Notifier() = default;
    // Asks the service to show a notification without waiting for it; shown (later, from the
    // event loop) tells whether the service took it.
    virtual void notify(const QString& summary, const QString& body,
                        std::function<void(bool shown)> shown);
};

Notifier& notifier();
void setNotifier(Notifier* n);  // nullptr restores the real one

}  // namespace wexlo::platform
