#include "faults/FaultEnv.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/mount.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <cerrno>

namespace wexlo::test::faults {

std::string& mountProblem()
{
    static std::string problem = "not set up";
    return problem;
}

Tmpfs::Tmpfs(const QString& at, qint64 bytes)
    : path_(at), filler_(at + QStringLiteral("/zz-filler"))
{
    QDir().mkpath(at);
    const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0755";
    mounted_ = ::mount("wexlo-test", QFile::encodeName(at).constData(), "tmpfs", 0,
                       options.constData()) == 0;
}

Tmpfs::~Tmpfs()
{
    if (mounted_)
        ::umount2(QFile::encodeName(path_).constData(), MNT_DETACH);
}

void Tmpfs::leaveFree(qint64 pages)
{
    const int fd = ::open(QFile::encodeName(filler_).constData(),
                          O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    // Page by page, then byte by byte, until the disk takes nothing more.
    static const QByteArray block(int(kPage), 'F');
    qint64 size = 0;
    for (qint64 chunk : {kPage, qint64(1)}) {
        for (int i = 0; i < (1 << 20); ++i) {
            const ssize_t n = ::write(fd, block.constData(), static_cast<size_t>(chunk));
            if (n <= 0)
                break;
            size += n;
        }
    }
    const qint64 keep = std::max<qint64>(0, (size / kPage - pages) * kPage);
    ::ftruncate(fd, keep);
    ::close(fd);
}

void Tmpfs::makeRoom() { QFile::remove(filler_); }

bool bindOver(const QString& path, bool readOnly)
{
    // The new mount starts with the flags of the one the path lies on; the remount sets them.
    const QByteArray p = QFile::encodeName(path);
    if (::mount(p.constData(), p.constData(), nullptr, MS_BIND, nullptr) != 0)
        return false;
    if (::mount(nullptr, p.constData(), nullptr, MS_REMOUNT | MS_BIND | (readOnly ? MS_RDONLY : 0),
                nullptr) != 0) {
        ::umount2(p.constData(), MNT_DETACH);
        return false;
    }
    return true;
}

void unmount(const QString& path) { ::umount2(QFile::encodeName(path).constData(), MNT_DETACH); }

namespace {
bool caps(bool set, __user_cap_data_struct (&data)[2])
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(set ? SYS_capset : SYS_capget, &header, data) == 0;
}
}  // namespace

ObeyPermissions::ObeyPermissions()
{
    __user_cap_data_struct data[2]{};
    if (!caps(false, data))
        return;
    saved_[0] = data[0].effective;
    saved_[1] = data[1].effective;
    data[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    changed_ = caps(true, data);
}

ObeyPermissions::~ObeyPermissions()
{
    if (!changed_)
        return;
    __user_cap_data_struct data[2]{};
    if (!caps(false, data))
        return;
    data[0].effective = saved_[0];
    data[1].effective = saved_[1];
    caps(true, data);
}

}  // namespace wexlo::test::faults
