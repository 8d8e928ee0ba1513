// SPDX-License-Identifier: GPL-3.0-or-later
#include "NewFilename.h"

#include "FileNameBytes.h"
#include "KeepingBytes.h"
#include "NameTemplate.h"
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

// Parsing a template costs more than filling it in: each thread keeps the last one it read.
const std::expected<NameTemplate, TemplateError> &templateOf(const RenameOptions &options)
{
    thread_local QString lastText;
    thread_local std::optional<std::expected<NameTemplate, TemplateError>> last;
    if (!last || lastText != options.nameTemplate) {
        last.emplace(NameTemplate::parse(options.nameTemplate));
        lastText = options.nameTemplate;
    }
    return *last;
}

// A file's values for its template: the facts the run read, and the name and
// counter the computation has in hand.
class FactValues : public TemplateValues
{
public:
    FactValues(const FileFacts &facts, const QString &base, const QString &extension, const QString &counter,
               bool takenFallback)
        : m_facts(facts)
        , m_base(base)
        , m_extension(extension)
        , m_counter(counter)
        , m_takenFallback(takenFallback)
    {}

    std::optional<QString> text(TemplateField field) const override
    {
        switch (field) {
        case TemplateField::Name:
            return m_base;
        case TemplateField::Ext:
            return m_extension;
        case TemplateField::Folder:
            return m_facts.folder.isEmpty() ? std::nullopt : std::optional<QString>(m_facts.folder);
        case TemplateField::Counter:
            return m_counter;
        case TemplateField::Camera:
            return m_facts.camera;
        case TemplateField::Artist:
            return m_facts.artist;
        case TemplateField::Album:
            return m_facts.album;
        case TemplateField::Title:
            return m_facts.title;
        case TemplateField::Genre:
            return m_facts.genre;
        default:
            return std::nullopt;
        }
    }
    std::optional<qint64> number(TemplateField field) const override
    {
        switch (field) {
        case TemplateField::Width:
            return m_facts.width;
        case TemplateField::Height:
            return m_facts.height;
        case TemplateField::Track:
            return m_facts.track;
        case TemplateField::Year:
            return m_facts.year;
        default:
            return std::nullopt;
        }
    }
    std::optional<QDateTime> dateTime(TemplateField field) const override
    {
        if (field == TemplateField::Modified)
            return m_facts.modified;
        if (field == TemplateField::Taken)
            return m_facts.taken || !m_takenFallback ? m_facts.taken : m_facts.modified;
        return std::nullopt;
    }

private:
    const FileFacts &m_facts;
    const QString &m_base;
    const QString &m_extension;
    const QString &m_counter;
    bool m_takenFallback;
};

bool hasDateStamp(const RenameOptions &options)
{
    return options.prefixDate || options.postfixDate;
}

// The date the stamps show for a file whose date comes from the file itself.
std::expected<QDateTime, RenameError> fileStampDate(const RenameOptions &options, const FileFacts &facts)
{
    if (options.dateSource == DateSource::Modified) {
        if (facts.modified)
            return *facts.modified;
        return std::unexpected(RenameError::missingValue(missingFieldMark(TemplateField::Modified)));
    }
    if (facts.taken)
        return *facts.taken;
    if (options.dateFallback && facts.modified)
        return *facts.modified;
    return std::unexpected(RenameError::missingValue(missingFieldMark(TemplateField::Taken)));
}

