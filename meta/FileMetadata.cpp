// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileMetadata.h"

#include "AudioTags.h"
#include "MovieHeader.h"
#include "PhotoMetadata.h"

namespace kestrava {

FileMetadata readFileMetadata(const QString &path)
{
    FileMetadata metadata;
    const bool image = readPhotoMetadata(path, metadata);
    // A video's own EXIF (some cameras write it) comes first; its movie
    // header is the last place a taken date is looked for.
    if (!metadata.taken)
        metadata.taken = movieCreationDate(path);
    // A file exiv2 reads as an image holds no music tags: TagLib, which
    // would open it once more to find out, is spared.
    if (!image)
        readAudioTags(path, metadata);
    return metadata;
}

} // namespace kestrava
