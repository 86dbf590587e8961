#include "shared/internet/fSHAREDProxy.h"

#include "platform/ControlTable.h"
#include "platform/Platform.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/settings/mSHAREDSettings.h"
#include "shared/util/mSHAREDHtmHelp.h"
#include "shared/util/mSHAREDSubs.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cstdint>
#include <limits>

namespace wexlo {

namespace {

const QString kModule = QStringLiteral("frmProxySetup");

// Proxy types as the transfer layer reads them.
constexpr std::int32_t kSystemProxy = 0;
constexpr std::int32_t kNoProxy = 1;
constexpr std::int32_t kManualProxy = 2;

}  // namespace

fSHAREDProxy::fSHAREDProxy(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fSHAREDProxy"));
    setWindowTitle(QStringLiteral("Proxy Setup"));

    optNamed = new QRadioButton(this);
    optDefault = new QRadioButton(this);
    optNoProxy = new QRadioButton(this);
    cmdHelp = new QPushButton(this);
    Frame1 = new QGroupBox(this);
    txtServer = new QLineEdit(Frame1);
    txtPort = new QLineEdit(Frame1);
    txtUser = new QLineEdit(Frame1);
    txtPassword = new QLineEdit(Frame1);
    txtPassword2 = new QLineEdit(Frame1);
    Label1 = new QLabel(Frame1);
    Label2 = new QLabel(Frame1);
    Label4 = new QLabel(Frame1);
    Label3 = new QLabel(Frame1);
    Label5 = new QLabel(Frame1);
    cmdOK = new QPushButton(this);
    cmdCancel = new QPushButton(this);

    platform::layOut({
        {optNamed,
         "optNamed",
         "Manual Settings",
         {240, 240, 2880, 285},
         "Allows you to specify proxy settings manually"},
        {optDefault,
         "optDefault",
         "System Default Proxy",
         {240, 570, 2880, 285},
         "Uses your Internet Explorer settings"},
        {optNoProxy, "optNoProxy", "No Proxy", {240, 900, 2880, 285}, "Switches off the proxy"},
        {Frame1, "Frame1", "Proxy Settings", {120, 1320, 4575, 2175}},
        {Label1, "Label1", "Server:", {120, 330, 1095, 255}, nullptr, nullptr, txtServer},
        {txtServer, "txtServer", nullptr, {1320, 300, 3135, 300}},
        {Label2, "Label2", "Port:", {120, 690, 1095, 255}, nullptr, nullptr, txtPort},
        {txtPort, "txtPort", nullptr, {1320, 660, 975, 300}},
        {Label4, "Label4", "User:", {120, 1050, 1095, 255}, nullptr, nullptr, txtUser},
        {txtUser, "txtUser", nullptr, {1320, 1020, 3135, 300}},
        {Label3, "Label3", "Password:", {120, 1410, 1095, 255}, nullptr, nullptr, txtPassword},
        {txtPassword, "txtPassword", nullptr, {1320, 1380, 3135, 300}},
        {Label5, "Label5", "Enter Again:", {120, 1770, 1095, 255}, nullptr, nullptr, txtPassword2},
        {txtPassword2, "txtPassword2", nullptr, {1320, 1740, 3135, 300}},
        {cmdOK, "cmdOK", "OK", {2280, 3660, 1095, 375}},
        {cmdCancel, "cmdCancel", "Cancel", {3600, 3660, 1095, 375}},
        {cmdHelp, "cmdHelp", "Help", {3600, 240, 1095, 375}},
    });
    for (QLineEdit* secret : {txtPassword, txtPassword2}) {
        secret->setEchoMode(QLineEdit::Password);
        secret->setStyleSheet(
            QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));  // "*"
    }
    cmdOK->setDefault(true);
    setFixedSize(platform::twips(4815), platform::twips(4200));
    Frame1->hide();

