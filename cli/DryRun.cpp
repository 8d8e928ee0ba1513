// SPDX-License-Identifier: GPL-3.0-or-later
#include "DryRun.h"

#include "CliRunParts.h"
#include "CliScope.h"
#include "FileList.h"
#include "FileNamePattern.h"
#include "FolderLookAhead.h"
#include "NumberingOrder.h"
#include "RunSimulation.h"
#include "RunTarget.h"

namespace kestrava::cli {

namespace {

// Gathers the look ahead's files as results and counts them for its summary.
class Collector
{
public:
    Collector(const RunTarget &target, RunResults &results)
        : m_target(target)
        , m_results(results)
    {}

    void add(const SimulatedProblem &file)
    {
        m_counts.add(file.file);
        FileResult result;
        result.shownPath = m_target.shownPath(file.folderPath, file.oldName);
        result.folderPath = file.folderPath;
        result.oldName = file.oldName;
        result.newName = file.newName;
        result.outcome = outcomeWord(file.file.outcome);
        const bool unchanged = file.file.outcome == SimulatedOutcome::Unchanged;
        // An unchanged file needs no reason, as in the results of a run.
        result.reason = unchanged ? QString() : file.reason;
        result.changed = file.file.outcome == SimulatedOutcome::Renamed;
        result.done = result.changed || unchanged;
        m_results.files.append(std::move(result));
    }
    const SimulationCounts &counts() const { return m_counts; }

private:
    const RunTarget &m_target;
    RunResults &m_results;
    SimulationCounts m_counts;
};

// One folder's files, \a listed in the list's order, looked at together in the
// order the run takes them.
void simulateFiles(const QString &folder, const QList<QString> &listed, RulesNameSource &names,
                   const SimulationSettings &settings, Collector &collector, RunResults &results)
{
    const NumberingOptions numbering = names.numbering();
    if (numbering.perFolder)
        names.restartCounters();
    const QList<QString> oldNames = inNumberingOrder(folder, listed, numbering);
    QList<std::expected<QString, RenameError>> newNames;
    newNames.reserve(oldNames.size());
    for (const QString &oldName : oldNames)
        newNames.append(names.compute(folderPathOf(folder), oldName));
    auto lookAhead = FolderLookAhead::read(folder, oldNames, newNames, settings);
    if (!lookAhead) {
        results.errors.append(lookAhead.error());
        return;
    }
    for (qsizetype i = 0; i < lookAhead->size(); ++i)
        collector.add(lookAhead->problem(i));
}

} // namespace

RunResults dryRunResults(const CliScope &scope, RunTarget &target, RulesNameSource &names, const QString &pattern,
                         bool recursive, bool skipReadOnly)
{
    RunResults results;
    Collector collector(target, results);
    const SimulationSettings settings{skipReadOnly, names.whenTaken()};
    names.beginRun();
    if (!scope.isFileSet() && recursive) {
        QString folderPath;
        const TreeSimulation tree = simulateTree(
            scope.folder, FileNamePattern(pattern),
            [&](const QString &oldName) { return names.compute(folderPath, oldName); }, settings,
            [&](const SimulatedProblem &file) { collector.add(file); },
            {names.numbering(), [&] { names.restartCounters(); }, [&](const QString &path) { folderPath = path; }});
        for (const auto &[folder, error] : tree.unreadableFolders)
            results.errors.append(folder + QStringLiteral(": ") + error);
    } else if (!scope.isFileSet()) {
        QList<QString> oldNames;
        oldNames.reserve(target.files().count());
        for (qsizetype i = 0; i < target.files().count(); ++i)
            oldNames.append(target.files().name(i));
        simulateFiles(scope.folder, oldNames, names, settings, collector, results);
    } else {
        for (const FileGroup &group : scope.groups)
            simulateFiles(group.folder, group.names, names, settings, collector, results);
    }
    results.lookAheadSummary =
        simulationSummary(collector.counts(), recursive ? SimulationScope::Tree : SimulationScope::Folder);
    return results;
}

} // namespace kestrava::cli
