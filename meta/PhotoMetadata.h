// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileMetadata.h"

namespace kestrava {

/// Fills \a metadata's taken date, camera and size from the EXIF data of the
/// image at \a path, as far as exiv2 reads it. Video containers are left to
/// the movie header reader. Returns false when exiv2 could not read the file.
bool readPhotoMetadata(const QString &path, FileMetadata &metadata);

/// The date and time an EXIF date text ("2019:07:14 10:11:12") stands for, as a
/// wall-clock time held in UTC; nothing for a blank or malformed text.
std::optional<QDateTime> exifDateTime(const QString &text);

} // namespace kestrava
