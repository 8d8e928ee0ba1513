// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "JournalFormat.h"
#include "RunLog.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace kestrava {

struct FolderFile;

/// Writes the undo journal of each run, one file per run in
/// journal::stateFolder(). Every rename is written to the file before it is
/// made, so a killed process loses none; the data reaches the disk at most
/// about a second later, and at the end of the run. When the journal cannot
/// be written, the run goes on without it and its partial journal is removed,
/// so that undo never offers a run it knows only in part.
///
/// A record is written by copying it into a shared map of the file: it is then
/// in the system's page cache, where it outlives a killed process, without a
/// system call per file (a call costs a fifth of a rename on a memory file
/// system). Room for the map is reserved ahead with fallocate, so a full disk
/// is a clear error when reserving, never a fault on a page; the unused room
/// is cut off at the end, and a killed run leaves it as zeros, which the
/// readers skip as room never filled. On a file system that cannot
/// reserve room or map the file, records are written with one write() each.
class RunJournal
{
public:
    RunJournal() = default;
    ~RunJournal();
    RunJournal(const RunJournal &) = delete;
    RunJournal &operator=(const RunJournal &) = delete;

    /// Starts the journal of a new run. False when it cannot be written.
    bool begin(RunScope scope, const QString &startFolder, const QDateTime &startedAt);
    /// The name of the preset the rules of the following runs come from, which
    /// each journal then records; empty for none.
    void setPresetName(const QString &name) { m_presetName = name; }
    /// Records that \a file in \a folderPath (ending in "/") is about to be
    /// renamed to \a newFile. The names are stored as the rename uses them.
    /// Nothing is recorded for a file that cannot be examined, since its
    /// rename fails too.
    void recordRename(const QString &folderPath, const FolderFile &file, const FolderFile &newFile);
    /// Records whether the rename of the last recordRename() was made. One that
    /// failed is marked as nothing to take back, so undo neither counts nor
    /// offers it.
    void recordOutcome(bool renamed);
    /// Records that the file of the last recordRename() is about to be parked
    /// under \a temporaryPath (a bare name, or a path whose last part is the name).
    void recordParked(const QByteArray &temporaryPath);
    /// Records that a step of a weaker rename method (see RenameMethods.h) is
    /// about to be taken for the file of the last recordRename(), or, for
    /// RenameStep::PlaceholderMade, was taken.
    void recordStep(RenameStep step, const QByteArray &from, const QByteArray &to, quint64 inode);
    /// The sequence number of the last recordRename(), for the records of a
    /// rename whose last step comes after other renames (a ring's parked file).
    quint64 lastSequence() const { return m_sequence == 0 ? 0 : m_sequence - 1; }
    /// As recordStep(), for the rename numbered \a sequence.
    void recordStepOf(quint64 sequence, RenameStep step, const QByteArray &from, const QByteArray &to, quint64 inode);
    /// Records that the rename numbered \a sequence, whose outcome was
    /// recorded as made, was taken back (a parked file put back under its old
    /// name): there is nothing of it to undo.
    void recordTakenBack(quint64 sequence);
    /// Records the end of the run and closes the journal. A run that renamed
    /// nothing leaves no journal; one that did makes the journals of older
    /// runs beyond journal::keptJournals go, on the global thread pool.
    void end(const QDateTime &endedAt, bool stopped);

    /// True between a successful begin() and end(), unless writing failed.
    bool isWriting() const { return m_fd >= 0; }
    /// The journal's path, once begun.
    QString path() const { return m_path; }
    /// The error-log line saying that this run cannot be undone and why,
    /// returned once after the journal failed; empty otherwise.
    QString takeFailure();

private:
    bool write(const QByteArray &record);
    char *room(qsizetype size);
    bool commit(qsizetype size);
    bool reserve(qint64 size);
    void closeMap();
    /// Unmaps the pages of records written long enough ago, every few megabytes.
    void letGoOfWrittenPages();
    void fail(int error);
    void syncNowAndThen();
    /// Removes the journals of older runs beyond journal::keptJournals, all
    /// but \a newest; it may run on any thread.
    static void removeOldJournals(const QString &newest);

    int m_fd = -1;
    char *m_map = nullptr;  // the reserved room, mapped; null when writing with write()
    qint64 m_reserved = 0;  // bytes of the file mapped at m_map
    qint64 m_written = 0;   // bytes of records in the file
    qint64 m_letGo = 0;     // bytes at the start of the map no longer mapped in memory
    QByteArray m_unwritten; // the record being written with write()
    QString m_path;
    QString m_failure;
    QString m_presetName;
    journal::RecordBuilder m_record;
    QString m_folder; // the folder of the last folder record
    quint32 m_folderId = 0;
    quint64 m_sequence = 0;         // the number of the next rename record
    bool m_awaitingOutcome = false; // the last rename record waits for its outcome
    quint64 m_renamed = 0;
    qint64 m_lastSync = 0; // monotonic milliseconds
};

} // namespace kestrava
