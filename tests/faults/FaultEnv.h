#pragma once

// Real failing filesystems for the fault tests: a tiny tmpfs that can be filled to a chosen
// free space, read-only bind mounts, a folder closed to its owner, and write/fsync/close
// failures from the fault library (faultio.cpp).

#include <QByteArray>
#include <QString>

#include <string>

extern "C" {
void wexlo_fault_arm(const char* pathPart, int ops, int err);
int wexlo_fault_hits(void);
}

namespace wexlo::test::faults {

enum FaultOp { OpWrite = 1, OpFsync = 2, OpClose = 4 };

// Why mounting is impossible here ("" when it works); set by main before anything else runs.
std::string& mountProblem();

inline constexpr qint64 kPage = 4096;

// A tmpfs of the given size mounted at a fresh folder; unmounted when destroyed.
class Tmpfs {
public:
    Tmpfs(const QString& at, qint64 bytes);
    ~Tmpfs();
    Tmpfs(const Tmpfs&) = delete;
    Tmpfs& operator=(const Tmpfs&) = delete;

    bool mounted() const { return mounted_; }
    const QString& path() const { return path_; }
    // Fills the disk to the last page, then gives back pages of it.
    void leaveFree(qint64 pages);
    // Takes the filler away again (the user made room).
    void makeRoom();

private:
    QString path_;
    QString filler_;
    bool mounted_ = false;
};

// Mounts path (a file or a folder) over itself, read-only or writable (a file in a read-only
// tree); false when the system refuses.
bool bindOver(const QString& path, bool readOnly);
void unmount(const QString& path);

// While alive, the calling thread obeys file permissions even as root (CAP_DAC_OVERRIDE and
// CAP_DAC_READ_SEARCH are dropped from its effective set and restored afterwards).
class ObeyPermissions {
public:
    ObeyPermissions();
    ~ObeyPermissions();

private:
    unsigned saved_[2] = {0, 0};
    bool changed_ = false;
};

}  // namespace wexlo::test::faults
