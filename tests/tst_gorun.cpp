// SPDX-License-Identifier: GPL-3.0-or-later
// The Go tab driving real runs: the real window, offscreen, over real temporary folders.
#include "ChooseFilesPage.h"
#include "FileChooserList.h"
#include "FindControl.h"
#include "FolderChooserList.h"
#include "GoPage.h"
#include "GoProgress.h"
#include "GoRunTestKit.h"
#include "KestravaForm.h"
#include "OptionsPage.h"
#include "RunController.h"
#include "RunTestKit.h"
#include "TreeFilesCheck.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

using namespace kestrava;
using namespace kestrava::testing;

class TestGoRun : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void buttonsAndLabelsBeforeDuringAndAfterARun();
    void stopAtAYieldThroughTheStopButton();
    void startDuringARunIsIgnored();
    void cancelInTheBoxStopsButLeavesStopTheDefault();
    void closingTheWindowDuringARunStopsItFirst();
    void errorsAreShownBesideTheLog();
    void treeWalkShowsTheFolderBeingProcessed();
    void previewsDuringARunLeaveItsNumbersAlone();
    void previewBeforeARunIsForgottenAndShownAfresh();
    void optionChangedDuringARunAppliesFromTheNextFile();
    void tabsDuringARunLeaveItsListsAndLogAlone();
    void exitTabDuringARunStopsItThenEnds();
    void runStampsTheDateOfTheOptionsClock();
    void noFilesNoteFollowsTheScope_data();
    void noFilesNoteFollowsTheScope();
    void startRightAfterOpeningRenamesTheNewFolder();

private:
    template<typename T = QWidget>
    T *control(const char *name) const
    {
        return kestrava::testing::requiredControl<T>(m_form.get(), QString::fromUtf8(name));
    }
    QString root() const { return m_dir->path(); }
    void openFolderWith(const QStringList &names);
    void openFolder(const QString &path);
    void countFrom(const QString &start);
    /// Presses Start on the Go tab, as a user does.
    void start();
    QList<QWidget *> chooserControls() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<EndNotingForm> m_form;
    HookedPrompt m_prompt;
    ScriptedClock m_clock;
};

void TestGoRun::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_form = std::make_unique<EndNotingForm>();
    m_form->show();
    m_prompt = HookedPrompt();
    m_clock.times = {QDateTime(QDate(2026, 3, 2), QTime(10, 0))};
    m_form->runController()->setPrompt(&m_prompt);
    m_form->setClock(&m_clock);
}

void TestGoRun::cleanup()
{
    m_form.reset();
    m_dir.reset();
}

void TestGoRun::openFolderWith(const QStringList &names)
{
    for (const QString &name : names)
        QVERIFY(writeFile(root() + u'/' + name));
    openFolder(root());
}

void TestGoRun::openFolder(const QString &path)
{
    // Opening a folder selects all its files and the scope "All Files in Current Folder".
    QVERIFY(m_form->folderList()->setPath(path));
    QVERIFY(control<QRadioButton>("optAllFilesCurrentDir")->isChecked());
}

void TestGoRun::countFrom(const QString &start)
{
    control<QCheckBox>("chkPrefixCounter")->setChecked(true);
    control<QLineEdit>("txtPrefixCount")->setText(start);
}

void TestGoRun::start()
{
    if (m_form->SSTabStrip()->currentIndex() != int(KestravaForm::Tab::Go))
        m_form->SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::Go));
    control<QPushButton>("StartButton")->click();
}

QList<QWidget *> TestGoRun::chooserControls() const
{
    QList<QWidget *> controls;
    for (const char *name :
         {"Drive1", "Dir1", "FileSpecCombo", "File1", "optSelectedFiles", "optAllFilesCurrentDir", "optAllFiles"})
        controls.append(control(name));
    return controls;
}

