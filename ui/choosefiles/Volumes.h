// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace kestrava {

/// The drives of the drive list: mounted volumes, known by their root paths.
class Volumes
{
public:
    /// Root paths of the mounted volumes, sorted ignoring letter case; always
    /// holds the volume of \a mustInclude when that is given.
    static QStringList roots(const QString &mustInclude = QString());
    /// The root path of the volume holding \a path.
    static QString rootOf(const QString &path);
    /// Why the volume at \a rootPath cannot be used now (the system's text), or
    /// nothing when it looks ready. A ready volume may still refuse to be read.
    static std::optional<QString> notReadyReason(const QString &rootPath);
};

} // namespace kestrava
