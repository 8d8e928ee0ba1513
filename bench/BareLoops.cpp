// SPDX-License-Identifier: GPL-3.0-or-later
#include "BareLoops.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>

namespace kestrava::bench {

bool BareNaming::newName(const std::string &oldName, std::string &newName)
{
    const std::size_t dot = oldName.rfind('.');
    if (dot == std::string::npos)
        return false;
    newName.clear();
    if (prefixCounter) {
        if (counter >= 10000)
            return false;
        char stamp[16];
        std::snprintf(stamp, sizeof stamp, "%04d_", counter++);
        newName += stamp;
    }
    for (std::size_t i = 0; i < dot; ++i)
        newName += oldName[i] == ' ' ? '_' : oldName[i];
    newName.append(oldName, dot, std::string::npos);
    return true;
}

namespace {

// Reads the visible names of the folder open as \a folderFd: regular files into
// \a files and, when given, folders into \a folders.
void readNames(int folderFd, std::vector<std::string> &files, std::vector<std::string> *folders)
{
    DIR *folder = ::fdopendir(::dup(folderFd));
    if (!folder)
        return;
    while (const dirent *entry = ::readdir(folder)) {
        if (entry->d_name[0] == '.')
            continue;
        if (entry->d_type == DT_REG)
            files.emplace_back(entry->d_name);
        else if (entry->d_type == DT_DIR && folders)
            folders->emplace_back(entry->d_name);
    }
    ::closedir(folder);
}

void sortIgnoringCase(std::vector<std::string> &names)
{
    std::sort(names.begin(), names.end(),
              [](const std::string &a, const std::string &b) { return ::strcasecmp(a.c_str(), b.c_str()) < 0; });
}

bool renameBy(BareMethod method, int folderFd, const char *from, const char *to)
{
    switch (method) {
    case BareMethod::NoReplaceFlag:
        return ::renameat2(folderFd, from, folderFd, to, RENAME_NOREPLACE) == 0;
    case BareMethod::LinkThenUnlink:
        return ::linkat(folderFd, from, folderFd, to, 0) == 0 && ::unlinkat(folderFd, from, 0) == 0;
    case BareMethod::Placeholder:
        break;
    }
    const int fd = ::openat(folderFd, to, O_CREAT | O_EXCL | O_WRONLY | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    struct stat made;
    const bool known = ::fstat(fd, &made) == 0;
    ::close(fd);
    return known && ::renameat(folderFd, from, folderFd, to) == 0;
}

int renameNames(int folderFd, const std::vector<std::string> &names, BareNaming &naming,
                BareMethod method = BareMethod::NoReplaceFlag)
{
    int renamed = 0;
    std::string newName;
    for (const std::string &name : names) {
        struct stat info;
        if (::fstatat(folderFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if ((info.st_mode & S_IWUSR) == 0)
            ::fchmodat(folderFd, name.c_str(), (info.st_mode & 07777) | S_IWUSR, 0);
        if (!naming.newName(name, newName) || newName == name)
            continue;
        if (renameBy(method, folderFd, name.c_str(), newName.c_str()))
            ++renamed;
    }
    return renamed;
}

} // namespace

std::vector<std::string> bareSortedNames(const char *folder)
{
    std::vector<std::string> names;
    const int folderFd = ::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0)
        return names;
    readNames(folderFd, names, nullptr);
    ::close(folderFd);
    sortIgnoringCase(names);
    return names;
}

int bareRenameFolder(const std::string &folder, BareNaming &naming, BareMethod method)
{
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0)
        return 0;
    std::vector<std::string> names;
    readNames(folderFd, names, nullptr);
    // The counter numbers the files in the listing's order, as the program does.
    sortIgnoringCase(names);
    const int renamed = renameNames(folderFd, names, naming, method);
    ::close(folderFd);
    return renamed;
}

BareFolderNames::BareFolderNames(const char *folder)
{
    DIR *dir = ::opendir(folder);
    if (!dir)
        return;
    // The names go into one buffer first, so that the views into it stay put.
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    while (const dirent *entry = ::readdir(dir)) {
        const char *name = entry->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        const std::size_t size = std::strlen(name);
        spans.emplace_back(m_text.size(), size);
        m_text.append(name, name + size);
    }
    ::closedir(dir);
    m_names.reserve(spans.size() * 2);
    for (const auto &[offset, size] : spans)
        m_names.insert(std::u16string_view(m_text).substr(offset, size));
}

bool BareFolderNames::take(std::u16string_view oldName, std::u16string_view newName)
{
    if (!m_names.insert(newName).second)
        return false;
    m_names.erase(oldName);
    return true;
}

std::size_t bareNamesAgainstFolder(const char *folder, const std::vector<std::string> &names, BareNaming &naming)
{
    std::vector<std::string> newNames(names.size());
    std::vector<char> named(names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        named[i] = naming.newName(names[i], newNames[i]);
    // The folder's names in one block of memory, looked up by views into it:
    // the least a set of a million names can cost.
    const int folderFd = ::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0)
        return 0;
    DIR *listing = ::fdopendir(folderFd);
    if (!listing) {
        ::close(folderFd);
        return 0;
    }
    std::string block;
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    block.reserve(names.size() * 40);
    spans.reserve(names.size());
    while (const dirent *entry = ::readdir(listing)) {
        if (entry->d_name[0] == '.' || entry->d_type != DT_REG)
            continue;
        const std::size_t length = std::strlen(entry->d_name);
        spans.emplace_back(block.size(), length);
        block.append(entry->d_name, length);
    }
    ::closedir(listing);
    std::unordered_set<std::string_view> onDisk;
    onDisk.reserve(spans.size());
    for (const auto &[at, length] : spans)
        onDisk.emplace(block.data() + at, length);
    std::size_t renamable = 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
        // Gone from the folder, or its new name taken by another file: not renamed.
        if (named[i] && newNames[i] != names[i] && onDisk.count(names[i]) && !onDisk.count(newNames[i]))
            ++renamable;
    }
    return renamable;
}

int bareRenameTree(const std::string &root, BareNaming &naming)
{
    const int folderFd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folderFd < 0)
        return 0;
    std::vector<std::string> names;
    std::vector<std::string> folders;
    readNames(folderFd, names, &folders);
    // Without a counter the order changes no name, so the tree is not sorted.
    if (naming.prefixCounter) {
        sortIgnoringCase(names);
        sortIgnoringCase(folders);
    }
    int renamed = renameNames(folderFd, names, naming);
    ::close(folderFd);
    for (const std::string &sub : folders)
        renamed += bareRenameTree(root + '/' + sub, naming);
    return renamed;
}

} // namespace kestrava::bench
