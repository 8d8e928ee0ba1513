// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartPaths.h"

#include "DiskOperations.h"

#include <QFileInfo>

namespace kestrava {

namespace {

bool isSameFolder(const QString &path, const QString &folder)
{
    const auto one = folderIdentity(path, true);
    const auto other = folderIdentity(folder, true);
    return one && other && one->device == other->device && one->inode == other->inode;
}

} // namespace

StartPaths StartPaths::resolve(const QStringList &paths, const QDir &current)
{
    StartPaths result;
    bool firstFound = false;
    bool filesWanted = false;
    for (const QString &path : paths) {
        const QFileInfo info(current, path);
        // exists() follows links, so a dangling link is missing, as the file it names is.
        if (path.isEmpty() || !info.exists()) {
            result.missing.append(path);
            continue;
        }
        if (!firstFound) {
            firstFound = true;
            filesWanted = !info.isDir();
            result.folder =
                filesWanted ? QDir::cleanPath(info.absolutePath()) : QDir::cleanPath(info.absoluteFilePath());
            if (filesWanted)
                result.selectedNames.append(info.fileName());
            continue;
        }
        // Only files of the first file's folder can be selected beside it; the file
        // list shows no folders, and one window shows one folder. That folder
        // may be named by another path too: a link to it, or a bind mount.
        const bool sameFolder =
            QDir::cleanPath(info.absolutePath()) == result.folder || isSameFolder(info.absolutePath(), result.folder);
        if (filesWanted && !info.isDir() && sameFolder) {
            if (!result.selectedNames.contains(info.fileName()))
                result.selectedNames.append(info.fileName());
        } else {
            result.ignored.append(path);
        }
    }
    return result;
}

} // namespace kestrava
