// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Prompt.h"

namespace kestrava {

class GoProgress;

/// The questions of a run: the progress labels first catch up with the file the
/// question is about, then the chosen prompt asks.
class ProgressPrompt : public Prompt
{
public:
    /// Flushes \a progress and asks through \a standard until another prompt is
    /// chosen; both must outlive this object.
    ProgressPrompt(GoProgress &progress, Prompt &standard);

    /// Asks through \a prompt from now on (nullptr: the standard prompt).
    void choose(Prompt *prompt);

    PromptAnswer ask(const QString &title, const QString &text) override;
    PromptAnswer askYesNo(const QString &title, const QString &text) override;

private:
    GoProgress &m_progress;
    Prompt &m_standard;
    Prompt *m_chosen = nullptr;
};

} // namespace kestrava
