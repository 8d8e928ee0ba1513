// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Prompt.h"

#include <QPointer>
#include <QWidget>

namespace kestrava {

/// Asks through a modal message box with a question icon and the buttons Yes
/// (the default), No and Cancel, or, for askYesNo(), Yes and No (the default).
/// Closing the box counts as Cancel, or No.
class MessageBoxPrompt : public Prompt
{
public:
    /// The box is modal over \a parent.
    explicit MessageBoxPrompt(QWidget *parent = nullptr);

    PromptAnswer ask(const QString &title, const QString &text) override;
    PromptAnswer askYesNo(const QString &title, const QString &text) override;
    std::optional<QString> askText(const QString &title, const QString &text, const QString &initial) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace kestrava
