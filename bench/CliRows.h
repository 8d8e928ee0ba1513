// The row of kestrava-cli: a run from the command line over one big folder.
#pragma once

namespace kestrava::bench {

struct BenchContext;

/// `kestrava-cli --apply --spaces=underscores` over one folder of 100,000
/// files, in a fresh process each time, against the bare loop.
void addCliRow(BenchContext &context);

} // namespace kestrava::bench
