// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageBoxPrompt.h"

#include <QInputDialog>
#include <QMessageBox>

namespace kestrava {

MessageBoxPrompt::MessageBoxPrompt(QWidget *parent)
    : m_parent(parent)
{}

PromptAnswer MessageBoxPrompt::ask(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                    m_parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    // Escape and the window's close button both answer Cancel.
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
    case QMessageBox::No:
        return PromptAnswer::No;
    default:
        return PromptAnswer::Cancel;
    }
}

PromptAnswer MessageBoxPrompt::askYesNo(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setTextFormat(Qt::PlainText);
    // Enter on an unread question must not set anything in motion.
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? PromptAnswer::Yes : PromptAnswer::No;
}

std::optional<QString> MessageBoxPrompt::askText(const QString &title, const QString &text, const QString &initial)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(m_parent, title, text, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

} // namespace kestrava