void TestGoRun::buttonsAndLabelsBeforeDuringAndAfterARun()
{
    openFolderWith({"a.txt", "b.txt"});
    countFrom(QStringLiteral("0001"));
    control<QCheckBox>("chkConfirmFiles")->setChecked(true);
    auto *startButton = control<QPushButton>("StartButton");
    auto *stopButton = control<QPushButton>("StopButton");
    QVERIFY(startButton->isEnabled());
    QVERIFY(!stopButton->isEnabled());
    QCOMPARE(m_form->defaultButton(), startButton);

    m_clock.times = {QDateTime(QDate(2026, 3, 2), QTime(10, 0)), QDateTime(QDate(2026, 3, 2), QTime(10, 2, 5))};
    m_prompt.answers = {PromptAnswer::Yes, PromptAnswer::Yes};
    startButton->setFocus();
    m_prompt.onAsk = [&] {
        if (m_prompt.texts.size() != 1)
            return;
        QVERIFY(m_form->runInProgress());
        QVERIFY(!startButton->isEnabled());
        QVERIFY(stopButton->isEnabled());
        QCOMPARE(m_form->defaultButton(), stopButton);
        QVERIFY(control("framProgress")->isVisible());
        QCOMPARE(control<QLabel>("lblStatus")->text(), QStringLiteral("WORKING ..."));
        QCOMPARE(control<QLabel>("FileNameLabel")->text(), QStringLiteral("a.txt"));
        QCOMPARE(control<QLabel>("lblFileCounter")->text(), QStringLiteral("0"));
        QCOMPARE(control<QLabel>("CurrentDirLabel")->text(), QStringLiteral("    "));
        QCOMPARE(control<QPlainTextEdit>("txtFilesModified")->toPlainText(), QString());
        for (QWidget *chooser : chooserControls())
            QVERIFY2(!chooser->isEnabled(), qPrintable(chooser->objectName()));
        QVERIFY(control("chkConfirmFiles")->isEnabled());
        QCOMPARE(m_form->focusWidget(), stopButton);
        QVERIFY(control("chkIgnoreReadOnly")->isEnabled());
    };
    start();

    QCOMPARE(m_prompt.texts.size(), 2);
    QVERIFY(!m_form->runInProgress());
    QVERIFY(startButton->isEnabled());
    QVERIFY(!stopButton->isEnabled());
    QCOMPARE(m_form->focusWidget(), startButton);
    QCOMPARE(m_form->defaultButton(), stopButton); // the run was not ended by Stop
    QCOMPARE(control<QLabel>("lblStatus")->text(), QStringLiteral("COMPLETED"));
    QCOMPARE(control<QLabel>("lblFileCounter")->text(),
             QStringLiteral(" A total of  2 files were renamed taking 2 minutes 5 seconds."));
    QCOMPARE(control<QLabel>("CurrentDirLabel")->text(), QString());
    QCOMPARE(control<QLabel>("FileNameLabel")->text(), QString());
    QCOMPARE(control<QPlainTextEdit>("txtFilesModified")->toPlainText(), QStringLiteral("0002_b.txt\n0001_a.txt\n"));
    QVERIFY(!m_form->goPage()->isErrorAreaShown());
    for (QWidget *chooser : chooserControls())
        QVERIFY2(chooser->isEnabled(), qPrintable(chooser->objectName()));
    QCOMPARE(namesIn(root()), QStringList({"0001_a.txt", "0002_b.txt"}));
}

void TestGoRun::stopAtAYieldThroughTheStopButton()
{
    openFolderWith({"a.txt", "b.txt", "c.txt"});
    countFrom(QStringLiteral("0001"));
    auto *startButton = control<QPushButton>("StartButton");
    auto *stopButton = control<QPushButton>("StopButton");
    bool stopped = false;
    atNextYield(stopButton, [&] {
        QVERIFY(m_form->runInProgress());
        stopButton->click();
        stopped = true;
        QVERIFY(startButton->isEnabled());
        QVERIFY(!stopButton->isEnabled());
        QCOMPARE(m_form->defaultButton(), startButton);
        QCOMPARE(control<QLabel>("lblStatus")->text(), QStringLiteral("WORKING ..."));
    });
    start();

    QVERIFY(stopped);
    QCOMPARE(namesIn(root()), QStringList({"0001_a.txt", "b.txt", "c.txt"}));
    QCOMPARE(control<QLabel>("lblStatus")->text(), QStringLiteral("INTERRUPTED BY USER"));
    QCOMPARE(control<QLabel>("lblFileCounter")->text(),
             QStringLiteral(" A total of  1 files were renamed taking 0 minutes 0 seconds."));
    QCOMPARE(m_form->defaultButton(), startButton);
    QVERIFY(startButton->isEnabled());
    QVERIFY(!stopButton->isEnabled());
    QCOMPARE(m_form->runController()->run().intFilesRenamed(), 1);
    QCOMPARE(m_form->runController()->run().intErrorCount(), 0);
    QVERIFY(!m_form->fileList()->selectionModel()->hasSelection());
}

