// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QWidget;

namespace kestrava {

/// Discards typed characters before a text box sees them. Keys that type
/// nothing printable (Tab, arrows, Delete, Enter, shortcuts such as Ctrl+C)
/// always pass, so the box can still be left, navigated and copied from.
class KeyPressFilter : public QObject
{
    Q_OBJECT

public:
    /// Which typed characters reach the box.
    enum class Accept {
        Digits,  ///< only "0" to "9" (backspace passes as it types nothing)
        Nothing, ///< no typed character: the box only displays
    };

    /// Filters the key presses of \a box; the filter lives as long as the box.
    static void install(QWidget *box, Accept accept);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    KeyPressFilter(QWidget *box, Accept accept);

    Accept m_accept;
};

} // namespace kestrava
