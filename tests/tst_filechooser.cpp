// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChooseFilesPage.h"
#include "ChooserTestKit.h"
#include "FileChooserList.h"
#include "FindControl.h"
#include "FolderChooserList.h"
#include "FolderListModel.h"
#include "KestravaForm.h"
#include "RunTestKit.h"

#include <QItemSelectionModel>
#include <QListView>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <memory>

using namespace kestrava;
using namespace kestrava::testing;

class TestFileChooser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void openingAFolderListsItsFilesAllSelected();
    void folderListShowsWhereTheUserIsThenSubFolders();
    void unreadableFolderChangesNothing();
    void scopeOptionsSelectAndDeselect_data();
    void scopeOptionsSelectAndDeselect();
    void openingAFolderSwitchesTheScope_data();
    void openingAFolderSwitchesTheScope();
    void openingAnotherFolderFirstShowsOnlyIt_data();
    void openingAnotherFolderFirstShowsOnlyIt();
    void doubleClickAndEnterOpenAndClimb();
    void selectionByHandIsWhatTheRunReads();
    void hiddenFilesAreNotListed();
    void fortyThousandFilesListInFull();
    void runWalksTheWindowsLists();

private:
    QString root() const { return m_rig->root(); }
    ChooseFilesPage *page() const { return m_rig->page(); }
    FileChooserList &files() const { return m_rig->files(); }
    FolderChooserList &folders() const { return m_rig->folders(); }
    void openRoot() { QVERIFY(folders().setPath(root())); }
    QStringList listed() const { return m_rig->listed(); }
    QStringList selected() const { return m_rig->selected(); }

    std::unique_ptr<WindowRig<>> m_rig;
};

void TestFileChooser::init()
{
    m_rig = std::make_unique<WindowRig<>>();
    QVERIFY(m_rig->isValid());
    m_rig->start();
}

void TestFileChooser::cleanup()
{
    m_rig.reset();
}

void TestFileChooser::openingAFolderListsItsFilesAllSelected()
{
    QVERIFY(makeFiles(root() + u"/photos", {"b.jpg", "A.txt", "c.doc"}));
    QVERIFY(folders().setPath(root() + u"/photos"));
    QCOMPARE(folders().path(), root() + u"/photos");
    QCOMPARE(files().folder(), root() + u"/photos");
    QCOMPARE(listed(), QStringList({"A.txt", "b.jpg", "c.doc"}));
    QCOMPARE(selected(), listed());
    QCOMPARE(findControl<QListView>(page(), "File1")->selectionModel()->selectedRows().size(), 3);
    QVERIFY(findControl<QRadioButton>(page(), "optAllFilesCurrentDir")->isChecked());
}

void TestFileChooser::folderListShowsWhereTheUserIsThenSubFolders()
{
    QVERIFY(makeFiles(root() + u"/music/Rock", {}));
    QVERIFY(makeFiles(root() + u"/music/jazz", {}));
    QVERIFY(makeFiles(root() + u"/music/.cache", {}));
    QVERIFY(folders().setPath(root() + u"/music"));

    QCOMPARE(folders().subFolderCount(), 2);
    QCOMPARE(folders().subFolderPath(0), root() + u"/music/jazz");
    QCOMPARE(folders().subFolderPath(1), root() + u"/music/Rock");

    // The rows: "/", each folder down to "music" (current, shown chosen), then the sub-folders.
    const FolderListModel *model = folders().model();
    const QStringList chain = FolderListModel::pathChain(root() + u"/music");
    QCOMPARE(chain.first(), QStringLiteral("/"));
    QCOMPARE(chain.last(), root() + u"/music");
    QCOMPARE(model->rowCount(), chain.size() + 2);
    QCOMPARE(model->index(0).data().toString(), QStringLiteral("/"));
    const int current = folders().currentFolderRow();
    QCOMPARE(current, chain.size() - 1);
    QCOMPARE(model->index(current).data().toString(), QStringLiteral("music"));
    QCOMPARE(model->index(current + 1).data().toString(), QStringLiteral("jazz"));
    QCOMPARE(model->rowPath(current + 2), root() + u"/music/Rock");
    QCOMPARE(findControl<QListView>(page(), "Dir1")->currentIndex().row(), current);

    QVERIFY(makeFiles(root() + u"/music/blues", {}));
    folders().refresh();
    QCOMPARE(folders().subFolderCount(), 3);
    QCOMPARE(folders().subFolderPath(0), root() + u"/music/blues");
}

