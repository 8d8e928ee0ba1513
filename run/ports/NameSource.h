#pragma once

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
};

} // namespace kestrava
