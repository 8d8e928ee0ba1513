// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileSetLists.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <expected>

namespace kestrava::cli {

/// The files a command names: every file of one folder (and, recursively, of
/// the folders below), or a set of files grouped by their folders.
struct CliScope
{
    /// The folder, when one is named; empty for a file set.
    QString folder;
    /// The named files by folder, in run order; empty for a folder.
    QList<FileGroup> groups;
    /// How each folder of a file set was written on the command line
    /// (ending in "/", or empty for the working folder), by the folder's real path.
    QHash<QString, QString> shownFolders;
    /// How each file of a folder named by more than one path was first written,
    /// by its real folder, "/" and its name.
    QHash<QString, QString> shownPaths;

    bool isFileSet() const { return folder.isEmpty(); }
};

/// Reads \a paths as one folder or as files. Files that do not match \a pattern
/// are left out; each folder's files go in the order a folder listing gives them,
/// the folders in the order first named. Files of one folder named through
/// different paths (a link, a bind mount) make one group. A missing path, a hidden file, a
/// folder among files or a second folder is a usage error naming the path.
/// \a recursive needs a folder. With \a filesOnly (names read by --null, which
/// a `find -type f` gives) every path must be a file: a folder is a usage error.
std::expected<CliScope, QString> resolveScope(const QStringList &paths, const QString &pattern, bool recursive,
                                              bool filesOnly);

} // namespace kestrava::cli
