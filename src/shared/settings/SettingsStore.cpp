#include "shared/settings/SettingsStore.h"

#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"
#include "shared/dates/DateFormat.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/ui/ShowErrorReport.h"
#include "shared/util/Files.h"
#include "shared/util/Pointer.h"
#include "shared/util/ProgramInfo.h"
#include "shared/util/Text.h"

#include <QCoreApplication>

#include <algorithm>
#include <new>
#include <numeric>
#include <utility>

namespace wexlo {

namespace {

namespace logname {
const QString kModule = QStringLiteral("cSHAREDSettings");
const QString kRemoveAt = QStringLiteral("deletesetting");
const QString kSave = QStringLiteral("SaveSettings");
}  // namespace logname

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
    const QString localFalse = dateformat::falseWord();
    if (test == QLatin1String("FALSE") || (!localFalse.isEmpty() && test == localFalse)) {
        value = false;
        return true;
    }
    const QString localTrue = dateformat::trueWord();
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

std::int32_t SettingsStore::count() const { return static_cast<std::int32_t>(list_.size()); }

QString SettingsStore::keyAt(std::int32_t index) const
{
    if (index < 1 || index > count())
        return {};
    return list_[static_cast<std::size_t>(index - 1)].key;
}

void SettingsStore::set(const QString& key, const SettingValue& value)
{
    const QString upper = key.toUpper();
    std::int32_t insertAt = 0;
    const std::int32_t at = find(upper, insertAt);
    if (at > 0) {
        list_[static_cast<std::size_t>(at - 1)].value = value;
        return;
    }
    SettingEntry entry{withoutCommas(upper), value};
    if (insertAt == 0 || insertAt > count())
        list_.push_back(std::move(entry));
    else
        list_.insert(list_.begin() + (insertAt - 1), std::move(entry));
}

SettingValue SettingsStore::valueOr(const QString& key, const SettingValue& defaultIfZero) const
{
    SettingValue result = value(key, defaultIfZero);
    return result.isNumericZero() ? defaultIfZero : result;
}

void SettingsStore::clear() { list_.clear(); }

SettingValue SettingsStore::value(const QString& key, const SettingValue& defaultIfUnknown) const
{
    std::int32_t insertAt = 0;
    const std::int32_t at = find(key.toUpper(), insertAt);
    if (at < 0)
        return defaultIfUnknown;
    const SettingValue& stored = list_[static_cast<std::size_t>(at - 1)].value;
    bool flag = false;
    return readsAsFlag(stored.toText(), flag) ? SettingValue(flag) : stored;
}

void SettingsStore::remove(const QString& key)
{
    std::int32_t insertAt = 0;
    std::int32_t at = find(key, insertAt);
    if (at < 0)
        at = find(key.toUpper(), insertAt);
    if (at > 0)
        list_.erase(list_.begin() + (at - 1));
}

void SettingsStore::removeAt(std::int32_t index)
{
    if (index < 1 || index > count()) {
        ErrorRecorder(logname::kRemoveAt, logname::kModule)
            .record(err::SubscriptOutOfRange, errorDescription(err::SubscriptOutOfRange));
        return;
    }
    list_.erase(list_.begin() + (index - 1));
}

std::int32_t SettingsStore::find(const QString& rawKey, std::int32_t& insertAt) const
{
    const QString key = withoutCommas(rawKey);
    const std::int32_t n = count();
    if (n == 0) {
        insertAt = 0;
        return -1;
    }
    auto name = [&](std::int32_t pos) -> const QString& {
        return list_[static_cast<std::size_t>(pos - 1)].key;
    };
    std::int32_t low = 1;
    std::int32_t high = n;
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
        return found;
    }
    insertAt = QString::compare(name(mid), key, Qt::CaseSensitive) > 0 ? mid : mid + 1;
    return -1;
}

void SettingsStore::sort()
{
    auto before = [](const SettingEntry& a, const SettingEntry& b) {
        return QString::compare(a.key, b.key, Qt::CaseSensitive) < 0;
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
}

void SettingsStore::load(const QString& settingsFile)
{
    clear();
    if (!files::exists(settingsFile))
        return;
    // Read here rather than through files::readText, so that a file that exists but cannot be
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
    sort();
    // A key on several lines is one entry, with the value of its last line.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < list_.size(); ++i) {
        if (kept > 0 && list_[kept - 1].key == list_[i].key) {
            list_[kept - 1].value = std::move(list_[i].value);
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
        const QString key = withoutCommas(entry.key).toUpper();
        if (key == lastKey || key == text::trimBlanks(lastKey))
            continue;
        out.writeLine(key + QLatin1Char(',') + entry.value.printForm());
        lastKey = key;
    }
}

void SettingsStore::save(const QString& settingsFile)
{
    // The file holds the proxy password, so only its owner may read it. It is replaced
    // atomically: a failed save leaves the previous file as it was.
    constexpr auto access = platform::FileAccess::OwnerOnly;
    // Every failure is recorded too, so that the log tells what the user was shown.
    ErrorRecorder on(logname::kSave, logname::kModule);
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
                nullptr,
                QCoreApplication::translate(
                    "Settings", "Unable to write to settings file - possibly read-only?"),
                programTitle());
            return;
        }
        if (number == err::DiskFull) {
            platform::message(nullptr,
                              QCoreApplication::translate(
                                  "Settings",
                                  "You've run out of disk space on drive %1:\rPlease clear some "
                                  "space and then click OK to attempt to save again.")
                                  .arg(files::driveLetter(settingsFile)),
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
               QStringLiteral(" in ") + logname::kSave);
    }
}

}  // namespace wexlo
