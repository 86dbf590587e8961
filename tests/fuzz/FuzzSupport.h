#pragma once

// Every fuzz target needs a Qt application object and a throw-away application folder.

#include "app/Program.h"
#include "platform/AppFolder.h"
#include "platform/FileSystem.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace wexlo::fuzz {

// The log would grow by a line per rejected input; the fuzzers drop it.
class NoLogFileSystem : public platform::FileSystem {
public:
    void append(const QString&, const QByteArray&) override {}
};

inline void setUpOnce()
{
    static NoLogFileSystem files;
    platform::setFileSystem(&files);
    app::installProgramInfo();
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    static QTemporaryDir* home = new QTemporaryDir;
    Q_UNUSED(app)
    platform::setAppFolder(home->path());
}

// A file in the throw-away application folder.
inline QString appFile(const QString& name)
{
    return platform::appFolder() + QLatin1Char('/') + name;
}

// Writes the fuzzer's bytes as they are; a temporary folder that refuses them is a broken run.
inline void writeFile(const QString& path, const uint8_t* data, size_t size)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) !=
            static_cast<qint64>(size))
        std::abort();
}

inline QString text(const uint8_t* data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

}  // namespace wexlo::fuzz
