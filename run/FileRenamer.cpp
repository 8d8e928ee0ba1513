// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileRenamer.h"

#include "RunJournal.h"

#include <cerrno>

namespace kestrava {

bool FileRenamer::readOnly(const FolderFile &file, DiskOutcome &outcome)
{
    const auto readOnly = isReadOnly(file);
    if (!readOnly)
        outcome.permissionError = readOnly.error();
    return readOnly && *readOnly;
}

void FileRenamer::examine(const OpenFolder &folder, const QString &name, ExaminedFile &examined)
{
    if (!isUsableFileName(name))
        return;
    examined.file.emplace(folder, name);
    const auto readOnly = isReadOnly(*examined.file);
    examined.readOnly = readOnly && *readOnly;
    examined.error = readOnly ? 0 : readOnly.error();
}

std::optional<FolderFile> FileRenamer::prepare(const OpenFolder &folder, const QString &name, const QString &newName,
                                               const std::function<bool()> &confirm, ExaminedFile *ahead,
                                               DiskOutcome &outcome, bool &madeWritable) const
{
    madeWritable = false;
    // Whatever the options made of the name, a file never leaves its folder.
    if (!isUsableFileName(name) || !isUsableFileName(newName)) {
        outcome.error = EINVAL;
        return std::nullopt;
    }
    bool wasReadOnly = false;
    std::optional<FolderFile> file;
    if (ahead && ahead->file) {
        file.emplace(std::move(*ahead->file));
        wasReadOnly = ahead->readOnly;
        outcome.permissionError = ahead->error;
    } else {
        file.emplace(folder, name);
        wasReadOnly = readOnly(*file, outcome);
    }
    if (wasReadOnly && m_skipReadOnly) {
        outcome.outcome = FileOutcome::SkippedReadOnly;
        return std::nullopt;
    }
    if (confirm && !confirm()) {
        outcome.outcome = FileOutcome::Declined;
        return std::nullopt;
    }
    if (newName == name) {
        outcome.outcome = FileOutcome::Unchanged;
        return std::nullopt;
    }
    // A read-only file is made writable only for a rename that is to happen,
    // and made read-only again when the rename fails, so a file that keeps
    // its name keeps its permissions too.
    if (wasReadOnly) {
        const auto writable = makeOwnerWritable(*file);
        madeWritable = writable.has_value();
        if (!writable)
            outcome.permissionError = writable.error();
    }
    return file;
}

DiskOutcome FileRenamer::rename(const OpenFolder &folder, const QString &folderPath, const QString &name,
                                const QString &newName, const std::function<bool()> &confirm, ExaminedFile *ahead)
{
    DiskOutcome outcome;
    bool madeWritable = false;
    const std::optional<FolderFile> file = prepare(folder, name, newName, confirm, ahead, outcome, madeWritable);
    if (!file)
        return outcome;
    renameJournaled(folderPath, *file, FolderFile(folder, newName), outcome);
    if (outcome.outcome != FileOutcome::Renamed && madeWritable) {
        if (const auto restored = clearOwnerWritable(*file); !restored)
            outcome.restoreError = restored.error();
    }
    return outcome;
}

// The journal learns of each rename before it happens, so that undo can find
// the file whatever step a crash cut.
void FileRenamer::renameJournaled(const QString &folderPath, const FolderFile &file, const FolderFile &newFile,
                                  DiskOutcome &outcome)
{
    bool leftParked = false;
    ParkNotices notices;
    notices.leftParked = [&](const QByteArray &temporary, int error) {
        leftParked = true;
        outcome.rarepart().leftParked = temporary;
        outcome.rarepart().leftParkedError = error;
    };
    if (m_journal) {
        m_journal->recordRename(folderPath, file, newFile);
        notices.beforeParking = [this](const QByteArray &temporary) { m_journal->recordParked(temporary); };
        notices.beforeStep = [this](RenameStep step, const QByteArray &from, const QByteArray &to, quint64 inode) {
            m_journal->recordStep(step, from, to, inode);
        };
    }
    const auto renamed = renameNoReplace(file, newFile, notices);
    if (m_journal) {
        // A parked file is still for undo to put back.
        m_journal->recordOutcome(renamed.has_value() || leftParked);
        takeJournalFailure(outcome);
    }
    if (renamed)
        outcome.outcome = FileOutcome::Renamed;
    else
        outcome.error = renamed.error();
}

void FileRenamer::takeJournalFailure(DiskOutcome &outcome)
{
    if (QString failure = m_journal->takeFailure(); !failure.isEmpty())
        outcome.rarepart().journalFailure = std::move(failure);
}

} // namespace kestrava
