// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DiskFolderList.h"
#include "FolderList.h"

#include <QObject>
#include <QThreadPool>

#include <memory>

class QListView;
class QModelIndex;

namespace kestrava {

class FileChooserList;
class FolderListModel;

/// The folder list `Dir1` as the user and the run see it: the current folder with
/// its parents and its sub-folders in a list view. The user opens a row by
/// double-click or Enter (see openRequested()). Every change of folder moves the file list along and
/// then announces pathChanged(), whose handling selects the files and the scope.
///
/// setPath() reads the folder at once, as a run's walk needs. What the user
/// opens goes through open() instead: the folder is read and sorted beside the
/// window, and both lists keep showing the old folder, complete, until the new
/// one is shown complete. Whatever reads the lists for an action (Start, the
/// preview, a change of filter or scope) calls waitForListing() first.
class FolderChooserList : public QObject, public FolderList
{
    Q_OBJECT

public:
    /// What showing a listing made by open() does beside moving the lists.
    enum class Landing {
        /// The user's change of folder: pathChanged() is announced.
        Opened,
        /// The same, for the folder read again after an undo, whose failure goes to its log.
        ListedAgain,
        /// As ListedAgain, then no file is left selected: the folder read again after a run.
        ListedAgainNothingSelected,
    };

    /// Lists into \a view (owned by the caller, and this list's parent); \a files
    /// must outlive this list.
    FolderChooserList(QListView *view, FileChooserList &files);
    ~FolderChooserList() override;

    QString path() const override { return m_disk.path(); }
    std::expected<void, QString> setPath(const QString &path) override;
    qsizetype subFolderCount() const override { return m_disk.subFolderCount(); }
    QString subFolderPath(qsizetype index) const override { return m_disk.subFolderPath(index); }
    bool isSubFolderSymLink(qsizetype index) const override { return m_disk.isSubFolderSymLink(index); }
    void refresh() override;

    /// Moves to \a path (as setPath() takes it) the way the user opens a folder:
    /// read beside the window, shown when read. A listing still under way is
    /// dropped, never shown. A folder of up to entriesReadAtOnce() entries is
    /// waited for, so that it shows at once, as setPath() would show it, and its
    /// failure is returned; a failure found later goes to listingFailed().
    std::expected<void, QString> open(const QString &path, Landing landing = Landing::Opened);
    /// True while a listing started by open() is not shown yet.
    bool isListing() const { return m_pending != nullptr; }
    /// Waits for the listing under way, if any, and shows it. Its failure is
    /// returned and, like any failure of a listing that open() left under way,
    /// goes to listingFailed() as well.
    std::expected<void, QString> waitForListing();
    /// How many entries open() waits for before it leaves the listing to finish
    /// beside the window; with 0 it never waits. A count, not a time, so that a
    /// small folder is always shown at once, however busy the machine.
    qsizetype entriesReadAtOnce() const { return m_entriesReadAtOnce; }
    void setEntriesReadAtOnce(qsizetype entries) { m_entriesReadAtOnce = entries; }

    /// Opens the folder of \a row: one of the chain to the current folder, or a sub-folder.
    std::expected<void, QString> openRow(int row);
    /// The row of the current folder.
    int currentFolderRow() const;
    FolderListModel *model() const { return m_model; }

Q_SIGNALS:
    /// The current folder changed (the folder list's Change).
    void pathChanged();
    /// The user asked to open the folder of \a row (double-click or Enter); see openRow().
    void openRequested(int row);
    /// A listing that open() left under way failed: the lists stay on the old folder.
    void listingFailed(const QString &path, const QString &reason, kestrava::FolderChooserList::Landing landing);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct PendingListing;

    void rowOpened(const QModelIndex &index);
    void showFolders();
    void dropListing();
    std::expected<void, QString> showListing();
    void showBusy(bool busy);

    QListView *m_view = nullptr;
    FileChooserList &m_files;
    DiskFolderList m_disk;
    FolderListModel *m_model = nullptr;
    // About 10 ms of reading on a warm disk.
    qsizetype m_entriesReadAtOnce = 10'000;
    std::unique_ptr<PendingListing> m_pending;
    // Listings of their own, so that they never queue behind the previews' look
    // aheads; declared last, so that it waits for a dropped listing first.
    QThreadPool m_listingThreads;
};

} // namespace kestrava
