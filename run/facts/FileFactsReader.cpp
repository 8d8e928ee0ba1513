// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileFactsReader.h"

#include "FileNameBytes.h"


#include <sys/stat.h>
#include <time.h>

namespace kestrava {

namespace {

void takeMetadata(FileFacts &facts, const FileMetadata &metadata)
{
    facts.taken = metadata.taken;
    facts.camera = metadata.camera;
    facts.width = metadata.width;
    facts.height = metadata.height;
    facts.artist = metadata.artist;
    facts.album = metadata.album;
    facts.title = metadata.title;
    facts.genre = metadata.genre;
    facts.track = metadata.track;
    facts.year = metadata.year;
}

// The time as the clock on the wall read it, to the second, held in UTC as the
// dates a camera writes are: a local QDateTime costs a time zone lookup each,
// which a preview of 10,000 files would feel.
QDateTime wallClock(qint64 secondsSinceEpoch)
{
    const time_t seconds = time_t(secondsSinceEpoch);
    struct tm local;
    if (!::localtime_r(&seconds, &local))
        return QDateTime::fromSecsSinceEpoch(secondsSinceEpoch, Qt::UTC);
    return QDateTime(QDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
                     QTime(local.tm_hour, local.tm_min, local.tm_sec), Qt::UTC);
}

std::optional<QDateTime> modificationTime(const QString &path)
{
    struct stat info;
    if (::stat(fileNameToBytes(path).constData(), &info) != 0)
        return std::nullopt;
    return wallClock(qint64(info.st_mtim.tv_sec));
}

} // namespace

MetadataCache &sharedMetadataCache()
{
    static MetadataCache cache;
    return cache;
}

QString folderOwnName(const QString &folderPath)
{
    QStringView path(folderPath);
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path.sliced(path.lastIndexOf(u'/') + 1).toString();
}

FactsLookup readFileFacts(const QString &folderPath, const QString &name, FactsNeeded needed, MetadataCache &cache)
{
    FactsLookup result;
    if (needed == FactsNeeded::None)
        return result;
    result.facts.folder = folderOwnName(folderPath);
    const QString path = folderPath + name;
    if (needed == FactsNeeded::Dates) {
        result.facts.modified = modificationTime(path);
        return result;
    }
    MetadataCache::Lookup lookup = cache.lookup(path);
    if (lookup.modified.isValid())
        result.facts.modified = wallClock(lookup.modified.toSecsSinceEpoch());
    takeMetadata(result.facts, lookup.metadata);
    if (lookup.before) {
        FileFacts before = result.facts;
        takeMetadata(before, *lookup.before);
        if (lookup.modifiedBefore.isValid())
            before.modified = wallClock(lookup.modifiedBefore.toSecsSinceEpoch());
        result.before = std::move(before);
    }
    return result;
}

} // namespace kestrava
