// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFuture>
#include <QFutureWatcher>
#include <QObject>
#include <QPromise>
#include <QThreadPool>

#include <memory>
#include <utility>

namespace kestrava {

/// Runs \a work, given the promise of its result, on a pool thread. \a watcher,
/// the owner's own for that kind of job, holds the job until it ends; then
/// \a done gets its future, unless the job was dropped (see dropJob()) or a
/// newer one of its kind took its place.
template<typename Result, typename Work, typename Done>
void runBeside(QObject *owner, QFutureWatcher<Result> *&watcher, Work &&work, Done &&done)
{
    auto promise = std::make_shared<QPromise<Result>>();
    auto *job = new QFutureWatcher<Result>(owner);
    watcher = job;
    QObject::connect(job, &QFutureWatcherBase::finished, owner,
                     [&watcher, job, done = std::forward<Done>(done)]() mutable {
                         if (job != watcher)
                             return;
                         watcher = nullptr;
                         job->deleteLater();
                         done(job->future());
                     });
    promise->start();
    job->setFuture(promise->future());
    QThreadPool::globalInstance()->start([promise, work = std::forward<Work>(work)]() mutable {
        work(*promise);
        promise->finish();
    });
}

/// Lets go of a job beside the window: it may still finish, but its result is
/// thrown away and nobody hears of it.
template<typename Result>
void dropJob(QFutureWatcher<Result> *&watcher, QObject *listener)
{
    if (!watcher)
        return;
    watcher->future().cancel();
    watcher->disconnect(listener);
    watcher->deleteLater();
    watcher = nullptr;
}

} // namespace kestrava
