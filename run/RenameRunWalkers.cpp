// SPDX-License-Identifier: GPL-3.0-or-later
// The three folder walkers of RenameRun.
#include "RenameRun.h"

#include "DiskOperations.h"
#include "FileList.h"
#include "FolderList.h"
#include "LetGoBeside.h"
#include "NameSource.h"
#include "NumberingOrder.h"
#include "ProgressSink.h"
#include "RenamePlan.h"
#include "RenameWorker.h"
#include "RunSettings.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <span>

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
        if (position % 16384 == 16383)
            m_parts.progress.yield();
        const bool taken = !selectedOnly || m_parts.files.isSelected(position);
        if (taken)
            names.append(m_parts.files.name(position));
        if (numbering.isListOrder())
            passedOver.append(!taken);
    }
    if (!numbering.isListOrder()) {
        QList<QString> ordered;
        ordered.reserve(names.size());
        for (const qsizetype position :
             numberingOrder(folderPath, names, numbering, [this] { m_parts.progress.yield(); }))
            ordered.append(names.at(position));
        names = std::move(ordered);
    }
    renameFolderFiles(folderPath, names, passedOver);
    letGoOfBigLists(names.size(), std::move(names), std::move(passedOver));
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
    m_log.makeRoomFor(names.size());
    const bool skipReadOnly = m_parts.settings.ignoreReadOnly();
    PlanFolder folder;
    folder.rules = folderNameRules(folderPath);
    folder.whenTaken = m_parts.names.whenTaken();
    // Where the run may, a file whose new name is free is renamed at once, on
    // a worker, beside the naming of the others; earlyJobs holds each file's
    // job there, or -1.
    std::unique_ptr<RenameWorker> early = startEarlyWorker(folderPath, names.size());
    bool renamingEarly = early != nullptr;
    const auto earlyMustStop = [&] {
        return m_stopRequested || m_parts.settings.confirmFiles() || m_parts.settings.ignoreReadOnly() != skipReadOnly;
    };
    std::optional<FreeNames> freeNames;
    QList<qsizetype> earlyJobs;
    if (early) {
        freeNames.emplace(std::span(names.constData(), size_t(names.size())), folder.rules);
        earlyJobs.fill(-1, names.size());
    }
    for (const QString &name : names) {
        // A big folder's names take a while: the window keeps handling its events.
        if (newNames.size() % 4096 == 4095) {
            m_parts.progress.yield();
            // A stop, or a choice changed meanwhile, counts from the next file:
            // the files not yet renamed are left to the steps below, which stop
            // or ask, and those renamed are reported there as any other.
            if (renamingEarly && earlyMustStop()) {
                early->stop();
                renamingEarly = false;
            }
        }
        auto newName = nameOf(folderPath, name);
        PlannedFile file{name, newName.value_or(QString()), false};
        // A name too long for the folder fails as the rename meets it, for the
        // reason the preview gives, rather than keeping a name from another file.
        file.moves = newName && *newName != name && isUsableFileName(name) && isUsableFileName(*newName)
            && !isNameTooLong(*newName, folder.rules);
        if (file.moves && skipReadOnly) {
            const auto readOnly = isReadOnly(FolderFile(m_openFolder, name));
            file.moves = !readOnly || !*readOnly;
        }
        const bool free = renamingEarly && file.moves && freeNames->claim(file.newName);
        files.append(std::move(file));
        newNames.append(std::move(newName));
        // The list has room for every name, so its names stay where they are.
        if (free)
            earlyJobs[files.size() - 1] = early->add({&name, &*newNames.constLast()});
    }
    freeNames.reset();
    // Only a numbered name needs to know the folder's other entries ahead:
    // otherwise a taken name is found as the rename meets it, as always.
    if (folder.whenTaken == WhenTaken::Number)
        folder.heldByOther = [this](const QString &name) { return isNameHeld(FolderFile(m_openFolder, name)); };
    folder.yield = [this] { m_parts.progress.yield(); };
    PlannedRenames plan = planRenames(files, folder);
    const bool big = names.size() > 4096;
    if (big)
        m_parts.progress.yield();
    // The plan's other renames may wait for these: they are all made first.
    if (early) {
        early->finish([&] {
            m_parts.progress.yield();
            if (earlyMustStop())
                early->stop();
        });
    }
    QList<FileAction> actions = actionsOf(plan, newNames, earlyJobs);
    if (big)
        m_parts.progress.yield();

    // The list's positions passed so far, and a yield for each one passed over.
    qsizetype position = 0;
    const auto passOver = [&] {
        for (; position < passedOver.size() && passedOver[position]; ++position)
            m_parts.progress.yield();
    };
    // The renames between two steps of a ring go to a worker thread, unless
    // each must be confirmed first or there are too few to be worth a thread.
    std::unique_ptr<RenameWorker> worker;
    ParkedFile parked;
    qsizetype nextJob = 0; // the worker's job of the next action it renames
    qsizetype workEnd = 0; // the first action after the worker's stretch
    bool workerSkipsReadOnly = false;
    for (qsizetype at = 0; at < actions.size(); ++at) {
        const FileAction &action = actions[at];
        if (action.entry) {
            passOver();
            ++position;
        }
        // A ring, once begun, is seen through, so that no file is left parked.
        if (m_stopRequested && (action.entry || !action.ring)) {
            if (worker && at < workEnd)
                reportWorkerDone(folderPath, names, actions, at, workEnd, *worker, nextJob);
            // Files renamed while the names were worked out are reported all the same.
            for (; early && at < actions.size(); ++at) {
                DiskOutcome *done = actions[at].kind == FileAction::Early ? early->take(earlyJobs[actions[at].file])
                                                                          : nullptr;
                if (done && reportRename(folderPath, names[actions[at].file], *actions[at].newName, std::move(*done)))
                    RecordFileModified(*actions[at].newName);
            }
            return;
        }
        // A worker starts only once the stop has been looked for.
        if (at >= workEnd) {
            worker.reset();
            workEnd = at;
            nextJob = 0;
            workerSkipsReadOnly = m_parts.settings.ignoreReadOnly();
            worker = startWorker(folderPath, names, actions, at, workEnd);
        }
        const qsizetype file = action.file;
        if (action.kind == FileAction::AlreadyDone)
            continue;
        m_parts.progress.showFile(names[file]);
        // The count shown is of the files renamed before this one.
        m_parts.progress.showCount(intFilesRenamed());
        bool renamed = false;
        const QString &newName = action.newName ? *action.newName : QString();
        DiskOutcome *outcome = nullptr;
        if (worker && action.byWorker)
            outcome = worker->outcome(nextJob++, [this] { m_parts.progress.yield(); });
        else if (action.kind == FileAction::Early)
            outcome = early->take(earlyJobs[file]);
        if (outcome) {
            renamed = reportRename(folderPath, names[file], newName, std::move(*outcome));
        } else {
            switch (action.kind) {
            case FileAction::Leave:
                leaveFile(folderPath, names[file], newNames[file], plan.outcomes[file] != PlanOutcome::Stays);
                break;
            case FileAction::Rename:
            case FileAction::Early: // one the early worker stopped before
                renamed = RenameFile(folderPath, names[file], newName);
                break;
            case FileAction::Park:
                parkFirstOfRing(folderPath, names[file], newName, parked);
                break;
            case FileAction::FromPark:
                renamed = parked.parked && finishRing(folderPath, names[file], newName, parked);
                break;
            case FileAction::AlreadyDone:
                break;
            }
        }
        if (renamed)
            RecordFileModified(newName);
        m_parts.progress.yield();
        // A choice changed during the run counts from the next file: the
        // worker stops, and the files it did not reach are renamed here.
        if (worker && (m_parts.settings.confirmFiles() || m_parts.settings.ignoreReadOnly() != workerSkipsReadOnly))
            worker->stop();
    }
    passOver();
    worker.reset();
    early.reset();
    letGoOfBigLists(names.size(), std::move(actions), std::move(plan), std::move(files), std::move(newNames),
                    std::move(earlyJobs));
}

