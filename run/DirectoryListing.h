#pragma once

#include "FolderNameRules.h"

#include <QList>
#include <QString>
#include <QStringList>

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
std::expected<FolderContents, QString> readFolder(const QString &folderPath,
                                                  const FileNamePattern &pattern);

/// Files of \a folderPath whose names match \a pattern (see FileNamePattern).
std::expected<QList<DirectoryEntry>, QString> listFiles(const QString &folderPath,
                                                        const QString &pattern);

/// Sub-folders of \a folderPath.
std::expected<QList<DirectoryEntry>, QString> listSubFolders(const QString &folderPath);

/// One folder read in one pass for a look ahead at a run.
struct FolderSnapshot
{
    /// The files (matching the pattern) and sub-folders as readFolder() lists them;
    /// both empty without a pattern.
    FolderContents contents;
    /// The name of every entry but "." and "..": hidden ones, folders, links,
    /// dangling links and anything else the folder holds, in the folder's order.
    QStringList allNames;
    FolderNameRules rules;
};

/// \a folderPath read once: every entry's name, its naming rules and, with a
/// \a pattern, the lists readFolder() gives. Without a pattern no entry is looked
/// at beyond its name, so no entry costs a system call.
std::expected<FolderSnapshot, QString> readFolderSnapshot(const QString &folderPath,
                                                          const FileNamePattern *pattern);

/// Sorts by name ignoring letter case, then by exact name for a stable order.
void sortByName(QList<DirectoryEntry> &entries);

} // namespace kestrava
