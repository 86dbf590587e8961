#include "shared/dates/DateFormat.h"

#include "platform/Platform.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/diagnostics/Logging.h"

namespace wexlo::dateformat {

namespace {
struct State {
    bool initialised = false;
    QString shortPattern;
    QString fullPattern;
    QString fullPatternTime;
    QString separator;
    QString trueString;
    QString falseString;
    int monthField = 0;
    int dayField = 0;
    QString probeOverride;  // tests: the short-date text of the probe date
};

State& state()
{
    static State s;
    return s;
}

// Every decimal digit of any script as its ASCII digit: locales that write dates in their
// own digits (Arabic-Indic, Persian, Bengali, Devanagari, ...) are then read for their order.
QString asciiDigits(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const uint c : text.toUcs4()) {
        const int digit =
            QChar::category(c) == QChar::Number_DecimalDigit ? QChar::digitValue(c) : -1;
        if (digit >= 0)
            out += QLatin1Char(static_cast<char>('0' + digit));
        else
            out += QChar::fromUcs4(c);
    }
    return out;
}

// The probe date 25 December 2001 as the user's short date shows it, in ASCII digits.
QString probeText()
{
    if (!state().probeOverride.isEmpty())
        return asciiDigits(state().probeOverride);
    return asciiDigits(
        platform::locale().locale().toString(QDate(2001, 12, 25), QLocale::ShortFormat));
}

// 1-based position of the first occurrence, 0 when absent.
qsizetype position(const QString& text, const QString& what) { return text.indexOf(what) + 1; }

// The locale's words for the Booleans. The platform offers none, so a small table by language.
QString booleanWord(bool value)
{
    switch (platform::locale().locale().language()) {
        case QLocale::German:
            return value ? QStringLiteral("Wahr") : QStringLiteral("Falsch");
        case QLocale::French:
            return value ? QStringLiteral("Vrai") : QStringLiteral("Faux");
        case QLocale::Spanish:
            return value ? QStringLiteral("Verdadero") : QStringLiteral("Falso");
        case QLocale::Italian:
            return value ? QStringLiteral("Vero") : QStringLiteral("Falso");
        case QLocale::Dutch:
            return value ? QStringLiteral("Waar") : QStringLiteral("Onwaar");
        case QLocale::Portuguese:
            return value ? QStringLiteral("Verdadeiro") : QStringLiteral("Falso");
        case QLocale::Swedish:
            return value ? QStringLiteral("Sant") : QStringLiteral("Falskt");
        case QLocale::Danish:
            return value ? QStringLiteral("Sand") : QStringLiteral("Falsk");
        case QLocale::NorwegianBokmal:
            return value ? QStringLiteral("Sann") : QStringLiteral("Usann");
        default:
            return value ? QStringLiteral("True") : QStringLiteral("False");
    }
}

QString two(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }

bool tokenAt(const QString& pattern, qsizetype i, const char* token)
{
    const QString t = QString::fromLatin1(token);
    return pattern.mid(i, t.size()).compare(t, Qt::CaseInsensitive) == 0;
}
}  // namespace

QString detectSeparator()
{
    const QString probe = probeText();
    // "/" both when the date shows it and when it shows no separator at all.
    if (probe.contains(QLatin1Char('.')) && !probe.contains(QLatin1Char('/')))
        return QStringLiteral(".");
    if (probe.contains(QLatin1Char('-')) && !probe.contains(QLatin1Char('/')))
        return QStringLiteral("-");
    return QStringLiteral("/");
}

QString detectShortPattern()
{
    const QString probe = probeText();
    bool twoDigitYear = false;
    qsizetype yearPos = position(probe, QStringLiteral("2001"));
    if (yearPos == 0) {
        yearPos = position(probe, QStringLiteral("01"));
        twoDigitYear = true;
    }
    const qsizetype monthPos = position(probe, QStringLiteral("12"));
    const qsizetype dayPos = position(probe, QStringLiteral("25"));
    State& s = state();
    QString pattern;
    if (yearPos == 1) {
        if (dayPos < monthPos) {
            pattern = QStringLiteral("YYYY/DD/MM");
            s.monthField = 3;
            s.dayField = 2;
        } else {
            pattern = QStringLiteral("YYYY/MM/DD");
            s.monthField = 2;
            s.dayField = 3;
        }
    } else if (dayPos < monthPos) {
        pattern = QStringLiteral("DD/MM/YYYY");
        s.monthField = 2;
        s.dayField = 1;
    } else {
        pattern = QStringLiteral("MM/DD/YYYY");
        s.monthField = 1;
        s.dayField = 2;
    }
    if (probe.contains(QLatin1Char('.')))
        pattern.replace(QLatin1Char('/'), QLatin1Char('.'));
    if (probe.contains(QLatin1Char('-')))
        pattern.replace(QLatin1Char('/'), QLatin1Char('-'));
    if (twoDigitYear)
        pattern.replace(QStringLiteral("YYYY"), QStringLiteral("YY"));
    return pattern;
}

