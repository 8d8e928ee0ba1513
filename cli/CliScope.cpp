// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliScope.h"

#include "DirectoryListing.h"
#include "DiskFolderList.h"
#include "DiskOperations.h"
#include "FileNamePattern.h"
#include "NameText.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>

namespace kestrava::cli {

namespace {

enum class PathKind { File, Folder };

QString pathProblem(const QString &path, const QString &problem)
{
    return path + QStringLiteral(": ") + problem;
}

// What \a path names, following a link as a folder listing does.
std::expected<PathKind, QString> kindOf(const QString &path)
{
    struct stat info;
    if (::stat(nameToBytes(path).constData(), &info) != 0)
        return std::unexpected(pathProblem(path, systemErrorText(errno)));
    if (S_ISDIR(info.st_mode))
        return PathKind::Folder;
    if (S_ISREG(info.st_mode))
        return PathKind::File;
    return std::unexpected(pathProblem(path, QStringLiteral("neither a file nor a folder")));
}

struct NamedFile
{
    QString folder;      // real path of its folder
    QString shownFolder; // as written, ending in "/", or empty
    QString name;
    VisitedFolders::Key identity; // of its folder
};

std::expected<NamedFile, QString> namedFile(const QString &path)
{
    NamedFile file;
    const qsizetype slash = path.lastIndexOf(u'/');
    file.name = path.sliced(slash + 1);
    file.shownFolder = path.first(slash + 1);
    // The listing never shows hidden files, so no run touches one.
    if (file.name.startsWith(u'.'))
        return std::unexpected(pathProblem(path, QStringLiteral("a hidden file, never renamed")));
    const QString folder =
        DiskFolderList::resolvePath(QString(), file.shownFolder.isEmpty() ? QStringLiteral(".") : file.shownFolder);
    // The walk refuses folders reached through a link, so each file's folder is
    // taken by its real path.
    char *real = ::realpath(nameToBytes(folder).constData(), nullptr);
    if (!real)
        return std::unexpected(pathProblem(path, systemErrorText(errno)));
    file.folder = nameFromBytes(QByteArray(real));
    std::free(real);
    const auto identity = folderIdentity(file.folder, true);
    if (!identity)
        return std::unexpected(pathProblem(path, systemErrorText(identity.error())));
    file.identity = {quint64(identity->device), quint64(identity->inode)};
    return file;
}

std::expected<CliScope, QString> fileSet(const QStringList &paths, const QString &pattern, bool filesOnly)
{
    const FileNamePattern matcher(pattern);
    QList<NamedFile> files;
    files.reserve(paths.size());
    for (const QString &path : paths) {
        const auto kind = kindOf(path);
        if (!kind)
            return std::unexpected(kind.error());
        if (*kind == PathKind::Folder)
            return std::unexpected(
                pathProblem(path,
                            filesOnly ? QStringLiteral("a folder; --null takes files only")
                                      : QStringLiteral("a folder among files; name one folder, or files")));
        auto file = namedFile(path);
        if (!file)
            return std::unexpected(file.error());
        if (matcher.matches(file->name))
            files.append(std::move(*file));
    }
    // Files are grouped by their folder itself, not by its path: a walk enters
    // a folder once, so a second group of one folder reached by another path
    // (a bind mount, a second mount of one file system) would never be walked.
    CliScope scope;
    QList<QList<DirectoryEntry>> entries;
    QHash<VisitedFolders::Key, qsizetype> groupOf;
    QList<bool> spelledApart; // a group reached by more than one path
    for (const NamedFile &file : std::as_const(files)) {
        auto group = groupOf.constFind(file.identity);
        if (group == groupOf.cend()) {
            group = groupOf.insert(file.identity, scope.groups.size());
            scope.groups.append(FileGroup{file.folder, {}});
            scope.shownFolders.insert(file.folder, file.shownFolder);
            entries.append(QList<DirectoryEntry>());
            spelledApart.append(false);
        } else if (scope.shownFolders.value(scope.groups.at(*group).folder) != file.shownFolder) {
            spelledApart[*group] = true;
        }
        entries[*group].append(DirectoryEntry{file.name, false});
    }
    // Each file of such a group is shown by the path that first named it.
    for (const NamedFile &file : std::as_const(files)) {
        const qsizetype group = groupOf.value(file.identity);
        if (!spelledApart.at(group))
            continue;
        const QString key = scope.groups.at(group).folder + u'/' + file.name;
        if (!scope.shownPaths.contains(key))
            scope.shownPaths.insert(key, file.shownFolder + file.name);
    }
    for (qsizetype group = 0; group < entries.size(); ++group) {
        sortByName(entries[group]);
        QStringList &names = scope.groups[group].names;
        for (const DirectoryEntry &entry : std::as_const(entries[group])) {
            if (names.isEmpty() || names.constLast() != entry.name) // a file named twice runs once
                names.append(entry.name);
        }
    }
    return scope;
}

} // namespace

std::expected<CliScope, QString> resolveScope(const QStringList &paths, const QString &pattern, bool recursive,
                                              bool filesOnly)
{
    if (paths.size() == 1 && !filesOnly) {
        const auto kind = kindOf(paths.first());
        if (!kind)
            return std::unexpected(kind.error());
        if (*kind == PathKind::Folder) {
            CliScope scope;
            scope.folder = DiskFolderList::resolvePath(QString(), paths.first());
            return scope;
        }
    }
    if (recursive)
        return std::unexpected(QStringLiteral("--recursive: needs one folder, not files"));
    return fileSet(paths, pattern, filesOnly);
}

} // namespace kestrava::cli
