// SPDX-License-Identifier: GPL-3.0-or-later
// Scripted stand-ins for the window's parts, shared by the tests of the run.
#pragma once

#include "DiskFileList.h"
#include "DiskFolderList.h"
#include "JournalFormat.h"
#include "NameSource.h"
#include "ProgressSink.h"
#include "Prompt.h"
#include "RenameRun.h"
#include "RunClock.h"
#include "RunJournal.h"
#include "RunSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStringList>

#include <csignal>
#include <functional>
#include <sys/fsuid.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kestrava::testing {

/// Answers from a queue and records every question; an empty queue answers Cancel.
class ScriptedPrompt : public Prompt
{
public:
    QList<PromptAnswer> answers;
    QStringList titles;
    QStringList texts;

    PromptAnswer ask(const QString &title, const QString &text) override
    {
        titles.append(title);
        texts.append(text);
        return answers.isEmpty() ? PromptAnswer::Cancel : answers.takeFirst();
    }
};

/// Records what the run reported, one line per event, and can act at a yield.
class RecordingSink : public ProgressSink
{
public:
    QStringList events;
    QStringList files;
    QStringList folders;
    int yields = 0;
    std::function<void(int)> onYield; // gets the number of the yield, from 1

    void showFile(const QString &name) override
    {
        events.append(QStringLiteral("file ") + name);
        if (!name.isEmpty())
            files.append(name);
    }
    void showFolder(const QString &path) override
    {
        events.append(QStringLiteral("folder ") + path);
        if (!path.isEmpty())
            folders.append(path);
    }
    void showCount(qint64 n) override { events.append(QStringLiteral("count ") + QString::number(n)); }
    void showStatus(const QString &s) override { events.append(QStringLiteral("status ") + s); }
    void showSummary(const QString &s) override { events.append(QStringLiteral("summary") + s); }
    void logsCleared() override { events.append(QStringLiteral("cleared")); }
    void fileModified(const QString &n) override { events.append(QStringLiteral("modified ") + n); }
    void errorLogged(const QString &t) override { events.append(QStringLiteral("error ") + t); }
    void yield() override
    {
        events.append(QStringLiteral("yield"));
        ++yields;
        if (onYield)
            onYield(yields);
    }
};

/// Names like the core computation with a four-digit prefix counter: "0001_a.txt".
/// Fails as it does for a name without a dot and for a counter of 10000 or more.
class CountingNames : public NameSource
{
public:
    int startValue = 1;
    int counter = 0;

    void beginRun() override { counter = startValue; }
    std::expected<QString, QString> newName(const QString &oldName) override
    {
        const QString invalid = QStringLiteral("Invalid procedure call or argument");
        if (!oldName.contains(u'.') || counter >= 10000)
            return std::unexpected(invalid);
        return QStringLiteral("%1_").arg(counter++, 4, 10, QLatin1Char('0')) + oldName;
    }
};

/// Gives the same new name to every file, or whatever a test sets.
class FixedNames : public NameSource
{
public:
    std::function<std::expected<QString, QString>(const QString &)> rule;
    WhenTaken taken = WhenTaken::Leave;
    void beginRun() override {}
    std::expected<QString, QString> newName(const QString &oldName) override { return rule(oldName); }
    WhenTaken whenTaken() const override { return taken; }
};

class TestSettings : public RunSettings
{
public:
    bool confirm = false;
    bool ignoreReadOnly_ = false;
    bool confirmFiles() const override { return confirm; }
    bool ignoreReadOnly() const override { return ignoreReadOnly_; }
};

/// Gives the times of a script in turn, then repeats the last one.
class ScriptedClock : public RunClock
{
public:
    mutable QList<QDateTime> times{QDateTime(QDate(2026, 1, 5), QTime(10, 0))};
    QDateTime now() const override { return times.size() > 1 ? times.takeFirst() : times.first(); }
    /// The day of the next time, leaving the script as it is: the names of a
    /// run ask for every file.
    QDate today() const override { return times.first().date(); }
};

/// A run over real folders with scripted answers.
struct RunRig
{
    DiskFileList files;
    DiskFolderList folders{files};
    ScriptedPrompt prompt;
    RecordingSink sink;
    CountingNames names;
    TestSettings settings;
    ScriptedClock clock;
    RenameRun run{{folders, files, prompt, sink, names, settings, clock}};
    RenameRun runWith(NameSource &other) { return RenameRun({folders, files, prompt, sink, other, settings, clock}); }
};

// Root passes every permission check, so tests of permissions lower the
// file-system user of the process for their duration.
class UnprivilegedFileAccess
{
public:
    UnprivilegedFileAccess()
        : m_previous(::geteuid() == 0 ? ::setfsuid(65534) : -1)
    {}
    ~UnprivilegedFileAccess()
    {
        if (m_previous >= 0)
            ::setfsuid(uid_t(m_previous));
    }
    UnprivilegedFileAccess(const UnprivilegedFileAccess &) = delete;
    UnprivilegedFileAccess &operator=(const UnprivilegedFileAccess &) = delete;

private:
    int m_previous;
};

inline bool writeFile(const QString &path, const QByteArray &content = QByteArray())
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

/// Every name in \a folder, hidden ones included, sorted.
inline QStringList namesIn(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

/// Renames every file of \a folder to "renamed-" + its name in a journaled run
/// of a child process, and kills the child with SIGKILL once its journal file
/// is larger than \a journalBytes (with the room it reserves ahead), as a
/// crash would end a run part way.
inline void renameInKilledChild(const QString &folder, qint64 journalBytes)
{
    const pid_t child = ::fork();
    if (child < 0)
        return;
    if (child == 0) {
        RunRig rig;
        RunJournal journal;
        FixedNames names;
        names.rule = [](const QString &name) -> QString { return QStringLiteral("renamed-") + name; };
        RenameRun run = rig.runWith(names);
        run.setJournal(&journal);
        rig.folders.setPath(folder);
        run.start(RunScope::AllFilesInCurrentFolder);
        ::_exit(0);
    }
    int status = 0;
    for (int wait = 0; wait < 20000 && ::waitpid(child, &status, WNOHANG) == 0; ++wait) {
        const QStringList journals = journal::journalPaths();
        if (!journals.isEmpty() && QFileInfo(journals.last()).size() > journalBytes)
            break;
        ::usleep(1000);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
}

} // namespace kestrava::testing
