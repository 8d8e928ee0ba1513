// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kestrava {

/// How the file system of one folder compares and measures names.
struct FolderNameRules
{
    /// Names differing only in letter case are one entry (vfat, exfat, NTFS,
    /// or a folder with the case-folding flag, as ext4, f2fs and tmpfs offer).
    bool ignoresCase = false;
    /// Names are stored as UTF-16 and their length limit counts its units
    /// rather than bytes (vfat, exfat, NTFS).
    bool storesUtf16 = false;
};

/// The naming rules of the folder open as \a folderFd (opened for reading:
/// the case-folding flag is asked through an ioctl). Where the type of file
/// system does not tell (FUSE, network shares), an entry of the folder is
/// looked up with its letters' case swapped. An unknown answer gives the
/// rules of a plain Linux file system.
FolderNameRules folderNameRules(int folderFd);

/// As folderNameRules(int), for the folder at \a folderPath.
FolderNameRules folderNameRules(const QString &folderPath);

/// Longest name a folder with \a rules takes: 255 bytes, or 255 UTF-16 units.
bool isNameTooLong(const QString &name, const FolderNameRules &rules);

} // namespace kestrava
