#include "platform/FileSystem.h"

#include "platform/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace wexlo::platform {

namespace {

[[noreturn]] void raiseFromErrno(int fallback)
{
    const int saved = errno;
    raiseErrno(saved, fallback);
}

// Writes all of bytes at offset (or at the file position when offset < 0); false with errno
// set when the system refused any part of it.
bool writeFully(int fd, const char* data, qint64 size, qint64 offset = -1)
{
    qint64 done = 0;
    while (done < size) {
        const auto chunk = static_cast<size_t>(size - done);
        const ssize_t n = offset < 0 ? ::write(fd, data + done, chunk)
                                     : ::pwrite(fd, data + done, chunk, offset + done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        done += n;
    }
    return true;
}

mode_t currentUmask()
{
    // Read from /proc rather than set and reset: umask() changes it for every thread.
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("Umask:"))
                return static_cast<mode_t>(line.mid(6).trimmed().toUInt(nullptr, 8));
    }
    return 022;
}

QByteArray folderOf(const QByteArray& name)
{
    const qsizetype slash = name.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : name.left(slash);
}

// The new content goes to a temporary file beside the target, which replaces the target only
// once it is whole on the disk: written, flushed to the disk and closed, each step checked.
// QSaveFile is not used because it renames after a failed buffered write or close and does not
// look at the result of its flush to the disk.
class TempFileWriter final : public FileWriter {
public:
    TempFileWriter(const QString& path, FileAccess access) : target_(QFile::encodeName(path))
    {
        struct stat st {};
        mode_t mode = 0;
        if (access == FileAccess::OwnerOnly)
            mode = S_IRUSR | S_IWUSR;
        else if (::stat(target_.constData(), &st) == 0)
            mode = st.st_mode & 07777;
        else
            mode = 0666 & ~currentUmask();
        // A file without a name until it is whole, as QSaveFile makes it: a program killed
        // while saving leaves nothing behind. Where the filesystem has no such files, a named
        // one beside the target, as QSaveFile names it.
        fd_ = ::open(folderOf(target_).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC,
                     S_IRUSR | S_IWUSR);
        if (fd_ < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
            temp_ = target_ + ".XXXXXX";
            fd_ = ::mkostemp(temp_.data(), O_CLOEXEC);
        }
        if (fd_ < 0) {
            const int e = errno;
            temp_.clear();
            if (e == ENOENT)
                raiseError(err::PathNotFound);
            raiseErrno(e, err::PathFileAccessError);
        }
        ::fchmod(fd_, mode);
    }

    ~TempFileWriter() override
    {
        if (fd_ >= 0)
            ::close(fd_);
        if (!temp_.isEmpty())
            ::unlink(temp_.constData());
    }

    void write(const QByteArray& bytes) override
    {
        if (fd_ < 0)
            raiseError(err::BadFileNameOrNumber);
        if (!writeFully(fd_, bytes.constData(), bytes.size()))
            raiseFromErrno(err::DeviceIOError);
    }

    void commit() override
    {
        if (fd_ < 0)
            raiseError(err::BadFileNameOrNumber);
        // A full disk or a failing device may only show here, after the writes were accepted.
        if (::fsync(fd_) != 0)
            raiseFromErrno(err::DeviceIOError);
        if (temp_.isEmpty())
            giveName();
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0)
            raiseFromErrno(err::DeviceIOError);
        if (::rename(temp_.constData(), target_.constData()) != 0)
            raiseFromErrno(err::PathFileAccessError);
        temp_.clear();
        // The rename itself reaches the disk with the folder; the new content is in place
        // already, so a failure here changes nothing for the caller.
        const int dir = ::open(folderOf(target_).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }

private:
    // Links the nameless file into the folder under a fresh name beside the target.
    void giveName()
    {
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd_);
        for (int attempt = 0; attempt < 100; ++attempt) {
            const QByteArray name =
                target_ + '.' +
                QByteArray::number(QRandomGenerator::global()->generate() % 0xFFFFFFu, 36);
            if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(),
                         AT_SYMLINK_FOLLOW) == 0) {
                temp_ = name;
                return;
            }
            if (errno != EEXIST)
                raiseFromErrno(err::PathFileAccessError);
        }
        raiseError(err::FileAlreadyExists);
    }

    QByteArray target_;
    QByteArray temp_;  // empty while the file has no name
    int fd_ = -1;
};

