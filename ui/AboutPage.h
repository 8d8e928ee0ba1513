// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace kestrava {

/// Tab 6, "About": the program's name and version, its author, and its conditions of use.
class AboutPage : public QWidget
{
    Q_OBJECT

public:
    explicit AboutPage(QWidget *parent = nullptr);
};

} // namespace kestrava
