// SPDX-License-Identifier: GPL-3.0-or-later
// Timing, medians and the one table that bench/run prints.
#pragma once

#include <QString>

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

namespace kestrava::bench {

using Clock = std::chrono::steady_clock;

/// Milliseconds from \a start to now.
double msSince(Clock::time_point start);
/// The median of \a samples (the mean of the middle two for an even count).
double median(std::vector<double> samples);

/// One side of a timed pair: \a prepare and \a check run untimed around the
/// timed \a run; each gets the repetition's number.
struct Contender
{
    std::function<void(int)> prepare = [](int) {};
    std::function<void(int)> run;
    std::function<void(int)> check = [](int) {};
};

/// Both sides' times in milliseconds, one per repetition.
struct PairTimes
{
    std::vector<double> measured;
    std::vector<double> baseline;
};

/// Times \a measured and \a baseline \a reps times each, interleaved and in
/// alternating order, so that a machine that slows down or speeds up during the
/// benchmark weighs on both sides alike.
PairTimes timePair(int reps, const Contender &measured, const Contender &baseline);

/// One row of the table.
struct Row
{
    QString what;
    QString figure;
    QString baseline;
    QString ratio;
    QString target;
    /// Whether the target is met; empty for a row without a target.
    std::optional<bool> met;
    /// The file system the row's folders were on; empty for the folder of the
    /// table's header, "–" for a row that works on no folder.
    QString fileSystem;
};

/// The type of the file system \a path is on ("tmpfs", "ext4", ...), from the
/// longest mount point above it.
QString fileSystemOf(const QString &path);

/// The row for a timed pair: medians, their ratio and the ratio target \a maxRatio.
Row timeRow(const QString &what, const QString &baselineName, const PairTimes &times, std::optional<double> maxRatio);

/// "12.3 ms", "1.23 s".
QString formatMs(double ms);

/// Prints \a rows as a Markdown table, after the machine, the folder the
/// benchmarks worked in (\a root) and the number of repetitions; each row
/// names the file system its folders were on.
void printTable(const std::vector<Row> &rows, int reps, const QString &root);

} // namespace kestrava::bench
