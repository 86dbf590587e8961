#include "platform/RuntimeError.h"
#include "shared/diagnostics/mSHAREDLogging.h"
#include "shared/internet/fSHAREDProxy.h"
#include "shared/settings/mSHAREDSettings.h"
#include "support/Fixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace wexlo;
using mSHAREDSettings::ReadSetting;
using mSHAREDSettings::WriteSetting;

namespace {

class Proxy : public test::WexloTest {
protected:
    void SetUp() override
    {
        test::WexloTest::SetUp();
        mSHAREDSettings::resetForTests();
        mSHAREDSettings::LoadSettingsFile(appFile(QStringLiteral("Wexlo.ini")));
    }
    void TearDown() override
    {
        mSHAREDSettings::resetForTests();
        test::WexloTest::TearDown();
    }

    // Shows the dialog modally, as the update window does; the action plays the user.
    // Returns whether the dialog was still open when the action was done.
    bool run(const std::function<void(fSHAREDProxy&)>& act)
    {
        fSHAREDProxy dlg;
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
        return ReadSetting(QString::fromLatin1(key), QStringLiteral("<absent>")).toText();
    }
    static int type() { return ReadSetting(QStringLiteral("ProxyType"), -1).toNumber(); }

    static void retype(QLineEdit* field, const QString& value)
    {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, value);
    }

    static void storeManual()
    {
        WriteSetting(QStringLiteral("ProxyType"), 2);
        WriteSetting(QStringLiteral("ProxyServer"), QStringLiteral("proxy.lan"));
        WriteSetting(QStringLiteral("ProxyPort"), QStringLiteral("3128"));
        WriteSetting(QStringLiteral("ProxyUser"), QStringLiteral("ann"));
        WriteSetting(QStringLiteral("ProxyPwd"), QStringLiteral("s3cret"));
    }
};

TEST_F(Proxy, ControlsCarryTheirCaptionsTipsAndMaskedPasswords)
{
    fSHAREDProxy dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Proxy Setup"));
    const struct {
        const char* name;
        QString caption, tip;
    } options[] = {
        {"optNamed", QStringLiteral("Manual Settings"),
         QStringLiteral("Allows you to specify proxy settings manually")},
        {"optDefault", QStringLiteral("System Default Proxy"),
         QStringLiteral("Uses your Internet Explorer settings")},
        {"optNoProxy", QStringLiteral("No Proxy"), QStringLiteral("Switches off the proxy")},
    };
    for (const auto& o : options) {
        auto* w = dlg.findChild<QRadioButton*>(QString::fromLatin1(o.name));
        ASSERT_NE(w, nullptr) << o.name;
        EXPECT_EQ(w->text(), o.caption);
        EXPECT_EQ(w->toolTip(), o.tip);
    }
    const std::pair<const char*, const char*> labels[] = {{"Label1", "Server:"},
                                                          {"Label2", "Port:"},
                                                          {"Label3", "Password:"},
                                                          {"Label4", "User:"},
                                                          {"Label5", "Enter Again:"}};
    for (const auto& [name, caption] : labels)
        EXPECT_EQ(dlg.findChild<QLabel*>(QString::fromLatin1(name))->text(),
                  QString::fromLatin1(caption));
    EXPECT_EQ(dlg.findChild<QGroupBox*>(QStringLiteral("Frame1"))->title(),
              QStringLiteral("Proxy Settings"));
    EXPECT_EQ(dlg.findChild<QPushButton*>(QStringLiteral("cmdOK"))->text(), QStringLiteral("OK"));
    EXPECT_EQ(dlg.findChild<QPushButton*>(QStringLiteral("cmdCancel"))->text(),
              QStringLiteral("Cancel"));
    EXPECT_EQ(dlg.findChild<QPushButton*>(QStringLiteral("cmdHelp"))->text(),
              QStringLiteral("Help"));
    for (const char* name : {"txtServer", "txtPort", "txtUser"})
        EXPECT_EQ(dlg.findChild<QLineEdit*>(QString::fromLatin1(name))->echoMode(),
                  QLineEdit::Normal)
            << name;
    for (const char* name : {"txtPassword", "txtPassword2"})
        EXPECT_EQ(dlg.findChild<QLineEdit*>(QString::fromLatin1(name))->echoMode(),
                  QLineEdit::Password)
            << name;
}

