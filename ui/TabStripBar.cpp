#include "TabStripBar.h"

#include "LayoutBuilder.h"

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
    m_rowWidth = width;
    updateGeometry();
}

QSize TabStripBar::tabSizeHint(int index) const
{
    const int natural = QTabBar::tabSizeHint(index).width();
    int sum = 0;
    for (int i = 0; i < count(); ++i)
        sum += QTabBar::tabSizeHint(i).width();
    // Spread what is left of the row evenly; the first tabs take the odd pixels.
    int width = natural;
    if (count() > 0 && m_rowWidth > sum) {
        const int spare = m_rowWidth - sum;
        width += spare / count() + (index < spare % count() ? 1 : 0);
    }
    return QSize(width, tabHeight());
}

} // namespace kestrava
