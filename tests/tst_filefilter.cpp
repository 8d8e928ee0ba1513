// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChooseFilesPage.h"
#include "ChooserTestKit.h"
#include "FileChooserList.h"
#include "FileTypeTable.h"
#include "FindControl.h"
#include "FolderChooserList.h"
#include "Volumes.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

using namespace kestrava;
using namespace kestrava::testing;

class TestFileFilter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void fileTypeTableRows_data();
    void fileTypeTableRows();
    void filterComboListIsSorted();
    void typedPatternsFilterAndName_data();
    void typedPatternsFilterAndName();
    void eachKeystrokeFilters();
    void changingTheFilterSelectsNothing();
    void pickingAnItemFiltersOnce();
    void filterOnAVanishedFolderListsNothing();
    void driveListShowsTheVolumes();
    void choosingADriveOpensIt();
    void unusableDriveIsReportedAndNothingChanges();

private:
    QString root() const { return m_rig->root(); }
    ChooseFilesPage *page() const { return m_rig->page(); }
    FileChooserList &files() const { return m_rig->files(); }
    FolderChooserList &folders() const { return m_rig->folders(); }
    void openRoot() { QVERIFY(folders().setPath(root())); }
    QStringList listed() const { return m_rig->listed(); }
    QStringList selected() const { return m_rig->selected(); }
    void typeFilter(const QString &text);

    std::unique_ptr<WindowRig<>> m_rig;
};

void TestFileFilter::init()
{
    m_rig = std::make_unique<WindowRig<>>();
    QVERIFY(m_rig->isValid());
    m_rig->start();
}

void TestFileFilter::cleanup()
{
    m_rig.reset();
}

void TestFileFilter::typeFilter(const QString &text)
{
    QComboBox *combo = findControl<QComboBox>(page(), "FileSpecCombo");
    combo->lineEdit()->clear();
    QTest::keyClicks(combo->lineEdit(), text);
    QCOMPARE(combo->currentText(), text);
}

void TestFileFilter::fileTypeTableRows_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("description");
    QTest::newRow("first") << 1 << "*.*"
                           << "All File Types";
    QTest::newRow("HTML has its own row") << 7 << "*.HTML"
                                          << "WEB Pages";
    QTest::newRow("JPEG has its own row") << 10 << "*.JPEG"
                                          << "JPEG Images";
    QTest::newRow("last") << 14 << "*.MPEG"
                          << "MPEG Video Clips";
    QTest::newRow("below the table") << 0 << ""
                                     << "";
    QTest::newRow("above the table") << 15 << ""
                                     << "";
}

void TestFileFilter::fileTypeTableRows()
{
    QFETCH(int, number);
    QFETCH(QString, pattern);
    QFETCH(QString, description);
    FileTypeTable table;
    table.fill();
    const auto row = table.row(number);
    QCOMPARE(row.has_value(), !pattern.isEmpty());
    QCOMPARE(table.pattern(number).value_or(QString()), pattern);
    if (row)
        QCOMPARE(row->description, description);
}

void TestFileFilter::filterComboListIsSorted()
{
    QComboBox *combo = findControl<QComboBox>(page(), "FileSpecCombo");
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    QCOMPARE(items,
             QStringList({"*.*", "*.BMP", "*.DOC", "*.GIF", "*.HTM", "*.HTML", "*.JPEG", "*.JPG", "*.MP3", "*.MPEG",
                          "*.MPG", "*.TXT", "*.WAV", "*.XLS"}));
    QVERIFY(combo->isEditable());
    page()->addFileSpec(QStringLiteral("*.aac"));
    page()->addFileSpec(QStringLiteral("*.mpa"));
    QCOMPARE(combo->itemText(1), QStringLiteral("*.aac"));
    QCOMPARE(combo->itemText(combo->findText(QStringLiteral("*.MP3")) + 1), QStringLiteral("*.mpa"));
}

void TestFileFilter::typedPatternsFilterAndName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("label");
    const QString user = QStringLiteral("(User Defined File Type)");
    QTest::newRow("lower case lists like the table's") << "*.mp3" << QStringList{"song.mp3", "Tune.MP3"} << user;
    QTest::newRow("the table's own") << "*.MP3" << QStringList{"song.mp3", "Tune.MP3"} << "MP3 Music Files";
    QTest::newRow("two patterns") << "*.htm;*.html" << QStringList{"page.htm", "page2.html"} << user;
    QTest::newRow("HTM") << "*.HTM" << QStringList{"page.htm"} << "WEB Pages";
    QTest::newRow("HTML") << "*.HTML" << QStringList{"page2.html"} << "WEB Pages";
    QTest::newRow("htm typed") << "*.htm" << QStringList{"page.htm"} << user;
    QTest::newRow("every file, no dot too")
        << "*.*" << QStringList{"notes.txt", "page.htm", "page2.html", "README", "song.mp3", "Tune.MP3", "x.m"}
        << "All File Types";
    QTest::newRow("empty") << "" << QStringList{} << user;
    QTest::newRow("malformed") << "*.[/" << QStringList{} << user;
}

void TestFileFilter::typedPatternsFilterAndName()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, listed);
    QFETCH(QString, label);
    QVERIFY(makeFiles(root(), {"song.mp3", "Tune.MP3", "page.htm", "page2.html", "notes.txt", "README", "x.m"}));
    openRoot();
    typeFilter(typed);
    QCOMPARE(files().pattern(), typed);
    QCOMPARE(this->listed(), listed);
    QCOMPARE(findControl<QLabel>(page(), "lblSelectedFileType")->text(), label);
    QVERIFY(m_rig->errors.texts.isEmpty());
}