// For a file whose folder takes no new file: the new content is kept until commit(), then
// written over the old one. The part beyond the old length goes first, so that a full disk
// is found before a byte of the old content is touched; a later failure puts the old content
// back.
class InPlaceWriter final : public FileWriter {
public:
    InPlaceWriter(const QString& path, FileAccess access) : access_(access)
    {
        fd_ = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
        if (fd_ < 0)
            raiseFromErrno(err::PathFileAccessError);
        struct stat st {};
        if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
            const int e = errno;
            ::close(fd_);
            fd_ = -1;
            raiseErrno(e, err::PathFileAccessError);
        }
        old_.resize(static_cast<qsizetype>(st.st_size));
        qint64 done = 0;
        while (done < old_.size()) {
            const ssize_t n =
                ::pread(fd_, old_.data() + done, static_cast<size_t>(old_.size() - done), done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                const int e = n < 0 ? errno : EIO;
                ::close(fd_);
                fd_ = -1;
                raiseErrno(e, err::DeviceIOError);
            }
            done += n;
        }
    }

    ~InPlaceWriter() override
    {
        if (fd_ >= 0)
            ::close(fd_);
    }

    void write(const QByteArray& bytes) override
    {
        if (fd_ < 0)
            raiseError(err::BadFileNameOrNumber);
        new_ += bytes;
    }

    void commit() override
    {
        if (fd_ < 0)
            raiseError(err::BadFileNameOrNumber);
        const qint64 oldSize = old_.size();
        const qint64 newSize = new_.size();
        if (newSize > oldSize &&
            !writeFully(fd_, new_.constData() + oldSize, newSize - oldSize, oldSize)) {
            const int e = errno;
            // Nothing of the old content was touched: only the grown end goes again.
            while (::ftruncate(fd_, oldSize) != 0 && errno == EINTR) {
            }
            finish();
            raiseErrno(e, err::DeviceIOError);
        }
        bool ok = writeFully(fd_, new_.constData(), std::min(oldSize, newSize), 0);
        if (ok && newSize < oldSize)
            ok = ::ftruncate(fd_, newSize) == 0;
        if (ok && access_ == FileAccess::OwnerOnly)
            ::fchmod(fd_, S_IRUSR | S_IWUSR);
        if (ok)
            ok = ::fsync(fd_) == 0;
        if (!ok) {
            const int e = errno;
            restore();
            finish();
            raiseErrno(e, err::DeviceIOError);
        }
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0)
            raiseFromErrno(err::DeviceIOError);
    }

private:
    // Best effort: whatever of the old content the disk still takes.
    void restore()
    {
        writeFully(fd_, old_.constData(), old_.size(), 0);
        ::ftruncate(fd_, old_.size());
        ::fsync(fd_);
    }

    void finish()
    {
        ::close(fd_);
        fd_ = -1;
    }

    FileAccess access_;
    QByteArray old_;
    QByteArray new_;
    int fd_ = -1;
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
    return std::make_unique<TempFileWriter>(path, access);
}

std::unique_ptr<FileWriter> FileSystem::rewrite(const QString& path, FileAccess access)
{
    // A file mounted over its own name (a container's bind mount) cannot be replaced by a
    // rename: the rename fails with EBUSY once everything is written.
    struct statx st {};
    if (::statx(AT_FDCWD, QFile::encodeName(path).constData(), 0, STATX_TYPE, &st) == 0 &&
        S_ISREG(st.stx_mode) && (st.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0)
        return std::make_unique<InPlaceWriter>(path, access);
    try {
        return std::make_unique<TempFileWriter>(path, access);
    } catch (const RuntimeError& e) {
        // Only a folder that takes no new file sends the save into the file itself, for
        // whatever reason: no permission (EACCES, EPERM) or a read-only filesystem (EROFS), all
        // of them PermissionDenied.
        const FileInfo fi = info(path);
        if (e.number() != err::PermissionDenied || !fi.exists || fi.isFolder)
            throw;
    }
    return std::make_unique<InPlaceWriter>(path, access);
}

void FileSystem::append(const QString& path, const QByteArray& bytes)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        raiseFromErrno(err::PathFileAccessError);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
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
