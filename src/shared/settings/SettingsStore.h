#pragma once

// The settings store: entries kept in ascending ordinal order of their keys, looked up by
// binary search, loaded from and saved to a settings file whose path each call names.

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
    // Opens the error report dialog with a message and a help topic; showErrorReport unless
    // replaced (tests watch the reports through it).
    using ErrorReporter = std::function<void(const QString& message, const QString& helpTopic)>;
    static void setErrorReporter(ErrorReporter reporter);  // empty restores showErrorReport

    SettingsStore();
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    std::int32_t count() const;
    // The key of the entry at the 1-based index; "" outside 1..count.
    QString keyAt(std::int32_t index) const;
    // Keys are kept in upper case, without commas.
    void set(const QString& key, const SettingValue& value);
    // Text that reads true or false (in English or the user's language, any case, blanks
    // around) comes back as a Boolean; everything else as it is stored.
    SettingValue value(const QString& key, const SettingValue& defaultIfUnknown = {}) const;
    // A result that is numerically zero (empty, false, 0, blank text) gives defaultIfZero.
    SettingValue valueOr(const QString& key, const SettingValue& defaultIfZero) const;
    void clear();
    // The key as given, else in upper case.
    void remove(const QString& key);
    // An index outside 1..count is logged and changes nothing.
    void removeAt(std::int32_t index);

    // Replaces the entries by the file's; a missing file leaves none. Throws RuntimeError when
    // the file exists but cannot be read.
    void load(const QString& settingsFile);
    // Failures are logged and shown to the user; the previous file then stays as it was.
    void save(const QString& settingsFile);

private:
    // 1-based position of the key or -1; insertAt gets where a new entry belongs (0: at the end).
    std::int32_t find(const QString& key, std::int32_t& insertAt) const;
    void sort();
    void writeEntries(files::OutputFile& out) const;
    static void report(const QString& message);

    std::vector<SettingEntry> list_;
};

}  // namespace wexlo
