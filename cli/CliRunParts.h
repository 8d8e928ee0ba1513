// SPDX-License-Identifier: GPL-3.0-or-later
// The parts a run works through, as the command line fills them: no window,
// no questions, and the options fixed for the whole run.
#pragma once

#include "ProgressSink.h"
#include "Prompt.h"
#include "RulesNameSource.h"
#include "RunSettings.h"
#include "SystemRunClock.h"

#include <QElapsedTimer>

namespace kestrava::cli {

/// The rules of a run as the command line fixes them: the options and the
/// counters' start texts read once, and the date of \a clock, which must
/// outlive the names.
RulesNameSource::Rules fixedRules(const RenameOptions &options, const QString &prefixCountText,
                                  const QString &postfixCountText, const RunClock &clock);

/// The command line asks nothing: confirmation is never on.
class NoPrompt : public Prompt
{
public:
    PromptAnswer ask(const QString &, const QString &) override { return PromptAnswer::Yes; }
};

/// The per-file choices: no confirmation, read-only files skipped or made writable.
class CliRunSettings : public RunSettings
{
public:
    explicit CliRunSettings(bool skipReadOnly)
        : m_skipReadOnly(skipReadOnly)
    {}
    bool confirmFiles() const override { return false; }
    bool ignoreReadOnly() const override { return m_skipReadOnly; }

private:
    bool m_skipReadOnly;
};

/// Where a run reports: nowhere, but for a count of the files renamed on
/// standard error, rewritten at most ten times a second, when it is a terminal.
class CliProgress : public ProgressSink
{
public:
    explicit CliProgress(bool showCount);
    ~CliProgress() override;

    void showFile(const QString &) override {}
    void showFolder(const QString &) override {}
    void showCount(qint64 filesRenamed) override;
    void showStatus(const QString &) override {}
    void showSummary(const QString &) override {}
    void logsCleared() override {}
    void fileModified(const QString &) override {}
    void errorLogged(const QString &) override {}
    void yield() override {}

private:
    bool m_showCount;
    bool m_shown = false;
    QElapsedTimer m_sinceShown;
};

/// The system's clock, with today's date fixed when the caller says so.
class CliClock : public SystemRunClock
{
public:
    /// \a today: the date the names show, or an invalid date for the real one.
    explicit CliClock(QDate today)
        : m_fixedToday(today)
    {}
    QDate today() const override { return m_fixedToday.isValid() ? m_fixedToday : SystemRunClock::today(); }

private:
    QDate m_fixedToday;
};

} // namespace kestrava::cli
