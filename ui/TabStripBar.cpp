// SPDX-License-Identifier: GPL-3.0-or-later
#include "TabStripBar.h"

#include "LayoutBuilder.h"

#include <algorithm>

namespace kestrava {

TabStripBar::TabStripBar(QWidget *parent)
    : QTabBar(parent)
{
    setObjectName(QStringLiteral("SSTabStripBar"));
    setExpanding(false);
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
    setDrawBase(true);
}

int TabStripBar::tabHeight()
{
    return LayoutBuilder::pixels(300);
}

void TabStripBar::setRowWidth(int width)
{
    if (width == m_rowWidth)
        return;
    m_rowWidth = width;
    layOutAgain();
}

void TabStripBar::layOutAgain()
{
    // QTabBar asks for the tabs' sizes again only when something of its own changes;
    // setting its elide mode (unchanged) is the public way to make it lay them out.
    setElideMode(elideMode());
    updateGeometry();
}

void TabStripBar::setSpacer(int index, int evenWidth)
{
    m_spacer = index;
    m_evenWidth = evenWidth;
    layOutAgain();
}

void TabStripBar::passingOverSpacer(const std::function<void()> &step)
{
    const bool spacer = m_spacer >= 0 && m_spacer < count() && isTabEnabled(m_spacer);
    // Qt's own moves skip a tab that is off; a click still reaches it.
    if (spacer)
        setTabEnabled(m_spacer, false);
    step();
    if (spacer)
        setTabEnabled(m_spacer, true);
}

void TabStripBar::keyPressEvent(QKeyEvent *event)
{
    passingOverSpacer([this, event] { QTabBar::keyPressEvent(event); });
}

void TabStripBar::wheelEvent(QWheelEvent *event)
{
    passingOverSpacer([this, event] { QTabBar::wheelEvent(event); });
}

QSize TabStripBar::tabSizeHint(int index) const
{
    const int natural = QTabBar::tabSizeHint(index).width();
    int sum = 0;
    for (int i = 0; i < count(); ++i)
        sum += QTabBar::tabSizeHint(i).width();
    const bool spacer = m_spacer >= 0 && m_spacer < count();
    const int evenRow = spacer ? std::min(m_rowWidth, m_evenWidth) : m_rowWidth;
    // Spread what is left of the row evenly; the first tabs take the odd pixels.
    int width = natural;
    if (count() > 0 && evenRow > sum) {
        const int spare = evenRow - sum;
        width += spare / count() + (index < spare % count() ? 1 : 0);
    }
    if (const int gained = m_rowWidth - std::max(evenRow, sum); index == m_spacer && gained > 0)
        width += gained;
    return QSize(width, tabHeight());
}

} // namespace kestrava
