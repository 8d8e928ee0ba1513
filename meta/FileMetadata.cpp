// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileMetadata.h"

#include "AudioTags.h"
#include "MovieHeader.h"
#include "PhotoMetadata.h"

namespace kestrava {

FileMetadata readFileMetadata(const QString &path)
{
    FileMetadata metadata;
    readPhotoMetadata(path, metadata);
    // A video's own EXIF (some cameras write it) comes first; its movie
    // header is the last place a taken date is looked for.
    if (!metadata.taken)
        metadata.taken = movieCreationDate(path);
    readAudioTags(path, metadata);
    return metadata;
}

} // namespace kestrava
