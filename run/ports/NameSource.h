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
    /// Why no file of the run can be named, such as a name template that
    /// cannot be read: the run then renames nothing and logs this. Empty when
    /// the names can be computed.
    virtual QString whyNoNames() const { return {}; }
    /// What the run should log about the name just computed, such as a file
    /// changed since the preview whose name changed with it; taken once.
    virtual QString takeNotice() { return {}; }

    /// How the files are numbered as the run comes to a folder's files: their
    /// order, and whether the counters start again. Read once a folder.
    virtual NumberingOptions numbering() const { return {}; }
    /// Puts the run's counters back to their start values, as a run that
    /// numbers each folder afresh does before each folder's files.
    virtual void restartCounters() {}
};

} // namespace kestrava
