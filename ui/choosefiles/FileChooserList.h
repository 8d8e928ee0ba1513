// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DiskFileList.h"
#include "FileList.h"

#include <QBitArray>
#include <QObject>

#include <expected>

class QItemSelection;
class QItemSelectionModel;
class QListView;

namespace kestrava {

class FileListModel;

/// The file list `File1` as the run and the previews see it: the entries of a
/// disk listing shown in a list view, whose selection model is the one record
/// of which entries are selected. Selecting or clearing all is one range.
class FileChooserList : public QObject, public FileList
{
    Q_OBJECT

public:
    /// Lists into \a view (owned by the caller, and this list's parent).
    explicit FileChooserList(QListView *view);

    /// The listing behind the rows; a folder list moves it to another folder.
    DiskFileList &disk() { return m_disk; }
    QString folder() const { return m_disk.folder(); }
    QString pattern() const { return m_disk.pattern(); }

    /// Takes \a pattern exactly as given and lists the folder again, nothing selected.
    /// When the folder cannot be read, the rows are emptied and the system's text returned.
    std::expected<void, QString> setPattern(const QString &pattern);
    /// Lists the folder again, nothing selected. On failure the rows stay as they were.
    std::expected<void, QString> reread();
    /// Shows the entries the disk listing now holds, nothing selected.
    void entriesReplaced();

    /// Shows the pointer busy over the list while another folder is read for it.
    void showBusy(bool busy);

    /// Selects every entry.
    void selectAll();
    qsizetype selectedCount() const override { return m_selected.count(true); }
    QItemSelectionModel *selectionModel() const { return m_selection; }

    qsizetype count() const override { return m_disk.count(); }
    QString name(qsizetype index) const override { return m_disk.name(index); }
    bool isSelected(qsizetype index) const override { return m_selected.testBit(index); }
    void deselectAll() override;

private:
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected);

    QListView *m_view = nullptr;
    DiskFileList m_disk;
    FileListModel *m_model = nullptr;
    QItemSelectionModel *m_selection = nullptr;
    // The selection model's state by row, kept in step with its changes, so that a
    // run asking about every one of 100,000 entries gets each answer at once.
    QBitArray m_selected;
};

} // namespace kestrava
