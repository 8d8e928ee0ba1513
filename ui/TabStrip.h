// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTabWidget>

namespace kestrava {

class TabStripBar;

/// The window's strip of tabs (`SSTabStrip`): a QTabWidget whose tabs fill one row.
class TabStrip : public QTabWidget
{
    Q_OBJECT

public:
    explicit TabStrip(QWidget *parent = nullptr);

    TabStripBar *strip() const { return m_bar; }

    /// Up to a strip \a stripWidth wide the tabs share the row's spare width evenly;
    /// beyond it, the tab at \a index alone takes what the row gains.
    void setSpacerTab(int index, int stripWidth);

protected:
    void resizeEvent(QResizeEvent *event) override;
    /// Ctrl+Tab and Ctrl+Shift+Tab pass over the spacer, as the arrow keys do.
    void keyPressEvent(QKeyEvent *event) override;

private:
    /// The width the tabs share out in a strip \a stripWidth wide.
    static int rowWidth(int stripWidth);

    TabStripBar *m_bar = nullptr;
};

} // namespace kestrava
