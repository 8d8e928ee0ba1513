// SPDX-License-Identifier: GPL-3.0-or-later
// How RenameRun writes its undo journal.
#include "RenameRun.h"

#include "FileNameBytes.h"
#include "RunJournal.h"

#include <QCoreApplication>

namespace kestrava {

// The first file of a ring goes aside under a temporary name, which the
// journal learns before the file takes it, as for a change of letter case:
// a kill before the ring is done leaves it where start-up finds it.
std::expected<QByteArray, QString> RenameRun::journaledPark(const QString &folderPath, const FolderFile &file,
                                                            const FolderFile &newFile, quint64 &sequence)
{
    ParkNotices notices;
    if (m_journal) {
        m_journal->recordRename(folderPath, file, newFile);
        sequence = m_journal->lastSequence();
        notices.beforeParking = [this](const QByteArray &temporary) { m_journal->recordParked(temporary); };
        notices.beforeStep = [this](RenameStep step, const QByteArray &from, const QByteArray &to, quint64 inode) {
            m_journal->recordStep(step, from, to, inode);
        };
    }
    const auto parked = parkAside(file, notices);
    if (m_journal) {
        // Parked, the file is for undo to put back, from wherever the ring leaves it.
        m_journal->recordOutcome(parked.has_value());
        reportJournalFailure();
    }
    if (!parked)
        return std::unexpected(systemErrorText(parked.error()));
    return *parked;
}

std::expected<void, QString> RenameRun::journaledUnpark(const FolderFile &file, const FolderFile &newFile,
                                                        const ParkedFile &parked)
{
    ParkNotices notices;
    if (m_journal) {
        notices.beforeStep = [this, &parked](RenameStep step, const QByteArray &from, const QByteArray &to,
                                             quint64 inode) {
            m_journal->recordStepOf(parked.sequence, step, from, to, inode);
        };
    }
    const auto moved = unpark(newFile, parked.temporary, notices);
    if (moved)
        return {};
    QString text = systemErrorText(moved.error());
    // Back under its old name, which the ring has left free unless a rename of
    // it failed; otherwise the file stays parked, and the text says where.
    if (const auto back = unpark(file, parked.temporary, notices); !back) {
        text += QCoreApplication::translate("kestrava::RenameRun",
                                            "; the file is left as %1, as its old name %2 cannot be given back: %3")
                    .arg(fileNameFromBytes(parked.temporary.sliced(parked.temporary.lastIndexOf('/') + 1)),
                         fileNameFromBytes(file.path.sliced(file.path.lastIndexOf('/') + 1)),
                         systemErrorText(back.error()));
    } else if (m_journal) {
        m_journal->recordTakenBack(parked.sequence);
        reportJournalFailure();
    }
    return std::unexpected(text);
}

void RenameRun::reportJournalFailure()
{
    if (const QString failure = m_journal->takeFailure(); !failure.isEmpty())
        LogError(failure);
}

} // namespace kestrava
