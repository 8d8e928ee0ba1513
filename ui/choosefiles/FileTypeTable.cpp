// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileTypeTable.h"

#include <QCoreApplication>

namespace kestrava {

void FileTypeTable::fill()
{
    static constexpr std::array<const char16_t *, RowCount> Extensions{u"*",   u"MP3",  u"DOC", u"XLS", u"TXT",
                                                                       u"HTM", u"HTML", u"GIF", u"JPG", u"JPEG",
                                                                       u"BMP", u"WAV",  u"MPG", u"MPEG"};
    static constexpr std::array<const char *, RowCount> Descriptions{
        QT_TRANSLATE_NOOP("kestrava::FileTypeTable", "All File Types"),
        QT_TRANSLATE_NOOP("kestrava::FileTypeTable", "MP3 Music Files"),
        QT_TRANSLATE_NOOP("kestrava::FileTypeTable", "Word Documents"),
        QT_TRANSLATE_NOOP("kestrava::FileTypeTable", "Excel Spreadsheets"),
        QT_TRANSLATE_NOOP("kestrava::FileTypeTable", "ASCII Text Files"),
        QT_TRANSLATE_NOOP("kestrava::FileTypeTable", "WEB Pages"),
        QT_TRANSLATE_NOOP("kestrava::FileTypeTable", "WEB Pages"),
        QT_TRANSLATE_NOOP("kestrava::FileTypeTable", "GIF Images"),
        QT_TRANSLATE_NOOP("kestrava::FileTypeTable", "JPEG Images"),
        QT_TRANSLATE_NOOP("kestrava::FileTypeTable", "JPEG Images"),
        QT_TRANSLATE_NOOP("kestrava::FileTypeTable", "Bitmap Images"),
        QT_TRANSLATE_NOOP("kestrava::FileTypeTable", "WAV Audio Files"),
        QT_TRANSLATE_NOOP("kestrava::FileTypeTable", "MPEG Video Clips"),
        QT_TRANSLATE_NOOP("kestrava::FileTypeTable", "MPEG Video Clips"),
    };
    for (int i = 0; i < RowCount; ++i)
        m_rows[size_t(i)].extension = QString::fromUtf16(Extensions[size_t(i)]);
    for (int i = 0; i < RowCount; ++i)
        m_rows[size_t(i)].description = QCoreApplication::translate("kestrava::FileTypeTable", Descriptions[size_t(i)]);
}

std::optional<FileType> FileTypeTable::row(int number) const
{
    if (number < 1 || number > RowCount)
        return std::nullopt;
    return m_rows[size_t(number - 1)];
}

std::optional<QString> FileTypeTable::pattern(int number) const
{
    const auto found = row(number);
    if (!found)
        return std::nullopt;
    return QStringLiteral("*.") + found->extension;
}

std::optional<QString> FileTypeTable::describe(const QString &text) const
{
    for (int number = 1; number <= RowCount; ++number) {
        if (pattern(number) == text)
            return row(number)->description;
    }
    return std::nullopt;
}

} // namespace kestrava
