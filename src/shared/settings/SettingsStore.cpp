#include "shared/settings/SettingsStore.h"

#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"
#include "shared/dates/mSHAREDDateFunc.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/ui/ShowErrorReport.h"
#include "shared/util/Files.h"
#include "shared/util/Pointer.h"
#include "shared/util/ProgramInfo.h"
#include "shared/util/Text.h"

#include <algorithm>
#include <new>
#include <numeric>
#include <utility>

namespace wexlo {

namespace {

const QString kModule = QStringLiteral("cSHAREDSettings");

SettingsStore::ErrorReporter& reporter()
{
    static SettingsStore::ErrorReporter r;
    return r;
}

QString withoutCommas(QString key)
{
    key.remove(QLatin1Char(','));
    return key;
}

// True when the text reads as a Boolean, in English or in the user's words; value gets it.
bool readsAsFlag(const QString& text, bool& value)
{
    const QString test = text::trimBlanks(text).toUpper();
    const QString localFalse = mSHAREDDateFunc::falsestring();
    if (test == QLatin1String("FALSE") || (!localFalse.isEmpty() && test == localFalse)) {
        value = false;
        return true;
    }
    const QString localTrue = mSHAREDDateFunc::truestring();
    if (test == QLatin1String("TRUE") || (!localTrue.isEmpty() && test == localTrue)) {
        value = true;
        return true;
    }
    return false;
}

}  // namespace

void SettingsStore::setErrorReporter(ErrorReporter r) { reporter() = std::move(r); }

void SettingsStore::report(const QString& message)
{
    if (reporter())
        reporter()(message, QString());
    else
        showErrorReport(message, QString());
}

SettingsStore::SettingsStore() = default;

SettingsStore::~SettingsStore() = default;

std::int32_t SettingsStore::SettingsCount() const
{
    return static_cast<std::int32_t>(list_.size());
}

QString SettingsStore::SettingNameByIndex(std::int32_t index) const
{
    if (index < 1 || index > SettingsCount())
        return {};
    return list_[static_cast<std::size_t>(index - 1)].KeyName;
}

void SettingsStore::sSet(const QString& settingTitle, const SettingValue& settingValue)
{
    StoreSetting(settingTitle, settingValue);
}

void SettingsStore::StoreSetting(const QString& settingTitle, const SettingValue& settingValue)
{
    ErrorRecorder on(QStringLiteral("storesetting"), kModule);
    on([&] { addsetting(settingTitle.toUpper(), settingValue); });
}

SettingValue SettingsStore::RetrieveWithDefault(const QString& settingTitle,
                                                  const SettingValue& defaultIfZero)
{
    SettingValue result;
    ErrorRecorder on(QStringLiteral("retrievewithdefault"), kModule);
    on([&] { result = RetrieveSetting(settingTitle, defaultIfZero); });
    on([&] {
        if (result.isNumericZero())
            result = defaultIfZero;
    });
    return result;
}

void SettingsStore::DeleteAllSettings() { list_.clear(); }

SettingValue SettingsStore::sGet(const QString& settingTitle,
                                   const SettingValue& defaultIfUnknown)
{
    return RetrieveSetting(settingTitle, defaultIfUnknown);
}

SettingValue SettingsStore::RetrieveSetting(const QString& settingTitle,
                                              const SettingValue& defaultIfUnknown)
{
    SettingValue result;
    ErrorRecorder on(QStringLiteral("retrievesetting"), kModule);
    std::int32_t at = -1;
    std::int32_t insertAt = 0;
    on([&] { at = SettingPresent(settingTitle.toUpper(), insertAt); });
    if (at < 0)
        return defaultIfUnknown;
    on([&] {
        const SettingValue& stored = list_[static_cast<std::size_t>(at - 1)].KeyValue;
        bool flag = false;
        result = readsAsFlag(stored.toText(), flag) ? SettingValue(flag) : stored;
    });
    return result;
}

void SettingsStore::DeleteSettingByName(const QString& settingName)
{
    ErrorRecorder on(QStringLiteral("deletesettingbyname"), kModule);
    on([&] {
        std::int32_t insertAt = 0;
        std::int32_t at = SettingPresent(settingName, insertAt);
        if (at < 0)
            at = SettingPresent(settingName.toUpper(), insertAt);
        if (at > 0)
            list_.erase(list_.begin() + (at - 1));
    });
}

void SettingsStore::DeleteSetting(std::int32_t index)
{
    ErrorRecorder on(QStringLiteral("deletesetting"), kModule);
    on([&] {
        if (index < 1 || index > SettingsCount())
            raiseError(err::SubscriptOutOfRange);
        list_.erase(list_.begin() + (index - 1));
    });
}

void SettingsStore::addsetting(const QString& key, const SettingValue& value)
{
    ErrorRecorder on(QStringLiteral("addsetting"), kModule);
    on([&] {
        std::int32_t insertAt = 0;
        const std::int32_t at = SettingPresent(key, insertAt);
        if (at > 0) {
            list_[static_cast<std::size_t>(at - 1)].KeyValue = value;
            return;
        }
        SettingEntry entry{withoutCommas(key), value};
        if (insertAt == 0 || insertAt > SettingsCount())
            list_.push_back(std::move(entry));
        else
            list_.insert(list_.begin() + (insertAt - 1), std::move(entry));
    });
}

std::int32_t SettingsStore::SettingPresent(const QString& rawKey, std::int32_t& insertAt) const
{
    std::int32_t result = -1;
    // A failed lookup reads as "not there".
    runSilent([&] {
        const QString key = withoutCommas(rawKey);
        const std::int32_t count = SettingsCount();
        if (count == 0) {
            insertAt = 0;
            return;
        }
        auto name = [&](std::int32_t pos) -> const QString& {
            return list_[static_cast<std::size_t>(pos - 1)].KeyName;
        };
        std::int32_t low = 1;
        std::int32_t high = count;
        std::int32_t mid = 1;
        std::int32_t found = -1;
        // Settings are mostly read at the ends of the list, so both ends go first.
        if (name(1) == key)
            found = 1;
        else if (name(high) == key)
            found = high;
        while (found < 0 && low <= high) {
            mid = static_cast<std::int32_t>((static_cast<std::int64_t>(low) + high) / 2);
            const int c = QString::compare(name(mid), key, Qt::CaseSensitive);
            if (c == 0)
                found = mid;
            else if (c > 0)
                high = mid - 1;
            else
                low = mid + 1;
        }
        if (found > 0) {
            insertAt = found + 1;
            result = found;
            return;
        }
        insertAt = QString::compare(name(mid), key, Qt::CaseSensitive) > 0 ? mid : mid + 1;
    });
    return result;
}

void SettingsStore::sortsettings()
{
    ErrorRecorder on(QStringLiteral("sortsettings"), kModule);
    on([&] {
        auto before = [](const SettingEntry& a, const SettingEntry& b) {
            return QString::compare(a.KeyName, b.KeyName, Qt::CaseSensitive) < 0;
        };
        // A list already in order, as in a file this program wrote, is only looked over once.
        if (std::is_sorted(list_.begin(), list_.end(), before))
            return;
        // Stable, so entries with equal keys keep their order. The positions are sorted and
        // each entry then moved once.
        std::vector<std::size_t> order(list_.size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return before(list_[a], list_[b]); });
        std::vector<SettingEntry> sorted;
        sorted.reserve(list_.size());
        for (const std::size_t from : order)
            sorted.push_back(std::move(list_[from]));
        list_ = std::move(sorted);
    });
}

