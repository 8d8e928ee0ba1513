// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiskOperations.h"
#include "FaultInjection.h"
#include "FuseMountKit.h"
#include "RenameMethods.h"
#include "RunJournal.h"
#include "RunSimulation.h"
#include "RunTestKit.h"
#include "UndoRun.h"

#include <QProcess>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace kestrava;
using namespace kestrava::testing;

namespace {

// "x-" before every name not starting with it: "b.txt" meets a taken name and
// "x-b.txt" stays as it is.
std::expected<QString, RenameError> prefixed(const QString &oldName)
{
    return oldName.startsWith(u"x-") ? oldName : QStringLiteral("x-") + oldName;
}

/// Every file below \a folder with its content, by path relative to \a folder.
QMap<QString, QByteArray> contentsBelow(const QString &folder)
{
    QMap<QString, QByteArray> contents;
    const QDir root(folder);
    for (const QString &name : namesIn(folder)) {
        const QString path = folder + u'/' + name;
        if (QFileInfo(path).isDir()) {
            const auto below = contentsBelow(path);
            for (auto it = below.begin(); it != below.end(); ++it)
                contents.insert(name + u'/' + it.key(), it.value());
        } else {
            contents.insert(name, readFile(path));
        }
    }
    return contents;
}

/// Files whose content is their first name, so that a replaced file shows.
bool makeFiles(const QString &folder, const QStringList &names)
{
    for (const QString &name : names) {
        const QString path = folder + u'/' + name;
        if (!QDir().mkpath(QFileInfo(path).path()) || !writeFile(path, QFileInfo(path).fileName().toUtf8()))
            return false;
    }
    return true;
}

dev_t deviceOf(const QString &path)
{
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_dev : 0;
}

/// Runs \a program with \a arguments; its standard output, or an error
/// naming the program and what it said.
std::expected<QString, QString> runTool(const QString &program, const QStringList &arguments)
{
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(30000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        return std::unexpected(program + QStringLiteral(": ")
                               + QString::fromLocal8Bit(tool.readAllStandardError()).trimmed());
    return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
}

/// An ext4 image with 128-byte inodes, which keep no birth time, mounted
/// through a loop device of its own for as long as it is mounted.
class LoopMount
{
public:
    explicit LoopMount(const QString &mountPoint)
        : m_mountPoint(mountPoint)
    {}
    ~LoopMount() { unmount(); }
    LoopMount(const LoopMount &) = delete;
    LoopMount &operator=(const LoopMount &) = delete;

    static std::expected<void, QString> makeImage(const QString &image)
    {
        if (::geteuid() != 0)
            return std::unexpected(QStringLiteral("loop mounts need root"));
        QFile file(image);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(8 * 1024 * 1024))
            return std::unexpected(QStringLiteral("no room for an image"));
        if (auto made = runTool(QStringLiteral("mkfs.ext4"), {QStringLiteral("-q"), QStringLiteral("-F"),
                                                              QStringLiteral("-I"), QStringLiteral("128"), image});
            !made)
            return std::unexpected(made.error());
        return {};
    }
    /// Gives \a image a loop device, without mounting it.
    std::expected<void, QString> attach(const QString &image)
    {
        auto device = runTool(QStringLiteral("losetup"), {QStringLiteral("--find"), QStringLiteral("--show"), image});
        if (!device)
            return std::unexpected(device.error());
        m_device = *device;
        return {};
    }
    std::expected<void, QString> mount(const QString &image)
    {
        if (auto attached = attach(image); !attached)
            return attached;
        if (auto mounted = runTool(QStringLiteral("mount"), {m_device, m_mountPoint}); !mounted)
            return std::unexpected(mounted.error());
        m_mounted = true;
        return {};
    }
    void unmount()
    {
        if (m_mounted)
            runTool(QStringLiteral("umount"), {m_mountPoint});
        if (!m_device.isEmpty())
            runTool(QStringLiteral("losetup"), {QStringLiteral("-d"), m_device});
        m_mounted = false;
        m_device.clear();
    }
    const QString &device() const { return m_device; }

private:
    QString m_mountPoint;
    QString m_device;
    bool m_mounted = false;
};

} // namespace

