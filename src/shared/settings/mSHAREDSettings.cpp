#include "shared/settings/mSHAREDSettings.h"

#include "platform/FileSystem.h"

#include <map>

namespace wexlo::mSHAREDSettings {

namespace {
std::map<QString, SettingValue>& store()
{
    static std::map<QString, SettingValue> s;
    return s;
}
}  // namespace

cSHAREDSettings* gSettings() { return nullptr; }
void LoadSettingsFile(const QString&) {}
void SaveSettingsFile(const QString& settingsFile)
{
    QByteArray bytes;
    for (const auto& [k, v] : store())
        bytes += k.toUpper().toUtf8() + ',' + (v.toBool() ? "True" : "False") + "\r\n";
    auto w = platform::fileSystem().replace(settingsFile);
    w->write(bytes);
    w->commit();
}
SettingValue ReadSetting(const QString& title, const SettingValue& defaultIfUnknown)
{
    auto it = store().find(title);
    return it == store().end() ? defaultIfUnknown : it->second;
}
void WriteSetting(const QString& title, const SettingValue& value) { store()[title] = value; }
void resetForTests() { store().clear(); }

}  // namespace wexlo::mSHAREDSettings
