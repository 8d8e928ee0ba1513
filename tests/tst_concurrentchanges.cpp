// SPDX-License-Identifier: GPL-3.0-or-later
// Another program changes a folder while a run goes over it: it takes names
// the run is about to give, deletes listed files and renames others. Whatever
// the interleaving, no file is lost or replaced, and every file the run could
// not rename is in the error log with the system's text.
#include "RunTestKit.h"

#include <QHash>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

using namespace kestrava;
using namespace kestrava::testing;

namespace {

constexpr int fileCount = 5000;

QString originalName(int i)
{
    return QStringLiteral("f%1.txt").arg(i, 5, 10, QLatin1Char('0'));
}

QByteArray originalContent(int i)
{
    return "content " + QByteArray::number(i);
}

// What the other program managed to do; it works from the last file down,
// ahead of the run, on three of every ten files.
struct Intruder
{
    QString folder;
    QSet<int> deleted;
    QSet<int> renamedAway;
    QSet<int> tookNewName;

    void run()
    {
        const QByteArray base = QFile::encodeName(folder) + '/';
        for (int i = fileCount - 1; i >= 0; --i) {
            const QByteArray name = QFile::encodeName(originalName(i));
            const QByteArray path = base + name;
            const QByteArray taken = base + "x_" + name;
            const QByteArray away = base + "y_" + name;
            switch (i % 10) {
            case 0: {
                const int fd = ::open(taken.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
                if (fd >= 0) {
                    const QByteArray content = "intruder " + QByteArray::number(i);
                    if (::write(fd, content.constData(), size_t(content.size())) == content.size())
                        tookNewName.insert(i);
                    ::close(fd);
                }
                break;
            }
            case 1:
                if (::unlink(path.constData()) == 0)
                    deleted.insert(i);
                break;
            case 2:
                if (::renameat2(AT_FDCWD, path.constData(), AT_FDCWD, away.constData(), RENAME_NOREPLACE) == 0)
                    renamedAway.insert(i);
                break;
            default:
                break;
            }
        }
    }
};

} // namespace

class TestConcurrentChanges : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void changesDuringARunLoseNothing();
};

void TestConcurrentChanges::changesDuringARunLoseNothing()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (int i = 0; i < fileCount; ++i)
        QVERIFY(writeFile(dir.filePath(originalName(i)), originalContent(i)));
    RunRig rig;
    FixedNames prefixed;
    prefixed.rule = [](const QString &name) -> QString { return QStringLiteral("x_") + name; };
    RenameRun run = rig.runWith(prefixed);
    Intruder intruder{dir.path(), {}, {}, {}};
    std::thread other;
    // Started once the run has its list, so that every change hits a listed file.
    rig.sink.onYield = [&](int yield) {
        if (yield == 1)
            other = std::thread([&intruder] { intruder.run(); });
    };
    QVERIFY(rig.folders.setPath(dir.path()));
    QVERIFY(run.start(RunScope::AllFilesInCurrentFolder));
    if (other.joinable())
        other.join();
    QVERIFY(!intruder.deleted.isEmpty() || !intruder.renamedAway.isEmpty() || !intruder.tookNewName.isEmpty());

    // Every original content is under exactly one name, unless the other
    // program deleted it; the other program's files are intact.
    QHash<QByteArray, QStringList> namesByContent;
    for (const QString &name : namesIn(dir.path()))
        namesByContent[readFile(dir.filePath(name))].append(name);
    for (int i = 0; i < fileCount; ++i) {
        const QStringList found = namesByContent.take(originalContent(i));
        if (intruder.deleted.contains(i)) {
            QVERIFY(found.isEmpty());
            continue;
        }
        QCOMPARE(found.size(), 1);
        const QString name = found.first();
        QVERIFY2(name == originalName(i) || name == u"x_" + originalName(i) || name == u"y_" + originalName(i),
                 qPrintable(name));
        if (intruder.tookNewName.contains(i)) {
            QCOMPARE(namesByContent.take("intruder " + QByteArray::number(i)), QStringList({u"x_" + originalName(i)}));
        }
    }
    QVERIFY2(namesByContent.isEmpty(), qPrintable(namesByContent.keys().join(' ')));

    // Every listed file not renamed failed for a reason, and the error log
    // holds one line for each, with the system's text.
    qint64 failed = 0;
    for (const FileStatus &status : run.log().statuses()) {
        if (status.outcome == FileOutcome::Renamed)
            continue;
        ++failed;
        QVERIFY2(status.reason == systemErrorText(ENOENT) || status.reason == systemErrorText(EEXIST),
                 qPrintable(status.oldName + u": " + status.reason));
    }
    QVERIFY(failed > 0);
    QCOMPARE(run.log().statuses().size(), fileCount);
    QCOMPARE(run.intErrorCount(), failed);
    QCOMPARE(run.log().errors().size(), failed);
}

QTEST_GUILESS_MAIN(TestConcurrentChanges)
#include "tst_concurrentchanges.moc"
