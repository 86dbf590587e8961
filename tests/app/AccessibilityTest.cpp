// What a screen reader reads: every control that shows a value, read through Qt's
// accessibility interfaces as the desktop's bridge reads it, and the events that announce a
// change so that a new value is spoken.
//
// Qt hands out its events only while a screen reader's bus is up (not on the offscreen
// platform); tests/tools/with-a11y-bus.sh runs this test on Xvfb with the desktop's
// accessibility bus, where the events are checked too (and must arrive when WEXLO_A11Y_BUS is
// set).

#include "MainWindowFixture.h"
#include "app/MainWindowAccess.h"
#include "platform/ClickLabel.h"
#include "platform/StatusBox.h"
#include "shared/dates/DateEntryDialog.h"
#include "shared/dates/DateFormat.h"
#include "shared/settings/Settings.h"
#include "shared/ui/AboutDialog.h"
#include "shared/ui/Progress.h"
#include "shared/ui/SplashWindow.h"
#include "shared/updater/UpdateWindow.h"
#include "support/LoopbackHttp.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace wexlo::test {
namespace {

struct Announced {
    QObject* object;
    QAccessible::Event type;
    QVariant value;
};

std::vector<Announced>& announced()
{
    static std::vector<Announced> events;
    return events;
}

// Stands where the desktop's accessibility bridge receives Qt's events.
void recordEvent(QAccessibleEvent* event)
{
    QVariant value;
    if (event->type() == QAccessible::ValueChanged)
        value = static_cast<QAccessibleValueChangeEvent*>(event)->value();
    announced().push_back({event->object(), event->type(), value});
}

// The version file on a loopback server; its first line can change between checks.
class VersionServer : public LoopbackHttp {
public:
    VersionServer()
    {
        server().Get(
            "/versions/WXLO_current.txt", [this](const httplib::Request&, httplib::Response& res) {
                std::lock_guard<std::mutex> lock(mutex_);
                res.set_content(version_ + "\r\n" + base().toStdString() + "/pkg/WexloUpd.exe\r\n",
                                "text/plain");
            });
        start();
    }
    ~VersionServer() { stop(); }
    void setVersion(std::string v)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        version_ = std::move(v);
    }

private:
    std::mutex mutex_;
    std::string version_ = "1.00.0009";
};

class Accessibility : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        announced().clear();
        previous_ = QAccessible::installUpdateHandler(recordEvent);
    }
    void TearDown() override
    {
        QAccessible::installUpdateHandler(previous_);
        announced().clear();
        MainWindowFixture::TearDown();
    }

    // The caption that names a control, as the bridge finds it (labelled-by).
    static QString captionOf(QAccessibleInterface* iface)
    {
        const auto labels = iface->relations(QAccessible::Label);
        return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
    }
    static bool wasAnnounced(QObject* object, QAccessible::Event type)
    {
        for (const Announced& a : announced())
            if (a.object == object && a.type == type)
                return true;
        return false;
    }

    QAccessible::UpdateHandler previous_ = nullptr;
};

