// SPDX-License-Identifier: GPL-3.0-or-later
// Stands in front of the C library's file-system calls and fails, or stops at,
// the calls a test chose; see FaultInjection.h.
#undef _FORTIFY_SOURCE
#define _GNU_SOURCE
#include "FaultInjection.h"

#include <dirent.h>
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <pthread.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#define MAX_FAULTS 8

struct Armed
{
    char call[32];
    char name[4096];
    int error;
    int nth;
    int seen;
    void (*hook)(void *);
    void *data;
    char pause[4096];
};

static struct Armed g_faults[MAX_FAULTS];
static int g_count;
static int g_hits;
static pthread_mutex_t g_lock = PTHREAD_MUTEX_INITIALIZER;
// A hook's own file work passes through untouched.
static __thread int t_inHook;

static void *real(const char *symbol)
{
    void *function = dlsym(RTLD_NEXT, symbol);
    if (!function) {
        fprintf(stderr, "fault injection: no %s in the C library\n", symbol);
        abort();
    }
    return function;
}

#define REAL(type, symbol)                                                                                             \
    static __typeof__(type) fn;                                                                                        \
    if (!fn) {                                                                                                         \
        fn = (__typeof__(type))real(symbol);                                                                           \
    }

static int errorNamed(const char *text)
{
    static const struct
    {
        const char *name;
        int value;
    } names[] = {
        {"EIO", EIO},
        {"ENOSPC", ENOSPC},
        {"EROFS", EROFS},
        {"EACCES", EACCES},
        {"ENAMETOOLONG", ENAMETOOLONG},
        {"EXDEV", EXDEV},
        {"EINVAL", EINVAL},
        {"EEXIST", EEXIST},
        {"ENOENT", ENOENT},
        {"EPERM", EPERM},
        {"EOPNOTSUPP", EOPNOTSUPP},
        {"ENODEV", ENODEV},
        {"ENOMEM", ENOMEM},
    };
    for (size_t i = 0; i < sizeof names / sizeof names[0]; ++i) {
        if (strcmp(text, names[i].name) == 0)
            return names[i].value;
    }
    return atoi(text);
}

static void copyText(char *to, size_t size, const char *from)
{
    to[0] = '\0';
    if (from)
        snprintf(to, size, "%s", from);
}

void kestrava_fault_arm(const struct KestravaFault *fault)
{
    pthread_mutex_lock(&g_lock);
    if (g_count < MAX_FAULTS) {
        struct Armed *armed = &g_faults[g_count];
        memset(armed, 0, sizeof *armed);
        copyText(armed->call, sizeof armed->call, fault->call);
        copyText(armed->name, sizeof armed->name, fault->name);
        armed->error = fault->error;
        armed->nth = fault->nth;
        armed->hook = fault->hook;
        armed->data = fault->data;
        __atomic_store_n(&g_count, g_count + 1, __ATOMIC_RELEASE);
    }
    pthread_mutex_unlock(&g_lock);
}

void kestrava_fault_disarm(void)
{
    pthread_mutex_lock(&g_lock);
    __atomic_store_n(&g_count, 0, __ATOMIC_RELEASE);
    g_hits = 0;
    pthread_mutex_unlock(&g_lock);
}

int kestrava_fault_hits(void)
{
    return __atomic_load_n(&g_hits, __ATOMIC_ACQUIRE);
}

__attribute__((constructor)) static void armFromEnvironment(void)
{
    const char *call = getenv("KESTRAVA_FAULT_CALL");
    if (!call || !*call)
        return;
    const char *error = getenv("KESTRAVA_FAULT_ERRNO");
    const char *nth = getenv("KESTRAVA_FAULT_NTH");
    struct KestravaFault fault = {
        call, error ? errorNamed(error) : 0, nth ? atoi(nth) : 0, getenv("KESTRAVA_FAULT_NAME"), NULL, NULL};
    kestrava_fault_arm(&fault);
    copyText(g_faults[0].pause, sizeof g_faults[0].pause, getenv("KESTRAVA_FAULT_PAUSE"));
}

static void pauseIn(const char *folder)
{
    char path[4200];
    snprintf(path, sizeof path, "%s/reached", folder);
    REAL(int (*)(const char *, int, ...), "open");
    const int fd = fn(path, O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd >= 0)
        close(fd);
    snprintf(path, sizeof path, "%s/go", folder);
    const struct timespec tick = {0, 1000000};
    while (access(path, F_OK) != 0)
        nanosleep(&tick, NULL);
}

// Whether the last component of \a path, trailing slashes aside, is \a name.
static int namesMatch(const char *path, const char *name)
{
    if (!path)
        return 0;
    size_t end = strlen(path);
    while (end > 1 && path[end - 1] == '/')
        --end;
    size_t start = end;
    while (start > 0 && path[start - 1] != '/')
        --start;
    return end - start == strlen(name) && strncmp(path + start, name, end - start) == 0;
}

