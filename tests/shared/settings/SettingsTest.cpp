#include "platform/RuntimeError.h"
#include "shared/dates/DateFormat.h"
#include "shared/diagnostics/Logging.h"
#include "shared/settings/Settings.h"
#include "shared/settings/SettingsStore.h"
#include "support/WexloTest.h"

#include <QFile>
#include <QRandomGenerator>

#include <sys/stat.h>
#include <algorithm>
#include <map>
#include <set>

using namespace wexlo;
using namespace wexlo::settings;

namespace {

struct Report {
    QString message;
    QString helpTopic;
};

class Settings : public test::WexloTest {
protected:
    void SetUp() override
    {
        WexloTest::SetUp();
        settings::resetForTests();
        dateformat::resetForTests();
        SettingsStore::setErrorReporter([this](const QString& m, const QString& h) {
            reports_.push_back({m, h});
        });
        ini_ = appFile(QStringLiteral("Wexlo.ini"));
    }
    void TearDown() override
    {
        SettingsStore::setErrorReporter({});
        settings::resetForTests();
        dateformat::resetForTests();
        WexloTest::TearDown();
    }

    // Loads the file from the given bytes.
    void load(const QByteArray& bytes)
    {
        writeBytes(ini_, bytes);
        loadFile(ini_);
    }
    void reload()
    {
        saveFile(ini_);
        loadFile(ini_);
    }
    QByteArray saved()
    {
        saveFile(ini_);
        return readBytes(ini_);
    }
    QStringList keys() const
    {
        QStringList out;
        for (int i = 1; i <= settings::store()->count(); ++i)
            out << settings::store()->keyAt(i);
        return out;
    }
    static int mode(const QString& path)
    {
        struct stat st {};
        ::stat(QFile::encodeName(path).constData(), &st);
        return static_cast<int>(st.st_mode & 0777);
    }

    QString ini_;
    std::vector<Report> reports_;
};

SettingValue text(const char* s) { return SettingValue(QString::fromUtf8(s)); }

// ---- Values ------------------------------------------------------------------------------

TEST(SettingValueTest, ConvertsAndPrintsEveryKind)
{
    EXPECT_EQ(SettingValue().printForm(), QString());
    EXPECT_EQ(SettingValue(true).printForm(), QStringLiteral("True"));
    EXPECT_EQ(SettingValue(false).printForm(), QStringLiteral("False"));
    EXPECT_EQ(SettingValue(5).printForm(), QStringLiteral(" 5 "));
    EXPECT_EQ(SettingValue(-5).printForm(), QStringLiteral("-5 "));
    EXPECT_EQ(SettingValue(0).printForm(), QStringLiteral(" 0 "));
    EXPECT_EQ(text(" x ").printForm(), QStringLiteral(" x "));

    EXPECT_EQ(text(" 46123 ").toNumber(), 46123);
    EXPECT_EQ(text("-7").toNumber(), -7);
    EXPECT_EQ(SettingValue().toNumber(), 0);
    EXPECT_EQ(SettingValue(12).toText(), QStringLiteral("12"));
    EXPECT_TRUE(text(" True ").toBool());
    EXPECT_FALSE(text("0").toBool());
    EXPECT_TRUE(SettingValue(3).toBool());

    try {
        (void)text("abc").toNumber();
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), err::TypeMismatch);
    }
    try {
        (void)text("99999999999").toNumber();
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), err::Overflow);
    }
    EXPECT_THROW((void)text("Yes").toBool(), RuntimeError);

    EXPECT_TRUE(SettingValue().isNumericZero());
    EXPECT_TRUE(SettingValue(false).isNumericZero());
    EXPECT_TRUE(text(" 0 ").isNumericZero());
    EXPECT_FALSE(text("abc").isNumericZero());
    EXPECT_FALSE(SettingValue(-1).isNumericZero());
}

// ---- Order and lookup ----------------------------------------------------------------------

