// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileNameBytes.h"
#include "FolderNameRules.h"

#include <QTemporaryDir>
#include <QTest>

using namespace kestrava;

class TestFileNameBytes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void typedLoneSurrogateBecomesReplacement();
    void display_data();
    void display();
    void lengthLimit_data();
    void lengthLimit();
    void plainFolderComparesCase();
};

void TestFileNameBytes::roundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    const auto lone = [](int byte) { return QString(QChar(char16_t(0xDC00 + byte))); };
    QTest::newRow("ASCII") << QByteArray("notes.txt") << "notes.txt";
    QTest::newRow("valid UTF-8") << QByteArray("caf\xc3\xa9.txt") << "caf\u00e9.txt";
    QTest::newRow("beyond U+FFFF") << QByteArray("\xf0\x9f\x98\x80") << "\U0001F600";
    QTest::newRow("Latin-1 byte") << QByteArray("caf\xe9 menu.txt") << "caf" + lone(0xE9) + " menu.txt";
    QTest::newRow("overlong slash") << QByteArray("a\xc0\xaf") << "a" + lone(0xC0) + lone(0xAF);
    QTest::newRow("encoded surrogate") << QByteArray("\xed\xa0\x80") << lone(0xED) + lone(0xA0) + lone(0x80);
    QTest::newRow("cut short") << QByteArray("x\xe2\x82") << "x" + lone(0xE2) + lone(0x82);
    QTest::newRow("cut short before ASCII") << QByteArray("\xe2\x82z") << lone(0xE2) + lone(0x82) + "z";
    QTest::newRow("past U+10FFFF") << QByteArray("\xf4\x90\x80\x80")
                                   << lone(0xF4) + lone(0x90) + lone(0x80) + lone(0x80);
    QTest::newRow("byte after a pair") << QByteArray("\xf0\x90\x82\x80\x80") << "\U00010080" + lone(0x80);
    QTest::newRow("line break") << QByteArray("two\nlines") << "two\nlines";
}

void TestFileNameBytes::roundTrip()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(fileNameFromBytes(bytes), text);
    QCOMPARE(fileNameToBytes(text), bytes);
}

void TestFileNameBytes::typedLoneSurrogateBecomesReplacement()
{
    const QString typed = QStringLiteral("a") + QChar(char16_t(0xD800)) + QChar(char16_t(0xDC10));
    QCOMPARE(fileNameToBytes(typed), QByteArray("a\xf0\x90\x80\x90"));
    QCOMPARE(fileNameToBytes(QString(QChar(char16_t(0xDB00)))), QByteArray("\xef\xbf\xbd"));
}

void TestFileNameBytes::display_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain") << QByteArray("a b.txt") << "a b.txt";
    QTest::newRow("not UTF-8") << QByteArray("caf\xe9.txt") << "caf\uFFFD.txt";
    QTest::newRow("pair kept") << QByteArray("\xf0\x9f\x98\x80") << "\U0001F600";
    QTest::newRow("line breaks") << QByteArray("a\nb\rc\vd\fe") << "a\u240Ab\u240Dc\u240Bd\u240Ce";
    QTest::newRow("Unicode line breaks") << QByteArray("a\xc2\x85"
                                                       "b\xe2\x80\xa8"
                                                       "c\xe2\x80\xa9")
                                         << "a\u2424b\u21B5c\u00B6";
    QTest::newRow("tab stays") << QByteArray("a\tb") << "a\tb";
    // The characters on either side of those that change stay as they are.
    QTest::newRow("neighbours stay") << QByteArray("\x0e\x1f \xc2\x84\xc2\x86\xe2\x80\xa7\xe2\x80\xaf"
                                                   "\xed\x9f\xbf\xee\x80\x80")
                                     << "\u000E\u001F \u0084\u0086\u2027\u202F\uD7FF\uE000";
    QTest::newRow("direction controls named")
        << QByteArray("invoice\xe2\x80\xaetxt.exe") << "invoice\u27E8RLO\u27E9txt.exe";
    QTest::newRow("every direction control") << QByteArray("\xd8\x9c\xe2\x80\x8e\xe2\x80\x8f\xe2\x80\xaa\xe2\x80\xab"
                                                           "\xe2\x80\xac\xe2\x80\xad\xe2\x81\xa6\xe2\x81\xa7"
                                                           "\xe2\x81\xa8\xe2\x81\xa9")
                                             << "\u27E8ALM\u27E9\u27E8LRM\u27E9\u27E8RLM\u27E9\u27E8LRE\u27E9"
                                                "\u27E8RLE\u27E9\u27E8PDF\u27E9\u27E8LRO\u27E9\u27E8LRI\u27E9"
                                                "\u27E8RLI\u27E9\u27E8FSI\u27E9\u27E8PDI\u27E9";
    QTest::newRow("next to direction controls") << QByteArray("\xd8\x9b\xd8\x9d\xe2\x80\x8d\xe2\x80\x90"
                                                              "\xe2\x81\xa5\xe2\x81\xaa")
                                                << "\u061B\u061D\u200D\u2010\u2065\u206A";
    QTest::newRow("only the last changes") << QByteArray("photo 0001.jpg\n") << "photo 0001.jpg\u240A";
}

void TestFileNameBytes::display()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    QCOMPARE(displayFileName(fileNameFromBytes(bytes)), shown);
}

void TestFileNameBytes::lengthLimit_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("utf16");
    QTest::addColumn<bool>("tooLong");
    QTest::newRow("255 bytes") << QString(255, u'x') << false << false;
    QTest::newRow("256 bytes") << QString(256, u'x') << false << true;
    QTest::newRow("128 two-byte letters") << QString(128, QChar(0xE9)) << false << true;
    QTest::newRow("85 three-byte letters") << QString(85, QChar(0x20AC)) << false << false;
    QTest::newRow("128 letters as UTF-16") << QString(128, QChar(0xE9)) << true << false;
    QTest::newRow("256 units as UTF-16") << QString(256, u'x') << true << true;
}

void TestFileNameBytes::lengthLimit()
{
    QFETCH(QString, name);
    QFETCH(bool, utf16);
    QFETCH(bool, tooLong);
    QCOMPARE(isNameTooLong(name, FolderNameRules{utf16, utf16}), tooLong);
}

void TestFileNameBytes::plainFolderComparesCase()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const FolderNameRules rules = folderNameRules(dir.path());
    QVERIFY(!rules.ignoresCase);
    QVERIFY(!rules.storesUtf16);
    QVERIFY(!folderNameRules(dir.path() + QStringLiteral("/missing")).ignoresCase);
}

QTEST_GUILESS_MAIN(TestFileNameBytes)
#include "tst_filenamebytes.moc"
