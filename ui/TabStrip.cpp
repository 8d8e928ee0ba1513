// SPDX-License-Identifier: GPL-3.0-or-later
#include "TabStrip.h"

#include "TabStripBar.h"

#include <QResizeEvent>

namespace kestrava {

TabStrip::TabStrip(QWidget *parent)
    : QTabWidget(parent)
    , m_bar(new TabStripBar(this))
{
    setTabBar(m_bar);
    setObjectName(QStringLiteral("SSTabStrip"));
}

void TabStrip::setSpacerTab(int index, int stripWidth)
{
    m_bar->setSpacer(index, rowWidth(stripWidth));
}

int TabStrip::rowWidth(int stripWidth)
{
    return stripWidth - 1;
}

void TabStrip::keyPressEvent(QKeyEvent *event)
{
    m_bar->passingOverSpacer([this, event] { QTabWidget::keyPressEvent(event); });
}

void TabStrip::resizeEvent(QResizeEvent *event)
{
    m_bar->setRowWidth(rowWidth(event->size().width()));
    QTabWidget::resizeEvent(event);
}

} // namespace kestrava
