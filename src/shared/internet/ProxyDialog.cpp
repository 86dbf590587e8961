#include "shared/internet/ProxyDialog.h"

#include "platform/ControlTable.h"
#include "platform/Platform.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/settings/Settings.h"
#include "shared/util/Help.h"
#include "shared/util/Pointer.h"
#include "shared/util/ProgramInfo.h"
#include "shared/util/Text.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cstdint>
#include <limits>

namespace wexlo {

// The names this dialog's log lines carry. A failing button logs under the name its handler
// always had.
namespace logname {
namespace {
const QString kModule = QStringLiteral("frmProxySetup");
const QString kLoad = QStringLiteral("form_load");
const QString kManualOption = QStringLiteral("optNamed_Click");
const QString kSystemOption = QStringLiteral("optDefault_Click");
const QString kNoProxyOption = QStringLiteral("optNoProxy_Click");
const QString kSave = QStringLiteral("cmdok_click");
const QString kCancel = QStringLiteral("cmdcancel_click");
const QString kHelp = QStringLiteral("cmdhelp_click");
}  // namespace
}  // namespace logname

namespace {

// Proxy types as the transfer layer reads them.
using text::u8;
constexpr std::int32_t kSystemProxy = 0;
constexpr std::int32_t kNoProxy = 1;
constexpr std::int32_t kManualProxy = 2;

}  // namespace

ProxyDialog::ProxyDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("proxyDialog"));
    setWindowTitle(tr("Proxy Setup"));

    manualOption_ = new QRadioButton(this);
    systemOption_ = new QRadioButton(this);
    noProxyOption_ = new QRadioButton(this);
    helpButton_ = new QPushButton(this);
    settingsFrame_ = new QGroupBox(this);
    serverEdit_ = new QLineEdit(settingsFrame_);
    portEdit_ = new QLineEdit(settingsFrame_);
    userEdit_ = new QLineEdit(settingsFrame_);
    passwordEdit_ = new QLineEdit(settingsFrame_);
    repeatPasswordEdit_ = new QLineEdit(settingsFrame_);
    serverCaption_ = new QLabel(settingsFrame_);
    portCaption_ = new QLabel(settingsFrame_);
    userCaption_ = new QLabel(settingsFrame_);
    passwordCaption_ = new QLabel(settingsFrame_);
    repeatCaption_ = new QLabel(settingsFrame_);
    okButton_ = new QPushButton(this);
    cancelButton_ = new QPushButton(this);

    platform::layOut({
        {manualOption_,
         "manualOption",
         u8(tr("Manual Settings")),
         {240, 240, 2880, 285},
         u8(tr("Allows you to specify proxy settings manually"))},
        {systemOption_,
         "systemOption",
         u8(tr("System Default Proxy")),
         {240, 570, 2880, 285},
         u8(tr("Uses your Internet Explorer settings"))},
        {noProxyOption_,
         "noProxyOption",
         u8(tr("No Proxy")),
         {240, 900, 2880, 285},
         u8(tr("Switches off the proxy"))},
        {settingsFrame_, "settingsFrame", u8(tr("Proxy Settings")), {120, 1320, 4575, 2175}},
        {serverCaption_,
         "serverCaption",
         u8(tr("Server:")),
         {120, 330, 1095, 255},
         nullptr,
         nullptr,
         serverEdit_},
        {serverEdit_, "serverEdit", nullptr, {1320, 300, 3135, 300}},
        {portCaption_,
         "portCaption",
         u8(tr("Port:")),
         {120, 690, 1095, 255},
         nullptr,
         nullptr,
         portEdit_},
        {portEdit_, "portEdit", nullptr, {1320, 660, 975, 300}},
        {userCaption_,
         "userCaption",
         u8(tr("User:")),
         {120, 1050, 1095, 255},
         nullptr,
         nullptr,
         userEdit_},
        {userEdit_, "userEdit", nullptr, {1320, 1020, 3135, 300}},
        {passwordCaption_,
         "passwordCaption",
         u8(tr("Password:")),
         {120, 1410, 1095, 255},
         nullptr,
         nullptr,
         passwordEdit_},
        {passwordEdit_, "passwordEdit", nullptr, {1320, 1380, 3135, 300}},
        {repeatCaption_,
         "repeatCaption",
         u8(tr("Enter Again:")),
         {120, 1770, 1095, 255},
         nullptr,
         nullptr,
         repeatPasswordEdit_},
        {repeatPasswordEdit_, "repeatPasswordEdit", nullptr, {1320, 1740, 3135, 300}},
        {okButton_, "okButton", u8(tr("OK")), {2280, 3660, 1095, 375}},
        {cancelButton_, "cancelButton", u8(tr("Cancel")), {3600, 3660, 1095, 375}},
        {helpButton_, "helpButton", u8(tr("Help")), {3600, 240, 1095, 375}},
    });
    text::widenCaptions({{serverCaption_, serverEdit_},
                         {portCaption_, portEdit_},
                         {userCaption_, userEdit_},
                         {passwordCaption_, passwordEdit_},
                         {repeatCaption_, repeatPasswordEdit_}});
    for (QLineEdit* secret : {passwordEdit_, repeatPasswordEdit_}) {
        secret->setEchoMode(QLineEdit::Password);
        secret->setStyleSheet(
            QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));  // "*"
    }
    okButton_->setDefault(true);
    setFixedSize(platform::twips(4815), platform::twips(4200));
    settingsFrame_->hide();

    // toggled, not clicked: choosing an option from the code or by the arrow keys runs it too.
    // A button that is switched off reports nothing.
    auto whenOn = [this](void (ProxyDialog::*handler)()) {
        return [this, handler](bool on) {
            if (on)
                (this->*handler)();
        };
    };
    connectGuarded(manualOption_, &QRadioButton::toggled, this,
                   whenOn(&ProxyDialog::showManualSettings), logname::kManualOption,
                   logname::kModule);
    connectGuarded(systemOption_, &QRadioButton::toggled, this,
                   whenOn(&ProxyDialog::hideManualSettings), logname::kSystemOption,
                   logname::kModule);
    connectGuarded(noProxyOption_, &QRadioButton::toggled, this,
                   whenOn(&ProxyDialog::hideManualSettings), logname::kNoProxyOption,
                   logname::kModule);
    connectGuarded(okButton_, &QPushButton::clicked, this, &ProxyDialog::saveSettings,
                   logname::kSave, logname::kModule);
    connectGuarded(cancelButton_, &QPushButton::clicked, this, &ProxyDialog::cancel,
                   logname::kCancel, logname::kModule);
    connectGuarded(helpButton_, &QPushButton::clicked, this, &ProxyDialog::showHelp, logname::kHelp,
                   logname::kModule);

    loadSettings();
}

