// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileRenamer.h"

#include <QString>

#include <atomic>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <thread>
#include <vector>

namespace kestrava {

/// Renames a stretch of one folder's files on a thread of its own, in their
/// order, while the run's thread reports each one done: the two together take
/// little longer than the renames alone. The worker keeps at most a few
/// hundred files ahead of the reports, so that a stop, or a setting changed
/// during the run, takes effect soon after it is seen. A long stretch has a
/// second thread examine each file (read-only, and its identity for the
/// journal) a little ahead of its rename, as that call takes about as long as
/// the rename. The renamer, its journal and the folder are the worker's until
/// it has ended; the run's thread touches none of them meanwhile.
///
/// A worker may also be started before its jobs are known: the run adds
/// them one by one while it works out the folder's names, and takes their
/// outcomes, in any order, once finish() has returned. Meanwhile the run's
/// thread only looks at the folder's files (whether one is read-only), as the
/// examining thread does.
class RenameWorker
{
public:
    struct Job
    {
        const QString *name;
        const QString *newName;
    };

    /// Starts renaming \a jobs (whose names must outlive the worker) in \a folder.
    RenameWorker(FileRenamer renamer, const OpenFolder &folder, const QString &folderPath, std::vector<Job> jobs);
    /// Starts a worker for up to \a capacity jobs, each given by add(). It
    /// keeps every outcome until taken, however far ahead it gets.
    RenameWorker(FileRenamer renamer, const OpenFolder &folder, const QString &folderPath, qsizetype capacity);
    /// Stops before the next job and waits for the thread.
    ~RenameWorker();
    RenameWorker(const RenameWorker &) = delete;
    RenameWorker &operator=(const RenameWorker &) = delete;

    /// The outcome of job \a index, once the worker is done with it; null when
    /// the worker stopped before it. Jobs are asked for in order, and asking
    /// for one means the earlier ones are reported. While waiting,
    /// \a stillWaiting is called now and then (a window's events), so that a
    /// slow disk does not freeze the window.
    template<typename Waiting>
    DiskOutcome *outcome(qsizetype index, Waiting &&stillWaiting)
    {
        reported(index);
        while (!isDone(index)) {
            if (m_finished.load())
                return isDone(index) ? &m_outcomes[slotOf(index)] : nullptr;
            waitFor(index);
            stillWaiting();
        }
        return &m_outcomes[slotOf(index)];
    }
    /// Asks the worker to stop before its next job, and waits until it has.
    void stop();

    /// Gives a worker started without its jobs the next one; its index.
    qsizetype add(Job job);
    /// Says no job follows, and waits until the worker is done with every
    /// one, calling \a stillWaiting now and then meanwhile.
    template<typename Waiting>
    void finish(Waiting &&stillWaiting)
    {
        close();
        while (!m_finished.load()) {
            waitFor(m_count.load());
            stillWaiting();
        }
    }
    /// The outcome of job \a index of a finished worker, taken once; null
    /// when the worker stopped before it.
    DiskOutcome *take(qsizetype index) { return isDone(index) ? &m_outcomes[slotOf(index)] : nullptr; }

private:
    size_t slotOf(qsizetype index) const;
    void close();
    void start();
    /// Waits until job \a index is given or no job follows; false for none.
    bool waitForJob(qsizetype index);
    bool isDone(qsizetype index) const { return m_done.load(std::memory_order_acquire) > index; }
    void reported(qsizetype index);
    void waitFor(qsizetype index);
    void work();
    void examineAhead();

    FileRenamer m_renamer;
    const OpenFolder &m_folder;
    const QString m_folderPath;
    // Written before m_count counts them; read only below that count.
    std::vector<Job> m_jobs;
    std::atomic<qsizetype> m_count{0};
    std::atomic<bool> m_closed{false};
    // Whether the renaming thread waits for a job to be given.
    std::atomic<bool> m_starved{false};
    // Whether every outcome is kept, rather than those not yet reported.
    bool m_keepsAll = false;
    // The outcomes of the jobs not yet reported, a slot each.
    std::vector<DiskOutcome> m_outcomes;
    std::atomic<qsizetype> m_done{0};
    std::atomic<bool> m_finished{false};
    std::atomic<bool> m_stop{false};
    // The job the run's thread waits for, so that the worker wakes it only
    // when it is wanted, not after every file.
    std::atomic<qsizetype> m_wanted{0};
    // The job the run's thread reports, and the one it must reach before the
    // worker, far enough ahead, goes on.
    std::atomic<qsizetype> m_reported{0};
    std::atomic<qsizetype> m_workerWaitsFor{std::numeric_limits<qsizetype>::max()};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_wakeWorker;
    // The examining thread's results, a slot per job for the next few
    // hundred; a slot's number is its job's plus one once it holds it. The
    // renaming thread examines a file itself where the slot does not hold it.
    struct Slot
    {
        std::atomic<qsizetype> job{0};
        ExaminedFile examined;
    };
    std::vector<Slot> m_slots;
    // The job the renaming thread is at: the examining thread stays ahead of
    // it, by at most the slots it has.
    std::atomic<qsizetype> m_renaming{0};
    std::thread m_examiner;
    std::thread m_thread;
};

} // namespace kestrava