void TestFileChooser::unreadableFolderChangesNothing()
{
    QVERIFY(makeFiles(root(), {"keep.txt"}));
    openRoot();
    findControl<QRadioButton>(page(), "optSelectedFiles")->setChecked(true);
    const auto moved = folders().setPath(root() + u"/missing");
    QVERIFY(!moved);
    QVERIFY(!moved.error().isEmpty());
    QCOMPARE(folders().path(), root());
    QCOMPARE(listed(), QStringList({"keep.txt"}));
    QVERIFY(selected().isEmpty());
    QVERIFY(findControl<QRadioButton>(page(), "optSelectedFiles")->isChecked());
}

void TestFileChooser::scopeOptionsSelectAndDeselect_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<bool>("allSelected");
    QTest::newRow("selected files") << "optSelectedFiles" << false;
    QTest::newRow("all files in current folder") << "optAllFilesCurrentDir" << true;
    QTest::newRow("including sub-folders") << "optAllFiles" << true;
}

void TestFileChooser::scopeOptionsSelectAndDeselect()
{
    QFETCH(QString, option);
    QFETCH(bool, allSelected);
    QVERIFY(makeFiles(root(), {"1.txt", "2.txt", "3.txt"}));
    openRoot();
    auto *button = page()->findChild<QRadioButton *>(option);
    QVERIFY(button);
    // Start from another scope and a selection of one file made by hand.
    auto *allFiles = findControl<QRadioButton>(page(), "optAllFiles");
    (button == allFiles ? findControl<QRadioButton>(page(), "optSelectedFiles") : allFiles)->setChecked(true);
    QListView *file1 = findControl<QListView>(page(), "File1");
    file1->selectionModel()->select(file1->model()->index(1, 0), QItemSelectionModel::ClearAndSelect);
    QCOMPARE(selected(), QStringList({"2.txt"}));
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(button->isChecked());
    QCOMPARE(selected(), allSelected ? listed() : QStringList());
}

void TestFileChooser::openingAFolderSwitchesTheScope_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<bool>("besideTheWindow");
    QTest::newRow("from selected files") << "optSelectedFiles" << false;
    QTest::newRow("from including sub-folders") << "optAllFiles" << false;
    QTest::newRow("from selected files, read beside the window") << "optSelectedFiles" << true;
    QTest::newRow("from including sub-folders, read beside the window") << "optAllFiles" << true;
}

void TestFileChooser::openingAFolderSwitchesTheScope()
{
    QFETCH(QString, option);
    QFETCH(bool, besideTheWindow);
    QVERIFY(makeFiles(root() + u"/sub", {"x.txt", "y.txt"}));
    openRoot();
    page()->findChild<QRadioButton *>(option)->setChecked(true);
    if (besideTheWindow) {
        folders().setEntriesReadAtOnce(0);
        QVERIFY(folders().open(root() + u"/sub"));
        // Until it is shown, the lists stay on the old folder, whole.
        FolderChooserList *list = m_rig->form->folderList();
        QVERIFY(list->isListing());
        QCOMPARE(list->path(), root());
        QCOMPARE(m_rig->form->fileList()->folder(), root());
        QVERIFY(page()->findChild<QRadioButton *>(option)->isChecked());
    } else {
        QVERIFY(folders().setPath(root() + u"/sub"));
    }
    QCOMPARE(folders().path(), root() + u"/sub");
    QVERIFY(findControl<QRadioButton>(page(), "optAllFilesCurrentDir")->isChecked());
    QCOMPARE(selected(), QStringList({"x.txt", "y.txt"}));
}

