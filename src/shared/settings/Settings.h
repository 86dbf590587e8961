#pragma once

// The one program-wide settings object and the calls the rest of the program makes.

#include "shared/settings/SettingValue.h"

#include <QString>

namespace wexlo {
class SettingsStore;
}

namespace wexlo::settings {

// The program-wide store; nullptr until the first LoadSettingsFile.
SettingsStore* settings::store();
void LoadSettingsFile(const QString& settingsFile);
void SaveSettingsFile(const QString& settingsFile);
// Failures (also a call before gSettings exists) are ignored without a log entry and give
// the empty value.
SettingValue ReadSetting(const QString& title, const SettingValue& defaultIfUnknown = {});
void WriteSetting(const QString& title, const SettingValue& value);

// Drops the store, as at program start (for tests).
void resetForTests();

}  // namespace wexlo::settings
