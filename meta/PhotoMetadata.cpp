// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotoMetadata.h"

#include <QFile>

#include <exiv2/exiv2.hpp>

// exiv2 0.27 hands images out as std::auto_ptr, which clang marks deprecated;
// its 0.28 replacement is not in Debian 12, so the warning is silenced here.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

#include <exception>
#include <mutex>

namespace kestrava {

namespace {

// The XMP toolkit inside exiv2 keeps global state: it must be set up once,
// before any thread reads, with a lock of its own.
std::mutex xmpLock;

void lockXmp(void *, bool lock)
{
    if (lock)
        xmpLock.lock();
    else
        xmpLock.unlock();
}

void setUpExiv2()
{
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::XmpParser::initialize(lockXmp, nullptr);
        // HEIF, AVIF, CR3 and JXL are ISO base media files, which exiv2 reads
        // only when asked to.
        Exiv2::enableBMFF(true);
        // A damaged file is reported by the values it lacks, not by lines on
        // the terminal.
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    });
}

bool isVideo(int type)
{
    // exiv2's video readers are the least hardened part of it; the movie
    // header reader reads what is needed from these files. Their headers do
    // not compile on their own, hence their image type numbers here: RIFF,
    // Matroska, QuickTime and ASF.
    constexpr int riff = 20, matroska = 21, quickTime = 22, asf = 24;
    return type == riff || type == matroska || type == quickTime || type == asf;
}

std::optional<QString> exifText(const Exiv2::ExifData &exif, const char *key)
{
    const auto found = exif.findKey(Exiv2::ExifKey(key));
    if (found == exif.end())
        return std::nullopt;
    const QString text = QString::fromStdString(found->toString()).trimmed();
    if (text.isEmpty())
        return std::nullopt;
    return text;
}

std::optional<int> exifNumber(const Exiv2::ExifData &exif, const char *key)
{
    const auto found = exif.findKey(Exiv2::ExifKey(key));
    if (found == exif.end() || found->count() == 0)
        return std::nullopt;
    const long value = found->toLong();
    if (value <= 0)
        return std::nullopt;
    return int(value);
}

std::optional<QString> cameraName(const Exiv2::ExifData &exif)
{
    const std::optional<QString> make = exifText(exif, "Exif.Image.Make");
    const std::optional<QString> model = exifText(exif, "Exif.Image.Model");
    if (!model)
        return make;
    // "Canon" + "Canon EOS 5D" would say Canon twice.
    if (!make || model->startsWith(*make, Qt::CaseInsensitive))
        return model;
    return *make + u' ' + *model;
}

} // namespace

std::optional<QDateTime> exifDateTime(const QString &text)
{
    // EXIF writes "YYYY:MM:DD HH:MM:SS"; cameras without a clock write blanks
    // or zeros, which are no date at all.
    const QString trimmed = text.trimmed();
    if (trimmed.size() < 19)
        return std::nullopt;
    const QDate date = QDate::fromString(trimmed.first(10), QStringLiteral("yyyy:MM:dd"));
    const QTime time = QTime::fromString(trimmed.sliced(11, 8), QStringLiteral("HH:mm:ss"));
    if (!date.isValid() || !time.isValid() || trimmed.at(10) != u' ')
        return std::nullopt;
    return QDateTime(date, time, Qt::UTC);
}

bool readPhotoMetadata(const QString &path, FileMetadata &metadata)
{
    setUpExiv2();
    try {
        const Exiv2::Image::AutoPtr image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
        if (image.get() == nullptr || isVideo(image->imageType()))
            return false;
        image->readMetadata();
        const Exiv2::ExifData &exif = image->exifData();
        for (const char *key : {"Exif.Photo.DateTimeOriginal", "Exif.Photo.DateTimeDigitized"}) {
            if (const auto text = exifText(exif, key)) {
                if (const auto when = exifDateTime(*text)) {
                    metadata.taken = when;
                    break;
                }
            }
        }
        metadata.camera = cameraName(exif);
        const int width = image->pixelWidth();
        const int height = image->pixelHeight();
        metadata.width = width > 0 ? std::optional<int>(width) : exifNumber(exif, "Exif.Photo.PixelXDimension");
        metadata.height = height > 0 ? std::optional<int>(height) : exifNumber(exif, "Exif.Photo.PixelYDimension");
        return true;
    } catch (const std::exception &) {
        // Exiv2::Error and the standard library's errors alike: the file is
        // not one exiv2 can read, or is damaged. Its values stay empty.
        return false;
    } catch (...) {
        return false;
    }
}

} // namespace kestrava
