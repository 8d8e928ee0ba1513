// SPDX-License-Identifier: GPL-3.0-or-later
// Rows measured in fresh processes: start-up to the first shown window (against
// a plain-Qt copy of the same window, and against a tab widget of empty pages), and
// peak memory. The benchmark starts itself again with "--child MODE".
#pragma once

#include <QStringList>

#include <string>

namespace kestrava::bench {

struct BenchContext;

/// Runs the child mode named by \a arguments (after "--child") and returns the
/// process's exit code. Prints its one figure on standard output.
int runChild(const QStringList &arguments);

/// Start-up of the window against its plain-Qt copy and an empty QTabWidget, each in fresh processes.
void addStartupRow(BenchContext &context);

/// Peak memory of the window with a 100,000-file folder listed and previewed.
void addMemoryRow(BenchContext &context);

/// Peak memory of the window with the folder of a million files, \a folder,
/// listed and previewed, in \a reps fresh processes.
void addMillionMemoryRow(BenchContext &context, const std::string &folder, int reps);

} // namespace kestrava::bench
