// SPDX-License-Identifier: GPL-3.0-or-later
// The widgets room: small widgets and filters that several pages share (the default button, key filters, the line-block text box).
#include "DefaultButton.h"

#include <QPushButton>
#include <QShortcut>
#include <QWidget>

namespace kestrava {

DefaultButton::DefaultButton(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto *shortcut = new QShortcut(QKeySequence(key), window);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, &DefaultButton::press);
    }
}

void DefaultButton::setButton(QPushButton *button)
{
    if (m_button)
        m_button->setDefault(false);
    m_button = button;
    if (m_button) {
        // Only the default look: the press itself comes from the window's shortcut.
        m_button->setAutoDefault(false);
        m_button->setDefault(true);
    }
}

void DefaultButton::press()
{
    // As on any desktop, Enter on a focused button presses that button.
    auto *target = qobject_cast<QPushButton *>(m_window->focusWidget());
    if (!target)
        target = m_button;
    if (target && target->isEnabled() && target->isVisible())
        target->click();
}

} // namespace kestrava
