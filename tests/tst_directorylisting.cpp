// SPDX-License-Identifier: GPL-3.0-or-later
#include "DirectoryListing.h"
#include "FileNamePattern.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <sys/stat.h>

using namespace kestrava;

class TestDirectoryListing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void patternMatches_data();
    void patternMatches();
    void listsVisibleFilesAndFoldersSortedIgnoringCase();
    void sortFoldsCaseLikeQString_data();
    void sortFoldsCaseLikeQString();
    void filtersFilesByPatternList();
    void missingFolderIsAnErrorWithTheSystemText();
    void emptyOrMalformedPatternListsNothing();

private:
    static void touch(const QString &path);
    static QStringList names(const QList<DirectoryEntry> &entries);
};

void TestDirectoryListing::touch(const QString &path)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
}

QStringList TestDirectoryListing::names(const QList<DirectoryEntry> &entries)
{
    QStringList result;
    for (const DirectoryEntry &entry : entries)
        result.append(entry.name);
    return result;
}

void TestDirectoryListing::patternMatches_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("matches");
    QTest::newRow("all, dotted") << "*.*"
                                 << "song.mp3" << true;
    QTest::newRow("all, no dot") << "*.*"
                                 << "README" << true;
    QTest::newRow("case ignored, lower pattern") << "*.mp3"
                                                 << "Song.MP3" << true;
    QTest::newRow("case ignored, upper pattern") << "*.MP3"
                                                 << "song.mp3" << true;
    QTest::newRow("other extension") << "*.MP3"
                                     << "song.mp4" << false;
    QTest::newRow("extension is not a prefix") << "*.htm"
                                               << "page.html" << false;
    QTest::newRow("list, second") << "*.htm;*.html"
                                  << "page.html" << true;
    QTest::newRow("list, first") << "*.htm;*.html"
                                 << "page.HTM" << true;
    QTest::newRow("list, neither") << "*.htm;*.html"
                                   << "page.txt" << false;
    QTest::newRow("blanks around parts") << " *.txt ; *.doc "
                                         << "a.doc" << true;
    QTest::newRow("question mark is one character") << "a?c.txt"
                                                    << "abc.txt" << true;
    QTest::newRow("question mark needs a character") << "a?c.txt"
                                                     << "ac.txt" << false;
    QTest::newRow("star alone") << "*"
                                << "anything at all" << true;
    QTest::newRow("dot star, bare name") << "abc.*"
                                         << "abc" << true;
    QTest::newRow("dot star, longer bare name") << "abc.*"
                                                << "abcd" << false;
    QTest::newRow("needs the dot") << "*.txt"
                                   << "txt" << false;
    QTest::newRow("backtracking stars") << "*a*b*c"
                                        << "xaybzc" << true;
    QTest::newRow("backtracking fails") << "*a*b*c"
                                        << "xaybz" << false;
    QTest::newRow("brackets are plain text") << "[ab].txt"
                                             << "[ab].txt" << true;
    QTest::newRow("non-ASCII folded") << "*.ÄÖ"
                                      << "x.äö" << true;
    // Whole characters, for names and patterns alike, also outside the BMP.
    QTest::newRow("question mark, emoji") << "?.txt"
                                          << "😀.txt" << true;
    QTest::newRow("two question marks, one emoji") << "??.txt"
                                                   << "😀.txt" << false;
    QTest::newRow("question mark after letters") << "a?"
                                                 << "a😀" << true;
    QTest::newRow("star before an emoji") << "*😀"
                                          << "ab😀" << true;
    QTest::newRow("Deseret, capital pattern") << "*.𐐀"
                                              << "x.𐐨" << true;
    QTest::newRow("Deseret, small pattern") << "𐐨*"
                                            << "𐐀bc" << true;
    QTest::newRow("Deseret, other letter") << "𐐀"
                                           << "𐐁" << false;
    QTest::newRow("Adlam folded") << "𞤢.txt"
                                  << "𞤀.TXT" << true;
    QTest::newRow("lone surrogate is one character") << "?x" << QString(QChar(0xD800)) + u'x' << true;
    QTest::newRow("empty") << ""
                           << "a.txt" << false;
    QTest::newRow("only separators") << " ; ;"
                                     << "a.txt" << false;
    QTest::newRow("slash never matches") << "*/*"
                                         << "a.txt" << false;
}

void TestDirectoryListing::patternMatches()
{
    QFETCH(QString, pattern);
    QFETCH(QString, name);
    QFETCH(bool, matches);
    QCOMPARE(FileNamePattern(pattern).matches(name), matches);
}

