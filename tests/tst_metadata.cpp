// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileMetadata.h"
#include "MediaFiles.h"
#include "MetadataCache.h"
#include "PhotoMetadata.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <exiv2/exiv2.hpp>

// exiv2 0.27 hands images out as std::auto_ptr, which clang marks deprecated;
// its 0.28 replacement is not in Debian 12, so the warning is silenced here.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <taglib/fileref.h>
#include <taglib/tag.h>

#include <atomic>
#include <ctime>
#include <thread>

using namespace kestrava;
using namespace kestrava::testing;

namespace {

void tagAudio(const QString &path)
{
    tagMusic(path, QStringLiteral("Sinnerman"), 10);
}

// The EXIF block exiv2 writes for \a tags: a TIFF header and its directories.
QByteArray tiffBlock(const ExifTags &tags)
{
    Exiv2::ExifData exif;
    for (const auto &[key, value] : tags)
        exif[key.toStdString()] = value.toStdString();
    Exiv2::Blob blob;
    Exiv2::ExifParser::encode(blob, Exiv2::littleEndian, exif);
    return QByteArray(reinterpret_cast<const char *>(blob.data()), qsizetype(blob.size()));
}

// A JPEG XL container: its signature box, "ftyp", an "Exif" box (four bytes
// of offset, then the TIFF block) and a stand-in codestream.
QByteArray jxlBytes(const ExifTags &tags)
{
    return QByteArray("\0\0\0\x0CJXL \x0D\x0A\x87\x0A", 12) + box("ftyp", QByteArray("jxl \0\0\0\0jxl ", 12))
        + box("Exif", QByteArray(4, '\0') + tiffBlock(tags))
        + box("jxlc", QByteArray("\xFF\x0A", 2) + QByteArray(16, '\0'));
}

// An MP4's "ftyp" and a "moov" holding a movie header of \a version with
// \a created seconds since 1904.
QByteArray movieBytes(int version, quint64 created)
{
    QByteArray header(1, char(version));
    header += QByteArray(3, '\0');
    QByteArray times(version == 1 ? 16 : 8, '\0');
    if (version == 1)
        qToBigEndian(created, times.data());
    else
        qToBigEndian(quint32(created), times.data());
    header += times + QByteArray(80, '\0');
    return box("ftyp", QByteArray("isom\0\0\x02\0isommp41", 16)) + box("moov", box("mvhd", header))
        + box("mdat", QByteArray(8, '\0'));
}

QDateTime wallClock(int year, int month, int day, int hour, int minute, int second)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC);
}

} // namespace

Q_DECLARE_METATYPE(ExifTags)
Q_DECLARE_METATYPE(std::optional<QDateTime>)
Q_DECLARE_METATYPE(std::optional<QString>)

class TestMetadata : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void photos_data();
    void photos();
    void photoSize();
    void jpegXl();
    void movies_data();
    void movies();
    void audio_data();
    void audio();
    void filesWithNothingToGive_data();
    void filesWithNothingToGive();
    void cacheReadsOncePerChange();
    void cacheFromManyThreads();

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }
};

void TestMetadata::initTestCase()
{
    // Movie headers count in UTC and show local time: fix the local zone.
    qputenv("TZ", "UTC");
    tzset();
    QVERIFY(m_dir.isValid());
}

