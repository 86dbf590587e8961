/* Makes write, pwrite, fsync, fdatasync or close fail with a chosen errno for files whose
 * path contains a given text, as a failing disk or network share does. Linked ahead of the C
 * library by the fault tests, which arm it through wexlo_fault_arm(); usable with LD_PRELOAD
 * too, armed from the environment: WEXLO_FAULT=<path text>:<ops>:<errno>, ops a sum of
 * 1 write, 2 fsync, 4 close (e.g. WEXLO_FAULT=datalist.txt:1:5). */

#ifndef _GNU_SOURCE
#define _GNU_SOURCE
#endif
#include <dlfcn.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <unistd.h>

extern "C" {

enum { FAULT_WRITE = 1, FAULT_FSYNC = 2, FAULT_CLOSE = 4 };

static char g_path[512];
static int g_ops;
static int g_errno;
static int g_hits;

static ssize_t (*real_write)(int, const void*, size_t);
static ssize_t (*real_pwrite)(int, const void*, size_t, off_t);
static int (*real_fsync)(int);
static int (*real_fdatasync)(int);
static int (*real_close)(int);

__attribute__((visibility("default"))) void wexlo_fault_arm(const char* pathPart, int ops, int err)
{
    g_path[0] = '\0';
    g_ops = 0;
    if (pathPart != NULL && ops != 0) {
        strncpy(g_path, pathPart, sizeof g_path - 1);
        g_path[sizeof g_path - 1] = '\0';
        g_errno = err;
        g_ops = ops;
    }
    g_hits = 0;
}

__attribute__((visibility("default"))) int wexlo_fault_hits(void) { return g_hits; }

static void resolve(void)
{
    if (real_write != NULL)
        return;
    real_write = (ssize_t(*)(int, const void*, size_t))dlsym(RTLD_NEXT, "write");
    real_pwrite = (ssize_t(*)(int, const void*, size_t, off_t))dlsym(RTLD_NEXT, "pwrite");
    real_fsync = (int (*)(int))dlsym(RTLD_NEXT, "fsync");
    real_fdatasync = (int (*)(int))dlsym(RTLD_NEXT, "fdatasync");
    real_close = (int (*)(int))dlsym(RTLD_NEXT, "close");
}

__attribute__((constructor)) static void init(void)
{
    resolve();
    const char* rule = getenv("WEXLO_FAULT");
    if (rule == NULL)
        return;
    char path[512];
    int ops = 0;
    int err = 0;
    if (sscanf(rule, "%511[^:]:%d:%d", path, &ops, &err) == 3)
        wexlo_fault_arm(path, ops, err);
}

/* True when the fault is armed for op and fd names a matching file. */
static int hit(int fd, int op)
{
    if ((g_ops & op) == 0 || fd < 0)
        return 0;
    char link[64];
    char target[4096];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const int saved = errno;
    const ssize_t n = readlink(link, target, sizeof target - 1);
    errno = saved;
    if (n <= 0)
        return 0;
    target[n] = '\0';
    if (strstr(target, g_path) == NULL)
        return 0;
    ++g_hits;
    return 1;
}

ssize_t write(int fd, const void* buf, size_t count)
{
    resolve();
    if (hit(fd, FAULT_WRITE)) {
        errno = g_errno;
        return -1;
    }
    return real_write(fd, buf, count);
}

ssize_t pwrite(int fd, const void* buf, size_t count, off_t offset)
{
    resolve();
    if (hit(fd, FAULT_WRITE)) {
        errno = g_errno;
        return -1;
    }
    return real_pwrite(fd, buf, count, offset);
}

ssize_t pwrite64(int fd, const void* buf, size_t count, off64_t offset)
{
    return pwrite(fd, buf, count, offset);
}

int fsync(int fd)
{
    resolve();
    if (hit(fd, FAULT_FSYNC)) {
        errno = g_errno;
        return -1;
    }
    return real_fsync(fd);
}

int fdatasync(int fd)
{
    resolve();
    if (hit(fd, FAULT_FSYNC)) {
        errno = g_errno;
        return -1;
    }
    return real_fdatasync(fd);
}

int close(int fd)
{
    resolve();
    if (hit(fd, FAULT_CLOSE)) {
        /* As on Linux: the descriptor is gone all the same. */
        real_close(fd);
        errno = g_errno;
        return -1;
    }
    return real_close(fd);
}

}  // extern "C"
