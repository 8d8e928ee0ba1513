// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RenameError.h"
#include "RunLog.h"
#include "RenameOptions.h"

#include <QList>
#include <QString>

#include <array>
#include <atomic>
#include <expected>
#include <functional>
#include <span>

namespace kestrava {

class FileNamePattern;

// A look ahead at a run: what the run would do with each file, worked out from
// the folders' real entries before anything is renamed. It follows the run's
// steps and order exactly, so that the preview can say which files the run
// will leave as they are, and why.

/// What a run would do with one file. The order is the order of the reasons in
/// the summary.
enum class SimulatedOutcome : quint8 {
    NotComputable,   ///< the new name cannot be computed (for example a counter past 9999)
    UnusableName,    ///< empty, ".", "..", or holding "/" or NUL
    NameTooLong,     ///< longer than the file system takes
    NameTaken,       ///< an entry of the folder has the new name
    NameTakenByRun,  ///< an earlier file of the same run takes the new name
    ReadOnlySkipped, ///< read-only, and read-only files are ignored
    Unchanged,       ///< the new name is the old one
    Renamed,         ///< renamed
};
inline constexpr int simulatedOutcomeCount = int(SimulatedOutcome::Renamed) + 1;

/// The look ahead at one file.
struct SimulatedFile
{
    SimulatedOutcome outcome = SimulatedOutcome::Renamed;
    /// A visible file whose new name starts with a dot: renamed, but then hidden.
    bool becomesHidden = false;
    /// The name a file is renamed to in place of its taken new name, with a
    /// number added; empty for any other file.
    QString numberedName{};

    friend bool operator==(const SimulatedFile &, const SimulatedFile &) = default;
};

/// The run's choices that change what it does with a file.
struct SimulationSettings
{
    /// "Ignore Read-Only Files ?" is ticked: the files are skipped.
    bool ignoreReadOnly = false;
    /// What becomes of a file whose new name is taken.
    WhenTaken whenTaken = WhenTaken::Leave;
};

/// Files counted by what would become of them.
struct SimulationCounts
{
    qint64 files = 0;
    std::array<qint64, simulatedOutcomeCount> byOutcome{};
    qint64 becomeHidden = 0;

    void add(const SimulatedFile &file);
    qint64 count(SimulatedOutcome outcome) const { return byOutcome[std::size_t(outcome)]; }
    /// Files that would not be renamed, for any reason.
    qint64 notRenamed() const { return files - count(SimulatedOutcome::Renamed); }
};

/// A file of a tree look ahead that would not be renamed, or would become hidden.
struct SimulatedProblem
{
    QString folderPath; ///< ends in "/"
    QString oldName;
    QString newName; ///< empty when it cannot be computed
    SimulatedFile file;
    QString reason; ///< simulatedReasonText() of the file
};

/// The look ahead at a whole folder tree.
struct TreeSimulation
{
    SimulationCounts counts;
    /// The files that would not be renamed and the ones that would become
    /// hidden (outcome Renamed), in the run's order.
    QList<SimulatedProblem> problems;
    /// Folders the run would try to enter and could not, each with the system's text.
    QList<std::pair<QString, QString>> unreadableFolders;
};

/// The new name of a file, with counters of the look ahead's own that carry on
/// from file to file as the run's do.
using SimulatedNames = std::function<std::expected<QString, RenameError>(const QString &oldName)>;

/// What a run would do with the files \a oldNames of \a folderPath (in the run's
/// order) whose new names were computed as \a newNames, one for each. The folder
/// is read once; only with SimulationSettings::ignoreReadOnly does a file cost a
/// system call (for its permissions). Fails with the system's text when the
/// folder cannot be read.
std::expected<QList<SimulatedFile>, QString>
simulateFolder(const QString &folderPath, std::span<const QString> oldNames,
               std::span<const std::expected<QString, RenameError>> newNames, const SimulationSettings &settings);

/// Each file's look ahead as a simulated tree walk meets it, in the run's order:
/// its folder, names, outcome and reason (empty for a plain rename).
using SimulatedFileObserver = std::function<void(const SimulatedProblem &file)>;

/// How a tree walk numbers the files: the order of each folder's files, and,
/// for counters that start again in each folder, what puts the counters of its
/// names back to their start values.
struct SimulatedNumbering
{
    NumberingOptions options;
    std::function<void()> restartCounters;
    /// Told of each folder (ending in "/") before its files are named, for
    /// names that read the files' dates or metadata.
    std::function<void(const QString &folderPath)> folderEntered;
};

/// What a run of the scope "All Files including Sub-Folders" would do, walking
/// from \a startFolder exactly as the run does: in each folder its files that
/// match \a pattern, in the order \a numbering chooses (the list's order unless
/// chosen otherwise), then each sub-folder, depth first, never through a link
/// and never twice. \a names computes the new names in that order. \a eachFile,
/// when given, is told of every file, renamed ones included.
TreeSimulation simulateTree(const QString &startFolder, const FileNamePattern &pattern, const SimulatedNames &names,
                            const SimulationSettings &settings, const SimulatedFileObserver &eachFile = {},
                            const SimulatedNumbering &numbering = {});

/// Whether the walk of "All Files including Sub-Folders" from \a startFolder
/// would meet any file that matches \a pattern: it walks as simulateTree()
/// does, and stops at the first such file, or as soon as \a cancelled is set.
/// Folders that cannot be read hold no file for it.
bool treeHasFiles(const QString &startFolder, const FileNamePattern &pattern, const std::atomic_bool &cancelled);

/// The word a listing of the files gives \a outcome: "name taken", "renamed", ...
QString outcomeWord(SimulatedOutcome outcome);
/// The word a listing of a run's files gives \a outcome, the same as the look
/// ahead's for the same outcome: "renamed", "unchanged", "read-only skipped",
/// "declined" or "failed".
QString outcomeWord(FileOutcome outcome);

/// Whether a summary speaks of one folder or of a whole tree.
enum class SimulationScope { Folder, Tree };

/// One line about \a counts: "All 5 files will be renamed", or "3 of 120 files
/// will not be renamed (2 names taken, 1 unchanged)", followed by "; K will
/// become hidden" when visible files would become hidden.
QString simulationSummary(const SimulationCounts &counts, SimulationScope scope);

/// Why \a file would not be renamed, or a warning for one that would become
/// hidden; empty for a plain rename. \a error is the computation's failure for
/// SimulatedOutcome::NotComputable.
QString simulatedReasonText(const SimulatedFile &file, const RenameError *error = nullptr);

} // namespace kestrava
