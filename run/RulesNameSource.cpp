// SPDX-License-Identifier: GPL-3.0-or-later
#include "RulesNameSource.h"

#include "FileFactsReader.h"
#include "NewFilename.h"

#include <QCoreApplication>

#include <utility>

namespace kestrava {

namespace {

// The text of RenameError::invalidArgument(), written here for lupdate.
constexpr const char *InvalidArgument =
    QT_TRANSLATE_NOOP("kestrava::RenameError", "Invalid procedure call or argument");
// The text of a find pattern that does not compile, which the naming rules
// translate themselves, written here for lupdate: the rules' folder has no
// other text of the window.
[[maybe_unused]] constexpr const char *PatternError =
    QT_TRANSLATE_NOOP("kestrava::RenameError", "Pattern error at %1: %2");
constexpr const char *NothingRenamed =
    QT_TRANSLATE_NOOP("kestrava::RenameError", "No file is renamed: %1");

} // namespace

RulesNameSource::RulesNameSource(Rules rules)
    : m_rules(std::move(rules))
{}

void RulesNameSource::beginRun()
{
    m_counters.load(m_rules.prefixCountText(), m_rules.postfixCountText());
    m_invalidArgumentText = QCoreApplication::translate("kestrava::RenameError", InvalidArgument);
}

void RulesNameSource::restartCounters()
{
    m_counters.load(m_rules.prefixCountText(), m_rules.postfixCountText());
}

QString RulesNameSource::failureOfEveryName() const
{
    const RenameOptions options = m_rules.options();
    if (const std::optional<QString> patternError = findPatternError(options))
        return QCoreApplication::translate("kestrava::RenameError", NothingRenamed).arg(*patternError);
    if (const std::optional<QString> templateError = nameTemplateError(options))
        return QCoreApplication::translate("kestrava::RulesNameSource", "The name template cannot be used: %1")
            .arg(*templateError);
    return QString();
}

QDate RulesNameSource::stampDay(const RenameOptions &options) const
{
    // Only a date stamp reads the day; without one the clock is left alone.
    return options.prefixDate || options.postfixDate ? m_rules.today() : QDate();
}

std::expected<QString, QString> RulesNameSource::withText(std::expected<QString, RenameError> name) const
{
    if (!name)
        return std::unexpected(name.error().message == RenameError::invalidArgument().message ? m_invalidArgumentText
                                                                                              : name.error().message);
    return *std::move(name);
}

std::expected<QString, RenameError> RulesNameSource::compute(const QString &oldName)
{
    const RenameOptions options = m_rules.options();
    return BuildNewFilename(oldName, options, m_counters, stampDay(options));
}

std::expected<QString, RenameError> RulesNameSource::compute(const QString &folderPath, const QString &oldName)
{
    const RenameOptions options = m_rules.options();
    const QDate today = stampDay(options);
    const FactsNeeded needed = factsNeeded(options);
    if (needed == FactsNeeded::None)
        return BuildNewFilename(oldName, options, m_counters, today);
    // The cache holds what the preview read: a file unchanged since is named
    // from exactly those values; one changed since is read again, and a name
    // that changes with it is told.
    const FactsLookup lookup = readFileFacts(folderPath, oldName, needed);
    if (lookup.before) {
        NameCounters counters = m_counters;
        const auto shown = BuildNewFilename(oldName, options, counters, today, &*lookup.before);
        const auto now = BuildNewFilename(oldName, options, m_counters, today, &lookup.facts);
        if (shown != now && now)
            m_notice = QCoreApplication::translate("kestrava::RulesNameSource",
                                                   "Changed since the preview; its new name is now %1")
                           .arg(*now);
        return now;
    }
    return BuildNewFilename(oldName, options, m_counters, today, &lookup.facts);
}

std::expected<QString, QString> RulesNameSource::newNameIn(const QString &folderPath, const QString &oldName)
{
    return withText(compute(folderPath, oldName));
}

std::expected<QString, QString> RulesNameSource::newName(const QString &oldName)
{
    return withText(compute(oldName));
}

} // namespace kestrava
