#include "shared/settings/mSHAREDSettings.h"

#include "shared/diagnostics/ErrorHandler.h"
#include "shared/diagnostics/mSHAREDLogging.h"
#include "shared/settings/cSHAREDSettings.h"

#include <memory>

namespace wexlo::mSHAREDSettings {

namespace {
std::unique_ptr<cSHAREDSettings>& store()
{
    static std::unique_ptr<cSHAREDSettings> s;
    return s;
}

// A settings file that exists but could not be read: saving over it at exit would replace the
// user's settings (the proxy among them) with whatever this run knew.
QString& unreadableFile()
{
    static QString path;
    return path;
}
}  // namespace

cSHAREDSettings* gSettings() { return store().get(); }

void LoadSettingsFile(const QString& settingsFile)
{
    if (!store())
        store() = std::make_unique<cSHAREDSettings>();
    unreadableFile().clear();
    try {
        store()->LoadSettings(settingsFile);
    } catch (...) {
        unreadableFile() = settingsFile;
        throw;
    }
}

void SaveSettingsFile(const QString& settingsFile)
{
    if (!store())
        return;
    if (!unreadableFile().isEmpty() && unreadableFile() == settingsFile) {
        mSHAREDLogging::writelog(
            settingsFile +
            QStringLiteral(" could not be read at start-up, so it was not overwritten"));
        return;
    }
    store()->SaveSettings(settingsFile);
}

SettingValue ReadSetting(const QString& title, const SettingValue& defaultIfUnknown)
{
    // A setting that cannot be read reads as nothing.
    SettingValue result;
    runSilent([&] {
        if (store())
            result = store()->RetrieveSetting(title, defaultIfUnknown);
    });
    return result;
}

void WriteSetting(const QString& title, const SettingValue& value)
{
    // The value is simply not kept; there is nothing the caller could do about it.
    runSilent([&] {
        if (store())
            store()->StoreSetting(title, value);
    });
}

void resetForTests()
{
    store().reset();
    unreadableFile().clear();
}

}  // namespace wexlo::mSHAREDSettings
