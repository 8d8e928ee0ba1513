// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChildRows.h"

#include "BareLoops.h"
#include "BenchContext.h"
#include "BenchFolders.h"
#include "WindowDriver.h"
#include "WindowReplica.h"

#include "FolderChooserList.h"
#include "KestravaForm.h"
#include "RenameRun.h"
#include "RunController.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QFile>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <spawn.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

extern char **environ;

namespace kestrava::bench {

namespace {

// Ends the process at the end of the first paint of the watched window, after
// printing the steady clock's reading, which is the same for every process.
class FirstPaintWatch : public QObject
{
public:
    explicit FirstPaintWatch(QWidget *window)
        : m_window(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // The children are painted in the same pass; a zero timer fires after it.
            QTimer::singleShot(0, [] {
                const auto now = Clock::now().time_since_epoch();
                std::printf("%lld\n", (long long)std::chrono::nanoseconds(now).count());
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    QWidget *m_window;
    bool m_seen = false;
};

// The baseline window: a tab widget of the same size with eight empty pages.
QWidget *bareWindow()
{
    auto *tabs = new QTabWidget;
    tabs->setWindowTitle(QStringLiteral("Kestrava  -  Quorvel  -  V1.3  |  by Dunsmore"));
    tabs->resize(658, 482);
    const char *captions[] = {
        "&Choose Files...", "&Set Options...", "&Preview Results...", "&Go !", "    ", "&Help", "&About", "E&xit"};
    for (const char *caption : captions)
        tabs->addTab(new QWidget, QString::fromLatin1(caption));
    return tabs;
}

qint64 peakRssKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

// The window itself, the plain-Qt copy of it described in \a replicaFile, or
// (with neither) a tab widget of eight empty pages.
int startupChild(bool kestrava, const QString &replicaFile = QString())
{
    // The same steps as the program's main().
    int argc = 1;
    char name[] = "kestrava";
    char *argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrava"));
    QWidget *window = nullptr;
    if (kestrava) {
        window = new KestravaForm;
    } else if (!replicaFile.isEmpty()) {
        QFile description(replicaFile);
        if (!description.open(QIODevice::ReadOnly))
            return 1;
        window = replicaOf(description.readAll());
    } else {
        window = bareWindow();
    }
    FirstPaintWatch watch(window);
    window->show();
    return QApplication::exec();
}

// The window with \a folder listed and previewed, and with \a run, renamed
// too (spaces to underscores, as the million run renames them) from the Go
// tab, until the folder is shown again.
int memoryChild(bool kestrava, const QString &folder, bool run = false)
{
    int argc = 1;
    char name[] = "kestrava";
    char *argv[] = {name, nullptr};
    QApplication app(argc, argv);
    std::size_t bareCount = 0;
    QWidget *window = nullptr;
    if (kestrava) {
        auto *form = new KestravaForm;
        window = form;
        form->show();
        if (run) {
            control<QRadioButton>(*form, "optSpacesToUnderscores")->setChecked(true);
            control<QCheckBox>(*form, "chkPrefixCounter")->setChecked(false);
        }
        openFolderAndPreview(*form, folder);
        if (run) {
            form->SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::Go));
            settle(form->SSTabStrip());
            control<QPushButton>(*form, "StartButton")->click();
            while (form->folderList()->isListing())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
            if (form->runController()->run().intFilesRenamed() == 0)
                return 1;
        }
    } else {
        // The least the same work needs: a window and every name, sorted, twice over
        // (the list and the preview's old names).
        window = bareWindow();
        window->show();
        const auto names = bareSortedNames(QFile::encodeName(folder).constData());
        const auto copy = names;
        bareCount = names.size() + copy.size();
    }
    QCoreApplication::processEvents();
    std::printf("%lld\n", (long long)peakRssKb());
    std::fflush(stdout);
    delete window;
    return bareCount > 0 || kestrava ? 0 : 1;
}

// Starts this program with \a arguments and returns what it printed, with the
// steady clock's reading just before the start in \a startedAt.
QByteArray runSelf(const QStringList &arguments, Clock::time_point *startedAt)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        failBench(QStringLiteral("no pipe"));
    std::vector<QByteArray> storage{QByteArray("/proc/self/exe"), QByteArray("--child")};
    for (const QString &argument : arguments)
        storage.push_back(argument.toUtf8());
    std::vector<char *> argv;
    for (QByteArray &argument : storage)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    pid_t child = 0;
    *startedAt = Clock::now();
    const int spawned = ::posix_spawn(&child, "/proc/self/exe", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    QByteArray output;
    char buffer[256];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, n);
    ::close(pipeFds[0]);
    int status = 0;
    if (spawned != 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        failBench(QStringLiteral("child %1 failed").arg(arguments.join(u' ')));
    return output.trimmed();
}

double startupMs(const char *mode, const QString &argument = QString())
{
    Clock::time_point startedAt;
    QStringList arguments{QString::fromLatin1(mode)};
    if (!argument.isEmpty())
        arguments.append(argument);
    const QByteArray shownAt = runSelf(arguments, &startedAt);
    const auto shown = Clock::time_point(std::chrono::nanoseconds(shownAt.toLongLong()));
    return std::chrono::duration<double, std::milli>(shown - startedAt).count();
}

} // namespace

int runChild(const QStringList &arguments)
{
    const QString mode = arguments.value(0);
    if (mode == u"startup-window" || mode == u"startup-bare")
        return startupChild(mode == u"startup-window");
    if (mode == u"startup-replica")
        return startupChild(false, arguments.value(1));
    if (mode == u"memory-window" || mode == u"memory-bare")
        return memoryChild(mode == u"memory-window", arguments.value(1));
    if (mode == u"memory-window-run")
        return memoryChild(true, arguments.value(1), true);
    std::fprintf(stderr, "unknown child mode\n");
    return 2;
}

// Two rows: against a plain-Qt copy of the same window (what any program
// showing these controls pays: the target), and against a tab widget of empty
// pages (what the first round measured, for comparison).
void addStartupRow(BenchContext &context)
{
    // The copy is described from a window made here, in the folder the child
    // windows start in, so that its lists hold the same entries.
    const QString replicaFile = QString::fromStdString(context.root) + QStringLiteral("/window.replica");
    {
        KestravaForm form;
        form.show();
        settle(&form);
        QFile description(replicaFile);
        if (!description.open(QIODevice::WriteOnly) || description.write(describeWindow(&form)) < 0)
            failBench(QStringLiteral("cannot write the window's description"));
    }
    PairTimes replica;
    PairTimes empty;
    for (int rep = 0; rep < context.reps; ++rep) {
        // Alternating the order weighs a machine that slows down on every side alike.
        if (rep % 2 == 0) {
            replica.baseline.push_back(startupMs("startup-replica", replicaFile));
            empty.baseline.push_back(startupMs("startup-bare"));
            replica.measured.push_back(startupMs("startup-window"));
        } else {
            replica.measured.push_back(startupMs("startup-window"));
            empty.baseline.push_back(startupMs("startup-bare"));
            replica.baseline.push_back(startupMs("startup-replica", replicaFile));
        }
    }
    empty.measured = replica.measured;
    for (auto [baseline, times, target] :
         {std::tuple{QStringLiteral("the same window in plain Qt (same controls, texts, fonts, list entries)"),
                     &replica, std::optional<double>(1.25)},
          std::tuple{QStringLiteral("a QTabWidget of eight empty pages"), &empty, std::optional<double>()}}) {
        Row row =
            timeRow(QStringLiteral("start-up to the first shown window (fresh process)"), baseline, *times, target);
        row.fileSystem = QStringLiteral("–");
        context.rows.push_back(row);
    }
}

namespace {

// The medians of the peak memory of \a reps window and bare processes over \a folder, in MB.
// With \a afterEach, the window's processes run too, and \a afterEach puts the folder back.
std::pair<double, double> peakMemoryMb(const QString &folder, int reps,
                                       const std::function<void()> &afterEach = nullptr)
{
    std::vector<double> window;
    std::vector<double> bare;
    Clock::time_point unused;
    for (int rep = 0; rep < reps; ++rep) {
        const QString mode = afterEach ? QStringLiteral("memory-window-run") : QStringLiteral("memory-window");
        window.push_back(runSelf({mode, folder}, &unused).toDouble() / 1024.0);
        if (afterEach)
            afterEach();
        bare.push_back(runSelf({QStringLiteral("memory-bare"), folder}, &unused).toDouble() / 1024.0);
    }
    return {median(window), median(bare)};
}

Row memoryRow(const QString &what, std::pair<double, double> mb, double limitMb)
{
    return Row{what,
               QString::number(mb.first, 'f', 1) + QStringLiteral(" MB"),
               QString::number(mb.second, 'f', 1) + QStringLiteral(" MB bare window + names"),
               QString::number(mb.first / mb.second, 'f', 2) + QStringLiteral("×"),
               QStringLiteral("< %1 MB").arg(limitMb),
               mb.first < limitMb,
               QString()};
}

} // namespace

void addMemoryRow(BenchContext &context)
{
    context.rows.push_back(memoryRow(QStringLiteral("peak memory (VmHWM), 100,000-file folder listed and previewed"),
                                     peakMemoryMb(QString::fromStdString(context.bigFolder), context.reps), 150.0));
}

void addMillionMemoryRow(BenchContext &context, const std::string &folder, int reps)
{
    context.rows.push_back(memoryRow(
        QStringLiteral("peak memory (VmHWM), 1,000,000-file folder listed and previewed, every line marked [%1 reps]")
            .arg(reps),
        peakMemoryMb(QString::fromStdString(folder), reps), 800.0));
    const std::string journals = context.root + "/state-memory";
    qputenv("XDG_STATE_HOME", QByteArray::fromStdString(journals));
    const auto putBack = [&] {
        removeTree(journals);
        if (!restoreFolder(folder, millionFiles))
            failBench(QStringLiteral("million memory: the run left a file unrenamed"));
    };
    context.rows.push_back(memoryRow(
        QStringLiteral("peak memory (VmHWM), 1,000,000-file folder listed, previewed and renamed from the Go tab [%1 "
                       "reps]")
            .arg(reps),
        peakMemoryMb(QString::fromStdString(folder), reps, putBack), 800.0));
}

} // namespace kestrava::bench