void TestFileChooser::openingAnotherFolderFirstShowsOnlyIt_data()
{
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("secondBesideTheWindow");
    QTest::addColumn<QString>("shownFolder");
    QTest::addColumn<QStringList>("shownFiles");
    QTest::addColumn<int>("changes");
    QTest::addColumn<QStringList>("errors");
    QTest::newRow("opened") << "/b" << true << "/b" << QStringList({"b.txt"}) << 1 << QStringList();
    QTest::newRow("moved to at once") << "/b" << false << "/b" << QStringList({"b.txt"}) << 1 << QStringList();
    QTest::newRow("opened, cannot be read")
        << "/missing" << true << "" << QStringList({"r.txt"}) << 0
        << QStringList({QString::fromLocal8Bit(std::strerror(ENOENT))});
}

void TestFileChooser::openingAnotherFolderFirstShowsOnlyIt()
{
    QFETCH(QString, second);
    QFETCH(bool, secondBesideTheWindow);
    QFETCH(QString, shownFolder);
    QFETCH(QStringList, shownFiles);
    QFETCH(int, changes);
    QFETCH(QStringList, errors);
    QVERIFY(makeFiles(root(), {"r.txt"}));
    QVERIFY(makeFiles(root() + u"/a", {"a.txt"}));
    QVERIFY(makeFiles(root() + u"/b", {"b.txt"}));
    openRoot();
    FolderChooserList *list = m_rig->form->folderList();
    QSignalSpy changed(list, &FolderChooserList::pathChanged);
    list->setEntriesReadAtOnce(0);
    QVERIFY(list->open(root() + u"/a"));
    QVERIFY(secondBesideTheWindow ? list->open(root() + second) : list->setPath(root() + second));
    list->waitForListing();
    QVERIFY(!list->isListing());
    // The folder opened first may finish reading only now: it is never shown.
    QCoreApplication::processEvents();
    QCOMPARE(folders().path(), root() + shownFolder);
    QCOMPARE(listed(), shownFiles);
    QCOMPARE(changed.count(), changes);
    QCOMPARE(m_rig->errors.texts, errors);
}

void TestFileChooser::doubleClickAndEnterOpenAndClimb()
{
    QVERIFY(makeFiles(root() + u"/a/b", {"deep.txt"}));
    QVERIFY(makeFiles(root() + u"/a", {"top.txt"}));
    QVERIFY(folders().setPath(root() + u"/a"));
    QListView *dir1 = findControl<QListView>(page(), "Dir1");
    const int current = folders().currentFolderRow();

    // Double-click on the sub-folder "b" opens it.
    const QModelIndex b = dir1->model()->index(current + 1, 0);
    QCOMPARE(b.data().toString(), QStringLiteral("b"));
    // A double-click is a click followed by the double-click event.
    QTest::mouseClick(dir1->viewport(), Qt::LeftButton, {}, dir1->visualRect(b).center());
    QCOMPARE(folders().path(), root() + u"/a");
    QTest::mouseDClick(dir1->viewport(), Qt::LeftButton, {}, dir1->visualRect(b).center());
    QCOMPARE(folders().path(), root() + u"/a/b");
    QCOMPARE(listed(), QStringList({"deep.txt"}));

    // Enter on the parent's row climbs back up, and does not reach the window's Start button.
    dir1->setFocus();
    dir1->setCurrentIndex(dir1->model()->index(folders().currentFolderRow() - 1, 0));
    QTest::keyClick(dir1, Qt::Key_Return);
    QCOMPARE(folders().path(), root() + u"/a");
    QCOMPARE(selected(), QStringList({"top.txt"}));
    QVERIFY(m_rig->errors.texts.isEmpty());
}

