// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileListModel.h"

#include "FileNameBytes.h"

namespace kestrava {

FileListModel::FileListModel(QObject *parent)
    : QAbstractListModel(parent)
{}

void FileListModel::setEntries(const QList<DirectoryEntry> &entries)
{
    beginResetModel();
    m_entries = entries;
    endResetModel();
}

int FileListModel::rowCount(const QModelIndex &parent) const
{
    // Item views count rows in int; a folder never comes near that many files.
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant FileListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return displayFileName(m_entries.at(index.row()).name);
    return {};
}

} // namespace kestrava
