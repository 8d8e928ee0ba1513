// How RenameRun writes its undo journal.
#include "RenameRun.h"

#include "RunJournal.h"

namespace kestrava {

// The journal learns of each rename, and of a parking under a temporary name,
// before it happens, so that undo can find the file whatever step a crash cut.
std::expected<void, int> RenameRun::journaledRename(const QString &folderPath, const FolderFile &file,
                                                    const FolderFile &newFile)
{
    if (!m_journal)
        return renameNoReplace(file, newFile);
    m_journal->recordRename(folderPath, file, newFile);
    const auto renamed = renameNoReplace(file, newFile, [this](const QByteArray &temporary) {
        m_journal->recordParked(temporary);
    });
    m_journal->recordOutcome(renamed.has_value());
    reportJournalFailure();
    return renamed;
}

void RenameRun::reportJournalFailure()
{
    if (const QString failure = m_journal->takeFailure(); !failure.isEmpty())
        LogError(failure);
}

} // namespace kestrava
