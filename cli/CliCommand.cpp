// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliCommand.h"

#include "CliRunParts.h"
#include "CliScope.h"
#include "DiskOperations.h"
#include "DryRun.h"
#include "NameText.h"
#include "ResultPrinter.h"
#include "RunJournal.h"
#include "RunSimulation.h"
#include "RunTarget.h"
#include "UndoProgress.h"
#include "UndoRun.h"

#include <QSet>

#include <cstdio>
#include <unistd.h>

namespace kestrava::cli {

namespace {

FileResult resultOf(FileStatus &&status, const RunTarget &target)
{
    FileResult result;
    result.shownPath = target.shownPath(status.folderPath, status.oldName);
    result.folderPath = std::move(status.folderPath);
    result.oldName = std::move(status.oldName);
    result.newName = std::move(status.newName);
    result.reason = std::move(status.reason);
    result.outcome = outcomeWord(status.outcome);
    result.changed = status.outcome == FileOutcome::Renamed;
    result.done = result.changed || status.outcome == FileOutcome::Unchanged;
    return result;
}

// Every named file is renamed or reported: one whose folder the walk did not
// enter (it became a link, or cannot be entered now) is named as not renamed.
void reportFilesNotReached(const CliScope &scope, const RunTarget &target, RunResults &results)
{
    QSet<QString> reached;
    reached.reserve(results.files.size());
    for (const FileResult &file : std::as_const(results.files))
        reached.insert(file.folderPath + file.oldName);
    for (const FileGroup &group : scope.groups) {
        const QString folderPath = folderPathOf(group.folder);
        for (const QString &name : group.names) {
            if (reached.contains(folderPath + name))
                continue;
            FileResult result;
            result.shownPath = target.shownPath(folderPath, name);
            result.folderPath = folderPath;
            result.oldName = name;
            result.outcome = outcomeWord(FileOutcome::Failed);
            result.reason = QStringLiteral("The run did not enter its folder");
            results.files.append(std::move(result));
        }
    }
}

} // namespace

void printMessage(const QString &message)
{
    const QByteArray line = QByteArrayLiteral("kestrava-cli: ") + escapedName(message).toUtf8() + '\n';
    std::fwrite(line.constData(), 1, std::size_t(line.size()), stderr);
}

int CliCommand::printed(const RunResults &results) const
{
    ResultPrinter printer(m_request.style);
    printer.setShowFields(m_request.showFields);
    printer.print(results);
    if (const int error = printer.writeError()) {
        printMessage(QStringLiteral("the results could not be written: ") + systemErrorText(error));
        m_outputFailed = true;
        return 2;
    }
    return results.exitStatus();
}

CliCommand::CliCommand(const CliRequest &request)
    : m_request(request)
{}

int CliCommand::run()
{
    if (m_request.action == CliAction::Undo) {
        recoverParkedFiles();
        return runUndo();
    }
    const auto scope =
        resolveScope(m_request.paths, m_request.includePattern, m_request.recursive, m_request.namesFromStdin);
    if (!scope) {
        printMessage(scope.error());
        return 2;
    }
    RunTarget target(*scope, m_request.includePattern, m_request.recursive);
    if (auto opened = target.open(); !opened) {
        printMessage(opened.error());
        return 1;
    }
    // A usage error leaves everything as it is; only a run puts parked files back.
    if (m_request.action == CliAction::Apply)
        recoverParkedFiles();
    const RunResults results = m_request.action == CliAction::Apply ? apply(*scope, target) : dryRun(*scope, target);
    for (const QString &error : results.errors)
        printMessage(error);
    return printed(results);
}

RunResults CliCommand::dryRun(const CliScope &scope, RunTarget &target)
{
    CliClock clock(m_request.today);
    RulesNameSource names(fixedRules(m_request.options, m_request.prefixCountText, m_request.postfixCountText, clock));
    return dryRunResults(scope, target, names, m_request.includePattern, m_request.recursive, m_request.skipReadOnly);
}

RunResults CliCommand::apply(const CliScope &scope, RunTarget &target)
{
    RunResults results;
    results.kind = RunKind::Apply;
    if (target.isEmpty())
        return results;
    CliClock clock(m_request.today);
    RulesNameSource names(fixedRules(m_request.options, m_request.prefixCountText, m_request.postfixCountText, clock));
    NoPrompt prompt;
    CliRunSettings settings(m_request.skipReadOnly);
    CliProgress progress(m_request.style != OutputStyle::Json && ::isatty(STDERR_FILENO));
    RunJournal journal;
    RenameRun run(RunParts{target.folders(), target.files(), prompt, progress, names, settings, clock});
    journal.setPresetName(m_request.presetName);
    run.setJournal(&journal);
    // The results come from the run's log; nothing reads the folder's lists
    // again, so reading a large folder a second time would be wasted.
    run.setListsAgainAtEnd(false);
    // Nothing stops the run or asks during it: a folder's renames may begin
    // while its other names are still worked out.
    run.setRenamesWhileNaming(true);
    run.start(target.runScope());
    results.errors = run.log().errors();
    QList<FileStatus> statuses = run.takeStatuses();
    results.files.reserve(statuses.size());
    for (FileStatus &status : statuses)
        results.files.append(resultOf(std::move(status), target));
    if (scope.isFileSet())
        reportFilesNotReached(scope, target, results);
    return results;
}

void CliCommand::recoverParkedFiles()
{
    // A run killed halfway through a change of letter case leaves its file under
    // a hidden temporary name that nothing else would find; it is put back first.
    const ParkedRecovery recovery = UndoRun::recoverParkedFiles();
    if (recovery.filesRestored > 0)
        printMessage(QStringLiteral("%1 file(s) left under a temporary name by an interrupted run were put back")
                         .arg(recovery.filesRestored));
    for (const QString &error : recovery.errors)
        printMessage(error);
}

int CliCommand::runUndo()
{
    UndoRun::markFinishedUndos();
    const std::optional<UndoableRun> undoable = UndoRun::newestUndoableRun();
    if (!undoable) {
        printMessage(QStringLiteral("--undo: no run to undo"));
        return 1;
    }
    if (!undoable->presetName.isEmpty())
        printMessage(QStringLiteral("--undo: the run of %1 with the preset \"%2\"")
                         .arg(undoable->startedAt.toString(Qt::ISODate), undoable->presetName));
    CliClock clock(QDate{});
    UndoProgress progress;
    progress.readOldNames(undoable->journalPath);
    UndoRun undo(progress, clock);
    undo.start(undoable->journalPath);
    RunResults results;
    results.kind = RunKind::Undo;
    results.files = std::move(progress.results);
    results.errors = undo.log().errors();
    for (const QString &error : std::as_const(results.errors))
        printMessage(error);
    return printed(results);
}

} // namespace kestrava::cli