// The steps of the folder's run in their order: for each position of the
// list, what becomes of its file, or the chain or ring it is the first of.
QList<RenameRun::FileAction> RenameRun::actionsOf(const PlannedRenames &plan,
                                                  const QList<std::expected<QString, QString>> &newNames,
                                                  const QList<qsizetype> &earlyJobs)
{
    QList<FileAction> actions;
    actions.reserve(plan.outcomes.size());
    QList<bool> done(plan.outcomes.size(), false);
    qsizetype group = 0;
    for (qsizetype i = 0; i < plan.outcomes.size(); ++i) {
        // The actions of a million files are tens of megabytes fresh to the
        // process, which costs the window a tenth of a second to lay out.
        if (i % 4096 == 4095)
            m_parts.progress.yield();
        if (done[i]) {
            actions.append({i, nullptr, FileAction::AlreadyDone, true, false, false});
            continue;
        }
        if (plan.outcomes[i] != PlanOutcome::Moves) {
            // A file the plan leaves where it is still has its checks made on
            // disk, as any other, unless only a line of the log is left to write.
            const bool onDisk = newNames[i] && plan.outcomes[i] == PlanOutcome::Stays;
            actions.append({i, onDisk ? &*newNames[i] : nullptr, FileAction::Leave, true, false, onDisk});
            continue;
        }
        const PlannedRenames::Group &steps = plan.groups[group];
        const qsizetype end = group + 1 < plan.groups.size() ? plan.groups[group + 1].firstStep : plan.steps.size();
        ++group;
        for (qsizetype at = steps.firstStep; at < end; ++at) {
            const PlannedRenames::Step step = plan.steps[at];
            done[step.file] = true;
            FileAction action{step.file, &plan.names[step.file], FileAction::Rename, at == steps.firstStep,
                              steps.ring, false};
            if (step.kind == PlannedRenames::StepKind::Park)
                action.kind = FileAction::Park;
            else if (step.kind == PlannedRenames::StepKind::FromPark)
                action.kind = FileAction::FromPark;
            else if (!earlyJobs.isEmpty() && earlyJobs[step.file] >= 0)
                action.kind = FileAction::Early;
            action.byWorker = action.kind == FileAction::Rename && !steps.ring;
            actions.append(action);
        }
    }
    return actions;
}

