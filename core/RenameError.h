#pragma once

#include <QString>

namespace kestrava {

/// Why a new name could not be computed. Both failures of the computation (a
/// name without a dot, a counter too big for four digits) and a trim length
/// that is not a number carry the same message, which a run writes to its
/// error log.
struct RenameError
{
    QString message;

    /// The one failure the new-name computation knows.
    static RenameError invalidArgument()
    {
        return RenameError{QStringLiteral("Invalid procedure call or argument")};
    }

    friend bool operator==(const RenameError &, const RenameError &) = default;
};

} // namespace kestrava
