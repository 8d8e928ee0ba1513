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

void TabStrip::resizeEvent(QResizeEvent *event)
{
    m_bar->setRowWidth(event->size().width() - 1);
    QTabWidget::resizeEvent(event);
}

} // namespace kestrava
