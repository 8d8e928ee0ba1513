// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchFolders.h"

#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kestrava::bench {

std::string benchFileName(int number)
{
    char name[64];
    std::snprintf(name, sizeof name, "Holiday photo %06d of the trip.jpg", number);
    return name;
}

bool makeFolder(const std::string &folder, int count)
{
    if (::mkdir(folder.c_str(), 0755) != 0)
        return false;
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0)
        return false;
    bool made = true;
    for (int i = 0; i < count && made; ++i) {
        const int fd = ::openat(folderFd, benchFileName(i).c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
        made = fd >= 0;
        if (made)
            ::close(fd);
    }
    ::close(folderFd);
    return made;
}

bool restoreFolder(const std::string &folder, int count)
{
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0)
        return false;
    bool restored = true;
    for (int i = 0; i < count && restored; ++i) {
        const std::string name = benchFileName(i);
        std::string renamed = name;
        std::replace(renamed.begin(), renamed.begin() + std::ptrdiff_t(renamed.rfind('.')), ' ', '_');
        restored = ::renameat2(folderFd, renamed.c_str(), folderFd, name.c_str(), RENAME_NOREPLACE) == 0;
    }
    ::close(folderFd);
    return restored;
}

bool makeTree(const std::string &root, int filesPerFolder)
{
    if (!makeFolder(root, filesPerFolder))
        return false;
    char name[32];
    for (int outer = 1; outer <= 9; ++outer) {
        std::snprintf(name, sizeof name, "/Folder %02d", outer);
        const std::string middle = root + name;
        if (!makeFolder(middle, filesPerFolder))
            return false;
        for (int inner = 1; inner <= 10; ++inner) {
            std::snprintf(name, sizeof name, "/Album %02d", inner);
            if (!makeFolder(middle + name, filesPerFolder))
                return false;
        }
    }
    return true;
}

namespace {

void removeBelow(int folderFd)
{
    DIR *folder = ::fdopendir(folderFd);
    if (!folder) {
        ::close(folderFd);
        return;
    }
    while (const dirent *entry = ::readdir(folder)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        if (entry->d_type == DT_DIR) {
            const int below = ::openat(folderFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (below >= 0)
                removeBelow(below);
            ::unlinkat(folderFd, name.c_str(), AT_REMOVEDIR);
        } else {
            ::unlinkat(folderFd, name.c_str(), 0);
        }
    }
    ::closedir(folder);
}

void collect(const std::string &root, const std::string &relative, std::vector<std::string> &names)
{
    DIR *folder = ::opendir((root + relative).c_str());
    if (!folder)
        return;
    std::vector<std::string> subFolders;
    while (const dirent *entry = ::readdir(folder)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        if (entry->d_type == DT_DIR)
            subFolders.push_back(relative + '/' + name);
        else
            names.push_back(relative + '/' + name);
    }
    ::closedir(folder);
    for (const std::string &sub : subFolders)
        collect(root, sub, names);
}

} // namespace

void removeTree(const std::string &path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0)
        removeBelow(fd);
    ::rmdir(path.c_str());
}

std::string listingOf(const std::string &root)
{
    std::vector<std::string> names;
    collect(root, std::string(), names);
    std::sort(names.begin(), names.end());
    std::string listing;
    for (const std::string &name : names)
        listing += name + '\n';
    return listing;
}

} // namespace kestrava::bench