void TestDirectoryListing::listsVisibleFilesAndFoldersSortedIgnoringCase()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString root = dir.path() + u'/';
    for (const char *name : {"b.txt", "a.txt", "A.txt", "C.txt", ".hidden", "noext"})
        touch(root + QString::fromUtf8(name));
    for (const char *name : {"zeta", "Alpha", ".git"})
        QVERIFY(QDir(root).mkdir(QString::fromUtf8(name)));
    QVERIFY(QFile::link(root + u"b.txt", root + u"link.txt"));
    QVERIFY(QFile::link(root + u"nowhere", root + u"dangling.txt"));
    QVERIFY(QFile::link(root + u"zeta", root + u"beta"));
    QCOMPARE(::mkfifo(QFile::encodeName(root + u"pipe.txt").constData(), 0600), 0);

    const auto contents = readFolder(dir.path(), FileNamePattern(QStringLiteral("*.*")));
    QVERIFY(contents.has_value());
    QCOMPARE(names(contents->files), QStringList({"A.txt", "a.txt", "b.txt", "C.txt", "link.txt", "noext"}));
    QCOMPARE(contents->files[4].isSymLink, true);
    QCOMPARE(contents->files[2].isSymLink, false);
    QCOMPARE(contents->subFolders, QList<DirectoryEntry>({{"Alpha", false}, {"beta", true}, {"zeta", false}}));

    const auto subFolders = listSubFolders(dir.path());
    QVERIFY(subFolders.has_value());
    QCOMPARE(*subFolders, contents->subFolders);
}

void TestDirectoryListing::sortFoldsCaseLikeQString_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addRow("ascii") << QStringList{"b.txt", "B.TXT", "a_b", "A-B", "a.b", "Z", "[x]", "_y", "@"};
    QTest::addRow("accents") << QStringList{"École.txt", "ecole.txt", "Zèbre", "été", "Été", "etre", "e"};
    QTest::addRow("sharp s and sigma") << QStringList{"Straße", "STRASSE", "strasse", "ΣΟΦΙΑ", "σοφια", "ςa"};
    QTest::addRow("beyond 16 bits") << QStringList{"\U0001D400.txt", "a.txt", "\U00010400x", "\U00010428x", "~"};
    QTest::addRow("mixed") << QStringList{"IMG_0002.JPG", "img_0001.jpg", "Img_0001.JPG", "İstanbul", "istanbul"};
}

// The order is that of QString's case folding, ties in exact order, also for
// the names folded by hand.
void TestDirectoryListing::sortFoldsCaseLikeQString()
{
    QFETCH(QStringList, names);
    QStringList expected = names;
    std::sort(expected.begin(), expected.end(), [](const QString &a, const QString &b) {
        const int byKey = QString::compare(a.toCaseFolded(), b.toCaseFolded());
        return byKey != 0 ? byKey < 0 : QString::compare(a, b) < 0;
    });
    QList<DirectoryEntry> entries;
    for (const QString &name : names)
        entries.append({name, false});
    sortByName(entries);
    QCOMPARE(this->names(entries), expected);
}

void TestDirectoryListing::filtersFilesByPatternList()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const char *name : {"a.HTM", "b.html", "c.txt", "d.htmx"})
        touch(dir.filePath(QString::fromUtf8(name)));
    const auto files = listFiles(dir.path(), QStringLiteral("*.htm; *.HTML"));
    QVERIFY(files.has_value());
    QCOMPARE(names(*files), QStringList({"a.HTM", "b.html"}));
}

void TestDirectoryListing::missingFolderIsAnErrorWithTheSystemText()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const auto files = listFiles(dir.filePath(QStringLiteral("gone")), QStringLiteral("*.*"));
    QVERIFY(!files.has_value());
    QCOMPARE(files.error(), QStringLiteral("No such file or directory"));
    QVERIFY(!listSubFolders(QString()).has_value());
}

void TestDirectoryListing::emptyOrMalformedPatternListsNothing()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    touch(dir.filePath(QStringLiteral("a.txt")));
    for (const QString &pattern :
         {QString(), QStringLiteral(";"), QStringLiteral("../*"), QStringView(u"a\0b", 3).toString()}) {
        const auto files = listFiles(dir.path(), pattern);
        QVERIFY(files.has_value());
        QVERIFY(files->isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestDirectoryListing)
#include "tst_directorylisting.moc"
