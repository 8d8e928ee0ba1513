#include "DiskOperations.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrava {

namespace {

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

// One rename that cannot replace: the kernel's no-replace rename, or, where the
// file system does not offer it, a link and unlink that cannot replace either.
std::expected<void, int> renameOnce(const QByteArray &oldPath, const QByteArray &newPath)
{
    if (::renameat2(AT_FDCWD, oldPath.constData(), AT_FDCWD, newPath.constData(),
                    RENAME_NOREPLACE) == 0) {
        return {};
    }
    const int error = errno;
    if (error != EINVAL && error != ENOSYS)
        return std::unexpected(error);
    return renameByLink(QFile::decodeName(oldPath), QFile::decodeName(newPath));
}

bool sameInode(const QByteArray &first, const QByteArray &second)
{
    struct stat a;
    struct stat b;
    return ::lstat(first.constData(), &a) == 0 && ::lstat(second.constData(), &b) == 0
        && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

QByteArray folderOf(const QByteArray &path)
{
    return path.left(path.lastIndexOf('/') + 1);
}

// On a file system that ignores case, "a.txt" and "A.TXT" are one entry, so the
// no-replace rename reports the new name as taken. Moving the file aside under a
// hidden unique name first and then to its new name changes only the case.
std::expected<void, int> renameViaTemporary(const QByteArray &oldPath, const QByteArray &newPath)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray temporary = folderOf(oldPath) + ".kestrava-"
            + QByteArray::number(QRandomGenerator::global()->generate64(), 16) + ".tmp";
        const auto aside = renameOnce(oldPath, temporary);
        if (!aside && aside.error() == EEXIST)
            continue;
        if (!aside)
            return aside;
        const auto done = renameOnce(temporary, newPath);
        if (!done)
            (void)renameOnce(temporary, oldPath); // put it back under its old name
        return done;
    }
    return std::unexpected(EEXIST);
}

} // namespace

QString systemErrorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool isUsableFileName(QStringView name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/')
        && !name.contains(QChar(u'\0'));
}

std::expected<bool, int> isReadOnly(const QString &path)
{
    struct stat info;
    if (::lstat(encoded(path).constData(), &info) != 0)
        return std::unexpected(errno);
    return (info.st_mode & S_IWUSR) == 0;
}

std::expected<void, int> makeOwnerWritable(const QString &path)
{
    const QByteArray name = encoded(path);
    struct stat info;
    if (::lstat(name.constData(), &info) != 0)
        return std::unexpected(errno);
    if ((info.st_mode & S_IWUSR) != 0 || S_ISLNK(info.st_mode))
        return {}; // nothing to change; a link's own bits mean nothing
    if (::chmod(name.constData(), (info.st_mode & 07777) | S_IWUSR) != 0)
        return std::unexpected(errno);
    return {};
}

std::expected<void, int> renameNoReplace(const QString &oldPath, const QString &newPath)
{
    const QByteArray from = encoded(oldPath);
    const QByteArray to = encoded(newPath);
    const auto renamed = renameOnce(from, to);
    if (renamed || renamed.error() != EEXIST || from == to || !sameInode(from, to))
        return renamed;
    return renameViaTemporary(from, to);
}

std::expected<void, int> renameByLink(const QString &oldPath, const QString &newPath)
{
    const QByteArray from = encoded(oldPath);
    const QByteArray to = encoded(newPath);
    if (::linkat(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), 0) != 0)
        return std::unexpected(errno);
    if (::unlink(from.constData()) != 0) {
        const int error = errno;
        ::unlink(to.constData()); // the old name still holds the file
        return std::unexpected(error);
    }
    return {};
}

std::expected<FolderIdentity, int> folderIdentity(const QString &path, bool followLink)
{
    struct stat info;
    const QByteArray name = encoded(path);
    if ((followLink ? ::stat(name.constData(), &info) : ::lstat(name.constData(), &info)) != 0)
        return std::unexpected(errno);
    return FolderIdentity{info.st_dev, info.st_ino, S_ISLNK(info.st_mode) != 0,
                          S_ISDIR(info.st_mode) != 0};
}

} // namespace kestrava
