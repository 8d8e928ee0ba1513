// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RunClock.h"
#include "SystemRunClock.h"

namespace kestrava {

/// The window's one clock, read by the sample names, the files preview and the
/// run alike: the system's clock unless another is chosen (a fixed day for tests
/// and pictures).
class WindowClock : public RunClock
{
public:
    WindowClock() = default;
    // The choice may point at the member clock, which a copy would not carry.
    WindowClock(const WindowClock &) = delete;
    WindowClock &operator=(const WindowClock &) = delete;

    /// Reads \a clock from now on (nullptr: the system clock). The clock must
    /// outlive this object or be replaced first.
    void choose(const RunClock *clock) { m_chosen = clock ? clock : &m_system; }

    QDateTime now() const override { return m_chosen->now(); }
    QDate today() const override { return m_chosen->today(); }

private:
    SystemRunClock m_system;
    const RunClock *m_chosen = &m_system;
};

} // namespace kestrava