TEST_F(Settings, KeysSortOrdinallyPrefixFirstDigitsUpperUnderscoreLower)
{
    load("KEY_,u\r\nkey,l\r\nKEYA,a\r\nKEY1,d\r\nKEY,k\r\n_,x\r\n");
    EXPECT_EQ(keys(), (QStringList{"KEY", "KEY1", "KEYA", "KEY_", "_", "key"}));
    for (const char* k : {"KEY", "KEY1", "KEYA", "KEY_", "_"})
        EXPECT_NE(readSetting(QString::fromLatin1(k)), SettingValue()) << k;

    // Stored keys go straight to their place, in upper case.
    writeSetting(QStringLiteral("Key0"), 0);
    writeSetting(QStringLiteral("zz"), 1);
    EXPECT_EQ(keys(), (QStringList{"KEY", "KEY0", "KEY1", "KEYA", "KEY_", "ZZ", "_", "key"}));
}

TEST_F(Settings, ManyRandomKeysStaySortedAndAreAllFound)
{
    loadFile(ini_);
    QRandomGenerator rng(42);
    std::set<QString> expected;
    for (int i = 0; i < 600; ++i) {
        QString k;
        const int len = 1 + static_cast<int>(rng.bounded(4));
        for (int c = 0; c < len; ++c)
            k += QLatin1Char("AB_1z"[rng.bounded(5)]);
        writeSetting(k, i);
        expected.insert(k.toUpper());
    }
    const QStringList got = keys();
    EXPECT_EQ(got, QStringList(expected.begin(), expected.end()));
    for (const QString& k : expected)
        EXPECT_NE(readSetting(k), SettingValue()) << qPrintable(k);
    EXPECT_EQ(readSetting(QStringLiteral("ABSENT"), 9), SettingValue(9));
}

TEST_F(Settings, HandEditedUnsortedFileIsSortedAfterLoading)
{
    load("C,3\r\nA,1\r\nB,2\r\na,x\r\n_,u\r\n1,n\r\n");
    EXPECT_EQ(keys(), (QStringList{"1", "A", "B", "C", "_", "a"}));
    EXPECT_EQ(readSetting(QStringLiteral("b")), text("2"));
    EXPECT_EQ(saved(), QByteArray("1,n\r\nA,1\r\nB,2\r\nC,3\r\n_,u\r\nA,x\r\n"));
}

TEST_F(Settings, ShuffledFileWithRepeatedKeysLoadsAsLineByLineWould)
{
    // Few keys over many lines, so that keys come back often, adjacent and not.
    QRandomGenerator rng(17);
    QByteArray file;
    std::map<QString, QString> expected;
    QString previous;
    for (int i = 0; i < 3000; ++i) {
        QString key;
        const int len = 1 + static_cast<int>(rng.bounded(3));
        for (int c = 0; c < len; ++c)
            key += QLatin1Char("AB_1Z"[rng.bounded(5)]);
        const QString value = QString::number(i);
        file += (key + QLatin1Char(',') + value + QStringLiteral("\r\n")).toLatin1();
        // Of adjacent lines with the same key the first counts; otherwise the last.
        if (key != previous)
            expected[key] = value;
        previous = key;
    }
    load(file);
    QStringList wantKeys;
    for (const auto& [k, v] : expected)
        wantKeys << k;
    ASSERT_EQ(keys(), wantKeys);
    for (const auto& [k, v] : expected)
        EXPECT_EQ(readSetting(k), SettingValue(v)) << qPrintable(k);
}

// ---- Loading ------------------------------------------------------------------------------

TEST_F(Settings, LoadSkipsBadLinesAndKeepsTheRestOfTheLine)
{
    load(
        "no comma here\r\n ,blank key\r\n,empty key\r\nA,B,C\r\n"
        "DUP,first\r\nDUP,second\r\nLATE,1\r\nOTHER,x\r\nLATE,2\r\nEMPTY,\r\n");
    EXPECT_EQ(keys(), (QStringList{"A", "DUP", "EMPTY", "LATE", "OTHER"}));
    EXPECT_EQ(readSetting(QStringLiteral("A")), text("B,C"));
    EXPECT_EQ(readSetting(QStringLiteral("Dup")), text("first"));
    EXPECT_EQ(readSetting(QStringLiteral("late")), text("2"));
    EXPECT_EQ(readSetting(QStringLiteral("EMPTY"), 4), text(""));
    EXPECT_EQ(saved(), QByteArray("A,B,C\r\nDUP,first\r\nEMPTY,\r\nLATE,2\r\nOTHER,x\r\n"));
}

