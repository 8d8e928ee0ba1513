// How many new names per second BuildNewFilename computes, the work a run
// does once for every file of a folder of 100,000.
#include "NewFilename.h"

#include <benchmark/benchmark.h>

#include <vector>

using namespace kestrava;

namespace {

// A thousand names of the kinds people rename: camera files, documents with
// spaces and outer spaces, short names with tildes, music, accented names.
const std::vector<QString> &sampleNames()
{
    static const std::vector<QString> names = [] {
        std::vector<QString> list;
        for (int i = 0; i < 200; ++i) {
            list.push_back(QStringLiteral("IMG_%1.JPG").arg(4000 + i));
            list.push_back(QStringLiteral("  My Work Schedule %1 final.docx ").arg(i));
            list.push_back(QStringLiteral("holida~%1.jpeg").arg(i % 10));
            list.push_back(QStringLiteral("%1 - Great_album_track_%1.mp3").arg(i));
            list.push_back(QStringLiteral("Résumé été photo %1.tar.gz").arg(i));
        }
        return list;
    }();
    return names;
}

RenameOptions everyOptionOn()
{
    RenameOptions o;
    o.removeTildas = o.prefixCounter = o.prefixName = o.prefixDate = true;
    o.postfixCounter = o.postfixName = o.postfixDate = o.trimFilename = true;
    o.datePrefix = QStringLiteral("dd-mm-yyyy");
    o.datePostfix = QStringLiteral("mmddyy");
    // Capitalise is the costliest case choice.
    o.caseConversion = CaseConversion::Capitalise;
    o.underscores = UnderscoreConversion::ToDashes;
    o.spaces = SpaceConversion::ToUnderscores;
    o.findText = QStringLiteral("photo");
    o.replaceText = QStringLiteral("Picture");
    o.trimLength = QStringLiteral("40");
    return o;
}

void computeNames(benchmark::State &state, const RenameOptions &options)
{
    const std::vector<QString> &names = sampleNames();
    const QDate today(2005, 3, 6);
    NameCounters counters;
    counters.load(QStringLiteral("0001"), QStringLiteral("0001"));
    std::size_t next = 0;
    for (auto _ : state) {
        // A run would fail from 10000 on; start a new series well before.
        if (counters.intPrefixCounter > 9000)
            counters.load(QStringLiteral("0001"), QStringLiteral("0001"));
        auto result = BuildNewFilename(names[next], options, counters, today);
        benchmark::DoNotOptimize(result);
        if (++next == names.size())
            next = 0;
    }
    state.counters["names/s"] = benchmark::Counter(double(state.iterations()),
                                                   benchmark::Counter::kIsRate);
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