class TestEveryFileSystem : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void everyScopeRenamesAndUndoes_data();
    void everyScopeRenamesAndUndoes();
    void noFileIsReplacedUnderARace_data();
    void noFileIsReplacedUnderARace();
    void killedStepIsClearedAfterwards_data();
    void killedStepIsClearedAfterwards();
    void undoKnowsTheFileSystemItRenamedOn_data();
    void undoKnowsTheFileSystemItRenamedOn();
    void failedRenameLeavesNoPlaceholder_data();
    void failedRenameLeavesNoPlaceholder();
    void placeholderHasNoPermissions();

private:
    QTemporaryDir *m_state = nullptr;
};

void TestEveryFileSystem::init()
{
    m_state = new QTemporaryDir;
    QVERIFY(m_state->isValid());
    qputenv("XDG_STATE_HOME", QFile::encodeName(m_state->path()));
}

void TestEveryFileSystem::cleanup()
{
    delete m_state;
}

void TestEveryFileSystem::everyScopeRenamesAndUndoes_data()
{
    QTest::addColumn<QString>("refuse");
    QTest::addColumn<bool>("ignoreCase"); // "x-C.TXT" then holds the name c.txt is to get
    QTest::addColumn<RunScope>("scope");
    QTest::addColumn<RenameMethod>("method");
    QTest::addColumn<quint64>("refusals");
    QTest::addColumn<QStringList>("after");
    const QStringList selected{"b.txt", "sub/d.txt", "x-a.txt", "x-b.txt", "x-c.txt"};
    const QStringList folder{"b.txt", "sub/d.txt", "x-a.txt", "x-b.txt", "x-c.txt"};
    const QStringList tree{"b.txt", "sub/x-d.txt", "x-a.txt", "x-b.txt", "x-c.txt"};
    const struct
    {
        const char *refuse;
        RenameMethod method;
        quint64 refusals; // once per run, not once per file
    } modes[] = {{"flags", RenameMethod::LinkThenUnlink, 1},
                 {"links", RenameMethod::NoReplaceFlag, 0},
                 {"both", RenameMethod::Placeholder, 2}};
    for (const auto &mode : modes) {
        QTest::addRow("%s selected", mode.refuse)
            << QString::fromLatin1(mode.refuse) << false << RunScope::SelectedFiles << mode.method << mode.refusals
            << selected;
        QTest::addRow("%s folder", mode.refuse)
            << QString::fromLatin1(mode.refuse) << false << RunScope::AllFilesInCurrentFolder << mode.method
            << mode.refusals << folder;
        QTest::addRow("%s tree", mode.refuse)
            << QString::fromLatin1(mode.refuse) << false << RunScope::AllFilesIncludingSubFolders << mode.method
            << mode.refusals << tree;
    }
    // As exfat-fuse: nothing refused, but case ignored, which the file system's type does not tell.
    QTest::newRow("case ignored selected")
        << QStringLiteral("none") << true << RunScope::SelectedFiles << RenameMethod::NoReplaceFlag << quint64(0)
        << QStringList{"b.txt", "c.txt", "sub/d.txt", "x-C.TXT", "x-a.txt", "x-b.txt"};
    QTest::newRow("case ignored tree") << QStringLiteral("none") << true << RunScope::AllFilesIncludingSubFolders
                                       << RenameMethod::NoReplaceFlag << quint64(0)
                                       << QStringList{"b.txt", "c.txt", "sub/x-d.txt", "x-C.TXT", "x-a.txt", "x-b.txt"};
}