TEST_F(Settings, AKeyWithBlanksByHandSavesWhatLoadsBack)
{
    // "  A" sorts just before "A", and the reader skips an "A" line right after "  A".
    load("A,1\r\n  A,2\r\nB,3\r\n");
    const QByteArray once = saved();
    EXPECT_EQ(once, QByteArray("  A,2\r\nB,3\r\n"));
    loadFile(ini_);
    EXPECT_EQ(saved(), once);
}

TEST_F(Settings, LowerCaseKeyByHandIsNotFoundButSavedInUpperCase)
{
    load("proxytype,1\r\n");
    EXPECT_EQ(keys(), QStringList{"proxytype"});
    EXPECT_EQ(readSetting(QStringLiteral("ProxyType"), 2), SettingValue(2));
    EXPECT_EQ(saved(), QByteArray("PROXYTYPE,1\r\n"));
    loadFile(ini_);
    EXPECT_EQ(readSetting(QStringLiteral("ProxyType"), 2), text("1"));
}

TEST_F(Settings, LfLineEndsLoadLineByLine)
{
    load("A,1\nB,true\nC,x\r\nD,4");
    EXPECT_EQ(keys(), (QStringList{"A", "B", "C", "D"}));
    EXPECT_EQ(readSetting(QStringLiteral("A")), text("1"));
    EXPECT_EQ(readSetting(QStringLiteral("B")), SettingValue(true));
    EXPECT_EQ(readSetting(QStringLiteral("C")), text("x"));
    EXPECT_EQ(readSetting(QStringLiteral("D")), text("4"));
}

TEST_F(Settings, MissingOrEmptyFileAndCallsBeforeLoading)
{
    EXPECT_EQ(readSetting(QStringLiteral("X"), 5), SettingValue());  // no store yet
    writeSetting(QStringLiteral("X"), 1);
    saveFile(ini_);
    EXPECT_FALSE(QFile::exists(ini_));

    loadFile(ini_);
    EXPECT_EQ(settings::store()->count(), 0);
    EXPECT_EQ(readSetting(QStringLiteral("X"), 5), SettingValue(5));
    EXPECT_EQ(readSetting(QStringLiteral("X")), SettingValue());

    writeSetting(QStringLiteral("X"), 1);
    load("");  // a second load replaces what the store held
    EXPECT_EQ(settings::store()->count(), 0);
    EXPECT_EQ(saved(), QByteArray());
}

TEST_F(Settings, UnreadableFileReachesTheCaller)
{
    writeBytes(ini_, "A,1\r\n");
    useFaultyFileSystem();
    files_.failRead[QStringLiteral("Wexlo.ini")] = err::PermissionDenied;
    try {
        loadFile(ini_);
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), err::PermissionDenied);
    }
    EXPECT_TRUE(reports_.empty());

    // What this run changed must not replace the settings it could not read.
    writeSetting(QStringLiteral("ProxyType"), 1);
    saveFile(ini_);
    EXPECT_EQ(readBytes(ini_), QByteArray("A,1\r\n"));
    EXPECT_TRUE(logText().contains(
        QStringLiteral(" could not be read at start-up, so it was not overwritten")));

    files_.failRead.clear();
    loadFile(ini_);  // readable again: saving works as before
    writeSetting(QStringLiteral("B"), QStringLiteral("x"));
    saveFile(ini_);
    EXPECT_EQ(readBytes(ini_), QByteArray("A,1\r\nB,x\r\n"));
}

// ---- Values through the file ------------------------------------------------------------