TEST_F(Accessibility, EveryValueIsReadAndEveryChangeAnnounced)
{
    clock_.current = QDateTime(QDate(2026, 12, 8), QTime(9, 0));
    locale_.value = QLocale(QLocale::English, QLocale::UnitedKingdom);
    writeBytes(appFile(QStringLiteral("datalist.txt")),
               "DATE:2006-07-30\r\nLENTTO:Anna\r\nITEM:Drill\r\nPHONE:\r\nADDRESS:\r\n"
               "DATE:2026-08-12\r\nLENTTO:Bob\r\nITEM:Saw\r\nPHONE:\r\nADDRESS:\r\n");
    win_ = std::make_unique<MainWindow>();
    MainWindow& w = *win_;
    w.show();
    // The bridge to the accessibility bus comes up shortly after the first window.
    const bool busUp = QTest::qWaitFor([] { return QAccessible::isActive(); },
                                       qEnvironmentVariableIsSet("WEXLO_A11Y_BUS") ? 10000 : 0);
    if (qEnvironmentVariableIsSet("WEXLO_A11Y_BUS")) {
        ASSERT_TRUE(busUp) << "the accessibility bus did not come up";
    }

    settings::loadFile(appFile(QStringLiteral("Wexlo.ini")));
    VersionServer server;
    UpdateWindow updater;
    auto check = [&](const char* version) {
        server.setVersion(version);
        updater.checkForUpdate(false, server.base() + QStringLiteral("/versions/WXLO_current.txt"),
                               QString(), QStringLiteral("WexloUpd.exe"), QString());
    };
    SplashWindow splash;
    AboutDialog about(
        &w, AboutDialog::parseProducts(QStringLiteral("Shelfy|shelfy.html|Keeps your shelves")));
    DateEntryDialog dialog(&w);
    dialog.setDefaultDate(QDate(2026, 12, 8));
    dialog.show();

    const struct Row {
        const char* what;
        QWidget* control;
        const char* caption;           // the label that names it, "" for none
        std::function<void()> change;  // what changes its value (none: read as it stands)
        QString name;                  // what a screen reader reads afterwards
        QString value;                 // its value text
        QAccessible::Role role;
        QAccessible::Event event;  // the announcement of the change
    } rows[] = {
        {"entry panel date",
         MainWindowAccess(w).dateLabel(),
         "Date:",
         [&] { w.showLoan(1); },
         QStringLiteral("30/07/2006"),
         {},
         QAccessible::StaticText,
         QAccessible::NameChanged},
        {"program line",
         updater.findChild<QLabel*>(QStringLiteral("programLabel")),
         "You have:",
         nullptr,
         QStringLiteral("Wexlo version 1.0.8"),
         {},
         QAccessible::StaticText,
         QAccessible::NameChanged},
        {"update result",
         updater.findChild<QLabel*>(QStringLiteral("updateLabel")),
         "Status:",
         [&] { check("1.00.0009"); },
         QStringLiteral("Version 1.0.9 is available!"),
         {},
         QAccessible::StaticText,
         QAccessible::NameChanged},
        {"status box, text",
         updater.findChild<platform::StatusBox*>(QStringLiteral("statusBox")),
         "",
         [&] { check("1.00.0008"); },
         QStringLiteral("Latest available version is 1.0.8"),
         {},
         QAccessible::StaticText,
         QAccessible::NameChanged},
        {"status box, text too long for its lines: read whole",
         updater.findChild<platform::StatusBox*>(QStringLiteral("statusBox")),
         "",
         [&] {
             progress::printCentered(
                 *updater.findChild<platform::StatusBox*>(QStringLiteral("statusBox")),
                 QStringLiteral("Update check failed. ").repeated(20), true);
         },
         QStringLiteral("Update check failed. ").repeated(20),
         {},
         QAccessible::StaticText,
         QAccessible::NameChanged},
        {"status box, download bar",
         updater.findChild<platform::StatusBox*>(QStringLiteral("statusBox")), "",
         [&] {
             progress::showProgress(
                 *updater.findChild<platform::StatusBox*>(QStringLiteral("statusBox")), 42, 100,
                 QString(), true, true);
         },
         QStringLiteral("42%"), QStringLiteral("42%"), QAccessible::ProgressBar,
         QAccessible::ValueChanged},
        {"splash status",
         splash.statusLabel(),
         "",
         [&] { splash.statusLabel()->setText(QStringLiteral("Starting up")); },
         QStringLiteral("Starting up"),
         {},
         QAccessible::StaticText,
         QAccessible::NameChanged},
        {"date dialog, composed date",
         dialog.findChild<QLabel*>(QStringLiteral("dateLabel")),
         "",
         [&] {
             dialog.fieldEdit(0)->setText(QStringLiteral("24"));
             dialog.fieldEdit(1)->setText(QStringLiteral("12"));
             dialog.yearEdit()->setText(QStringLiteral("2025"));
             QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("okButton")),
                               Qt::LeftButton);
         },
         QStringLiteral("24/12/2025"),
         {},
         QAccessible::StaticText,
         QAccessible::NameChanged},
        {"date dialog, field order",
         dialog.findChild<QLabel*>(QStringLiteral("formatLabel")),
         "",
         nullptr,
         QStringLiteral("DD/MM"),
         {},
         QAccessible::StaticText,
         QAccessible::NameChanged},
        {"About version line",
         about.findChild<QLabel*>(QStringLiteral("versionLabel")),
         "",
         nullptr,
         QStringLiteral("Wexlo 1.0.8 (Tracks items you lend to people)"),
         {},
         QAccessible::StaticText,
         QAccessible::NameChanged},
        {"About hint",
         about.findChild<QLabel*>(QStringLiteral("hintLabel")),
         "",
         [&] {
             QEvent enter(QEvent::Enter);  // the pointer over the first icon
             QCoreApplication::sendEvent(about.productIcons()[0], &enter);
         },
         QStringLiteral("Shelfy - Keeps your shelves"),
         {},
         QAccessible::StaticText,
         QAccessible::NameChanged},
        {"About PAD link",
         about.findChild<QLabel*>(QStringLiteral("padFilesLink")),
         "Webmasters:",
         nullptr,
         QStringLiteral("Get PAD files for all my software here"),
         {},
         QAccessible::StaticText,
         QAccessible::NameChanged},
    };

    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        announced().clear();
        if (r.change) {
            r.change();
            // Some announcements wait for the next turn of the event loop (one per change).
            const bool heard = QTest::qWaitFor([&] { return wasAnnounced(r.control, r.event); },
                                               busUp ? 5000 : 10);
            EXPECT_TRUE(heard || !busUp) << "no announcement";
        }
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(r.control);
        ASSERT_NE(iface, nullptr);
        EXPECT_EQ(iface->text(QAccessible::Name), r.name);
        EXPECT_EQ(iface->text(QAccessible::Value), r.value);
        EXPECT_EQ(iface->role(), r.role);
        EXPECT_EQ(captionOf(iface), QString::fromUtf8(r.caption));
    }

    // The bar's value through the value interface, as a progress bar is read.
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(
        updater.findChild<platform::StatusBox*>(QStringLiteral("statusBox")));
    ASSERT_NE(bar->valueInterface(), nullptr);
    EXPECT_EQ(bar->valueInterface()->currentValue().toDouble(), 42.0);
    EXPECT_EQ(bar->valueInterface()->maximumValue().toDouble(), 100.0);
    // A status cleared and printed again is one announcement of the new text, not two.
    announced().clear();
    progress::printCentered(*updater.findChild<platform::StatusBox*>(QStringLiteral("statusBox")),
                            QStringLiteral("Data retrieved"), true);
    QTest::qWait(50);
    if (busUp) {
        EXPECT_EQ(std::count_if(announced().begin(), announced().end(),
                                [&](const Announced& a) {
                                    return a.object == updater.findChild<platform::StatusBox*>(
                                                           QStringLiteral("statusBox"));
                                }),
                  1);
    }
    EXPECT_EQ(bar->role(), QAccessible::StaticText);
    EXPECT_EQ(bar->valueInterface(), nullptr);

    // The entry panel's date can be reached and pressed: a screen reader's "press" opens the
    // dialog as a click does.
    QAccessibleInterface* date =
        QAccessible::queryAccessibleInterface(MainWindowAccess(w).dateLabel());
    EXPECT_TRUE(date->state().focusable);
    ASSERT_NE(date->actionInterface(), nullptr);
    EXPECT_TRUE(
        date->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    bool opened = false;
    QTimer::singleShot(100, [&] {
        if (auto* d = qobject_cast<DateEntryDialog*>(QApplication::activeModalWidget())) {
            opened = true;
            d->reject();
        }
    });
    date->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(opened);
    // Captions keep their names.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(MainWindowAccess(w).dateCaption())
                  ->text(QAccessible::Name),
              QStringLiteral("Date:"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(
                  updater.findChild<QPushButton*>(QStringLiteral("checkAgainButton")))
                  ->text(QAccessible::Name),
              QStringLiteral("Check Again"));
}

}  // namespace
}  // namespace wexlo::test
