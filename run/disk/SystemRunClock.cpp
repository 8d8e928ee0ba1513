// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemRunClock.h"

#include <algorithm>

namespace kestrava {

QDate SystemRunClock::today() const
{
    const qint64 nowMsecs = QDateTime::currentMSecsSinceEpoch();
    if (nowMsecs >= m_validFromMsecs && nowMsecs < m_validUntilMsecs)
        return m_today;
    m_today = QDateTime::fromMSecsSinceEpoch(nowMsecs).date();
    m_validFromMsecs = nowMsecs;
    const qint64 midnight = m_today.addDays(1).startOfDay().toMSecsSinceEpoch();
    m_validUntilMsecs = std::min(nowMsecs + 1000, midnight);
    return m_today;
}

} // namespace kestrava