    // toggled, not clicked: choosing an option from the code or by the arrow keys runs it too.
    // A button that is switched off reports nothing.
    auto whenOn = [this](void (fSHAREDProxy::*handler)()) {
        return [this, handler](bool on) {
            if (on)
                (this->*handler)();
        };
    };
    connectGuarded(optNamed, &QRadioButton::toggled, this, whenOn(&fSHAREDProxy::optNamed_Click),
                   QStringLiteral("optNamed_Click"), kModule);
    connectGuarded(optDefault, &QRadioButton::toggled, this,
                   whenOn(&fSHAREDProxy::optDefault_Click), QStringLiteral("optDefault_Click"),
                   kModule);
    connectGuarded(optNoProxy, &QRadioButton::toggled, this,
                   whenOn(&fSHAREDProxy::optNoProxy_Click), QStringLiteral("optNoProxy_Click"),
                   kModule);
    connectGuarded(cmdOK, &QPushButton::clicked, this, &fSHAREDProxy::cmdOK_Click,
                   QStringLiteral("cmdOK_Click"), kModule);
    connectGuarded(cmdCancel, &QPushButton::clicked, this, &fSHAREDProxy::cmdCancel_Click,
                   QStringLiteral("cmdCancel_Click"), kModule);
    connectGuarded(cmdHelp, &QPushButton::clicked, this, &fSHAREDProxy::cmdHelp_Click,
                   QStringLiteral("cmdHelp_Click"), kModule);

    Form_Load();
}

void fSHAREDProxy::Form_Load()
{
    using mSHAREDSettings::ReadSetting;
    OnError on(QStringLiteral("form_load"), kModule);
    on([&] {
        const std::int32_t type = ReadSetting(QStringLiteral("ProxyType"), kNoProxy).toNumber();
        if (type < std::numeric_limits<std::int16_t>::min() ||
            type > std::numeric_limits<std::int16_t>::max())
            raiseError(err::Overflow);
        if (type == kNoProxy)
            optNoProxy->setChecked(true);
        else if (type == kSystemProxy)
            optDefault->setChecked(true);
        else if (type == kManualProxy)
            optNamed->setChecked(true);
    });
    on([&] { txtPort->setText(ReadSetting(QStringLiteral("ProxyPort"), QString()).toText()); });
    on([&] { txtServer->setText(ReadSetting(QStringLiteral("ProxyServer"), QString()).toText()); });
    on([&] { txtUser->setText(ReadSetting(QStringLiteral("ProxyUser"), QString()).toText()); });
    on([&] { txtPassword->setText(ReadSetting(QStringLiteral("ProxyPwd"), QString()).toText()); });
    on([&] { txtPassword2->setText(ReadSetting(QStringLiteral("ProxyPwd"), QString()).toText()); });
}

void fSHAREDProxy::optNamed_Click() { Frame1->setVisible(true); }

void fSHAREDProxy::optDefault_Click() { Frame1->setVisible(false); }

void fSHAREDProxy::optNoProxy_Click() { Frame1->setVisible(false); }

void fSHAREDProxy::cmdOK_Click()
{
    using mSHAREDSettings::WriteSetting;
    OnError on(QStringLiteral("cmdok_click"), kModule);
    if (txtPassword2->text() != txtPassword->text()) {
        on([&] {
            platform::message(this,
                              QStringLiteral("Your passwords don't match.  Please retype them."),
                              mSHAREDSubs::AppTitle());
        });
        return;  // the dialog stays open for correction
    }
    // WriteSetting ignores its own failures.
    WriteSetting(QStringLiteral("ProxyServer"), txtServer->text());
    WriteSetting(QStringLiteral("ProxyPort"), txtPort->text());
    WriteSetting(QStringLiteral("ProxyUser"), txtUser->text());
    WriteSetting(QStringLiteral("ProxyPwd"), txtPassword->text());
    const std::int32_t type = optDefault->isChecked() ? kSystemProxy
                              : optNamed->isChecked() ? kManualProxy
                                                      : kNoProxy;
    WriteSetting(QStringLiteral("ProxyType"), type);
    on([&] { accept(); });
    on([&] { platform::eventPump().processEvents(); });
}

void fSHAREDProxy::cmdCancel_Click()
{
    OnError on(QStringLiteral("cmdcancel_click"), kModule);
    on([&] { reject(); });
    on([&] { platform::eventPump().processEvents(); });
}

void fSHAREDProxy::cmdHelp_Click()
{
    runGuarded(QStringLiteral("cmdhelp_click"), kModule,
               [&] { mSHAREDHtmHelp::showhelp(this, {}); });
}

}  // namespace wexlo

// Kept in this object so that programs which never open the dialog do not pull it in.
#include "moc_fSHAREDProxy.cpp"
