// SPDX-License-Identifier: GPL-3.0-or-later
// Undo on the Go tab, through the real window over real folders.
#include "DiskOperations.h"
#include "FileChooserList.h"
#include "FindControl.h"
#include "FolderChooserList.h"
#include "GoPage.h"
#include "GoProgress.h"
#include "GoRunTestKit.h"
#include "KestravaForm.h"
#include "RunController.h"
#include "RunJournal.h"
#include "RunTestKit.h"
#include "UndoRun.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace kestrava;
using namespace kestrava::testing;

class TestGoUndo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void runThenUndoPutsEveryNameBack();
    void twoRunsAreUndoneOneAfterTheOther_data();
    void twoRunsAreUndoneOneAfterTheOther();
    void answeringNoChangesNothing();
    void yesUndoesOnlyTheRunAskedAbout();
    void newWindowUndoesTheLastWindowsRun();
    void runKilledHalfwayIsUndoneByANewWindow();
    void undoNeverReplacesAFile_data();
    void undoNeverReplacesAFile();
    void stopDuringAnUndoLeavesTheRestForLater();
    void newWindowPutsBackParkedFiles_data();
    void newWindowPutsBackParkedFiles();

private:
    template<typename T = QWidget>
    T *control(const char *name) const
    {
        return kestrava::testing::requiredControl<T>(m_form.get(), QString::fromUtf8(name));
    }
    QString root() const { return m_dir->path(); }
    /// Destroys the window and opens a new one, as a restart does.
    void newWindow();
    void makeFiles(const QStringList &names);
    /// Renames every file of the folder with a counter prefix from 0001.
    void runOver(const QString &folder);
    /// Presses Undo, answering \a answer.
    void undo(PromptAnswer answer);
    QStringList errorLog() const;

    std::unique_ptr<QTemporaryDir> m_state;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<EndNotingForm> m_form;
    HookedPrompt m_prompt;
    ScriptedClock m_clock;
};

void TestGoUndo::init()
{
    m_state = std::make_unique<QTemporaryDir>();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_state->isValid() && m_dir->isValid());
    qputenv("XDG_STATE_HOME", QFile::encodeName(m_state->path()));
    newWindow();
}

void TestGoUndo::cleanup()
{
    m_form.reset();
    m_dir.reset();
    m_state.reset();
}

void TestGoUndo::newWindow()
{
    m_form.reset();
    m_form = std::make_unique<EndNotingForm>();
    m_form->show();
    m_prompt = HookedPrompt();
    m_clock.times = {QDateTime(QDate(2026, 3, 2), QTime(10, 0))};
    m_form->runController()->setPrompt(&m_prompt);
    m_form->setClock(&m_clock);
    m_form->SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::Go));
}

void TestGoUndo::makeFiles(const QStringList &names)
{
    for (const QString &name : names)
        QVERIFY(writeFile(root() + u'/' + name, name.toUtf8()));
}

void TestGoUndo::runOver(const QString &folder)
{
    QVERIFY(m_form->folderList()->setPath(folder));
    QVERIFY(control<QRadioButton>("optAllFilesCurrentDir")->isChecked());
    control<QCheckBox>("chkPrefixCounter")->setChecked(true);
    control<QLineEdit>("txtPrefixCount")->setText(QStringLiteral("0001"));
    control<QPushButton>("StartButton")->click();
    QCOMPARE(control<QLabel>("lblStatus")->text(), QStringLiteral("COMPLETED"));
}

void TestGoUndo::undo(PromptAnswer answer)
{
    auto *undoButton = control<QPushButton>("cmdUndo");
    QVERIFY(undoButton->isEnabled());
    m_prompt.answers = {answer};
    undoButton->click();
    QVERIFY(m_prompt.answers.isEmpty());
}

QStringList TestGoUndo::errorLog() const
{
    QStringList lines;
    const QAbstractItemModel *model = control<QListView>("lstErrorLog")->model();
    for (int row = 0; row < model->rowCount(); ++row)
        lines.append(model->index(row, 0).data().toString());
    return lines;
}

