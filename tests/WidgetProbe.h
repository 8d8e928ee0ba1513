// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reading a control's text and look whatever its kind, for the layout tests.

#include <QAbstractButton>
#include <QColor>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>

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

/// The controls under `root` whose text does not fit their box, with the room it needs.
inline QStringList clippedTexts(const QWidget *root)
{
    QStringList clipped;
    for (QWidget *widget : root->findChildren<QWidget *>()) {
        const QString text = shownText(widget);
        if (text.trimmed().isEmpty() || widget->isHidden() || qobject_cast<QPlainTextEdit *>(widget))
            continue;
        const QFontMetrics metrics(widget->font());
        const int inkHeight = metrics.ascent() + metrics.tightBoundingRect(text).bottom() + 1;
        bool fits = true;
        if (auto *label = qobject_cast<QLabel *>(widget); label && label->wordWrap())
            fits = label->heightForWidth(label->width()) <= label->height();
        else if (qobject_cast<QLabel *>(widget))
            fits = metrics.horizontalAdvance(text) <= widget->width() && inkHeight <= widget->height();
        else if (qobject_cast<QPushButton *>(widget))
            fits = metrics.horizontalAdvance(text) + 8 <= widget->width() && inkHeight + 4 <= widget->height();
        else if (qobject_cast<QAbstractButton *>(widget))
            fits = widget->sizeHint().width() <= widget->width();
        if (!fits)
            clipped << QStringLiteral("%1 (%2 wide, %3 high)")
                           .arg(widget->objectName())
                           .arg(metrics.horizontalAdvance(text))
                           .arg(inkHeight);
    }
    return clipped;
}

/// Pairs of named controls of one container whose boxes overlap by more than the one
/// pixel that rounding twips can give.
inline QStringList overlappingControls(const QList<const QWidget *> &containers, const QStringList &exempt)
{
    QStringList overlapping;
    for (const QWidget *container : containers) {
        QList<const QWidget *> named;
        for (const QObject *child : container->children()) {
            auto *widget = qobject_cast<const QWidget *>(child);
            if (widget && !widget->objectName().isEmpty() && !exempt.contains(widget->objectName()))
                named << widget;
        }
        for (qsizetype i = 0; i < named.size(); ++i)
            for (qsizetype j = i + 1; j < named.size(); ++j)
                if (named[i]->geometry().adjusted(0, 0, -1, -1).intersects(named[j]->geometry()))
                    overlapping << named[i]->objectName() + QLatin1Char('/') + named[j]->objectName();
    }
    return overlapping;
}

} // namespace probe
