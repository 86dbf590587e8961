#pragma once

// Our stand-ins for the services of the desktop. Each service is an interface with a real
// implementation; tests install doubles through the set...() functions (nullptr puts the real
// one back). Nothing here knows about the program above it.

#include "platform/ControlTable.h"  // twips(): every window sizes itself in twips

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace wexlo::platform {

// ---- Clock and sleep -------------------------------------------------------------------

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const;
    virtual QDateTime now() const;
    // Seconds on a clock that never goes backwards (not tied to the time of day).
    virtual double monotonicSeconds() const;
    // Suspends the thread; no window events run meanwhile, but the sleep worker (if any) does.
    virtual void sleepMs(int ms);
};

// Work that goes on while the thread sleeps (a running transfer moving its data). The worker
// waits at most ms milliseconds doing its work, and answers false, having waited nothing,
// when it has none. Registered by whoever owns such work; the clock knows only the hook.
using SleepWorker = std::function<bool(int ms)>;
void setSleepWorker(SleepWorker worker);

// ---- Event pump ------------------------------------------------------------------------

class EventPump {
public:
    virtual ~EventPump() = default;
    // Lets pending window events run once.
    virtual void processEvents();
    // True when keyboard or mouse input waits for the UI thread.
    virtual bool hasPendingInput() const;
};

// ---- The user's regional settings ------------------------------------------------------

class Locale {
public:
    virtual ~Locale() = default;
    virtual QLocale locale() const;  // QLocale::system(): LANG and LC_TIME
};

// ---- Mouse pointer ---------------------------------------------------------------------

enum class Pointer { Default, Busy };

class Mouse {
public:
    virtual ~Mouse() = default;
    virtual void setPointer(Pointer p);
    virtual Pointer pointer() const;

private:
    Pointer current_ = Pointer::Default;
};

// ---- Message boxes ---------------------------------------------------------------------

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgIcon { None, Information, Question, Warning, Critical };
enum class MsgAnswer { Ok, Cancel, Yes, No, Retry };

struct MessageRequest {
    QWidget* owner = nullptr;
    QString text;
    QString title;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    bool systemModal = false;
};

class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual MsgAnswer show(const MessageRequest& request);
};

// ---- Shell: opening addresses and starting programs ------------------------------------

class Shell {
public:
    virtual ~Shell() = default;
    // Opens a web address, a mailto: link or a local file with the desktop's default handler.
    // Throws RuntimeError when the request cannot be made at all.
    virtual bool open(const QString& address);
    // Starts a program without waiting for it; false when it could not be started.
    virtual bool startProgram(const QString& program, const QStringList& arguments,
                              const QString& workingFolder);
};

// ---- System metrics and the system's name ----------------------------------------------

class SystemMetrics {
public:
    virtual ~SystemMetrics() = default;
    virtual int captionHeight() const;  // pixels of a window's title bar
    virtual int menuHeight() const;     // pixels of a one-line menu bar
    virtual int logicalDpi() const;     // for twips conversion
    // The system's product name and version, e.g. "Debian GNU/Linux 12 (bookworm)".
    virtual QString productName() const;
};

// ---- Registry --------------------------------------------------------------------------

Clock& clock();
EventPump& eventPump();
Locale& locale();
Mouse& mouse();
MessageBox& messageBox();
Shell& shell();
SystemMetrics& systemMetrics();

void setClock(Clock* c);
void setEventPump(EventPump* p);
void setLocale(Locale* l);
void setMouse(Mouse* m);
void setMessageBox(MessageBox* m);
void setShell(Shell* s);
void setSystemMetrics(SystemMetrics* s);

// Convenience for the common case: a message box owned by a window.
MsgAnswer message(QWidget* owner, const QString& text, const QString& title,
                  MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None);

// The locale's time separator (":" in most locales), read from its short time format.
QString timeSeparator(const QLocale& locale);

}  // namespace wexlo::platform
