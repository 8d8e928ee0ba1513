// SPDX-License-Identifier: GPL-3.0-or-later
// The folders the benchmarks work on, made with plain system calls so that
// making them costs little next to what is measured.
#pragma once

#include <string>

namespace kestrava::bench {

/// The name of the benchmark's file number \a number: spaces for the spaces
/// option to convert, one dot, numbers padded so that every sort agrees.
std::string benchFileName(int number);

/// Makes \a folder with \a count empty files named benchFileName(0 .. count - 1).
bool makeFolder(const std::string &folder, int count);

/// Gives the files of a folder made by makeFolder(\a folder, \a count) and
/// renamed spaces to underscores their names back, never over another file;
/// false when one of them is missing.
bool restoreFolder(const std::string &folder, int count);

/// The tree of the benchmarks: \a root with 9 sub-folders of 10 sub-folders
/// each, 100 folders in all, every one holding \a filesPerFolder files.
bool makeTree(const std::string &root, int filesPerFolder);
/// Number of folders makeTree() makes, the root included.
inline constexpr int treeFolderCount = 100;

/// Removes \a path and everything below it; links are removed, never followed.
void removeTree(const std::string &path);

/// Every file name under \a root with its folder relative to \a root, sorted;
/// two folders renamed alike give equal lists.
std::string listingOf(const std::string &root);

} // namespace kestrava::bench
