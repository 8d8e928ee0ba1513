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
    // taken by its real path; two spellings of one folder then make one group.
    char *real = ::realpath(nameToBytes(folder).constData(), nullptr);
    if (!real)
        return std::unexpected(pathProblem(path, systemErrorText(errno)));
    file.folder = nameFromBytes(QByteArray(real));
    std::free(real);
    return file;
}

std::expected<CliScope, QString> fileSet(const QStringList &paths, const QString &pattern, bool filesOnly)
{
    const FileNamePattern matcher(pattern);
    CliScope scope;
    QList<QList<DirectoryEntry>> entries;
    QHash<QString, qsizetype> groupOf;
    for (const QString &path : paths) {
        const auto kind = kindOf(path);
        if (!kind)
            return std::unexpected(kind.error());
        if (*kind == PathKind::Folder)
            return std::unexpected(
                pathProblem(path,
                            filesOnly ? QStringLiteral("a folder; --null takes files only")
                                      : QStringLiteral("a folder among files; name one folder, or files")));
        const auto file = namedFile(path);
        if (!file)
            return std::unexpected(file.error());
        if (!matcher.matches(file->name))
            continue;
        auto group = groupOf.constFind(file->folder);
        if (group == groupOf.cend()) {
            group = groupOf.insert(file->folder, scope.groups.size());
            scope.groups.append(FileGroup{file->folder, {}});
            scope.shownFolders.insert(file->folder, file->shownFolder);
            entries.append(QList<DirectoryEntry>());
        }
        entries[*group].append(DirectoryEntry{file->name, false});
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
