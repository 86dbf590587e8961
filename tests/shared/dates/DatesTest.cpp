#include "platform/RuntimeError.h"
#include "shared/dates/DateFormat.h"
#include "shared/dates/DateParser.h"
#include "support/WexloTest.h"

using namespace wexlo;
using namespace wexlo::dateformat;

namespace {

class Dates : public test::WexloTest {
protected:
    void SetUp() override
    {
        WexloTest::SetUp();
        resetForTests();
    }
    void TearDown() override
    {
        resetForTests();
        WexloTest::TearDown();
    }
    void useLocale(const char* name)
    {
        locale_.value = QLocale(QString::fromLatin1(name));
        resetForTests();
    }
    void useProbe(const char* probe) { setProbeTextForTests(QString::fromLatin1(probe)); }
};

const QDate kMarch7(2026, 3, 7);

TEST_F(Dates, LocalesGiveTheirFieldOrderSeparatorAndYearLength)
{
    struct Case {
        const char* probe;
        const char* pattern;
        int month, day;
        const char* separator;
        const char* march7;
    } cases[] = {
        {"25/12/2001", "DD/MM/YYYY", 2, 1, "/", "07/03/2026"},
        {"12/25/01", "MM/DD/YY", 1, 2, "/", "03/07/26"},
        {"2001-12-25", "YYYY-MM-DD", 2, 3, "-", "2026-03-07"},
        {"2001.12.25", "YYYY.MM.DD", 2, 3, ".", "2026.03.07"},
        {"2001/25/12", "YYYY/DD/MM", 3, 2, "/", "2026/07/03"},
        {"25.12.01", "DD.MM.YY", 2, 1, ".", "07.03.26"},
        // The month shown as a name is not found: the day counts as after the month.
        {"25-Dec-2001", "MM-DD-YYYY", 1, 2, "-", "03-07-2026"},
        // An unusual separator keeps "/" in the pattern, and formatting writes "/".
        {"25 12 2001", "DD/MM/YYYY", 2, 1, "/", "07/03/2026"},
    };
    for (const Case& c : cases) {
        resetForTests();
        useProbe(c.probe);
        EXPECT_EQ(shortPattern(), QString::fromLatin1(c.pattern)) << c.probe;
        EXPECT_EQ(monthPosition(), c.month) << c.probe;
        EXPECT_EQ(dayPosition(), c.day) << c.probe;
        EXPECT_EQ(separator(), QString::fromLatin1(c.separator)) << c.probe;
        EXPECT_EQ(shortDateText(kMarch7), QString::fromLatin1(c.march7)) << c.probe;
    }
}

TEST_F(Dates, RealLocalesAreReadFromTheRegionalSettings)
{
    useLocale("en_US");
    EXPECT_EQ(shortPattern(), QStringLiteral("MM/DD/YY"));
    EXPECT_EQ(trueWord(), QStringLiteral("TRUE"));
    useLocale("en_GB");
    EXPECT_EQ(shortPattern(), QStringLiteral("DD/MM/YYYY"));
    EXPECT_EQ(shortDateText(kMarch7), QStringLiteral("07/03/2026"));
    useLocale("de_DE");
    EXPECT_EQ(separator(), QStringLiteral("."));
    EXPECT_EQ(monthPosition(), 2);
    EXPECT_EQ(falseWord(), QStringLiteral("FALSCH"));
    EXPECT_EQ(fullPattern(), QStringLiteral("DD.MMM.YYYY"));
    useLocale("sv_SE");
    EXPECT_EQ(shortPattern(), QStringLiteral("YYYY-MM-DD"));
}

// Locales that write dates in their own digits (Arabic-Indic, Persian, Bengali, Devanagari,
// Myanmar, Tibetan, Chakma beyond the 16-bit range) are read for their own order and separator;
// shown dates use ASCII digits and read back as the same date.
TEST_F(Dates, EveryLocaleGetsItsOwnOrderWhateverDigitsItWrites)
{
    struct Case {
        const char* locale;
        const char* pattern;
        int month, day;
        const char* separator;
        const char* christmasEve;  // 24 December 2025 as shown
    } cases[] = {
        {"ar_EG", "DD/MM/YYYY", 2, 1, "/", "24/12/2025"},
        {"fa_IR", "YYYY/MM/DD", 2, 3, "/", "2025/12/24"},
        {"bn_BD", "DD/MM/YY", 2, 1, "/", "24/12/25"},
        {"mr_IN", "DD/MM/YY", 2, 1, "/", "24/12/25"},
        {"ne_NP", "YY/MM/DD", 2, 3, "/", "25/12/24"},
        {"my_MM", "DD-MM-YY", 2, 1, "-", "24-12-25"},
        {"dz_BT", "YYYY-MM-DD", 2, 3, "-", "2025-12-24"},
        {"ccp_BD", "DD/MM/YY", 2, 1, "/", "24/12/25"},
        {"en_GB", "DD/MM/YYYY", 2, 1, "/", "24/12/2025"},
        {"en_US", "MM/DD/YY", 1, 2, "/", "12/24/25"},
        {"de_DE", "DD.MM.YY", 2, 1, ".", "24.12.25"},
        {"ja_JP", "YYYY/MM/DD", 2, 3, "/", "2025/12/24"},
        {"sv_SE", "YYYY-MM-DD", 2, 3, "-", "2025-12-24"},
    };
    const QDate christmasEve(2025, 12, 24);
    for (const Case& c : cases) {
        useLocale(c.locale);
        EXPECT_EQ(shortPattern(), QString::fromLatin1(c.pattern)) << c.locale;
        EXPECT_EQ(monthPosition(), c.month) << c.locale;
        EXPECT_EQ(dayPosition(), c.day) << c.locale;
        EXPECT_EQ(separator(), QString::fromLatin1(c.separator)) << c.locale;
        const QString shown = shortDateText(christmasEve);
        EXPECT_EQ(shown, QString::fromLatin1(c.christmasEve)) << c.locale;
        QDate back;
        EXPECT_TRUE(dates::tryParseDate(shown, back) && back == christmasEve) << c.locale;
    }
}

TEST_F(Dates, LocaleIsDetectedAndLoggedOnce)
{
    useLocale("en_GB");
    shortDateText(kMarch7);
    shortDateText(kMarch7);
    EXPECT_EQ(logLines(), (QStringList{
                              QStringLiteral("Date format: DD/MM/YYYY"),
                              QStringLiteral("Full date format: DD/MMM/YYYY"),
                              QStringLiteral("Full date format plus time: DD/MMM/YYYY HH:MM"),
                              QStringLiteral("Date separator: /"),
                              QStringLiteral("True string: TRUE False string: FALSE"),
                          }));
}

TEST_F(Dates, PatternLanguage)
{
    useLocale("en_GB");
    const QDateTime when(kMarch7, QTime(9, 5, 0));
    EXPECT_EQ(formatDate(when, QStringLiteral("DD/MMM/YYYY HH:MM")),
              QStringLiteral("07/Mar/2026 09:05"));
    EXPECT_EQ(formatDate(when, QStringLiteral("yyyy-mm-dd")), QStringLiteral("2026-03-07"));
    EXPECT_EQ(formatDate(when, QStringLiteral("YY.MM")), QStringLiteral("26.03"));
}

TEST_F(Dates, DayNumbersCountFrom30December1899)
{
    EXPECT_EQ(dates::dayNumber(QDate(1899, 12, 30)), 0);
    EXPECT_EQ(dates::dayNumber(QDate(1900, 1, 1)), 2);
    EXPECT_EQ(dates::dayNumber(QDate(2006, 7, 30)), 38928);
    EXPECT_EQ(dates::fromDayNumber(46088), QDate(2026, 3, 7));
}

TEST_F(Dates, ParserAcceptsDayNumbersIsoShortDatesAndMonthNames)
{
    useLocale("en_GB");
    EXPECT_EQ(dates::parseDate(QStringLiteral(" 46088 ")), kMarch7);
    EXPECT_EQ(dates::parseDate(QStringLiteral("46088.75")), kMarch7);
    EXPECT_EQ(dates::parseDate(QStringLiteral("2026-03-07")), kMarch7);
    EXPECT_EQ(dates::parseDate(QStringLiteral("07/03/2026")), kMarch7);
    EXPECT_EQ(dates::parseDate(QStringLiteral("7.3.26")), kMarch7);
    EXPECT_EQ(dates::parseDate(QStringLiteral("07 03 1930")), QDate(1930, 3, 7));
    EXPECT_EQ(dates::parseDate(QStringLiteral("07-03-29")), QDate(2029, 3, 7));
    EXPECT_EQ(dates::parseDate(QStringLiteral("30/Jul/2006")), QDate(2006, 7, 30));
    EXPECT_EQ(dates::parseDate(QStringLiteral("30-jul-2006")), QDate(2006, 7, 30));

    useLocale("en_US");
    EXPECT_EQ(dates::parseDate(QStringLiteral("03/07/26")), kMarch7);
    useLocale("de_DE");
    EXPECT_EQ(dates::parseDate(QStringLiteral("07.Mär.2026")), kMarch7);
    EXPECT_EQ(dates::parseDate(QStringLiteral("07/Mar/2026")), kMarch7);
}

TEST_F(Dates, ParserRefusesWhatItCannotReadWithoutGuessing)
{
    useLocale("en_GB");
    for (const char* bad : {"", "tomorrow", "31/02/2026", "13/13/2026", "2026-13-01", "1/2",
                            "1/2/3/4", "07/03/202", "30/Foo/2006", "12:30", "1e5", "07/03/2026x"}) {
        QDate out(2000, 1, 1);
        EXPECT_FALSE(dates::tryParseDate(QString::fromLatin1(bad), out)) << bad;
        EXPECT_EQ(out, QDate(2000, 1, 1)) << bad;
    }
    try {
        dates::parseDate(QStringLiteral("nonsense"));
        FAIL() << "no error raised";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), err::TypeMismatch);
    }
}

}  // namespace
