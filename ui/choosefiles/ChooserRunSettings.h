// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RunSettings.h"

namespace kestrava {

class ChooseFilesPage;

/// The two per-file choices of a run, read from the Choose Files tab's boxes.
class ChooserRunSettings : public RunSettings
{
public:
    /// Reads \a page, which must outlive this object.
    explicit ChooserRunSettings(const ChooseFilesPage &page);

    bool confirmFiles() const override;
    bool ignoreReadOnly() const override;

private:
    const ChooseFilesPage &m_page;
};

} // namespace kestrava
