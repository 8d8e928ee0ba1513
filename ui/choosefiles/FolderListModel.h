// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DirectoryListing.h"

#include <QAbstractListModel>
#include <QIcon>
#include <QList>
#include <QStringList>

namespace kestrava {

/// The rows of the folder list `Dir1`: where the user is (the root, each folder
/// down to the current one, shown open) and then the current folder's sub-folders.
class FolderListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    /// How far a row is indented: its depth below the root.
    static constexpr int DepthRole = Qt::UserRole + 1;
    /// True for the row of the current folder.
    static constexpr int CurrentFolderRole = Qt::UserRole + 2;

    explicit FolderListModel(QObject *parent = nullptr);

    /// Shows the folders of \a path (absolute, cleaned) and its \a subFolders.
    void setFolders(const QString &path, const QList<DirectoryEntry> &subFolders);

    /// Rows of the chain from the root to the current folder; the last is the current folder.
    int chainCount() const { return int(m_chain.size()); }
    /// The full path a row stands for.
    QString rowPath(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    /// \a path and each of its parents up to the root, root first.
    static QStringList pathChain(const QString &path);

private:
    QString rowName(int row) const;

    QIcon m_openIcon;
    QIcon m_closedIcon;
    QStringList m_chain;
    QList<DirectoryEntry> m_subFolders;
};

} // namespace kestrava
