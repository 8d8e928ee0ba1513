// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDateTime>

namespace kestrava {

/// The clock a run reads at its start and end; tests fix it.
class RunClock
{
public:
    virtual ~RunClock() = default;

    /// The current local date and time.
    virtual QDateTime now() const = 0;
    /// Today's local date, which a run's names read for every file.
    virtual QDate today() const { return now().date(); }
};

} // namespace kestrava
