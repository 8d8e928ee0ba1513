// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "JournalFormat.h"
#include "RunLog.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace kestrava {

class ProgressSink;
class RunClock;

/// The run that undo would take back: the newest kept journal, of this
/// session or an earlier one, that is not fully undone and holds a rename.
struct UndoableRun
{
    QString journalPath;
    /// The renames not yet taken back.
    qint64 fileCount = 0;
    /// When the run started, local time.
    QDateTime startedAt;
    /// The folder its files are in: the one it started in, for a run over a
    /// tree, else that of its first file left to take back.
    QString folder;
    /// How many other folders hold files left to take back.
    qint64 otherFolders = 0;
    /// The run's scope; -1 when the journal does not say.
    int scope = -1;
    /// The preset the run's rules came from; empty for none.
    QString presetName;
};

/// A folder of a run's files, open for undo.
struct UndoFolder
{
    int fd = -1;
    int error = 0; ///< why it could not be opened
    quint64 device = 0;
    quint64 fileSystem = 0; ///< fileSystemId()
};

/// What the start-up recovery did.
struct ParkedRecovery
{
    /// Files put back under their old names.
    qint64 filesRestored = 0;
    /// Error-log lines for files that could not be put back.
    QStringList errors;
};

/// Takes back the renames of the newest run not yet undone, newest first and
/// one folder's name at a time, reporting like a run. A file is put back only
/// when the entry under its new name is still the same file, and never over an
/// existing one. A file that is gone, replaced, or whose old name is taken is
/// left alone and recorded so, with the reason; a run whose every file was
/// put back or left alone counts as undone, and the next undo takes the run
/// before it. Everything runs on the caller's thread; the window's events
/// are handled only at ProgressSink::yield().
class UndoRun
{
public:
    /// \a progress and \a clock must outlive the undo.
    UndoRun(ProgressSink &progress, RunClock &clock);

    /// Whether there is a run to undo. Reads only the start and end of each
    /// kept journal, so it is cheap to ask after every run and at start-up.
    static bool canUndo();
    /// The run undo would take back, read in full; empty when there is none.
    /// Only reads: a newer journal whose renames were all taken back is passed
    /// over, whether or not it says so.
    static std::optional<UndoableRun> newestUndoableRun();
    /// Marks as fully undone each journal newer than the run undo would take
    /// back whose renames were all taken back by an undo that ended before it
    /// could say so, so that canUndo() stops offering it.
    static void markFinishedUndos();
    /// "Rename the N files of the run of <date and time> back to their old
    /// names?", the date and time in the locale's short format, then its folder
    /// (and how many more) and scope, and a warning when that folder is not
    /// \a shownFolder, the one the window shows.
    static QString questionText(const UndoableRun &run, const QString &shownFolder = QString());

    /// Marks finished undos (markFinishedUndos()), then undoes newestUndoableRun() to the end or to a stop request, then shows
    /// the status and summary. Returns false without doing anything when an
    /// undo is already under way or there is nothing to undo.
    bool start();
    /// As start(), for the run of \a journalPath only: when that run is no
    /// longer the one to undo (another undo took it back meanwhile), or another
    /// process holds its journal, nothing is undone and the log says why.
    bool start(const QString &journalPath);
    /// Asks the undo to stop; it ends before its next file.
    void stop() { m_stopRequested = true; }
    bool isRunning() const { return m_running; }
    bool stopRequested() const { return m_stopRequested; }

    /// The records of the last undo: the old names restored, and the errors.
    const RunLog &log() const { return m_log; }
    qint64 filesRestored() const { return m_log.filesRenamed(); }
    /// The summary of the last undo, as shown at its end.
    QString summaryText() const;
    /// " No Files were Restored", or the total and the time taken.
    static QString summaryText(qint64 filesRestored, qint64 elapsedSeconds);

    /// Puts back under its old name every file that a run killed between the
    /// two steps of a change of letter case left under its temporary name.
    /// Meant for start-up, without asking: nothing else would find the file.
    /// Its errors also name each journal, or the state folder, that is not
    /// read because another user could have written it.
    static ParkedRecovery recoverParkedFiles();

private:
    enum class Outcome { Restored, AlreadyBack, LeftAlone, Failed };

    static std::optional<UndoableRun> newestUndoableRun(journal::JournalContents &contents);
    void undoJournal(const QString &path);
    void closeJournal();
    Outcome undoOne(const journal::RenameEntry &entry);
    void parkAhead(journal::RenameEntry &entry);
    Outcome leaveAlone(journal::LeftAloneReason reason, int error);
    void recordLeftAlone(quint64 sequence);
    void restorePermissions(const UndoFolder &folder, const journal::RenameEntry &entry);
    const UndoFolder &undoFolder(const QByteArray &folder);
    void closeFolders();
    void markRestored(quint64 sequence);
    void logError(const QString &description, const QByteArray &folder, const QByteArray &name);

    ProgressSink &m_progress;
    RunClock &m_clock;
    RunLog m_log;
    bool m_running = false;
    bool m_stopRequested = false;
    QDateTime m_startedAt;
    QDateTime m_endedAt;
    int m_journalFd = -1;
    journal::LeftAloneReason m_leftAloneReason = journal::LeftAloneReason::Gone;
    int m_leftAloneError = 0;
    QHash<QByteArray, UndoFolder> m_folders; // open folders by path
};

} // namespace kestrava
