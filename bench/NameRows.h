// SPDX-License-Identifier: GPL-3.0-or-later
// The new-name computation: names per second, and the bare loop that the
// files preview is measured against.
#pragma once

#include <QDate>
#include <QStringList>

namespace kestrava {
struct RenameOptions;
}

namespace kestrava::bench {

struct BenchContext;

/// Computes the new name of every entry of \a names with \a options, counters
/// loaded from "0001" as a preview does; returns the total length, so that
/// nothing can be left out.
qsizetype bareNewNames(const QStringList &names, const RenameOptions &options, QDate today);

/// Names per second of BuildNewFilename, with every option at its start value and with every option on.
void addNameRows(BenchContext &context);

} // namespace kestrava::bench
