// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DiskFolderList.h"
#include "FolderList.h"

#include <QObject>

class QListView;
class QModelIndex;

namespace kestrava {

class FileChooserList;
class FolderListModel;

/// The folder list `Dir1` as the user and the run see it: the current folder with
/// its parents and its sub-folders in a list view. The user opens a row by
/// double-click or Enter (see openRequested()). Every change of folder moves the file list along and
/// then announces pathChanged(), whose handling selects the files and the scope.
class FolderChooserList : public QObject, public FolderList
{
    Q_OBJECT

public:
    /// Lists into \a view (owned by the caller, and this list's parent); \a files
    /// must outlive this list.
    FolderChooserList(QListView *view, FileChooserList &files);

    QString path() const override { return m_disk.path(); }
    std::expected<void, QString> setPath(const QString &path) override;
    qsizetype subFolderCount() const override { return m_disk.subFolderCount(); }
    QString subFolderPath(qsizetype index) const override { return m_disk.subFolderPath(index); }
    bool isSubFolderSymLink(qsizetype index) const override { return m_disk.isSubFolderSymLink(index); }
    void refresh() override;

    /// Opens the folder of \a row: one of the chain to the current folder, or a sub-folder.
    std::expected<void, QString> openRow(int row);
    /// The row of the current folder.
    int currentFolderRow() const;
    FolderListModel *model() const { return m_model; }

Q_SIGNALS:
    /// The current folder changed (the folder list's Change).
    void pathChanged();
    /// The user asked to open the folder of \a row (double-click or Enter); see openRow().
    void openRequested(int row);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void rowOpened(const QModelIndex &index);
    void showFolders();

    QListView *m_view = nullptr;
    FileChooserList &m_files;
    DiskFolderList m_disk;
    FolderListModel *m_model = nullptr;
};

} // namespace kestrava
