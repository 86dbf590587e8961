#include "shared/settings/Settings.h"

#include "shared/diagnostics/ErrorHandler.h"
#include "shared/diagnostics/Logging.h"
#include "shared/settings/SettingsStore.h"

#include <memory>

namespace wexlo::settings {

namespace {
std::unique_ptr<SettingsStore>& theStore()
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

SettingsStore* store() { return theStore().get(); }

void loadFile(const QString& settingsFile)
{
    if (!theStore())
        theStore() = std::make_unique<SettingsStore>();
    unreadableFile().clear();
    try {
        theStore()->load(settingsFile);
    } catch (...) {
        unreadableFile() = settingsFile;
        throw;
    }
}

void saveFile(const QString& settingsFile)
{
    if (!theStore())
        return;
    if (!unreadableFile().isEmpty() && unreadableFile() == settingsFile) {
        logging::writeLine(
            settingsFile +
            QStringLiteral(" could not be read at start-up, so it was not overwritten"));
        return;
    }
    theStore()->save(settingsFile);
}

SettingValue readSetting(const QString& title, const SettingValue& defaultIfUnknown)
{
    // A setting that cannot be read reads as nothing.
    SettingValue result;
    runSilent([&] {
        if (theStore())
            result = theStore()->value(title, defaultIfUnknown);
    });
    return result;
}

void writeSetting(const QString& title, const SettingValue& value)
{
    // The value is simply not kept; there is nothing the caller could do about it.
    runSilent([&] {
        if (theStore())
            theStore()->set(title, value);
    });
}

void resetForTests()
{
    theStore().reset();
    unreadableFile().clear();
}

}  // namespace wexlo::settings
