// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderNameRules.h"

#include "FileNameBytes.h"

#include <QByteArray>

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace kestrava {

namespace {

// Magic numbers of statfs' f_type, as the kernel sets them.
constexpr unsigned long msdosMagic = 0x4d44;
constexpr unsigned long exfatMagic = 0x2011BAB0;
constexpr unsigned long ntfsMagic = 0x5346544e;  // the older ntfs driver
constexpr unsigned long ntfs3Magic = 0x7366746e; // "ntfs", the ntfs3 driver
constexpr long nameMax = 255;
// File systems whose way with letter case their type does not tell: FUSE
// (exfat-fuse ignores case, ntfs-3g keeps it), and shares of another machine.
constexpr unsigned long fuseMagic = 0x65735546;
constexpr unsigned long cifsMagic = 0xFF534D42;
constexpr unsigned long smb2Magic = 0xFE534D42;
constexpr unsigned long nfsMagic = 0x6969;
constexpr unsigned long v9fsMagic = 0x01021997;
// How many entries the probe asks about at most before it leaves the answer at "case counts".
constexpr int probesAtMost = 16;

#ifndef FS_CASEFOLD_FL
constexpr long FS_CASEFOLD_FL = 0x40000000;
#endif

bool typeHidesCaseRule(unsigned long type)
{
    return type == fuseMagic || type == cifsMagic || type == smb2Magic || type == nfsMagic || type == v9fsMagic;
}

// Asks the folder itself: an entry of its own (a file with one link, so that no
// second link can pass for it) looked up with the case of its letters swapped.
// The same file under the other spelling means case is ignored; nothing there,
// or another file, that it counts. A folder without such an entry leaves the
// answer at "case counts".
bool folderIgnoresCase(int folderFd)
{
    const int listingFd = ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listingFd < 0)
        return false;
    DIR *listing = ::fdopendir(listingFd);
    if (!listing) {
        ::close(listingFd);
        return false;
    }
    bool ignores = false;
    int probes = 0;
    while (probes < probesAtMost) {
        const dirent *entry = ::readdir(listing);
        if (!entry)
            break;
        QByteArray swapped(entry->d_name);
        bool hasLetter = false;
        for (char &byte : swapped) {
            if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z')) {
                byte = char(byte ^ 0x20);
                hasLetter = true;
            }
        }
        struct stat own;
        if (!hasLetter || ::fstatat(folderFd, entry->d_name, &own, AT_SYMLINK_NOFOLLOW) != 0 || S_ISDIR(own.st_mode)
            || own.st_nlink != 1)
            continue;
        ++probes;
        struct stat other;
        if (::fstatat(folderFd, swapped.constData(), &other, AT_SYMLINK_NOFOLLOW) == 0)
            ignores = other.st_dev == own.st_dev && other.st_ino == own.st_ino;
        break;
    }
    ::closedir(listing);
    return ignores;
}

} // namespace

FolderNameRules folderNameRules(int folderFd)
{
    FolderNameRules rules;
    struct statfs info;
    if (folderFd < 0 || ::fstatfs(folderFd, &info) != 0)
        return rules;
    const auto type = static_cast<unsigned long>(info.f_type) & 0xFFFFFFFFul;
    if (type == msdosMagic || type == exfatMagic || type == ntfsMagic || type == ntfs3Magic) {
        rules.ignoresCase = true;
        rules.storesUtf16 = true;
    } else if (typeHidesCaseRule(type)) {
        rules.ignoresCase = folderIgnoresCase(folderFd);
    } else {
        // Elsewhere (ext4, f2fs, tmpfs) case folding is a property of each
        // folder, turned on by its flag; a file system without flags says so.
        int flags = 0;
        if (::ioctl(folderFd, FS_IOC_GETFLAGS, &flags) == 0)
            rules.ignoresCase = (flags & FS_CASEFOLD_FL) != 0;
    }
    return rules;
}

FolderNameRules folderNameRules(const QString &folderPath)
{
    const int fd = ::open(fileNameToBytes(folderPath).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const FolderNameRules rules = folderNameRules(fd);
    if (fd >= 0)
        ::close(fd);
    return rules;
}

bool isNameTooLong(const QString &name, const FolderNameRules &rules)
{
    if (rules.storesUtf16)
        return name.size() > nameMax;
    if (name.size() * 3 <= nameMax)
        return false; // UTF-8 takes at most three bytes per UTF-16 unit
    return fileNameToBytes(name).size() > nameMax;
}

} // namespace kestrava
