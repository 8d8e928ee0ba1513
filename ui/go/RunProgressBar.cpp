// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunProgressBar.h"

#include <QProgressBar>

#include <algorithm>
#include <climits>

namespace kestrava {

namespace {

// A run has to go on this long before its pace says anything about the rest.
constexpr qint64 EstimateAfterMsecs = 1000;

int barNumber(qint64 number)
{
    return int(std::clamp<qint64>(number, 0, INT_MAX));
}

} // namespace

RunProgressBar::RunProgressBar(QProgressBar *bar)
    : m_bar(bar)
{}

void RunProgressBar::begin()
{
    m_measure = Measure::None;
    m_total = m_done = m_begun = 0;
    m_changed = false;
    m_sinceBegin.start();
    // A range of 0 to 0 would make the bar a busy indicator.
    m_bar->setRange(0, 1);
    m_bar->setValue(0);
    m_bar->setFormat(QString());
}

void RunProgressBar::planFiles(qint64 files)
{
    m_measure = Measure::Files;
    m_total = files;
    m_done = m_begun = 0;
    m_changed = true;
}

void RunProgressBar::setFolders(qint64 done, qint64 found)
{
    m_measure = Measure::Folders;
    m_done = done;
    m_total = found;
    m_changed = true;
}

void RunProgressBar::show()
{
    if (!m_changed || m_measure == Measure::None)
        return;
    m_changed = false;
    const qint64 done = std::min(m_done, m_total);
    QString text;
    if (m_measure == Measure::Files) {
        const int percent = m_total > 0 ? int(done * 100 / m_total) : 100;
        text = filesText(percent, secondsLeft(m_sinceBegin.elapsed(), done, m_total));
    } else {
        text = foldersText(done, m_total);
    }
    // The bar would paint at once for each of the three changes; held, it paints
    // once, with the window's next handling of its events.
    m_bar->setUpdatesEnabled(false);
    m_bar->setRange(0, std::max(1, barNumber(m_total)));
    m_bar->setValue(m_total > 0 ? barNumber(done) : 1);
    // The bar reads only "%p", "%v" and "%m" as fields of its own: "42 %" stays as it is.
    m_bar->setFormat(text);
    m_bar->setUpdatesEnabled(true);
}

QString RunProgressBar::filesText(int percent, qint64 secondsLeft)
{
    if (secondsLeft < 0)
        return tr("%1 %").arg(percent);
    return tr("%1 % — about %2 left").arg(percent).arg(durationText(secondsLeft));
}

QString RunProgressBar::foldersText(qint64 done, qint64 found)
{
    return tr("%1 of %2 folders").arg(done).arg(found);
}

QString RunProgressBar::durationText(qint64 seconds)
{
    if (seconds < 60)
        return tr("%1 s").arg(seconds);
    if (seconds < 3600)
        return tr("%1 min %2 s").arg(seconds / 60).arg(seconds % 60);
    return tr("%1 h %2 min").arg(seconds / 3600).arg(seconds % 3600 / 60);
}

qint64 RunProgressBar::secondsLeft(qint64 elapsedMsecs, qint64 done, qint64 total)
{
    if (elapsedMsecs < EstimateAfterMsecs || done <= 0 || done >= total)
        return -1;
    // The files still to come are taken to go at the pace of those done so far.
    const double msecsLeft = double(elapsedMsecs) * double(total - done) / double(done);
    return qint64((msecsLeft + 999.0) / 1000.0);
}

} // namespace kestrava
