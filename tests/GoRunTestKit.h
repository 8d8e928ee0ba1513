// SPDX-License-Identifier: GPL-3.0-or-later
// The real window as the Go tab tests drive it: scripted answers, a hook into the
// run's yields, and a window that notes when it would end the program.
#pragma once

#include "KestravaForm.h"
#include "Prompt.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <functional>

namespace kestrava::testing {

/// Answers from a queue (then Cancel) and lets a test look at the window while
/// the question would be open.
class HookedPrompt : public Prompt
{
public:
    QList<PromptAnswer> answers;
    QStringList texts;
    std::function<void()> onAsk;

    PromptAnswer ask(const QString &, const QString &text) override
    {
        texts.append(text);
        if (onAsk)
            onAsk();
        return answers.isEmpty() ? PromptAnswer::Cancel : answers.takeFirst();
    }
};

/// The window, noting whether a run was in progress each time it set about
/// ending the program; it ends nothing, as no event loop runs in a test.
class EndNotingForm : public KestravaForm
{
public:
    QList<bool> endsDuringARun;

    EndNotingForm()
    {
        connect(this, &KestravaForm::endingProgram, this, [this] { endsDuringARun.append(runInProgress()); });
    }
};

/// Runs \a action from the event loop, that is at the run's next yield.
inline void atNextYield(QObject *context, std::function<void()> action)
{
    QMetaObject::invokeMethod(context, std::move(action), Qt::QueuedConnection);
}

} // namespace kestrava::testing
