// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace kestrava {

/// The button that closed a question box. Closing it without a button is Cancel.
enum class PromptAnswer { Yes, No, Cancel };

/// Asks the user a Yes/No/Cancel question (Yes the default). The window shows a
/// modal box; tests answer from a script.
class Prompt
{
public:
    virtual ~Prompt() = default;

    /// Shows \a text (lines separated by "\n") under \a title and returns the answer.
    virtual PromptAnswer ask(const QString &title, const QString &text) = 0;
    /// Asks a Yes/No question whose safe answer is No, the default. Closing the
    /// box without a button answers No. Asks through ask() unless overridden,
    /// which suits prompts that answer from a script.
    virtual PromptAnswer askYesNo(const QString &title, const QString &text)
    {
        const PromptAnswer answer = ask(title, text);
        return answer == PromptAnswer::Yes ? PromptAnswer::Yes : PromptAnswer::No;
    }
    /// Asks for a line of text under \a title, \a text saying what, the field
    /// holding \a initial; nothing when the user cancels. A prompt that cannot
    /// ask for text cancels.
    virtual std::optional<QString> askText(const QString & /*title*/, const QString & /*text*/,
                                           const QString & /*initial*/)
    {
        return std::nullopt;
    }
};

} // namespace kestrava
