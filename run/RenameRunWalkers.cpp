// SPDX-License-Identifier: GPL-3.0-or-later
// The three folder walkers of RenameRun.
#include "RenameRun.h"

#include "DiskOperations.h"
#include "FileList.h"
#include "FolderList.h"
#include "NameSource.h"
#include "NumberingOrder.h"
#include "ProgressSink.h"

#include <algorithm>

namespace kestrava {

void RenameRun::RenameSelectedFiles()
{
    const QString folderPath = folderPathOf(m_parts.folders.path());
    if (const NumberingOptions numbering = beginFolderFiles(); !numbering.isListOrder()) {
        renameInNumberingOrder(folderPath, numbering, true);
        return;
    }
    const qsizetype count = m_parts.files.count();
    for (qsizetype position = 0; position < count; ++position) {
        if (m_stopRequested)
            return;
        // The list is not expected to shrink under a run; if it does, stop reading it.
        if (position >= m_parts.files.count())
            return;
        if (m_parts.files.isSelected(position)) {
            const QString name = m_parts.files.name(position);
            m_parts.progress.showFile(name);
            m_parts.progress.showCount(intFilesRenamed());
            const auto newName = nameOf(folderPath, name);
            if (!newName)
                logNameFailure(folderPath, name, newName.error());
            else if (RenameFile(folderPath, name, *newName))
                RecordFileModified(*newName);
        }
        m_parts.progress.yield();
    }
}

void RenameRun::RenameAllFilesInFolder()
{
    const QString folderPath = folderPathOf(m_parts.folders.path());
    if (const NumberingOptions numbering = beginFolderFiles(); !numbering.isListOrder()) {
        renameInNumberingOrder(folderPath, numbering, false);
        return;
    }
    const qsizetype count = m_parts.files.count();
    for (qsizetype position = 0; position < count; ++position) {
        if (m_stopRequested || position >= m_parts.files.count())
            return;
        const QString name = m_parts.files.name(position);
        m_parts.progress.showFile(name);
        const auto newName = nameOf(folderPath, name);
        bool renamed = false;
        if (!newName)
            logNameFailure(folderPath, name, newName.error());
        else
            renamed = RenameFile(folderPath, name, *newName);
        // The count shown is of the files renamed before this one.
        m_parts.progress.showCount(intFilesRenamed());
        if (renamed)
            RecordFileModified(*newName);
        m_parts.progress.yield();
    }
}

NumberingOptions RenameRun::beginFolderFiles()
{
    const NumberingOptions numbering = m_parts.names.numbering();
    if (numbering.perFolder)
        m_parts.names.restartCounters();
    return numbering;
}

// The files of the folder in the order they are numbered in, taken from the list
// once: the preview and the look ahead order the same names the same way.
void RenameRun::renameInNumberingOrder(const QString &folderPath, const NumberingOptions &numbering,
                                       bool selectedOnly)
{
    QList<QString> names;
    names.reserve(selectedOnly ? m_parts.files.selectedCount() : m_parts.files.count());
    for (qsizetype position = 0; position < m_parts.files.count(); ++position) {
        if (!selectedOnly || m_parts.files.isSelected(position))
            names.append(m_parts.files.name(position));
    }
    for (const qsizetype position : numberingOrder(folderPath, names, numbering)) {
        if (m_stopRequested)
            return;
        const QString &name = names.at(position);
        m_parts.progress.showFile(name);
        const auto newName = nameOf(folderPath, name);
        bool renamed = false;
        if (!newName)
            logNameFailure(folderPath, name, newName.error());
        else
            renamed = RenameFile(folderPath, name, *newName);
        m_parts.progress.showCount(intFilesRenamed());
        if (renamed)
            RecordFileModified(*newName);
        m_parts.progress.yield();
    }
}

std::expected<QString, QString> RenameRun::nameOf(const QString &folderPath, const QString &name)
{
    auto newName = m_parts.names.newNameIn(folderPath, name);
    if (const QString notice = m_parts.names.takeNotice(); !notice.isEmpty())
        LogError(errorText(notice, folderPath + name));
    return newName;
}

void RenameRun::logNameFailure(const QString &folderPath, const QString &name, const QString &message)
{
    LogError(errorText(message, folderPath + name));
    m_log.addStatus({folderPath, name, QString(), FileOutcome::Failed, message});
}

void RenameRun::RenameFolderTree()
{
    m_foldersDone = 0;
    m_foldersFound = 1;
    m_parts.progress.foldersFound(m_foldersDone, m_foldersFound);
    m_visitedFolders.begin(m_parts.folders.path());
    walkFolderTree();
}

// Depth first: the files of a folder, then each sub-folder in the list's order.
// Each level keeps its own position among its sub-folders.
void RenameRun::walkFolderTree()
{
    const QString here = m_parts.folders.path();
    m_parts.progress.showFolder(here);
    RenameAllFilesInFolder();
    m_foldersFound += m_parts.folders.subFolderCount();
    folderDone();
    qsizetype position = 0;
    while (!m_stopRequested && position < m_parts.folders.subFolderCount()) {
        m_parts.progress.yield();
        // A stop seen at that yield still enters the sub-folder, which then
        // renames nothing: the lists stay where the stop was seen.
        if (enterSubFolder(position)) {
            walkFolderTree();
            if (!m_stopRequested && !returnToFolder(here))
                return;
        } else {
            folderDone(); // a link, a folder seen before or one that cannot be entered
        }
        ++position;
    }
    if (m_stopRequested)
        return;
    if (m_parts.folders.path() != m_startFolder) {
        if (const auto up = m_parts.folders.setPath(QStringLiteral("..")); !up)
            LogError(errorText(up.error(), here));
    }
    m_parts.folders.refresh();
}

void RenameRun::folderDone()
{
    // Folders made or removed under a running walk can leave the counts apart.
    m_foldersDone = std::min(m_foldersDone + 1, m_foldersFound);
    m_parts.progress.foldersFound(m_foldersDone, m_foldersFound);
}

// Enters the sub-folder at \a position unless it is a symbolic link or was
// entered before in this walk; a folder that cannot be entered is logged.
bool RenameRun::enterSubFolder(qsizetype position)
{
    if (m_parts.folders.isSubFolderSymLink(position))
        return false;
    const QString path = m_parts.folders.subFolderPath(position);
    // Checked again on disk: the entry may have been replaced by a link since it was listed.
    const auto folder = m_visitedFolders.mayEnter(path);
    if (!folder) {
        LogError(errorText(systemErrorText(folder.error()), path));
        return false;
    }
    if (!*folder)
        return false;
    if (const auto entered = m_parts.folders.setPath(path); !entered) {
        LogError(errorText(entered.error(), path));
        return false;
    }
    m_visitedFolders.entered(**folder);
    m_parts.folders.refresh();
    return true;
}

// After a sub-folder's walk the folder list should be back on \a path; if its
// way back failed, one direct attempt is made before this level gives up.
bool RenameRun::returnToFolder(const QString &path)
{
    if (m_parts.folders.path() == path)
        return true;
    if (const auto back = m_parts.folders.setPath(path); !back) {
        LogError(errorText(back.error(), path));
        return false;
    }
    m_parts.folders.refresh();
    return true;
}

} // namespace kestrava
