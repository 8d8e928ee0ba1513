// SPDX-License-Identifier: GPL-3.0-or-later
// Where the window opens for the paths given on the command line or dropped on it,
// over real files in a fresh temporary folder.
#include "StartPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kestrava;

class TestStartPaths : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void sortsPaths_data();
    void sortsPaths();

private:
    QTemporaryDir m_dir;
};

void TestStartPaths::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QDir root(m_dir.path());
    QVERIFY(root.mkpath(QStringLiteral("Photos/Beach")));
    QVERIFY(root.mkpath(QStringLiteral("Music")));
    for (const char *name : {"Photos/a.jpg", "Photos/b.jpg", "Photos/c d.jpg", "Music/song.ogg"}) {
        QFile file(root.filePath(QString::fromUtf8(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(QFile::link(root.filePath(QStringLiteral("gone")), root.filePath(QStringLiteral("Photos/dangling"))));
    QVERIFY(QFile::link(root.filePath(QStringLiteral("Photos")), root.filePath(QStringLiteral("Album"))));
}

// Paths are relative to the temporary folder; "@" stands for it in the expected folder.
void TestStartPaths::sortsPaths_data()
{
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<QStringList>("ignored");
    QTest::addColumn<QStringList>("missing");

    const auto L = [](std::initializer_list<const char *> items) {
        QStringList list;
        for (const char *item : items)
            list.append(QString::fromUtf8(item));
        return list;
    };
    QTest::newRow("nothing: the current folder") << QStringList() << QString() << L({}) << L({}) << L({});
    QTest::newRow("one folder") << L({"Photos"}) << "@/Photos" << L({}) << L({}) << L({});
    QTest::newRow("folder with a trailing slash and dots")
        << L({"Music/../Photos/"}) << "@/Photos" << L({}) << L({}) << L({});
    QTest::newRow("files of one folder, each once") << L({"Photos/b.jpg", "Photos/c d.jpg", "./Photos/b.jpg"})
                                                    << "@/Photos" << L({"b.jpg", "c d.jpg"}) << L({}) << L({});
    QTest::newRow("a file of another folder is ignored")
        << L({"Photos/a.jpg", "Music/song.ogg", "Photos/b.jpg"}) << "@/Photos" << L({"a.jpg", "b.jpg"})
        << L({"Music/song.ogg"}) << L({});
    QTest::newRow("a file of the same folder through a link is selected")
        << L({"Photos/a.jpg", "Album/b.jpg"}) << "@/Photos" << L({"a.jpg", "b.jpg"}) << L({}) << L({});
    QTest::newRow("a sub-folder beside files is ignored")
        << L({"Photos/a.jpg", "Photos/Beach"}) << "@/Photos" << L({"a.jpg"}) << L({"Photos/Beach"}) << L({});
    QTest::newRow("only the first folder opens")
        << L({"Photos", "Music", "Photos/a.jpg"}) << "@/Photos" << L({}) << L({"Music", "Photos/a.jpg"}) << L({});
    QTest::newRow("a missing path is named, the rest still sorted")
        << L({"Photos/nothing.jpg", "Photos/a.jpg"}) << "@/Photos" << L({"a.jpg"}) << L({})
        << L({"Photos/nothing.jpg"});
    QTest::newRow("a link to nothing is missing")
        << L({"Photos/dangling"}) << QString() << L({}) << L({}) << L({"Photos/dangling"});
    QTest::newRow("an empty path is missing") << L({""}) << QString() << L({}) << L({}) << L({""});
}

void TestStartPaths::sortsPaths()
{
    QFETCH(QStringList, paths);
    QFETCH(QString, folder);
    QFETCH(QStringList, selected);
    QFETCH(QStringList, ignored);
    QFETCH(QStringList, missing);

    const QDir root(m_dir.path());
    const StartPaths relative = StartPaths::resolve(paths, root);
    folder.replace(QStringLiteral("@"), QDir::cleanPath(root.absolutePath()));
    QCOMPARE(relative.folder, folder);
    QCOMPARE(relative.selectedNames, selected);
    QCOMPARE(relative.ignored, ignored);
    QCOMPARE(relative.missing, missing);

    // Absolute paths sort the same, whatever the current folder.
    QStringList absolute;
    for (const QString &path : std::as_const(paths))
        absolute.append(path.isEmpty() ? path : root.filePath(path));
    const StartPaths fromElsewhere = StartPaths::resolve(absolute, QDir(QStringLiteral("/")));
    QCOMPARE(fromElsewhere.folder, folder);
    QCOMPARE(fromElsewhere.selectedNames, selected);
}

QTEST_GUILESS_MAIN(TestStartPaths)
#include "tst_startpaths.moc"
