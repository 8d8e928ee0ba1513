// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchTable.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace kestrava::bench {

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> samples)
{
    if (samples.empty())
        return 0.0;
    std::sort(samples.begin(), samples.end());
    const std::size_t middle = samples.size() / 2;
    if (samples.size() % 2 == 1)
        return samples[middle];
    return (samples[middle - 1] + samples[middle]) / 2.0;
}

namespace {

double timeOnce(const Contender &contender, int rep)
{
    contender.prepare(rep);
    const Clock::time_point start = Clock::now();
    contender.run(rep);
    const double ms = msSince(start);
    contender.check(rep);
    return ms;
}

} // namespace

PairTimes timePair(int reps, const Contender &measured, const Contender &baseline)
{
    PairTimes times;
    for (int rep = 0; rep < reps; ++rep) {
        if (rep % 2 == 0) {
            times.baseline.push_back(timeOnce(baseline, rep));
            times.measured.push_back(timeOnce(measured, rep));
        } else {
            times.measured.push_back(timeOnce(measured, rep));
            times.baseline.push_back(timeOnce(baseline, rep));
        }
    }
    return times;
}

QString formatMs(double ms)
{
    if (ms >= 1000.0)
        return QString::number(ms / 1000.0, 'f', 2) + QStringLiteral(" s");
    if (ms >= 10.0)
        return QString::number(ms, 'f', 0) + QStringLiteral(" ms");
    return QString::number(ms, 'f', 1) + QStringLiteral(" ms");
}

Row timeRow(const QString &what, const QString &baselineName, const PairTimes &times, std::optional<double> maxRatio)
{
    const double measured = median(times.measured);
    const double baseline = median(times.baseline);
    const double ratio = baseline > 0.0 ? measured / baseline : 0.0;
    Row row{what,
            formatMs(measured),
            formatMs(baseline) + u' ' + baselineName,
            QString::number(ratio, 'f', 2) + QStringLiteral("×"),
            QStringLiteral("–"),
            std::nullopt,
            QString()};
    if (maxRatio) {
        row.target = QStringLiteral("≤ ") + QString::number(*maxRatio, 'g', 3) + QStringLiteral("×");
        row.met = ratio <= *maxRatio;
    }
    return row;
}

namespace {

QString firstLineWith(const QString &path, const QString &prefix)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.startsWith(prefix))
            return line.mid(line.indexOf(prefix.back()) + 1).trimmed().remove(u'"');
    }
    return QString();
}

} // namespace

QString fileSystemOf(const QString &path)
{
    // The mount table names the type, where statfs() gives one number for ext2, ext3 and ext4.
    QFile mounts(QStringLiteral("/proc/self/mounts"));
    const QString canonical = QFileInfo(path).canonicalFilePath();
    const QByteArray target = QFile::encodeName(canonical.isEmpty() ? path : canonical);
    QString type = QStringLiteral("unknown");
    qsizetype longest = -1;
    if (mounts.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : mounts.readAll().split('\n')) {
            const QList<QByteArray> fields = line.split(' ');
            if (fields.size() < 3)
                continue;
            const QByteArray point = fields[1];
            const bool above = target == point || point == "/"
                || (target.startsWith(point) && target.size() > point.size() && target[point.size()] == '/');
            if (above && point.size() > longest) {
                longest = point.size();
                type = QString::fromLatin1(fields[2]);
            }
        }
    }
    return type;
}

void printTable(const std::vector<Row> &rows, int reps, const QString &root)
{
    const QString rootFileSystem = fileSystemOf(root);
    std::printf("\nKestrava benchmarks: medians of %d repetitions, baselines interleaved\n", reps);
    std::printf("Machine: %s, %d cores (nproc), %s; Qt %s; folders in %s (%s)\n\n",
                firstLineWith(QStringLiteral("/proc/cpuinfo"), QStringLiteral("model name\t:")).toUtf8().constData(),
                int(::sysconf(_SC_NPROCESSORS_ONLN)),
                firstLineWith(QStringLiteral("/etc/os-release"), QStringLiteral("PRETTY_NAME=")).toUtf8().constData(),
                qVersion(), QFile::encodeName(root).constData(), rootFileSystem.toUtf8().constData());
    std::printf("| benchmark | file system | figure | baseline | ratio | target | met |\n");
    std::printf("|---|---|---:|---|---:|---|---|\n");
    for (const Row &row : rows) {
        const char *met = !row.met ? "" : *row.met ? "yes" : "**no**";
        // UTF-8 whatever the locale: the table holds "×" and "≤".
        const QString fileSystem = row.fileSystem.isEmpty() ? rootFileSystem : row.fileSystem;
        std::printf("| %s | %s | %s | %s | %s | %s | %s |\n", row.what.toUtf8().constData(),
                    fileSystem.toUtf8().constData(), row.figure.toUtf8().constData(), row.baseline.toUtf8().constData(),
                    row.ratio.toUtf8().constData(), row.target.toUtf8().constData(), met);
    }
    std::fflush(stdout);
}

} // namespace kestrava::bench
