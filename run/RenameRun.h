// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DiskOperations.h"
#include "FileRenamer.h"
#include "RenameOptions.h"
#include "RunLog.h"

#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>

#include <expected>
#include <limits>
#include <memory>
#include <optional>
#include <utility>

namespace kestrava {

class FileList;
class FolderList;
class NameSource;
class ProgressSink;
class Prompt;
class RunClock;
class RunJournal;
class RunSettings;
class RenameWorker;
struct PlannedRenames;

/// The window's parts a run works through. All must outlive the run.
struct RunParts
{
    FolderList &folders;
    FileList &files;
    Prompt &prompt;
    ProgressSink &progress;
    NameSource &names;
    RunSettings &settings;
    RunClock &clock;
};

/// One renaming run and its state: renames files on disk through the window's
/// folder and file lists, keeps the logs and the timing, and reports progress.
/// Everything runs on the caller's thread; the window's events are handled only
/// at ProgressSink::yield().
class RenameRun
{
public:
    explicit RenameRun(const RunParts &parts);

    /// Runs the files of \a scope to the end or to a stop request, then lists the
    /// folder list's folder again when files were renamed, deselects every file
    /// and shows the status and summary. Returns false without doing
    /// anything when a run is already under way (a Start handled during a yield).
    bool start(RunScope scope);
    /// Writes the undo journal of every following run to \a journal (which must
    /// outlive the run); nullptr writes none.
    void setJournal(RunJournal *journal) { m_journal = journal; }
    /// Whether a run that renamed files lists the folder list's folder again at
    /// its end (the default), so that lists a person looks at show the new
    /// names. A caller that never reads the lists after the run turns it off.
    void setListsAgainAtEnd(bool listAgain) { m_listAgainAtEnd = listAgain; }
    /// Whether log() keeps a status and a new name for every file (the
    /// default), or only counts them, for a caller that shows them as they come.
    void setKeepsFileRecords(bool keep) { m_log.setKeepsFileRecords(keep); }
    /// Whether the renames of a folder of at least \a fewestFiles files, and
    /// at most \a mostFiles, may begin while the run still works out the
    /// folder's other new names (off by default). The names, the outcomes and
    /// their order in the logs stay the same; a stop, or a choice changed,
    /// seen while the names are worked out ends them, and the files renamed by
    /// then are reported as any other.
    void setRenamesWhileNaming(bool whileNaming, qsizetype fewestFiles = 256,
                               qsizetype mostFiles = std::numeric_limits<qsizetype>::max())
    {
        m_renamesWhileNaming = whileNaming ? fewestFiles : -1;
        m_mostRenamedWhileNaming = mostFiles;
    }
    /// Asks the run to stop; it ends before its next file or sub-folder.
    void stop() { m_stopRequested = true; }
    /// True while start() has not returned.
    bool isRunning() const { return m_running; }

    /// Renames \a strFileName in \a strCurrentPath (ending in "/") to
    /// \a strNewFilename, applying the read-only and confirmation choices.
    /// True when the file was renamed. Never replaces an existing file. A file
    /// not renamed for a reason other than the user's choice (declined, read-only
    /// skipped, unchanged) is logged as an error with the system's text.
    bool RenameFile(const QString &strCurrentPath, const QString &strFileName, const QString &strNewFilename);
    /// Puts \a The_Filename on top of the modified-files log and counts it.
    void RecordFileModified(const QString &The_Filename);
    /// Adds \a The_Error to the error log and counts it.
    void LogError(const QString &The_Error);

    bool blnStopRequested() const { return m_stopRequested; }
    qint64 intFilesRenamed() const { return m_log.filesRenamed(); }
    qint64 intErrorCount() const { return m_log.errorCount(); }
    /// The folder list's path when the run started.
    QString strStartFolder() const { return m_startFolder; }
    /// Whole seconds from the start day's midnight to the start, halves to even.
    qint64 lngStartTime() const;
    /// Whole seconds from the start day's midnight to the end; passes 86400 after midnight.
    qint64 lngEndTime() const;
    /// The run's records: statuses, modified-files log and error texts.
    const RunLog &log() const { return m_log; }
    /// The run's statuses, handed over to a caller that has no more use for the run.
    QList<FileStatus> takeStatuses() { return m_log.takeStatuses(); }
    /// The summary of the last run, as shown at its end.
    QString summaryText() const;

    /// " No Files were Renamed", or the total and the time taken.
    static QString summaryText(qint64 filesRenamed, qint64 elapsedSeconds);
    /// The question of the "Confirm Rename" box.
    static QString confirmationText(const QString &oldName, const QString &newName);

private:
    /// The first file of a ring of renames, parked under a temporary name
    /// until the others have moved.
    struct ParkedFile
    {
        bool parked = false;
        QByteArray temporary;
        quint64 sequence = 0; // its rename's in the journal
        bool madeWritable = false;
        int permissionError = 0;
    };

