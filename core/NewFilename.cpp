// SPDX-License-Identifier: GPL-3.0-or-later
#include "NewFilename.h"

#include "FileNameBytes.h"
#include "KeepingBytes.h"
#include "PatternReplacement.h"
#include "SpaceTrim.h"
#include "Stamps.h"

#include <utility>

namespace kestrava {

namespace {

void convertCase(QString &base, QString &extension, CaseConversion conversion)
{
    switch (conversion) {
    case CaseConversion::Capitalise:
        base = Capitalise(base);
        extension = Capitalise(extension);
        break;
    case CaseConversion::Uppercase:
        base = toUpperKeepingBytes(std::move(base));
        extension = toUpperKeepingBytes(std::move(extension));
        break;
    case CaseConversion::Lowercase:
        base = toLowerKeepingBytes(std::move(base));
        extension = toLowerKeepingBytes(std::move(extension));
        break;
    case CaseConversion::Ignore:
        break;
    }
}

void convertUnderscores(QString &base, UnderscoreConversion conversion)
{
    static const QString underscore = QStringLiteral("_");
    switch (conversion) {
    case UnderscoreConversion::Remove:
        replaceChar(base, underscore, QString());
        break;
    case UnderscoreConversion::ToSpaces:
        replaceChar(base, underscore, QStringLiteral(" "));
        break;
    case UnderscoreConversion::ToDashes:
        replaceChar(base, underscore, QStringLiteral("-"));
        break;
    case UnderscoreConversion::ToDots:
        replaceChar(base, underscore, QStringLiteral("."));
        break;
    case UnderscoreConversion::Ignore:
        break;
    }
}

void convertSpaces(QString &base, SpaceConversion conversion)
{
    static const QString space = QStringLiteral(" ");
    switch (conversion) {
    case SpaceConversion::Remove:
        replaceChar(base, space, QString());
        break;
    case SpaceConversion::ToUnderscores:
        replaceChar(base, space, QStringLiteral("_"));
        break;
    case SpaceConversion::ToDashes:
        replaceChar(base, space, QStringLiteral("-"));
        break;
    case SpaceConversion::ToDots:
        replaceChar(base, space, QStringLiteral("."));
        break;
    case SpaceConversion::Ignore:
        break;
    }
}

std::expected<void, RenameError> trimBase(QString &base, QStringView trimLength)
{
    const std::optional<qint16> parsed = parseTrimLength(trimLength);
    if (!parsed)
        return std::unexpected(RenameError::invalidArgument());
    qsizetype length = *parsed > 0 ? *parsed : limits::defaultTrimLength;
    if (length >= base.size())
        return {};
    // Cutting between the two halves of a surrogate pair would leave half a
    // character, which no file name can hold; keep the whole pair out instead.
    if (base.at(length - 1).isHighSurrogate() && base.at(length).isLowSurrogate())
        --length;
    base.truncate(length);
    return {};
}

// Compiling a pattern costs far more than matching it, and the window fills a
// fresh record for every name: each thread keeps the last pattern it compiled.
const PatternReplacement &patternOf(const RenameOptions &options)
{
    thread_local std::optional<PatternReplacement> last;
    if (!last || last->pattern() != options.findText || last->replacement() != options.replaceText
        || last->matchCase() != options.findMatchCase)
        last.emplace(options.findText, options.replaceText, options.findMatchCase);
    return *last;
}

std::optional<QString> patternErrorOf(const RenameOptions &options)
{
    if (!options.findRegex || options.findText.isEmpty())
        return std::nullopt;
    const PatternReplacement &pattern = patternOf(options);
    if (pattern.isValid())
        return std::nullopt;
    return pattern.errorText();
}

std::expected<QString, RenameError> buildNewName(const QString &oldName, const RenameOptions &options,
                                                 NameCounters &counters, QDate stampDate, QTime stampTime)
{
    const QStringView trimmed = withoutOuterSpaces(oldName);
    if (trimmed.isEmpty())
        return QString();
    // Sharing the old name's data when there is nothing to trim saves a copy.
    // A pattern that does not compile fails every name alike, before any counter moves.
    if (const std::optional<QString> patternError = findPatternError(options))
        return std::unexpected(RenameError::patternError(*patternError));
    QString name = trimmed.size() == oldName.size() ? oldName : trimmed.toString();
    if (options.removeTildas)
        name.remove(u'~');

    // A name without a dot (README, Makefile) is all base and has no extension.
    const qsizetype dot = name.lastIndexOf(u'.');
    QString base = dot < 0 ? name : name.first(dot);
    QString extension = dot < 0 ? QString() : name.sliced(dot);

    if (const auto stamped = addStamps(base, options, counters, stampDate, stampTime); !stamped)
        return std::unexpected(stamped.error());
    convertCase(base, extension, options.caseConversion);
    convertUnderscores(base, options.underscores);
    convertSpaces(base, options.spaces);
    // QString::replace finds every match in the text as it was before any
    // replacement, so inserted text is never searched again; so does a pattern.
    if (!options.findText.isEmpty() && options.findRegex)
        base = patternOf(options).replaced(base);
    else if (!options.findText.isEmpty())
        base.replace(options.findText, options.replaceText,
                     options.findMatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive);
    if (options.trimFilename) {
        if (const auto cut = trimBase(base, options.trimLength); !cut)
            return std::unexpected(cut.error());
    }
    // A rule may join bytes that are not UTF-8 on their own into bytes that
    // are (a removed tilde between them, a byte found and replaced): the name
    // is given as the disk will hold it, so that it compares with the names
    // there as the disk compares them.
    return fileNameAsOnDisk(base + extension);
}

} // namespace

std::optional<QString> findPatternError(const RenameOptions &options)
{
    return patternErrorOf(options);
}

std::expected<QString, RenameError> BuildNewFilename(const QString &oldName, const RenameOptions &options,
                                                     NameCounters &counters, QDate today)
{
    return buildNewName(oldName, options, counters, today, QTime(0, 0));
}

std::expected<QString, RenameError> BuildNewFilename(const QString &oldName, const RenameOptions &options,
                                                     NameCounters &counters, const QDateTime &stampTime)
{
    return buildNewName(oldName, options, counters, stampTime.date(), stampTime.time());
}

QString Capitalise(QString &strToCaps)
{
    strToCaps = toLowerKeepingBytes(std::move(strToCaps));
    QString result = strToCaps;
    bool wordStart = true;
    for (qsizetype i = 0; i < result.size(); ++i) {
        const char16_t ch = result.at(i).unicode();
        // Character codes decide, not the locale: only a to z and the
        // apostrophe belong to a word, so "é" starts a new word after it.
        if ((ch < u'a' || ch > u'z') && ch != u'\'') {
            wordStart = true;
        } else if (wordStart) {
            if (ch != u'\'')
                result[i] = QChar(char16_t(ch - u'a' + u'A'));
            wordStart = false;
        }
    }
    return result;
}

void replaceChar(QString &strReplace, const QString &findChar, const QString &replaceChar)
{
    if (findChar.size() != 1)
        return;
    strReplace.replace(findChar.front(), replaceChar, Qt::CaseSensitive);
}

std::optional<qint16> parseTrimLength(QStringView text)
{
    text = withoutOuterSpaces(text);
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'+' || text.front() == u'-')) {
        negative = text.front() == u'-';
        text = text.sliced(1);
    }
    if (text.isEmpty())
        return std::nullopt;
    int value = 0;
    for (const QChar ch : text) {
        const char16_t code = ch.unicode();
        if (code < u'0' || code > u'9')
            return std::nullopt;
        value = value * 10 + (code - u'0');
        if (value > 32768)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > 32767)
        return std::nullopt;
    return qint16(value);
}

} // namespace kestrava