void TestMetadata::photos_data()
{
    QTest::addColumn<ExifTags>("tags");
    QTest::addColumn<std::optional<QDateTime>>("taken");
    QTest::addColumn<std::optional<QString>>("camera");

    const QString original = "Exif.Photo.DateTimeOriginal";
    const QString digitized = "Exif.Photo.DateTimeDigitized";
    const QString changed = "Exif.Image.DateTime";
    const std::optional<QDateTime> none;
    const std::optional<QString> noCamera;
    QTest::newRow("no EXIF") << ExifTags() << none << noCamera;
    QTest::newRow("original") << ExifTags{{original, "2019:07:14 10:11:12"}}
                              << std::optional(wallClock(2019, 7, 14, 10, 11, 12)) << noCamera;
    QTest::newRow("original wins over DateTime")
        << ExifTags{{changed, "2023:01:01 08:00:00"}, {original, "2019:07:14 10:11:12"}}
        << std::optional(wallClock(2019, 7, 14, 10, 11, 12)) << noCamera;
    QTest::newRow("original wins over digitized")
        << ExifTags{{digitized, "2019:07:15 09:00:00"}, {original, "2019:07:14 10:11:12"}}
        << std::optional(wallClock(2019, 7, 14, 10, 11, 12)) << noCamera;
    QTest::newRow("digitized without original")
        << ExifTags{{changed, "2023:01:01 08:00:00"}, {digitized, "2019:07:15 09:00:00"}}
        << std::optional(wallClock(2019, 7, 15, 9, 0, 0)) << noCamera;
    QTest::newRow("DateTime alone is no date taken") << ExifTags{{changed, "2023:01:01 08:00:00"}} << none << noCamera;
    QTest::newRow("blank original, digitized next")
        << ExifTags{{original, "    :  :     :  :  "}, {digitized, "2019:07:15 09:00:00"}}
        << std::optional(wallClock(2019, 7, 15, 9, 0, 0)) << noCamera;
    QTest::newRow("zeros are no date") << ExifTags{{original, "0000:00:00 00:00:00"}} << none << noCamera;
    QTest::newRow("make and model") << ExifTags{{"Exif.Image.Make", "Apple"}, {"Exif.Image.Model", "iPhone 12"}} << none
                                    << std::optional<QString>("Apple iPhone 12");
    QTest::newRow("model repeats make") << ExifTags{{"Exif.Image.Make", "Canon"}, {"Exif.Image.Model", "Canon EOS 5D"}}
                                        << none << std::optional<QString>("Canon EOS 5D");
    QTest::newRow("model alone") << ExifTags{{"Exif.Image.Model", "X100V"}} << none << std::optional<QString>("X100V");
}

void TestMetadata::photos()
{
    QFETCH(ExifTags, tags);
    QFETCH(std::optional<QDateTime>, taken);
    QFETCH(std::optional<QString>, camera);
    const QString photo = path(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".jpg"));
    makePhoto(photo, tags);
    const FileMetadata metadata = readFileMetadata(photo);
    QCOMPARE(metadata.taken, taken);
    QCOMPARE(metadata.camera, camera);
    QCOMPARE(metadata.artist, std::nullopt);
}

void TestMetadata::photoSize()
{
    makePhoto(path("size.jpg"), {});
    const FileMetadata metadata = readFileMetadata(path("size.jpg"));
    QCOMPARE(metadata.width, 32);
    QCOMPARE(metadata.height, 16);
}

void TestMetadata::jpegXl()
{
    // exiv2 reads JPEG XL only with its BMFF support switched on.
    writeBytes(path("photo.jxl"),
               jxlBytes({{"Exif.Image.DateTime", "2023:01:01 08:00:00"},
                         {"Exif.Photo.DateTimeOriginal", "2021:05:06 07:08:09"},
                         {"Exif.Image.Make", "Fujifilm"}}));
    const FileMetadata metadata = readFileMetadata(path("photo.jxl"));
    QCOMPARE(metadata.taken, wallClock(2021, 5, 6, 7, 8, 9));
    QCOMPARE(metadata.camera, QStringLiteral("Fujifilm"));
}

void TestMetadata::movies_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<std::optional<QDateTime>>("taken");

    // 2020-02-29 12:34:56 UTC is 3665824496 seconds after 1904-01-01.
    QTest::newRow("version 0") << movieBytes(0, 3665824496u) << std::optional(wallClock(2020, 2, 29, 12, 34, 56));
    QTest::newRow("version 1") << movieBytes(1, 3665824496u) << std::optional(wallClock(2020, 2, 29, 12, 34, 56));
    QTest::newRow("zero is no date") << movieBytes(0, 0) << std::optional<QDateTime>();
    QTest::newRow("cut short") << movieBytes(0, 3665824496u).first(40) << std::optional<QDateTime>();
    QTest::newRow("no movie header") << box("ftyp", QByteArray("isom\0\0\x02\0", 8)) + box("moov", box("trak", {}))
                                     << std::optional<QDateTime>();
    QTest::newRow("box larger than the file")
        << bigEndian32(0xFFFFFFF0u) + QByteArray("ftypisom", 8) << std::optional<QDateTime>();
}

void TestMetadata::movies()
{
    QFETCH(QByteArray, bytes);
    QFETCH(std::optional<QDateTime>, taken);
    const QString movie = path(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".mp4"));
    writeBytes(movie, bytes);
    QCOMPARE(readFileMetadata(movie).taken, taken);
}

void TestMetadata::audio_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("tagged");

    QTest::newRow("mp3 tagged") << "tagged.mp3" << mp3Bytes() << true;
    QTest::newRow("mp3 bare") << "bare.mp3" << mp3Bytes() << false;
    QTest::newRow("flac tagged") << "tagged.flac" << flacBytes() << true;
    QTest::newRow("flac bare") << "bare.flac" << flacBytes() << false;
    QTest::newRow("ogg tagged") << "tagged.ogg" << oggBytes() << true;
    QTest::newRow("ogg bare") << "bare.ogg" << oggBytes() << false;
}

