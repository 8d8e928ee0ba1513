// SPDX-License-Identifier: GPL-3.0-or-later
/* A passthrough FUSE file system for the tests: it shows a backing folder at
 * its mount point and can be told to refuse what many FUSE file systems lack,
 * the no-replace rename flag (EINVAL), hard links (EPERM), or both. With
 * --case=ignore it looks names up as exFAT does, letter case ignored (ASCII):
 * "A.TXT" finds "a.txt", and a change of case only renames the one entry.
 *
 *   kestrava-testfs --backing=FOLDER [--refuse=none|flags|links|both] [--case=keep|ignore]
 *                   MOUNTPOINT -f [-o ...]
 */
#define FUSE_USE_VERSION 31
#define _GNU_SOURCE

#include <fuse.h>

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/time.h>
#include <unistd.h>

struct options {
    const char *backing;
    const char *refuse;
    const char *letter_case;
};

static struct options options;
static int backing_fd = -1;
static int refuse_flags;
static int refuse_links;
static int ignore_case;

/* Paths arrive as "/a/b"; below the backing folder they are "a/b", or "." for the root. */
static const char *relative(const char *path)
{
    return path[1] == '\0' ? "." : path + 1;
}

/* Replaces \a part with the name of the entry of \a folder that matches it
 * with case ignored, when no entry matches it exactly. */
