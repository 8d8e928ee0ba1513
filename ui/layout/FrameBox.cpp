// SPDX-License-Identifier: GPL-3.0-or-later
#include "FrameBox.h"

#include <QPainter>

namespace kestrava {

FrameBox::FrameBox(const QString &title, QWidget *parent)
    : QGroupBox(title, parent)
{}

void FrameBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int top = title().isEmpty() ? 0 : metrics.height() / 2;
    const QRect border = rect().adjusted(0, top, -2, -2);

    // An etched line: a shadow line with a light line just inside and below it.
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(border.translated(1, 1));
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(border);

    if (title().isEmpty())
        return;
    const int left = 6;
    const QRect caption(left, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
    painter.fillRect(caption, palette().color(QPalette::Window));
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter | Qt::TextShowMnemonic, title());
}

} // namespace kestrava
