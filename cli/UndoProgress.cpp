// SPDX-License-Identifier: GPL-3.0-or-later
#include "UndoProgress.h"

#include "JournalFormat.h"
#include "RunLog.h"

namespace kestrava::cli {

void UndoProgress::readOldNames(const QString &journalPath)
{
    const journal::JournalContents contents = journal::readJournal(journalPath);
    for (const journal::RenameEntry &entry : contents.renames) {
        if (!entry.restored)
            m_oldNames.insert(folderPathOf(journal::nameText(entry.folder)) + journal::nameText(entry.newName),
                              journal::nameText(entry.oldName));
    }
}

void UndoProgress::showFile(const QString &name)
{
    finishFile();
    if (name.isEmpty())
        return;
    m_inFile = true;
    m_current = FileResult();
    m_current.folderPath = folderPathOf(m_folder);
    m_current.shownPath = m_current.folderPath + name;
    m_current.oldName = name;
}

void UndoProgress::errorLogged(const QString &text)
{
    // Errors outside a file (a damaged journal) are the undo's own; they are printed from its log.
    if (m_inFile && m_current.reason.isEmpty())
        m_current.reason = text;
}

void UndoProgress::finishFile()
{
    if (!m_inFile)
        return;
    m_inFile = false;
    if (!m_current.reason.isEmpty()) {
        m_current.outcome = QStringLiteral("failed");
        m_current.newName = m_oldNames.value(m_current.shownPath);
    } else if (!m_current.newName.isEmpty()) {
        m_current.outcome = QStringLiteral("restored");
        m_current.done = true;
        m_current.changed = true;
    } else {
        m_current.outcome = QStringLiteral("already back");
        m_current.done = true;
    }
    results.append(std::move(m_current));
}

} // namespace kestrava::cli
