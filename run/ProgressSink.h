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
};

} // namespace kestrava
