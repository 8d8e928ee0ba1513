// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderListDelegate.h"

#include "FolderListModel.h"

#include <algorithm>

namespace kestrava {

namespace {

constexpr int IndentPixels = 8;
// Deep folders stop indenting further, so that their names stay readable in the narrow list.
constexpr int MaximumIndentLevels = 8;

} // namespace

FolderListDelegate::FolderListDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{}

void FolderListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const int depth = std::min(index.data(FolderListModel::DepthRole).toInt(), MaximumIndentLevels);
    QStyleOptionViewItem indented(option);
    indented.rect.adjust(depth * IndentPixels, 0, 0, 0);
    QStyledItemDelegate::paint(painter, indented, index);
}

void FolderListDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (index.data(FolderListModel::CurrentFolderRole).toBool())
        option->font.setBold(true);
}

} // namespace kestrava