void TestGoUndo::runThenUndoPutsEveryNameBack()
{
    const QStringList before{"a b.txt", "c.txt", "d.txt"};
    makeFiles(before);
    auto *undoButton = control<QPushButton>("cmdUndo");
    QVERIFY(!undoButton->isEnabled());
    runOver(root());
    QCOMPARE(namesIn(root()), QStringList({"0001_a b.txt", "0002_c.txt", "0003_d.txt"}));
    QVERIFY(undoButton->isEnabled());

    // While the question is open, nothing has moved yet.
    m_prompt.onAsk = [this] { QCOMPARE(namesIn(root()).first(), QStringLiteral("0001_a b.txt")); };
    undo(PromptAnswer::Yes);
    const auto asked =
        QStringLiteral("Rename the 3 files of the run of %1 back to their old names?\n\n"
                       "Folder: %2\nScope: all files in the folder")
            .arg(QLocale().toString(QDateTime(QDate(2026, 3, 2), QTime(10, 0)), QLocale::ShortFormat), root());
    QCOMPARE(m_prompt.texts, QStringList{asked});
    QCOMPARE(namesIn(root()), before);
    for (const QString &name : before)
        QCOMPARE(readFile(root() + u'/' + name), name.toUtf8());
    QCOMPARE(control<QLabel>("lblStatus")->text(), QStringLiteral("UNDONE"));
    QCOMPARE(control<QLabel>("lblFileCounter")->text(),
             QStringLiteral(" A total of  3 files were restored taking 0 minutes 0 seconds."));
    QVERIFY(control<QPlainTextEdit>("txtFilesModified")->toPlainText().contains(u"a b.txt"));
    // The file list was read again, so it shows the old names.
    QCOMPARE(m_form->fileList()->name(0), QStringLiteral("a b.txt"));
    QVERIFY(!undoButton->isEnabled());
    QVERIFY(control<QPushButton>("StartButton")->isEnabled());
    QVERIFY(!control<QPushButton>("StopButton")->isEnabled());
}

void TestGoUndo::twoRunsAreUndoneOneAfterTheOther_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("firstOptions"); // the controls the first run checks, then the second
    QTest::addColumn<QStringList>("secondOptions");
    QTest::addColumn<QStringList>("afterFirst");
    QTest::addColumn<QStringList>("afterBoth");
    QTest::newRow("counter twice") << QStringList({"a.txt", "b.txt"}) << QStringList{"chkPrefixCounter"}
                                   << QStringList{"chkPrefixCounter"} << QStringList({"0001_a.txt", "0002_b.txt"})
                                   << QStringList({"0001_0001_a.txt", "0002_0002_b.txt"});
    QTest::newRow("underscores, then upper case")
        << QStringList({"a b.txt", "c d.txt"}) << QStringList{"optSpacesToUnderscores"}
        << QStringList({"optIgnoreSpaces", "optConvertUppercase"}) << QStringList({"a_b.txt", "c_d.txt"})
        << QStringList({"A_B.TXT", "C_D.TXT"});
}

void TestGoUndo::twoRunsAreUndoneOneAfterTheOther()
{
    QFETCH(QStringList, before);
    QFETCH(QStringList, firstOptions);
    QFETCH(QStringList, secondOptions);
    QFETCH(QStringList, afterFirst);
    QFETCH(QStringList, afterBoth);
    makeFiles(before);
    for (const QStringList &options : {firstOptions, secondOptions}) {
        QVERIFY(m_form->folderList()->setPath(root()));
        for (const QString &name : options)
            control<QAbstractButton>(name.toUtf8().constData())->setChecked(true);
        control<QLineEdit>("txtPrefixCount")->setText(QStringLiteral("0001"));
        control<QPushButton>("StartButton")->click();
        QCOMPARE(control<QLabel>("lblStatus")->text(), QStringLiteral("COMPLETED"));
    }
    QCOMPARE(namesIn(root()), afterBoth);
    undo(PromptAnswer::Yes);
    QCOMPARE(namesIn(root()), afterFirst);
    undo(PromptAnswer::Yes);
    QCOMPARE(namesIn(root()), before);
    QVERIFY(errorLog().isEmpty());
    QVERIFY(!control<QPushButton>("cmdUndo")->isEnabled());
}

