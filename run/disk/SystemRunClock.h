// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RunClock.h"

namespace kestrava {

/// The system's clock, in local time.
class SystemRunClock : public RunClock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    /// Today's date, worked out from the local time zone at most once a second
    /// and always again at midnight: a run asks for every file, and the zone
    /// lookup behind the local time costs more than renaming a file.
    QDate today() const override;

private:
    mutable QDate m_today;
    mutable qint64 m_validFromMsecs = 0;
    mutable qint64 m_validUntilMsecs = 0;
};

} // namespace kestrava
