// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace kestrava {

/// The creation date of the QuickTime or MP4 movie at \a path, read from its
/// movie header ("moov" then "mvhd"), in local wall-clock time held in UTC as
/// the EXIF dates are. Nothing when the file holds no such header or the
/// header leaves the date at zero, as many devices do.
std::optional<QDateTime> movieCreationDate(const QString &path);

} // namespace kestrava
