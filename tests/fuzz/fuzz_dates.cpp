// Dates come from the loans file and from what the user types: the parser must never crash
// or hang under any regional setting, and a date it gives back must be one it can read again.

#include "FuzzSupport.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"
#include "shared/dates/DateFormat.h"
#include "shared/dates/DateParser.h"

#include <cstdlib>
#include <vector>

namespace {

class ChosenLocale : public wexlo::platform::Locale {
public:
    QLocale value;
    QLocale locale() const override { return value; }
};

// Day first, month first, year first, and separators "/", "." and "-".
const char* const kLocales[] = {"en_US", "en_GB", "de_DE", "ja_JP", "nl_NL", "fr_CA"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    wexlo::fuzz::setUpOnce();
    if (size == 0)
        return 0;
    static ChosenLocale locale;
    wexlo::platform::setLocale(&locale);
    constexpr size_t kCount = sizeof kLocales / sizeof kLocales[0];
    static const std::vector<QLocale> locales = [] {
        std::vector<QLocale> all;
        for (const char* name : kLocales)
            all.emplace_back(QString::fromLatin1(name));
        return all;
    }();
    locale.value = locales[data[0] % kCount];
    wexlo::dateformat::resetForTests();

    const QString text = wexlo::fuzz::text(data + 1, size - 1);
    QDate parsed;
    const bool ok = wexlo::dates::tryParseDate(text, parsed);
    bool threw = false;
    QDate again;
    try {
        again = wexlo::dates::parseDate(text);
    } catch (const wexlo::RuntimeError& e) {
        if (e.number() != wexlo::err::TypeMismatch)
            std::abort();
        threw = true;
    }
    if (ok == threw || (ok && again != parsed))
        std::abort();
    if (!ok)
        return 0;
    if (!parsed.isValid())
        std::abort();

    // What the program writes of a date must read back as the same day: the day number of
    // the loans file, the row text "YYYY-MM-DD" and the user's short date (two-digit years
    // only within their window).
    const QString dayNumber = QString::number(wexlo::dates::dayNumber(parsed));
    if (wexlo::dates::parseDate(dayNumber) != parsed)
        std::abort();
    if (parsed.year() >= 1000 && parsed.year() <= 9999 &&
        wexlo::dates::parseDate(parsed.toString(QStringLiteral("yyyy-MM-dd"))) != parsed)
        std::abort();
    if (parsed.year() >= 1930 && parsed.year() <= 2029 &&
        wexlo::dates::parseDate(wexlo::dateformat::shortDateText(parsed)) != parsed)
        std::abort();
    return 0;
}
