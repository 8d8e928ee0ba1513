// SPDX-License-Identifier: GPL-3.0-or-later
#include "RenameWorker.h"

#include <algorithm>
#include <chrono>

namespace kestrava {

namespace {

// How far the renames may run ahead of the reports.
constexpr qsizetype mostAhead = 256;
// The run's thread is woken when this many files more are done, or when the
// stretch ends: fewer wake-ups cost less than reporting each file at once.
constexpr qsizetype wakeEvery = 64;
// However slow the disk, the run's thread looks up this often.
constexpr std::chrono::milliseconds longestWait{30};
// How far ahead of the renames files are examined, and the shortest stretch
// worth a thread for it.
constexpr qsizetype examinedAhead = 512;
constexpr qsizetype shortestExamined = 256;

} // namespace

RenameWorker::RenameWorker(FileRenamer renamer, const OpenFolder &folder, const QString &folderPath,
                           std::vector<Job> jobs)
    : m_renamer(renamer)
    , m_folder(folder)
    , m_folderPath(folderPath)
    , m_jobs(std::move(jobs))
    , m_count(qsizetype(m_jobs.size()))
    , m_closed(true)
    , m_outcomes(size_t(std::min(mostAhead, qsizetype(m_jobs.size()))))
{
    start();
}

RenameWorker::RenameWorker(FileRenamer renamer, const OpenFolder &folder, const QString &folderPath,
                           qsizetype capacity)
    : m_renamer(renamer)
    , m_folder(folder)
    , m_folderPath(folderPath)
    , m_jobs(size_t(capacity))
    , m_keepsAll(true)
    , m_outcomes(size_t(capacity))
{
    start();
}

void RenameWorker::start()
{
    if (qsizetype(m_jobs.size()) >= shortestExamined && std::thread::hardware_concurrency() > 1) {
        m_slots = std::vector<Slot>(size_t(examinedAhead));
        m_examiner = std::thread([this] { examineAhead(); });
    }
    m_thread = std::thread([this] { work(); });
}

RenameWorker::~RenameWorker()
{
    stop();
}

size_t RenameWorker::slotOf(qsizetype index) const
{
    return size_t(m_keepsAll ? index : index % mostAhead);
}

qsizetype RenameWorker::add(Job job)
{
    const qsizetype index = m_count.load(std::memory_order_relaxed);
    m_jobs[size_t(index)] = std::move(job);
    m_count.store(index + 1);
    // Read after the count is published: either the renaming thread sees the
    // new job, or this sees it waiting and wakes it.
    if (m_starved.load()) {
        const std::lock_guard lock(m_mutex);
        m_wakeWorker.notify_one();
    }
    return index;
}

void RenameWorker::close()
{
    const std::lock_guard lock(m_mutex);
    m_closed.store(true);
    m_wakeWorker.notify_one();
}

bool RenameWorker::waitForJob(qsizetype index)
{
    if (index < m_count.load())
        return true;
    std::unique_lock lock(m_mutex);
    m_starved.store(true);
    m_wakeWorker.wait(lock, [&] { return index < m_count.load() || m_closed.load() || m_stop.load(); });
    m_starved.store(false);
    return index < m_count.load() && !m_stop.load();
}

void RenameWorker::stop()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop.store(true);
        m_wakeWorker.notify_one();
    }
    if (m_thread.joinable())
        m_thread.join();
    if (m_examiner.joinable())
        m_examiner.join();
}

void RenameWorker::work()
{
    for (qsizetype index = 0; waitForJob(index) && !m_stop.load(std::memory_order_relaxed); ++index) {
        if (!m_keepsAll && index >= m_reported.load() + mostAhead) {
            // Far enough ahead: wait until half the way is reported.
            std::unique_lock lock(m_mutex);
            m_workerWaitsFor.store(index - mostAhead / 2 + 1);
            m_wakeWorker.wait(lock, [&] { return m_reported.load() > index - mostAhead / 2 || m_stop.load(); });
            m_workerWaitsFor.store(std::numeric_limits<qsizetype>::max());
            if (m_stop.load())
                break;
        }
        const Job &job = m_jobs[size_t(index)];
        ExaminedFile *ahead = nullptr;
        if (!m_slots.empty()) {
            Slot &slot = m_slots[size_t(index % examinedAhead)];
            if (slot.job.load(std::memory_order_acquire) == index + 1)
                ahead = &slot.examined;
        }
        m_outcomes[slotOf(index)] = m_renamer.rename(m_folder, m_folderPath, *job.name, *job.newName, {}, ahead);
        // Done with the examined slot: the examining thread may fill it again.
        m_renaming.store(index + 1, std::memory_order_release);
        m_done.store(index + 1);
        // Read after the count is published: either the waiting thread sees the
        // new count, or this sees what it wants and wakes it.
        if (index + 1 >= m_wanted.load()) {
            const std::lock_guard lock(m_mutex);
            m_wake.notify_one();
        }
    }
    const std::lock_guard lock(m_mutex);
    m_finished.store(true);
    m_wake.notify_one();
}

// A file is examined only ahead of its rename, never after it: a job the
// renaming thread has reached is left to it. An earlier rename of the stretch
// never takes the name of a later job's file, so examining ahead sees the file
// the rename will move.
void RenameWorker::examineAhead()
{
    qsizetype index = 0;
    while (!m_stop.load(std::memory_order_relaxed)) {
        if (index >= m_count.load()) {
            if (m_closed.load() && index >= m_count.load())
                break;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            continue;
        }
        const qsizetype renaming = m_renaming.load(std::memory_order_acquire);
        if (index < renaming) {
            index = renaming;
            continue;
        }
        if (index >= renaming + examinedAhead) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            continue;
        }
        Slot &slot = m_slots[size_t(index % examinedAhead)];
        slot.examined = ExaminedFile();
        FileRenamer::examine(m_folder, *m_jobs[size_t(index)].name, slot.examined);
        slot.job.store(index + 1, std::memory_order_release);
        ++index;
    }
}

// The jobs before \a index are reported, and their slots free again.
void RenameWorker::reported(qsizetype index)
{
    m_reported.store(index);
    if (index >= m_workerWaitsFor.load()) {
        const std::lock_guard lock(m_mutex);
        m_wakeWorker.notify_one();
    }
}

void RenameWorker::waitFor(qsizetype index)
{
    std::unique_lock lock(m_mutex);
    m_wanted.store(std::min(index + wakeEvery, qsizetype(m_jobs.size())));
    m_wake.wait_for(lock, longestWait, [&] { return m_done.load() >= m_wanted.load() || m_finished.load(); });
}

} // namespace kestrava
