// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>

namespace kestrava {

/// A frame drawn the same on every desktop style: an etched border whose top line
/// runs through the middle of the caption, so that controls placed a caption's height
/// below the top sit clear of it. Without a caption it is a plain border.
class FrameBox : public QGroupBox
{
    Q_OBJECT

public:
    explicit FrameBox(const QString &title, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace kestrava