    /// Renames the file on disk, asking first where the settings say so.
    DiskOutcome renameOneFile(const QString &folderPath, const QString &name, const QString &newName);
    /// The status and error-log lines of a file the disk is done with.
    FileStatus statusOf(const QString &folderPath, const QString &name, const QString &newName,
                        DiskOutcome &&outcome);
    /// Logs and counts what became of a file the disk is done with; true when it was renamed.
    bool reportRename(const QString &folderPath, const QString &name, const QString &newName, DiskOutcome &&outcome);
    /// Parks the first file of a ring; false, with its status logged, when it stays.
    bool parkFirstOfRing(const QString &folderPath, const QString &name, const QString &newName, ParkedFile &parked);
    /// Moves the parked file of a ring to its new name, or back to its old one
    /// when that fails; logs its status. True when it was renamed.
    bool finishRing(const QString &folderPath, const QString &name, const QString &newName, const ParkedFile &parked);
    /// Renames the files \a names of the folder, in the order they are
    /// numbered in: their new names first, then the renames in an order in
    /// which no file needs a name another file of the run still holds. Where
    /// \a passedOver is given (for each position of the list, whether the run
    /// passes over it), the run yields at each position passed over.
    void renameFolderFiles(const QString &folderPath, const QList<QString> &names, const QList<bool> &passedOver);

    /// One step of a folder's run, in the order they are taken.
    struct FileAction
    {
        enum Kind : quint8 {
            AlreadyDone, ///< the position of a file an earlier chain renamed
            Leave,       ///< a file the plan does not move
            Rename,      ///< a file to its new name
            Park,        ///< the first file of a ring, to a temporary name
            FromPark,    ///< the parked file of a ring, to its new name
            Early,       ///< a file renamed while the names were worked out
        };
        qsizetype file;
        /// The new name the disk gets; null for a step that only logs, or of a ring's park.
        const QString *newName;
        Kind kind;
        /// The first step taken at its position of the list.
        bool entry;
        /// A step of a ring, which a stop does not cut once it has begun.
        bool ring;
        /// A step a worker thread may take: a rename, or a file's checks, outside any ring.
        bool byWorker;
    };
    QList<FileAction> actionsOf(const PlannedRenames &plan, const QList<std::expected<QString, QString>> &newNames,
                                const QList<qsizetype> &earlyJobs);
    std::unique_ptr<RenameWorker> startEarlyWorker(const QString &folderPath, qsizetype files);
    /// Fewer renames than this in a stretch are not worth a thread.
    static constexpr qsizetype smallestWorkerStretch = 8;
    std::unique_ptr<RenameWorker> startWorker(const QString &folderPath, const QList<QString> &names,
                                              const QList<FileAction> &actions, qsizetype first, qsizetype &end);
    void reportWorkerDone(const QString &folderPath, const QList<QString> &names, const QList<FileAction> &actions,
                          qsizetype at, qsizetype end, RenameWorker &worker, qsizetype nextJob);
    /// One file that does not move, or that the plan refused its new name.
    void leaveFile(const QString &folderPath, const QString &name, const std::expected<QString, QString> &newName,
                   bool refused);
    bool askConfirmation(const QString &name, const QString &newName);
    void refillFileList();
    void restoreReadOnly(const FolderFile &file, const QString &path);
    void RenameSelectedFiles();
    void RenameAllFilesInFolder();
    /// Reads how the folder's files are numbered, restarting the counters when
    /// each folder starts afresh.
    NumberingOptions beginFolderFiles();
    /// Renames the folder's files (or its selected ones) in the order \a numbering chooses.
    void renameInNumberingOrder(const QString &folderPath, const NumberingOptions &numbering, bool selectedOnly);
    void RenameFolderTree();
    void walkFolderTree();
    bool enterSubFolder(qsizetype position);
    bool returnToFolder(const QString &path);
    void folderDone();
    /// The new name of \a name in \a folderPath, logging what the names tell of it.
    std::expected<QString, QString> nameOf(const QString &folderPath, const QString &name);
    void logNameFailure(const QString &folderPath, const QString &name, const QString &message);
    std::expected<QByteArray, QString> journaledPark(const QString &folderPath, const FolderFile &file,
                                                     const FolderFile &newFile, quint64 &sequence);
    std::expected<void, QString> journaledUnpark(const FolderFile &file, const FolderFile &newFile,
                                                 const ParkedFile &parked);
    void reportJournalFailure();
    /// Ends the run's journal beside the run's thread, yielding meanwhile.
    void endJournal();

    RunParts m_parts;
    RunLog m_log;
    bool m_running = false;
    bool m_stopRequested = false;
    QString m_startFolder;
    QDateTime m_startedAt;
    QDateTime m_endedAt;
    VisitedFolders m_visitedFolders;
    // A tree walk's folders whose files are done (or that were passed over), and
    // the folders it has found so far, the start folder included.
    qint64 m_foldersDone = 0;
    qint64 m_foldersFound = 0;
    // The folder whose files are being renamed.
    OpenFolder m_openFolder;
    RunJournal *m_journal = nullptr;
    bool m_listAgainAtEnd = true;
    // The fewest files of a folder whose renames begin while it is named; -1 for never.
    qsizetype m_renamesWhileNaming = -1;
    qsizetype m_mostRenamedWhileNaming = 0;
};

} // namespace kestrava
