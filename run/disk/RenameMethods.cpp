// SPDX-License-Identifier: GPL-3.0-or-later
#include "RenameMethods.h"

#include <QHash>

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrava {

namespace {

// What was learned of each file system, shared by every run, undo and thread of
// the process: a run over a FUSE mount then pays for the refused calls once, not
// once per file. Only devices that refused a method are kept, so it stays small.
struct LearnedMethods
{
    std::mutex mutex;
    QHash<dev_t, RenameMethod> byDevice;
};

LearnedMethods &learned()
{
    static LearnedMethods methods;
    return methods;
}

std::atomic<quint64> refusals{0};

void remember(dev_t device, RenameMethod method)
{
    refusals.fetch_add(1, std::memory_order_relaxed);
    LearnedMethods &methods = learned();
    const std::lock_guard lock(methods.mutex);
    // Never back up to a stronger method another thread has found refused.
    if (methods.byDevice.value(device, RenameMethod::NoReplaceFlag) < method)
        methods.byDevice.insert(device, method);
}

// The device of the folder that holds the names; 0 when it cannot be told,
// which still works, only learned under one shared key.
dev_t deviceOf(int folder, const QByteArray &from)
{
    struct stat info;
    if (folder != AT_FDCWD)
        return ::fstat(folder, &info) == 0 ? info.st_dev : 0;
    const qsizetype slash = from.lastIndexOf('/');
    const QByteArray parent = slash < 0 ? QByteArray(".") : from.left(slash + 1);
    return ::stat(parent.constData(), &info) == 0 ? info.st_dev : 0;
}

// The outcome of one method: done, failed, or refused by the file system, in
// which case the next method is tried.
struct Attempt
{
    std::expected<void, int> result;
    bool refused = false;
    // Refused for this file alone (too many links), not for the file system.
    bool onlyThisFile = false;
};

Attempt noReplaceFlag(int folder, const QByteArray &from, const QByteArray &to)
{
    if (::renameat2(folder, from.constData(), folder, to.constData(), RENAME_NOREPLACE) == 0)
        return {};
    const int error = errno;
    return {std::unexpected(error), error == EINVAL || error == ENOSYS};
}

bool refusesLinks(int error)
{
    // EXDEV within one folder means the file system keeps no links at all.
    return error == EPERM || error == ENOSYS || error == EOPNOTSUPP || error == EMLINK || error == EXDEV;
}

Attempt linkThenUnlink(int folder, const QByteArray &from, const QByteArray &to, const StepNotice &notice = {})
{
    if (notice)
        notice(RenameStep::Link, from, to, 0);
    if (::linkat(folder, from.constData(), folder, to.constData(), 0) != 0) {
        const int error = errno;
        return {std::unexpected(error), refusesLinks(error), error == EMLINK};
    }
    if (::unlinkat(folder, from.constData(), 0) != 0) {
        const int error = errno;
        ::unlinkat(folder, to.constData(), 0); // the old name still holds the file
        return {std::unexpected(error)};
    }
    return {};
}

// There is no call that removes a name only while it still is a given file, so
// the name is looked at and then removed. Looking for the same device and inode
// and a size of 0 narrows what can go to the empty file made here: a placeholder
// another program has written into, or replaced by a file of its own, is left.
// Only a replacement in the moment between the look and the removal escapes it.
void removePlaceholder(int folder, const QByteArray &to, const struct stat &made)
{
    struct stat now;
    if (::fstatat(folder, to.constData(), &now, AT_SYMLINK_NOFOLLOW) == 0 && now.st_dev == made.st_dev
        && now.st_ino == made.st_ino && now.st_size == 0 && S_ISREG(now.st_mode))
        ::unlinkat(folder, to.constData(), 0);
}

// Whether the name \a to is still the placeholder open as \a fd, and it is still empty.
bool isUntouchedPlaceholder(int fd, int folder, const QByteArray &to, const struct stat &made)
{
    struct stat open;
    struct stat named;
    return ::fstat(fd, &open) == 0 && open.st_size == 0
        && ::fstatat(folder, to.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0 && named.st_dev == made.st_dev
        && named.st_ino == made.st_ino;
}

// Where a file system takes neither the no-replace flag nor hard links, an
// exclusive create reserves the new name, failing when the name is taken, and a
// plain rename then moves the file over that empty placeholder. The plain rename
// replaces whatever is under the new name at that moment. The placeholder has
// no permission bits, so no program of the user's can open it to write into
// it; one that deletes it and creates its own file under the name in the
// moment between the two steps would lose that file, and so would a program
// with root's rights writing into it in the moment between the last look at it
// and the rename: the only ways a file can be lost here. Just before the
// rename, the placeholder is looked at through its open descriptor and by its
// name: one that was written into or replaced is left as it is, and the rename
// fails as for a taken name. A look for the name followed by a plain rename
// would lose any file created in between.
Attempt renameOverPlaceholder(int folder, const QByteArray &from, const QByteArray &to, const StepNotice &notice)
{
    if (notice)
        notice(RenameStep::Placeholder, from, to, 0);
    const int fd = ::openat(folder, to.constData(), O_CREAT | O_EXCL | O_WRONLY | O_NOFOLLOW | O_CLOEXEC, 0);
    if (fd < 0)
        return {std::unexpected(errno)};
    struct stat made;
    if (::fstat(fd, &made) != 0) {
        // Without its identity the placeholder cannot be told from another
        // file later, so it stays: an empty file is better than a lost one.
        const int error = errno;
        ::close(fd);
        return {std::unexpected(error)};
    }
    if (notice)
        notice(RenameStep::PlaceholderMade, from, to, quint64(made.st_ino));
    const bool untouched = isUntouchedPlaceholder(fd, folder, to, made);
    // Closed before the rename: a file system that keeps a replaced file
    // while it is open (FUSE) would otherwise keep it under a hidden name.
    ::close(fd);
    if (!untouched)
        return {std::unexpected(EEXIST)};
    if (::renameat(folder, from.constData(), folder, to.constData()) == 0)
        return {};
    const int error = errno;
    removePlaceholder(folder, to, made);
    return {std::unexpected(error)};
}

Attempt attemptWith(RenameMethod method, int folder, const QByteArray &from, const QByteArray &to,
                    const StepNotice &notice)
{
    switch (method) {
    case RenameMethod::NoReplaceFlag:
        return noReplaceFlag(folder, from, to);
    case RenameMethod::LinkThenUnlink:
        return linkThenUnlink(folder, from, to, notice);
    case RenameMethod::Placeholder:
        break;
    }
    return renameOverPlaceholder(folder, from, to, notice);
}

} // namespace

std::expected<void, int> renameWithoutReplacing(int folder, const QByteArray &from, const QByteArray &to,
                                                const StepNotice &notice, dev_t knownDevice)
{
    // A run renames thousands of files in one open folder: its device is
    // looked up once, not once per file.
    const dev_t device = knownDevice != 0 ? knownDevice : deviceOf(folder, from);
    RenameMethod method = renameMethodFor(device);
    for (;;) {
        const Attempt attempt = attemptWith(method, folder, from, to, notice);
        if (!attempt.refused || method == RenameMethod::Placeholder)
            return attempt.result;
        method = RenameMethod(int(method) + 1);
        if (attempt.onlyThisFile)
            refusals.fetch_add(1, std::memory_order_relaxed);
        else
            remember(device, method);
    }
}

std::expected<void, int> linkThenUnlinkAt(int folder, const QByteArray &from, const QByteArray &to)
{
    return linkThenUnlink(folder, from, to).result;
}

RenameMethod renameMethodFor(dev_t device)
{
    LearnedMethods &methods = learned();
    const std::lock_guard lock(methods.mutex);
    return methods.byDevice.value(device, RenameMethod::NoReplaceFlag);
}

void forgetRenameMethods()
{
    LearnedMethods &methods = learned();
    const std::lock_guard lock(methods.mutex);
    methods.byDevice.clear();
}

quint64 refusedRenameMethods()
{
    return refusals.load(std::memory_order_relaxed);
}

} // namespace kestrava