TEST_F(Settings, CommaInKeyAndNumberWithItsBlanks)
{
    loadFile(ini_);
    writeSetting(QStringLiteral("My,Key"), 5);
    writeSetting(QStringLiteral("Neg"), -12);
    EXPECT_EQ(keys(), (QStringList{"MYKEY", "NEG"}));
    EXPECT_EQ(readSetting(QStringLiteral("MyKey")), SettingValue(5));
    EXPECT_EQ(readSetting(QStringLiteral("My,Key")), SettingValue(5));
    EXPECT_EQ(saved(), QByteArray("MYKEY, 5 \r\nNEG,-12 \r\n"));
    loadFile(ini_);
    EXPECT_EQ(readSetting(QStringLiteral("MyKey")), text(" 5 "));
    EXPECT_EQ(readSetting(QStringLiteral("MyKey")).toNumber(), 5);
}

TEST_F(Settings, TrueAndFalseInAnyCaseComeBackAsBooleans)
{
    loadFile(ini_);
    writeSetting(QStringLiteral("A"), text(" true "));
    writeSetting(QStringLiteral("B"), text("TRUE"));
    writeSetting(QStringLiteral("C"), text("True"));
    writeSetting(QStringLiteral("D"), text("Yes"));
    writeSetting(QStringLiteral("E"), true);
    writeSetting(QStringLiteral("F"), false);
    writeSetting(QStringLiteral("G"), text(" fAlSe"));
    auto check = [&](const char* when) {
        EXPECT_EQ(readSetting(QStringLiteral("A")), SettingValue(true)) << when;
        EXPECT_EQ(readSetting(QStringLiteral("B")), SettingValue(true)) << when;
        EXPECT_EQ(readSetting(QStringLiteral("C")), SettingValue(true)) << when;
        EXPECT_EQ(readSetting(QStringLiteral("D")), text("Yes")) << when;
        EXPECT_EQ(readSetting(QStringLiteral("E")), SettingValue(true)) << when;
        EXPECT_EQ(readSetting(QStringLiteral("F")), SettingValue(false)) << when;
        EXPECT_EQ(readSetting(QStringLiteral("G")), SettingValue(false)) << when;
    };
    check("stored");
    EXPECT_EQ(
        saved(),
        QByteArray("A, true \r\nB,TRUE\r\nC,True\r\nD,Yes\r\nE,True\r\nF,False\r\nG, fAlSe\r\n"));
    loadFile(ini_);
    check("reloaded");
}

TEST_F(Settings, LocaleWordsForTrueAndFalseAreRecognised)
{
    locale_.value = QLocale(QLocale::German, QLocale::Germany);
    dateformat::resetForTests();
    const QString yes = dateformat::trueWord();
    const QString no = dateformat::falseWord();
    ASSERT_FALSE(yes.isEmpty());
    load(("T, " + yes.toLower() + "\r\nF," + no + "\r\n").toUtf8());
    EXPECT_EQ(readSetting(QStringLiteral("T")), SettingValue(true));
    EXPECT_EQ(readSetting(QStringLiteral("F")), SettingValue(false));
    EXPECT_EQ(saved(), QByteArray("F,False\r\nT,True\r\n"));  // English words in the file
}

TEST_F(Settings, EmptyValueAndLineBreakInsideAValue)
{
    loadFile(ini_);
    writeSetting(QStringLiteral("Blank"), SettingValue());
    writeSetting(QStringLiteral("Note"), text("first\r\nX,y"));
    EXPECT_EQ(saved(), QByteArray("BLANK,\r\nNOTE,first\r\nX,y\r\n"));
    loadFile(ini_);
    EXPECT_EQ(readSetting(QStringLiteral("Blank")), text(""));
    EXPECT_EQ(readSetting(QStringLiteral("Note")), text("first"));
    EXPECT_EQ(readSetting(QStringLiteral("X")), text("y"));
}

// ---- The class's other operations ------------------------------------------------------

