// SPDX-License-Identifier: GPL-3.0-or-later
// The baselines: what the measured work comes down to, written as plain loops
// of system calls and standard C++ with nothing of Qt or Kestrava in them.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace kestrava::bench {

/// The renaming rules of the run benchmarks in plain code: spaces of the name
/// before its last dot become underscores and, with \a prefixCounter, a
/// four-digit counter and "_" go in front. As in the program, a name without a
/// dot or a counter past 9999 gives no new name.
struct BareNaming
{
    bool prefixCounter = false;
    int counter = 1;

    /// The new name of \a oldName into \a newName; false when there is none.
    bool newName(const std::string &oldName, std::string &newName);
};

/// How the bare loops rename without replacing, as the program's methods do.
enum class BareMethod {
    NoReplaceFlag,  ///< renameat2 with RENAME_NOREPLACE
    LinkThenUnlink, ///< linkat, then unlinkat of the old name
    Placeholder,    ///< an exclusive create of the new name, fstat, close, then renameat over it
};

/// The visible regular files of \a folder (readdir), sorted ignoring case.
std::vector<std::string> bareSortedNames(const char *folder);

/// The bare run over one folder: readdir, then for every name in the order of
/// bareSortedNames() lstat, chmod where the owner may not write, and renameat2
/// with RENAME_NOREPLACE, or the steps of \a method. Returns the number of files renamed.
int bareRenameFolder(const std::string &folder, BareNaming &naming, BareMethod method = BareMethod::NoReplaceFlag);

/// What the look ahead of the files preview comes down to, in plain code: the
/// folder read once (readdir) into a hash set of its names, every name of every
/// entry (hidden ones, folders and links too, which a run's new name may not
/// take), then each new name checked against it, one lookup at least a file.
class BareFolderNames
{
public:
    /// Reads \a folder. Its names are taken as ASCII (the benchmarks' are):
    /// each byte widens to one UTF-16 unit, as a name the program shows must be
    /// text to compare with the new names.
    explicit BareFolderNames(const char *folder);

    /// Whether a file named \a oldName may take \a newName, as a run renaming
    /// the files one after another would find: not when an entry or an earlier
    /// file holds it (its own name included: nothing to rename). When it may,
    /// the new name is taken and the old one freed. \a newName must outlive
    /// the set, which keeps a view of it.
    bool take(std::u16string_view oldName, std::u16string_view newName);

    std::size_t size() const { return m_names.size(); }

private:
    std::u16string m_text; // every name read, one after another
    std::unordered_set<std::u16string_view> m_names;
};

/// The bare computation of a files preview with its look ahead: the new name
/// of each of \a names (the folder's listing, in order), then the folder read
/// again and every new name checked against the names it holds, as a run would
/// find them. Returns the number of names a run would rename.
std::size_t bareNamesAgainstFolder(const char *folder, const std::vector<std::string> &names, BareNaming &naming);

/// The bare run over \a root and every folder below it, files before sub-folders.
int bareRenameTree(const std::string &root, BareNaming &naming);

} // namespace kestrava::bench
