// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QPushButton>

class QWidget;

namespace kestrava {

/// Gives a plain window what dialogs have: a default button that Enter and Return
/// press. The button shows as the default; which button it is can change at any time.
class DefaultButton : public QObject
{
    Q_OBJECT

public:
    /// Listens for Enter and Return anywhere in `window`.
    explicit DefaultButton(QWidget *window);

    /// Makes `button` the default (nullptr for none); the previous one stops being it.
    void setButton(QPushButton *button);
    QPushButton *button() const { return m_button; }

private:
    void press();

    QWidget *m_window = nullptr;
    QPointer<QPushButton> m_button;
};

} // namespace kestrava
