#include "OptionsNameSource.h"

#include "NewFilename.h"
#include "OptionsPage.h"
#include "RunClock.h"

#include <QCheckBox>
#include <QLineEdit>

namespace kestrava {

OptionsNameSource::OptionsNameSource(const OptionsPage *page)
    : m_page(page)
{
}

void OptionsNameSource::beginRun()
{
    m_counters.load(m_page->txtPrefixCount()->text(), m_page->txtPostfixCount()->text());
}

std::expected<QString, QString> OptionsNameSource::newName(const QString &oldName)
{
    RenameOptions options;
    options.prefixCounter = m_page->chkPrefixCounter()->isChecked();
    options.postfixCounter = m_page->chkPostfixCounter()->isChecked();
    const QDate today = m_clock ? m_clock->now().date() : QDate::currentDate();
    auto name = BuildNewFilename(oldName, options, m_counters, today);
    if (!name)
        return std::unexpected(name.error().message);
    return *name;
}

} // namespace kestrava