void TestGoRun::startDuringARunIsIgnored()
{
    openFolderWith({"a.txt", "b.txt"});
    countFrom(QStringLiteral("0001"));
    auto *startButton = control<QPushButton>("StartButton");
    atNextYield(startButton, [&] {
        control<QPushButton>("StopButton")->click();
        // Stop enabled Start again, but the run has yet to end.
        startButton->click();
        QVERIFY(m_form->runInProgress());
        QCOMPARE(control<QLabel>("lblStatus")->text(), QStringLiteral("WORKING ..."));
    });
    start();
    QCOMPARE(namesIn(root()), QStringList({"0001_a.txt", "b.txt"}));
    QCOMPARE(control<QLabel>("lblStatus")->text(), QStringLiteral("INTERRUPTED BY USER"));
    QVERIFY(startButton->isEnabled());
}

void TestGoRun::cancelInTheBoxStopsButLeavesStopTheDefault()
{
    openFolderWith({"a.txt", "b.txt"});
    countFrom(QStringLiteral("0001"));
    control<QCheckBox>("chkConfirmFiles")->setChecked(true);
    m_prompt.answers = {PromptAnswer::Cancel};
    start();
    QCOMPARE(m_prompt.texts, QStringList({"Rename this File ?\n\nOLD : a.txt\nNEW : 0001_a.txt"}));
    QCOMPARE(namesIn(root()), QStringList({"a.txt", "b.txt"}));
    QCOMPARE(control<QLabel>("lblStatus")->text(), QStringLiteral("INTERRUPTED BY USER"));
    QCOMPARE(control<QLabel>("lblFileCounter")->text(), QStringLiteral(" No Files were Renamed"));
    QCOMPARE(m_form->defaultButton(), control<QPushButton>("StopButton"));
    QVERIFY(control("StartButton")->isEnabled());
    QVERIFY(!control("StopButton")->isEnabled());
}

void TestGoRun::closingTheWindowDuringARunStopsItFirst()
{
    openFolderWith({"a.txt", "b.txt", "c.txt"});
    countFrom(QStringLiteral("0001"));
    bool closedAtOnce = true;
    atNextYield(m_form.get(), [&] {
        closedAtOnce = m_form->close();
        QVERIFY(m_form->isVisible());
        QVERIFY(m_form->runInProgress());
    });
    start();
    QVERIFY(!closedAtOnce);
    QVERIFY(!m_form->runInProgress());
    QVERIFY(!m_form->isVisible());
    QCOMPARE(control<QLabel>("lblStatus")->text(), QStringLiteral("INTERRUPTED BY USER"));
    // The file in hand was renamed whole; the others were not touched.
    QCOMPARE(namesIn(root()), QStringList({"0001_a.txt", "b.txt", "c.txt"}));
}

void TestGoRun::errorsAreShownBesideTheLog()
{
    // The counter passes 9999 at b.txt and stays there for "noext".
    openFolderWith({"a.txt", "b.txt", "noext"});
    countFrom(QStringLiteral("9999"));
    auto *log = control<QPlainTextEdit>("txtFilesModified");
    const QRect wholeArea = log->geometry();
    start();

    GoPage *page = m_form->goPage();
    QVERIFY(page->isErrorAreaShown());
    QCOMPARE(control<QLabel>("lblErrorLog")->text(), QStringLiteral("Errors : 2"));
    QVERIFY(control<QLabel>("lblErrorLog")->isVisible());
    QVERIFY(control<QListView>("lstErrorLog")->isVisible());
    const QString invalid = QStringLiteral("'Invalid procedure call or argument'  whilst processing file '");
    QAbstractItemModel *errors = control<QListView>("lstErrorLog")->model();
    QCOMPARE(errors->rowCount(), 2);
    QCOMPARE(errors->index(0, 0).data().toString(), invalid + root() + QStringLiteral("/b.txt'"));
    QCOMPARE(errors->index(1, 0).data().toString(), invalid + root() + QStringLiteral("/noext'"));

    // Both logs stay readable: side by side in the log's area, none over another.
    QVERIFY(log->isVisible());
    QCOMPARE(log->toPlainText(), QStringLiteral("9999_a.txt\n"));
    QVERIFY(log->height() < wholeArea.height());
    const QRect label = control<QLabel>("lblErrorLog")->geometry();
    const QRect list = control<QListView>("lstErrorLog")->geometry();
    QVERIFY(!log->geometry().intersects(label));
    QVERIFY(!log->geometry().intersects(list));
    QVERIFY(!label.intersects(list));
    QVERIFY(wholeArea.contains(label) && wholeArea.contains(list));
    QCOMPARE(control<QLabel>("lblFileCounter")->text().left(14), QStringLiteral(" A total of  1"));

    // A run without errors gives the whole area back to the log.
    QTemporaryDir clean;
    QVERIFY(writeFile(clean.path() + QStringLiteral("/c.txt")));
    openFolder(clean.path());
    countFrom(QStringLiteral("0001"));
    start();
    QVERIFY(!page->isErrorAreaShown());
    QCOMPARE(log->geometry(), wholeArea);
    QCOMPARE(log->toPlainText(), QStringLiteral("0001_c.txt\n"));
}

