// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace kestrava {

/// What one file says about itself. Every value is optional: a file that has
/// nothing to give for a value leaves it empty, never a guess.
struct FileMetadata
{
    /// When the photo or video was taken: EXIF DateTimeOriginal, then
    /// DateTimeDigitized, then the QuickTime/MP4 creation date. Never EXIF
    /// DateTime, which editors rewrite on every save. The camera's own clock
    /// carries no time zone, so the value is the wall-clock time as written,
    /// held in UTC so that no conversion shifts it.
    std::optional<QDateTime> taken;
    /// The camera's make and model ("Canon EOS 5D"); the make is left out when
    /// the model already starts with it.
    std::optional<QString> camera;
    std::optional<int> width;
    std::optional<int> height;
    std::optional<QString> artist;
    std::optional<QString> album;
    std::optional<QString> title;
    std::optional<QString> genre;
    std::optional<int> track;
    std::optional<int> year;

    friend bool operator==(const FileMetadata &, const FileMetadata &) = default;
};

/// Reads \a path's metadata afresh: photo and video values through exiv2 (with
/// its BMFF support on, for HEIF, AVIF, CR3 and JXL) and the QuickTime/MP4
/// movie header, music tags through TagLib. Never throws: a file that cannot be
/// read, or is not of a kind either library knows, gives empty values.
FileMetadata readFileMetadata(const QString &path);

} // namespace kestrava
