// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CliRequest.h"
#include "CliResults.h"

#include <QString>

#include <expected>

namespace kestrava::cli {

class RunTarget;
struct CliScope;

/// Carries out a dry run, a run or an undo as \a request says, prints the
/// results on standard output and the messages on standard error, one line
/// each, and gives the exit status: 0 when every file was (or would be)
/// renamed or unchanged, 1 when one was not, 2 for a usage error.
class CliCommand
{
public:
    explicit CliCommand(const CliRequest &request);

    int run();
    /// The results could not be written: the status 2 is no usage error then.
    bool outputFailed() const { return m_outputFailed; }

private:
    void recoverParkedFiles();
    int runUndo();
    /// Prints \a results; the exit status, 2 when they could not be written.
    int printed(const RunResults &results) const;
    mutable bool m_outputFailed = false;
    RunResults dryRun(const CliScope &scope, RunTarget &target);
    RunResults apply(const CliScope &scope, RunTarget &target);

    const CliRequest &m_request;
};

/// Writes \a message to standard error as one line, escaped, after the program's name.
void printMessage(const QString &message);

} // namespace kestrava::cli
