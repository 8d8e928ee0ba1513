// SPDX-License-Identifier: GPL-3.0-or-later
#include "TreeLookAhead.h"

#include "FileFactsReader.h"
#include "FileNamePattern.h"
#include "NewFilename.h"

#include <QThread>

namespace kestrava {

TreeLookAhead::TreeLookAhead(QObject *parent)
    : QObject(parent)
{}

TreeLookAhead::~TreeLookAhead()
{
    cancel();
    for (QThread *thread : std::as_const(m_threads)) {
        thread->wait();
        delete thread;
    }
}

void TreeLookAhead::cancel()
{
    if (m_cancelled)
        m_cancelled->store(true);
    m_cancelled.reset();
    m_busy = false;
    ++m_generation;
}

void TreeLookAhead::start(const TreeLookAheadRequest &request)
{
    cancel();
    m_busy = true;
    auto cancelled = std::make_shared<std::atomic_bool>(false);
    m_cancelled = cancelled;
    const quint64 generation = m_generation;
    QThread *thread = QThread::create([this, request, cancelled, generation] {
        NameCounters counters = request.counters;
        const FactsNeeded needed = factsNeeded(request.options);
        QString folderPath;
        // A given-up walk still finishes reading its folders, but computes no
        // more names: its result is thrown away.
        const SimulatedNames names = [&](const QString &oldName) -> std::expected<QString, RenameError> {
            if (cancelled->load(std::memory_order_relaxed))
                return std::unexpected(RenameError::invalidArgument());
            if (needed == FactsNeeded::None)
                return BuildNewFilename(oldName, request.options, counters, request.today);
            const FactsLookup facts = readFileFacts(folderPath, oldName, needed);
            return BuildNewFilename(oldName, request.options, counters, request.today, &facts.facts);
        };
        const auto folderEntered = [&](const QString &path) { folderPath = path; };
        // Counters that start again in each folder go back to what they were loaded with.
        const auto restartCounters = [&] { counters = request.counters; };
        TreeSimulation result = simulateTree(request.startFolder, FileNamePattern(request.pattern), names,
                                             request.settings, {}, {request.options.numbering, restartCounters, folderEntered});
        if (cancelled->load())
            return;
        QMetaObject::invokeMethod(
            this,
            [this, generation, result = std::move(result)] {
                if (generation != m_generation)
                    return;
                m_busy = false;
                Q_EMIT finished(result);
            },
            Qt::QueuedConnection);
    });
    m_threads.append(thread);
    connect(thread, &QThread::finished, this, [this, thread] {
        m_threads.removeOne(thread);
        thread->deleteLater();
    });
    thread->start(QThread::LowPriority);
}

} // namespace kestrava
