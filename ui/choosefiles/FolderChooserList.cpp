// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderChooserList.h"

#include "FileChooserList.h"
#include "FolderListDelegate.h"
#include "FolderListModel.h"

#include <QKeyEvent>
#include <QListView>

namespace kestrava {

FolderChooserList::FolderChooserList(QListView *view, FileChooserList &files)
    : QObject(view)
    , m_view(view)
    , m_files(files)
    , m_disk(files.disk())
    , m_model(new FolderListModel(this))
{
    m_view->setModel(m_model);
    m_view->setItemDelegate(new FolderListDelegate(this));
    m_view->installEventFilter(this);
    connect(m_view, &QListView::doubleClicked, this, &FolderChooserList::rowOpened);
}

std::expected<void, QString> FolderChooserList::setPath(const QString &path)
{
    auto moved = m_disk.setPath(path);
    if (!moved)
        return moved;
    showFolders();
    m_files.entriesReplaced();
    Q_EMIT pathChanged();
    return {};
}

void FolderChooserList::refresh()
{
    m_disk.refresh();
    showFolders();
}

std::expected<void, QString> FolderChooserList::openRow(int row)
{
    const QString target = m_model->rowPath(row);
    if (target.isEmpty())
        return {};
    return setPath(target);
}

int FolderChooserList::currentFolderRow() const
{
    return m_model->chainCount() - 1;
}

bool FolderChooserList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_view || (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress))
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || key->modifiers() & ~Qt::KeypadModifier)
        return false;
    // Enter here opens the folder; it is taken before the window's default button sees it.
    event->accept();
    if (event->type() == QEvent::KeyPress)
        rowOpened(m_view->currentIndex());
    return true;
}

void FolderChooserList::rowOpened(const QModelIndex &index)
{
    if (index.isValid())
        Q_EMIT openRequested(index.row());
}

void FolderChooserList::showFolders()
{
    m_model->setFolders(m_disk.path(), m_disk.subFolders());
    // The current folder is where the keyboard starts, and shows as chosen.
    const QModelIndex current = m_model->index(currentFolderRow());
    m_view->selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
}

} // namespace kestrava