void TestMetadata::audio()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, tagged);
    writeBytes(path(name), bytes);
    if (tagged)
        tagAudio(path(name));
    const FileMetadata metadata = readFileMetadata(path(name));
    if (!tagged) {
        QCOMPARE(metadata, FileMetadata());
        return;
    }
    QCOMPARE(metadata.artist, QStringLiteral("Nina Simone"));
    QCOMPARE(metadata.album, QStringLiteral("Pastel Blues"));
    QCOMPARE(metadata.title, QStringLiteral("Sinnerman"));
    QCOMPARE(metadata.genre, QStringLiteral("Jazz"));
    QCOMPARE(metadata.track, 10);
    QCOMPARE(metadata.year, 1965);
    QCOMPARE(metadata.taken, std::nullopt);
}

void TestMetadata::filesWithNothingToGive_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");

    QByteArray noise;
    for (int i = 0; i < 4096; ++i)
        noise += char((i * 7919 + 13) % 251);
    QTest::newRow("empty jpg") << "empty.jpg" << QByteArray();
    QTest::newRow("noise as jpg") << "noise.jpg" << noise;
    QTest::newRow("noise as mp3") << "noise.mp3" << noise;
    QTest::newRow("noise as flac") << "noise.flac" << QByteArray("fLaC") + noise;
    QTest::newRow("noise as heic") << "noise.heic" << box("ftyp", QByteArray("heic\0\0\0\0", 8)) + noise;
    QTest::newRow("JPEG cut short") << "short.jpg"
                                    << QByteArray("\xFF\xD8\xFF\xE1\x7F\xFF"
                                                  "Exif\0\0II*\0",
                                                  16);
    QTest::newRow("text") << "notes.txt" << QByteArray("nothing to see");
}

void TestMetadata::filesWithNothingToGive()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    writeBytes(path(name), bytes);
    QCOMPARE(readFileMetadata(path(name)), FileMetadata());
    QCOMPARE(readFileMetadata(path("no such file.jpg")), FileMetadata());
    QCOMPARE(readFileMetadata(m_dir.path()), FileMetadata());
}

void TestMetadata::cacheReadsOncePerChange()
{
    std::atomic<int> reads = 0;
    MetadataCache cache([&reads](const QString &file) {
        ++reads;
        return readFileMetadata(file);
    });
    const QString photo = path("cached.jpg");
    makePhoto(photo, {{"Exif.Photo.DateTimeOriginal", "2019:07:14 10:11:12"}});
    QCOMPARE(cache.lookup(photo).metadata.taken, wallClock(2019, 7, 14, 10, 11, 12));
    const MetadataCache::Lookup again = cache.lookup(photo);
    QCOMPARE(again.metadata.taken, wallClock(2019, 7, 14, 10, 11, 12));
    QVERIFY(!again.changed);
    QCOMPARE(reads, 1);

    makePhoto(photo, {{"Exif.Photo.DateTimeOriginal", "2020:08:15 11:12:13"}, {"Exif.Image.Model", "X100V"}});
    const MetadataCache::Lookup changed = cache.lookup(photo);
    QVERIFY(changed.changed);
    QCOMPARE(changed.metadata.taken, wallClock(2020, 8, 15, 11, 12, 13));
    QCOMPARE(reads, 2);

    QVERIFY(QFile::remove(photo));
    QCOMPARE(cache.lookup(photo).metadata, FileMetadata());
    QCOMPARE(reads, 2);
    cache.clear();
    QCOMPARE(cache.size(), 0);
}

void TestMetadata::cacheFromManyThreads()
{
    QList<QString> files;
    for (int i = 0; i < 12; ++i) {
        files.append(path(QStringLiteral("threads%1.jpg").arg(i)));
        makePhoto(files.last(), {{"Exif.Photo.DateTimeOriginal", QStringLiteral("2019:07:%1 10:11:12").arg(i + 10)}});
    }
    MetadataCache cache;
    std::atomic<int> wrong = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < files.size(); ++i) {
                if (cache.metadata(files.at(i)).taken != wallClock(2019, 7, i + 10, 10, 11, 12))
                    ++wrong;
            }
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    QCOMPARE(wrong, 0);
    QCOMPARE(cache.size(), files.size());
}

QTEST_GUILESS_MAIN(TestMetadata)
#include "tst_metadata.moc"
