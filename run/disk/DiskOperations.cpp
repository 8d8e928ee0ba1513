// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiskOperations.h"

#include "FileNameBytes.h"
#include "FolderNameRules.h"
#include "RenameMethods.h"

#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace kestrava {

namespace {

QByteArray encoded(const QString &path)
{
    return fileNameToBytes(path);
}

// One rename that cannot replace, by the strongest method the file system takes.
std::expected<void, int> renameOnce(int folder, const QByteArray &oldPath, const QByteArray &newPath,
                                    const ParkNotices &notices, dev_t device = 0)
{
    return renameWithoutReplacing(folder, oldPath, newPath, notices.beforeStep, device);
}

bool sameInode(int folder, const QByteArray &first, const QByteArray &second)
{
    struct stat a;
    struct stat b;
    return ::fstatat(folder, first.constData(), &a, AT_SYMLINK_NOFOLLOW) == 0
        && ::fstatat(folder, second.constData(), &b, AT_SYMLINK_NOFOLLOW) == 0 && a.st_dev == b.st_dev
        && a.st_ino == b.st_ino;
}

QByteArray folderOf(const QByteArray &path)
{
    return path.left(path.lastIndexOf('/') + 1);
}

// On a file system that ignores case, "a.txt" and "A.TXT" are one entry, so the
// no-replace rename reports the new name as taken. Moving the file aside under a
// hidden unique name first and then to its new name changes only the case.
// Moves \a oldPath aside under a hidden name of its folder that nothing holds;
// gives that name.
std::expected<QByteArray, int> parkUnderTemporary(int folder, const QByteArray &oldPath, const ParkNotices &notices)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray temporary = folderOf(oldPath) + ".kestrava-"
            + QByteArray::number(QRandomGenerator::global()->generate64(), 16) + ".tmp";
        if (notices.beforeParking)
            notices.beforeParking(temporary);
        const auto aside = renameOnce(folder, oldPath, temporary, notices);
        if (!aside && aside.error() == EEXIST)
            continue;
        if (!aside)
            return std::unexpected(aside.error());
        return temporary;
    }
    return std::unexpected(EEXIST);
}

std::expected<void, int> renameViaTemporary(int folder, const QByteArray &oldPath, const QByteArray &newPath,
                                            const ParkNotices &notices)
{
    const auto parked = parkUnderTemporary(folder, oldPath, notices);
    if (!parked)
        return std::unexpected(parked.error());
    const QByteArray &temporary = *parked;
    const auto done = renameOnce(folder, temporary, newPath, notices);
    if (done)
        return done;
    // Put back under its old name; when another file took that name in
    // the meantime, the file stays parked and whoever asked must say where.
    if (const auto back = renameOnce(folder, temporary, oldPath, notices); !back && notices.leftParked)
        notices.leftParked(temporary, back.error());
    return done;
}

constexpr unsigned identityMask = STATX_INO | STATX_BTIME | STATX_SIZE | STATX_MTIME;

FileIdentity identityOf(const struct statx &info)
{
    FileIdentity identity;
    identity.device = quint64(makedev(info.stx_dev_major, info.stx_dev_minor));
    identity.inode = quint64(info.stx_ino);
    if ((info.stx_mask & STATX_BTIME) != 0)
        identity.birthNsecs = qint64(info.stx_btime.tv_sec) * 1000000000 + info.stx_btime.tv_nsec;
    identity.size = quint64(info.stx_size);
    identity.modifiedNsecs = qint64(info.stx_mtime.tv_sec) * 1000000000 + info.stx_mtime.tv_nsec;
    identity.hasSizeAndTime = true;
    return identity;
}

