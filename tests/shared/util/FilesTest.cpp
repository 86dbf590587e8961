#include "platform/RuntimeError.h"
#include "shared/util/Files.h"
#include "support/WexloTest.h"

#include <QDir>
#include <QFile>

using namespace wexlo;
using namespace wexlo::files;

namespace {

class Files : public test::WexloTest {};

TEST_F(Files, PathHelpersAcceptBothSeparators)
{
    EXPECT_EQ(folderOf(QStringLiteral("C:/data/list.txt")), QStringLiteral("C:/data/"));
    EXPECT_EQ(fileNameOf(QStringLiteral("C:/data/list.txt")), QStringLiteral("list.txt"));
    EXPECT_EQ(folderOf(QStringLiteral("C:\\dir\\")), QStringLiteral("C:\\dir\\"));
    EXPECT_EQ(fileNameOf(QStringLiteral("C:\\dir\\")), QString());
    EXPECT_EQ(folderOf(QStringLiteral("list.txt")), QStringLiteral("./"));
    EXPECT_EQ(fileNameOf(QStringLiteral("list.txt")), QStringLiteral("list.txt"));
    EXPECT_EQ(fileNameOf(QStringLiteral("/home/a\\b.txt")), QStringLiteral("b.txt"));
    EXPECT_EQ(withSlash(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_EQ(withSlash(QStringLiteral("/data")), QStringLiteral("/data/"));
    EXPECT_EQ(withSlash(QString()), QString());
    EXPECT_EQ(driveLetter(QStringLiteral("D:\\data\\Wexlo.ini")), QStringLiteral("D"));
    EXPECT_EQ(driveLetter(QStringLiteral("\\\\server\\share\\x")),
              QStringLiteral("\\\\server\\share\\x"));
}

TEST_F(Files, ExistsIsFalseForFoldersAndTakesWildcards)
{
    QDir(home_.path()).mkdir(QStringLiteral("sub.txt"));
    EXPECT_FALSE(exists(appFile(QStringLiteral("sub.txt"))));
    EXPECT_FALSE(exists(appFile(QStringLiteral("missing"))));
    EXPECT_FALSE(exists(appFile(QStringLiteral("*.txt"))));  // the only match is a folder
    writeBytes(appFile(QStringLiteral("a.txt")), "x");
    EXPECT_TRUE(exists(appFile(QStringLiteral("a.txt"))));
    EXPECT_TRUE(exists(appFile(QStringLiteral("*.txt"))));
    EXPECT_TRUE(exists(appFile(QStringLiteral("?.txt"))));
    EXPECT_FALSE(exists(appFile(QStringLiteral("??.txt"))));
}

TEST_F(Files, TextRoundTripsAndWindowsFilesKeepTheirAccents)
{
    const QString path = appFile(QStringLiteral("t.txt"));
    const QString text = QStringLiteral("Zoë, café\r\nline 2 no end");
    EXPECT_TRUE(writeText(path, text));
    QString back;
    EXPECT_TRUE(readText(path, back));
    EXPECT_EQ(back, text);
    EXPECT_EQ(readBytes(path), text.toUtf8());

    writeBytes(path, "Zo\xeb \x80 5\r\n");  // Windows-1252
    EXPECT_TRUE(readText(path, back));
    EXPECT_EQ(back, QStringLiteral("Zoë € 5\r\n"));

    EXPECT_TRUE(writeText(path, QString()));
    EXPECT_EQ(QFileInfo(path).size(), 0);

    back = QStringLiteral("kept");
    EXPECT_TRUE(readText(appFile(QStringLiteral("missing")), back));
    EXPECT_EQ(back, QString());
}

// The loans file is read line by line without a text for the whole file; it must read every
// line as the whole-file reader does, byte order marks and mixed encodings included.
TEST_F(Files, LineByLineReadingAgreesWithTheWholeFileReader)
{
    const QByteArray cases[] = {
        "",
        "plain\r\nlines\r\n",
        "no end",
        "\xEF\xBB\xBF"
        "marked\r\n",
        "\xEF\xBB\xBF\xEF\xBB\xBF"
        "twice\n",
        "Zo\xeb \x80\r\n\xEF\xBB\xBF"
        "caf\xC3\xA9\r\nJ\xC3\xBCrgen\n",
        "\xEF\xBB\xBF\xEF\xBB\xBF"
        "a\n\xEF\xBB\xBF\xEF\xBB\xBF"
        "b \x81\x8D\x9D\n\xff",
        "\n\n\r\n",
        "\xC3\xA9\xED\xA0\x80 surrogate half\n\xF4\x90\x80\x80\n",
    };
    for (const QByteArray& bytes : cases) {
        QByteArray lines;
        forEachUtf8Line(bytes, [&lines](QByteArrayView line) {
            lines += line.toByteArray();
            lines += '\n';
        });
        if (!bytes.endsWith('\n'))
            lines.chop(1);  // a last line without its end
        EXPECT_EQ(QString::fromUtf8(lines), decodeText(bytes)) << bytes.toHex().toStdString();
    }
}

TEST_F(Files, UnreadableFileLeavesTheTextAsItWas)
{
    useFaultyFileSystem();
    const QString path = appFile(QStringLiteral("locked.txt"));
    writeBytes(path, "data");
    files_.failRead[QStringLiteral("locked.txt")] = err::PermissionDenied;
    QString text = QStringLiteral("before");
    EXPECT_FALSE(readText(path, text));
    EXPECT_EQ(text, QStringLiteral("before"));
}

TEST_F(Files, ReadOnlyFileIsMadeWritableOrLoggedAndKept)
{
    const QString path = appFile(QStringLiteral("ro.txt"));
    writeBytes(path, "old");
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    EXPECT_TRUE(isReadOnly(path));
    EXPECT_FALSE(isReadOnly(appFile(QStringLiteral("missing"))));

    useFaultyFileSystem();
    files_.refuseWritable[QStringLiteral("ro.txt")] = true;
    EXPECT_EQ(openForOutput(path), nullptr);
    EXPECT_FALSE(writeText(path, QStringLiteral("new")));
    EXPECT_EQ(readBytes(path), QByteArray("old"));
    EXPECT_EQ(
        logLines().last(),
        path + QStringLiteral(" is read only, can't change it to read write, can't update it"));

    files_.refuseWritable.clear();
    EXPECT_TRUE(writeText(path, QStringLiteral("new")));
    EXPECT_EQ(readBytes(path), QByteArray("new"));
}

TEST_F(Files, InterruptedWriteLeavesTheOldFileWhole)
{
    const QString path = appFile(QStringLiteral("data.txt"));
    writeBytes(path, "old content");
    useFaultyFileSystem();
    files_.writeLimit[QStringLiteral("data.txt")] = 10;
    auto out = openForOutput(path);
    ASSERT_NE(out, nullptr);
    EXPECT_THROW(
        {
            out->write(QString(100000, QLatin1Char('x')));
            out->close();
        },
        RuntimeError);
    EXPECT_EQ(readBytes(path), QByteArray("old content"));

    files_.writeLimit.clear();
    files_.failCommit[QStringLiteral("data.txt")] = err::DiskFull;
    EXPECT_FALSE(writeText(path, QStringLiteral("new")));
    EXPECT_EQ(readBytes(path), QByteArray("old content"));
    EXPECT_EQ(QDir(home_.path()).entryList(QDir::Files), QStringList{QStringLiteral("data.txt")});
}

TEST_F(Files, EraseRemovesEvenReadOnlyFilesAndIgnoresMissingOnes)
{
    const QString path = appFile(QStringLiteral("e.txt"));
    writeBytes(path, "x");
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    erase(path);
    EXPECT_FALSE(QFile::exists(path));
    erase(path);
    EXPECT_EQ(logText(), QString());
}

}  // namespace
