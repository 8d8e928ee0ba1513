// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>
#include <optional>

namespace kestrava {

/// One row of the file-type table: an extension (without "*.") and what it is.
struct FileType
{
    QString extension;
    QString description;
};

/// The fixed file types behind the filter combo, rows numbered 1 to 14.
/// Rows are empty until fill() runs.
class FileTypeTable
{
public:
    static constexpr int RowCount = 14;

    /// Fills every row: all the extensions first, then all the descriptions.
    void fill();

    /// The row numbered \a number, or nothing for a number outside 1 to 14.
    std::optional<FileType> row(int number) const;
    /// The filter pattern of row \a number: "*." followed by its extension.
    std::optional<QString> pattern(int number) const;
    /// The description of the first row whose pattern equals \a text exactly
    /// (letter case counts), or nothing when no row's does.
    std::optional<QString> describe(const QString &text) const;

private:
    std::array<FileType, RowCount> m_rows;
};

} // namespace kestrava
