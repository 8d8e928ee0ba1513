// SPDX-License-Identifier: GPL-3.0-or-later
// Real photos and music files made by the tests: QImage writes the JPEGs,
// exiv2 their EXIF and TagLib the music tags. Link Qt6::Gui, exiv2lib and TagLib.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QList>
#include <QString>
#include <QTest>
#include <QtEndian>

#include <exiv2/exiv2.hpp>

// exiv2 0.27 hands images out as std::auto_ptr, which clang marks deprecated;
// its 0.28 replacement is not in Debian 12, so the warning is silenced here.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <taglib/fileref.h>
#include <taglib/tag.h>

namespace kestrava::testing {

using ExifTags = QList<std::pair<QString, QString>>;

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

inline QByteArray bigEndian32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

inline QByteArray box(const char *type, const QByteArray &body)
{
    return bigEndian32(quint32(8 + body.size())) + QByteArray(type, 4) + body;
}

// A small JPEG from Qt, with \a tags written into its EXIF by exiv2.
inline void makePhoto(const QString &path, const ExifTags &tags)
{
    QImage image(32, 16, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QVERIFY(image.save(path, "JPG"));
    if (tags.isEmpty())
        return;
    auto photo = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
    photo->readMetadata();
    Exiv2::ExifData exif;
    for (const auto &[key, value] : tags)
        exif[key.toStdString()] = value.toStdString();
    photo->setExifData(exif);
    photo->writeMetadata();
}

// MPEG-1 layer III frames of silence: 128 kbit/s at 44.1 kHz is 417 bytes a frame.
inline QByteArray mp3Bytes()
{
    QByteArray frame("\xFF\xFB\x90\x00", 4);
    frame.append(417 - 4, '\0');
    return frame.repeated(8);
}

// "fLaC" and the one block every FLAC stream needs, STREAMINFO: 44.1 kHz,
// stereo, 16 bits, 4096 samples a block.
inline QByteArray flacBytes()
{
    QByteArray info;
    info += QByteArray("\x10\x00\x10\x00", 4); // smallest and largest block
    info += QByteArray(6, '\0');               // frame sizes unknown
    const quint64 format = (quint64(44100) << 44) | (quint64(2 - 1) << 41) | (quint64(16 - 1) << 36);
    QByteArray packed(8, '\0');
    qToBigEndian(format, packed.data());
    info += packed;
    info += QByteArray(16, '\0'); // MD5 of the audio, unknown
    return QByteArray("fLaC\x80\x00\x00\x22", 8) + info + QByteArray("\xFF\xF8\x69\x08", 4) + QByteArray(64, '\0');
}

inline quint32 oggCrc(const QByteArray &page)
{
    quint32 crc = 0;
    for (const char byte : page) {
        crc ^= quint32(quint8(byte)) << 24;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x80000000u) ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
    }
    return crc;
}

inline QByteArray oggPage(const QList<QByteArray> &packets, quint8 flags, quint32 sequence, quint64 granule)
{
    QByteArray lacing;
    QByteArray body;
    for (const QByteArray &packet : packets) {
        qsizetype left = packet.size();
        for (; left >= 255; left -= 255)
            lacing += char(255);
        lacing += char(left);
        body += packet;
    }
    QByteArray page("OggS\0", 5);
    page += char(flags);
    QByteArray number(8, '\0');
    qToLittleEndian(granule, number.data());
    page += number + QByteArray("\x01\x00\x00\x00", 4); // stream serial number 1
    QByteArray counter(4, '\0');
    qToLittleEndian(sequence, counter.data());
    page += counter + QByteArray(4, '\0') + char(lacing.size()) + lacing + body;
    qToLittleEndian(oggCrc(page), page.data() + 22);
    return page;
}

// An Ogg Vorbis stream's three headers and one more page: identification
// (mono, 44.1 kHz), an empty comment header and a stand-in setup header.
inline QByteArray oggBytes()
{
    QByteArray identification("\x01vorbis", 7);
    identification += QByteArray("\0\0\0\0\x01", 5);
    QByteArray rate(4, '\0');
    qToLittleEndian(quint32(44100), rate.data());
    identification += rate + QByteArray(4, '\0') + QByteArray("\x00\xFA\x00\x00", 4) + QByteArray(4, '\0');
    identification += QByteArray("\xB8\x01", 2);
    const QByteArray comment = QByteArray("\x03vorbis", 7) + QByteArray("\x04\0\0\0test\0\0\0\0\x01", 13);
    const QByteArray setup = QByteArray("\x05vorbis", 7) + QByteArray(32, '\x01');
    return oggPage({identification}, 0x02, 0, 0) + oggPage({comment, setup}, 0x00, 1, 0)
        + oggPage({QByteArray(16, '\0')}, 0x04, 2, 44100);
}

// Gives the music file at \a path the tags of a track by Nina Simone: \a title,
// track \a track, of 1965.
inline void tagMusic(const QString &path, const QString &title, unsigned track)
{
    TagLib::FileRef file(QFile::encodeName(path).constData());
    QVERIFY(!file.isNull() && file.tag());
    file.tag()->setArtist(TagLib::String("Nina Simone", TagLib::String::UTF8));
    file.tag()->setAlbum(TagLib::String("Pastel Blues", TagLib::String::UTF8));
    file.tag()->setTitle(TagLib::String(title.toStdString(), TagLib::String::UTF8));
    file.tag()->setGenre(TagLib::String("Jazz", TagLib::String::UTF8));
    file.tag()->setTrack(track);
    file.tag()->setYear(1965);
    QVERIFY(file.save());
}

} // namespace kestrava::testing
