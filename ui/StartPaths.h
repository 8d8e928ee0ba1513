// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

namespace kestrava {

/// Where the window opens for a list of paths, given on the command line or dropped
/// on it: the first path decides the folder. A folder opens as itself; a file opens
/// its folder with the given files of that folder selected.
struct StartPaths
{
    /// The folder to open, absolute and clean; empty when no path was given.
    QString folder;
    /// The names, within `folder`, of the files to select; empty when a folder was given.
    QStringList selectedNames;
    /// Given paths that exist but are left out: in another folder, or a folder
    /// after the first path. A file of the same folder named by another path
    /// (through a link, or a bind mount) is selected, not left out.
    QStringList ignored;
    /// Given paths that do not exist (a link to nothing counts as missing).
    QStringList missing;

    /// Sorts \a paths, each absolute or relative to \a current, into the above.
    static StartPaths resolve(const QStringList &paths, const QDir &current = QDir::current());
};

} // namespace kestrava
