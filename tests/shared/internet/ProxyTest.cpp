#include "platform/RuntimeError.h"
#include "shared/diagnostics/Logging.h"
#include "shared/internet/ProxyDialog.h"
#include "shared/settings/Settings.h"
#include "support/WexloTest.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace wexlo;
using settings::readSetting;
using settings::writeSetting;

namespace {

// A control of the dialog, found by its object name.
template <class W>
W* child(ProxyDialog& d, const char* name)
{
    return d.findChild<W*>(QString::fromLatin1(name));
}

class Proxy : public test::WexloTest {
protected:
    void SetUp() override
    {
        test::WexloTest::SetUp();
        settings::resetForTests();
        settings::loadFile(appFile(QStringLiteral("Wexlo.ini")));
    }
    void TearDown() override
    {
        settings::resetForTests();
        test::WexloTest::TearDown();
    }

    // Shows the dialog modally, as the update window does; the action plays the user.
    // Returns whether the dialog was still open when the action was done.
    bool run(const std::function<void(ProxyDialog&)>& act)
    {
        ProxyDialog dlg;
        bool open = false;
        QTimer::singleShot(0, &dlg, [&] {
            act(dlg);
            open = dlg.isVisible();
            if (open)
                dlg.reject();
        });
        dlg.exec();
        return open;
    }

    static QString text(const char* key)
    {
        return readSetting(QString::fromLatin1(key), QStringLiteral("<absent>")).toText();
    }
    static int type() { return readSetting(QStringLiteral("ProxyType"), -1).toNumber(); }

    static void retype(QLineEdit* field, const QString& value)
    {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, value);
    }

    static void storeManual()
    {
        writeSetting(QStringLiteral("ProxyType"), 2);
        writeSetting(QStringLiteral("ProxyServer"), QStringLiteral("proxy.lan"));
        writeSetting(QStringLiteral("ProxyPort"), QStringLiteral("3128"));
        writeSetting(QStringLiteral("ProxyUser"), QStringLiteral("ann"));
        writeSetting(QStringLiteral("ProxyPwd"), QStringLiteral("s3cret"));
    }
};

TEST_F(Proxy, ControlsCarryTheirCaptionsTipsAndMaskedPasswords)
{
    ProxyDialog dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Proxy Setup"));
    const struct {
        const char* name;
        QString caption, tip;
    } options[] = {
        {"manualOption", QStringLiteral("Manual Settings"),
         QStringLiteral("Allows you to specify proxy settings manually")},
        {"systemOption", QStringLiteral("System Default Proxy"),
         QStringLiteral("Uses your Internet Explorer settings")},
        {"noProxyOption", QStringLiteral("No Proxy"), QStringLiteral("Switches off the proxy")},
    };
    for (const auto& o : options) {
        auto* w = dlg.findChild<QRadioButton*>(QString::fromLatin1(o.name));
        ASSERT_NE(w, nullptr) << o.name;
        EXPECT_EQ(w->text(), o.caption);
        EXPECT_EQ(w->toolTip(), o.tip);
    }
    const std::pair<const char*, const char*> labels[] = {{"serverCaption", "Server:"},
                                                          {"portCaption", "Port:"},
                                                          {"passwordCaption", "Password:"},
                                                          {"userCaption", "User:"},
                                                          {"repeatCaption", "Enter Again:"}};
    for (const auto& [name, caption] : labels)
        EXPECT_EQ(dlg.findChild<QLabel*>(QString::fromLatin1(name))->text(),
                  QString::fromLatin1(caption));
    EXPECT_EQ(dlg.findChild<QGroupBox*>(QStringLiteral("settingsFrame"))->title(),
              QStringLiteral("Proxy Settings"));
    EXPECT_EQ(dlg.findChild<QPushButton*>(QStringLiteral("okButton"))->text(),
              QStringLiteral("OK"));
    EXPECT_EQ(dlg.findChild<QPushButton*>(QStringLiteral("cancelButton"))->text(),
              QStringLiteral("Cancel"));
    EXPECT_EQ(dlg.findChild<QPushButton*>(QStringLiteral("helpButton"))->text(),
              QStringLiteral("Help"));
    for (const char* name : {"serverEdit", "portEdit", "userEdit"})
        EXPECT_EQ(dlg.findChild<QLineEdit*>(QString::fromLatin1(name))->echoMode(),
                  QLineEdit::Normal)
            << name;
    for (const char* name : {"passwordEdit", "repeatPasswordEdit"})
        EXPECT_EQ(dlg.findChild<QLineEdit*>(QString::fromLatin1(name))->echoMode(),
                  QLineEdit::Password)
            << name;
}