void SettingsStore::LoadSettings(const QString& settingsFile)
{
    DeleteAllSettings();
    if (!files::exists(settingsFile))
        return;
    // Read here rather than through LoadTextFile, so that a file that exists but cannot be
    // read reaches the caller as its error.
    const QString text = files::decodeText(platform::fileSystem().readAll(settingsFile));
    // Lines end with CR LF; a file edited with LF line ends reads the same way.
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);

    // The lines are gathered in file order and sorted once at the end: putting each into its
    // place as it comes costs a move of everything after it, far too slow for a long file
    // in no order.
    std::vector<SettingEntry> loaded;
    QString currentKey;
    for (const QString& line : lines) {
        try {
            const QString previousKey = currentKey;
            currentKey.clear();
            const qsizetype comma = line.indexOf(QLatin1Char(','));
            if (comma < 0)
                continue;
            currentKey = line.left(comma);
            const QString valueText = line.mid(comma + 1);
            bool flag = false;
            const SettingValue value =
                readsAsFlag(valueText, flag) ? SettingValue(flag) : SettingValue(valueText);
            // Of adjacent lines with the same key only the first counts.
            if (currentKey == text::trimBlanks(previousKey).toUpper() ||
                text::trimBlanks(currentKey).isEmpty())
                continue;
            loaded.push_back(SettingEntry{currentKey, value});
        } catch (...) {
            const int number = currentError().number;
            pointer::showNormal();
            report(QStringLiteral("Error ") + QString::number(number) +
                   QStringLiteral(" in setting file. Line: ") + line + QStringLiteral(" of ") +
                   settingsFile);
            pointer::showBusy();
        }
    }
    list_ = std::move(loaded);
    sortsettings();
    // A key on several lines is one entry, with the value of its last line.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < list_.size(); ++i) {
        if (kept > 0 && list_[kept - 1].KeyName == list_[i].KeyName) {
            list_[kept - 1].KeyValue = std::move(list_[i].KeyValue);
            continue;
        }
        if (kept != i)
            list_[kept] = std::move(list_[i]);
        ++kept;
    }
    list_.resize(kept);
}

