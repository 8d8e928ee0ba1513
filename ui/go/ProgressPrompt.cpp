// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgressPrompt.h"

#include "GoProgress.h"

namespace kestrava {

ProgressPrompt::ProgressPrompt(GoProgress &progress, Prompt &standard)
    : m_progress(progress)
    , m_standard(standard)
    , m_chosen(&standard)
{}

void ProgressPrompt::choose(Prompt *prompt)
{
    m_chosen = prompt ? prompt : &m_standard;
}

PromptAnswer ProgressPrompt::ask(const QString &title, const QString &text)
{
    m_progress.flush();
    return m_chosen->ask(title, text);
}

PromptAnswer ProgressPrompt::askYesNo(const QString &title, const QString &text)
{
    m_progress.flush();
    return m_chosen->askYesNo(title, text);
}

} // namespace kestrava
