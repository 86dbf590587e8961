#include "platform/Platform.h"

#include "platform/RuntimeError.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QStyle>
#include <QSysInfo>
#include <QThread>
#include <QUrl>

#include <cmath>
#include <utility>

namespace wexlo::platform {

// ---- Real implementations --------------------------------------------------------------

QDate Clock::today() const { return QDate::currentDate(); }

QDateTime Clock::now() const { return QDateTime::currentDateTime(); }

double Clock::monotonicSeconds() const
{
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

namespace {
SleepWorker& sleepWorker()
{
    static SleepWorker worker;
    return worker;
}
}  // namespace

void setSleepWorker(SleepWorker worker) { sleepWorker() = std::move(worker); }

void Clock::sleepMs(int ms)
{
    if (ms > 0 && !(sleepWorker() && sleepWorker()(ms)))
        QThread::msleep(static_cast<unsigned long>(ms));
}

void EventPump::processEvents() { QCoreApplication::processEvents(); }

bool EventPump::hasPendingInput() const
{
    // Qt has no portable "input is waiting" query. Answering yes costs one processEvents()
    // with nothing to do, and keeps the window alive at the same rhythm.
    return true;
}

QLocale Locale::locale() const { return QLocale::system(); }

void Mouse::setPointer(Pointer p)
{
    if (p == current_)
        return;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        if (current_ != Pointer::Default)
            QGuiApplication::restoreOverrideCursor();
        if (p == Pointer::Busy)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    current_ = p;
}

Pointer Mouse::pointer() const { return current_; }

MsgAnswer MessageBox::show(const MessageRequest& r)
{
    QMessageBox box(r.owner);
    box.setWindowTitle(r.title);
    box.setText(r.text);
    switch (r.icon) {
        case MsgIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case MsgIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MsgIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case MsgIcon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case MsgIcon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
    }
    switch (r.buttons) {
        case MsgButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MsgButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MsgButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case MsgButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        case MsgButtons::RetryCancel:
            box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
            break;
    }
    if (r.systemModal)
        box.setWindowModality(Qt::ApplicationModal);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return MsgAnswer::Yes;
        case QMessageBox::No:
            return MsgAnswer::No;
        case QMessageBox::Cancel:
            return MsgAnswer::Cancel;
        case QMessageBox::Retry:
            return MsgAnswer::Retry;
        default:
            return r.buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
    }
}

bool Shell::open(const QString& address)
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        raiseError(err::ObjectNotSet);
    QUrl url = QUrl::fromUserInput(address);
    if (QFile::exists(address))
        url = QUrl::fromLocalFile(address);
    return QDesktopServices::openUrl(url);
}

bool Shell::startProgram(const QString& program, const QStringList& arguments,
                         const QString& workingFolder)
{
    return QProcess::startDetached(program, arguments, workingFolder);
}

int SystemMetrics::captionHeight() const
{
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return app->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    return 24;
}

int SystemMetrics::menuHeight() const
{
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        const int h = app->style()->pixelMetric(QStyle::PM_MenuBarItemSpacing) +
                      QFontMetrics(QApplication::font()).height() +
                      2 * app->style()->pixelMetric(QStyle::PM_MenuBarVMargin) +
                      2 * app->style()->pixelMetric(QStyle::PM_MenuBarPanelWidth) + 6;
        return h;
    }
    return 22;
}

int SystemMetrics::logicalDpi() const
{
    if (auto* screen = QGuiApplication::primaryScreen())
        return static_cast<int>(std::lround(screen->logicalDotsPerInch()));
    return 96;
}

QString SystemMetrics::productName() const { return QSysInfo::prettyProductName(); }

// ---- Registry --------------------------------------------------------------------------

namespace {
template <class T>
struct Slot {
    T real;
    T* current = nullptr;
    T& get() { return current != nullptr ? *current : real; }
};

// One slot per service, made on first use.
template <class T>
Slot<T>& slot()
{
    static Slot<T> s;
    return s;
}
}  // namespace

Clock& clock() { return slot<Clock>().get(); }
EventPump& eventPump() { return slot<EventPump>().get(); }
Locale& locale() { return slot<Locale>().get(); }
Mouse& mouse() { return slot<Mouse>().get(); }
MessageBox& messageBox() { return slot<MessageBox>().get(); }
Shell& shell() { return slot<Shell>().get(); }
SystemMetrics& systemMetrics() { return slot<SystemMetrics>().get(); }

void setClock(Clock* c) { slot<Clock>().current = c; }
void setEventPump(EventPump* p) { slot<EventPump>().current = p; }
void setLocale(Locale* l) { slot<Locale>().current = l; }
void setMouse(Mouse* m) { slot<Mouse>().current = m; }
void setMessageBox(MessageBox* m) { slot<MessageBox>().current = m; }
void setShell(Shell* s) { slot<Shell>().current = s; }
void setSystemMetrics(SystemMetrics* s) { slot<SystemMetrics>().current = s; }

MsgAnswer message(QWidget* owner, const QString& text, const QString& title, MsgButtons buttons,
                  MsgIcon icon)
{
    MessageRequest r;
    r.owner = owner;
    r.text = text;
    r.title = title;
    r.buttons = buttons;
    r.icon = icon;
    return messageBox().show(r);
}

QString timeSeparator(const QLocale& locale)
{
    const QString format = locale.timeFormat(QLocale::ShortFormat);
    bool inQuote = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            inQuote = !inQuote;
        else if (!inQuote && !c.isLetter() && !c.isSpace())
            return QString(c);
    }
    return QStringLiteral(":");
}

}  // namespace wexlo::platform