static void match_entry(const char *folder, char *part)
{
    const int fd = openat(backing_fd, folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    DIR *dir = fdopendir(fd);
    if (dir == NULL) {
        close(fd);
        return;
    }
    char found[NAME_MAX + 1] = "";
    struct dirent *entry;
    while ((entry = readdir(dir)) != NULL) {
        if (strcmp(entry->d_name, part) == 0) {
            found[0] = '\0';
            break;
        }
        if (found[0] == '\0' && strcasecmp(entry->d_name, part) == 0)
            snprintf(found, sizeof found, "%s", entry->d_name);
    }
    closedir(dir);
    if (found[0] != '\0')
        strcpy(part, found);
}

/* The backing path of \a path in \a out (PATH_MAX bytes): each part names the
 * entry that matches it, with case ignored where the mount ignores it. */
static const char *backing_path(const char *path, char *out)
{
    const char *rest = relative(path);
    snprintf(out, PATH_MAX, "%s", rest);
    if (!ignore_case || strcmp(rest, ".") == 0)
        return out;
    size_t used = 0;
    out[0] = '\0';
    while (*rest != '\0') {
        const char *slash = strchr(rest, '/');
        const size_t length = slash != NULL ? (size_t)(slash - rest) : strlen(rest);
        char part[NAME_MAX + 1];
        snprintf(part, sizeof part, "%.*s", (int)length, rest);
        match_entry(used == 0 ? "." : out, part);
        used += (size_t)snprintf(out + used, PATH_MAX - used, used == 0 ? "%s" : "/%s", part);
        rest += length;
        if (*rest == '/')
            ++rest;
    }
    return out;
}

static int result(int value)
{
    return value < 0 ? -errno : value;
}

static void *fs_init(struct fuse_conn_info *conn, struct fuse_config *cfg)
{
    (void)conn;
    /* The backing folder's inode numbers, so that a file keeps its identity. */
    cfg->use_ino = 1;
    /* Names that differ only in case find one entry, which the kernel cannot
     * know: it asks again each time rather than keep a name that was renamed. */
    if (ignore_case) {
        cfg->entry_timeout = 0;
        cfg->negative_timeout = 0;
    }
    return NULL;
}

static int fs_getattr(const char *path, struct stat *st, struct fuse_file_info *fi)
{
    char at[PATH_MAX];
    if (fi != NULL)
        return result(fstat((int)fi->fh, st));
    return result(fstatat(backing_fd, backing_path(path, at), st, AT_SYMLINK_NOFOLLOW));
}

static int fs_readlink(const char *path, char *buffer, size_t size)
{
    char at[PATH_MAX];
    const ssize_t length = readlinkat(backing_fd, backing_path(path, at), buffer, size - 1);
    if (length < 0)
        return -errno;
    buffer[length] = '\0';
    return 0;
}

static int fs_readdir(const char *path, void *buffer, fuse_fill_dir_t fill, off_t offset,
                      struct fuse_file_info *fi, enum fuse_readdir_flags flags)
{
    char at[PATH_MAX];
    (void)offset;
    (void)fi;
    (void)flags;
    const int fd = openat(backing_fd, backing_path(path, at), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return -errno;
    DIR *dir = fdopendir(fd);
    if (dir == NULL) {
        const int error = errno;
        close(fd);
        return -error;
    }
    struct dirent *entry;
    while ((entry = readdir(dir)) != NULL) {
        struct stat st;
        memset(&st, 0, sizeof st);
        st.st_ino = entry->d_ino;
        st.st_mode = (mode_t)DTTOIF(entry->d_type);
        if (fill(buffer, entry->d_name, &st, 0, 0) != 0)
            break;
    }
    closedir(dir);
    return 0;
}

static int fs_mkdir(const char *path, mode_t mode)
{
    char at[PATH_MAX];
    return result(mkdirat(backing_fd, backing_path(path, at), mode));
}

static int fs_unlink(const char *path)
{
    char at[PATH_MAX];
    return result(unlinkat(backing_fd, backing_path(path, at), 0));
}

static int fs_rmdir(const char *path)
{
    char at[PATH_MAX];
    return result(unlinkat(backing_fd, backing_path(path, at), AT_REMOVEDIR));
}

static int fs_symlink(const char *target, const char *path)
{
    char at[PATH_MAX];
    return result(symlinkat(target, backing_fd, backing_path(path, at)));
}

static int fs_rename(const char *from, const char *to, unsigned int flags)
{
    if (flags != 0 && refuse_flags)
        return -EINVAL;
    char source[PATH_MAX];
    char target[PATH_MAX];
    backing_path(from, source);
    backing_path(to, target);
    if (ignore_case && strcmp(source, target) == 0) {
        /* A change of case only: the one entry takes the new spelling. */
        char *last = strrchr(target, '/');
        const char *wanted = strrchr(to, '/') + 1;
        snprintf(last != NULL ? last + 1 : target, PATH_MAX - (size_t)(last != NULL ? last + 1 - target : 0), "%s",
                 wanted);
    }
    return result(renameat2(backing_fd, source, backing_fd, target, flags));
}

static int fs_link(const char *from, const char *to)
{
    if (refuse_links)
        return -EPERM;
    char source[PATH_MAX];
    char target[PATH_MAX];
    return result(linkat(backing_fd, backing_path(from, source), backing_fd, backing_path(to, target), 0));
}

static int fs_chmod(const char *path, mode_t mode, struct fuse_file_info *fi)
{
    char at[PATH_MAX];
    if (fi != NULL)
        return result(fchmod((int)fi->fh, mode));
    return result(fchmodat(backing_fd, backing_path(path, at), mode, 0));
}

static int fs_truncate(const char *path, off_t size, struct fuse_file_info *fi)
{
    char at[PATH_MAX];
    if (fi != NULL)
        return result(ftruncate((int)fi->fh, size));
    const int fd = openat(backing_fd, backing_path(path, at), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return -errno;
    const int done = result(ftruncate(fd, size));
    close(fd);
    return done;
}

static int fs_utimens(const char *path, const struct timespec times[2], struct fuse_file_info *fi)
{
    char at[PATH_MAX];
    if (fi != NULL)
        return result(futimens((int)fi->fh, times));
    return result(utimensat(backing_fd, backing_path(path, at), times, AT_SYMLINK_NOFOLLOW));
}

static int fs_create(const char *path, mode_t mode, struct fuse_file_info *fi)
{
    char at[PATH_MAX];
    const int fd = openat(backing_fd, backing_path(path, at), fi->flags | O_CLOEXEC, mode);
    if (fd < 0)
        return -errno;
    fi->fh = (uint64_t)fd;
    return 0;
}

static int fs_open(const char *path, struct fuse_file_info *fi)
{
    char at[PATH_MAX];
    const int fd = openat(backing_fd, backing_path(path, at), fi->flags | O_CLOEXEC);
    if (fd < 0)
        return -errno;
    fi->fh = (uint64_t)fd;
    return 0;
}

static int fs_read(const char *path, char *buffer, size_t size, off_t offset, struct fuse_file_info *fi)
{
    (void)path;
    return result((int)pread((int)fi->fh, buffer, size, offset));
}

static int fs_write(const char *path, const char *buffer, size_t size, off_t offset,
                    struct fuse_file_info *fi)
{
    (void)path;
    return result((int)pwrite((int)fi->fh, buffer, size, offset));
}

static int fs_statfs(const char *path, struct statvfs *st)
{
    (void)path;
    return result(fstatvfs(backing_fd, st));
}

static int fs_release(const char *path, struct fuse_file_info *fi)
{
    (void)path;
    close((int)fi->fh);
    return 0;
}

static int fs_fsync(const char *path, int datasync, struct fuse_file_info *fi)
{
    (void)path;
    return result(datasync ? fdatasync((int)fi->fh) : fsync((int)fi->fh));
}

static const struct fuse_operations operations = {
    .init = fs_init,
    .getattr = fs_getattr,
    .readlink = fs_readlink,
    .readdir = fs_readdir,
    .mkdir = fs_mkdir,
    .unlink = fs_unlink,
    .rmdir = fs_rmdir,
    .symlink = fs_symlink,
    .rename = fs_rename,
    .link = fs_link,
    .chmod = fs_chmod,
    .truncate = fs_truncate,
    .utimens = fs_utimens,
    .create = fs_create,
    .open = fs_open,
    .read = fs_read,
    .write = fs_write,
    .statfs = fs_statfs,
    .release = fs_release,
    .fsync = fs_fsync,
};

static const struct fuse_opt option_spec[] = {
    {"--backing=%s", offsetof(struct options, backing), 1},
    {"--refuse=%s", offsetof(struct options, refuse), 1},
    {"--case=%s", offsetof(struct options, letter_case), 1},
    FUSE_OPT_END,
};

int main(int argc, char *argv[])
{
    struct fuse_args args = FUSE_ARGS_INIT(argc, argv);
    options.refuse = strdup("none");
    options.letter_case = strdup("keep");
    if (fuse_opt_parse(&args, &options, option_spec, NULL) != 0)
        return 1;
    if (options.backing == NULL) {
        fprintf(stderr, "kestrava-testfs: --backing=FOLDER is needed\n");
        return 1;
    }
    if (strcmp(options.refuse, "flags") == 0 || strcmp(options.refuse, "both") == 0)
        refuse_flags = 1;
    if (strcmp(options.refuse, "links") == 0 || strcmp(options.refuse, "both") == 0)
        refuse_links = 1;
    if (!refuse_flags && !refuse_links && strcmp(options.refuse, "none") != 0) {
        fprintf(stderr, "kestrava-testfs: --refuse takes none, flags, links or both\n");
        return 1;
    }
    ignore_case = strcmp(options.letter_case, "ignore") == 0;
    if (!ignore_case && strcmp(options.letter_case, "keep") != 0) {
        fprintf(stderr, "kestrava-testfs: --case takes keep or ignore\n");
        return 1;
    }
    backing_fd = open(options.backing, O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (backing_fd < 0) {
        perror(options.backing);
        return 1;
    }
    const int status = fuse_main(args.argc, args.argv, &operations, NULL);
    fuse_opt_free_args(&args);
    return status;
}
