// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChooserRunSettings.h"

#include "ChooseFilesPage.h"

#include <QCheckBox>

namespace kestrava {

ChooserRunSettings::ChooserRunSettings(const ChooseFilesPage &page)
    : m_page(page)
{}

// The greyed third state counts as off, like unchecked.

bool ChooserRunSettings::confirmFiles() const
{
    return m_page.ui().chkConfirmFiles->checkState() == Qt::Checked;
}

bool ChooserRunSettings::ignoreReadOnly() const
{
    return m_page.ui().chkIgnoreReadOnly->checkState() == Qt::Checked;
}

} // namespace kestrava
