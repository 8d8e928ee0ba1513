// SPDX-License-Identifier: GPL-3.0-or-later
// The facts room: what the names read of each file beyond its name.
#pragma once

#include "FileFacts.h"
#include "MetadataCache.h"

#include <QString>

#include <optional>

namespace kestrava {

/// The metadata the window's previews, look aheads and runs all read through,
/// so that a run finds each file as its preview read it and reads only the
/// files changed since.
MetadataCache &sharedMetadataCache();

/// A file's facts, and for a file changed since they were last read, the
/// facts that read gave.
struct FactsLookup
{
    FileFacts facts;
    std::optional<FileFacts> before;
};

/// The facts of the file \a name in \a folderPath (ending in "/") as far as
/// \a needed asks: nothing, its folder and modification date, or its metadata
/// as well, read through \a cache.
FactsLookup readFileFacts(const QString &folderPath, const QString &name, FactsNeeded needed,
                          MetadataCache &cache = sharedMetadataCache());

/// The name of the folder \a folderPath (ending in "/" or not) itself: "Photos".
QString folderOwnName(const QString &folderPath);

} // namespace kestrava
