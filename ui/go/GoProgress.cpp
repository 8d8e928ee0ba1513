// SPDX-License-Identifier: GPL-3.0-or-later
#include "GoProgress.h"

#include "ErrorLogModel.h"
#include "FileNameBytes.h"
#include "GoPage.h"
#include "LineBlockText.h"

#include <QCoreApplication>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>

namespace kestrava {

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
    m_page->ui().txtFilesModified->clear();
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

void GoProgress::flushModified()
{
    if (m_newModified.isEmpty())
        return;
    // The newest name goes on top: the names since the last look, newest first,
    // go in front of the log in one insertion.
    LineBlockText batch;
    batch.reserve(m_newModified.size(), m_newModified.front().size());
    for (auto it = m_newModified.crbegin(); it != m_newModified.crend(); ++it)
        batch.appendLine(displayFileName(*it));
    m_newModified.clear();
    batch.insertAtStartOf(m_page->ui().txtFilesModified);
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