TEST_F(Proxy, WithoutSettingsItOffersNoProxyAndOkStoresEmptyTexts)
{
    EXPECT_FALSE(run([](ProxyDialog& d) {
        EXPECT_TRUE(child<QRadioButton>(d, "noProxyOption")->isChecked());
        EXPECT_FALSE(child<QGroupBox>(d, "settingsFrame")->isVisible());
        for (QLineEdit* f : {child<QLineEdit>(d, "serverEdit"), child<QLineEdit>(d, "portEdit"),
                             child<QLineEdit>(d, "userEdit"), child<QLineEdit>(d, "passwordEdit"),
                             child<QLineEdit>(d, "repeatPasswordEdit")})
            EXPECT_TRUE(f->text().isEmpty()) << f->objectName().toStdString();
        QTest::mouseClick(child<QPushButton>(d, "okButton"), Qt::LeftButton);
    }));
    EXPECT_EQ(type(), 1);
    for (const char* key : {"ProxyServer", "ProxyPort", "ProxyUser", "ProxyPwd"})
        EXPECT_EQ(text(key), QString()) << key;
}

TEST_F(Proxy, ManualSettingsShowTheFieldsAndAreStoredAsTyped)
{
    run([](ProxyDialog& d) {
        QTest::mouseClick(child<QRadioButton>(d, "manualOption"), Qt::LeftButton);
        EXPECT_TRUE(child<QGroupBox>(d, "settingsFrame")->isVisible());
        QTest::keyClicks(child<QLineEdit>(d, "serverEdit"), QStringLiteral(" proxy.lan "));
        QTest::keyClicks(child<QLineEdit>(d, "portEdit"),
                         QStringLiteral("eighty"));  // no number check
        QTest::keyClicks(child<QLineEdit>(d, "userEdit"), QStringLiteral("Ann"));
        QTest::keyClicks(child<QLineEdit>(d, "passwordEdit"), QStringLiteral("Pa,ss"));
        QTest::keyClicks(child<QLineEdit>(d, "repeatPasswordEdit"), QStringLiteral("Pa,ss"));
        QTest::mouseClick(child<QPushButton>(d, "okButton"), Qt::LeftButton);
    });
    EXPECT_EQ(type(), 2);
    EXPECT_EQ(text("ProxyServer"), QStringLiteral(" proxy.lan "));
    EXPECT_EQ(text("ProxyPort"), QStringLiteral("eighty"));
    EXPECT_EQ(text("ProxyUser"), QStringLiteral("Ann"));
    EXPECT_EQ(text("ProxyPwd"), QStringLiteral("Pa,ss"));
}

TEST_F(Proxy, DifferentPasswordsAreRefusedAndTheDialogStaysOpen)
{
    storeManual();
    EXPECT_TRUE(run([this](ProxyDialog& d) {
        EXPECT_TRUE(child<QRadioButton>(d, "manualOption")->isChecked());
        EXPECT_TRUE(child<QGroupBox>(d, "settingsFrame")->isVisible());
        retype(child<QLineEdit>(d, "serverEdit"), QStringLiteral("other.lan"));
        retype(child<QLineEdit>(d, "passwordEdit"), QStringLiteral("New"));
        retype(child<QLineEdit>(d, "repeatPasswordEdit"),
               QStringLiteral("new"));  // letter case counts
        QTest::mouseClick(child<QPushButton>(d, "okButton"), Qt::LeftButton);
        ASSERT_EQ(boxes_.shown.size(), 1);
        EXPECT_EQ(boxes_.lastText(),
                  QStringLiteral("Your passwords don't match.  Please retype them."));
        EXPECT_EQ(boxes_.shown.last().title, QStringLiteral("Wexlo"));
        EXPECT_EQ(boxes_.shown.last().buttons, platform::MsgButtons::Ok);
        EXPECT_EQ(child<QLineEdit>(d, "serverEdit")->text(),
                  QStringLiteral("other.lan"));  // nothing typed is lost
    }));
    EXPECT_EQ(text("ProxyServer"), QStringLiteral("proxy.lan"));
    EXPECT_EQ(text("ProxyPwd"), QStringLiteral("s3cret"));

    // Corrected, it goes through.
    EXPECT_FALSE(run([](ProxyDialog& d) {
        retype(child<QLineEdit>(d, "passwordEdit"), QStringLiteral("New"));
        retype(child<QLineEdit>(d, "repeatPasswordEdit"), QStringLiteral("New"));
        QTest::mouseClick(child<QPushButton>(d, "okButton"), Qt::LeftButton);
    }));
    EXPECT_EQ(text("ProxyPwd"), QStringLiteral("New"));
}

TEST_F(Proxy, SystemDefaultKeepsTheManualFieldsForLater)
{
    storeManual();
    run([](ProxyDialog& d) {
        QTest::mouseClick(child<QRadioButton>(d, "systemOption"), Qt::LeftButton);
        EXPECT_FALSE(child<QGroupBox>(d, "settingsFrame")->isVisible());
        QTest::mouseClick(child<QPushButton>(d, "okButton"), Qt::LeftButton);
    });
    EXPECT_EQ(type(), 0);
    EXPECT_EQ(text("ProxyServer"), QStringLiteral("proxy.lan"));
    EXPECT_EQ(text("ProxyPort"), QStringLiteral("3128"));
    EXPECT_EQ(text("ProxyUser"), QStringLiteral("ann"));
    EXPECT_EQ(text("ProxyPwd"), QStringLiteral("s3cret"));

    run([](ProxyDialog& d) {
        EXPECT_TRUE(child<QRadioButton>(d, "systemOption")->isChecked());
        EXPECT_FALSE(child<QGroupBox>(d, "settingsFrame")->isVisible());
        QTest::mouseClick(child<QRadioButton>(d, "manualOption"), Qt::LeftButton);
        EXPECT_TRUE(child<QGroupBox>(d, "settingsFrame")->isVisible());
        EXPECT_EQ(child<QLineEdit>(d, "serverEdit")->text(), QStringLiteral("proxy.lan"));
        EXPECT_EQ(child<QLineEdit>(d, "repeatPasswordEdit")->text(), QStringLiteral("s3cret"));
    });
}

