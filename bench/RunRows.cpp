// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunRows.h"

#include "BareLoops.h"
#include "BenchContext.h"
#include "BenchFolders.h"

#include <vector>

namespace kestrava::bench {

namespace {

void make(bool tree, const std::string &path)
{
    if (!(tree ? makeTree(path, treeFilesPerFolder) : makeFolder(path, runFolderFiles)))
        failBench(QStringLiteral("cannot make ") + QString::fromStdString(path));
}

// Every file is renamed but, with the counter, the 10,000th: its counter would need five digits.
qint64 expectedRenames(bool tree)
{
    return tree ? qint64(treeFolderCount) * treeFilesPerFolder : runFolderFiles - 1;
}

} // namespace

void addRunRow(BenchContext &context, bool tree, const QString &what, const char *tag, const RunnerUnderTest &runner,
               double maxRatio)
{
    const std::string name = std::string(tag) + (tree ? "-tree" : "-folder");
    const std::string bareName = name + "-bare";
    Contender measured;
    qint64 renamed = 0;
    measured.prepare = [&](int rep) {
        make(tree, context.pathFor(name.c_str(), rep));
        runner.open(context.pathFor(name.c_str(), rep));
    };
    measured.run = [&](int) { renamed = runner.start(); };
    measured.check = [&](int rep) {
        if (renamed != expectedRenames(tree))
            failBench(what + QStringLiteral(": %1 files renamed").arg(renamed));
        if (rep == 0) {
            checkSameListing(context.pathFor(name.c_str(), 0), context.pathFor(bareName.c_str(), 0), tag);
            removeTree(context.pathFor(bareName.c_str(), 0));
        }
        removeTree(context.pathFor(name.c_str(), rep));
    };
    int bareRenamed = 0;
    Contender baseline;
    baseline.prepare = [&](int rep) { make(tree, context.pathFor(bareName.c_str(), rep)); };
    baseline.run = [&](int rep) {
        BareNaming naming{!tree, 1};
        const std::string path = context.pathFor(bareName.c_str(), rep);
        bareRenamed = tree ? bareRenameTree(path, naming) : bareRenameFolder(path, naming);
    };
    baseline.check = [&](int rep) {
        if (bareRenamed != expectedRenames(tree))
            failBench(what + QStringLiteral(": the bare loop renamed %1 files").arg(bareRenamed));
        if (rep != 0)
            removeTree(context.pathFor(bareName.c_str(), rep));
    };
    context.rows.push_back(
        timeRow(what, QStringLiteral("bare loop"), timePair(context.reps, measured, baseline), maxRatio));
}

// Each side renames its own fresh folder, made untimed before every repetition.
void addRunnerPairRow(BenchContext &context, const QString &what, const QString &baselineName, const char *tag,
                      const RunnerUnderTest &runner, const RunnerUnderTest &baseline, double maxRatio)
{
    const std::string names[2] = {std::string(tag), std::string(tag) + "-baseline"};
    const RunnerUnderTest *runners[2] = {&runner, &baseline};
    Contender sides[2];
    qint64 renamed[2] = {0, 0};
    std::vector<int> checked(std::size_t(context.reps), 0);
    for (int side = 0; side < 2; ++side) {
        sides[side].prepare = [&, side](int rep) {
            make(false, context.pathFor(names[side].c_str(), rep));
            runners[side]->open(context.pathFor(names[side].c_str(), rep));
        };
        sides[side].run = [&, side](int) { renamed[side] = runners[side]->start(); };
        // Once both sides have renamed a repetition's folders, they must hold the same names.
        sides[side].check = [&, side](int rep) {
            if (renamed[side] != expectedRenames(false))
                failBench(what + QStringLiteral(": %1 files renamed").arg(renamed[side]));
            if (++checked[std::size_t(rep)] < 2)
                return;
            checkSameListing(context.pathFor(names[0].c_str(), rep), context.pathFor(names[1].c_str(), rep), tag);
            removeTree(context.pathFor(names[0].c_str(), rep));
            removeTree(context.pathFor(names[1].c_str(), rep));
        };
    }
    context.rows.push_back(timeRow(what, baselineName, timePair(context.reps, sides[0], sides[1]), maxRatio));
}

// The folders are made and checked in the backing folder, where no mount slows
// that down, and renamed through the mount.
void addMountRunRow(BenchContext &context, const QString &what, const std::string &backing,
                    const std::string &mountPoint, BareMethod method, const RunnerUnderTest &runner)
{
    const auto folder = [](const std::string &base, const char *side, int rep) {
        return base + '/' + side + '-' + std::to_string(rep);
    };
    qint64 renamed[2] = {0, 0};
    Contender sides[2];
    const char *names[2] = {"run", "bare"};
    std::vector<int> checked(std::size_t(context.reps), 0);
    for (int side = 0; side < 2; ++side) {
        sides[side].prepare = [&, side](int rep) {
            if (!makeFolder(folder(backing, names[side], rep), runFolderFiles))
                failBench(what + QStringLiteral(": cannot make a folder"));
            if (side == 0)
                runner.open(folder(mountPoint, names[0], rep));
        };
        sides[side].check = [&, side](int rep) {
            if (renamed[side] != expectedRenames(false))
                failBench(what
                          + QStringLiteral(": %1 files renamed by the %2")
                                .arg(renamed[side])
                                .arg(QString::fromLatin1(names[side])));
            // Once both sides have renamed a repetition's folders, they must hold the same names.
            if (++checked[std::size_t(rep)] < 2)
                return;
            checkSameListing(folder(backing, names[0], rep), folder(backing, names[1], rep), "mount");
            removeTree(folder(backing, names[0], rep));
            removeTree(folder(backing, names[1], rep));
        };
    }
    sides[0].run = [&](int) { renamed[0] = runner.start(); };
    sides[1].run = [&](int rep) {
        BareNaming naming{true, 1};
        renamed[1] = bareRenameFolder(folder(mountPoint, names[1], rep), naming, method);
    };
    Row row = timeRow(what, QStringLiteral("bare loop, same method"), timePair(context.reps, sides[0], sides[1]), 1.25);
    row.fileSystem = QStringLiteral("FUSE over ") + fileSystemOf(QString::fromStdString(backing));
    context.rows.push_back(row);
}

} // namespace kestrava::bench
