#pragma once

#include "CliScope.h"
#include "DiskFileList.h"
#include "DiskFolderList.h"
#include "FileSetLists.h"
#include "RenameRun.h"

#include <QString>

#include <expected>
#include <optional>

namespace kestrava::cli {

/// The folder and file lists a run of the command walks, and how it walks
/// them: a named folder's files (or tree) as the window's folder and file
/// lists would show them, or a set of named files.
class RunTarget
{
public:
    /// \a scope must outlive the target.
    RunTarget(const CliScope &scope, const QString &pattern, bool recursive);

    /// Lists the named folder; its system text when it cannot be read.
    std::expected<void, QString> open();
    /// True for a set of named files none of which is left to run.
    bool isEmpty() const { return m_scope.isFileSet() && m_scope.groups.isEmpty(); }

    FolderList &folders();
    FileList &files();
    RunScope runScope() const;
    /// How the file \a name of \a folderPath (ending in "/") is shown.
    QString shownPath(const QString &folderPath, const QString &name) const;

private:
    const CliScope &m_scope;
    QString m_topFolder; // the named folder, ending in "/"
    bool m_recursive;
    DiskFileList m_diskFiles;
    DiskFolderList m_diskFolders;
    FileSetFileList m_setFiles;
    std::optional<FileSetFolderList> m_setFolders;
};

} // namespace kestrava::cli
