// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kestrava::cli {

/// What became, or in a dry run would become, of one file.
struct FileResult
{
    /// How the file is shown: its path from the named folder, or as named.
    QString shownPath;
    /// The real folder, ending in "/".
    QString folderPath;
    QString oldName;
    /// Empty when it could not be computed.
    QString newName;
    /// One word or two: "renamed", "unchanged", or the problem.
    QString outcome;
    QString reason;
    /// Renamed or unchanged: the file ends up as the options want it.
    bool done = false;
    /// Renamed (or restored): its name changed.
    bool changed = false;
};

/// What a command did.
enum class RunKind { DryRun, Apply, Undo };

/// The results of one command, in run order.
struct RunResults
{
    RunKind kind = RunKind::DryRun;
    QList<FileResult> files;
    /// Everything the run logged as an error, in order.
    QStringList errors;
    /// The look ahead's own summary of a dry run; empty for the others.
    QString lookAheadSummary;

    /// The files by what became of them.
    struct Tally
    {
        qsizetype renamed = 0;   ///< renamed, to be renamed, or restored
        qsizetype unchanged = 0; ///< done without a change of name
        qsizetype notDone = 0;
    };
    Tally tally() const;
    /// The one summary line printed last.
    QString summaryLine() const;
    /// 0 when every file was renamed or unchanged and nothing went wrong, else 1.
    int exitStatus() const;
};

} // namespace kestrava::cli
