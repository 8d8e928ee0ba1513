#pragma once

#include <QWidget>

namespace kestrava {

/// The program's one window: a strip of eight tabs leading through the steps.
class KestravaForm : public QWidget
{
    Q_OBJECT

public:
    explicit KestravaForm(QWidget *parent = nullptr);
};

} // namespace kestrava
