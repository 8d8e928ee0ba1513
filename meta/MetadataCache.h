// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileMetadata.h"

#include <QDateTime>
#include <QHash>
#include <QMutex>
#include <QString>

#include <functional>
#include <optional>

namespace kestrava {

/// The metadata of files read once and kept by path, size and modification
/// time: a preview reads each file once however often it asks, and a later
/// look at a file changed since (another size or time) reads it again. Safe
/// to use from several threads at once; reads run outside the lock, so two
/// threads may read the same new file at the same moment, and the later
/// result is kept.
class MetadataCache
{
public:
    /// Reads with \a reader in place of readFileMetadata() (tests count reads).
    using Reader = std::function<FileMetadata(const QString &path)>;
    explicit MetadataCache(Reader reader = readFileMetadata);

    /// What a lookup gives: the values and whether they were read afresh
    /// because the file changed since its last lookup.
    struct Lookup
    {
        FileMetadata metadata;
        /// The file's modification time (in UTC), when it could be read.
        QDateTime modified;
        /// The file was read before, with another size or time.
        bool changed = false;
        /// For a changed file: what the earlier read gave, and the time the file had then.
        std::optional<FileMetadata> before;
        QDateTime modifiedBefore;
    };

    /// The metadata of the file at \a path, read from the file only when it
    /// was not read before or has changed since. A file that is gone gives
    /// empty values and is not kept.
    Lookup lookup(const QString &path);
    /// The same, without the bookkeeping.
    FileMetadata metadata(const QString &path) { return lookup(path).metadata; }

    /// Forgets every file.
    void clear();
    /// How many files are kept.
    qsizetype size() const;

private:
    struct Entry
    {
        qint64 size = -1;
        /// The modification time in nanoseconds since the epoch.
        qint64 stamp = 0;
        FileMetadata metadata;
    };

    Reader m_reader;
    mutable QMutex m_mutex;
    QHash<QString, Entry> m_entries;
};

} // namespace kestrava
