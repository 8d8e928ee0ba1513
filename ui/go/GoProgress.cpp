// SPDX-License-Identifier: GPL-3.0-or-later
#include "GoProgress.h"

#include "BesideJob.h"
#include "ErrorLogModel.h"
#include "FileNameBytes.h"
#include "GoPage.h"
#include "LetGoBeside.h"
#include "LineBlockText.h"

#include <QCoreApplication>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTimer>
#include <QTextCursor>
#include <QTextDocument>

#include <utility>

namespace kestrava {

/// A log of modified files built beside the window.
struct GoProgress::BuiltLog
{
    LineBlockDocument document;
    qsizetype length = 0;
};

namespace {

/// The names of \a batches, newest first, as the log shows them.
LineBlockText logLines(const QList<QStringList> &batches)
{
    qsizetype names = 0;
    for (const QStringList &batch : batches)
        names += batch.size();
    LineBlockText lines;
    if (names == 0)
        return lines;
    lines.reserve(names, batches.front().front().size());
    for (auto batch = batches.crbegin(); batch != batches.crend(); ++batch) {
        for (auto name = batch->crbegin(); name != batch->crend(); ++name)
            lines.appendLine(displayFileName(*name));
    }
    return lines;
}

} // namespace

GoProgress::GoProgress(GoPage *page, QObject *parent)
    : QObject(parent)
    , m_page(page)
    , m_errors(new ErrorLogModel(this))
    , m_bar(page->ui().prgRun)
{
    m_page->ui().lstErrorLog->setModel(m_errors);
    // The log only ever grows by runs; an undo history of it would double its memory.
    m_page->ui().txtFilesModified->setUndoRedoEnabled(false);
    m_clock.start();
}

void GoProgress::showFile(const QString &name)
{
    m_file = name;
    m_fileChanged = true;
    if (name.isEmpty())
        m_bar.filesEnded();
    else
        m_bar.fileBegun();
}

void GoProgress::showFolder(const QString &path)
{
    m_folder = path;
    m_folderChanged = true;
}

void GoProgress::showCount(qint64 filesRenamed)
{
    m_count = filesRenamed;
    m_countChanged = true;
}

void GoProgress::showStatus(const QString &status)
{
    flush();
    m_page->ui().lblStatus->setText(status);
    m_page->ui().lblStatus->repaint();
}

void GoProgress::showSummary(const QString &summary)
{
    flush();
    m_page->ui().lblFileCounter->setText(summary);
    m_page->ui().lblFileCounter->repaint();
}

void GoProgress::logsCleared()
{
    m_newModified.clear();
    m_shownModified.clear();
    m_runEnded = false;
    dropJob(m_logWatcher, this);
    m_page->ui().txtFilesModified->clear();
    m_logRoom.reset();
    m_errors->clear();
    m_errorsChanged = false;
    m_page->showErrorArea(false);
    m_bar.begin();
    // The first yield of a run handles events and repaints at once.
    m_eventsDue = -1;
    m_repaintDue = -1;
}

void GoProgress::filesPlanned(qint64 files)
{
    m_bar.planFiles(files);
}

void GoProgress::foldersFound(qint64 done, qint64 found)
{
    m_bar.setFolders(done, found);
}

void GoProgress::fileModified(const QString &newName)
{
    m_newModified.append(newName);
}

void GoProgress::errorLogged(const QString &text)
{
    m_errors->append(text);
    m_errorsChanged = true;
}

void GoProgress::yield()
{
    // A run yields after every file: one look at the clock serves both paces.
    const qint64 now = m_clock.elapsed();
    const bool repaint = now >= m_repaintDue;
    if (repaint)
        flush();
    // Nobody can press Stop within a millisecond of the last look at the events,
    // and looking costs more than renaming a file on a fast disk. What a flush
    // changed is painted with these events, so they are handled after one too.
    if (repaint || now >= m_eventsDue) {
        QCoreApplication::processEvents();
        m_eventsDue = m_clock.elapsed() + m_eventsInterval;
    }
}

void GoProgress::flush()
{
    flushLabels();
    m_bar.show();
    flushModified();
    flushErrors();
    m_repaintDue = m_clock.elapsed() + m_repaintInterval;
}

void GoProgress::setIntervals(qint64 eventsMsecs, qint64 repaintMsecs)
{
    m_eventsInterval = eventsMsecs;
    m_repaintInterval = repaintMsecs;
}

void GoProgress::flushLabels()
{
    if (m_fileChanged)
        m_page->ui().FileNameLabel->setText(m_file);
    // Painted with the rest of the display when the run's yield handles the
    // events right after this flush, in one pass over the window.
    if (m_folderChanged)
        m_page->ui().CurrentDirLabel->setText(m_folder);
    if (m_countChanged)
        m_page->ui().lblFileCounter->setText(QString::number(m_count));
    m_fileChanged = m_folderChanged = m_countChanged = false;
}

void GoProgress::runEnded()
{
    m_runEnded = true;
    flush();
}

void GoProgress::flushModified()
{
    insertWaitingNames();
    // A million names are 110 MB the window would hold until the next run,
    // and longer than that at the peak of its memory, while the folder is
    // read again.
    if (!m_runEnded || !m_newModified.isEmpty() || m_logWatcher || m_shownModified.isEmpty())
        return;
    qsizetype names = 0;
    for (const QStringList &batch : std::as_const(m_shownModified))
        names += batch.size();
    letGoOfBigLists(names, std::exchange(m_shownModified, {}));
}

void GoProgress::insertWaitingNames()
{
    // While the log is built again, the names wait for it.
    if (m_newModified.isEmpty() || m_logWatcher)
        return;
    // The newest name goes on top: the names since the last look, newest first,
    // go in front of the log in one insertion. Those that waited for a log
    // built beside may be a hundred thousand: they go in a part at a time,
    // the oldest first, with the window's events between the parts.
    const bool inParts = m_newModified.size() > m_mostModifiedAtOnce;
    QStringList names = inParts ? m_newModified.first(m_mostModifiedAtOnce) : m_newModified;
    LineBlockText batch = logLines({names});
    if (m_logRoom.outgrownBy(batch) && m_logRoom.length() + batch.documentLength() >= m_logBesideFrom) {
        buildLogBeside();
        return;
    }
    if (inParts) {
        m_newModified.remove(0, names.size());
        QTimer::singleShot(0, this, &GoProgress::flushModified);
    } else {
        m_newModified = {};
    }
    m_shownModified.append(std::move(names));
    m_logRoom.add(batch);
    batch.insertAtStartOf(m_page->ui().txtFilesModified);
}

void GoProgress::buildLogBeside()
{
    m_shownModified.append(std::exchange(m_newModified, {}));
    // The job gets a list of batches of its own: a list shared with it would
    // be grown in place once the job let go of it, and the count of a shared
    // list is read without ordering between the threads. The batches
    // themselves are never changed.
    QList<QStringList> batches(m_shownModified.cbegin(), m_shownModified.cend());
    auto build = [batches = std::move(batches), thread = thread()](QPromise<BuiltLog> &promise) {
        LineBlockText lines = logLines(batches);
        const qsizetype length = 1 + lines.documentLength();
        promise.addResult(BuiltLog{std::move(lines).toDocument(thread), length});
    };
    runBeside(this, m_logWatcher, std::move(build), [this](QFuture<BuiltLog> future) {
        if (future.resultCount() == 0)
            return;
        BuiltLog built = future.takeResult();
        QPlainTextEdit *box = m_page->ui().txtFilesModified;
        // The names come in on top, as when they are inserted: a reader's
        // place in the log and what they selected stay where they were.
        const int anchor = box->textCursor().anchor();
        const int position = box->textCursor().position();
        const int scrolled = box->verticalScrollBar()->value();
        const int before = box->document()->characterCount();
        built.document.showIn(box);
        m_logRoom.reset(built.length);
        const int added = box->document()->characterCount() - before;
        if (anchor != 0 || position != 0) {
            QTextCursor moved(box->document());
            moved.setPosition(anchor + added);
            moved.setPosition(position + added, QTextCursor::KeepAnchor);
            box->setTextCursor(moved);
        }
        box->verticalScrollBar()->setValue(scrolled);
        flushModified();
    });
}

void GoProgress::flushErrors()
{
    if (!m_errorsChanged)
        return;
    m_errorsChanged = false;
    m_errors->flush();
    m_page->ui().lblErrorLog->setText(tr("Errors : ") + QString::number(m_errors->count()));
    m_page->showErrorArea(true);
}

} // namespace kestrava