TEST_F(Settings, IndexDeleteAndDefaults)
{
    load("A,1\r\nB,0\r\nC,False\r\nD, 7 \r\nb,lower\r\n");
    SettingsStore& s = *settings::store();
    EXPECT_EQ(s.keyAt(0), QString());
    EXPECT_EQ(s.keyAt(6), QString());
    EXPECT_EQ(s.keyAt(5), QStringLiteral("b"));

    EXPECT_EQ(s.valueOr(QStringLiteral("Absent"), 30), SettingValue(30));
    EXPECT_EQ(s.valueOr(QStringLiteral("B"), 30), SettingValue(30));
    EXPECT_EQ(s.valueOr(QStringLiteral("C"), 30), SettingValue(30));
    EXPECT_EQ(s.valueOr(QStringLiteral("D"), 30), text(" 7 "));
    EXPECT_EQ(s.value(QStringLiteral("a")), text("1"));
    s.set(QStringLiteral("e"), 3);
    EXPECT_EQ(s.keyAt(5), QStringLiteral("E"));

    s.remove(QStringLiteral("b"));  // as given first
    EXPECT_EQ(s.count(), 5);
    EXPECT_EQ(s.value(QStringLiteral("B")), text("0"));
    s.remove(QStringLiteral("a"));  // then in upper case
    s.removeAt(1);
    EXPECT_EQ(keys(), (QStringList{"C", "D", "E"}));

    s.removeAt(9);
    EXPECT_EQ(s.count(), 3);
    logging::writeRecentActions();
    EXPECT_TRUE(logText().contains(
        QStringLiteral("Subscript out of range(9) in deletesetting of module cSHAREDSettings")))
        << qPrintable(logText());
    s.clear();
    EXPECT_EQ(s.count(), 0);
}

// ---- Saving and its failures -------------------------------------------------------------

TEST_F(Settings, SavedFileIsOwnerOnly)
{
    writeBytes(ini_, "A,1\r\n");
    QFile::setPermissions(ini_, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ReadGroup | QFileDevice::ReadOther);
    loadFile(ini_);
    writeSetting(QStringLiteral("ProxyPwd"), text("secret"));
    EXPECT_EQ(saved(), QByteArray("A,1\r\nPROXYPWD,secret\r\n"));
    EXPECT_EQ(mode(ini_), 0600);

    QFile::remove(ini_);
    saveFile(ini_);
    EXPECT_EQ(mode(ini_), 0600);
}

TEST_F(Settings, MixedEncodingsAreReadLineByLineAndSavedWithoutChange)
{
    // UTF-8 lines with one Windows-1252 line among them, as a hand edit on Windows leaves it.
    const struct {
        const char* line;
        const char* value;  // as read, in UTF-8
        const char* saved;
    } lines[] = {
        {"CITY,K\xF6ln", "Köln", "CITY,Köln"},
        {"NAME,J\xC3\xBCrgen", "Jürgen", "NAME,Jürgen"},
        {"PRICE,5 \x80 \x8D", "5 € \u008D", "PRICE,5 € \xC2\x8D"},
        {"PROXYPWD,p\xC3\xA4ss", "päss", "PROXYPWD,päss"},
    };
    QByteArray file;
    QByteArray expected;
    for (const auto& l : lines) {
        file += QByteArray(l.line) + "\r\n";
        expected += QByteArray(l.saved) + "\r\n";
    }
    load(file);
    for (const auto& l : lines) {
        const QByteArray key = QByteArray(l.line).left(QByteArray(l.line).indexOf(','));
        EXPECT_EQ(readSetting(QString::fromLatin1(key)).toText(), QString::fromUtf8(l.value))
            << l.line;
    }
    EXPECT_EQ(saved(), expected);
}

TEST_F(Settings, ReadOnlyFileOrFailedOpenWritesNothingAndShowsNothing)
{
    load("A,1\r\n");
    writeSetting(QStringLiteral("B"), 2);
    useFaultyFileSystem();
    QFile::setPermissions(ini_, QFileDevice::ReadOwner);
    files_.refuseWritable[QStringLiteral("Wexlo.ini")] = true;
    saveFile(ini_);
    EXPECT_EQ(readBytes(ini_), QByteArray("A,1\r\n"));
    EXPECT_TRUE(logText().contains(QStringLiteral("is read only")));

    files_.refuseWritable.clear();
    files_.failOpen[QStringLiteral("Wexlo.ini")] = err::PermissionDenied;
    saveFile(ini_);
    EXPECT_EQ(readBytes(ini_), QByteArray("A,1\r\n"));
    EXPECT_TRUE(boxes_.shown.isEmpty());
    EXPECT_TRUE(reports_.empty());
}

