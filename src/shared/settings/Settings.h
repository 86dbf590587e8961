#pragma once

// The one program-wide settings store and the calls the rest of the program makes.

#include "shared/settings/SettingValue.h"

#include <QString>

namespace wexlo {
class SettingsStore;
}

namespace wexlo::settings {

// The program-wide store; nullptr until the first loadFile.
SettingsStore* store();
// Throws RuntimeError when the file exists but cannot be read; saveFile then leaves it alone.
void loadFile(const QString& settingsFile);
void saveFile(const QString& settingsFile);
// Failures (also a call before the store exists) are ignored without a log entry and give
// the empty value.
SettingValue readSetting(const QString& title, const SettingValue& defaultIfUnknown = {});
void writeSetting(const QString& title, const SettingValue& value);

// Drops the store, as at program start (for tests).
void resetForTests();

}  // namespace wexlo::settings
