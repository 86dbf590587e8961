#pragma once

// The settings store: entries kept in ascending ordinal order of their keys, looked up by
// binary search, loaded from and saved to a settings file whose path each call names.
// Handlers log the module name "cSHAREDSettings".

#include "shared/settings/SettingValue.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace wexlo {

namespace files {
class OutputFile;
}

class SettingsStore {
public:
    // Opens the error report dialog with a message and a help topic; showErrorReport
    // unless replaced (tests watch the reports through it).
    using ErrorReporter = std::function<void(const QString& message, const QString& helpTopic)>;
    static void setErrorReporter(ErrorReporter reporter);  // empty restores showerr

    SettingsStore();
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    std::int32_t SettingsCount() const;
    // KeyName of the entry at the 1-based index; "" outside 1..count.
    QString SettingNameByIndex(std::int32_t index) const;
    void sSet(const QString& settingTitle, const SettingValue& settingValue);
    void StoreSetting(const QString& settingTitle, const SettingValue& settingValue);
    // A result that is numerically zero (empty, false, 0, blank text) gives defaultIfZero.
    SettingValue RetrieveWithDefault(const QString& settingTitle,
                                     const SettingValue& defaultIfZero);
    void DeleteAllSettings();
    SettingValue sGet(const QString& settingTitle, const SettingValue& defaultIfUnknown = {});
    // Text that reads true or false (in English or the user's language, any case, blanks
    // around) comes back as a Boolean; everything else as it is stored.
    SettingValue RetrieveSetting(const QString& settingTitle,
                                 const SettingValue& defaultIfUnknown = {});
    void SaveSettings(const QString& settingsFile);
    void LoadSettings(const QString& settingsFile);
    void DeleteSettingByName(const QString& settingName);
    void DeleteSetting(std::int32_t index);

private:
    void addsetting(const QString& key, const SettingValue& value);
    // 1-based position of the key or -1; insertAt gets where a new entry belongs (0: at the end).
    std::int32_t SettingPresent(const QString& key, std::int32_t& insertAt) const;
    void sortsettings();
    void writeEntries(files::OutputFile& out) const;
    static void report(const QString& message);

    std::vector<SettingEntry> list_;
};

}  // namespace wexlo