// A worker for the stretch of actions from \a first that it may rename, up to
// the next step of a ring; \a end is set past the stretch. Null when the
// stretch is better renamed on the run's own thread.
std::unique_ptr<RenameWorker> RenameRun::startWorker(const QString &folderPath, const QList<QString> &names,
                                                     const QList<FileAction> &actions, qsizetype first,
                                                     qsizetype &end)
{
    std::size_t count = 0;
    end = first;
    for (; end < actions.size() && (actions[end].byWorker || actions[end].kind == FileAction::AlreadyDone
                                    || actions[end].kind == FileAction::Early
                                    || (actions[end].kind == FileAction::Leave && !actions[end].newName));
         ++end)
        count += actions[end].byWorker ? 1 : 0;
    end = std::max(end, first + 1);
    if (qsizetype(count) < smallestWorkerStretch || m_parts.settings.confirmFiles())
        return nullptr;
    // The jobs of a million files are 16 MB fresh to the process, whose pages
    // cost a tenth of a second to touch: the window answers between the parts.
    std::vector<RenameWorker::Job> jobs;
    jobs.reserve(count);
    for (qsizetype at = first; jobs.size() < count; ++at) {
        if (!actions[at].byWorker)
            continue;
        jobs.push_back({&names[actions[at].file], actions[at].newName});
        if (jobs.size() % 65536 == 0)
            m_parts.progress.yield();
    }
    return std::make_unique<RenameWorker>(FileRenamer(m_journal, m_parts.settings.ignoreReadOnly()), m_openFolder,
                                          folderPath, std::move(jobs));
}

// A worker for the renames made while a folder of \a files files is named,
// where the run allows them: null where it does not, or each must be
// confirmed, or a taken name is numbered (which needs every name first).
std::unique_ptr<RenameWorker> RenameRun::startEarlyWorker(const QString &folderPath, qsizetype files)
{
    if (m_renamesWhileNaming < 0 || files < m_renamesWhileNaming || files > m_mostRenamedWhileNaming
        || m_parts.settings.confirmFiles()
        || m_parts.names.whenTaken() != WhenTaken::Leave)
        return nullptr;
    return std::make_unique<RenameWorker>(FileRenamer(m_journal, m_parts.settings.ignoreReadOnly()), m_openFolder,
                                          folderPath, files);
}

// After a stop, the files the worker renamed before it saw the stop are
// reported as any other, up to the first it did not reach.
void RenameRun::reportWorkerDone(const QString &folderPath, const QList<QString> &names,
                                 const QList<FileAction> &actions, qsizetype at, qsizetype end,
                                 RenameWorker &worker, qsizetype nextJob)
{
    worker.stop();
    for (; at < end; ++at) {
        const FileAction &action = actions[at];
        if (!action.byWorker)
            continue;
        DiskOutcome *outcome = worker.outcome(nextJob++, [] {});
        if (!outcome)
            return;
        if (reportRename(folderPath, names[action.file], *action.newName, std::move(*outcome)))
            RecordFileModified(*action.newName);
    }
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
