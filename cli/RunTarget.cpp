// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunTarget.h"

namespace kestrava::cli {

std::expected<void, QString> CliFolderList::setPath(const QString &path)
{
    if (!this->path().isEmpty() && resolvePath(this->path(), path) == this->path())
        return {};
    return DiskFolderList::setPath(path);
}

RunTarget::RunTarget(const CliScope &scope, const QString &pattern, bool recursive)
    : m_scope(scope)
    , m_topFolder(folderPathOf(scope.folder))
    , m_recursive(recursive)
    , m_diskFiles(pattern)
    , m_diskFolders(m_diskFiles)
{}

std::expected<void, QString> RunTarget::open()
{
    if (!m_scope.isFileSet()) {
        if (auto listed = m_diskFolders.setPath(m_scope.folder); !listed)
            return std::unexpected(m_scope.folder + QStringLiteral(": ") + listed.error());
        return {};
    }
    if (!m_scope.groups.isEmpty())
        m_setFolders.emplace(m_scope.groups, m_setFiles);
    return {};
}

FolderList &RunTarget::folders()
{
    if (m_scope.isFileSet())
        return *m_setFolders;
    return m_diskFolders;
}

FileList &RunTarget::files()
{
    if (m_scope.isFileSet())
        return m_setFiles;
    return m_diskFiles;
}

RunScope RunTarget::runScope() const
{
    // A file set is walked as a tree of its folders, so its files make one run.
    if (m_scope.isFileSet() || m_recursive)
        return RunScope::AllFilesIncludingSubFolders;
    return RunScope::AllFilesInCurrentFolder;
}

QString RunTarget::shownPath(const QString &folderPath, const QString &name) const
{
    if (m_scope.isFileSet()) {
        const QString folder = folderPath.size() > 1 ? folderPath.chopped(1) : folderPath;
        if (!m_scope.shownPaths.isEmpty()) {
            if (const auto shown = m_scope.shownPaths.constFind(folder + u'/' + name);
                shown != m_scope.shownPaths.cend())
                return *shown;
        }
        return m_scope.shownFolders.value(folder) + name;
    }
    if (folderPath == m_topFolder)
        return name;
    if (folderPath.startsWith(m_topFolder))
        return QStringView(folderPath).sliced(m_topFolder.size()) + name;
    return folderPath + name;
}

} // namespace kestrava::cli
