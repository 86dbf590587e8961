#include "app/LoansFileState.h"

#include "shared/util/Files.h"

#include <QFile>
#include <QHash>
#include <QLockFile>

#include <sys/stat.h>

#include <ctime>
#include <utility>

namespace wexlo {

namespace {

qint64 nowNs()
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// A file whose last change is this close to the moment it was stamped could change again
// with the same stamp: a few milliseconds where times have nanoseconds (the kernel's coarse
// clock), seconds on filesystems with whole-second or two-second times.
qint64 clockSlackNs(qint64 mtimeNs)
{
    return mtimeNs % 1'000'000'000 != 0 ? 50'000'000 : 3'000'000'000;
}

std::uint64_t contentHash(QByteArrayView bytes)
{
    return qHash(bytes, size_t(0x5157)) ^ (std::uint64_t(bytes.size()) << 40);
}

}  // namespace

LoansFileState::LoansFileState(QString path) : path_(std::move(path)) {}

LoansFileState::~LoansFileState() = default;

LoansFileState::Stamp LoansFileState::stampOf(const QString& path)
{
    Stamp s;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return s;
    s.size = st.st_size;
    s.mtimeNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    s.ctimeNs = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    s.inode = st.st_ino;
    s.device = st.st_dev;
    return s;
}

void LoansFileState::remember(QByteArrayView bytes, std::vector<loanmerge::Hash> loans)
{
    stampedAtNs_ = nowNs();
    stamp_ = stampOf(path_);
    contentHash_ = contentHash(bytes);
    base_ = std::move(loans);
    baseSorted_ = false;
}

const std::vector<loanmerge::Hash>& LoansFileState::base()
{
    if (!baseSorted_) {
        base_ = loanmerge::baseOf(std::move(base_));
        baseSorted_ = true;
    }
    return base_;
}

bool LoansFileState::trusted(const Stamp& now) const
{
    const qint64 slack = clockSlackNs(now.mtimeNs);
    return now == stamp_ && stampedAtNs_ - now.mtimeNs > slack &&
           stampedAtNs_ - now.ctimeNs > slack;
}

LoansFileState::Disk LoansFileState::check(QByteArray& bytes)
{
    const Stamp now = stampOf(path_);
    if (now.size < 0)
        return stamp_.size < 0 ? Disk::Same : Disk::Missing;
    if (trusted(now))
        return Disk::Same;
    const qint64 readAt = nowNs();
    bytes.clear();
    if (!files::readAllBytes(path_, bytes))
        return Disk::Missing;  // unreadable for now: nothing to merge, nothing lost
    if (contentHash(bytes) == contentHash_) {
        // Only the stamp moved (touched, or written back as it was): trusted from now on.
        stamp_ = now;
        stampedAtNs_ = readAt;
        return Disk::Same;
    }
    return Disk::Changed;
}

std::unique_ptr<QLockFile> LoansFileState::lock() const
{
    auto lock = std::make_unique<QLockFile>(path_ + QStringLiteral(".lock"));
    // Reading, merging and writing take well under a second; a lock older than this is left
    // by a program that died holding it.
    lock->setStaleLockTime(10'000);
    // A folder that takes no new file (read-only, say) takes no lock either: no wait for that.
    if (!lock->tryLock(0) && (lock->error() != QLockFile::LockFailedError || !lock->tryLock(5'000)))
        return nullptr;
    return lock;
}

}  // namespace wexlo
