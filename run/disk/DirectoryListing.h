// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FolderNameRules.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <expected>

namespace kestrava {

class FileNamePattern;

/// One listed name of a folder, without the folder.
struct DirectoryEntry
{
    QString name;
    /// The entry is a symbolic link (to a file, or to a folder for a sub-folder).
    /// A folder walk must not follow a linked sub-folder.
    bool isSymLink = false;

    friend bool operator==(const DirectoryEntry &, const DirectoryEntry &) = default;
};

} // namespace kestrava

// Listings of 100,000 entries grow and sort by moving them.
Q_DECLARE_TYPEINFO(kestrava::DirectoryEntry, Q_RELOCATABLE_TYPE);

namespace kestrava {

/// Both lists of one folder, read in one pass.
struct FolderContents
{
    QList<DirectoryEntry> files;
    QList<DirectoryEntry> subFolders;
};

// Listing rules shared by the file chooser and the folder walk. Names beginning
// with "." are hidden and never listed. Files are regular files and symbolic
// links to regular files; sub-folders are folders and symbolic links to folders.
// Every list is sorted by name ignoring letter case, ties in exact order.
// A folder that cannot be read gives the system's text for the failure.

/// Files of \a folderPath matching \a pattern (see FileNamePattern) and its sub-folders.
std::expected<FolderContents, QString> readFolder(const QString &folderPath, const FileNamePattern &pattern);

/// Files of \a folderPath whose names match \a pattern (see FileNamePattern).
std::expected<QList<DirectoryEntry>, QString> listFiles(const QString &folderPath, const QString &pattern);

/// Sub-folders of \a folderPath.
std::expected<QList<DirectoryEntry>, QString> listSubFolders(const QString &folderPath);

/// Receives every name of a folder as readFolderNames() reads it.
class EntryNameSink
{
public:
    virtual ~EntryNameSink() = default;
    /// How the folder's file system compares names; comes before any name.
    virtual void folderRules(const FolderNameRules &rules) = 0;
    /// The bytes of one entry's name: any entry but "." and "..", hidden ones,
    /// folders, links and dangling links included, in the folder's order.
    virtual void entryName(QByteArrayView name) = 0;
};

/// \a folderPath read once for a look ahead at a run: every entry's name and
/// the folder's naming rules go to \a sink; with a \a pattern, the files and
/// sub-folders are listed as readFolder() lists them. Without a pattern no
/// entry is looked at beyond its name, so no entry costs a system call.
std::expected<FolderContents, QString> readFolderNames(const QString &folderPath, const FileNamePattern *pattern,
                                                       EntryNameSink &sink);

/// What a listing needs to show later, without reading the folder again, that
/// the folder still lists the same: the folder's identity, its file system and
/// the coarse clock just before the entries were read.
struct ListingProof
{
    /// False when some entry's place in the lists can change without the folder
    /// changing (a symbolic link, whose target may change anywhere), or when the
    /// entry types had to be looked up.
    bool entriesFixed = true;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 fileSystemType = 0;
    /// CLOCK_REALTIME_COARSE and CLOCK_MONOTONIC_COARSE, in nanoseconds, read
    /// before the first entry.
    qint64 readAtNsecs = 0;
    qint64 readAtMonotonicNsecs = 0;
};

/// As readFolder(), also filling \a proof for a later stillHolds().
std::expected<FolderContents, QString> readFolder(const QString &folderPath, const FileNamePattern &pattern,
                                                  ListingProof &proof);

/// As readFolder() with \a proof, also giving \a sink the folder's rules and
/// every entry's name as readFolderNames() does, while the entries are read.
std::expected<FolderContents, QString> readFolder(const QString &folderPath, const FileNamePattern &pattern,
                                                  ListingProof &proof, EntryNameSink &sink);

/// True when \a folderPath is provably the folder \a proof was taken of and has
/// not changed since: the listing it came with may stand for a fresh read.
bool stillHolds(const QString &folderPath, const ListingProof &proof);

/// Sorts by name ignoring letter case, then by exact name for a stable order.
void sortByName(QList<DirectoryEntry> &entries);

} // namespace kestrava