void TestEveryFileSystem::everyScopeRenamesAndUndoes()
{
    QFETCH(QString, refuse);
    QFETCH(bool, ignoreCase);
    QFETCH(RunScope, scope);
    QFETCH(RenameMethod, method);
    QFETCH(quint64, refusals);
    QFETCH(QStringList, after);
    FuseMount mount(refuse, ignoreCase);
    if (!mount.skipReason().isEmpty())
        QSKIP(qPrintable(mount.skipReason()));
    QVERIFY(makeFiles(mount.backing(), {"a.txt", "b.txt", "c.txt", "x-b.txt", "sub/d.txt"}));
    if (ignoreCase)
        QVERIFY(makeFiles(mount.backing(), {"x-C.TXT"}));
    const auto before = contentsBelow(mount.backing());
    const QString root = mount.mountPoint();

    // The look ahead first, over the mount, as the preview sees it.
    QStringList marked;
    if (scope == RunScope::AllFilesIncludingSubFolders) {
        simulateTree(root, FileNamePattern(QStringLiteral("*.*")), prefixed, {},
                     [&marked](const SimulatedProblem &file) {
                         if (file.file.outcome == SimulatedOutcome::Renamed)
                             marked.append(file.oldName);
                     });
    } else {
        const QStringList oldNames =
            scope == RunScope::SelectedFiles ? QStringList{"a.txt", "c.txt"} : namesIn(root).filter(u".txt");
        QList<std::expected<QString, RenameError>> newNames;
        for (const QString &name : oldNames)
            newNames.append(prefixed(name));
        const auto simulated = simulateFolder(root, oldNames, newNames, {});
        QVERIFY(simulated.has_value());
        for (qsizetype i = 0; i < oldNames.size(); ++i)
            if (simulated->at(i).outcome == SimulatedOutcome::Renamed)
                marked.append(oldNames.at(i));
    }

    RunRig rig;
    FixedNames names;
    names.rule = [](const QString &old) { return std::expected<QString, QString>(*prefixed(old)); };
    RenameRun run = rig.runWith(names);
    RunJournal journal;
    run.setJournal(&journal);
    QVERIFY(rig.folders.setPath(root));
    if (scope == RunScope::SelectedFiles) {
        rig.files.deselectAll();
        for (qsizetype i = 0; i < rig.files.count(); ++i)
            rig.files.setSelected(i, rig.files.name(i) == u"a.txt" || rig.files.name(i) == u"c.txt");
    }
    const quint64 refusedBefore = refusedRenameMethods();
    QVERIFY(run.start(scope));
    QCOMPARE(refusedRenameMethods() - refusedBefore, refusals);
    QCOMPARE(renameMethodFor(deviceOf(root)), method);

    // What the look ahead marked is what the run renamed; nothing was replaced.
    QStringList renamed = run.log().modified();
    renamed.sort();
    QStringList expectedRenamed;
    for (const QString &name : std::as_const(marked))
        expectedRenamed.append(*prefixed(name));
    expectedRenamed.sort();
    QCOMPARE(renamed, expectedRenamed);
    const auto renamedContents = contentsBelow(mount.backing());
    QCOMPARE(renamedContents.keys(), after);
    QList<QByteArray> kept = renamedContents.values();
    QList<QByteArray> made = before.values();
    std::sort(kept.begin(), kept.end());
    std::sort(made.begin(), made.end());
    QCOMPARE(kept, made);
    QCOMPARE(renamedContents.value(QStringLiteral("x-b.txt")), QByteArray("x-b.txt"));

    RecordingSink undoSink;
    ScriptedClock undoClock;
    UndoRun undo(undoSink, undoClock);
    QVERIFY(undo.start());
    QVERIFY(undo.log().errors().isEmpty());
    QCOMPARE(contentsBelow(mount.backing()), before);
}

void TestEveryFileSystem::noFileIsReplacedUnderARace_data()
{
    QTest::addColumn<QString>("refuse");
    QTest::newRow("no rename flags") << QStringLiteral("flags");
    QTest::newRow("no hard links") << QStringLiteral("links");
    QTest::newRow("neither") << QStringLiteral("both");
}