void TestFileChooser::selectionByHandIsWhatTheRunReads()
{
    QVERIFY(makeFiles(root(), {"a.txt", "b.txt", "c.txt", "d.txt"}));
    openRoot();
    QListView *file1 = findControl<QListView>(page(), "File1");
    const auto rowCentre = [file1](int row) { return file1->visualRect(file1->model()->index(row, 0)).center(); };
    QTest::mouseClick(file1->viewport(), Qt::LeftButton, {}, rowCentre(0));
    QTest::mouseClick(file1->viewport(), Qt::LeftButton, Qt::ControlModifier, rowCentre(2));
    QCOMPARE(selected(), QStringList({"a.txt", "c.txt"}));
    QTest::mouseClick(file1->viewport(), Qt::LeftButton, Qt::ShiftModifier, rowCentre(3));
    QCOMPARE(selected(), QStringList({"a.txt", "c.txt", "d.txt"}));
    QCOMPARE(files().selectedCount(), 3);
    files().deselectAll();
    QVERIFY(selected().isEmpty());
    QVERIFY(!file1->selectionModel()->hasSelection());
}

void TestFileChooser::hiddenFilesAreNotListed()
{
    QVERIFY(makeFiles(root(), {".hidden.txt", ".profile", "shown.txt"}));
    QVERIFY(makeFiles(root() + u"/.config", {}));
    openRoot();
    QCOMPARE(listed(), QStringList({"shown.txt"}));
    QCOMPARE(folders().subFolderCount(), 0);
}

void TestFileChooser::fortyThousandFilesListInFull()
{
    QStringList names;
    for (int i = 0; i < 40000; ++i)
        names.append(QStringLiteral("f%1.dat").arg(i, 5, 10, QLatin1Char('0')));
    QVERIFY(makeFiles(root(), names));
    openRoot();
    QCOMPARE(files().count(), 40000);
    QListView *file1 = findControl<QListView>(page(), "File1");
    QCOMPARE(file1->model()->rowCount(), 40000);
    QCOMPARE(files().name(39999), QStringLiteral("f39999.dat"));
    QCOMPARE(files().selectedCount(), 40000);
    QVERIFY(files().isSelected(32767));
    QVERIFY(files().isSelected(39999));
    // One range, never a row at a time.
    QCOMPARE(file1->selectionModel()->selection().size(), 1);

    file1->selectionModel()->select(file1->model()->index(35000, 0), QItemSelectionModel::Deselect);
    QVERIFY(!files().isSelected(35000));
    QVERIFY(files().isSelected(34999));
    QCOMPARE(files().selectedCount(), 39999);
}

void TestFileChooser::runWalksTheWindowsLists()
{
    QVERIFY(makeFiles(root() + u"/top", {"t.txt"}));
    QVERIFY(makeFiles(root() + u"/top/one", {"o.txt"}));
    QVERIFY(makeFiles(root() + u"/top/two", {"w.txt"}));
    QVERIFY(folders().setPath(root() + u"/top"));
    ScriptedPrompt prompt;
    RecordingSink sink;
    CountingNames names;
    TestSettings settings;
    ScriptedClock clock;
    RenameRun run({folders(), files(), prompt, sink, names, settings, clock});
    QVERIFY(run.start(RunScope::AllFilesIncludingSubFolders));
    QCOMPARE(namesIn(root() + u"/top"), QStringList({"0001_t.txt", "one", "two"}));
    QCOMPARE(namesIn(root() + u"/top/one"), QStringList({"0002_o.txt"}));
    QCOMPARE(namesIn(root() + u"/top/two"), QStringList({"0003_w.txt"}));
    QCOMPARE(folders().path(), root() + u"/top");
    QCOMPARE(sink.folders, QStringList({root() + u"/top", root() + u"/top/one", root() + u"/top/two"}));
    // The run ends with nothing selected.
    QVERIFY(selected().isEmpty());
}

QTEST_MAIN(TestFileChooser)
#include "tst_filechooser.moc"
