#include "OptionsNameSource.h"

#include "NewFilename.h"
#include "OptionsPage.h"

namespace kestrava {

OptionsNameSource::OptionsNameSource(const OptionsPage *page)
    : m_page(page)
{
}

void OptionsNameSource::beginRun()
{
    m_counters.load(m_page->prefixCountText(), m_page->postfixCountText());
}

std::expected<QString, QString> OptionsNameSource::newName(const QString &oldName)
{
    // The options are read afresh for every file: a change made while the run
    // yields applies from the next file on.
    auto name = BuildNewFilename(oldName, m_page->currentOptions(), m_counters, m_page->today());
    if (!name)
        return std::unexpected(name.error().message);
    return *name;
}

} // namespace kestrava
