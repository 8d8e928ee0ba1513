// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kestrava {

/// Where a run reports what it does. The window shows it on the Go tab.
class ProgressSink
{
public:
    virtual ~ProgressSink() = default;

    /// The file being processed (may show at the next yield); empty clears it.
    virtual void showFile(const QString &name) = 0;
    /// The folder being processed in a tree walk; shown at once. Empty clears it.
    virtual void showFolder(const QString &path) = 0;
    /// The number of files renamed so far; shown at once.
    virtual void showCount(qint64 filesRenamed) = 0;
    /// The status word: "WORKING ...", "COMPLETED" or "INTERRUPTED BY USER".
    virtual void showStatus(const QString &status) = 0;
    /// The one-line summary at the end of a run, shown where the count was.
    virtual void showSummary(const QString &summary) = 0;
    /// The run emptied its modified-files log and error log.
    virtual void logsCleared() = 0;
    /// A file was renamed to \a newName; it goes on top of the modified-files log.
    virtual void fileModified(const QString &newName) = 0;
    /// An error text was added to the error log.
    virtual void errorLogged(const QString &text) = 0;
    /// Lets the window handle its waiting events (Stop among them), then returns.
    /// The window's implementation is the program's one call of processEvents().
    virtual void yield() = 0;

    // What a run will cover, for a sink that shows how far it has got. A sink
    // that has no use for them leaves them alone.

    /// A run over the files of one folder will process \a files entries, one
    /// showFile() each.
    virtual void filesPlanned(qint64 /*files*/) {}
    /// A tree walk has finished \a done of the \a found folders it knows of so
    /// far; each folder's sub-folders are found once its files are done.
    virtual void foldersFound(qint64 /*done*/, qint64 /*found*/) {}
};

} // namespace kestrava
