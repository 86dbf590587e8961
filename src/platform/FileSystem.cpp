#include "platform/FileSystem.h"

#include "platform/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wexlo::platform {

namespace {

[[noreturn]] void raiseFromErrno(int fallback)
{
    const int saved = errno;
    raiseErrno(saved, fallback);
}

class SaveFileWriter final : public FileWriter {
public:
    SaveFileWriter(const QString& path, FileAccess access) : file_(path)
    {
        // Writing straight to the file would lose the old content on a crash; QSaveFile
        // writes beside it and renames.
        file_.setDirectWriteFallback(false);
        errno = 0;
        if (!file_.open(QIODevice::WriteOnly))
            raiseFromErrno(file_.error() == QFileDevice::PermissionsError
                               ? err::PermissionDenied
                               : err::PathFileAccessError);
        if (access == FileAccess::OwnerOnly)
            file_.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    void write(const QByteArray& bytes) override
    {
        errno = 0;
        if (file_.write(bytes) != bytes.size())
            raiseFromErrno(err::DeviceIOError);
    }

    void commit() override
    {
        errno = 0;
        if (!file_.commit())
            raiseFromErrno(err::DeviceIOError);
    }

private:
    QSaveFile file_;
};

}  // namespace

FileInfo FileSystem::info(const QString& path) const
{
    FileInfo result;
    struct stat st {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return result;
    result.exists = true;
    result.isFolder = S_ISDIR(st.st_mode);
    result.readOnly = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    result.size = static_cast<qint64>(st.st_size);
    return result;
}

QStringList FileSystem::match(const QString& folder, const QString& pattern) const
{
    QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    return dir.entryList(QStringList{pattern},
                         QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDir::Unsorted);
}

QByteArray FileSystem::readAll(const QString& path)
{
    QFile f(path);
    errno = 0;
    if (!f.open(QIODevice::ReadOnly))
        raiseFromErrno(f.error() == QFileDevice::PermissionsError ? err::PermissionDenied
                                                                  : err::FileNotFound);
    QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        raiseFromErrno(err::DeviceIOError);
    return bytes;
}

std::unique_ptr<FileWriter> FileSystem::replace(const QString& path, FileAccess access)
{
    return std::make_unique<SaveFileWriter>(path, access);
}

void FileSystem::append(const QString& path, const QByteArray& bytes)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        raiseFromErrno(err::PathFileAccessError);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done,
                                  static_cast<size_t>(bytes.size() - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int saved = errno;
            ::close(fd);
            raiseErrno(saved, err::DeviceIOError);
        }
        done += n;
    }
    if (::close(fd) != 0)
        raiseFromErrno(err::DeviceIOError);
}

void FileSystem::remove(const QString& path)
{
    if (::unlink(QFile::encodeName(path).constData()) != 0)
        raiseFromErrno(err::PathFileAccessError);
}

bool FileSystem::makeWritable(const QString& path)
{
    struct stat st {};
    const QByteArray name = QFile::encodeName(path);
    if (::stat(name.constData(), &st) != 0)
        return false;
    return ::chmod(name.constData(), (st.st_mode & 07777) | S_IWUSR) == 0;
}

void FileSystem::makeFolder(const QString& path)
{
    if (!QDir().mkpath(path))
        raiseError(err::PathNotFound);
}

namespace {
FileSystem*& currentFs()
{
    static FileSystem* fs = nullptr;
    return fs;
}
}  // namespace

FileSystem& fileSystem()
{
    static FileSystem real;
    return currentFs() != nullptr ? *currentFs() : real;
}

void setFileSystem(FileSystem* fs) { currentFs() = fs; }

}  // namespace wexlo::platform