void SettingsStore::writeEntries(files::OutputFile& out) const
{
    // The reader skips a line whose key equals the previous line's key without its blanks, so
    // such a line is not written either: what is saved is exactly what loads back.
    QString lastKey;
    for (const SettingEntry& entry : list_) {
        const QString key = withoutCommas(entry.KeyName).toUpper();
        if (key == lastKey || key == text::trimBlanks(lastKey))
            continue;
        out.writeLine(key + QLatin1Char(',') + entry.KeyValue.printForm());
        lastKey = key;
    }
}

void SettingsStore::SaveSettings(const QString& settingsFile)
{
    // The file holds the proxy password, so only its owner may read it. It is replaced
    // atomically: a failed save leaves the previous file as it was.
    constexpr auto access = platform::FileAccess::OwnerOnly;
    // Every failure is recorded too, so that the log tells what the user was shown.
    ErrorRecorder on(QStringLiteral("SaveSettings"), kModule);
    auto open = [&]() {
        int error = 0;
        auto file = files::openForOutput(settingsFile, access, &error);
        if (!file && error != 0)
            on.record(error, errorDescription(error));
        return file;
    };
    auto out = open();
    if (!out)
        return;
    try {
        writeEntries(*out);
        out->close();
        return;
    } catch (...) {
        const auto [number, description] = currentError();
        on.record(number, description);
        // Whatever was written is dropped, never committed over the old file.
        out.reset();
        if (number == err::BadFileNameOrNumber || number == err::PathFileAccessError) {
            platform::message(
                nullptr, QStringLiteral("Unable to write to settings file - possibly read-only?"),
                programTitle());
            return;
        }
        if (number == err::DiskFull) {
            platform::message(nullptr,
                              QStringLiteral("You've run out of disk space on drive ") +
                                  files::driveLetter(settingsFile) +
                                  QStringLiteral(":\rPlease clear some space and then click OK "
                                                 "to attempt to save again."),
                              programTitle());
            // One more attempt; its failure is the caller's to handle.
            out = open();
            if (!out)
                return;
            writeEntries(*out);
            out->close();
            return;
        }
        report(QString::number(number) + QStringLiteral(" - ") + description +
               QStringLiteral(" in SaveSettings"));
    }
}

}  // namespace wexlo
