// SPDX-License-Identifier: GPL-3.0-or-later
#include "MetadataCache.h"

#include <QFileInfo>
#include <QMutexLocker>

namespace kestrava {

MetadataCache::MetadataCache(Reader reader)
    : m_reader(std::move(reader))
{}

MetadataCache::Lookup MetadataCache::lookup(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    const qint64 size = info.size();
    // Milliseconds count: a file rewritten within the same second as its
    // last read is still a changed file where the file system keeps them.
    const QDateTime modified = info.lastModified();
    bool changed = false;
    std::optional<FileMetadata> before;
    QDateTime modifiedBefore;
    {
        const QMutexLocker lock(&m_mutex);
        const auto found = m_entries.constFind(path);
        if (found != m_entries.cend()) {
            if (found->size == size && found->modified == modified)
                return {found->metadata, modified, false, std::nullopt, QDateTime()};
            changed = true;
            before = found->metadata;
            modifiedBefore = found->modified;
        }
    }
    Lookup result{m_reader(path), modified, changed, std::move(before), modifiedBefore};
    const QMutexLocker lock(&m_mutex);
    m_entries.insert(path, Entry{size, modified, result.metadata});
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
