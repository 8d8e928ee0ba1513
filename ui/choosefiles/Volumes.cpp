// SPDX-License-Identifier: GPL-3.0-or-later
#include "Volumes.h"

#include <QStorageInfo>

#include <algorithm>

#include <cerrno>
#include <cstring>

namespace kestrava {

QStringList Volumes::roots(const QString &mustInclude)
{
    QStringList roots;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (!roots.contains(volume.rootPath()))
            roots.append(volume.rootPath());
    }
    if (!mustInclude.isEmpty()) {
        const QString own = rootOf(mustInclude);
        if (!own.isEmpty() && !roots.contains(own))
            roots.append(own);
    }
    std::stable_sort(roots.begin(), roots.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return roots;
}

QString Volumes::rootOf(const QString &path)
{
    return QStorageInfo(path).rootPath();
}

std::optional<QString> Volumes::notReadyReason(const QString &rootPath)
{
    const QStorageInfo volume(rootPath);
    if (volume.isValid() && !volume.isReady())
        return QString::fromLocal8Bit(std::strerror(ENOMEDIUM));
    return std::nullopt;
}

} // namespace kestrava