void TestGoRun::treeWalkShowsTheFolderBeingProcessed()
{
    QVERIFY(QDir(root()).mkpath(QStringLiteral("sub")));
    QVERIFY(writeFile(root() + QStringLiteral("/a.txt")));
    QVERIFY(writeFile(root() + QStringLiteral("/sub/b.txt")));
    openFolder(root());
    countFrom(QStringLiteral("0001"));
    control<QRadioButton>("optAllFiles")->setChecked(true);
    control<QCheckBox>("chkConfirmFiles")->setChecked(true);
    m_prompt.answers = {PromptAnswer::Yes, PromptAnswer::Yes};
    QStringList foldersShown;
    m_prompt.onAsk = [&] { foldersShown.append(control<QLabel>("CurrentDirLabel")->text()); };
    start();
    QCOMPARE(foldersShown, QStringList({root(), root() + QStringLiteral("/sub")}));
    QCOMPARE(control<QLabel>("CurrentDirLabel")->text(), QString());
    QCOMPARE(control<QPlainTextEdit>("txtFilesModified")->toPlainText(), QStringLiteral("0002_b.txt\n0001_a.txt\n"));
    QCOMPARE(m_form->folderList()->path(), root());
    QCOMPARE(m_form->fileList()->selectedCount(), 0);
}

void TestGoRun::previewsDuringARunLeaveItsNumbersAlone()
{
    openFolderWith({"a.txt", "b.txt", "c.txt"});
    countFrom(QStringLiteral("0005"));
    control<QCheckBox>("chkPostfixCounter")->setChecked(true);
    control<QLineEdit>("txtPostfixCount")->setText(QStringLiteral("0020"));
    m_form->runController()->progress()->setIntervals(0, 0);
    int yields = 0;
    std::function<void()> previewAtEveryYield = [&] {
        // What the options and preview tabs do when chosen: load the previews'
        // counters and advance them.
        m_form->ShowSampleMask();
        QVERIFY(m_form->BuildNewFilename(QStringLiteral("x.txt")).has_value());
        if (++yields < 3)
            atNextYield(m_form.get(), previewAtEveryYield);
    };
    atNextYield(m_form.get(), previewAtEveryYield);
    start();
    QCOMPARE(yields, 3);
    QCOMPARE(namesIn(root()), QStringList({"0005_a_0020.txt", "0006_b_0021.txt", "0007_c_0022.txt"}));
}

// A run leaves the preview it would make out of date empty, and so lets go of
// its memory; entering the tab again shows the files as they now are.
void TestGoRun::previewBeforeARunIsForgottenAndShownAfresh()
{
    openFolderWith({"a b.txt", "c d.txt"});
    control<QRadioButton>("optSpacesToUnderscores")->setChecked(true);
    m_form->SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::PreviewResults));
    QTRY_COMPARE(control<QPlainTextEdit>("txtFilesPreviewNew")->toPlainText(), QStringLiteral("a_b.txt\nc_d.txt\n"));
    start();
    QCOMPARE(namesIn(root()), QStringList({"a_b.txt", "c_d.txt"}));
    QCOMPARE(control<QPlainTextEdit>("txtFilesPreview")->toPlainText(), QString());
    QCOMPARE(control<QPlainTextEdit>("txtFilesPreviewNew")->toPlainText(), QString());
    QCOMPARE(control<QLabel>("lblPreviewProblems")->text(), QString());
    openFolder(root());
    m_form->SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::PreviewResults));
    QTRY_COMPARE(control<QPlainTextEdit>("txtFilesPreview")->toPlainText(), QStringLiteral("a_b.txt\nc_d.txt\n"));
}

