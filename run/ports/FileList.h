// SPDX-License-Identifier: GPL-3.0-or-later
// The ports room: the small interfaces through which a run reaches the lists, the user, the clock and the names.
#pragma once

#include <QString>

namespace kestrava {

/// The file list the run takes its names from (the window's `File1`): the files
/// of the folder list's current folder that match the chosen pattern.
class FileList
{
public:
    virtual ~FileList() = default;

    /// Number of entries.
    virtual qsizetype count() const = 0;
    /// The name, without folder, of the entry at \a index (0 to count() - 1).
    virtual QString name(qsizetype index) const = 0;
    /// Whether the entry at \a index is selected.
    virtual bool isSelected(qsizetype index) const = 0;
    /// Number of selected entries.
    virtual qsizetype selectedCount() const
    {
        qsizetype selected = 0;
        for (qsizetype index = 0; index < count(); ++index)
            selected += isSelected(index) ? 1 : 0;
        return selected;
    }
    /// Clears the selection of every entry at once.
    virtual void deselectAll() = 0;
};

} // namespace kestrava
