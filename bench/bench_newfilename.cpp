// SPDX-License-Identifier: GPL-3.0-or-later
// How many new names per second BuildNewFilename computes, the work a run
// does once for every file of a folder of 100,000.
#include "NewFilename.h"
#include "SampleNames.h"

#include <benchmark/benchmark.h>

using namespace kestrava;
using kestrava::bench::everyOptionOn;
using kestrava::bench::sampleNames;

namespace {

void computeNames(benchmark::State &state, const RenameOptions &options)
{
    const QStringList names = sampleNames();
    const QDate today(2005, 3, 6);
    NameCounters counters;
    counters.load(QStringLiteral("0001"), QStringLiteral("0001"));
    qsizetype next = 0;
    for (auto _ : state) {
        // A run would fail from 10000 on; start a new series well before.
        if (counters.intPrefixCounter > 9000)
            counters.load(QStringLiteral("0001"), QStringLiteral("0001"));
        auto result = BuildNewFilename(names[next], options, counters, today);
        benchmark::DoNotOptimize(result);
        if (++next == names.size())
            next = 0;
    }
    state.counters["names/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_BuildNewFilename_Defaults(benchmark::State &state)
{
    computeNames(state, RenameOptions());
}

void BM_BuildNewFilename_EveryOptionOn(benchmark::State &state)
{
    computeNames(state, everyOptionOn());
}

} // namespace

BENCHMARK(BM_BuildNewFilename_Defaults);
BENCHMARK(BM_BuildNewFilename_EveryOptionOn);
