// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RenameOptions.h"

#include <QString>

#include <expected>

namespace kestrava {

/// Computes new names for a run from the options as they stand at each call,
/// with name counters of the run's own (previews keep theirs apart).
class NameSource
{
public:
    virtual ~NameSource() = default;

    /// Loads the run's name counters from their start fields; called once as a run starts.
    virtual void beginRun() = 0;
    /// The new name for \a oldName (without folder), advancing the run's counters,
    /// or the message text of the failure.
    virtual std::expected<QString, QString> newName(const QString &oldName) = 0;
    /// The same for the file \a oldName of \a folderPath (ending in "/"), for
    /// names that read the file's dates or metadata.
    virtual std::expected<QString, QString> newNameIn(const QString &folderPath, const QString &oldName)
    {
        Q_UNUSED(folderPath);
        return newName(oldName);
    }
    /// What the run should log about the name just computed, such as a file
    /// changed since the preview whose name changed with it; taken once.
    virtual QString takeNotice() { return {}; }

    /// How the files are numbered as the run comes to a folder's files: their
    /// order, and whether the counters start again. Read once a folder.
    virtual NumberingOptions numbering() const { return {}; }
    /// Puts the run's counters back to their start values, as a run that
    /// numbers each folder afresh does before each folder's files.
    virtual void restartCounters() {}
    /// What keeps every name from being computed alike (a find pattern that
    /// does not compile, a name template that cannot be read), as the error log shows it; empty when nothing does.
    /// A run that meets one renames nothing and logs it once.
    virtual QString failureOfEveryName() const { return QString(); }
    /// What the run does with a file whose new name another entry holds.
    virtual WhenTaken whenTaken() const { return WhenTaken::Leave; }
};

} // namespace kestrava