// The error the call \a call on \a path must fail with, 0 to let it go ahead.
static int strike(const char *call, const char *path, const char *otherPath)
{
    if (__atomic_load_n(&g_count, __ATOMIC_ACQUIRE) == 0 || t_inHook)
        return 0;
    pthread_mutex_lock(&g_lock);
    struct Armed *hit = NULL;
    for (int i = 0; i < g_count && !hit; ++i) {
        struct Armed *armed = &g_faults[i];
        if (strcmp(armed->call, call) != 0)
            continue;
        if (armed->name[0] && !namesMatch(path, armed->name) && !namesMatch(otherPath, armed->name)) {
            continue;
        }
        ++armed->seen;
        if (armed->nth == 0 || armed->seen == armed->nth)
            hit = armed;
    }
    struct Armed chosen = {0};
    if (hit) {
        chosen = *hit;
        ++g_hits;
    }
    pthread_mutex_unlock(&g_lock);
    if (!hit)
        return 0;
    t_inHook = 1;
    if (chosen.hook)
        chosen.hook(chosen.data);
    if (chosen.pause[0])
        pauseIn(chosen.pause);
    t_inHook = 0;
    return chosen.error;
}

// The path a descriptor stands for, for matching by name.
static const char *pathOf(int fd, char *buffer, size_t size)
{
    char link[64];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t length = readlink(link, buffer, size - 1);
    buffer[length > 0 ? length : 0] = '\0';
    return buffer;
}

static int anyArmed(void)
{
    return __atomic_load_n(&g_count, __ATOMIC_ACQUIRE) != 0 && !t_inHook;
}

#define FAIL_WITH(error, failure)                                                                                      \
    do {                                                                                                               \
        errno = (error);                                                                                               \
        return (failure);                                                                                              \
    } while (0)

int renameat2(int oldFolder, const char *oldPath, int newFolder, const char *newPath, unsigned int flags)
{
    REAL(int (*)(int, const char *, int, const char *, unsigned int), "renameat2");
    const int error = strike("renameat2", oldPath, newPath);
    if (error)
        FAIL_WITH(error, -1);
    return fn(oldFolder, oldPath, newFolder, newPath, flags);
}

int renameat(int oldFolder, const char *oldPath, int newFolder, const char *newPath)
{
    REAL(int (*)(int, const char *, int, const char *), "renameat");
    const int error = strike("renameat", oldPath, newPath);
    if (error)
        FAIL_WITH(error, -1);
    return fn(oldFolder, oldPath, newFolder, newPath);
}

int linkat(int oldFolder, const char *oldPath, int newFolder, const char *newPath, int flags)
{
    REAL(int (*)(int, const char *, int, const char *, int), "linkat");
    const int error = strike("linkat", oldPath, newPath);
    if (error)
        FAIL_WITH(error, -1);
    return fn(oldFolder, oldPath, newFolder, newPath, flags);
}

int unlinkat(int folder, const char *path, int flags)
{
    REAL(int (*)(int, const char *, int), "unlinkat");
    const int error = strike("unlinkat", path, NULL);
    if (error)
        FAIL_WITH(error, -1);
    return fn(folder, path, flags);
}

int fchmodat(int folder, const char *path, mode_t mode, int flags)
{
    REAL(int (*)(int, const char *, mode_t, int), "fchmodat");
    const int error = strike("fchmodat", path, NULL);
    if (error)
        FAIL_WITH(error, -1);
    return fn(folder, path, mode, flags);
}

static mode_t modeArgument(int flags, va_list arguments)
{
    return (flags & O_CREAT) || (flags & __O_TMPFILE) == __O_TMPFILE ? va_arg(arguments, mode_t) : 0;
}

