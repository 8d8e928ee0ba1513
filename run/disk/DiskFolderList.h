// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DirectoryListing.h"
#include "FolderList.h"

#include <QList>
#include <QString>

namespace kestrava {

class DiskFileList;

/// A folder list read from disk, coupled to a file list: moving to a folder
/// lists that folder's files with the file list's pattern and selects them all.
class DiskFolderList : public FolderList
{
public:
    /// \a files must outlive this list.
    explicit DiskFolderList(DiskFileList &files);

    QString path() const override { return m_path; }
    std::expected<void, QString> setPath(const QString &path) override;
    qsizetype subFolderCount() const override { return m_subFolders.size(); }
    QString subFolderPath(qsizetype index) const override;
    bool isSubFolderSymLink(qsizetype index) const override;
    void refresh() override;

    /// The sub-folders of the current folder, in order.
    const QList<DirectoryEntry> &subFolders() const { return m_subFolders; }

    /// How many times a folder's listing was taken from an earlier read, the
    /// folder provably unchanged since, instead of reading it again.
    qint64 listingsReused() const { return m_listingsReused; }

    /// \a path made absolute against \a current and cleaned; ".." is the parent of \a current.
    static QString resolvePath(const QString &current, const QString &path);

    /// One read of a folder, made apart from any list so that it may be made on
    /// another thread and taken by the list later (see take()).
    struct FolderListing
    {
        QString path;
        QString pattern;
        std::expected<FolderContents, QString> contents;
        ListingProof proof;
    };
    /// Reads \a path (absolute and clean, see resolvePath()) with the file-type
    /// pattern list \a pattern; \a sink, when given, sees each entry as it is
    /// read. Touches no list: any thread may call it.
    static FolderListing read(const QString &path, const QString &pattern, EntryNameSink *sink = nullptr);
    /// Moves to the folder \a listing was read of, as setPath() does. A listing
    /// read with another pattern than the file list's is not shown: the folder is
    /// read again with the list's own. On failure nothing changes.
    std::expected<void, QString> take(FolderListing listing);

private:
    // A listing kept while its folder is the current one or one of its parents,
    // with the proof that tells whether it still holds.
    struct HeldListing
    {
        QString path;
        QString pattern;
        FolderContents contents;
        ListingProof proof;
    };

    std::expected<FolderContents, QString> listing(const QString &path);
    void hold(const FolderListing &listing);
    void moveTo(const QString &path, FolderContents contents);
    void keepAlong(const QString &path);

    DiskFileList &m_files;
    QString m_path;
    QList<DirectoryEntry> m_subFolders;
    QList<HeldListing> m_held;
    qint64 m_listingsReused = 0;
};

} // namespace kestrava