// While the run renames "fNNN.txt" to "x-fNNN.txt" from the first file on,
// another thread creates files at those new names from the last one back, so
// the two meet somewhere in the middle. Every file of both must survive.
void TestEveryFileSystem::noFileIsReplacedUnderARace()
{
    QFETCH(QString, refuse);
    FuseMount mount(refuse);
    if (!mount.skipReason().isEmpty())
        QSKIP(qPrintable(mount.skipReason()));
    const int count = 300;
    QStringList files;
    for (int i = 0; i < count; ++i)
        files.append(QStringLiteral("f%1.txt").arg(i, 3, 10, QLatin1Char('0')));
    QVERIFY(makeFiles(mount.backing(), files));

    // Everything that can fail comes before the thread, which must be joined.
    RunRig rig;
    FixedNames names;
    names.rule = [](const QString &old) { return std::expected<QString, QString>(*prefixed(old)); };
    RenameRun run = rig.runWith(names);
    QVERIFY(rig.folders.setPath(mount.mountPoint()));
    std::atomic<bool> go{false};
    std::atomic<int> created{0};
    std::thread racer([&] {
        while (!go.load())
            std::this_thread::yield();
        for (int i = count - 1; i >= 0; --i) {
            const QByteArray path = QFile::encodeName(mount.mountPoint() + QStringLiteral("/x-") + files.at(i));
            const int fd = ::open(path.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
            if (fd < 0)
                continue;
            const bool written = ::write(fd, "racer", 5) == 5;
            ::close(fd);
            if (written)
                ++created;
        }
    });
    rig.sink.onYield = [&go](int) { go.store(true); };
    const bool started = run.start(RunScope::AllFilesInCurrentFolder);
    go.store(true);
    racer.join();
    QVERIFY(started);

    const auto after = contentsBelow(mount.backing());
    QCOMPARE(after.size(), count + created.load());
    int racerFiles = 0;
    for (int i = 0; i < count; ++i) {
        const QString renamed = QStringLiteral("x-") + files.at(i);
        const QByteArray content = after.value(renamed);
        if (content == "racer")
            ++racerFiles;
        // Each file is under its old name or its new one, with its own content.
        const QByteArray own = files.at(i).toUtf8();
        QVERIFY2(after.value(files.at(i)) == own || content == own, qPrintable(files.at(i)));
    }
    QCOMPARE(racerFiles, created.load());
    QCOMPARE(run.intFilesRenamed() + run.intErrorCount(), count);
}

void TestEveryFileSystem::killedStepIsClearedAfterwards_data()
{
    QTest::addColumn<QString>("refuse");
    QTest::addColumn<QByteArray>("call"); // the process is killed just before it
    QTest::addColumn<bool>("duringUndo");
    QTest::newRow("run killed between link and unlink") << "flags" << QByteArray("unlinkat") << false;
    QTest::newRow("run killed before the rename over its placeholder") << "both" << QByteArray("renameat") << false;
    QTest::newRow("undo killed between link and unlink") << "flags" << QByteArray("unlinkat") << true;
    QTest::newRow("undo killed before the rename over its placeholder") << "both" << QByteArray("renameat") << true;
}

// Where a rename takes two steps, a kill between them leaves the file under
// two names, or an empty placeholder; start-up and undo clear it, and the file
// ends under its old name alone.
void TestEveryFileSystem::killedStepIsClearedAfterwards()
{
    QFETCH(QString, refuse);
    QFETCH(QByteArray, call);
    QFETCH(bool, duringUndo);
    FuseMount mount(refuse);
    if (!mount.skipReason().isEmpty())
        QSKIP(qPrintable(mount.skipReason()));
    QVERIFY(makeFiles(mount.backing(), {"a.txt"}));
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        const KestravaFault kill{call.constData(), 0, 1, nullptr, [](void *) { ::_exit(0); }, nullptr};
        RunRig rig;
        FixedNames names;
        names.rule = [](const QString &old) { return std::expected<QString, QString>(*prefixed(old)); };
        RenameRun run = rig.runWith(names);
        RunJournal journal;
        run.setJournal(&journal);
        rig.folders.setPath(mount.mountPoint());
        rig.files.selectAll();
        if (!duringUndo)
            kestrava_fault_arm(&kill);
        run.start(RunScope::AllFilesInCurrentFolder);
        RecordingSink sink;
        ScriptedClock clock;
        UndoRun undo(sink, clock);
        kestrava_fault_arm(&kill);
        undo.start();
        ::_exit(1);
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    QVERIFY(namesIn(mount.backing()).size() == 2);
    QCOMPARE(UndoRun::recoverParkedFiles().errors, QStringList());
    QCOMPARE(namesIn(mount.backing()), QStringList(duringUndo ? "x-a.txt" : "a.txt"));
    RecordingSink sink;
    ScriptedClock clock;
    UndoRun undo(sink, clock);
    QVERIFY(undo.start());
    QCOMPARE(undo.log().errors(), QStringList());
    QCOMPARE(namesIn(mount.backing()), QStringList({"a.txt"}));
    QCOMPARE(readFile(mount.backing() + QStringLiteral("/a.txt")), QByteArray("a.txt"));
}

// While it waits for the rename over it, the placeholder has no permission
// bits: no other program of the user's can open it to write into it.
void TestEveryFileSystem::placeholderHasNoPermissions()
{
    FuseMount mount(QStringLiteral("both"));
    if (!mount.skipReason().isEmpty())
        QSKIP(qPrintable(mount.skipReason()));
    QVERIFY(makeFiles(mount.backing(), {"a.txt"}));
    // The placeholder's mode, as the hook at the rename over it finds it.
    std::pair<QByteArray, int> at{QFile::encodeName(mount.backing() + QStringLiteral("/new.txt")), -1};
    FaultScope faults({"renameat", 0, 1, nullptr,
                       [](void *data) {
                           auto *at = static_cast<std::pair<QByteArray, int> *>(data);
                           struct stat info;
                           if (::stat(at->first.constData(), &info) == 0)
                               at->second = int(info.st_mode & 07777);
                       },
                       &at});
    QVERIFY(renameNoReplace(mount.mountPoint() + QStringLiteral("/a.txt"),
                            mount.mountPoint() + QStringLiteral("/new.txt")));
    QCOMPARE(faults.hits(), 1);
    QCOMPARE(at.second, 0);
    QCOMPARE(namesIn(mount.backing()).join(u' '), QStringLiteral("new.txt"));
}

void TestEveryFileSystem::undoKnowsTheFileSystemItRenamedOn_data()
{
    QTest::addColumn<bool>("sameImage"); // the run's file system comes back, on another device
    QTest::newRow("another file system in its place") << false;
    QTest::newRow("the same file system on another device") << true;
}

// A stick taken out and another put in at the same place numbers its files
// alike, and keeps no birth time; the same stick put in again gets another
// device number. Undo tells them apart by the file system's own id.
void TestEveryFileSystem::undoKnowsTheFileSystemItRenamedOn()
{
    QFETCH(bool, sameImage);
    QTemporaryDir dir;
    const QString mountPoint = dir.filePath(QStringLiteral("stick"));
    const QString first = dir.filePath(QStringLiteral("first.img"));
    const QString second = dir.filePath(QStringLiteral("second.img"));
    QVERIFY(QDir().mkpath(mountPoint));
    for (const QString &image : {first, second})
        if (const auto made = LoopMount::makeImage(image); !made)
            QSKIP(qPrintable(made.error()));
    QString firstDevice;
    {
        LoopMount stick(mountPoint);
        if (const auto mounted = stick.mount(first); !mounted)
            QSKIP(qPrintable(u"the system refuses a loop mount: " + mounted.error()));
        firstDevice = stick.device();
        QVERIFY(makeFiles(mountPoint, {"a.txt"}));
        RunRig rig;
        RunJournal journal;
        rig.run.setJournal(&journal);
        QVERIFY(rig.folders.setPath(mountPoint));
        rig.files.selectAll();
        QVERIFY(rig.run.start(RunScope::AllFilesInCurrentFolder));
        QCOMPARE(rig.run.intFilesRenamed(), 1);
    }
    // The second image takes the first one's loop device; put in after it,
    // the first gets another.
    LoopMount occupying(mountPoint);
    LoopMount stick(mountPoint);
    if (sameImage) {
        QVERIFY(occupying.attach(second));
        QVERIFY(stick.mount(first));
        QVERIFY(stick.device() != firstDevice);
    } else {
        QVERIFY(stick.mount(second));
        QCOMPARE(stick.device(), firstDevice);
        QVERIFY(writeFile(mountPoint + QStringLiteral("/0001_a.txt"), "other"));
    }
    RecordingSink sink;
    ScriptedClock clock;
    UndoRun undo(sink, clock);
    QVERIFY(undo.start());
    if (sameImage) {
        QVERIFY(undo.log().errors().isEmpty());
        QCOMPARE(namesIn(mountPoint), QStringList({"a.txt", "lost+found"}));
    } else {
        QCOMPARE(undo.log().errors(), QStringList("'The file system this file was renamed on is not mounted here'  "
                                                  "whilst processing file '"
                                                  + mountPoint + "/0001_a.txt'"));
        QCOMPARE(namesIn(mountPoint), QStringList({"0001_a.txt", "lost+found"}));
        QVERIFY(UndoRun::canUndo());
    }
}

void TestEveryFileSystem::failedRenameLeavesNoPlaceholder_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("error");
    QTest::newRow("missing file") << QStringLiteral("gone.txt") << ENOENT;
    QTest::newRow("folder over a file") << QStringLiteral("folder.txt") << ENOTDIR;
    QTest::newRow("name taken") << QStringLiteral("a.txt") << EEXIST;
    // Another program writes into the placeholder before the rename over it.
    QTest::newRow("placeholder written into") << QStringLiteral("a.txt") << -EEXIST;
}

