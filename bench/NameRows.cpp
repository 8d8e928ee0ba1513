#include "NameRows.h"

#include "BenchContext.h"

#include "NewFilename.h"

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

// Names of the kinds people rename: camera files, documents with inner and
// outer spaces, short names with tildes, music, accented names.
QStringList sampleNames()
{
    QStringList names;
    for (int i = 0; i < 200; ++i) {
        names.append(QStringLiteral("IMG_%1.JPG").arg(4000 + i));
        names.append(QStringLiteral("  My Work Schedule %1 final.docx ").arg(i));
        names.append(QStringLiteral("holida~%1.jpeg").arg(i % 10));
        names.append(QStringLiteral("%1 - Great_album_track_%1.mp3").arg(i));
        names.append(QStringLiteral("Résumé été photo %1.tar.gz").arg(i));
    }
    return names;
}

RenameOptions everyOptionOn()
{
    RenameOptions o;
    o.removeTildas = o.prefixCounter = o.prefixName = o.prefixDate = true;
    o.postfixCounter = o.postfixName = o.postfixDate = o.trimFilename = true;
    o.datePrefix = QStringLiteral("dd-mm-yyyy");
    o.datePostfix = QStringLiteral("mmddyy");
    o.caseConversion = CaseConversion::Capitalise;
    o.underscores = UnderscoreConversion::ToDashes;
    o.spaces = SpaceConversion::ToUnderscores;
    o.findText = QStringLiteral("photo");
    o.replaceText = QStringLiteral("Picture");
    o.trimLength = QStringLiteral("40");
    return o;
}

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
    return Row{what, QString::number(perSecond / 1e6, 'f', 2) + QStringLiteral(" M names/s"),
               QStringLiteral("–"), QStringLiteral("–"), QStringLiteral("–"), std::nullopt};
}

} // namespace

void addNameRows(BenchContext &context)
{
    const QString defaults = QStringLiteral("BuildNewFilename, every option at its start value");
    context.rows.push_back(namesPerSecondRow(context, defaults, RenameOptions()));
    context.rows.push_back(namesPerSecondRow(context, QStringLiteral("BuildNewFilename, every option on"),
                                             everyOptionOn()));
}

} // namespace kestrava::bench
