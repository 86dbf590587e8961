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

    auto option = [this](const QString& name, const QString& caption, const QString& tip) {
        auto* o = new QRadioButton(caption, this);
        o->setObjectName(name);
        o->setToolTip(tip);
        return o;
    };
    auto button = [this](const QString& name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        return b;
    };
    auto field = [](const QString& name, QWidget* parentWidget, bool secret) {
        auto* f = new QLineEdit(parentWidget);
        f->setObjectName(name);
        if (secret) {
            f->setEchoMode(QLineEdit::Password);
            f->setStyleSheet(
                QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));  // "*"
        }
        return f;
    };
    auto label = [](const QString& name, const QString& caption, QWidget* parentWidget,
                    QLineEdit* buddy) {
        auto* l = new QLabel(caption, parentWidget);
        l->setObjectName(name);
        l->setBuddy(buddy);
        return l;
    };

    optNamed = option(QStringLiteral("optNamed"), QStringLiteral("Manual Settings"),
                      QStringLiteral("Allows you to specify proxy settings manually"));
    optDefault = option(QStringLiteral("optDefault"), QStringLiteral("System Default Proxy"),
                        QStringLiteral("Uses your Internet Explorer settings"));
    optNoProxy = option(QStringLiteral("optNoProxy"), QStringLiteral("No Proxy"),
                        QStringLiteral("Switches off the proxy"));
    cmdHelp = button(QStringLiteral("cmdHelp"), QStringLiteral("Help"));
    Frame1 = new QGroupBox(QStringLiteral("Proxy Settings"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    txtServer = field(QStringLiteral("txtServer"), Frame1, false);
    txtPort = field(QStringLiteral("txtPort"), Frame1, false);
    txtUser = field(QStringLiteral("txtUser"), Frame1, false);
    txtPassword = field(QStringLiteral("txtPassword"), Frame1, true);
    txtPassword2 = field(QStringLiteral("txtPassword2"), Frame1, true);
    Label1 = label(QStringLiteral("Label1"), QStringLiteral("Server:"), Frame1, txtServer);
    Label2 = label(QStringLiteral("Label2"), QStringLiteral("Port:"), Frame1, txtPort);
    Label4 = label(QStringLiteral("Label4"), QStringLiteral("User:"), Frame1, txtUser);
    Label3 = label(QStringLiteral("Label3"), QStringLiteral("Password:"), Frame1, txtPassword);
    Label5 = label(QStringLiteral("Label5"), QStringLiteral("Enter Again:"), Frame1, txtPassword2);
    cmdOK = button(QStringLiteral("cmdOK"), QStringLiteral("OK"));
    cmdCancel = button(QStringLiteral("cmdCancel"), QStringLiteral("Cancel"));
    cmdOK->setDefault(true);

    // In tab order.
    platform::placeInTabOrder({
        {optNamed, 240, 240, 2880, 285},   {optDefault, 240, 570, 2880, 285},
        {optNoProxy, 240, 900, 2880, 285}, {Frame1, 120, 1320, 4575, 2175},
        {Label1, 120, 330, 1095, 255},     {txtServer, 1320, 300, 3135, 300},
        {Label2, 120, 690, 1095, 255},     {txtPort, 1320, 660, 975, 300},
        {Label4, 120, 1050, 1095, 255},    {txtUser, 1320, 1020, 3135, 300},
        {Label3, 120, 1410, 1095, 255},    {txtPassword, 1320, 1380, 3135, 300},
        {Label5, 120, 1770, 1095, 255},    {txtPassword2, 1320, 1740, 3135, 300},
        {cmdOK, 2280, 3660, 1095, 375},    {cmdCancel, 3600, 3660, 1095, 375},
        {cmdHelp, 3600, 240, 1095, 375},
    });
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
    connectGuarded(optDefault, &QRadioButton::toggled, this, whenOn(&fSHAREDProxy::optDefault_Click),
                   QStringLiteral("optDefault_Click"), kModule);
    connectGuarded(optNoProxy, &QRadioButton::toggled, this, whenOn(&fSHAREDProxy::optNoProxy_Click),
                   QStringLiteral("optNoProxy_Click"), kModule);
    connectGuarded(cmdOK, &QPushButton::clicked, this, &fSHAREDProxy::cmdOK_Click, QStringLiteral("cmdOK_Click"), kModule);
    connectGuarded(cmdCancel, &QPushButton::clicked, this, &fSHAREDProxy::cmdCancel_Click, QStringLiteral("cmdCancel_Click"), kModule);
    connectGuarded(cmdHelp, &QPushButton::clicked, this, &fSHAREDProxy::cmdHelp_Click, QStringLiteral("cmdHelp_Click"), kModule);

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

void fSHAREDProxy::optNamed_Click()
{
    Frame1->setVisible(true);
}

void fSHAREDProxy::optDefault_Click()
{
    Frame1->setVisible(false);
}

void fSHAREDProxy::optNoProxy_Click()
{
    Frame1->setVisible(false);
}

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