TEST_F(Proxy, WithoutSettingsItOffersNoProxyAndOkStoresEmptyTexts)
{
    EXPECT_FALSE(run([](fSHAREDProxy& d) {
        EXPECT_TRUE(d.optNoProxy->isChecked());
        EXPECT_FALSE(d.Frame1->isVisible());
        for (QLineEdit* f : {d.txtServer, d.txtPort, d.txtUser, d.txtPassword, d.txtPassword2})
            EXPECT_TRUE(f->text().isEmpty()) << f->objectName().toStdString();
        QTest::mouseClick(d.cmdOK, Qt::LeftButton);
    }));
    EXPECT_EQ(type(), 1);
    for (const char* key : {"ProxyServer", "ProxyPort", "ProxyUser", "ProxyPwd"})
        EXPECT_EQ(text(key), QString()) << key;
}

TEST_F(Proxy, ManualSettingsShowTheFieldsAndAreStoredAsTyped)
{
    run([](fSHAREDProxy& d) {
        QTest::mouseClick(d.optNamed, Qt::LeftButton);
        EXPECT_TRUE(d.Frame1->isVisible());
        QTest::keyClicks(d.txtServer, QStringLiteral(" proxy.lan "));
        QTest::keyClicks(d.txtPort, QStringLiteral("eighty"));  // no number check
        QTest::keyClicks(d.txtUser, QStringLiteral("Ann"));
        QTest::keyClicks(d.txtPassword, QStringLiteral("Pa,ss"));
        QTest::keyClicks(d.txtPassword2, QStringLiteral("Pa,ss"));
        QTest::mouseClick(d.cmdOK, Qt::LeftButton);
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
    EXPECT_TRUE(run([this](fSHAREDProxy& d) {
        EXPECT_TRUE(d.optNamed->isChecked());
        EXPECT_TRUE(d.Frame1->isVisible());
        retype(d.txtServer, QStringLiteral("other.lan"));
        retype(d.txtPassword, QStringLiteral("New"));
        retype(d.txtPassword2, QStringLiteral("new"));  // letter case counts
        QTest::mouseClick(d.cmdOK, Qt::LeftButton);
        ASSERT_EQ(boxes_.shown.size(), 1);
        EXPECT_EQ(boxes_.lastText(),
                  QStringLiteral("Your passwords don't match.  Please retype them."));
        EXPECT_EQ(boxes_.shown.last().title, QStringLiteral("Wexlo"));
        EXPECT_EQ(boxes_.shown.last().buttons, platform::MsgButtons::Ok);
        EXPECT_EQ(d.txtServer->text(), QStringLiteral("other.lan"));  // nothing typed is lost
    }));
    EXPECT_EQ(text("ProxyServer"), QStringLiteral("proxy.lan"));
    EXPECT_EQ(text("ProxyPwd"), QStringLiteral("s3cret"));

    // Corrected, it goes through.
    EXPECT_FALSE(run([](fSHAREDProxy& d) {
        retype(d.txtPassword, QStringLiteral("New"));
        retype(d.txtPassword2, QStringLiteral("New"));
        QTest::mouseClick(d.cmdOK, Qt::LeftButton);
    }));
    EXPECT_EQ(text("ProxyPwd"), QStringLiteral("New"));
}

TEST_F(Proxy, SystemDefaultKeepsTheManualFieldsForLater)
{
    storeManual();
    run([](fSHAREDProxy& d) {
        QTest::mouseClick(d.optDefault, Qt::LeftButton);
        EXPECT_FALSE(d.Frame1->isVisible());
        QTest::mouseClick(d.cmdOK, Qt::LeftButton);
    });
    EXPECT_EQ(type(), 0);
    EXPECT_EQ(text("ProxyServer"), QStringLiteral("proxy.lan"));
    EXPECT_EQ(text("ProxyPort"), QStringLiteral("3128"));
    EXPECT_EQ(text("ProxyUser"), QStringLiteral("ann"));
    EXPECT_EQ(text("ProxyPwd"), QStringLiteral("s3cret"));

    run([](fSHAREDProxy& d) {
        EXPECT_TRUE(d.optDefault->isChecked());
        EXPECT_FALSE(d.Frame1->isVisible());
        QTest::mouseClick(d.optNamed, Qt::LeftButton);
        EXPECT_TRUE(d.Frame1->isVisible());
        EXPECT_EQ(d.txtServer->text(), QStringLiteral("proxy.lan"));
        EXPECT_EQ(d.txtPassword2->text(), QStringLiteral("s3cret"));
    });
}

TEST_F(Proxy, CancelAndTheCloseBoxLeaveEverySettingAsItWas)
{
    storeManual();
    auto edit = [](fSHAREDProxy& d) {
        QTest::mouseClick(d.optNoProxy, Qt::LeftButton);
        retype(d.txtServer, QStringLiteral("x"));
        retype(d.txtPassword, QStringLiteral("y"));
        retype(d.txtPassword2, QStringLiteral("y"));
    };
    EXPECT_FALSE(run([&](fSHAREDProxy& d) {
        edit(d);
        QTest::mouseClick(d.cmdCancel, Qt::LeftButton);
    }));
    EXPECT_FALSE(run([&](fSHAREDProxy& d) {
        edit(d);
        d.close();
    }));
    EXPECT_FALSE(run([&](fSHAREDProxy& d) {
        edit(d);
        QTest::keyClick(d.txtServer, Qt::Key_Escape);
    }));
    EXPECT_EQ(type(), 2);
    EXPECT_EQ(text("ProxyServer"), QStringLiteral("proxy.lan"));
    EXPECT_EQ(text("ProxyPwd"), QStringLiteral("s3cret"));
}

TEST_F(Proxy, UnknownOrUnreadableTypeChoosesNothingAndOkStoresNoProxy)
{
    WriteSetting(QStringLiteral("ProxyType"), 7);
    WriteSetting(QStringLiteral("ProxyServer"), QStringLiteral("kept.lan"));
    run([](fSHAREDProxy& d) {
        EXPECT_FALSE(d.optNamed->isChecked() || d.optDefault->isChecked() ||
                     d.optNoProxy->isChecked());
        EXPECT_FALSE(d.Frame1->isVisible());
        EXPECT_EQ(d.txtServer->text(), QStringLiteral("kept.lan"));  // filled whatever the type
        QTest::mouseClick(d.cmdOK, Qt::LeftButton);
    });
    EXPECT_EQ(type(), 1);

    // A type that is not a number is logged; the fields still load.
    WriteSetting(QStringLiteral("ProxyType"), QStringLiteral("manual"));
    run([](fSHAREDProxy& d) {
        EXPECT_FALSE(d.optNamed->isChecked() || d.optDefault->isChecked() ||
                     d.optNoProxy->isChecked());
        EXPECT_EQ(d.txtServer->text(), QStringLiteral("kept.lan"));
    });
    mSHAREDLogging::listactions();
    EXPECT_TRUE(logText().contains(
        QStringLiteral("Type mismatch(13) in form_load of module frmProxySetup")));
}

TEST_F(Proxy, SettingsReadBackFromTheFileChooseTheirOption)
{
    writeBytes(appFile(QStringLiteral("Wexlo.ini")),
               "PROXYTYPE, 2 "
               "\r\nPROXYSERVER,proxy.lan\r\nPROXYPORT,8080\r\nPROXYUSER,ann\r\nPROXYPWD,pw\r\n");
    mSHAREDSettings::resetForTests();
    mSHAREDSettings::LoadSettingsFile(appFile(QStringLiteral("Wexlo.ini")));
    run([](fSHAREDProxy& d) {
        EXPECT_TRUE(d.optNamed->isChecked());
        EXPECT_TRUE(d.Frame1->isVisible());
        EXPECT_EQ(d.txtPort->text(), QStringLiteral("8080"));
        EXPECT_EQ(d.txtPassword->text(), QStringLiteral("pw"));
        EXPECT_EQ(d.txtPassword2->text(), QStringLiteral("pw"));
    });
}

TEST_F(Proxy, HelpSaysWhenThePageIsMissing)
{
    EXPECT_TRUE(run([this](fSHAREDProxy& d) {
        QTest::mouseClick(d.cmdHelp, Qt::LeftButton);
        EXPECT_EQ(boxes_.lastText(), QStringLiteral("Cannot find help file ") +
                                         home_.filePath(QStringLiteral("Help/Index.htm")));
    }));
}

}  // namespace
