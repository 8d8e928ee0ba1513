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

    /// \a path made absolute against \a current and cleaned; ".." is the parent of \a current.
    static QString resolvePath(const QString &current, const QString &path);

private:
    DiskFileList &m_files;
    QString m_path;
    QList<DirectoryEntry> m_subFolders;
};

} // namespace kestrava