TEST_F(Settings, AccessErrorWhileWritingSaysPossiblyReadOnly)
{
    load("A,1\r\n");
    writeSetting(QStringLiteral("B"), 2);
    useFaultyFileSystem();
    for (const int number : {err::PathFileAccessError, err::BadFileNameOrNumber}) {
        boxes_.shown.clear();
        files_.failCommit[QStringLiteral("Wexlo.ini")] = number;
        saveFile(ini_);
        ASSERT_EQ(boxes_.shown.size(), 1) << number;
        EXPECT_EQ(boxes_.lastText(),
                  QStringLiteral("Unable to write to settings file - possibly read-only?"));
        EXPECT_EQ(boxes_.shown.last().title, QStringLiteral("Wexlo"));
        EXPECT_EQ(boxes_.shown.last().buttons, platform::MsgButtons::Ok);
        EXPECT_EQ(readBytes(ini_), QByteArray("A,1\r\n"));  // the old file stays whole
    }
    files_.failCommit.clear();
    files_.failWrite[QStringLiteral("Wexlo.ini")] = err::PathFileAccessError;
    saveFile(ini_);
    EXPECT_EQ(boxes_.shown.size(), 2);
    EXPECT_TRUE(reports_.empty());
}

TEST_F(Settings, DiskFullAsksForSpaceAndTriesOnceMore)
{
    load("A,1\r\n");
    writeSetting(QStringLiteral("LastUpdateCheck"), 46123);
    useFaultyFileSystem();
    files_.writeLimit[QStringLiteral("Wexlo.ini")] = 4;
    QByteArray duringBox;
    boxes_.onShow = [&](const platform::MessageRequest&) {
        duringBox = readBytes(ini_);
        files_.writeLimit.clear();  // the user made room
    };
    saveFile(ini_);
    ASSERT_EQ(boxes_.shown.size(), 1);
    EXPECT_EQ(boxes_.lastText(),
              QStringLiteral("You've run out of disk space on drive ") + ini_ +
                  QStringLiteral(
                      ":\rPlease clear some space and then click OK to attempt to save again."));
    EXPECT_EQ(boxes_.shown.last().title, QStringLiteral("Wexlo"));
    EXPECT_EQ(duringBox, QByteArray("A,1\r\n"));  // never a truncated file
    EXPECT_EQ(readBytes(ini_), QByteArray("A,1\r\nLASTUPDATECHECK, 46123 \r\n"));
    EXPECT_TRUE(reports_.empty());
}

TEST_F(Settings, DiskFullTwicePassesTheSecondFailureOnAndKeepsTheOldFile)
{
    load("A,1\r\n");
    writeSetting(QStringLiteral("B"), 2);
    useFaultyFileSystem();
    files_.writeLimit[QStringLiteral("Wexlo.ini")] = 4;
    try {
        saveFile(ini_);
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), err::DiskFull);
    }
    EXPECT_EQ(boxes_.shown.size(), 1);
    EXPECT_EQ(readBytes(ini_), QByteArray("A,1\r\n"));
}

TEST_F(Settings, OtherSaveFailureOpensTheErrorReport)
{
    load("A,1\r\n");
    writeSetting(QStringLiteral("B"), 2);
    useFaultyFileSystem();
    files_.failCommit[QStringLiteral("Wexlo.ini")] = err::DeviceIOError;
    saveFile(ini_);
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_EQ(reports_[0].message, QStringLiteral("57 - Device I/O error in SaveSettings"));
    EXPECT_EQ(reports_[0].helpTopic, QString());
    EXPECT_TRUE(boxes_.shown.isEmpty());
    EXPECT_EQ(readBytes(ini_), QByteArray("A,1\r\n"));

    files_.failCommit.clear();  // the store is unharmed: the next save works
    EXPECT_EQ(saved(), QByteArray("A,1\r\nB, 2 \r\n"));
}

}  // namespace
