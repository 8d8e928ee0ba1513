#pragma once

#include <QString>

namespace kestrava {

/// Why a new name could not be computed. Two failures of the computation (a
/// counter too big for four digits, a trim length that is not a number) carry
/// the same message, which a run writes to its error log; the cause tells them
/// apart for a preview that explains the failure. A find pattern that does not
/// compile carries its own message, which says where and why.
struct RenameError
{
    enum class Cause {
        InvalidArgument,  ///< an option value the computation cannot use
        CounterPastLimit, ///< a counter stamp past 9999, which four digits cannot hold
        PatternError,     ///< a find pattern that is not a valid regular expression
    };

    QString message;
    Cause cause = Cause::InvalidArgument;

    /// The failure of an option value the computation cannot use.
    static RenameError invalidArgument() { return RenameError{QStringLiteral("Invalid procedure call or argument")}; }
    /// The failure of a counter stamp past 9999: the same message, its own cause.
    static RenameError counterPastLimit() { return RenameError{invalidArgument().message, Cause::CounterPastLimit}; }
    /// The failure of a find pattern that does not compile, with the error and its place.
    static RenameError patternError(const QString &text) { return RenameError{text, Cause::PatternError}; }

    friend bool operator==(const RenameError &, const RenameError &) = default;
};

} // namespace kestrava
