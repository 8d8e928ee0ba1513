// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringView>

#include <expected>
#include <optional>

namespace kestrava {

/// The fields a name template can hold, each written in braces: "{artist}".
enum class TemplateField {
    Name,     ///< the old base name
    Ext,      ///< the old extension, dot included
    Folder,   ///< the name of the file's own folder
    Counter,  ///< the prefix counter, as its stamp writes it
    Modified, ///< the file's modification date, "{modified:FORMAT}"
    Taken,    ///< when the photo or video was taken, "{taken:FORMAT}"
    Camera,
    Width,
    Height,
    Artist,
    Album,
    Title,
    Track, ///< "{track:2}" pads it with zeros to two digits
    Year,
    Genre,
};

/// The name a field is written with, without braces: "artist".
QString templateFieldName(TemplateField field);

/// The mark a file gets when it lacks a field's value: "no artist", and "no
/// date taken" for the taken date.
QString missingFieldMark(TemplateField field);

/// Where the values of one file come from. The naming rules know nothing of
/// how they are read; the run reads them from the file, tests make them up.
class TemplateValues
{
public:
    virtual ~TemplateValues() = default;
    /// Name, Ext, Folder, Counter, Camera, Artist, Album, Title, Genre.
    virtual std::optional<QString> text(TemplateField field) const = 0;
    /// Width, Height, Track, Year.
    virtual std::optional<qint64> number(TemplateField field) const = 0;
    /// Modified, Taken.
    virtual std::optional<QDateTime> dateTime(TemplateField field) const = 0;
};

/// Why a template text cannot be used. The message names the fault and the
/// field as written; the cause and the field let a window say it in its own
/// language.
struct TemplateError
{
    enum class Cause {
        UnknownField,  ///< "{artst}": no field has that name
        UnclosedBrace, ///< "{" without its "}"
        StrayBrace,    ///< "}" without its "{"
        BadFormat,     ///< a date format that is not one of the date lists'
        BadWidth,      ///< a track width that is not 1 to 9
        NoArgument,    ///< ":" after a field that takes nothing after it
        Slash,         ///< "/" in the text, which would name another folder
    };
    Cause cause = Cause::UnknownField;
    /// The field as written, braces included ("{artst}"), or the character.
    QString written;
    QString message;

    friend bool operator==(const TemplateError &, const TemplateError &) = default;
};

/// A file that lacks the value of a field its template needs.
struct MissingField
{
    TemplateField field = TemplateField::Name;
    /// "no artist", "no date taken": the mark the preview shows.
    QString mark() const { return missingFieldMark(field); }

    friend bool operator==(const MissingField &, const MissingField &) = default;
};

/// A name template such as "{taken:yyyy-mm-dd} {artist} - {track:2} {title}":
/// text, and fields in braces that each file fills in. "{{" and "}}" stand for
/// a brace of the text itself.
class NameTemplate
{
public:
    /// Reads \a text. A bare "{modified}" or "{taken}" uses "yyyy-mm-dd".
    static std::expected<NameTemplate, TemplateError> parse(QStringView text);

    /// The base name \a values give: each field's value, with "/" and control
    /// characters made "_". The first field without a value fails.
    std::expected<QString, MissingField> expand(const TemplateValues &values) const;
    /// The template with each field shown as "[artist]", for the sample names,
    /// which have no file behind them.
    QString placeholders() const;
    /// Whether the template holds \a field.
    bool uses(TemplateField field) const;

private:
    struct Part
    {
        QString text; ///< the text before the field
        std::optional<TemplateField> field;
        QString dateFormat;
        int width = 0;
    };
    QList<Part> m_parts;
};

} // namespace kestrava
