// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileMetadata.h"

namespace kestrava {

/// Fills \a metadata's music tags from the file at \a path as TagLib reads them
/// (ID3, Vorbis comments, MP4 and more). Blank texts and zero numbers count as
/// missing. Files TagLib does not know are left alone.
void readAudioTags(const QString &path, FileMetadata &metadata);

} // namespace kestrava
