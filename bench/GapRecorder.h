// SPDX-License-Identifier: GPL-3.0-or-later
// How long the window goes without handling its events while it works: a
// timer on the GUI thread ticks every few milliseconds, and the longest time
// between two ticks is the longest stretch in which nothing the user does
// (a click on Stop, a resize, a repaint) could have been handled.
#pragma once

#include "BenchTable.h"

#include <QObject>
#include <QTimer>

#include <functional>

class QWidget;

namespace kestrava::bench {

/// Records the longest interval between the ticks of a 5 ms timer, over the
/// whole action and over what follows its first second (the grace a person
/// gives a big folder before expecting the window to answer).
class GapRecorder : public QObject
{
public:
    static constexpr int tickMs = 5;
    static constexpr double graceMs = 1000.0;

    GapRecorder();

    void start();
    /// Stops the timer; the stretch since its last tick counts as a gap too.
    void stop();

    /// The longest stretch without a tick after the first second, in milliseconds.
    double longestAfterGraceMs() const { return m_longestAfterGrace; }
    /// Where that stretch began, in milliseconds from the start.
    double longestAfterGraceAtMs() const { return m_longestAfterGraceAt; }
    /// The longest stretch without a tick over the whole action, first second included.
    double longestMs() const { return m_longest; }

private:
    void tick();

    QTimer m_timer;
    Clock::time_point m_start;
    Clock::time_point m_last;
    double m_longestAfterGrace = 0.0;
    double m_longestAfterGraceAt = 0.0;
    double m_longest = 0.0;
};

/// Watches for a paint of a widget (of its viewport, for a scroll area) from
/// the moment it is armed.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QWidget *widget);
    ~PaintWatch() override;

    void arm();
    bool seen() const { return m_seen; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_widget;
    bool m_armed = false;
    bool m_seen = false;
};

/// What driveThroughEventLoop() saw.
struct DrivenAction
{
    /// False when done() still said no after two minutes.
    bool finished = false;
    double longestGapAfterGraceMs = 0.0;
    double longestGapAtMs = 0.0;
    double longestGapMs = 0.0;
};

/// Runs \a action from the event loop, as a click or a key would, and lets the
/// loop run until \a done() says the work can be seen (two minutes at most),
/// recording the gaps meanwhile. Nothing here calls processEvents(): the only
/// events handled are those the window's own code lets through.
DrivenAction driveThroughEventLoop(const std::function<void()> &action, const std::function<bool()> &done);

} // namespace kestrava::bench
