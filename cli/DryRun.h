// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CliResults.h"
#include "RulesNameSource.h"

#include <QString>

namespace kestrava::cli {

class RunTarget;
struct CliScope;

/// The dry run: what the run would do with each file of \a target, in the
/// run's order, from the run's own look ahead at the folders, with the names
/// of \a names. Nothing on disk changes.
RunResults dryRunResults(const CliScope &scope, RunTarget &target, RulesNameSource &names, const QString &pattern,
                         bool recursive, bool skipReadOnly);

} // namespace kestrava::cli
