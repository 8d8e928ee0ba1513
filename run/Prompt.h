#pragma once

#include <QString>

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
};

} // namespace kestrava
