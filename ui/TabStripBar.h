// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTabBar>

#include <functional>

namespace kestrava {

/// The row of tabs: all tabs in one row, a fixed height, sharing out the row's
/// whole width so that the row reads as one strip.
class TabStripBar : public QTabBar
{
    Q_OBJECT

public:
    explicit TabStripBar(QWidget *parent = nullptr);

    /// The height of every tab, in pixels.
    static int tabHeight();
    /// Sets the width the tabs share out between them.
    void setRowWidth(int width);
    /// Up to a row \a evenWidth wide the tabs share the spare width evenly; what a
    /// wider row has beyond that goes to the tab at \a index alone.
    void setSpacer(int index, int evenWidth);
    /// Runs \a step, a move from tab to tab by the keyboard or the wheel, with
    /// the spacer passed over: it would only send the selection on to the tab
    /// after it, and a move back from that tab would never get past it.
    void passingOverSpacer(const std::function<void()> &step);

protected:
    QSize tabSizeHint(int index) const override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void layOutAgain();

    int m_rowWidth = 0;
    int m_spacer = -1;
    int m_evenWidth = 0;
};

} // namespace kestrava
