// SPDX-License-Identifier: GPL-3.0-or-later
#include "MetadataCache.h"

#include <QFile>
#include <QMutexLocker>

#include <sys/stat.h>

namespace kestrava {

MetadataCache::MetadataCache(Reader reader)
    : m_reader(std::move(reader))
{}

MetadataCache::Lookup MetadataCache::lookup(const QString &path)
{
    // One stat, and the time kept as the system gives it: a preview of 10,000
    // photos looks each up, and a file's entry and a local time cost more than
    // a read that finds the file unchanged.
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    const qint64 size = qint64(info.st_size);
    // Nanoseconds count: a file rewritten within the same second as its last
    // read is still a changed file where the file system keeps them.
    const qint64 stamp = qint64(info.st_mtim.tv_sec) * 1'000'000'000 + qint64(info.st_mtim.tv_nsec);
    const QDateTime modified = QDateTime::fromMSecsSinceEpoch(stamp / 1'000'000, Qt::UTC);
    bool changed = false;
    std::optional<FileMetadata> before;
    QDateTime modifiedBefore;
    {
        const QMutexLocker lock(&m_mutex);
        const auto found = m_entries.constFind(path);
        if (found != m_entries.cend()) {
            if (found->size == size && found->stamp == stamp)
                return {found->metadata, modified, false, std::nullopt, QDateTime()};
            changed = true;
            before = found->metadata;
            modifiedBefore = QDateTime::fromMSecsSinceEpoch(found->stamp / 1'000'000, Qt::UTC);
        }
    }
    Lookup result{m_reader(path), modified, changed, std::move(before), modifiedBefore};
    const QMutexLocker lock(&m_mutex);
    m_entries.insert(path, Entry{size, stamp, result.metadata});
    return result;
}

void MetadataCache::clear()
{
    const QMutexLocker lock(&m_mutex);
    m_entries.clear();
}

qsizetype MetadataCache::size() const
{
    const QMutexLocker lock(&m_mutex);
    return m_entries.size();
}

} // namespace kestrava
