// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kestrava {

/// The two per-file choices of the Choose Files tab, read afresh for every file
/// because the user may change them while a run yields.
class RunSettings
{
public:
    virtual ~RunSettings() = default;

    /// "Confirm each Individual Filename ?" is ticked.
    virtual bool confirmFiles() const = 0;
    /// "Ignore Read-Only Files ?" is ticked.
    virtual bool ignoreReadOnly() const = 0;
};

} // namespace kestrava