void TestFileFilter::eachKeystrokeFilters()
{
    QVERIFY(makeFiles(root(), {"x.m", "song.mp3", "clip.mpeg"}));
    openRoot();
    typeFilter(QStringLiteral("*.M"));
    QCOMPARE(listed(), QStringList({"x.m"}));
    QTest::keyClicks(findControl<QComboBox>(page(), "FileSpecCombo")->lineEdit(), QStringLiteral("P"));
    QVERIFY(listed().isEmpty());
    QTest::keyClicks(findControl<QComboBox>(page(), "FileSpecCombo")->lineEdit(), QStringLiteral("3"));
    QCOMPARE(listed(), QStringList({"song.mp3"}));
    QCOMPARE(findControl<QLabel>(page(), "lblSelectedFileType")->text(), QStringLiteral("MP3 Music Files"));
}

void TestFileFilter::changingTheFilterSelectsNothing()
{
    QVERIFY(makeFiles(root(), {"a.txt", "b.txt"}));
    openRoot();
    QVERIFY(findControl<QRadioButton>(page(), "optAllFilesCurrentDir")->isChecked());
    QCOMPARE(selected().size(), 2);
    typeFilter(QStringLiteral("*.txt"));
    QCOMPARE(listed().size(), 2);
    QVERIFY(selected().isEmpty());
    QVERIFY(findControl<QRadioButton>(page(), "optAllFilesCurrentDir")->isChecked());
}

void TestFileFilter::pickingAnItemFiltersOnce()
{
    QVERIFY(makeFiles(root(), {"a.txt", "b.doc"}));
    openRoot();
    QComboBox *combo = findControl<QComboBox>(page(), "FileSpecCombo");
    QSignalSpy relisted(findControl<QListView>(page(), "File1")->model(), &QAbstractItemModel::modelReset);
    // The arrow key picks the next item as a click in the list would: the text
    // changes and the pick is reported; the files are listed once.
    combo->setFocus();
    combo->setCurrentIndex(combo->findText(QStringLiteral("*.BMP")));
    QCoreApplication::processEvents();
    relisted.clear();
    QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(combo->currentText(), QStringLiteral("*.DOC"));
    QCOMPARE(listed(), QStringList({"b.doc"}));
    QCOMPARE(findControl<QLabel>(page(), "lblSelectedFileType")->text(), QStringLiteral("Word Documents"));
    QCOMPARE(relisted.size(), 1);

    // Picking the same item again lists again, with nothing selected.
    QCoreApplication::processEvents();
    files().selectAll();
    Q_EMIT combo->activated(combo->currentIndex());
    QCOMPARE(relisted.size(), 2);
    QVERIFY(selected().isEmpty());
}

void TestFileFilter::filterOnAVanishedFolderListsNothing()
{
    QVERIFY(makeFiles(root() + u"/vanishing", {"v1.txt", "v2.doc"}));
    QVERIFY(folders().setPath(root() + u"/vanishing"));
    QVERIFY(QDir(root() + u"/vanishing").removeRecursively());
    typeFilter(QStringLiteral("*.TXT"));
    QVERIFY(listed().isEmpty());
    QCOMPARE(findControl<QLabel>(page(), "lblSelectedFileType")->text(), QStringLiteral("ASCII Text Files"));
    // Told once, not at every keystroke.
    QCOMPARE(m_rig->errors.titles, QStringList({"Kestrava"}));
}

void TestFileFilter::driveListShowsTheVolumes()
{
    QComboBox *drives = findControl<QComboBox>(page(), "Drive1");
    QStringList shown;
    for (int i = 0; i < drives->count(); ++i)
        shown.append(drives->itemText(i));
    QCOMPARE(shown, Volumes::roots(root()));
    QStringList sorted = shown;
    std::sort(sorted.begin(), sorted.end(),
              [](const QString &a, const QString &b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; });
    QCOMPARE(shown, sorted);
    QCOMPARE(drives->currentText(), Volumes::rootOf(root()));
}

void TestFileFilter::choosingADriveOpensIt()
{
    // A folder stands in for a volume's root: the drive list opens whatever root it shows.
    QVERIFY(makeFiles(root() + u"/volume", {"v.txt"}));
    openRoot();
    findControl<QRadioButton>(page(), "optAllFiles")->setChecked(true);
    QComboBox *drives = findControl<QComboBox>(page(), "Drive1");
    drives->addItem(root() + u"/volume");
    drives->setCurrentIndex(drives->count() - 1);
    QCOMPARE(folders().path(), root() + u"/volume");
    QCOMPARE(selected(), QStringList({"v.txt"}));
    QVERIFY(findControl<QRadioButton>(page(), "optAllFilesCurrentDir")->isChecked());
    QVERIFY(m_rig->errors.texts.isEmpty());
}

void TestFileFilter::unusableDriveIsReportedAndNothingChanges()
{
    QVERIFY(makeFiles(root(), {"stay.txt"}));
    openRoot();
    findControl<QRadioButton>(page(), "optSelectedFiles")->setChecked(true);
    QComboBox *drives = findControl<QComboBox>(page(), "Drive1");
    drives->addItem(root() + u"/gone");
    drives->setCurrentIndex(drives->count() - 1);
    QCOMPARE(m_rig->errors.titles, QStringList({"Kestrava"}));
    QCOMPARE(m_rig->errors.texts, QStringList({QString::fromLocal8Bit(std::strerror(ENOENT))}));
    QCOMPARE(drives->currentText(), root() + u"/gone");
    QCOMPARE(folders().path(), root());
    QCOMPARE(listed(), QStringList({"stay.txt"}));
    QVERIFY(findControl<QRadioButton>(page(), "optSelectedFiles")->isChecked());
}

QTEST_MAIN(TestFileFilter)
#include "tst_filefilter.moc"
