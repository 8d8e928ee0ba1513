// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RenameOptions.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace kestrava {

/// What one file gives the naming rules beyond its name: its folder, its
/// modification date and what the file says about itself. The rules never read
/// them from disk; the run and the preview do, and tests make them up. Every
/// value the file has nothing for stays empty.
struct FileFacts
{
    /// The name of the file's own folder.
    QString folder;
    std::optional<QDateTime> modified;
    /// When the photo or video was taken, as the file says.
    std::optional<QDateTime> taken;
    std::optional<QString> camera;
    std::optional<qint64> width;
    std::optional<qint64> height;
    std::optional<QString> artist;
    std::optional<QString> album;
    std::optional<QString> title;
    std::optional<QString> genre;
    std::optional<qint64> track;
    std::optional<qint64> year;

    friend bool operator==(const FileFacts &, const FileFacts &) = default;
};

/// How much of a file the names under some options read.
enum class FactsNeeded {
    None,     ///< the name alone, as always
    Dates,    ///< the folder and the modification date, which the file's entry gives
    Metadata, ///< what is inside the file as well
};

/// What the names under \a options read of each file: a template's fields,
/// date stamps that take their date from the file, and numbering by the date
/// a photo was taken.
FactsNeeded factsNeeded(const RenameOptions &options);

} // namespace kestrava