void TestGoUndo::answeringNoChangesNothing()
{
    makeFiles({"a.txt", "b.txt"});
    runOver(root());
    const QString statusAfterRun = control<QLabel>("lblStatus")->text();
    undo(PromptAnswer::No);
    QCOMPARE(namesIn(root()), QStringList({"0001_a.txt", "0002_b.txt"}));
    QCOMPARE(control<QLabel>("lblStatus")->text(), statusAfterRun);
    QVERIFY(control<QPushButton>("cmdUndo")->isEnabled());
    QVERIFY(UndoRun::canUndo());
}

// Another undo takes back the run asked about while the question is open:
// Yes then undoes nothing, rather than the run before it in another folder.
void TestGoUndo::yesUndoesOnlyTheRunAskedAbout()
{
    QTemporaryDir other;
    QVERIFY(writeFile(other.path() + u"/z.txt", "z"));
    runOver(other.path());
    makeFiles({"a.txt"});
    runOver(root());
    m_prompt.onAsk = [] {
        RecordingSink progress;
        ScriptedClock clock;
        QVERIFY(UndoRun(progress, clock).start());
    };
    undo(PromptAnswer::Yes);
    QCOMPARE(namesIn(root()), QStringList{"a.txt"});
    QCOMPARE(namesIn(other.path()), QStringList{"0001_z.txt"});
    QCOMPARE(m_form->runController()->undo().filesRestored(), 0);
    QVERIFY(errorLog().join(u'\n').contains(u"This run is no longer the one to undo; nothing was undone"));
    // The run left to undo is another folder's, and the question says so.
    m_prompt.onAsk = nullptr;
    undo(PromptAnswer::No);
    QVERIFY2(m_prompt.texts.constLast().endsWith(QStringLiteral("\n\nFolder: %1\nScope: all files in the folder\n\n"
                                                                "This is not the folder shown in the window.")
                                                     .arg(other.path())),
             qPrintable(m_prompt.texts.constLast()));
}

void TestGoUndo::newWindowUndoesTheLastWindowsRun()
{
    makeFiles({"a.txt", "b.txt"});
    runOver(root());
    newWindow();
    QVERIFY(control<QPushButton>("cmdUndo")->isEnabled());
    undo(PromptAnswer::Yes);
    QCOMPARE(namesIn(root()), QStringList({"a.txt", "b.txt"}));
    QVERIFY(!control<QPushButton>("cmdUndo")->isEnabled());
}

// A journaled run in a child process, killed once about half its files are in
// the journal: the next window's Undo finds every file it renamed.
void TestGoUndo::runKilledHalfwayIsUndoneByANewWindow()
{
    const int count = 20000;
    QStringList before;
    for (int i = 0; i < count; ++i)
        before.append(QStringLiteral("f%1.txt").arg(i, 5, 10, QLatin1Char('0')));
    makeFiles(before);
    m_form.reset();
    renameInKilledChild(root(), count * 30);
    const QStringList halfway = namesIn(root());
    QCOMPARE(halfway.size(), count);
    QVERIFY2(halfway.first().startsWith(u"f") && halfway.last().startsWith(u"renamed-"),
             "the child was not killed halfway");

    newWindow();
    undo(PromptAnswer::Yes);
    QCOMPARE(namesIn(root()), before);
    QVERIFY(errorLog().isEmpty());
    const qint64 renamed = count - halfway.filter(QRegularExpression(QStringLiteral("^f"))).size();
    QCOMPARE(m_form->runController()->undo().filesRestored(), renamed);
    QVERIFY(!control<QPushButton>("cmdUndo")->isEnabled());
}

void TestGoUndo::undoNeverReplacesAFile_data()
{
    QTest::addColumn<bool>("replaceRenamed"); // else a new file takes the old name
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("old name taken") << false << QStringLiteral("'Old name a.txt is taken'  whilst processing file '")
                                    << QStringList({"0001_a.txt", "a.txt", "b.txt"});
    QTest::newRow("renamed file replaced")
        << true << QStringLiteral("Replaced by another file") << QStringList({"0001_a.txt", "b.txt"});
}

