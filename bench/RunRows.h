// SPDX-License-Identifier: GPL-3.0-or-later
// The run benchmarks: one folder of 10,000 files and a tree of 100 folders of
// 1,000 files, renamed by the program and by the bare loop over equal folders.
#pragma once

#include "BareLoops.h"

#include <QString>

#include <functional>
#include <string>

namespace kestrava::bench {

struct BenchContext;

/// How the measured side renames: \a open points it at a fresh folder or tree
/// (untimed), \a start renames (timed) and returns the number of files renamed.
struct RunnerUnderTest
{
    std::function<void(const std::string &path)> open;
    std::function<qint64()> start;
};

/// Adds the row \a what: \a runner against the bare loop, on a folder of
/// 10,000 files with the prefix counter or, with \a tree, on the tree without it.
/// Both sides must leave the same names. \a tag names the folders made.
void addRunRow(BenchContext &context, bool tree, const QString &what, const char *tag, const RunnerUnderTest &runner,
               double maxRatio);

/// Adds the row \a what: \a runner against \a baseline, another runner, both on
/// folders of 10,000 files with the prefix counter, with the ratio target \a maxRatio.
void addRunnerPairRow(BenchContext &context, const QString &what, const QString &baselineName, const char *tag,
                      const RunnerUnderTest &runner, const RunnerUnderTest &baseline, double maxRatio);

/// Adds the row \a what: \a runner against the bare loop of \a method, both on
/// folders of 10,000 files with the prefix counter, made in \a backing (untimed)
/// and renamed where a mount shows them, in \a mountPoint.
void addMountRunRow(BenchContext &context, const QString &what, const std::string &backing,
                    const std::string &mountPoint, BareMethod method, const RunnerUnderTest &runner);

} // namespace kestrava::bench
