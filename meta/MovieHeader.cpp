// SPDX-License-Identifier: GPL-3.0-or-later
#include "MovieHeader.h"

#include <QFile>
#include <QtEndian>

namespace kestrava {

namespace {

// Seconds from 1904-01-01, where QuickTime counts from, to 1970-01-01.
constexpr qint64 quickTimeEpochOffset = 2082844800;
// A damaged file may chain tiny boxes; a movie header lies well within these.
constexpr int maxBoxes = 4096;

struct Box
{
    QByteArray type;
    qint64 bodyStart = 0;
    qint64 end = 0;
};

// The box that starts at \a at and ends no later than \a limit.
std::optional<Box> readBox(QFile &file, qint64 at, qint64 limit)
{
    if (limit - at < 8 || !file.seek(at))
        return std::nullopt;
    const QByteArray head = file.read(8);
    if (head.size() != 8)
        return std::nullopt;
    quint64 size = qFromBigEndian<quint32>(head.constData());
    qint64 bodyStart = at + 8;
    if (size == 1) {
        const QByteArray large = file.read(8);
        if (large.size() != 8)
            return std::nullopt;
        size = qFromBigEndian<quint64>(large.constData());
        bodyStart += 8;
    } else if (size == 0) {
        size = quint64(limit - at); // the box runs to the end of its container
    }
    if (size < quint64(bodyStart - at) || size > quint64(limit - at))
        return std::nullopt;
    return Box{head.sliced(4), bodyStart, at + qint64(size)};
}

std::optional<Box> findBox(QFile &file, qint64 from, qint64 limit, QByteArrayView type)
{
    qint64 at = from;
    for (int count = 0; count < maxBoxes && at < limit; ++count) {
        const std::optional<Box> box = readBox(file, at, limit);
        if (!box)
            return std::nullopt;
        if (box->type == type)
            return box;
        at = box->end;
    }
    return std::nullopt;
}

bool startsLikeAMovie(QFile &file)
{
    const std::optional<Box> first = readBox(file, 0, file.size());
    if (!first)
        return false;
    for (const char *type : {"ftyp", "moov", "mdat", "wide", "free", "skip", "pnot"}) {
        if (first->type == QByteArrayView(type))
            return true;
    }
    return false;
}

} // namespace

std::optional<QDateTime> movieCreationDate(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !startsLikeAMovie(file))
        return std::nullopt;
    const std::optional<Box> movie = findBox(file, 0, file.size(), "moov");
    if (!movie)
        return std::nullopt;
    const std::optional<Box> header = findBox(file, movie->bodyStart, movie->end, "mvhd");
    if (!header || !file.seek(header->bodyStart))
        return std::nullopt;
    // Version 0 keeps the creation time in 32 bits, version 1 in 64.
    const QByteArray body = file.read(12);
    if (body.size() < 8)
        return std::nullopt;
    quint64 seconds = 0;
    if (body.at(0) == 1 && body.size() == 12)
        seconds = qFromBigEndian<quint64>(body.constData() + 4);
    else if (body.at(0) == 0)
        seconds = qFromBigEndian<quint32>(body.constData() + 4);
    if (seconds == 0 || seconds > quint64(std::numeric_limits<qint64>::max() / 2))
        return std::nullopt;
    // The header counts in UTC; a photo's clock shows local time, and so does
    // the taken date of a video.
    const QDateTime local =
        QDateTime::fromSecsSinceEpoch(qint64(seconds) - quickTimeEpochOffset, Qt::UTC).toLocalTime();
    if (!local.isValid() || local.date().year() > 9999)
        return std::nullopt;
    return QDateTime(local.date(), local.time(), Qt::UTC);
}

} // namespace kestrava
