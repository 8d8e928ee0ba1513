// SPDX-License-Identifier: GPL-3.0-or-later
#include "GapRecorder.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QEventLoop>
#include <QWidget>

#include <algorithm>
#include <cstdio>

namespace kestrava::bench {

GapRecorder::GapRecorder()
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(tickMs);
    connect(&m_timer, &QTimer::timeout, this, &GapRecorder::tick);
}

void GapRecorder::start()
{
    m_longestAfterGrace = 0.0;
    m_longestAfterGraceAt = 0.0;
    m_longest = 0.0;
    m_start = m_last = Clock::now();
    m_timer.start();
}

void GapRecorder::stop()
{
    m_timer.stop();
    tick();
}

void GapRecorder::tick()
{
    const Clock::time_point now = Clock::now();
    const auto ms = [](Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); };
    m_longest = std::max(m_longest, ms(now - m_last));
    // KESTRAVA_BENCH_GAPS=1 lists every stretch over 60 ms with its ends on the
    // monotonic clock, to be laid beside timing marks or a profile's samples.
    static const bool listed = qEnvironmentVariableIsSet("KESTRAVA_BENCH_GAPS");
    if (listed && ms(now - m_last) > 60.0)
        std::fprintf(stderr, "bench: gap of %.1f ms at %.1f ms (monotonic %lld to %lld ns)\n", ms(now - m_last),
                     ms(m_last - m_start), static_cast<long long>(m_last.time_since_epoch().count()),
                     static_cast<long long>(now.time_since_epoch().count()));
    // Only the part of a stretch after the first second counts against the window.
    const Clock::time_point graceEnd = m_start + std::chrono::milliseconds(int(graceMs));
    const Clock::time_point from = std::max(m_last, graceEnd);
    if (now > from && ms(now - from) > m_longestAfterGrace) {
        m_longestAfterGrace = ms(now - from);
        m_longestAfterGraceAt = ms(m_last - m_start);
    }
    m_last = now;
}

PaintWatch::PaintWatch(QWidget *widget)
    : m_widget(widget)
{
    // A scroll area's contents are painted on its viewport.
    if (auto *area = qobject_cast<QAbstractScrollArea *>(widget))
        m_widget = area->viewport();
    m_widget->installEventFilter(this);
}

PaintWatch::~PaintWatch()
{
    m_widget->removeEventFilter(this);
}

void PaintWatch::arm()
{
    m_armed = true;
    m_seen = false;
}

bool PaintWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (m_armed && watched == m_widget && event->type() == QEvent::Paint)
        m_seen = true;
    return false;
}

DrivenAction driveThroughEventLoop(const std::function<void()> &action, const std::function<bool()> &done)
{
    GapRecorder recorder;
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    bool timedOut = false;
    QTimer::singleShot(120000, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    recorder.start();
    QTimer::singleShot(0, &loop, [&] {
        action();
        poll.start();
    });
    loop.exec();
    recorder.stop();
    return {!timedOut, recorder.longestAfterGraceMs(), recorder.longestAfterGraceAtMs(), recorder.longestMs()};
}

} // namespace kestrava::bench
