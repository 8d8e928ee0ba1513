// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DirectoryListing.h"

#include <QAbstractListModel>
#include <QList>

namespace kestrava {

/// The rows of the file list `File1`: one file name per entry, in the listing's order.
class FileListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit FileListModel(QObject *parent = nullptr);

    /// Shows \a entries instead of the current rows (one model reset).
    void setEntries(const QList<DirectoryEntry> &entries);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    // Implicitly shared with the disk list, so a folder of 100,000 files is not copied.
    QList<DirectoryEntry> m_entries;
};

} // namespace kestrava
