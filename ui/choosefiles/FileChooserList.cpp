// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileChooserList.h"

#include "FileListModel.h"

#include <QItemSelectionModel>
#include <QListView>

namespace kestrava {

FileChooserList::FileChooserList(QListView *view)
    : QObject(view)
    , m_view(view)
    , m_model(new FileListModel(this))
{
    view->setModel(m_model);
    m_selection = view->selectionModel();
    connect(m_selection, &QItemSelectionModel::selectionChanged, this, &FileChooserList::selectionChanged);
}

std::expected<void, QString> FileChooserList::setPattern(const QString &pattern)
{
    auto listed = m_disk.setPattern(pattern);
    // A folder that can no longer be read shows nothing under the new pattern
    // rather than files that matched the old one.
    if (!listed)
        m_disk.setEntries(m_disk.folder(), {});
    entriesReplaced();
    return listed;
}

std::expected<void, QString> FileChooserList::reread()
{
    auto listed = m_disk.reread();
    if (listed)
        entriesReplaced();
    return listed;
}

void FileChooserList::entriesReplaced()
{
    // A model reset clears the selection model without telling anyone.
    m_model->setEntries(m_disk.entries());
    m_selected = QBitArray(m_disk.count(), false);
}

void FileChooserList::showBusy(bool busy)
{
    if (busy)
        m_view->setCursor(Qt::BusyCursor);
    else
        m_view->unsetCursor();
}

void FileChooserList::selectAll()
{
    const int rows = m_model->rowCount();
    if (rows == 0)
        return;
    const QItemSelection all(m_model->index(0), m_model->index(rows - 1));
    m_selection->select(all, QItemSelectionModel::ClearAndSelect);
}

void FileChooserList::deselectAll()
{
    m_selection->clearSelection();
}

void FileChooserList::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    for (const QItemSelectionRange &range : deselected)
        m_selected.fill(false, range.top(), range.bottom() + 1);
    for (const QItemSelectionRange &range : selected)
        m_selected.fill(true, range.top(), range.bottom() + 1);
}

} // namespace kestrava
