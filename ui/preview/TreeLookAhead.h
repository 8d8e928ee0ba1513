// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "NameCounters.h"
#include "RenameOptions.h"
#include "RunSimulation.h"

#include <QDate>
#include <QList>
#include <QObject>

#include <atomic>
#include <memory>

class QThread;

namespace kestrava {

/// What a look ahead at a whole folder tree works from: copies of everything
/// it reads, so that it can run beside the window.
struct TreeLookAheadRequest
{
    QString startFolder;
    QString pattern;
    RenameOptions options;
    NameCounters counters; ///< loaded from the start fields, as a run's are
    QDate today;
    SimulationSettings settings;
};

/// The look ahead of the scope "All Files including Sub-Folders", walked on a
/// thread of its own: a tree of 100,000 files takes its time, and the window
/// stays usable meanwhile. Only the newest request's result is reported.
class TreeLookAhead : public QObject
{
    Q_OBJECT

public:
    explicit TreeLookAhead(QObject *parent = nullptr);
    /// Stops the walks under way and waits for them.
    ~TreeLookAhead() override;

    /// Starts walking for \a request; a walk still under way is given up.
    void start(const TreeLookAheadRequest &request);
    /// Gives up the walk under way, if any: its result is not reported.
    void cancel();
    /// Whether a result is still to come.
    bool isBusy() const { return m_busy; }

Q_SIGNALS:
    /// The result of the newest request.
    void finished(const kestrava::TreeSimulation &result);

private:
    quint64 m_generation = 0;
    bool m_busy = false;
    std::shared_ptr<std::atomic_bool> m_cancelled;
    QList<QThread *> m_threads;
};

} // namespace kestrava
