// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderListModel.h"

#include "FileNameBytes.h"

#include <QApplication>
#include <QStyle>

namespace kestrava {

FolderListModel::FolderListModel(QObject *parent)
    : QAbstractListModel(parent)
    , m_openIcon(QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon))
    , m_closedIcon(QApplication::style()->standardIcon(QStyle::SP_DirClosedIcon))
{}

void FolderListModel::setFolders(const QString &path, const QList<DirectoryEntry> &subFolders)
{
    beginResetModel();
    m_chain = pathChain(path);
    m_subFolders = subFolders;
    endResetModel();
}

QString FolderListModel::rowPath(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    if (row < chainCount())
        return m_chain.at(row);
    const QString &current = m_chain.constLast();
    const QString &name = m_subFolders.at(row - chainCount()).name;
    if (current.endsWith(u'/'))
        return current + name;
    return current + u'/' + name;
}

int FolderListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_chain.size() + m_subFolders.size());
}

QVariant FolderListModel::data(const QModelIndex &index, int role) const
{
    const int row = index.row();
    if (!index.isValid() || row >= rowCount())
        return {};
    const bool inChain = row < chainCount();
    switch (role) {
    // A name may hold bytes that are not UTF-8 or characters that break a
    // line; the row shows stand-ins, rowName() and rowPath() keep the real name.
    case Qt::DisplayRole:
        return displayFileName(rowName(row));
    case Qt::ToolTipRole:
        return displayFileName(rowPath(row));
    case Qt::DecorationRole:
        return inChain ? m_openIcon : m_closedIcon;
    case CurrentFolderRole:
        return row == chainCount() - 1;
    case DepthRole:
        return inChain ? row : chainCount();
    default:
        return {};
    }
}

QString FolderListModel::rowName(int row) const
{
    if (row >= chainCount())
        return m_subFolders.at(row - chainCount()).name;
    const QString &path = m_chain.at(row);
    if (row == 0)
        return path;
    return path.mid(path.lastIndexOf(u'/') + 1);
}

QStringList FolderListModel::pathChain(const QString &path)
{
    QStringList chain;
    if (path.isEmpty())
        return chain;
    chain.append(QStringLiteral("/"));
    qsizetype slash = 0;
    while ((slash = path.indexOf(u'/', slash + 1)) != -1)
        chain.append(path.left(slash));
    if (path != u"/")
        chain.append(path);
    return chain;
}

} // namespace kestrava
