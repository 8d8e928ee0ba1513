// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyPressFilter.h"

#include <QKeyEvent>
#include <QWidget>

namespace kestrava {

void KeyPressFilter::install(QWidget *box, Accept accept)
{
    box->installEventFilter(new KeyPressFilter(box, accept));
}

KeyPressFilter::KeyPressFilter(QWidget *box, Accept accept)
    : QObject(box)
    , m_accept(accept)
{}

bool KeyPressFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    // Shortcuts carry control characters or none at all; only keys that would
    // put a visible character (space included) into the box are judged.
    const QString text = key->text();
    if (text.isEmpty() || !text.front().isPrint())
        return false;
    if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return false;
    if (m_accept == Accept::Digits)
        return !(text.size() == 1 && text.front() >= u'0' && text.front() <= u'9');
    return true;
}

} // namespace kestrava