std::expected<bool, int> isReadOnlyAt(int folder, const QByteArray &path)
{
    struct stat info;
    if (::fstatat(folder, path.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return std::unexpected(errno);
    return (info.st_mode & S_IWUSR) == 0;
}

std::expected<void, int> makeOwnerWritableAt(int folder, const QByteArray &path)
{
    struct stat info;
    if (::fstatat(folder, path.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return std::unexpected(errno);
    if ((info.st_mode & S_IWUSR) != 0 || S_ISLNK(info.st_mode))
        return {}; // nothing to change; a link's own bits mean nothing
    if (::fchmodat(folder, path.constData(), (info.st_mode & 07777) | S_IWUSR, 0) != 0)
        return std::unexpected(errno);
    return {};
}

// The naming rules of the folder \a path lies in. The case-folding flag needs
// a folder open for reading; one that cannot be read still tells its file system.
FolderNameRules rulesOfFolderOf(int folder, const QByteArray &path)
{
    const QByteArray folderPath = folderOf(path);
    const char *name = folderPath.isEmpty() ? "." : folderPath.constData();
    int fd = ::openat(folder, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        fd = ::openat(folder, name, O_PATH | O_DIRECTORY | O_CLOEXEC);
    const FolderNameRules rules = folderNameRules(fd);
    if (fd >= 0)
        ::close(fd);
    return rules;
}

// Two names of one file that differ only in case are one entry only where the
// file system ignores case; elsewhere they are two hard links, and the new
// name is as taken as any other.
std::expected<void, int> renameChecked(int folder, const QByteArray &from, const QByteArray &to,
                                       const ParkNotices &notices, dev_t device = 0)
{
    const auto renamed = renameOnce(folder, from, to, notices, device);
    if (renamed || renamed.error() != EEXIST || !sameInode(folder, from, to)
        || !isCaseOnlyChange(from, to, rulesOfFolderOf(folder, from)))
        return renamed;
    return renameViaTemporary(folder, from, to, notices);
}

} // namespace

void OpenFolder::open(const QString &folderPath)
{
    close();
    m_path = folderPath;
    // O_PATH needs no read permission: the folder is only a starting point for names.
    m_fd = ::open(encoded(folderPath).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    struct stat info;
    if (m_fd >= 0 && ::fstat(m_fd, &info) == 0)
        m_device = info.st_dev;
}

void OpenFolder::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_device = 0;
    m_path.clear();
}

FolderFile::FolderFile(const OpenFolder &folder, const QString &name)
    : folder(folder.descriptor() >= 0 ? folder.descriptor() : AT_FDCWD)
    , path(encoded(folder.descriptor() >= 0 ? name : folder.path() + name))
    , device(folder.device())
{}

std::expected<bool, int> isReadOnly(const FolderFile &file)
{
    struct statx info;
    if (::statx(file.folder, file.path.constData(), AT_SYMLINK_NOFOLLOW, STATX_MODE | identityMask, &info) != 0)
        return std::unexpected(errno);
    file.identity = identityOf(info);
    file.identified = true;
    return (info.stx_mode & S_IWUSR) == 0;
}

std::expected<FileIdentity, int> fileIdentityAt(int folder, const QByteArray &name)
{
    struct statx info;
    if (::statx(folder, name.constData(), AT_SYMLINK_NOFOLLOW, identityMask, &info) != 0)
        return std::unexpected(errno);
    return identityOf(info);
}

bool isSameFile(const FileIdentity &recorded, const FileIdentity &found)
{
    const bool sameBirth =
        recorded.birthNsecs == 0 || found.birthNsecs == 0 || recorded.birthNsecs == found.birthNsecs;
    if (!recorded.hasSizeAndTime)
        return recorded.device == found.device && recorded.inode == found.inode && sameBirth;
    return recorded.inode == found.inode && recorded.size == found.size
        && recorded.modifiedNsecs == found.modifiedNsecs && sameBirth;
}

quint64 fileSystemId(int folder, const QByteArray &path)
{
    struct statfs fs;
    struct stat info;
    if (folder != AT_FDCWD) {
        if (::fstatfs(folder, &fs) != 0 || ::fstat(folder, &info) != 0)
            return 0;
    } else {
        const QByteArray parent = path.contains('/') ? folderOf(path) : QByteArray(".");
        if (::statfs(parent.constData(), &fs) != 0 || ::stat(parent.constData(), &info) != 0)
            return 0;
    }
    quint32 halves[2];
    static_assert(sizeof halves == sizeof fs.f_fsid);
    std::memcpy(halves, &fs.f_fsid, sizeof halves);
    const quint64 id = quint64(halves[0]) | quint64(halves[1]) << 32;
    // The top bit tells a device number from a file system's own id.
    return id != 0 ? id & ~(quint64(1) << 63) : quint64(info.st_dev) | quint64(1) << 63;
}

std::expected<void, int> makeOwnerWritable(const FolderFile &file)
{
    struct stat info;
    if (::fstatat(file.folder, file.path.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return std::unexpected(errno);
    const auto made = makeOwnerWritableAt(file.folder, file.path);
    if (made && (info.st_mode & S_IWUSR) == 0 && !S_ISLNK(info.st_mode))
        file.modeBefore = int(info.st_mode & 07777);
    return made;
}

std::expected<void, int> clearOwnerWritable(const FolderFile &file)
{
    struct stat info;
    if (::fstatat(file.folder, file.path.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return std::unexpected(errno);
    if ((info.st_mode & S_IWUSR) == 0 || S_ISLNK(info.st_mode))
        return {};
    if (::fchmodat(file.folder, file.path.constData(), (info.st_mode & 07777) & ~mode_t(S_IWUSR), 0) != 0)
        return std::unexpected(errno);
    file.modeBefore = -1;
    return {};
}

std::expected<void, int> renameNoReplace(const FolderFile &file, const FolderFile &newFile, const ParkNotices &notices)
{
    return renameChecked(file.folder, file.path, newFile.path, notices, file.device);
}

bool isNameHeld(const FolderFile &file)
{
    struct stat info;
    return ::fstatat(file.folder, file.path.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0 || errno != ENOENT;
}

std::expected<QByteArray, int> parkAside(const FolderFile &file, const ParkNotices &notices)
{
    return parkUnderTemporary(file.folder, file.path, notices);
}

std::expected<QByteArray, int> parkAsideAt(int folder, const QByteArray &name, const ParkNotices &notices)
{
    return parkUnderTemporary(folder, name, notices);
}

std::expected<void, int> unpark(const FolderFile &newFile, const QByteArray &temporary, const ParkNotices &notices)
{
    return renameOnce(newFile.folder, temporary, newFile.path, notices);
}

bool isCaseOnlyChange(QByteArrayView from, QByteArrayView to, const FolderNameRules &rules)
{
    const QString oldName = fileNameFromBytes(from.sliced(from.lastIndexOf('/') + 1).toByteArray());
    const QString newName = fileNameFromBytes(to.sliced(to.lastIndexOf('/') + 1).toByteArray());
    return rules.ignoresCase && oldName != newName && oldName.compare(newName, Qt::CaseInsensitive) == 0;
}

std::expected<void, int> renameNoReplaceAt(int folder, const QByteArray &from, const QByteArray &to,
                                           const ParkNotices &notices)
{
    return renameChecked(folder, from, to, notices);
}

QString systemErrorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool isUsableFileName(QStringView name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') && !name.contains(QChar(u'\0'));
}

std::expected<bool, int> isReadOnly(const QString &path)
{
    return isReadOnlyAt(AT_FDCWD, encoded(path));
}

std::expected<void, int> makeOwnerWritable(const QString &path)
{
    return makeOwnerWritableAt(AT_FDCWD, encoded(path));
}

std::expected<void, int> renameNoReplace(const QString &oldPath, const QString &newPath)
{
    return renameChecked(AT_FDCWD, encoded(oldPath), encoded(newPath), {});
}

std::expected<void, int> renameByLink(const QString &oldPath, const QString &newPath)
{
    return linkThenUnlinkAt(AT_FDCWD, encoded(oldPath), encoded(newPath));
}

void VisitedFolders::begin(const QString &startFolder)
{
    m_entered.clear();
    if (const auto start = folderIdentity(startFolder, true))
        m_entered.insert({quint64(start->device), quint64(start->inode)});
}

std::expected<std::optional<VisitedFolders::Key>, int> VisitedFolders::mayEnter(const QString &path) const
{
    const auto identity = folderIdentity(path);
    if (!identity)
        return std::unexpected(identity.error());
    const Key key{quint64(identity->device), quint64(identity->inode)};
    if (identity->isSymLink || !identity->isFolder || m_entered.contains(key))
        return std::nullopt;
    return key;
}

std::expected<FolderIdentity, int> folderIdentity(const QString &path, bool followLink)
{
    struct stat info;
    const QByteArray name = encoded(path);
    if ((followLink ? ::stat(name.constData(), &info) : ::lstat(name.constData(), &info)) != 0)
        return std::unexpected(errno);
    return FolderIdentity{info.st_dev, info.st_ino, S_ISLNK(info.st_mode) != 0, S_ISDIR(info.st_mode) != 0};
}

} // namespace kestrava
