#pragma once

// Reading a control's text and look whatever its kind, for the layout tests.

#include <QAbstractButton>
#include <QColor>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "WindowLayoutExpectations.h"

namespace probe {

inline int pixels(int twips)
{
    return qRound(twips / 15.0);
}

inline QColor colourOf(expected::Colour colour)
{
    switch (colour) {
    case expected::Colour::DarkBlue:
        return QColor(0, 0, 192);
    case expected::Colour::Green:
        return QColor(0, 128, 0);
    case expected::Colour::Red:
        return QColor(255, 0, 0);
    case expected::Colour::Text:
        break;
    }
    return QColor(Qt::black);
}

// The text a control shows, whatever its kind.
inline QString shownText(const QWidget *widget)
{
    if (auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    if (auto *frame = qobject_cast<const QGroupBox *>(widget))
        return frame->title();
    if (auto *box = qobject_cast<const QLineEdit *>(widget))
        return box->text();
    if (auto *box = qobject_cast<const QPlainTextEdit *>(widget))
        return box->toPlainText();
    if (auto *combo = qobject_cast<const QComboBox *>(widget))
        return combo->currentText();
    return {};
}

inline Qt::Alignment horizontalAlignment(const QWidget *widget)
{
    if (auto *label = qobject_cast<const QLabel *>(widget))
        return label->alignment() & Qt::AlignHorizontal_Mask;
    if (auto *box = qobject_cast<const QLineEdit *>(widget))
        return box->alignment() & Qt::AlignHorizontal_Mask;
    return Qt::AlignLeft;
}

} // namespace probe