void TestGoRun::optionChangedDuringARunAppliesFromTheNextFile()
{
    openFolderWith({"a.txt", "b.txt"});
    atNextYield(m_form.get(), [this] { control<QRadioButton>("optConvertUppercase")->setChecked(true); });
    start();
    // A folder's new names are all given before its first rename, so that
    // renames waiting for each other can be ordered: the change comes too late
    // for this folder's files.
    QCOMPARE(namesIn(root()), QStringList({"a.txt", "b.txt"}));
    QCOMPARE(control<QPlainTextEdit>("txtFilesModified")->toPlainText(), QString());
}

void TestGoRun::tabsDuringARunLeaveItsListsAndLogAlone()
{
    openFolderWith({"a.txt", "b.txt", "c.txt"});
    countFrom(QStringLiteral("0001"));
    m_form->runController()->progress()->setIntervals(0, 0);
    QTabWidget *strip = m_form->SSTabStrip();
    int yields = 0;
    std::function<void()> visitTabs = [&] {
        // Choose Files would re-read and re-select the list the run walks, and
        // Go would empty the log the run writes.
        strip->setCurrentIndex(int(KestravaForm::Tab::ChooseFiles));
        strip->setCurrentIndex(int(KestravaForm::Tab::Go));
        if (++yields < 3)
            atNextYield(m_form.get(), visitTabs);
    };
    atNextYield(m_form.get(), visitTabs);
    start();
    QCOMPARE(yields, 3);
    QCOMPARE(namesIn(root()), QStringList({"0001_a.txt", "0002_b.txt", "0003_c.txt"}));
    QCOMPARE(control<QPlainTextEdit>("txtFilesModified")->toPlainText(),
             QStringLiteral("0003_c.txt\n0002_b.txt\n0001_a.txt\n"));
    // Once the run has ended, the tabs do their usual work again.
    strip->setCurrentIndex(int(KestravaForm::Tab::ChooseFiles));
    strip->setCurrentIndex(int(KestravaForm::Tab::Go));
    QCOMPARE(control<QPlainTextEdit>("txtFilesModified")->toPlainText(), QString());
}

void TestGoRun::exitTabDuringARunStopsItThenEnds()
{
    openFolderWith({"a.txt", "b.txt", "c.txt"});
    countFrom(QStringLiteral("0001"));
    atNextYield(m_form.get(), [this] {
        m_form->SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::Exit));
        QVERIFY(m_form->runInProgress());
    });
    start();
    // Asked once while the run went on, then again once it had stopped.
    QCOMPARE(m_form->endsDuringARun, QList<bool>({true, false}));
    QCOMPARE(control<QLabel>("lblStatus")->text(), QStringLiteral("INTERRUPTED BY USER"));
    QCOMPARE(namesIn(root()), QStringList({"0001_a.txt", "b.txt", "c.txt"}));
}

void TestGoRun::runStampsTheDateOfTheOptionsClock()
{
    openFolderWith({"a.txt"});
    // The window's clock says 2 March 2026, not today.
    control<QCheckBox>("chkPrefixDate")->setChecked(true); // "dd-mm-yy"
    const auto expected = m_form->BuildNewFilename(QStringLiteral("a.txt"));
    QVERIFY(expected.has_value());
    QCOMPARE(*expected, QStringLiteral("2-3-26_a.txt"));
    start();
    QCOMPARE(namesIn(root()), QStringList({*expected}));
}

void TestGoRun::noFilesNoteFollowsTheScope_data()
{
    QTest::addColumn<QString>("scope");
    QTest::addColumn<QStringList>("files"); // paths under the start folder; a name ending in "/" is a folder
    QTest::addColumn<bool>("noted");
    QTest::newRow("selected files, none selected") << "optSelectedFiles" << QStringList{"a.txt"} << true;
    QTest::newRow("current folder with a file") << "optAllFilesCurrentDir" << QStringList{"a.txt"} << false;
    QTest::newRow("current folder, files only below") << "optAllFilesCurrentDir" << QStringList{"sub/b.txt"} << true;
    QTest::newRow("sub-folders, files here") << "optAllFiles" << QStringList{"a.txt"} << false;
    QTest::newRow("sub-folders, files only two levels down")
        << "optAllFiles" << QStringList{"sub/", "sub/deeper/b.txt"} << false;
    QTest::newRow("sub-folders, no file anywhere") << "optAllFiles" << QStringList{"sub/deeper/"} << true;
    QTest::newRow("sub-folders, only a linked folder has files")
        << "optAllFiles" << QStringList{"elsewhere/c.txt", "link>elsewhere"} << true;
}

