// SPDX-License-Identifier: GPL-3.0-or-later
// Rows that measure the naming rules and the run without the window: the run
// through RenameRun with the disk lists, a silent progress sink and a prompt
// that is never asked, the folder listing, and the new-name computation.
#include "BareLoops.h"
#include "BenchContext.h"
#include "BenchFolders.h"
#include "FuseRows.h"
#include "RunRows.h"

#include "DiskFileList.h"
#include "DiskFolderList.h"
#include "NameSource.h"
#include "NewFilename.h"
#include "ProgressSink.h"
#include "Prompt.h"
#include "RenameRun.h"
#include "RunJournal.h"
#include "RunSettings.h"
#include "RunSimulation.h"
#include "SystemRunClock.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

namespace kestrava::bench {

bool BenchContext::asked(const char *group, const char *family) const
{
    return !only.isEmpty() && wants(group, family);
}

std::string BenchContext::pathFor(const char *what, int rep) const
{
    return root + '/' + what + '-' + std::to_string(rep);
}

bool BenchContext::wants(const char *group, const char *family) const
{
    return only.isEmpty() || only.contains(QString::fromLatin1(group))
        || (family && only.contains(QString::fromLatin1(family)));
}

RenameOptions runOptions(bool prefixCounter)
{
    RenameOptions options;
    options.spaces = SpaceConversion::ToUnderscores;
    options.prefixCounter = prefixCounter;
    return options;
}

void failBench(const QString &message)
{
    std::fprintf(stderr, "bench: %s\n", message.toUtf8().constData());
    std::exit(1);
}

Contender bareListing(const std::string &folder, int files, const QString &what)
{
    auto count = std::make_shared<std::size_t>(0);
    Contender baseline;
    baseline.run = [folder, count](int) { *count = bareSortedNames(folder.c_str()).size(); };
    baseline.check = [files, what, count](int) {
        if (*count != std::size_t(files))
            failBench(what + QStringLiteral(": the bare loop missed files"));
    };
    return baseline;
}

void checkSameListing(const std::string &measured, const std::string &baseline, const char *what)
{
    if (listingOf(measured) != listingOf(baseline))
        failBench(
            QStringLiteral("%1: the program and the bare loop left different names").arg(QString::fromUtf8(what)));
}

namespace {

class SilentProgress : public ProgressSink
{
public:
    void showFile(const QString &) override {}
    void showFolder(const QString &) override {}
    void showCount(qint64) override {}
    void showStatus(const QString &) override {}
    void showSummary(const QString &) override {}
    void logsCleared() override {}
    void fileModified(const QString &) override {}
    void errorLogged(const QString &) override {}
    void yield() override {}
};

class NeverAsked : public Prompt
{
public:
    PromptAnswer ask(const QString &, const QString &) override { return PromptAnswer::Yes; }
};

class PlainSettings : public RunSettings
{
public:
    bool confirmFiles() const override { return false; }
    bool ignoreReadOnly() const override { return false; }
};

class CoreNames : public NameSource
{
public:
    RenameOptions options;
    QDate today;

