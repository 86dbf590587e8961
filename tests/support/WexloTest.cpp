#include "support/WexloTest.h"

#include "platform/AppFolder.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "shared/ResetForTests.h"

#include <QDir>
#include <QFile>

namespace wexlo::test {

void WexloTest::SetUp()
{
    ASSERT_TRUE(home_.isValid());
    platform::setAppFolder(home_.path());
    platform::setClock(&clock_);
    platform::setEventPump(&pump_);
    platform::setLocale(&locale_);
    platform::setMessageBox(&boxes_);
    platform::setShell(&shell_);
    platform::setSystemMetrics(&metrics_);
    platform::setFileSystem(nullptr);
    shared::resetForTests();
}

void WexloTest::TearDown()
{
    platform::setClock(nullptr);
    platform::setEventPump(nullptr);
    platform::setLocale(nullptr);
    platform::setMessageBox(nullptr);
    platform::setShell(nullptr);
    platform::setSystemMetrics(nullptr);
    platform::setFileSystem(nullptr);
    platform::mouse().setPointer(platform::Pointer::Default);
    shared::resetForTests();
}

void WexloTest::useFaultyFileSystem() { platform::setFileSystem(&files_); }

QString WexloTest::appFile(const QString& name) const { return home_.filePath(name); }

QByteArray WexloTest::readBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void WexloTest::writeBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QString WexloTest::logText() const
{
    return QString::fromUtf8(readBytes(home_.filePath(QStringLiteral("log.txt"))));
}

QStringList WexloTest::logLines() const
{
    QStringList lines = logText().split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString& l : lines)
        l = l.mid(14);
    return lines;
}

QString sourceDir() { return qEnvironmentVariable("WEXLO_TEST_SOURCE"); }

}  // namespace wexlo::test
