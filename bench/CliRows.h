// SPDX-License-Identifier: GPL-3.0-or-later
// The rows of kestrava-cli: runs from the command line over one big folder.
#pragma once

namespace kestrava::bench {

struct BenchContext;

/// `kestrava-cli --apply --spaces=underscores` over one folder of 100,000
/// files, in a fresh process each time, against the bare loop.
void addCliRow(BenchContext &context);

/// The same run with a six-digit prefix counter, the files numbered by name
/// with numbers by value ("--order natural"), against the same run in the
/// file list's order ("--order name"): what the natural order costs.
void addNumberingRow(BenchContext &context);

/// kestrava-cli --apply --spaces=underscores against the command-line peers a
/// user would otherwise reach for, Debian's perl rename and mmv, over one folder
/// of \a files, one row each; both sides must leave the same names.
void addPeerRows(BenchContext &context, int files);

} // namespace kestrava::bench
