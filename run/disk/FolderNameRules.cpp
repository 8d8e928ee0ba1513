// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderNameRules.h"

#include "FileNameBytes.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
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

#ifndef FS_CASEFOLD_FL
constexpr long FS_CASEFOLD_FL = 0x40000000;
#endif

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