void TestGoRun::noFilesNoteFollowsTheScope()
{
    QFETCH(QString, scope);
    QFETCH(QStringList, files);
    QFETCH(bool, noted);
    // The start folder is a folder of its own, so that a linked one can lie beside it.
    const QString startFolder = root() + QStringLiteral("/start");
    QVERIFY(QDir().mkpath(startFolder));
    for (const QString &file : files) {
        if (file.contains(u'>')) {
            const QStringList link = file.split(u'>');
            QVERIFY(QFile::link(root() + u'/' + link.at(1), startFolder + u'/' + link.at(0)));
        } else if (file.startsWith(QStringLiteral("elsewhere/"))) {
            QVERIFY(QDir().mkpath(root() + QStringLiteral("/elsewhere")));
            QVERIFY(writeFile(root() + u'/' + file));
        } else if (file.endsWith(u'/')) {
            QVERIFY(QDir().mkpath(startFolder + u'/' + file));
        } else {
            QVERIFY(QDir().mkpath(QFileInfo(startFolder + u'/' + file).path()));
            QVERIFY(writeFile(startFolder + u'/' + file));
        }
    }
    QVERIFY(m_form->folderList()->setPath(startFolder));
    m_form->SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::ChooseFiles));
    control<QRadioButton>(qPrintable(scope))->setChecked(true);
    auto *check = m_form->findChild<TreeFilesCheck *>(QStringLiteral("treeFilesCheck"));
    QVERIFY(check);
    QSignalSpy answered(check, &TreeFilesCheck::answered);
    m_form->SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::Go));
    auto *note = control<QLabel>("lblNoFilesSelected");
    QCOMPARE(note->text(), QStringLiteral("Note : You have not selected any files to Rename !"));
    // Until the walk has an answer, the note claims nothing.
    if (check->isBusy()) {
        QVERIFY(note->isHidden());
        QVERIFY(answered.wait(10000));
    }
    QCOMPARE(!note->isHidden(), noted);
    if (noted)
        return;
    // Nor does a run that renames the file bring it back.
    countFrom(QStringLiteral("0001"));
    start();
    QVERIFY2(control<QLabel>("lblFileCounter")->text().startsWith(QStringLiteral(" A total of  1 files were renamed")),
             qPrintable(control<QLabel>("lblFileCounter")->text()));
    QVERIFY(note->isHidden());
}

void TestGoRun::startRightAfterOpeningRenamesTheNewFolder()
{
    openFolderWith({"old one.txt"});
    QVERIFY(QDir(root()).mkdir(QStringLiteral("new")));
    QVERIFY(writeFile(root() + u"/new/new one.txt"));
    control<QRadioButton>("optSpacesToUnderscores")->setChecked(true);
    m_form->SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::Go));
    FolderChooserList *folders = m_form->folderList();
    folders->setEntriesReadAtOnce(0);
    QVERIFY(folders->open(root() + u"/new"));
    QVERIFY(folders->isListing());
    control<QPushButton>("StartButton")->click();
    QCOMPARE(namesIn(root()), QStringList({"new", "old one.txt"}));
    QCOMPARE(namesIn(root() + u"/new"), QStringList({"new_one.txt"}));
    // The folder is read again beside the window; until then the lists show it as the run found it.
    QVERIFY(folders->isListing());
    QCOMPARE(m_form->fileList()->name(0), QStringLiteral("new one.txt"));
    QVERIFY(folders->waitForListing());
    QCOMPARE(m_form->fileList()->count(), 1);
    QCOMPARE(m_form->fileList()->name(0), QStringLiteral("new_one.txt"));
    QCOMPARE(m_form->fileList()->selectedCount(), 0);
    QVERIFY(control<QRadioButton>("optAllFilesCurrentDir")->isChecked());
}

QTEST_MAIN(TestGoRun)
#include "tst_gorun.moc"
