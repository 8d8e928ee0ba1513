// The Set Options room: the page of renaming rules, its samples, and the window's source of new names for a run.
#include "OptionsNameSource.h"

#include "NewFilename.h"
#include "OptionsPage.h"

#include <QCoreApplication>

namespace kestrava {

namespace {

// The text of RenameError::invalidArgument(), written here for lupdate.
constexpr const char *InvalidArgument =
    QT_TRANSLATE_NOOP("kestrava::RenameError", "Invalid procedure call or argument");

} // namespace

OptionsNameSource::OptionsNameSource(const OptionsPage *page)
    : m_page(page)
{}

void OptionsNameSource::beginRun()
{
    m_counters.load(m_page->prefixCountText(), m_page->postfixCountText());
    m_invalidArgumentText = QCoreApplication::translate("kestrava::RenameError", InvalidArgument);
}

NumberingOptions OptionsNameSource::numbering() const
{
    return m_page->currentOptions().numbering;
}

void OptionsNameSource::restartCounters()
{
    m_counters.load(m_page->prefixCountText(), m_page->postfixCountText());
}

std::expected<QString, QString> OptionsNameSource::newName(const QString &oldName)
{
    // The options are read afresh for every file: a change made while the run
    // yields applies from the next file on.
    const RenameOptions options = m_page->currentOptions();
    // Only a date stamp reads the day; without one the clock is left alone.
    const QDate today = options.prefixDate || options.postfixDate ? m_page->today() : QDate();
    auto name = BuildNewFilename(oldName, options, m_counters, today);
    if (!name)
        return std::unexpected(name.error().message == RenameError::invalidArgument().message ? m_invalidArgumentText
                                                                                              : name.error().message);
    return *name;
}

} // namespace kestrava
