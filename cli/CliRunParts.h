// The parts a run works through, as the command line fills them: no window,
// no questions, and the options fixed for the whole run.
#pragma once

#include "NameCounters.h"
#include "NameSource.h"
#include "ProgressSink.h"
#include "Prompt.h"
#include "RenameError.h"
#include "RenameOptions.h"
#include "RunSettings.h"
#include "SystemRunClock.h"

#include <QElapsedTimer>

namespace kestrava::cli {

/// The names of a run: the options read once from the command line, with
/// counters loaded from their start texts as every run of the window loads its
/// own, and the date of \a clock, which must outlive this object.
class CliNameSource : public NameSource
{
public:
    CliNameSource(const RenameOptions &options, const QString &prefixCountText, const QString &postfixCountText,
                  const RunClock &clock);

    void beginRun() override;
    std::expected<QString, QString> newName(const QString &oldName) override;
    NumberingOptions numbering() const override { return m_options.numbering; }
    void restartCounters() override { beginRun(); }
    /// The new name of \a oldName, advancing the counters, with the failure's cause.
    std::expected<QString, RenameError> compute(const QString &oldName);

private:
    RenameOptions m_options;
    QString m_prefixCountText;
    QString m_postfixCountText;
    const RunClock &m_clock;
    NameCounters m_counters;
};

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
