// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LineBlockText.h"
#include "ProgressSink.h"
#include "RunProgressBar.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QStringList>

template<typename T>
class QFutureWatcher;

namespace kestrava {

class ErrorLogModel;
class GoPage;

/// Shows a run on the Go tab: the progress labels, the log of modified files and
/// the error log. The labels and logs follow the run at the display's pace
/// rather than per file, so a run over a big folder spends its time renaming.
class GoProgress : public QObject, public ProgressSink
{
    Q_OBJECT

public:
    /// Shows on \a page, which must outlive this object.
    explicit GoProgress(GoPage *page, QObject *parent = nullptr);

    void showFile(const QString &name) override;
    void showFolder(const QString &path) override;
    void showCount(qint64 filesRenamed) override;
    void showStatus(const QString &status) override;
    void showSummary(const QString &summary) override;
    void logsCleared() override;
    void fileModified(const QString &newName) override;
    void errorLogged(const QString &text) override;
    void filesPlanned(qint64 files) override;
    void foldersFound(qint64 done, qint64 found) override;
    /// Handles the window's waiting events (at most once per event interval) and
    /// brings the display up to date (at most once per repaint interval).
    void yield() override;

    /// Brings every label and log up to date now, as at the end of a run or
    /// before a question is asked about the current file.
    void flush();
    /// The run or undo sends no more names. Once every name is in the log,
    /// which is then never built again, the names kept for building it let go.
    void runEnded();

    /// Sets how often, at most, a yield handles the window's events and how often
    /// the display follows the run. 0 does either at every yield.
    void setIntervals(qint64 eventsMsecs, qint64 repaintMsecs);

    /// Sets from how many characters on the log of modified files, rather
    /// than outgrow its room, is built again in full beside the window, and
    /// how many names at most one insertion puts in it.
    void setLogPace(qsizetype builtBesideFrom, qsizetype mostNamesAtOnce)
    {
        m_logBesideFrom = builtBesideFrom;
        m_mostModifiedAtOnce = mostNamesAtOnce;
    }
    /// Whether the log of modified files is being built again beside the window.
    bool isBuildingLog() const { return m_logWatcher != nullptr; }

    /// The error texts of the last run, as the Go tab lists them.
    ErrorLogModel *errorLog() const { return m_errors; }

private:
    void flushLabels();
    void flushModified();
    void insertWaitingNames();
    /// Builds the log of modified files again beside the window, with every
    /// name shown so far and those waiting, and shows it in place of the old.
    void buildLogBeside();
    void flushErrors();

    GoPage *m_page = nullptr;
    ErrorLogModel *m_errors = nullptr;
    RunProgressBar m_bar;
    // One clock for both paces, read once per yield; a due time of -1 is due at once.
    QElapsedTimer m_clock;
    qint64 m_eventsDue = -1;
    qint64 m_repaintDue = -1;
    qint64 m_eventsInterval = 1;
    qint64 m_repaintInterval = 16;

    // What the run reported since the display was last brought up to date.
    QString m_file;
    QString m_folder;
    qint64 m_count = 0;
    bool m_fileChanged = false;
    bool m_folderChanged = false;
    bool m_countChanged = false;
    QStringList m_newModified;
    // Every name the log shows, in the batches it took them in, oldest first:
    // kept, as the run keeps them too, so that it can be built again in full.
    QList<QStringList> m_shownModified;
    bool m_runEnded = false;
    LineBlockRoom m_logRoom;
    // A log of 4 M characters (8 MB) grows by copying itself: 1 to 2 ms a MB
    // here, and far more where memory is fresh to the process.
    qsizetype m_logBesideFrom = qsizetype(4) << 20;
    qsizetype m_mostModifiedAtOnce = 16384;
    struct BuiltLog;
    QFutureWatcher<BuiltLog> *m_logWatcher = nullptr;
    bool m_errorsChanged = false;
};

} // namespace kestrava