TEST_F(Proxy, CancelAndTheCloseBoxLeaveEverySettingAsItWas)
{
    storeManual();
    auto edit = [](ProxyDialog& d) {
        QTest::mouseClick(child<QRadioButton>(d, "noProxyOption"), Qt::LeftButton);
        retype(child<QLineEdit>(d, "serverEdit"), QStringLiteral("x"));
        retype(child<QLineEdit>(d, "passwordEdit"), QStringLiteral("y"));
        retype(child<QLineEdit>(d, "repeatPasswordEdit"), QStringLiteral("y"));
    };
    EXPECT_FALSE(run([&](ProxyDialog& d) {
        edit(d);
        QTest::mouseClick(child<QPushButton>(d, "cancelButton"), Qt::LeftButton);
    }));
    EXPECT_FALSE(run([&](ProxyDialog& d) {
        edit(d);
        d.close();
    }));
    EXPECT_FALSE(run([&](ProxyDialog& d) {
        edit(d);
        QTest::keyClick(child<QLineEdit>(d, "serverEdit"), Qt::Key_Escape);
    }));
    EXPECT_EQ(type(), 2);
    EXPECT_EQ(text("ProxyServer"), QStringLiteral("proxy.lan"));
    EXPECT_EQ(text("ProxyPwd"), QStringLiteral("s3cret"));
}

TEST_F(Proxy, UnknownOrUnreadableTypeChoosesNothingAndOkStoresNoProxy)
{
    writeSetting(QStringLiteral("ProxyType"), 7);
    writeSetting(QStringLiteral("ProxyServer"), QStringLiteral("kept.lan"));
    run([](ProxyDialog& d) {
        EXPECT_FALSE(child<QRadioButton>(d, "manualOption")->isChecked() ||
                     child<QRadioButton>(d, "systemOption")->isChecked() ||
                     child<QRadioButton>(d, "noProxyOption")->isChecked());
        EXPECT_FALSE(child<QGroupBox>(d, "settingsFrame")->isVisible());
        EXPECT_EQ(child<QLineEdit>(d, "serverEdit")->text(),
                  QStringLiteral("kept.lan"));  // filled whatever the type
        QTest::mouseClick(child<QPushButton>(d, "okButton"), Qt::LeftButton);
    });
    EXPECT_EQ(type(), 1);

    // A type that is not a number is logged; the fields still load.
    writeSetting(QStringLiteral("ProxyType"), QStringLiteral("manual"));
    run([](ProxyDialog& d) {
        EXPECT_FALSE(child<QRadioButton>(d, "manualOption")->isChecked() ||
                     child<QRadioButton>(d, "systemOption")->isChecked() ||
                     child<QRadioButton>(d, "noProxyOption")->isChecked());
        EXPECT_EQ(child<QLineEdit>(d, "serverEdit")->text(), QStringLiteral("kept.lan"));
    });
    logging::writeRecentActions();
    EXPECT_TRUE(logText().contains(
        QStringLiteral("Type mismatch(13) in form_load of module frmProxySetup")));
}

TEST_F(Proxy, SettingsReadBackFromTheFileChooseTheirOption)
{
    writeBytes(appFile(QStringLiteral("Wexlo.ini")),
               "PROXYTYPE, 2 "
               "\r\nPROXYSERVER,proxy.lan\r\nPROXYPORT,8080\r\nPROXYUSER,ann\r\nPROXYPWD,pw\r\n");
    settings::resetForTests();
    settings::loadFile(appFile(QStringLiteral("Wexlo.ini")));
    run([](ProxyDialog& d) {
        EXPECT_TRUE(child<QRadioButton>(d, "manualOption")->isChecked());
        EXPECT_TRUE(child<QGroupBox>(d, "settingsFrame")->isVisible());
        EXPECT_EQ(child<QLineEdit>(d, "portEdit")->text(), QStringLiteral("8080"));
        EXPECT_EQ(child<QLineEdit>(d, "passwordEdit")->text(), QStringLiteral("pw"));
        EXPECT_EQ(child<QLineEdit>(d, "repeatPasswordEdit")->text(), QStringLiteral("pw"));
    });
}

TEST_F(Proxy, HelpSaysWhenThePageIsMissing)
{
    EXPECT_TRUE(run([this](ProxyDialog& d) {
        QTest::mouseClick(child<QPushButton>(d, "helpButton"), Qt::LeftButton);
        EXPECT_EQ(boxes_.lastText(), QStringLiteral("Cannot find help file ") +
                                         home_.filePath(QStringLiteral("Help/Index.htm")));
    }));
}

}  // namespace
