// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kestrava {

/// Why a new name could not be computed. Both failures of the computation (a
/// counter too big for its digits, a trim length that is not a number) carry
/// the same message, which a run writes to its error log; the cause tells them
/// apart for a preview that explains the failure. A find pattern that does not
/// compile carries its own message, which says where and why.
struct RenameError
{
    enum class Cause {
        InvalidArgument,  ///< an option value the computation cannot use
        CounterPastLimit, ///< a counter stamp past 9999, or past what its digits hold
        PatternError,     ///< a find pattern that is not a valid regular expression
        MissingValue,     ///< the file lacks a value its name needs; the message is the mark
        TemplateError,    ///< a name template that cannot be read
    };

    QString message;
    Cause cause = Cause::InvalidArgument;
    /// For CounterPastLimit: how many digits the counter had room for.
    int counterDigits = 4;

    /// The failure of an option value the computation cannot use.
    static RenameError invalidArgument() { return RenameError{QStringLiteral("Invalid procedure call or argument")}; }
    /// The failure of a counter stamp past what \a digits digits hold (9999 for
    /// four): the same message, its own cause.
    static RenameError counterPastLimit(int digits = 4)
    {
        return RenameError{invalidArgument().message, Cause::CounterPastLimit, digits};
    }
    /// The largest counter \a digits digits hold: 9999 for four.
    static qint64 counterLimit(int digits)
    {
        qint64 limit = 1;
        for (int i = 0; i < digits; ++i)
            limit *= 10;
        return limit - 1;
    }
    /// The failure of a find pattern that does not compile, with the error and its place.
    static RenameError patternError(const QString &text) { return RenameError{text, Cause::PatternError}; }
    /// The failure of a file that lacks a value its name needs, with the
    /// preview's mark for it: "no date taken", "no artist".
    static RenameError missingValue(const QString &mark) { return RenameError{mark, Cause::MissingValue}; }
    /// The failure of a name template that cannot be read, with what is wrong.
    static RenameError templateError(const QString &text) { return RenameError{text, Cause::TemplateError}; }

    friend bool operator==(const RenameError &, const RenameError &) = default;
};

} // namespace kestrava
