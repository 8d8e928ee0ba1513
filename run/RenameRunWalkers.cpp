// SPDX-License-Identifier: GPL-3.0-or-later
// The three folder walkers of RenameRun.
#include "RenameRun.h"

#include "DiskOperations.h"
#include "FileList.h"
#include "FolderList.h"
#include "NameSource.h"
#include "NumberingOrder.h"
#include "ProgressSink.h"
#include "RenamePlan.h"
#include "RunSettings.h"

#include <algorithm>
#include <cerrno>

namespace kestrava {

void RenameRun::RenameSelectedFiles()
{
    const QString folderPath = folderPathOf(m_parts.folders.path());
    renameInNumberingOrder(folderPath, beginFolderFiles(), true);
}

void RenameRun::RenameAllFilesInFolder()
{
    const QString folderPath = folderPathOf(m_parts.folders.path());
    renameInNumberingOrder(folderPath, beginFolderFiles(), false);
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
    // In the list's order, a long list yields at every file, selected or not,
    // so that the window stays alive while the run passes over the others.
    QList<bool> passedOver;
    for (qsizetype position = 0; position < m_parts.files.count(); ++position) {
        const bool taken = !selectedOnly || m_parts.files.isSelected(position);
        if (taken)
            names.append(m_parts.files.name(position));
        if (numbering.isListOrder())
            passedOver.append(!taken);
    }
    if (!numbering.isListOrder()) {
        QList<QString> ordered;
        ordered.reserve(names.size());
        for (const qsizetype position : numberingOrder(folderPath, names, numbering))
            ordered.append(names.at(position));
        names = std::move(ordered);
    }
    renameFolderFiles(folderPath, names, passedOver);
}

void RenameRun::renameFolderFiles(const QString &folderPath, const QList<QString> &names,
                                  const QList<bool> &passedOver)
{
    if (m_openFolder.path() != folderPath)
        m_openFolder.open(folderPath);
    // Every new name first, in the numbering order, so that the counters count
    // as they always did; the plan then changes only the order on disk.
    QList<std::expected<QString, QString>> newNames;
    QList<PlannedFile> files;
    newNames.reserve(names.size());
    files.reserve(names.size());
    const bool skipReadOnly = m_parts.settings.ignoreReadOnly();
    for (const QString &name : names) {
        auto newName = nameOf(folderPath, name);
        PlannedFile file{name, newName.value_or(QString()), false};
        file.moves = newName && *newName != name && isUsableFileName(name) && isUsableFileName(*newName);
        if (file.moves && skipReadOnly) {
            const auto readOnly = isReadOnly(FolderFile(m_openFolder, name));
            file.moves = !readOnly || !*readOnly;
        }
        files.append(std::move(file));
        newNames.append(std::move(newName));
    }
    PlanFolder folder;
    folder.rules = folderNameRules(folderPath);
    folder.whenTaken = m_parts.names.whenTaken();
    // Only a numbered name needs to know the folder's other entries ahead:
    // otherwise a taken name is found as the rename meets it, as always.
    if (folder.whenTaken == WhenTaken::Number)
        folder.heldByOther = [this](const QString &name) { return isNameHeld(FolderFile(m_openFolder, name)); };
    const PlannedRenames plan = planRenames(files, folder);

    QList<bool> done(names.size(), false);
    qsizetype group = 0;
    // The list's positions passed so far, and a yield for each one passed over.
    qsizetype position = 0;
    const auto passOver = [&] {
        for (; position < passedOver.size() && passedOver[position]; ++position)
            m_parts.progress.yield();
    };
    for (qsizetype i = 0; i < names.size(); ++i) {
        passOver();
        if (m_stopRequested)
            return;
        ++position;
        if (done[i])
            continue;
        if (plan.outcomes[i] != PlanOutcome::Moves) {
            m_parts.progress.showFile(names[i]);
            m_parts.progress.showCount(intFilesRenamed());
            leaveFile(folderPath, names[i], newNames[i], plan.outcomes[i] != PlanOutcome::Stays);
            m_parts.progress.yield();
            continue;
        }
        // The chain or ring this file is the first of, in the numbering order.
        const PlannedRenames::Group &steps = plan.groups[group];
        const qsizetype end = group + 1 < plan.groups.size() ? plan.groups[group + 1].firstStep : plan.steps.size();
        ++group;
        ParkedFile parked;
        for (qsizetype at = steps.firstStep; at < end; ++at) {
            const PlannedRenames::Step step = plan.steps[at];
            const QString &name = names[step.file];
            const QString &newName = plan.names[step.file];
            done[step.file] = true;
            // A ring, once begun, is seen through, so that no file is left parked.
            if (m_stopRequested && !steps.ring)
                return;
            m_parts.progress.showFile(name);
            // The count shown is of the files renamed before this one.
            m_parts.progress.showCount(intFilesRenamed());
            bool renamed = false;
            switch (step.kind) {
            case PlannedRenames::StepKind::Direct:
                renamed = RenameFile(folderPath, name, newName);
                break;
            case PlannedRenames::StepKind::Park:
                parkFirstOfRing(folderPath, name, newName, parked);
                break;
            case PlannedRenames::StepKind::FromPark:
                renamed = parked.parked && finishRing(folderPath, name, newName, parked);
                break;
            }
            if (renamed)
                RecordFileModified(newName);
            m_parts.progress.yield();
        }
    }
    passOver();
}

void RenameRun::leaveFile(const QString &folderPath, const QString &name,
                          const std::expected<QString, QString> &newName, bool refused)
{
    if (!newName) {
        logNameFailure(folderPath, name, newName.error());
    } else if (refused) {
        // Another entry keeps the name, or an earlier file of the run takes it.
        const QString reason = systemErrorText(EEXIST);
        LogError(errorText(reason, folderPath + name));
        m_log.addStatus({folderPath, name, *newName, FileOutcome::Failed, reason});
    } else if (RenameFile(folderPath, name, *newName)) {
        RecordFileModified(*newName);
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
