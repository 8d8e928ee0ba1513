// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiskFolderList.h"

#include "DiskFileList.h"
#include "FileNamePattern.h"

#include <QDir>

namespace kestrava {

namespace {

// Listings longer than this are not kept: a parent's listing held while the
// walk is deep below it must not double the memory of a huge folder.
constexpr qsizetype MostEntriesHeld = 100'000;

bool isSelfOrParent(const QString &folder, const QString &path)
{
    if (folder == path)
        return true;
    if (!path.startsWith(folder))
        return false;
    return folder.endsWith(u'/') || path.at(folder.size()) == u'/';
}

} // namespace

DiskFolderList::DiskFolderList(DiskFileList &files)
    : m_files(files)
{}

std::expected<void, QString> DiskFolderList::setPath(const QString &path)
{
    const QString target = resolvePath(m_path, path);
    // One pass gives both lists, so the file list never shows another folder
    // than the folder list, also when the new folder cannot be read.
    auto contents = listing(target);
    if (!contents)
        return std::unexpected(contents.error());
    moveTo(target, std::move(*contents));
    return {};
}

DiskFolderList::FolderListing DiskFolderList::read(const QString &path, const QString &pattern, EntryNameSink *sink)
{
    FolderListing listing{path, pattern, {}, {}};
    const FileNamePattern matcher(pattern);
    listing.contents = sink ? readFolder(path, matcher, listing.proof, *sink) : readFolder(path, matcher, listing.proof);
    return listing;
}

std::expected<void, QString> DiskFolderList::take(FolderListing listing)
{
    // The filter may have changed while the folder was read elsewhere.
    if (listing.pattern != m_files.pattern())
        return setPath(listing.path);
    if (!listing.contents)
        return std::unexpected(listing.contents.error());
    hold(listing);
    moveTo(listing.path, std::move(*listing.contents));
    return {};
}

void DiskFolderList::moveTo(const QString &path, FolderContents contents)
{
    keepAlong(path);
    m_path = path;
    m_subFolders = std::move(contents.subFolders);
    m_files.setEntries(path, std::move(contents.files));
    m_files.selectAll();
}

QString DiskFolderList::subFolderPath(qsizetype index) const
{
    const QString &name = m_subFolders.at(index).name;
    if (m_path.endsWith(u'/'))
        return m_path + name;
    return m_path + u'/' + name;
}

bool DiskFolderList::isSubFolderSymLink(qsizetype index) const
{
    return m_subFolders.at(index).isSymLink;
}

void DiskFolderList::refresh()
{
    // A folder that can no longer be read shows no sub-folders rather than stale ones.
    auto contents = listing(m_path);
    m_subFolders = contents ? std::move(contents->subFolders) : QList<DirectoryEntry>();
}

// A folder walk reads each folder as it enters it and reads the parent again
// as it climbs back. A listing held from an earlier read stands in for a new
// one only when the folder provably has not changed since (see stillHolds()).
std::expected<FolderContents, QString> DiskFolderList::listing(const QString &path)
{
    for (const HeldListing &held : std::as_const(m_held)) {
        if (held.path == path && held.pattern == m_files.pattern() && stillHolds(path, held.proof)) {
            ++m_listingsReused;
            return held.contents;
        }
    }
    FolderListing read{path, m_files.pattern(), {}, {}};
    read.contents = readFolder(path, m_files.matcher(), read.proof);
    hold(read);
    return std::move(read.contents);
}

// A new read of a folder replaces any held one; it is held itself when it may stand for a later read.
void DiskFolderList::hold(const FolderListing &listing)
{
    m_held.removeIf([&listing](const HeldListing &held) { return held.path == listing.path; });
    const auto &contents = listing.contents;
    if (contents && listing.proof.entriesFixed
        && contents->files.size() + contents->subFolders.size() <= MostEntriesHeld)
        m_held.append({listing.path, listing.pattern, *contents, listing.proof});
}

// Only the listings the walk may come back to are kept: the current folder's and its parents'.
void DiskFolderList::keepAlong(const QString &path)
{
    m_held.removeIf([&path](const HeldListing &held) { return !isSelfOrParent(held.path, path); });
}

QString DiskFolderList::resolvePath(const QString &current, const QString &path)
{
    // Parents are taken from the path text, never from the file system's "..",
    // so a walk climbs back exactly the way it came down.
    if (path == u"..")
        return QDir::cleanPath(current + QStringLiteral("/.."));
    if (QDir::isAbsolutePath(path) || current.isEmpty())
        return QDir::cleanPath(QDir(current).absoluteFilePath(path));
    return QDir::cleanPath(current + u'/' + path);
}

} // namespace kestrava
