#pragma once

// The file layer under the program's file helpers. Every read, write, append and delete of
// the program goes through it, so tests can make any of them fail (see tests/support).
// Failures are thrown as RuntimeError with the program's error numbers.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

namespace wexlo::platform {

struct FileInfo {
    bool exists = false;
    bool isFolder = false;
    bool readOnly = false;  // the mode has no write bit
    qint64 size = 0;
};

// A file being replaced: written to a temporary file beside it and renamed over it by
// commit(), which first makes sure every byte reached the disk. Any failed write, flush or
// close throws and the old file stays as it was; destroying the writer without commit()
// leaves the old file untouched too.
class FileWriter {
public:
    virtual ~FileWriter() = default;
    virtual void write(const QByteArray& bytes) = 0;
    virtual void commit() = 0;
};

enum class FileAccess { Normal, OwnerOnly };

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Never throws; a missing or unreadable path reads as not existing.
    virtual FileInfo info(const QString& path) const;
    // Names (not paths) in folder matching a pattern with * and ?, in directory order.
    virtual QStringList match(const QString& folder, const QString& pattern) const;
    virtual QByteArray readAll(const QString& path);
    virtual std::unique_ptr<FileWriter> replace(const QString& path,
                                                FileAccess access = FileAccess::Normal);
    // Like replace(), but where the folder cannot take a temporary file (no permission, a
    // read-only filesystem) or the file is mounted over its name, while the file itself is
    // writable, the file is written in place at commit(): still checked at every step, and on
    // a failure its old content is put back as far as the disk allows.
    virtual std::unique_ptr<FileWriter> rewrite(const QString& path,
                                                FileAccess access = FileAccess::Normal);
    // Appends bytes, creating the file when missing.
    virtual void append(const QString& path, const QByteArray& bytes);
    virtual void remove(const QString& path);
    // Gives the owner write permission; false when the system refuses.
    virtual bool makeWritable(const QString& path);
    virtual void makeFolder(const QString& path);
};

FileSystem& fileSystem();
void setFileSystem(FileSystem* fs);  // nullptr restores the real one

}  // namespace wexlo::platform
