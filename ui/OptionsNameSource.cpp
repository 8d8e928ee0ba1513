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

std::expected<QString, QString> OptionsNameSource::newName(const QString &oldName)
{
    // The options are read afresh for every file: a change made while the run
    // yields applies from the next file on.
    auto name = BuildNewFilename(oldName, m_page->currentOptions(), m_counters, m_page->today());
    if (!name)
        return std::unexpected(name.error().message == RenameError::invalidArgument().message ? m_invalidArgumentText
                                                                                              : name.error().message);
    return *name;
}

} // namespace kestrava
