// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliArguments.h"

#include "FieldCorrections.h"
#include "FileNamePattern.h"
#include "NewFilename.h"
#include "PresetStore.h"
#include "Stamps.h"

#include "NameText.h"

#include <algorithm>
#include <optional>
#include <sys/stat.h>
#include <utility>

namespace kestrava::cli {

namespace {

using Option = QCommandLineOption;

const Option
    optApply({QStringLiteral("x"), QStringLiteral("apply")},
             QStringLiteral("Rename the files. Without it nothing is renamed and the results are only shown."));
const Option optUndo(QStringLiteral("undo"),
                     QStringLiteral("Undo the newest run not yet undone, made here or in the window."));
const Option optRemoveTildes(QStringLiteral("remove-tildes"),
                             QStringLiteral("Remove tildes (~) from the names. Default: off."));
const Option optSpaces(QStringLiteral("spaces"),
                       QStringLiteral("Spaces: ignore, remove, underscores, dashes or dots. Default: ignore."),
                       QStringLiteral("WORD"));
const Option optUnderscores(QStringLiteral("underscores"),
                            QStringLiteral("Underscores: ignore, remove, spaces, dashes or dots. Default: ignore."),
                            QStringLiteral("WORD"));
const Option optCase(QStringLiteral("case"),
                     QStringLiteral("Letter case: ignore, capitalise, lower or upper. Default: ignore."),
                     QStringLiteral("WORD"));
const Option optFind(QStringLiteral("find"),
                     QStringLiteral("Find this text (at most 50 characters, letter case ignored unless "
                                    "--match-case). Default: none."),
                     QStringLiteral("TEXT"));
const Option optRegex(QStringLiteral("regex"),
                      QStringLiteral("Read --find as a Perl-compatible regular expression; --replace may hold $0 to "
                                     "$99, ${name}, $$, \\U, \\L, \\E, \\u and \\l. Default: off."));
const Option optMatchCase(QStringLiteral("match-case"),
                          QStringLiteral("Letter case counts in --find, as text or expression. Default: off."));
const Option optWhenTaken(QStringLiteral("when-taken"),
                          QStringLiteral("A file whose new name is taken: leave (as it is) or number (gets the lowest "
                                         "free 'name (2).ext', counting from 2). Default: leave."),
                          QStringLiteral("WORD"));
const Option optReplace(QStringLiteral("replace"),
                        QStringLiteral("Replace what --find found with this text. Default: empty, which removes it."),
                        QStringLiteral("TEXT"));
const Option optTrim(QStringLiteral("trim"),
                     QStringLiteral("Trim names to N characters before the extension, 8 to 999. Default: off "
                                    "(blank gives 50, anything else outside 8 to 999 gives 8)."),
                     QStringLiteral("N"));
const Option optPrefix(QStringLiteral("prefix"),
                       QStringLiteral("Put this text in front of the names (at most 50 characters). Default: off."),
                       QStringLiteral("TEXT"));
const Option optPrefixCounter(QStringLiteral("prefix-counter"),
                              QStringLiteral("Put a counter starting at START in front, in four digits unless "
                                             "--counter-digits says otherwise. Default: off "
                                             "(START not 1 to 4 digits, or 0, gives 0001)."),
                              QStringLiteral("START"));
const Option optPrefixDate(QStringLiteral("prefix-date"),
                           QStringLiteral("Put today's date in front as FORMAT: ddmmyy, dd-mm-yy, ddmmyyyy, "
                                          "dd-mm-yyyy, mmddyy, mm-dd-yy, mmddyyyy, mm-dd-yyyy, yyyy-mm-dd, "
                                          "yyyymmdd or 'yyyy-mm-dd hh.mm.ss'. Default: off."),
                           QStringLiteral("FORMAT"));
const Option optPostfix(QStringLiteral("postfix"),
                        QStringLiteral("Put this text after the names, before the extension. Default: off."),
                        QStringLiteral("TEXT"));
const Option optPostfixCounter(QStringLiteral("postfix-counter"),
                               QStringLiteral("Put a counter starting at START after the names, as "
                                              "--prefix-counter. Default: off."),
                               QStringLiteral("START"));
const Option optPostfixDate(QStringLiteral("postfix-date"),
                            QStringLiteral("Put today's date after the names as FORMAT (as --prefix-date). "
                                           "Default: off."),
                            QStringLiteral("FORMAT"));
const Option optDateFrom(QStringLiteral("date-from"),
                         QStringLiteral("Where both date stamps take their date from: today, modified (the "
                                        "file's) or taken (when the photo or video was taken; a file without "
                                        "that date is not renamed). Default: today."),
                         QStringLiteral("WORD"));
const Option optDateFallback(QStringLiteral("date-fallback"),
                             QStringLiteral("Use a file's modified date when it has no date taken. Default: off."));
const Option optTemplate(QStringLiteral("template"),
                         QStringLiteral("Make the base name from TEXT, the other rules applying to it after: "
                                        "text and fields in braces, {name} {ext} {folder} {counter} "
                                        "{modified:FORMAT} {taken:FORMAT} {camera} {width} {height} {artist} "
                                        "{album} {title} {track} {track:2} {year} {genre}. A file without a "
                                        "field's value is not renamed. Default: off."),
                         QStringLiteral("TEXT"));
const Option optOrder(QStringLiteral("order"),
                      QStringLiteral("Number, and rename, each folder's files in this order: name (as a folder "
                                     "listing), natural (by name with numbers by value: img2 before img10), "
                                     "modified (oldest first), size (smallest first) or taken (by the date "
                                     "taken, oldest first, files without one last by name). Default: name."),
                      QStringLiteral("WORD"));
const Option optReverse(QStringLiteral("reverse"), QStringLiteral("The same order, last first. Default: off."));
const Option optCounterStep(QStringLiteral("counter-step"),
                            QStringLiteral("Advance each counter by N, 1 to 999. Default: 1 (not a number gives 1, "
                                           "a number outside 1 to 999 the nearest of them)."),
                            QStringLiteral("N"));
const Option optCounterDigits(QStringLiteral("counter-digits"),
                              QStringLiteral("Write the counters with N digits, 1 to 9; a counter that needs more "
                                             "is not renamed. Default: 4 (corrected as --counter-step)."),
                              QStringLiteral("N"));
const Option optCounterPerFolder(QStringLiteral("counter-per-folder"),
                                 QStringLiteral("With -r, start both counters again in each folder. Default: off."));
const Option optRecursive({QStringLiteral("r"), QStringLiteral("recursive")},
                          QStringLiteral("With a folder: its files and those of every folder below. "
                                         "Default: the folder's own files."));
const Option optInclude(QStringLiteral("include"),
                        QStringLiteral("Only names matching these patterns, separated by ';', letter case "
                                       "ignored. Default: *.*, every file."),
                        QStringLiteral("PATTERNS"));
const Option
    optSkipReadOnly(QStringLiteral("skip-read-only"),
                    QStringLiteral("Leave read-only files alone. Default: make them writable and rename them."));
const Option optNull({QStringLiteral("0"), QStringLiteral("null")},
                     QStringLiteral("Read the file names from standard input, each ended by a NUL "
                                    "(find -print0)."));
const Option optJson(QStringLiteral("json"),
                     QStringLiteral("Print one JSON object per file and a summary object, one per line."));
const Option optShowFields(QStringLiteral("show-fields"),
                           QStringLiteral("With --json: add each file's fields, as a template reads them, to "
                                          "its object; a field the file has nothing for is left out. Default: off."));
const Option optPreset(QStringLiteral("preset"),
                       QStringLiteral("Start from the rules of the preset NAME, saved here or in the window; the "
                                      "naming options given with it override its values."),
                       QStringLiteral("NAME"));
const Option optSavePreset(QStringLiteral("save-preset"),
                           QStringLiteral("Save the rules given (and those of --preset) as the preset NAME, "
                                          "replacing one of that name, and rename nothing."),
                           QStringLiteral("NAME"));
const Option optListPresets(QStringLiteral("list-presets"), QStringLiteral("List the saved presets, one a line."));
const Option optHelp({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
const Option optVersion(QStringLiteral("version"), QStringLiteral("Show the version."));

QString dashed(const Option &option)
{
    return QStringLiteral("--") + option.names().constLast();
}

QString usage(const Option &option, const QString &problem)
{
    return dashed(option) + QStringLiteral(": ") + problem;
}

template<typename Enum>
std::expected<Enum, QString> chosen(const QCommandLineParser &parser, const Option &option,
                                    std::initializer_list<std::pair<QStringView, Enum>> words, Enum fallback)
{
    if (!parser.isSet(option))
        return fallback;
    const QString word = parser.value(option);
    for (const auto &[name, value] : words) {
        if (word == name)
            return value;
    }
    QStringList known;
    for (const auto &[name, value] : words)
        known.append(name.toString());
    return std::unexpected(usage(option, QStringLiteral("'%1' is not one of %2").arg(word, known.join(u", "))));
}

} // namespace

CliArguments::CliArguments()
{
    m_parser.setApplicationDescription(
        QStringLiteral("Renames many files at once with Kestrava's rules. Without --apply it only shows\n"
                       "the old and new names and what would become of each file."));
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    // A file named like an option, such as "-x" from a "*", must never set one.
    m_parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    m_namingOptions = {optRemoveTildes, optSpaces,         optUnderscores, optCase,          optFind,
                       optRegex,        optMatchCase,      optWhenTaken,   optReplace,     optTrim,          optPrefix,
                       optPrefixCounter, optPrefixDate,    optPostfix,     optPostfixCounter, optPostfixDate,
                       optOrder,        optReverse,        optCounterStep, optCounterDigits, optCounterPerFolder,
                       optDateFrom,     optDateFallback,   optTemplate};
    m_scopeOptions = {optRecursive, optInclude, optSkipReadOnly, optNull};
    m_parser.addOptions({optApply, optUndo, optPreset, optSavePreset, optListPresets});
    m_parser.addOptions(m_namingOptions);
    m_parser.addOptions(m_scopeOptions);
    m_parser.addOptions({optJson, optShowFields, optHelp, optVersion});
    m_parser.addPositionalArgument(QStringLiteral("paths"), QStringLiteral("One folder, or one or more files."),
                                   QStringLiteral("[FOLDER | FILE...]"));
}

QString CliArguments::helpText() const
{
    // The parser names the program by the path it was started with; the help names it plainly.
    QString text = m_parser.helpText();
    const qsizetype options = text.indexOf(QStringLiteral(" [options]"));
    if (text.startsWith(QStringLiteral("Usage: ")) && options > 0)
        text.replace(7, options - 7, QStringLiteral("kestrava-cli"));
    return text;
}

std::expected<ParsedRequest, QString> CliArguments::parse(const QStringList &arguments, bool toTerminal)
{
    if (!m_parser.parse(arguments))
        return std::unexpected(m_parser.errorText());
    ParsedRequest parsed;
    CliRequest &request = parsed.request;
    request.style = m_parser.isSet(optJson) ? OutputStyle::Json : toTerminal ? OutputStyle::Columns : OutputStyle::Tabs;
    if (m_parser.isSet(optShowFields) && !m_parser.isSet(optJson))
        return std::unexpected(usage(optShowFields, QStringLiteral("goes only with --json")));
    request.showFields = m_parser.isSet(optShowFields);
    if (auto action = readAction(request); !action)
        return std::unexpected(action.error());
    if (request.action == CliAction::Help || request.action == CliAction::Version ||
        request.action == CliAction::Undo || request.action == CliAction::ListPresets)
        return parsed;
    if (auto preset = readPreset(parsed); !preset)
        return std::unexpected(preset.error());
    if (auto naming = readNaming(parsed); !naming)
        return std::unexpected(naming.error());
    if (request.action == CliAction::SavePreset)
        return parsed;
    if (auto scope = readScope(request); !scope)
        return std::unexpected(scope.error());
    return parsed;
}

std::expected<void, QString> CliArguments::readAction(CliRequest &request) const
{
    if (m_parser.isSet(optHelp)) {
        request.action = CliAction::Help;
        return {};
    }
    if (m_parser.isSet(optVersion)) {
        request.action = CliAction::Version;
        return {};
    }
    if (m_parser.isSet(optListPresets)) {
        if (m_parser.optionNames().size() > 1 || !m_parser.positionalArguments().isEmpty())
            return std::unexpected(usage(optListPresets, QStringLiteral("takes no other option or path")));
        request.action = CliAction::ListPresets;
        return {};
    }
    if (m_parser.isSet(optSavePreset)) {
        // Saving renames nothing, so nothing is chosen to rename.
        if (m_parser.isSet(optApply) || m_parser.isSet(optUndo) || !m_parser.positionalArguments().isEmpty() ||
            std::any_of(m_scopeOptions.cbegin(), m_scopeOptions.cend(),
                        [this](const Option &option) { return m_parser.isSet(option); }))
            return std::unexpected(usage(optSavePreset, QStringLiteral("takes only naming options and --preset")));
        request.action = CliAction::SavePreset;
        request.presetName = m_parser.value(optSavePreset);
        if (const std::optional<QString> problem = presets::nameProblem(request.presetName))
            return std::unexpected(usage(optSavePreset, *problem));
        return {};
    }
    if (!m_parser.isSet(optUndo)) {
        request.action = m_parser.isSet(optApply) ? CliAction::Apply : CliAction::DryRun;
        return {};
    }
    // An undo puts back the names a run recorded: there is nothing to choose.
    if (m_parser.isSet(optApply))
        return std::unexpected(usage(optUndo, QStringLiteral("cannot go with --apply")));
    if (anyNamingOptionSet() || m_parser.isSet(optPreset) || !m_parser.positionalArguments().isEmpty())
        return std::unexpected(usage(optUndo, QStringLiteral("takes no naming option, scope option or path")));
    request.action = CliAction::Undo;
    return {};
}

bool CliArguments::anyNamingOptionSet() const
{
    for (const auto *options : {&m_namingOptions, &m_scopeOptions}) {
        for (const Option &option : *options) {
            if (m_parser.isSet(option))
                return true;
        }
    }
    return false;
}

std::expected<void, QString> CliArguments::readNaming(ParsedRequest &parsed) const
{
    RenameOptions &options = parsed.request.options;
    // Each option given sets its rule; the others keep the preset's values, or
    // the start values without a preset.
    options.removeTildas = options.removeTildas || m_parser.isSet(optRemoveTildes);
    if (auto conversions = readConversions(options); !conversions)
        return conversions;
    if (m_parser.isSet(optFind))
        options.findText = textOption(optFind, parsed.notes);
    if (m_parser.isSet(optReplace))
        options.replaceText = textOption(optReplace, parsed.notes);
    options.findRegex = options.findRegex || m_parser.isSet(optRegex);
    options.findMatchCase = options.findMatchCase || m_parser.isSet(optMatchCase);
    const auto whenTaken = chosen<WhenTaken>(m_parser, optWhenTaken,
                                             {{u"leave", WhenTaken::Leave}, {u"number", WhenTaken::Number}},
                                             options.whenTaken);
    if (!whenTaken)
        return std::unexpected(whenTaken.error());
    options.whenTaken = *whenTaken;
    // Every name would fail alike: nothing is looked at, let alone renamed.
    if (const std::optional<QString> patternError = findPatternError(options))
        return std::unexpected(usage(optFind, *patternError));
    if (m_parser.isSet(optTrim)) {
        options.trimFilename = true;
        options.trimLength = correctedTrimText(m_parser.value(optTrim));
        if (options.trimLength != m_parser.value(optTrim))
            parsed.notes.append(usage(optTrim, QStringLiteral("taken as ") + options.trimLength));
    }
    if (auto stamps = readStamps(parsed); !stamps)
        return stamps;
    using D = DateSource;
    const auto dateSource = chosen<D>(m_parser, optDateFrom,
                                      {{u"today", D::Today}, {u"modified", D::Modified}, {u"taken", D::Taken}},
                                      options.dateSource);
    if (!dateSource)
        return std::unexpected(dateSource.error());
    options.dateSource = *dateSource;
    options.dateFallback = options.dateFallback || m_parser.isSet(optDateFallback);
    if (m_parser.isSet(optTemplate)) {
        options.useTemplate = true;
        options.nameTemplate = m_parser.value(optTemplate);
    }
    // As with a find pattern: every name would fail alike, so nothing is looked at.
    if (const std::optional<QString> templateError = nameTemplateError(options))
        return std::unexpected(usage(optTemplate, *templateError));
    return readNumbering(parsed);
}

std::expected<void, QString> CliArguments::readNumbering(ParsedRequest &parsed) const
{
    NumberingOptions &numbering = parsed.request.options.numbering;
    using O = NumberOrder;
    const auto order = chosen<O>(
        m_parser, optOrder,
        {{u"name", O::Name}, {u"natural", O::Natural}, {u"modified", O::Modified}, {u"size", O::Size},
         {u"taken", O::Taken}},
        numbering.order);
    if (!order)
        return std::unexpected(order.error());
    numbering.order = *order;
    numbering.reverse = numbering.reverse || m_parser.isSet(optReverse);
    numbering.perFolder = numbering.perFolder || m_parser.isSet(optCounterPerFolder);
    const auto number = [&](const Option &option, QString (*correct)(const QString &), int &value) {
        if (!m_parser.isSet(option))
            return;
        const QString given = m_parser.value(option);
        const QString corrected = correct(given);
        if (corrected != given)
            parsed.notes.append(usage(option, QStringLiteral("taken as ") + corrected));
        value = corrected.toInt();
    };
    number(optCounterStep, &correctedStepText, numbering.step);
    number(optCounterDigits, &correctedDigitsText, numbering.digits);
    return {};
}

std::expected<void, QString> CliArguments::readConversions(RenameOptions &options) const
{
    using S = SpaceConversion;
    using U = UnderscoreConversion;
    using C = CaseConversion;
    const auto spaces = chosen<S>(m_parser, optSpaces,
                                  {{u"ignore", S::Ignore},
                                   {u"remove", S::Remove},
                                   {u"underscores", S::ToUnderscores},
                                   {u"dashes", S::ToDashes},
                                   {u"dots", S::ToDots}},
                                  options.spaces);
    if (!spaces)
        return std::unexpected(spaces.error());
    const auto underscores = chosen<U>(m_parser, optUnderscores,
                                       {{u"ignore", U::Ignore},
                                        {u"remove", U::Remove},
                                        {u"spaces", U::ToSpaces},
                                        {u"dashes", U::ToDashes},
                                        {u"dots", U::ToDots}},
                                       options.underscores);
    if (!underscores)
        return std::unexpected(underscores.error());
    const auto letterCase = chosen<C>(
        m_parser, optCase,
        {{u"ignore", C::Ignore}, {u"capitalise", C::Capitalise}, {u"lower", C::Lowercase}, {u"upper", C::Uppercase}},
        options.caseConversion);
    if (!letterCase)
        return std::unexpected(letterCase.error());
    options.spaces = *spaces;
    options.underscores = *underscores;
    options.caseConversion = *letterCase;
    return {};
}

std::expected<void, QString> CliArguments::readStamps(ParsedRequest &parsed) const
{
    RenameOptions &options = parsed.request.options;
    // A box's companion field keeps its start value while the box is off, as
    // the window's record does.
    if (m_parser.isSet(optPrefix)) {
        options.prefixName = true;
        options.prefixText = textOption(optPrefix, parsed.notes);
    }
    if (m_parser.isSet(optPostfix)) {
        options.postfixName = true;
        options.postfixText = textOption(optPostfix, parsed.notes);
    }
    const auto counter = [&](const Option &option, bool &on, QString &countText) {
        if (!m_parser.isSet(option))
            return;
        on = true;
        countText = correctedCountText(m_parser.value(option));
        if (countText != m_parser.value(option))
            parsed.notes.append(usage(option, QStringLiteral("taken as ") + countText));
    };
    counter(optPrefixCounter, options.prefixCounter, parsed.request.prefixCountText);
    counter(optPostfixCounter, options.postfixCounter, parsed.request.postfixCountText);
    const auto date = [&](const Option &option, bool &on, QString &format) -> std::expected<void, QString> {
        if (!m_parser.isSet(option))
            return {};
        on = true;
        format = m_parser.value(option);
        if (!dateFormats().contains(format))
            return std::unexpected(
                usage(option, QStringLiteral("'%1' is not one of %2").arg(format, dateFormats().join(u", "))));
        return {};
    };
    if (auto prefixDate = date(optPrefixDate, options.prefixDate, options.datePrefix); !prefixDate)
        return prefixDate;
    return date(optPostfixDate, options.postfixDate, options.datePostfix);
}

std::expected<void, QString> CliArguments::readPreset(ParsedRequest &parsed) const
{
    if (!m_parser.isSet(optPreset))
        return {};
    const QString name = m_parser.value(optPreset);
    if (const std::optional<QString> problem = presets::nameProblem(name))
        return std::unexpected(usage(optPreset, *problem));
    if (!presets::presetExists(name))
        return std::unexpected(usage(optPreset, QStringLiteral("no preset '%1' in %2").arg(name, presets::presetFolder())));
    // A field the preset holds wrongly is named and taken as the window takes it.
    presets::ReadPreset preset = presets::loadPreset(name);
    for (const QString &problem : std::as_const(preset.problems))
        parsed.notes.append(usage(optPreset, QStringLiteral("'%1': %2").arg(name, problem)));
    CliRequest &request = parsed.request;
    request.options = preset.values.options;
    request.prefixCountText = preset.values.prefixCountText;
    request.postfixCountText = preset.values.postfixCountText;
    if (request.action != CliAction::SavePreset)
        request.presetName = name;
    return {};
}

std::expected<void, QString> CliArguments::readScope(CliRequest &request) const
{
    request.recursive = m_parser.isSet(optRecursive);
    request.skipReadOnly = m_parser.isSet(optSkipReadOnly);
    request.namesFromStdin = m_parser.isSet(optNull);
    if (m_parser.isSet(optInclude)) {
        request.includePattern = m_parser.value(optInclude);
        if (FileNamePattern(request.includePattern).isEmpty())
            return std::unexpected(
                usage(optInclude, QStringLiteral("no usable pattern in '%1'").arg(request.includePattern)));
    }
    request.paths = m_parser.positionalArguments();
    // Options after the first path are taken as paths; one that names no
    // file was most likely meant as an option.
    for (qsizetype i = 1; i < request.paths.size(); ++i) {
        const QString &path = request.paths.at(i);
        struct stat info;
        if (path.size() > 1 && path.startsWith(u'-') && ::lstat(nameToBytes(path).constData(), &info) != 0)
            return std::unexpected(
                QStringLiteral("'%1' names no file; put options before the first path").arg(path));
    }
    if (request.namesFromStdin && !request.paths.isEmpty())
        return std::unexpected(usage(optNull,
                                     QStringLiteral("reads the names from standard input; "
                                                    "give no path as well")));
    if (!request.namesFromStdin && request.paths.isEmpty())
        return std::unexpected(QStringLiteral("no folder or file given"));
    return {};
}

QString CliArguments::textOption(const Option &option, QStringList &notes) const
{
    const QString given = m_parser.value(option);
    QString text = correctedBoxText(given);
    if (text != given)
        notes.append(usage(option, QStringLiteral("cut to %1 characters").arg(limits::maxTextLength)));
    return text;
}

QString CliArguments::correctedCountText(const QString &text)
{
    return kestrava::correctedCountText(text);
}

QString CliArguments::correctedTrimText(const QString &text)
{
    return kestrava::correctedTrimText(text);
}

QString CliArguments::correctedBoxText(const QString &text)
{
    qsizetype length = std::min<qsizetype>(text.size(), limits::maxTextLength);
    // A character outside the basic plane is two code units; never keep half of one.
    if (length < text.size() && length > 0 && text.at(length - 1).isHighSurrogate())
        --length;
    return text.left(length);
}

} // namespace kestrava::cli
