// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FolderNameRules.h"
#include "RenameOptions.h"

#include <QList>
#include <QSet>
#include <QString>

#include <functional>
#include <span>

namespace kestrava {

/// One file of a folder's run as the plan takes it, in the numbering order.
struct PlannedFile
{
    QString oldName;
    /// The computed new name; read only for a file that is to move.
    QString newName;
    /// False for a file the run leaves where it is for a reason of its own
    /// (no new name, an unusable or too long one, unchanged, read-only skipped):
    /// it keeps holding its old name.
    bool moves = false;
};

/// What the plan makes of one file.
enum class PlanOutcome : quint8 {
    Stays,          ///< left out of the plan by the caller
    Moves,          ///< renamed, to PlannedRenames::names
    NameTaken,      ///< an entry that keeps its name holds the new name
    NameTakenByRun, ///< an earlier file of the run takes the new name
};

/// The renames of one folder's files in an order that never needs a name
/// still held: a file whose new name another file of the run holds waits
/// until that file has moved, and a ring of files that hold each other's new
/// names (a swap, a rotation) starts with one of them parked under a
/// temporary name. The order changes nothing of the names.
struct PlannedRenames
{
    enum class StepKind : quint8 {
        Direct,   ///< the file to its new name
        Park,     ///< the file to a temporary name, first of its ring
        FromPark, ///< the parked file from its temporary name to its new name, last of its ring
    };
    struct Step
    {
        qsizetype file;
        StepKind kind;
    };

    /// One for each file, in the files' order.
    QList<PlanOutcome> outcomes;
    /// The name each moving file gets: its new name, or the numbered one
    /// given in place of a taken name.
    QList<QString> names;
    /// Whether a moving file got a numbered name in place of a taken one.
    QList<bool> numbered;
    /// The moves on disk, in their order; a ring's steps follow each other.
    QList<Step> steps;
    /// The chains and rings, each a stretch of steps: its first step, and the
    /// first of its files in the files' order, which the groups follow.
    struct Group
    {
        qsizetype firstStep;
        qsizetype firstFile;
        bool ring;
    };
    QList<Group> groups;
};

/// What the plan needs to know of the folder beyond its run's files.
struct PlanFolder
{
    /// Whether an entry of the folder that is not one of the run's files holds
    /// \a name, compared as the folder compares names.
    std::function<bool(const QString &name)> heldByOther;
    FolderNameRules rules;
    WhenTaken whenTaken = WhenTaken::Leave;
    /// Called every few thousand files, where given: a window planning a big
    /// folder keeps handling its events.
    std::function<void()> yield;
    /// Whether the plan lays out its steps and groups. A look ahead, which
    /// wants only what becomes of each file, spares a million-file preview
    /// their 48 MB.
    bool stepsWanted = true;
};

/// Plans the renames of \a files (one folder's, in the numbering order). A new
/// name goes to the first file that wants it; an entry that keeps its name
/// (one outside the run, or a file of it that does not move) keeps it. With
/// WhenTaken::Number, a file refused a taken name gets the lowest free
/// "name (n).ext" that no entry of the folder and no other new name holds.
PlannedRenames planRenames(std::span<const PlannedFile> files, const PlanFolder &folder);

/// The new names a run may give before it knows every other one. A moving
/// file whose new name no file of the run holds, and that no earlier file
/// wants, gets it in the plan whatever the later files want, with nothing
/// to wait for: its rename may be made at once. Only where a taken name is
/// left as it is: a numbered name would need the folder's other entries.
class FreeNames
{
public:
    /// \a oldNames: every name the run's files of the folder hold.
    FreeNames(std::span<const QString> oldNames, const FolderNameRules &rules);
    /// Whether the next moving file, in the files' order, may take \a newName
    /// at once; if so, the name is its from now on. Every moving file is to
    /// be asked, in order.
    bool claim(const QString &newName);

private:
    QString keyOf(const QString &name) const;

    bool m_ignoresCase;
    QSet<QString> m_held;
    QSet<QString> m_wanted;
};

} // namespace kestrava
