#include "shared/settings/mSHAREDSettings.h"

#include "shared/settings/cSHAREDSettings.h"

#include <memory>

namespace wexlo::mSHAREDSettings {

namespace {
std::unique_ptr<cSHAREDSettings>& store()
{
    static std::unique_ptr<cSHAREDSettings> s;
    return s;
}
}  // namespace

cSHAREDSettings* gSettings()
{
    return store().get();
}

void LoadSettingsFile(const QString& settingsFile)
{
    if (!store())
        store() = std::make_unique<cSHAREDSettings>();
    store()->LoadSettings(settingsFile);
}

void SaveSettingsFile(const QString& settingsFile)
{
    if (store())
        store()->SaveSettings(settingsFile);
}

SettingValue ReadSetting(const QString& title, const SettingValue& defaultIfUnknown)
{
    try {
        if (store())
            return store()->RetrieveSetting(title, defaultIfUnknown);
    } catch (...) {
        // A setting that cannot be read reads as nothing.
    }
    return {};
}

void WriteSetting(const QString& title, const SettingValue& value)
{
    try {
        if (store())
            store()->StoreSetting(title, value);
    } catch (...) {
        // The value is simply not kept; there is nothing the caller could do about it.
    }
}

void resetForTests()
{
    store().reset();
}

}  // namespace wexlo::mSHAREDSettings
