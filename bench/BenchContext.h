// SPDX-License-Identifier: GPL-3.0-or-later
// What every group of benchmark rows shares: where to make folders, how often
// to repeat, and the table the rows go to.
#pragma once

#include "BenchTable.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace kestrava {
struct RenameOptions;
}

namespace kestrava::bench {

struct BenchContext
{
    /// A fresh temporary folder for everything the benchmarks make.
    std::string root;
    int reps = 5;
    /// The folder of 100,000 files that the listing and preview rows read.
    std::string bigFolder;
    std::vector<Row> rows;
    /// A made-up day for the date stamps, so every figure is for the same work.
    QDate today = QDate(2026, 12, 7);
    /// The groups of rows asked for with "--only a,b" (empty: all).
    QStringList only;

    /// Whether the folders are on a disk ("--disk"): rows too slow there are left out.
    bool disk = false;

    /// Whether the rows of \a group, or of the wider group \a family, are wanted.
    bool wants(const char *group, const char *family = nullptr) const;
    /// Like wants(), for the groups that run only when named in "--only".
    bool asked(const char *group, const char *family = nullptr) const;

    /// A path under root for repetition \a rep of the row called \a what.
    std::string pathFor(const char *what, int rep) const;
};

/// Files in one folder for the run rows and in the folder the listing rows read.
inline constexpr int runFolderFiles = 10000;
inline constexpr int treeFilesPerFolder = 1000;
inline constexpr int bigFolderFiles = 100000;
inline constexpr int millionFiles = 1000000;

/// The options of the run benchmarks: spaces to underscores, with or without the prefix counter.
RenameOptions runOptions(bool prefixCounter);

/// Stops the benchmark with \a message when a measured side did not do the same work as its baseline.
[[noreturn]] void failBench(const QString &message);

/// The baseline of the listing rows: a bare readdir and sort of \a folder,
/// which must find \a files files; \a what names the row in a failure.
Contender bareListing(const std::string &folder, int files, const QString &what);

/// Checks that two folders renamed by the two sides of a row hold the same names.
void checkSameListing(const std::string &measured, const std::string &baseline, const char *what);

/// Rows that need only the naming rules and the run (no window).
void addCoreRows(BenchContext &context);

/// The run on FUSE mounts that refuse the no-replace flag, hard links or both.
void addFuseRows(BenchContext &context);

/// Rows of the real window, offscreen.
void addWindowRows(BenchContext &context);
/// The files preview of 10,000 photos named by the date taken, and its longest event-loop gap.
void addPhotoRows(BenchContext &context);

/// The rows of a folder of a million files: opened, previewed and renamed
/// through the window, with the window's longest gaps, and the peak memory.
void addMillionRows(BenchContext &context);

} // namespace kestrava::bench
