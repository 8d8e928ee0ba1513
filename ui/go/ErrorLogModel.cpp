// SPDX-License-Identifier: GPL-3.0-or-later
// The Go room: the page, the run and undo it starts, their progress, prompts and logs.
#include "ErrorLogModel.h"

#include "FileNameBytes.h"

namespace kestrava {

ErrorLogModel::ErrorLogModel(QObject *parent)
    : QAbstractListModel(parent)
{}

void ErrorLogModel::append(const QString &text)
{
    m_texts.append(text);
}

void ErrorLogModel::flush()
{
    const int total = int(m_texts.size());
    if (total == m_shown)
        return;
    beginInsertRows(QModelIndex(), m_shown, total - 1);
    m_shown = total;
    endInsertRows();
}

void ErrorLogModel::clear()
{
    beginResetModel();
    m_texts.clear();
    m_shown = 0;
    endResetModel();
}

int ErrorLogModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_shown;
}

QVariant ErrorLogModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_shown)
        return QVariant();
    // A path can be longer than the list is wide; the tip shows it whole. Each
    // error keeps to one row, whatever its file's name holds.
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return displayFileName(m_texts.at(index.row()));
    return QVariant();
}

} // namespace kestrava
