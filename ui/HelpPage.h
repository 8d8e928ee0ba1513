// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace kestrava {

/// Tab 5, "Help": what the program does and how to use it, in fixed texts.
class HelpPage : public QWidget
{
    Q_OBJECT

public:
    explicit HelpPage(QWidget *parent = nullptr);
};

} // namespace kestrava
