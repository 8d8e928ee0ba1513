// SPDX-License-Identifier: GPL-3.0-or-later
#include "RulesNameSource.h"

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
    const std::optional<QString> patternError = findPatternError(m_rules.options());
    return patternError ? QCoreApplication::translate("kestrava::RenameError", NothingRenamed).arg(*patternError)
                        : QString();
}

std::expected<QString, RenameError> RulesNameSource::compute(const QString &oldName)
{
    const RenameOptions options = m_rules.options();
    // Only a date stamp reads the day; without one the clock is left alone.
    const QDate today = options.prefixDate || options.postfixDate ? m_rules.today() : QDate();
    return BuildNewFilename(oldName, options, m_counters, today);
}

std::expected<QString, QString> RulesNameSource::newName(const QString &oldName)
{
    auto name = compute(oldName);
    if (!name)
        return std::unexpected(name.error().message == RenameError::invalidArgument().message ? m_invalidArgumentText
                                                                                              : name.error().message);
    return *name;
}

} // namespace kestrava