void TestGoUndo::undoNeverReplacesAFile()
{
    QFETCH(bool, replaceRenamed);
    QFETCH(QString, reason);
    QFETCH(QStringList, after);
    makeFiles({"a.txt", "b.txt"});
    runOver(root());
    if (replaceRenamed) {
        QVERIFY(QFile::remove(root() + u"/0001_a.txt"));
        QVERIFY(writeFile(root() + u"/0001_a.txt", "another"));
    } else {
        QVERIFY(writeFile(root() + u"/a.txt", "another"));
    }
    undo(PromptAnswer::Yes);
    // b is put back; the other file, and whatever holds its names, stay as they are.
    QCOMPARE(readFile(root() + u"/b.txt"), QByteArray("b.txt"));
    QCOMPARE(readFile(root() + (replaceRenamed ? u"/0001_a.txt" : u"/a.txt")), QByteArray("another"));
    QCOMPARE(namesIn(root()), after);
    const QStringList errors = errorLog();
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains(u"a.txt"), qPrintable(errors.first()));
    QVERIFY2(errors.first().contains(reason), qPrintable(errors.first()));
    // Named by the name it has now, under which it was left.
    QVERIFY2(errors.first().endsWith(u"/0001_a.txt'"), qPrintable(errors.first()));
    QVERIFY(control<QListView>("lstErrorLog")->isVisible());
}

void TestGoUndo::stopDuringAnUndoLeavesTheRestForLater()
{
    QStringList before;
    for (int i = 0; i < 50; ++i)
        before.append(QStringLiteral("f%1.txt").arg(i, 2, 10, QLatin1Char('0')));
    makeFiles(before);
    runOver(root());
    m_form->runController()->progress()->setIntervals(0, 0);
    bool seen = false;
    atNextYield(m_form.get(), [this, &seen] {
        seen = true;
        QVERIFY(control<QPushButton>("StopButton")->isEnabled());
        QVERIFY(!control<QPushButton>("StartButton")->isEnabled());
        QVERIFY(!control<QPushButton>("cmdUndo")->isEnabled());
        QVERIFY(m_form->runInProgress());
        control<QPushButton>("StopButton")->click();
    });
    undo(PromptAnswer::Yes);
    QVERIFY(seen);
    QCOMPARE(control<QLabel>("lblStatus")->text(), QStringLiteral("INTERRUPTED BY USER"));
    const qint64 restored = m_form->runController()->undo().filesRestored();
    QVERIFY(restored > 0 && restored < before.size());
    // What is left is offered again, and a second undo finishes it.
    QVERIFY(control<QPushButton>("cmdUndo")->isEnabled());
    undo(PromptAnswer::Yes);
    QCOMPARE(namesIn(root()), before);
}

void TestGoUndo::newWindowPutsBackParkedFiles_data()
{
    QTest::addColumn<bool>("oldNameTaken");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("put back quietly") << false << QStringList{"a.txt"};
    QTest::newRow("old name taken meanwhile") << true << QStringList({".kestrava-1f.tmp", "a.txt"});
}

// A run killed between the two steps of a change of letter case left a file
// under a hidden temporary name; the next window puts it back without asking.
void TestGoUndo::newWindowPutsBackParkedFiles()
{
    QFETCH(bool, oldNameTaken);
    QFETCH(QStringList, after);
    m_form.reset();
    makeFiles({"a.txt"});
    const QString temporary = QStringLiteral(".kestrava-1f.tmp");
    {
        RunJournal journal;
        QVERIFY(journal.begin(RunScope::AllFilesInCurrentFolder, root(), QDateTime::currentDateTime()));
        OpenFolder folder;
        folder.open(root() + u'/');
        journal.recordRename(root() + u'/', FolderFile(folder, QStringLiteral("a.txt")),
                             FolderFile(folder, QStringLiteral("A.txt")));
        journal.recordParked(QFile::encodeName(temporary));
        QVERIFY(QFile::rename(root() + QStringLiteral("/a.txt"), root() + u'/' + temporary));
    }
    if (oldNameTaken)
        QVERIFY(writeFile(root() + QStringLiteral("/a.txt"), "another"));
    newWindow();
    QCOMPARE(namesIn(root()), after);
    QCOMPARE(readFile(root() + QStringLiteral("/a.txt")), oldNameTaken ? QByteArray("another") : QByteArray("a.txt"));
    const QStringList errors = errorLog();
    QCOMPARE(errors.size(), oldNameTaken ? 1 : 0);
    QCOMPARE(control<QListView>("lstErrorLog")->isVisible(), oldNameTaken);
    if (oldNameTaken)
        QVERIFY2(errors.first().contains(temporary), qPrintable(errors.first()));
}

QTEST_MAIN(TestGoUndo)
#include "tst_goundo.moc"