// On a file system with neither the flag nor links the new name is reserved by
// an empty placeholder; a rename that fails takes it away again.
void TestEveryFileSystem::failedRenameLeavesNoPlaceholder()
{
    QFETCH(QString, from);
    QFETCH(int, error);
    FuseMount mount(QStringLiteral("both"));
    if (!mount.skipReason().isEmpty())
        QSKIP(qPrintable(mount.skipReason()));
    QVERIFY(makeFiles(mount.backing(), {"a.txt", "b.txt"}));
    QVERIFY(QDir(mount.backing()).mkdir(QStringLiteral("folder.txt")));
    const QString to = error == EEXIST ? QStringLiteral("b.txt") : QStringLiteral("new.txt");
    auto before = contentsBelow(mount.backing());
    FaultScope faults;
    const QString written = mount.mountPoint() + QStringLiteral("/new.txt");
    if (error == -EEXIST) {
        // Only a program with root's rights can still open a placeholder that
        // has no permission bits; the rename's last look at it, through its
        // descriptor, sees what was written and keeps off.
        faults.arm({"fstat", 0, 2, "new.txt",
                    [](void *path) { writeFile(*static_cast<const QString *>(path), "precious"); },
                    const_cast<QString *>(&written)});
        error = EEXIST;
        before.insert(QStringLiteral("new.txt"), "precious");
    }
    const auto renamed = renameNoReplace(mount.mountPoint() + u'/' + from, mount.mountPoint() + u'/' + to);
    QVERIFY(!renamed);
    QCOMPARE(renamed.error(), error);
    QCOMPARE(contentsBelow(mount.backing()), before);
}

QTEST_GUILESS_MAIN(TestEveryFileSystem)
#include "tst_everyfilesystem.moc"
