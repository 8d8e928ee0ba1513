// SPDX-License-Identifier: GPL-3.0-or-later
#include "NameTemplate.h"

#include "Stamps.h"

#include <array>
#include <utility>

namespace kestrava {

namespace {

constexpr std::array<std::pair<TemplateField, QStringView>, 15> fieldNames{{
    {TemplateField::Name, u"name"},
    {TemplateField::Ext, u"ext"},
    {TemplateField::Folder, u"folder"},
    {TemplateField::Counter, u"counter"},
    {TemplateField::Modified, u"modified"},
    {TemplateField::Taken, u"taken"},
    {TemplateField::Camera, u"camera"},
    {TemplateField::Width, u"width"},
    {TemplateField::Height, u"height"},
    {TemplateField::Artist, u"artist"},
    {TemplateField::Album, u"album"},
    {TemplateField::Title, u"title"},
    {TemplateField::Track, u"track"},
    {TemplateField::Year, u"year"},
    {TemplateField::Genre, u"genre"},
}};

constexpr QStringView defaultDateFormat = u"yyyy-mm-dd";

std::optional<TemplateField> fieldNamed(QStringView name)
{
    for (const auto &[field, written] : fieldNames) {
        if (written == name)
            return field;
    }
    return std::nullopt;
}

QString allFields()
{
    QStringList written;
    for (const auto &entry : fieldNames)
        written.append(u'{' + entry.second.toString() + u'}');
    return written.join(QStringLiteral(", "));
}

TemplateError failure(TemplateError::Cause cause, QString written)
{
    QString message;
    switch (cause) {
    case TemplateError::Cause::UnknownField:
        message = QStringLiteral("Unknown field \"%1\"; the fields are %2").arg(written, allFields());
        break;
    case TemplateError::Cause::UnclosedBrace:
        message = QStringLiteral("\"%1\" has no closing \"}\"").arg(written);
        break;
    case TemplateError::Cause::StrayBrace:
        message = QStringLiteral("\"}\" without an opening \"{\"; write \"}}\" for the brace itself");
        break;
    case TemplateError::Cause::BadFormat:
        message = QStringLiteral("\"%1\": the date format must be one of %2").arg(written, dateFormats().join(u", "));
        break;
    case TemplateError::Cause::BadWidth:
        message = QStringLiteral("\"%1\": the track width must be a digit from 1 to 9").arg(written);
        break;
    case TemplateError::Cause::NoArgument:
        message = QStringLiteral("\"%1\": this field takes nothing after \":\"").arg(written);
        break;
    case TemplateError::Cause::Slash:
        message = QStringLiteral("\"/\" cannot be part of a file name");
        break;
    }
    return TemplateError{cause, std::move(written), std::move(message)};
}

// A value must not name another folder nor hold characters no one can see or
// type; both become "_".
QString safeValue(QString value)
{
    for (QChar &ch : value) {
        if (ch == u'/' || ch.category() == QChar::Other_Control)
            ch = u'_';
    }
    return value;
}

} // namespace

QString templateFieldName(TemplateField field)
{
    for (const auto &[known, written] : fieldNames) {
        if (known == field)
            return written.toString();
    }
    return {};
}

QString missingFieldMark(TemplateField field)
{
    switch (field) {
    case TemplateField::Taken:
        return QStringLiteral("no date taken");
    case TemplateField::Modified:
        return QStringLiteral("no date modified");
    default:
        return QStringLiteral("no ") + templateFieldName(field);
    }
}

std::expected<NameTemplate, TemplateError> NameTemplate::parse(QStringView text)
{
    NameTemplate parsed;
    Part part;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        const bool doubled = i + 1 < text.size() && text.at(i + 1) == ch;
        if (ch == u'/')
            return std::unexpected(failure(TemplateError::Cause::Slash, QStringLiteral("/")));
        if ((ch == u'{' || ch == u'}') && doubled) {
            part.text += ch;
            ++i;
            continue;
        }
        if (ch == u'}')
            return std::unexpected(failure(TemplateError::Cause::StrayBrace, QStringLiteral("}")));
        if (ch != u'{') {
            part.text += ch;
            continue;
        }
        const qsizetype close = text.indexOf(u'}', i + 1);
        if (close < 0)
            return std::unexpected(failure(TemplateError::Cause::UnclosedBrace, text.sliced(i).toString()));
        const QString written = text.sliced(i, close - i + 1).toString();
        const QStringView inside = text.sliced(i + 1, close - i - 1);
        const qsizetype colon = inside.indexOf(u':');
        const QStringView name = colon < 0 ? inside : inside.first(colon);
        const std::optional<QStringView> argument =
            colon < 0 ? std::nullopt : std::optional<QStringView>(inside.sliced(colon + 1));
        const std::optional<TemplateField> field = fieldNamed(name);
        if (!field)
            return std::unexpected(failure(TemplateError::Cause::UnknownField, written));
        part.field = field;
        if (*field == TemplateField::Modified || *field == TemplateField::Taken) {
            part.dateFormat = argument ? argument->toString() : defaultDateFormat.toString();
            if (!dateFormats().contains(part.dateFormat))
                return std::unexpected(failure(TemplateError::Cause::BadFormat, written));
        } else if (*field == TemplateField::Track && argument) {
            if (argument->size() != 1 || argument->front() < u'1' || argument->front() > u'9')
                return std::unexpected(failure(TemplateError::Cause::BadWidth, written));
            part.width = argument->front().unicode() - u'0';
        } else if (argument) {
            return std::unexpected(failure(TemplateError::Cause::NoArgument, written));
        }
        parsed.m_parts.append(std::move(part));
        part = Part();
        i = close;
    }
    if (!part.text.isEmpty())
        parsed.m_parts.append(std::move(part));
    return parsed;
}

std::expected<QString, MissingField> NameTemplate::expand(const TemplateValues &values) const
{
    QString result;
    for (const Part &part : m_parts) {
        result += part.text;
        if (!part.field)
            continue;
        const TemplateField field = *part.field;
        switch (field) {
        case TemplateField::Modified:
        case TemplateField::Taken: {
            const std::optional<QDateTime> when = values.dateTime(field);
            if (!when || !when->isValid())
                return std::unexpected(MissingField{field});
            result += dateText(part.dateFormat, *when);
            break;
        }
        case TemplateField::Width:
        case TemplateField::Height:
        case TemplateField::Track:
        case TemplateField::Year: {
            const std::optional<qint64> number = values.number(field);
            if (!number)
                return std::unexpected(MissingField{field});
            result += QString::number(*number).rightJustified(part.width, u'0');
            break;
        }
        default: {
            const std::optional<QString> text = values.text(field);
            if (!text)
                return std::unexpected(MissingField{field});
            result += safeValue(*text);
            break;
        }
        }
    }
    return result;
}

QString NameTemplate::placeholders() const
{
    QString result;
    for (const Part &part : m_parts) {
        result += part.text;
        if (part.field)
            result += u'[' + templateFieldName(*part.field) + u']';
    }
    return result;
}

bool NameTemplate::uses(TemplateField field) const
{
    for (const Part &part : m_parts) {
        if (part.field == field)
            return true;
    }
    return false;
}

} // namespace kestrava
