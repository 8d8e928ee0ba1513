// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <expected>

namespace kestrava {

/// The folder list the run walks (the window's `Dir1`). Moving it to another
/// folder moves the file list along, with every entry selected.
class FolderList
{
public:
    virtual ~FolderList() = default;

    /// The current folder, without a trailing "/" except for the root.
    virtual QString path() const = 0;
    /// Moves to \a path (absolute, or ".." for the parent folder) and runs the
    /// folder change handling: the file list re-lists the new folder with its
    /// pattern and every entry is selected. On failure nothing changes and the
    /// system's text for the failure is returned.
    virtual std::expected<void, QString> setPath(const QString &path) = 0;
    /// Number of sub-folders of the current folder.
    virtual qsizetype subFolderCount() const = 0;
    /// Full path of the sub-folder at \a index (0 to subFolderCount() - 1).
    virtual QString subFolderPath(qsizetype index) const = 0;
    /// True when the sub-folder at \a index is a symbolic link; a walk never follows it.
    virtual bool isSubFolderSymLink(qsizetype index) const = 0;
    /// Lists the sub-folders of the current folder again. A listing of the
    /// folder that provably still holds may stand for reading it.
    virtual void refresh() = 0;
};

} // namespace kestrava
