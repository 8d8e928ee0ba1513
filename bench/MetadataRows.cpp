// SPDX-License-Identifier: GPL-3.0-or-later
// The files preview of a folder of photos named by the date each was taken:
// the window reads every file's EXIF beside itself, against a bare loop that
// reads the same tag with exiv2 and nothing else.
#include "BenchContext.h"
#include "GapRecorder.h"
#include "WindowDriver.h"

#include "ErrorReporter.h"
#include "FileFactsReader.h"
#include "KestravaForm.h"
#include "PreviewPage.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>

#include <exiv2/exiv2.hpp>

#include <algorithm>
#include <cstdio>

// exiv2 0.27 hands images out as std::auto_ptr, which clang marks deprecated.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace kestrava::bench {

namespace {

constexpr int photoFiles = 10000;

// A small JPEG with the date it was taken, written once and copied: each
// copy is a file of its own to open and read.
bool makePhotoFolder(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return false;
    const QString first = folder + QStringLiteral("/photo00000.jpg");
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    if (!image.save(first, "JPG"))
        return false;
    auto photo = Exiv2::ImageFactory::open(QFile::encodeName(first).toStdString());
    photo->readMetadata();
    Exiv2::ExifData exif;
    exif["Exif.Photo.DateTimeOriginal"] = "2019:07:14 10:11:12";
    exif["Exif.Image.DateTime"] = "2021:01:01 00:00:00";
    exif["Exif.Image.Make"] = "Canon";
    exif["Exif.Image.Model"] = "Canon EOS 5D";
    photo->setExifData(exif);
    photo->writeMetadata();
    for (int i = 1; i < photoFiles; ++i) {
        if (!QFile::copy(first, folder + QStringLiteral("/photo%1.jpg").arg(i, 5, 10, QLatin1Char('0'))))
            return false;
    }
    return true;
}

// The same tag read by exiv2 alone, file by file.
int bareTakenLoop(const std::vector<std::string> &paths)
{
    int dated = 0;
    for (const std::string &path : paths) {
        try {
            auto image = Exiv2::ImageFactory::open(path);
            image->readMetadata();
            const Exiv2::ExifData &exif = image->exifData();
            const auto found = exif.findKey(Exiv2::ExifKey("Exif.Photo.DateTimeOriginal"));
            if (found != exif.end() && !found->toString().empty())
                ++dated;
        } catch (const Exiv2::AnyError &) {
        }
    }
    return dated;
}

Row gapRow(const std::vector<double> &gaps)
{
    const double worst = *std::max_element(gaps.begin(), gaps.end());
    return Row{QStringLiteral("longest event-loop gap, files preview of 10,000 JPEGs with {taken}"),
               formatMs(worst),
               QStringLiteral("median %1 (whole action, no grace)").arg(formatMs(median(gaps))),
               QStringLiteral("–"),
               QStringLiteral("≤ 100 ms"),
               worst <= 100.0,
               QString()};
}

} // namespace

void addPhotoRows(BenchContext &context)
{
    const QString folder = QString::fromStdString(context.root) + QStringLiteral("/photos");
    if (!makePhotoFolder(folder))
        failBench(QStringLiteral("cannot make the folder of 10,000 photos"));
    std::vector<std::string> paths;
    for (const QString &name : QDir(folder).entryList(QDir::Files, QDir::Name))
        paths.push_back(QFile::encodeName(folder + u'/' + name).toStdString());

    KestravaForm form;
    FailingReporter reporter;
    form.setErrorReporter(&reporter);
    form.show();
    settle(&form);
    openFolder(form, folder);
    control<QCheckBox>(form, "chkTemplate")->setChecked(true);
    control<QLineEdit>(form, "txtTemplate")->setText(QStringLiteral("{taken:yyyy-mm-dd hh.mm.ss} {name}"));
    auto *after = control<QPlainTextEdit>(form, "txtFilesPreviewNew");
    bool shown = false;
    const QMetaObject::Connection connection =
        QObject::connect(form.previewPage(), &PreviewPage::lookAheadShown, [&] { shown = true; });
    std::vector<double> gaps;
    Contender measured;
    measured.prepare = [&](int) {
        form.SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::Help));
        settle(form.SSTabStrip());
        // Every repetition reads every file, as the first preview of a folder does.
        sharedMetadataCache().clear();
        shown = false;
    };
    measured.run = [&](int) {
        const DrivenAction driven = driveThroughEventLoop(
            [&] { form.SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::PreviewResults)); },
            [&] { return shown && !form.previewPage()->isLookingAhead(); });
        if (!driven.finished)
            failBench(QStringLiteral("photo preview: did not finish within two minutes"));
        gaps.push_back(driven.longestGapMs);
    };
    measured.check = [&](int) {
        const QStringList lines = after->toPlainText().split(u'\n', Qt::SkipEmptyParts);
        if (lines.size() != photoFiles || lines.first() != u"2019-07-14 10.11.12 photo00000.jpg")
            failBench(QStringLiteral("photo preview: not every photo named by its date taken"));
    };
    int dated = 0;
    Contender baseline;
    baseline.run = [&](int) { dated = bareTakenLoop(paths); };
    baseline.check = [&](int) {
        if (dated != photoFiles)
            failBench(QStringLiteral("photo preview: the bare loop found %1 dates").arg(dated));
    };
    const PairTimes times = timePair(context.reps, measured, baseline);
    QObject::disconnect(connection);
    context.rows.push_back(timeRow(QStringLiteral("files preview of 10,000 JPEGs named by {taken} (window)"),
                                   QStringLiteral("bare exiv2 loop reading DateTimeOriginal"), times, 1.5));
    context.rows.push_back(gapRow(gaps));
}

} // namespace kestrava::bench