    void beginRun() override { m_counters.load(QStringLiteral("0001"), QStringLiteral("0001")); }
    std::expected<QString, QString> newName(const QString &oldName) override
    {
        auto name = BuildNewFilename(oldName, options, m_counters, today);
        if (!name)
            return std::unexpected(name.error().message);
        return std::move(*name);
    }

private:
    NameCounters m_counters;
};

struct CoreRig
{
    DiskFileList files;
    DiskFolderList folders{files};
    NeverAsked prompt;
    SilentProgress progress;
    CoreNames names;
    PlainSettings settings;
    SystemRunClock clock;
    RenameRun run{{folders, files, prompt, progress, names, settings, clock}};
};

void openOrFail(DiskFolderList &folders, const std::string &path)
{
    if (!folders.setPath(QString::fromStdString(path)))
        failBench(QStringLiteral("cannot list ") + QString::fromStdString(path));
}

// The two run rows: RenameRun with the disk lists against the bare loop.
void addCoreRunRow(BenchContext &context, bool tree)
{
    CoreRig rig;
    rig.names.options = runOptions(!tree);
    rig.names.today = context.today;
    const RunnerUnderTest runner{[&](const std::string &path) { openOrFail(rig.folders, path); },
                                 [&] {
                                     rig.run.start(tree ? RunScope::AllFilesIncludingSubFolders
                                                        : RunScope::AllFilesInCurrentFolder);
                                     return rig.run.intFilesRenamed();
                                 }};
    addRunRow(context, tree,
              tree ? QStringLiteral("run, tree of 100 folders × 1,000 files (run/ only, no window)")
                   : QStringLiteral("run, 1 folder × 10,000 files (run/ only, no window)"),
              "core", runner, 1.25);
}

// The undo journal's cost: the same run of 10,000 files with and without it.
// Its journals go to a folder of the benchmark's own.
void addJournalRow(BenchContext &context)
{
    qputenv("XDG_STATE_HOME", QByteArray::fromStdString(context.root + "/state"));
    CoreRig journaled;
    CoreRig plain;
    RunJournal journal;
    journaled.run.setJournal(&journal);
    const auto runnerOf = [&](CoreRig &rig) {
        rig.names.options = runOptions(true);
        rig.names.today = context.today;
        return RunnerUnderTest{[&](const std::string &path) { openOrFail(rig.folders, path); },
                               [&] {
                                   rig.run.start(RunScope::AllFilesInCurrentFolder);
                                   return rig.run.intFilesRenamed();
                               }};
    };
    addRunnerPairRow(context, QStringLiteral("run, 1 folder × 10,000 files with the undo journal (run/ only)"),
                     QStringLiteral("the same run without it"), "journal", runnerOf(journaled), runnerOf(plain), 1.05);
    if (!journal.takeFailure().isEmpty())
        failBench(QStringLiteral("journal: the journal could not be written"));
}

// Listing a folder of 100,000 files with the disk lists: read, match, sort, select all.
void addListingRow(BenchContext &context)
{
    // Fresh lists for every repetition: a list would take the folder's
    // listing from its last read, the folder provably unchanged since.
    std::optional<DiskFileList> files;
    std::optional<DiskFolderList> folders;
    Contender measured;
    measured.prepare = [&](int) {
        folders.reset();
        files.emplace();
        folders.emplace(*files);
    };
    measured.run = [&](int) { openOrFail(*folders, context.bigFolder); };
    measured.check = [&](int) {
        if (folders->listingsReused() != 0 || files->selectedCount() != bigFolderFiles)
            failBench(QStringLiteral("listing: not every file listed and selected"));
    };
    const Contender baseline = bareListing(context.bigFolder, bigFolderFiles, QStringLiteral("listing"));
    const PairTimes times = timePair(context.reps, measured, baseline);
    context.rows.push_back(timeRow(QStringLiteral("list 100,000 files, sort, select all (run/ only, no window)"),
                                   QStringLiteral("bare readdir + sort"), times, 2.0));
}

// The look ahead of the preview's marks over 100,000 listed files: the new
// names computed as the preview does, then what a run would do with each,
// against computing the names alone.
void addSimulationRow(BenchContext &context)
{
    DiskFileList files;
    DiskFolderList folders(files);
    openOrFail(folders, context.bigFolder);
    QStringList oldNames;
    for (const DirectoryEntry &entry : files.entries())
        oldNames.append(entry.name);
    const RenameOptions options = runOptions(false); // a counter would pass 9999
    QList<std::expected<QString, RenameError>> newNames;
    const auto computeNames = [&] {
        NameCounters counters;
        counters.load(QStringLiteral("0001"), QStringLiteral("0001"));
        newNames.clear();
        newNames.reserve(oldNames.size());
        for (const QString &name : std::as_const(oldNames))
            newNames.append(BuildNewFilename(name, options, counters, context.today));
    };
    const QString folder = QString::fromStdString(context.bigFolder);
    qint64 renamed = 0;
    Contender measured;
    measured.run = [&](int) {
        computeNames();
        const auto simulated = simulateFolder(folder, oldNames, newNames, {});
        renamed = simulated
            ? std::count_if(simulated->cbegin(), simulated->cend(),
                            [](const SimulatedFile &f) { return f.outcome == SimulatedOutcome::Renamed; })
            : 0;
    };
    measured.check = [&](int) {
        if (renamed != bigFolderFiles)
            failBench(QStringLiteral("look ahead: not every file would be renamed"));
    };
    Contender baseline;
    baseline.run = [&](int) { computeNames(); };
    const PairTimes times = timePair(context.reps, measured, baseline);
    context.rows.push_back(timeRow(QStringLiteral("names and look ahead of 100,000 files of one folder (run/ only)"),
                                   QStringLiteral("BuildNewFilename loop alone"), times, std::nullopt));
}

// The folder run of the first row, on the test file system in each of its modes.
void addCoreFuseRows(BenchContext &context)
{
    CoreRig rig;
    rig.names.options = runOptions(true);
    rig.names.today = context.today;
    addFuseRows(context,
                RunnerUnderTest{[&](const std::string &path) { openOrFail(rig.folders, path); },
                                [&] {
                                    rig.run.start(RunScope::AllFilesInCurrentFolder);
                                    return rig.run.intFilesRenamed();
                                }});
}

} // namespace

void addFuseRows(BenchContext &context)
{
    addCoreFuseRows(context);
}

void addCoreRows(BenchContext &context)
{
    if (!context.wants("core")) {
        addJournalRow(context);
        return;
    }
    addCoreRunRow(context, false);
    addCoreRunRow(context, true);
    addJournalRow(context);
    addListingRow(context);
    addSimulationRow(context);
}

} // namespace kestrava::bench
