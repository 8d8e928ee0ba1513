// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderChooserList.h"

#include "FileChooserList.h"
#include "FolderListDelegate.h"
#include "FolderListModel.h"

#include <QFutureWatcher>
#include <QKeyEvent>
#include <QListView>
#include <QPromise>
#include <QSemaphore>

#include <utility>

namespace kestrava {

namespace {

// Lets open() go on as the listing passes a count of entries, or as it ends.
class ReadAtOnceGate : public EntryNameSink
{
public:
    ReadAtOnceGate(QSemaphore &gate, qsizetype entries)
        : m_gate(gate)
        , m_left(entries)
    {}
    ~ReadAtOnceGate() override { open(); }
    ReadAtOnceGate(const ReadAtOnceGate &) = delete;
    ReadAtOnceGate &operator=(const ReadAtOnceGate &) = delete;

    void open()
    {
        if (!std::exchange(m_opened, true))
            m_gate.release();
    }
    void folderRules(const FolderNameRules &) override {}
    void entryName(QByteArrayView) override
    {
        if (--m_left == 0)
            open();
    }

private:
    QSemaphore &m_gate;
    qsizetype m_left;
    bool m_opened = false;
};

} // namespace

// A listing read beside the window and not shown yet.
struct FolderChooserList::PendingListing
{
    QFutureWatcher<DiskFolderList::FolderListing> *watcher = nullptr; // a child of the list
    QString path;
    Landing landing = Landing::Opened;
};

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
    // A dropped listing still reads its folder to the end: the next never waits for a thread.
    m_listingThreads.setMaxThreadCount(16);
}

// The listing threads wait for a job still reading; what it read goes nowhere.
FolderChooserList::~FolderChooserList() = default;

std::expected<void, QString> FolderChooserList::setPath(const QString &path)
{
    // Whatever moves the lists at once overtakes a listing still under way.
    dropListing();
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

std::expected<void, QString> FolderChooserList::open(const QString &path, Landing landing)
{
    dropListing();
    using Listing = DiskFolderList::FolderListing;
    const QString target = DiskFolderList::resolvePath(m_disk.path(), path);
    auto promise = std::make_shared<QPromise<Listing>>();
    auto gate = std::make_shared<QSemaphore>();
    auto *watcher = new QFutureWatcher<Listing>(this);
    m_pending = std::make_unique<PendingListing>(PendingListing{watcher, target, landing});
    connect(watcher, &QFutureWatcherBase::finished, this, [this] { waitForListing(); });
    promise->start();
    watcher->setFuture(promise->future());
    const qsizetype atOnce = m_entriesReadAtOnce;
    // The job gets only values: it reads the folder, never the lists.
    // The gate opens at the latest as the job ends, after the listing is finished.
    m_listingThreads.start([promise, gate, atOnce, target, pattern = m_files.pattern()] {
        ReadAtOnceGate entries(*gate, atOnce);
        promise->addResult(DiskFolderList::read(target, pattern, atOnce > 0 ? &entries : nullptr));
        promise->finish();
    });
    if (atOnce > 0) {
        gate->acquire();
        if (watcher->future().isFinished())
            return showListing();
    }
    showBusy(true);
    return {};
}

std::expected<void, QString> FolderChooserList::waitForListing()
{
    if (!m_pending)
        return {};
    const QString path = m_pending->path;
    const Landing landing = m_pending->landing;
    auto shown = showListing();
    if (!shown)
        Q_EMIT listingFailed(path, shown.error(), landing);
    return shown;
}

// Shows the pending listing, once it is read, or returns why it cannot be shown.
std::expected<void, QString> FolderChooserList::showListing()
{
    const std::unique_ptr<PendingListing> pending = std::move(m_pending);
    showBusy(false);
    pending->watcher->disconnect(this);
    pending->watcher->deleteLater();
    QFuture<DiskFolderList::FolderListing> future = pending->watcher->future();
    future.waitForFinished();
    // The old folder's entries are let go of beside the window too: freeing a
    // million names takes about as long as showing them.
    QList<DirectoryEntry> shownBefore = m_files.disk().entries();
    if (auto moved = m_disk.take(future.takeResult()); !moved)
        return moved;
    showFolders();
    m_files.entriesReplaced();
    m_listingThreads.start([entries = std::move(shownBefore)]() mutable { entries = {}; });
    Q_EMIT pathChanged();
    if (pending->landing == Landing::ListedAgainNothingSelected)
        m_files.deselectAll();
    return {};
}

void FolderChooserList::dropListing()
{
    if (!m_pending)
        return;
    // The job still reads its folder, but nobody takes what it read.
    m_pending->watcher->disconnect(this);
    m_pending->watcher->deleteLater();
    m_pending.reset();
    showBusy(false);
}

void FolderChooserList::showBusy(bool busy)
{
    if (busy)
        m_view->setCursor(Qt::BusyCursor);
    else
        m_view->unsetCursor();
    m_files.showBusy(busy);
}

std::expected<void, QString> FolderChooserList::openRow(int row)
{
    const QString target = m_model->rowPath(row);
    if (target.isEmpty())
        return {};
    return open(target);
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
