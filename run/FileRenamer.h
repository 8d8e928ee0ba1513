// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DiskOperations.h"
#include "RunLog.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace kestrava {

class RunJournal;

/// What the disk made of one file of a run, before any text is made of it:
/// the run's thread turns it into the file's status and error-log lines.
struct DiskOutcome
{
    FileOutcome outcome = FileOutcome::Failed;
    /// For Failed: the errno value; EINVAL for a name that would leave its folder.
    int error = 0;
    /// Why a read-only file could not be made writable (the rename may still be made).
    int permissionError = 0;
    /// Why a read-only file made writable for a failed rename is not read-only again.
    int restoreError = 0;
    /// What happens to few files, kept apart so that a million outcomes stay small.
    struct Rare
    {
        /// A change of letter case that failed left the file under this temporary name.
        QByteArray leftParked;
        int leftParkedError = 0;
        /// The journal failed at this file: the error-log line saying so.
        QString journalFailure;
    };
    std::unique_ptr<Rare> rare;

    Rare &rarepart()
    {
        if (!rare)
            rare = std::make_unique<Rare>();
        return *rare;
    }
};

/// A file looked at ahead of its rename, by another thread: its name as the
/// rename takes it, and whether it is read-only (with the reason where it
/// could not be examined). Its identity for the journal comes with it.
struct ExaminedFile
{
    std::optional<FolderFile> file;
    bool readOnly = false;
    int error = 0;
};

/// The disk's half of renaming one file of a run: the checks that need the
/// file, the journal and the rename itself. It touches nothing of the window
/// and nothing of the run's logs, so that a run may hand it files on a thread
/// of its own while the run's thread reports the ones done.
class FileRenamer
{
public:
    /// \a journal (may be null) is written only through this renamer while it works.
    FileRenamer(RunJournal *journal, bool skipReadOnly)
        : m_journal(journal)
        , m_skipReadOnly(skipReadOnly)
    {}

    /// Renames \a name of \a folder (its path \a folderPath, ending in "/") to
    /// \a newName, never replacing an existing file. A read-only file is
    /// skipped or made writable as the run's settings say; \a confirm, where
    /// given, is asked after that and before the rename, and declines by
    /// returning false.
    /// \a ahead, where given, is the file as examined a moment before.
    DiskOutcome rename(const OpenFolder &folder, const QString &folderPath, const QString &name,
                       const QString &newName, const std::function<bool()> &confirm = {},
                       ExaminedFile *ahead = nullptr);
    /// The checks and choices before renaming \a name to \a newName: names
    /// that stay in the folder, a read-only file skipped or made writable
    /// (then \a madeWritable), \a confirm, an unchanged name. The file, when
    /// it is to be renamed; otherwise nothing, and \a outcome says why.
    std::optional<FolderFile> prepare(const OpenFolder &folder, const QString &name, const QString &newName,
                                      const std::function<bool()> &confirm, ExaminedFile *ahead, DiskOutcome &outcome,
                                      bool &madeWritable) const;
    /// Examines \a name of \a folder for rename(), as far as a file is examined
    /// before its rename: nothing is filled in for a name that would leave its folder.
    static void examine(const OpenFolder &folder, const QString &name, ExaminedFile &examined);

    /// Whether \a file is read-only: a file that cannot be examined counts as
    /// writable, with the reason in \a outcome's permissionError.
    static bool readOnly(const FolderFile &file, DiskOutcome &outcome);

private:
    void renameJournaled(const QString &folderPath, const FolderFile &file, const FolderFile &newFile,
                         DiskOutcome &outcome);
    void takeJournalFailure(DiskOutcome &outcome);

    RunJournal *m_journal;
    bool m_skipReadOnly;
};

} // namespace kestrava
