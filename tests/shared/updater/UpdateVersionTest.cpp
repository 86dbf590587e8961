#include "shared/diagnostics/Logging.h"
#include "shared/updater/UpdateVersion.h"
#include "support/WexloTest.h"

using namespace wexlo;

namespace {

class UpdateVersion : public test::WexloTest {
protected:
    static ParsedVersion parse(const QString& text)
    {
        ParsedVersion v;
        parseVersion(text, v);
        return v;
    }
};

TEST_F(UpdateVersion, ReadsNumbersLetterAndAddressOfAVersionFile)
{
    const ParsedVersion v =
        parse(QStringLiteral("1.02.0013b\r\nhttp://127.0.0.1/pkg/WexloUpd@@@.exe\r\n"));
    EXPECT_EQ(v.majorNumber, 1);
    EXPECT_EQ(v.minorNumber, 2);
    EXPECT_EQ(v.revision, 13);
    EXPECT_EQ(v.letter, QStringLiteral("b"));
    EXPECT_EQ(v.address, QStringLiteral("http://127.0.0.1/pkg/WexloUpd1213b.exe"));
    EXPECT_EQ(v.text(), QStringLiteral("1.2.13b"));

    logging::writeRecentActions();
    EXPECT_TRUE(logText().contains(
        QStringLiteral("DBG: Url set to http://127.0.0.1/pkg/WexloUpd1213b.exe")));
}

TEST_F(UpdateVersion, RunningVersionHasNoLetterAndNoAddress)
{
    const ParsedVersion v = parse(QStringLiteral("1.0.8"));
    EXPECT_EQ(v.text(), QStringLiteral("1.0.8"));
    EXPECT_TRUE(v.address.isEmpty());
    const ParsedVersion zeros = parse(QStringLiteral("1.00.0008\r\n"));
    EXPECT_EQ(zeros.text(), QStringLiteral("1.0.8"));
    EXPECT_TRUE(zeros.letter.isEmpty());
    // A version line with a trailing blank is still plain 1.0.8, not 1.0.8 plus a blank letter.
    EXPECT_TRUE(parse(QStringLiteral("1.00.0008 \r\nhttp://x/p")).letter.isEmpty());
}

TEST_F(UpdateVersion, AddressTakesEverythingAfterTheFirstLine)
{
    EXPECT_EQ(parse(QStringLiteral("1.00.0009\nhttp://h/p.exe\n")).address,
              QStringLiteral("http://h/p.exe"));
    EXPECT_EQ(parse(QStringLiteral("1.00.0009\r\nhttp://h/a\r\nb\r\n")).address,
              QStringLiteral("http://h/ab"));
    EXPECT_TRUE(parse(QStringLiteral("1.00.0009")).address.isEmpty());
}

TEST_F(UpdateVersion, ComparesNumbersThenLetters)
{
    struct Case {
        const char* file;
        const char* running;
        bool newer;
    } cases[] = {
        {"1.00.0009", "1.00.0008", true},   {"1.00.0008", "1.00.0008", false},
        {"1.00.0008a", "1.00.0008", true},  {"1.00.0008", "1.00.0008a", false},
        {"1.00.0008b", "1.00.0008a", true}, {"2.00.0000", "1.09.0099", true},
        {"1.09.0100", "1.10.0000", false},  {"1.00.0007z", "1.00.0008", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(
            parse(QString::fromLatin1(c.file)).isNewerThan(parse(QString::fromLatin1(c.running))),
            c.newer)
            << c.file << " vs " << c.running;
    }
}

TEST_F(UpdateVersion, LeadingNumbersRoundHalfToEvenAndOverflowIsLogged)
{
    EXPECT_EQ(leadingNumber(QStringLiteral("  12abc")), 12.0);
    EXPECT_EQ(leadingNumber(QStringLiteral("0013\r\n")), 13.0);
    EXPECT_EQ(leadingNumber(QStringLiteral("x")), 0.0);
    EXPECT_EQ(roundToInt16(2.5), 2);
    EXPECT_EQ(roundToInt16(3.5), 4);

    ParsedVersion v;
    v.majorNumber = 7;
    parseVersion(QStringLiteral("99999.1.2"), v);
    EXPECT_EQ(v.majorNumber, 7);  // the failed step leaves it as it was
    EXPECT_EQ(v.minorNumber, 1);
    EXPECT_EQ(v.revision, 2);
    logging::writeRecentActions();
    EXPECT_TRUE(logText().contains(
        QStringLiteral("Overflow(6) in ExtractVersion of module fSharedUpdater")));
}

TEST_F(UpdateVersion, TextWithoutDotsFailsStepByStepWithoutCrashing)
{
    ParsedVersion v;
    parseVersion(QStringLiteral("garbage"), v);
    EXPECT_EQ(v.majorNumber, 0);
    EXPECT_EQ(v.minorNumber, 0);
    EXPECT_EQ(v.revision, 0);
    EXPECT_TRUE(v.address.isEmpty());
    parseVersion(QString(), v);
    EXPECT_TRUE(v.letter.isEmpty());
}

}  // namespace
