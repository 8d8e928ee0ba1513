// SPDX-License-Identifier: GPL-3.0-or-later
#include "NameRows.h"

#include "BenchContext.h"

#include "NewFilename.h"
#include "SampleNames.h"

namespace kestrava::bench {

qsizetype bareNewNames(const QStringList &names, const RenameOptions &options, QDate today)
{
    NameCounters counters;
    counters.load(QStringLiteral("0001"), QStringLiteral("0001"));
    qsizetype total = 0;
    for (const QString &name : names) {
        const auto newName = BuildNewFilename(name, options, counters, today);
        total += newName ? newName->size() : 0;
    }
    return total;
}

namespace {

Row namesPerSecondRow(const BenchContext &context, const QString &what, const RenameOptions &options)
{
    // Five thousand names a series: the counters of a series never pass 9999.
    const QStringList samples = sampleNames();
    QStringList names;
    for (int i = 0; i < 5; ++i)
        names += samples;
    constexpr int series = 40;
    std::vector<double> samplesMs;
    for (int rep = 0; rep < context.reps; ++rep) {
        const Clock::time_point start = Clock::now();
        for (int i = 0; i < series; ++i)
            bareNewNames(names, options, context.today);
        samplesMs.push_back(msSince(start));
    }
    const double perSecond = double(series) * double(names.size()) / (median(samplesMs) / 1000.0);
    return Row{what,
               QString::number(perSecond / 1e6, 'f', 2) + QStringLiteral(" M names/s"),
               QStringLiteral("–"),
               QStringLiteral("–"),
               QStringLiteral("–"),
               std::nullopt,
               QStringLiteral("–")};
}

} // namespace

void addNameRows(BenchContext &context)
{
    const QString defaults = QStringLiteral("BuildNewFilename, every option at its start value");
    context.rows.push_back(namesPerSecondRow(context, defaults, RenameOptions()));
    context.rows.push_back(
        namesPerSecondRow(context, QStringLiteral("BuildNewFilename, every option on"), everyOptionOn()));
}

} // namespace kestrava::bench
