#include "shared/settings/Settings.h"

#include "shared/diagnostics/ErrorHandler.h"
#include "shared/diagnostics/Logging.h"
#include "shared/settings/SettingsStore.h"

#include <memory>

namespace wexlo::settings {

namespace {
std::unique_ptr<SettingsStore>& store()
{
    static std::unique_ptr<SettingsStore> s;
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

SettingsStore* settings::store() { return store().get(); }

void LoadSettingsFile(const QString& settingsFile)
{
    if (!store())
        store() = std::make_unique<SettingsStore>();
    unreadableFile().clear();
    try {
        store()->load(settingsFile);
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
        logging::writeLine(
            settingsFile +
            QStringLiteral(" could not be read at start-up, so it was not overwritten"));
        return;
    }
    store()->save(settingsFile);
}

SettingValue ReadSetting(const QString& title, const SettingValue& defaultIfUnknown)
{
    // A setting that cannot be read reads as nothing.
    SettingValue result;
    runSilent([&] {
        if (store())
            result = store()->value(title, defaultIfUnknown);
    });
    return result;
}

void WriteSetting(const QString& title, const SettingValue& value)
{
    // The value is simply not kept; there is nothing the caller could do about it.
    runSilent([&] {
        if (store())
            store()->set(title, value);
    });
}

void resetForTests()
{
    store().reset();
    unreadableFile().clear();
}

}  // namespace wexlo::settings