#define OPEN_AT(symbol)                                                                                                \
    int symbol(int folder, const char *path, int flags, ...)                                                           \
    {                                                                                                                  \
        REAL(int (*)(int, const char *, int, ...), #symbol);                                                           \
        va_list arguments;                                                                                             \
        va_start(arguments, flags);                                                                                    \
        const mode_t mode = modeArgument(flags, arguments);                                                            \
        va_end(arguments);                                                                                             \
        const int error = strike("openat", path, NULL);                                                                \
        if (error)                                                                                                     \
            FAIL_WITH(error, -1);                                                                                      \
        return fn(folder, path, flags, mode);                                                                          \
    }
#define OPEN(symbol)                                                                                                   \
    int symbol(const char *path, int flags, ...)                                                                       \
    {                                                                                                                  \
        REAL(int (*)(const char *, int, ...), #symbol);                                                                \
        va_list arguments;                                                                                             \
        va_start(arguments, flags);                                                                                    \
        const mode_t mode = modeArgument(flags, arguments);                                                            \
        va_end(arguments);                                                                                             \
        const int error = strike("openat", path, NULL);                                                                \
        if (error)                                                                                                     \
            FAIL_WITH(error, -1);                                                                                      \
        return fn(path, flags, mode);                                                                                  \
    }
OPEN_AT(openat)
OPEN_AT(openat64)
OPEN(open)
OPEN(open64)

DIR *opendir(const char *path)
{
    REAL(DIR * (*)(const char *), "opendir");
    const int error = strike("openat", path, NULL);
    if (error)
        FAIL_WITH(error, NULL);
    return fn(path);
}

// glibc reads a folder with getdents64 inside readdir, out of reach of a
// stand-in, so a failed read of the folder is made at readdir.
#define READDIR(symbol, entry)                                                                                         \
    struct entry *symbol(DIR *folder)                                                                                  \
    {                                                                                                                  \
        REAL(struct entry *(*)(DIR *), #symbol);                                                                       \
        if (anyArmed()) {                                                                                              \
            char path[4096];                                                                                           \
            const int error = strike("getdents64", pathOf(dirfd(folder), path, sizeof path), NULL);                    \
            if (error)                                                                                                 \
                FAIL_WITH(error, NULL);                                                                                \
        }                                                                                                              \
        return fn(folder);                                                                                             \
    }
READDIR(readdir, dirent)
READDIR(readdir64, dirent64)

int fstat(int fd, struct stat *info)
{
    REAL(int (*)(int, struct stat *), "fstat");
    if (anyArmed()) {
        char path[4096];
        const int error = strike("fstat", pathOf(fd, path, sizeof path), NULL);
        if (error)
            FAIL_WITH(error, -1);
    }
    return fn(fd, info);
}

ssize_t write(int fd, const void *data, size_t size)
{
    REAL(ssize_t(*)(int, const void *, size_t), "write");
    if (anyArmed()) {
        char path[4096];
        const int error = strike("write", pathOf(fd, path, sizeof path), NULL);
        if (error)
            FAIL_WITH(error, -1);
    }
    return fn(fd, data, size);
}

#define SYNC(symbol)                                                                                                   \
    int symbol(int fd)                                                                                                 \
    {                                                                                                                  \
        REAL(int (*)(int), #symbol);                                                                                   \
        if (anyArmed()) {                                                                                              \
            char path[4096];                                                                                           \
            const int error = strike("fdatasync", pathOf(fd, path, sizeof path), NULL);                                \
            if (error)                                                                                                 \
                FAIL_WITH(error, -1);                                                                                  \
        }                                                                                                              \
        return fn(fd);                                                                                                 \
    }
SYNC(fdatasync)
SYNC(fsync)

// The calls with which the journal reserves room and maps it, under both
// their names (a build with 64-bit file offsets calls the ...64 ones). A map
// without a file (the memory allocator's) is never struck.
#define ON_DESCRIPTOR(symbol, call, failure, result, parameters, arguments)                                            \
    result symbol parameters                                                                                           \
    {                                                                                                                  \
        REAL(result(*) parameters, #symbol);                                                                           \
        if (fd >= 0 && anyArmed()) {                                                                                   \
            char path[4096];                                                                                           \
            const int error = strike(call, pathOf(fd, path, sizeof path), NULL);                                       \
            if (error)                                                                                                 \
                FAIL_WITH(error, failure);                                                                             \
        }                                                                                                              \
        return fn arguments;                                                                                           \
    }
ON_DESCRIPTOR(fallocate, "fallocate", -1, int, (int fd, int mode, off_t offset, off_t length),
              (fd, mode, offset, length))
ON_DESCRIPTOR(fallocate64, "fallocate", -1, int, (int fd, int mode, off_t offset, off_t length),
              (fd, mode, offset, length))
ON_DESCRIPTOR(ftruncate, "ftruncate", -1, int, (int fd, off_t length), (fd, length))
ON_DESCRIPTOR(ftruncate64, "ftruncate", -1, int, (int fd, off_t length), (fd, length))
ON_DESCRIPTOR(mmap, "mmap", MAP_FAILED, void *,
              (void *address, size_t length, int protection, int flags, int fd, off_t offset),
              (address, length, protection, flags, fd, offset))
ON_DESCRIPTOR(mmap64, "mmap", MAP_FAILED, void *,
              (void *address, size_t length, int protection, int flags, int fd, off_t offset),
              (address, length, protection, flags, fd, offset))

// Growing a map of the journal is matched as "mmap", without a name.
void *mremap(void *address, size_t length, size_t newLength, int flags, ...)
{
    REAL(void *(*)(void *, size_t, size_t, int, ...), "mremap");
    va_list arguments;
    va_start(arguments, flags);
    void *newAddress = (flags & MREMAP_FIXED) ? va_arg(arguments, void *) : NULL;
    va_end(arguments);
    const int error = strike("mmap", NULL, NULL);
    if (error)
        FAIL_WITH(error, MAP_FAILED);
    return fn(address, length, newLength, flags, newAddress);
}
