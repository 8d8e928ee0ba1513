// SPDX-License-Identifier: GPL-3.0-or-later
// Rows of the run on FUSE mounts that refuse the no-replace flag, hard links or both.
#pragma once

#include "RunRows.h"

namespace kestrava::bench {

struct BenchContext;

/// Adds one row per mode of the test file system, each mounted for its row
/// alone: \a runner, the program's run over one folder with the prefix counter,
/// against the bare loop of the same method. None, with a note, where FUSE cannot be used.
void addFuseRows(BenchContext &context, const RunnerUnderTest &runner);

} // namespace kestrava::bench