std::expected<QString, RenameError> buildNewName(const QString &oldName, const RenameOptions &options,
                                                 NameCounters &counters, QDate stampDate, QTime stampTime,
                                                 const FileFacts *facts = nullptr, bool standIns = false)
{
    const QStringView trimmed = withoutOuterSpaces(oldName);
    if (trimmed.isEmpty())
        return QString();
    // Sharing the old name's data when there is nothing to trim saves a copy.
    // A pattern that does not compile fails every name alike, before any counter moves.
    if (const std::optional<QString> patternError = findPatternError(options))
        return std::unexpected(RenameError::patternError(*patternError));
    if (const std::optional<QString> templateError = nameTemplateError(options))
        return std::unexpected(RenameError::templateError(*templateError));
    QString name = trimmed.size() == oldName.size() ? oldName : trimmed.toString();
    if (options.removeTildas)
        name.remove(u'~');

    // A name without a dot (README, Makefile) is all base and has no extension.
    const qsizetype dot = name.lastIndexOf(u'.');
    QString base = dot < 0 ? name : name.first(dot);
    QString extension = dot < 0 ? QString() : name.sliced(dot);

    // Everything a file may lack is looked at before any counter moves: a
    // file left alone takes no number.
    QString dateStandIn;
    if (hasDateStamp(options) && options.dateSource != DateSource::Today) {
        if (!facts) {
            if (standIns)
                dateStandIn = u'[' + templateFieldName(options.dateSource == DateSource::Taken ? TemplateField::Taken
                                                                                            : TemplateField::Modified)
                    + u']';
        } else {
            const auto when = fileStampDate(options, *facts);
            if (!when)
                return std::unexpected(when.error());
            stampDate = when->date();
            stampTime = when->time();
        }
    }
    if (options.useTemplate) {
        const NameTemplate &nameTemplate = *templateOf(options);
        // A template of the name and counter alone needs nothing of the file.
        static const FileFacts nothingRead;
        if (!facts && !standIns)
            facts = &nothingRead;
        if (!facts) {
            base = nameTemplate.placeholders();
        } else {
            int counter = counters.intPrefixCounter;
            QString counterText;
            if (nameTemplate.uses(TemplateField::Counter)) {
                const auto taken = takeCounterStamp(counter, options.numbering);
                if (!taken)
                    return std::unexpected(taken.error());
                counterText = *taken;
            }
            const FactValues values(*facts, base, extension, counterText, options.dateFallback);
            auto expanded = nameTemplate.expand(values);
            if (!expanded)
                return std::unexpected(RenameError::missingValue(expanded.error().mark()));
            base = std::move(*expanded);
            // The prefix counter stamp, when on, shows the same number and moves it itself.
            if (!options.prefixCounter)
                counters.intPrefixCounter = counter;
        }
    }
    if (const auto stamped = addStamps(base, options, counters, stampDate, stampTime, dateStandIn); !stamped)
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
    // Built to its size: a million new names kept by a preview or a run
    // would otherwise each carry the room a growing string leaves, 35 MB in all.
    if (extension.isEmpty())
        return fileNameAsOnDisk(base);
    QString newName;
    newName.reserve(base.size() + extension.size());
    newName.append(base).append(extension);
    return fileNameAsOnDisk(newName);
}

} // namespace

FactsNeeded factsNeeded(const RenameOptions &options)
{
    bool dates = false;
    if (hasDateStamp(options) && options.dateSource != DateSource::Today) {
        if (options.dateSource == DateSource::Taken)
            return FactsNeeded::Metadata;
        dates = true;
    }
    if (options.numbering.order == NumberOrder::Taken)
        return FactsNeeded::Metadata;
    if (options.useTemplate) {
        const auto &nameTemplate = templateOf(options);
        if (!nameTemplate)
            return dates ? FactsNeeded::Dates : FactsNeeded::None;
        for (const TemplateField field :
             {TemplateField::Taken, TemplateField::Camera, TemplateField::Width, TemplateField::Height,
              TemplateField::Artist, TemplateField::Album, TemplateField::Title, TemplateField::Track,
              TemplateField::Year, TemplateField::Genre}) {
            if (nameTemplate->uses(field))
                return FactsNeeded::Metadata;
        }
        if (nameTemplate->uses(TemplateField::Modified) || nameTemplate->uses(TemplateField::Folder))
            dates = true;
    }
    return dates ? FactsNeeded::Dates : FactsNeeded::None;
}

std::optional<QString> nameTemplateError(const RenameOptions &options)
{
    if (!options.useTemplate)
        return std::nullopt;
    const auto &nameTemplate = templateOf(options);
    if (nameTemplate)
        return std::nullopt;
    return nameTemplate.error().message;
}

std::optional<QString> findPatternError(const RenameOptions &options)
{
    return patternErrorOf(options);
}

std::expected<QString, RenameError> BuildNewFilename(const QString &oldName, const RenameOptions &options,
                                                     NameCounters &counters, QDate today, const FileFacts *facts)
{
    return buildNewName(oldName, options, counters, today, QTime(0, 0), facts, !facts);
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
