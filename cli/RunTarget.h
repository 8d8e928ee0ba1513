// SPDX-License-Identifier: GPL-3.0-or-later
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

/// The folder list of a named folder. The command line shows no list, so
/// moving to the folder the list is already in (as a run does at its end, to
/// show the folder as it leaves it) keeps the listing instead of reading the
/// folder again; any other move lists the new folder.
class CliFolderList : public DiskFolderList
{
public:
    using DiskFolderList::DiskFolderList;
    std::expected<void, QString> setPath(const QString &path) override;
};

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
    CliFolderList m_diskFolders;
    FileSetFileList m_setFiles;
    std::optional<FileSetFolderList> m_setFolders;
};

} // namespace kestrava::cli
