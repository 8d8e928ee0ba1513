// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageBoxErrorReporter.h"

#include <QMessageBox>

namespace kestrava {

MessageBoxErrorReporter::MessageBoxErrorReporter(QWidget *window)
    : m_window(window)
{}

void MessageBoxErrorReporter::showError(const QString &title, const QString &text)
{
    QMessageBox::critical(m_window, title, text, QMessageBox::Ok);
}

} // namespace kestrava
