#pragma once

// What the loans file held when the program last read or wrote it, to tell whether anyone else
// has written it since: its size, times and inode, the hash of its bytes, and the hashes of its
// loans (the base of a merge). A file watcher misses changes on network shares and USB sticks,
// so every save asks here first. The lock file beside the register keeps two programs from
// reading, merging and writing it at once.

#include "app/register/LoanMerge.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class QLockFile;

namespace wexlo {

class LoansFileState {
public:
    explicit LoansFileState(QString path);
    ~LoansFileState();

    const QString& path() const { return path_; }

    // After a read or a write: the bytes the file holds now (none when there is no file), and
    // the hashes of its loans (in any order).
    void remember(QByteArrayView bytes, std::vector<loanmerge::Hash> loans);

    enum class Disk {
        Same,     // as last read or written (or missing then and now)
        Changed,  // written by someone else: bytes holds what it holds now
        Missing,  // gone since (a sync tool between delete and rename, say): nothing to merge
    };
    // Stat only, unless the stamp differs or cannot be trusted (taken just after a write, where
    // the clock's grain could hide a second one): then the bytes are read and hashed, and a
    // stamp found good is trusted from then on.
    Disk check(QByteArray& bytes);

    // The hashes of the loans last read or written, sorted. Sorted here, on the first merge
    // after a read or write: most never see one, and a big register's sort is felt.
    const std::vector<loanmerge::Hash>& base();

    // The advisory lock beside the file ("datalist.txt.lock"), held while it lives. Null when
    // it could not be had within a few seconds (a program that hangs holding it): the caller
    // goes on without it rather than leave the user unable to save.
    std::unique_ptr<QLockFile> lock() const;

    struct Stamp {
        qint64 size = -1;
        qint64 mtimeNs = 0;
        qint64 ctimeNs = 0;
        std::uint64_t inode = 0;
        std::uint64_t device = 0;
        bool operator==(const Stamp&) const = default;
    };
    // The file's stamp now; size -1 when it does not exist.
    static Stamp stampOf(const QString& path);

private:
    bool trusted(const Stamp& now) const;

    QString path_;
    Stamp stamp_;
    qint64 stampedAtNs_ = 0;  // when stamp_ was taken
    std::uint64_t contentHash_ = 0;
    std::vector<loanmerge::Hash> base_;
    bool baseSorted_ = false;
};

}  // namespace wexlo
