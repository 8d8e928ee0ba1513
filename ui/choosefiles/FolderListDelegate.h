// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

namespace kestrava {

/// Draws the folder list's rows as a tree seen from one folder: each row indented
/// by its depth, the current folder in bold.
class FolderListDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit FolderListDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};

} // namespace kestrava
