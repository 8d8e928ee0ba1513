// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ErrorReporter.h"

class QWidget;

namespace kestrava {

/// Shows each failure in a modal message box with an error icon and an OK button.
class MessageBoxErrorReporter : public ErrorReporter
{
public:
    /// The boxes are centred on \a window.
    explicit MessageBoxErrorReporter(QWidget *window);

    void showError(const QString &title, const QString &text) override;

private:
    QWidget *m_window = nullptr;
};

} // namespace kestrava