QString detectFullPattern()
{
    const QString probe = probeText();
    QString pattern = QStringLiteral("DD/MMM/YYYY");
    if (probe.contains(QLatin1Char('.')))
        pattern.replace(QLatin1Char('/'), QLatin1Char('.'));
    if (probe.contains(QLatin1Char('-')))
        pattern.replace(QLatin1Char('/'), QLatin1Char('-'));
    return pattern;
}

void detectOnce()
{
    State& s = state();
    if (s.initialised)
        return;
    s.shortPattern = detectShortPattern();
    s.fullPattern = detectFullPattern();
    s.fullPatternTime = s.fullPattern + QStringLiteral(" HH:MM");
    s.separator = detectSeparator();
    s.trueString = booleanWord(true).toUpper();
    s.falseString = booleanWord(false).toUpper();
    const QString lines[] = {
        QStringLiteral("Date format: ") + s.shortPattern,
        QStringLiteral("Full date format: ") + s.fullPattern,
        QStringLiteral("Full date format plus time: ") + s.fullPatternTime,
        QStringLiteral("Date separator: ") + s.separator,
        QStringLiteral("True string: ") + s.trueString + QStringLiteral(" False string: ") +
            s.falseString,
    };
    // A log that cannot be written must not keep the dates from showing.
    for (const QString& line : lines)
        runSilent([&] { logging::writeLine(line); });
    s.initialised = true;
}

QString separator()
{
    detectOnce();
    return state().separator;
}

int monthPosition()
{
    detectOnce();
    return state().monthField;
}

int dayPosition()
{
    detectOnce();
    return state().dayField;
}

QString trueWord()
{
    detectOnce();
    return state().trueString;
}

QString falseWord()
{
    detectOnce();
    return state().falseString;
}

QString shortPattern()
{
    detectOnce();
    return state().shortPattern;
}

QString fullPattern()
{
    detectOnce();
    return state().fullPattern;
}

QString fullDateTimePattern()
{
    detectOnce();
    return state().fullPatternTime;
}

QString formatDate(const QDateTime& when, const QString& pattern)
{
    const QDate d = when.date();
    const QTime t = when.time();
    const QLocale locale = platform::locale().locale();
    QString out;
    qsizetype i = 0;
    while (i < pattern.size()) {
        if (tokenAt(pattern, i, "YYYY")) {
            out += QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0'));
            i += 4;
        } else if (tokenAt(pattern, i, "YY")) {
            out += two(d.year() % 100);
            i += 2;
        } else if (tokenAt(pattern, i, "MMM")) {
            out += locale.monthName(d.month(), QLocale::ShortFormat);
            i += 3;
        } else if (tokenAt(pattern, i, "MM")) {
            // Minutes when it follows "HH:", the month otherwise.
            const bool minutes = i >= 3 && tokenAt(pattern, i - 3, "HH:");
            out += two(minutes ? t.minute() : d.month());
            i += 2;
        } else if (tokenAt(pattern, i, "DD")) {
            out += two(d.day());
            i += 2;
        } else if (tokenAt(pattern, i, "HH")) {
            out += two(t.hour());
            i += 2;
        } else if (pattern.at(i) == QLatin1Char('/')) {
            out += separator();
            ++i;
        } else if (pattern.at(i) == QLatin1Char(':')) {
            out += platform::timeSeparator(locale);
            ++i;
        } else {
            out += pattern.at(i);
            ++i;
        }
    }
    return out;
}

QString formatDate(const QDate& d, const QString& pattern)
{
    return formatDate(QDateTime(d, QTime(0, 0)), pattern);
}

QString shortDateText(const QDate& d) { return formatDate(d, shortPattern()); }

void setProbeTextForTests(const QString& text) { state().probeOverride = text; }

void resetForTests() { state() = State{}; }

}  // namespace wexlo::dateformat
