// SPDX-License-Identifier: GPL-3.0-or-later
#include "TreeFilesCheck.h"

#include "FileNamePattern.h"
#include "RunSimulation.h"

#include <QFutureWatcher>
#include <QPromise>
#include <QThreadPool>

namespace kestrava {

TreeFilesCheck::TreeFilesCheck(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("treeFilesCheck"));
}

TreeFilesCheck::~TreeFilesCheck()
{
    cancel();
}

void TreeFilesCheck::start(const QString &startFolder, const QString &pattern)
{
    cancel();
    m_busy = true;
    m_cancelled = std::make_shared<std::atomic_bool>(false);
    const quint64 generation = ++m_generation;
    auto promise = std::make_shared<QPromise<bool>>();
    // The watcher goes with the check: a look that outlives it reports to nobody.
    auto *watcher = new QFutureWatcher<bool>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, generation] {
        watcher->deleteLater();
        if (generation != m_generation || !m_busy || watcher->future().resultCount() == 0)
            return;
        m_busy = false;
        Q_EMIT answered(watcher->future().result());
    });
    promise->start();
    watcher->setFuture(promise->future());
    QThreadPool::globalInstance()->start([promise, startFolder, pattern, cancelled = m_cancelled] {
        const bool hasFiles = treeHasFiles(startFolder, FileNamePattern(pattern), *cancelled);
        if (!cancelled->load())
            promise->addResult(hasFiles);
        promise->finish();
    });
}

void TreeFilesCheck::cancel()
{
    if (m_cancelled)
        m_cancelled->store(true);
    m_cancelled.reset();
    m_busy = false;
}

} // namespace kestrava