void ProxyDialog::loadSettings()
{
    using settings::readSetting;
    // A type that is not a number is logged; the fields load all the same.
    runGuarded(logname::kLoad, logname::kModule, [&] {
        const std::int32_t type = readSetting(QStringLiteral("ProxyType"), kNoProxy).toNumber();
        if (type < std::numeric_limits<std::int16_t>::min() ||
            type > std::numeric_limits<std::int16_t>::max())
            raiseError(err::Overflow);
        if (type == kNoProxy)
            noProxyOption_->setChecked(true);
        else if (type == kSystemProxy)
            systemOption_->setChecked(true);
        else if (type == kManualProxy)
            manualOption_->setChecked(true);
    });
    portEdit_->setText(readSetting(QStringLiteral("ProxyPort"), QString()).toText());
    serverEdit_->setText(readSetting(QStringLiteral("ProxyServer"), QString()).toText());
    userEdit_->setText(readSetting(QStringLiteral("ProxyUser"), QString()).toText());
    passwordEdit_->setText(readSetting(QStringLiteral("ProxyPwd"), QString()).toText());
    repeatPasswordEdit_->setText(passwordEdit_->text());
}

void ProxyDialog::showManualSettings() { settingsFrame_->setVisible(true); }

void ProxyDialog::hideManualSettings() { settingsFrame_->setVisible(false); }

void ProxyDialog::saveSettings()
{
    using settings::writeSetting;
    if (repeatPasswordEdit_->text() != passwordEdit_->text()) {
        platform::message(this, tr("Your passwords don't match.  Please retype them."),
                          programTitle());
        return;  // the dialog stays open for correction
    }
    // WriteSetting ignores its own failures.
    writeSetting(QStringLiteral("ProxyServer"), serverEdit_->text());
    writeSetting(QStringLiteral("ProxyPort"), portEdit_->text());
    writeSetting(QStringLiteral("ProxyUser"), userEdit_->text());
    writeSetting(QStringLiteral("ProxyPwd"), passwordEdit_->text());
    const std::int32_t type = systemOption_->isChecked()   ? kSystemProxy
                              : manualOption_->isChecked() ? kManualProxy
                                                           : kNoProxy;
    writeSetting(QStringLiteral("ProxyType"), type);
    accept();
    platform::eventPump().processEvents();
}

void ProxyDialog::cancel()
{
    reject();
    platform::eventPump().processEvents();
}

void ProxyDialog::showHelp() { help::show(this); }

}  // namespace wexlo

// Kept in this object so that programs which never open the dialog do not pull it in.
#include "moc_ProxyDialog.cpp"
