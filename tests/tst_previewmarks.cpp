// SPDX-License-Identifier: GPL-3.0-or-later
// The look ahead in the window over real folders: each file a run would not
// rename is marked on its line of the new names with the reason, counted in the
// summary and listed; a run through the window then renames exactly the
// unmarked files and logs each problem. Also the sub-folder scope's summary,
// names that break a line, and the file-type box taking exactly what is typed.

#include "ChooseFilesPage.h"
#include "CliTestKit.h"
#include "FileChooserList.h"
#include "FileNameBytes.h"
#include "FindControl.h"
#include "FolderChooserList.h"
#include "GoRunTestKit.h"
#include "KestravaForm.h"
#include "MediaFiles.h"
#include "PreviewPage.h"
#include "PreviewProblemsDialog.h"
#include "RunController.h"
#include "RunSimulation.h"
#include "RunTestKit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHelpEvent>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QThreadPool>
#include <QToolTip>

#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <memory>

using namespace kestrava;
using namespace kestrava::testing;

namespace {

using Outcome = SimulatedOutcome;
// Old name of a marked file and what becomes of it.
using Marks = QMap<QString, SimulatedFile>;

// The reason a marked line shows, as the look ahead words it.
QString expectedReason(const SimulatedFile &file)
{
    switch (file.outcome) {
    case Outcome::NotComputable: // the one failure is a counter past 9999
        return QStringLiteral("The counter is past 9999, so the new name cannot be computed");
    case Outcome::NameTaken:
        return QStringLiteral("File exists");
    case Outcome::NameTakenByRun:
        return QStringLiteral("File exists: an earlier file takes this name first");
    case Outcome::ReadOnlySkipped:
        return QStringLiteral("Read-only, and read-only files are ignored");
    case Outcome::Unchanged:
        return QStringLiteral("The new name is the same as the old one");
    default:
        return file.becomesHidden ? QStringLiteral("The new name starts with a dot: the file will be hidden")
                                  : QString();
    }
}

enum class Rules { RemoveUnderscores, CounterFrom9999, CounterFrom1, PrefixText, RegexSwap, RemoveUnderscoresNumbered };

// Names go to the system byte for byte, whatever their encoding.
bool createFile(const QString &path)
{
    const int fd = ::open(fileNameToBytes(path).constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    return fd >= 0 && ::close(fd) == 0;
}

bool fileExists(const QString &path)
{
    return ::access(fileNameToBytes(path).constData(), F_OK) == 0;
}

// The names of \a folder as the boxes show them, read by their bytes: QDir
// leaves out a name that is not UTF-8.
QStringList shownNamesIn(const QString &folder)
{
    QStringList names;
    if (DIR *listing = ::opendir(fileNameToBytes(folder).constData())) {
        while (const dirent *entry = ::readdir(listing)) {
            if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                names.append(displayFileName(fileNameFromBytes(entry->d_name)));
        }
        ::closedir(listing);
    }
    names.sort();
    return names;
}

} // namespace

Q_DECLARE_METATYPE(Rules)

class TestPreviewMarks : public QObject
{
    Q_OBJECT

private:
    template<typename T = QWidget>
    T *control(const char *name) const
    {
        return kestrava::testing::requiredControl<T>(m_form.get(), QString::fromUtf8(name));
    }
    QString root() const { return m_dir->path(); }
    void showTab(KestravaForm::Tab tab) { m_form->SSTabStrip()->setCurrentIndex(int(tab)); }
    // Presses Start on the Go tab and gives the log of renamed files oldest first
    // (the log shows the newest first).
    QStringList startAndListRenamed()
    {
        showTab(KestravaForm::Tab::Go);
        control<QPushButton>("StartButton")->click();
        QStringList renamed =
            control<QPlainTextEdit>("txtFilesModified")->toPlainText().split(u'\n', Qt::SkipEmptyParts);
        std::reverse(renamed.begin(), renamed.end());
        return renamed;
    }
    // Enters the preview and waits until its look ahead is shown; false when
    // it never finishes.
    [[nodiscard]] bool showPreview()
    {
        QSignalSpy shown(m_form->previewPage(), &PreviewPage::lookAheadShown);
        showTab(KestravaForm::Tab::SetOptions);
        showTab(KestravaForm::Tab::PreviewResults);
        return shown.wait(10000) && !m_form->previewPage()->isLookingAhead();
    }
    void applyRules(Rules rules);
    QStringList lines(const char *box) const
    {
        QStringList lines = control<QPlainTextEdit>(box)->toPlainText().split(u'\n');
        lines.removeLast();
        return lines;
    }
    // The line of the new-name box each extra selection covers, with its tooltip.
    QMap<int, QString> markedLines() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QTemporaryDir> m_state;
    std::unique_ptr<KestravaForm> m_form;
    HookedPrompt m_prompt;

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_state = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid() && m_state->isValid());
        // A run through the window writes an undo journal.
        qputenv("XDG_STATE_HOME", QFile::encodeName(m_state->path()));
        m_form = std::make_unique<KestravaForm>();
        m_form->show();
        m_prompt = HookedPrompt();
        m_form->runController()->setPrompt(&m_prompt);
    }
    void cleanup()
    {
        m_form.reset();
        removeFilesByBytes(root()); // QTemporaryDir cannot name a file that is not UTF-8
        m_dir.reset();
        m_state.reset();
    }

    void marksSummaryAndRunAgree_data();
    void marksSummaryAndRunAgree();
    void treeSummaryCountsProblemsInSubFolders();
    void patternErrorMarksEveryFileAndRenamesNothing();
    void marksOfABigFolderFollowTheView_data();
    void marksOfABigFolderFollowTheView();
    void namesThatBreakALineKeepTheBoxesLineForLine();
    void fileTypeBoxFiltersByExactlyWhatWasTyped();
    void newerPreviewDropsTheOlderLookAhead_data();
    void newerPreviewDropsTheOlderLookAhead();
    void closingTheWindowLeavesTheLookAheadUnseen();
    void previewFilledInPartsMarksAsOneGo_data();
    void previewFilledInPartsMarksAsOneGo();
    void previewRunAndCommandLineNumberAlike_data();
    void previewRunAndCommandLineNumberAlike();
    void detailsListSortsAndFilters_data();
    void detailsListSortsAndFilters();
    void namesFromTheFilesAlike_data();
    void namesFromTheFilesAlike();
    void runRereadsAFileChangedSinceThePreview();

private:
    // Three photos and four music files, every one modified at 2020-05-06
    // 07:08:09 on the local clock.
    void makePhotosAndMusic();
};

void TestPreviewMarks::applyRules(Rules rules)
{
    switch (rules) {
    case Rules::RemoveUnderscores:
        control<QRadioButton>("optRemoveUnderscores")->setChecked(true);
        break;
    case Rules::CounterFrom9999:
    case Rules::CounterFrom1:
        control<QCheckBox>("chkPrefixCounter")->setChecked(true);
        control<QLineEdit>("txtPrefixCount")
            ->setText(rules == Rules::CounterFrom1 ? QStringLiteral("0001") : QStringLiteral("9999"));
        break;
    case Rules::PrefixText:
        control<QCheckBox>("chkPrefixName")->setChecked(true);
        control<QLineEdit>("txtPrefixText")->setText(QStringLiteral("new_"));
        break;
    case Rules::RegexSwap:
        control<QCheckBox>("chkFindRegex")->setChecked(true);
        control<QLineEdit>("txtFindText")->setText(QStringLiteral("^(\\w)_(\\w)$"));
        control<QLineEdit>("txtReplaceText")->setText(QStringLiteral("$2_$1"));
        break;
    case Rules::RemoveUnderscoresNumbered:
        control<QRadioButton>("optRemoveUnderscores")->setChecked(true);
        control<QComboBox>("cmbWhenTaken")->setCurrentIndex(1);
        break;
    }
}

QMap<int, QString> TestPreviewMarks::markedLines() const
{
    auto *box = control<QPlainTextEdit>("txtFilesPreviewNew");
    QMap<int, QString> marked;
    for (const QTextEdit::ExtraSelection &selection : box->extraSelections()) {
        // The line a position is on: the lines before it, in the grouped paragraphs too.
        const QString text = box->toPlainText();
        const int line = int(text.left(selection.cursor.selectionStart()).count(u'\n'));
        // A mark covers its line and no more.
        if (selection.cursor.hasSelection())
            [&] { QVERIFY(!selection.cursor.selectedText().contains(QChar::LineSeparator)); }();
        marked.insert(line, selection.format.property(QTextFormat::TextToolTip).toString());
    }
    return marked;
}

void TestPreviewMarks::marksSummaryAndRunAgree_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<Rules>("rules");
    QTest::addColumn<QStringList>("readOnly");
    QTest::addColumn<Marks>("marks");
    QTest::addColumn<QString>("summary");

    const auto file = [](Outcome outcome, bool hidden = false) { return SimulatedFile{outcome, hidden}; };
    QTest::newRow("taken, taken by the run, unchanged, hidden")
        << QStringList{"_.txt", "a_b.txt", "ab.txt", "c_d.txt", "cd_.txt", "e_f.txt"} << Rules::RemoveUnderscores
        << QStringList{}
        << Marks{{"_.txt", file(Outcome::Renamed, true)},
                 {"a_b.txt", file(Outcome::NameTaken)},
                 {"ab.txt", file(Outcome::Unchanged)},
                 {"cd_.txt", file(Outcome::NameTakenByRun)}}
        << QStringLiteral("3 of 6 files will not be renamed (1 name taken, 1 name taken by an earlier file, "
                          "1 unchanged); 1 will become hidden");
    QTest::newRow("counter past 9999")
        << QStringList{"a.txt", "b.txt", "c.txt"} << Rules::CounterFrom9999 << QStringList{}
        << Marks{{"b.txt", file(Outcome::NotComputable)}, {"c.txt", file(Outcome::NotComputable)}}
        << QStringLiteral("2 of 3 files will not be renamed (2 names cannot be computed)");
    // 0002_a.txt moves away first, and a.txt then takes the name it freed.
    QTest::newRow("a chain is not marked") << QStringList{"0002_a.txt", "a.txt"} << Rules::CounterFrom1 << QStringList{}
                                           << Marks{} << QStringLiteral("All 2 files will be renamed");
    // Each takes the other's name: one goes aside under a temporary name first.
    QTest::newRow("a swap is not marked") << QStringList{"a_b.txt", "b_a.txt"} << Rules::RegexSwap << QStringList{}
                                          << Marks{} << QStringLiteral("All 2 files will be renamed");
    // The box shows the numbered name the run gives.
    QTest::newRow("a taken name numbered")
        << QStringList{"a_b.txt", "ab.txt", "ab (2).txt"} << Rules::RemoveUnderscoresNumbered << QStringList{}
        << Marks{{"ab.txt", file(Outcome::Unchanged)}, {"ab (2).txt", file(Outcome::Unchanged)}}
        << QStringLiteral("2 of 3 files will not be renamed (2 unchanged)");
    QTest::newRow("read-only skipped by choice")
        << QStringList{"a.txt", "locked.txt"} << Rules::PrefixText << QStringList{"locked.txt"}
        << Marks{{"locked.txt", file(Outcome::ReadOnlySkipped)}}
        << QStringLiteral("1 of 2 files will not be renamed (1 read-only file skipped)");
    // Without the underscore the two bytes spell "\u00E9": the disk compares bytes, and those are taken.
    QTest::newRow("bytes joined into a name taken")
        << QStringList{fileNameFromBytes("bad\xc3_\xa9.txt"), QStringLiteral("bad\u00E9.txt")}
        << Rules::RemoveUnderscores << QStringList{}
        << Marks{{"bad\uFFFD_\uFFFD.txt", file(Outcome::NameTaken)}, {"bad\u00E9.txt", file(Outcome::Unchanged)}}
        << QStringLiteral("2 of 2 files will not be renamed (1 name taken, 1 unchanged)");
}

void TestPreviewMarks::marksSummaryAndRunAgree()
{
    QFETCH(QStringList, files);
    QFETCH(Rules, rules);
    QFETCH(QStringList, readOnly);
    QFETCH(Marks, marks);
    QFETCH(QString, summary);
    for (const QString &name : files)
        QVERIFY(createFile(root() + u'/' + name));
    for (const QString &name : readOnly)
        QVERIFY(QFile::setPermissions(root() + u'/' + name, QFile::ReadOwner));
    QVERIFY(m_form->folderList()->setPath(root()));
    control<QCheckBox>("chkIgnoreReadOnly")->setChecked(!readOnly.isEmpty());
    applyRules(rules);
    QVERIFY(showPreview());

    // Each marked file on its own line, with its reason as the tooltip.
    const QStringList before = lines("txtFilesPreview");
    QCOMPARE(before.size(), files.size());
    QMap<int, QString> expected;
    for (auto it = marks.cbegin(); it != marks.cend(); ++it) {
        const int line = int(before.indexOf(it.key()));
        QVERIFY2(line >= 0, qPrintable(it.key()));
        expected.insert(line, expectedReason(it.value()));
    }
    QCOMPARE(markedLines(), expected);
    // Resting the pointer on a marked line shows its reason.
    auto *box = control<QPlainTextEdit>("txtFilesPreviewNew");
    for (const QTextEdit::ExtraSelection &selection : box->extraSelections()) {
        QTextCursor start(box->document());
        start.setPosition(selection.cursor.selectionStart());
        const QPoint pointer = box->cursorRect(start).center() + QPoint(2, 0);
        QHelpEvent rest(QEvent::ToolTip, pointer, box->viewport()->mapToGlobal(pointer));
        QApplication::sendEvent(box->viewport(), &rest);
        QCOMPARE(QToolTip::text(), selection.format.property(QTextFormat::TextToolTip).toString());
    }
    QCOMPARE(control<QLabel>("lblPreviewProblems")->text(), summary);
    // A line left empty (no new name) is coloured across the box like any other mark.
    const QImage shown = box->viewport()->grab().toImage();
    for (const QTextEdit::ExtraSelection &selection : box->extraSelections()) {
        if (selection.cursor.hasSelection())
            continue;
        const QPoint middle(shown.width() / 2, box->cursorRect(selection.cursor).center().y());
        QCOMPARE(shown.pixelColor(middle * shown.devicePixelRatio()), selection.format.background().color());
    }

    // The list beside the summary holds exactly the marked files.
    auto *details = control<QPushButton>("cmdPreviewProblems");
    QCOMPARE(details->isEnabled(), !marks.isEmpty());
    if (details->isEnabled()) {
        details->click();
        QVERIFY(m_form->previewPage()->problemsDialog());
        // Unchanged files are listed on request.
        m_form->previewPage()->problemsDialog()->showUnchangedBox()->setChecked(true);
        QAbstractItemModel *table = m_form->previewPage()->problemsDialog()->table()->model();
        QStringList listed;
        for (int row = 0; row < table->rowCount(); ++row)
            listed << table->index(row, 1).data().toString();
        QCOMPARE(QSet<QString>(listed.cbegin(), listed.cend()), QSet<QString>(marks.keyBegin(), marks.keyEnd()));
        m_form->previewPage()->problemsDialog()->close();
    }

    // The run renames exactly the unmarked files (and the warned one) and logs
    // each problem that was not the user's choice.
    const QStringList newNames = lines("txtFilesPreviewNew");
    showTab(KestravaForm::Tab::Go);
    control<QPushButton>("StartButton")->click();
    const QStringList after = shownNamesIn(root());
    QCOMPARE(after.size(), files.size());
    int logged = 0;
    for (qsizetype line = 0; line < before.size(); ++line) {
        const Outcome outcome = marks.value(before.at(line), SimulatedFile{}).outcome;
        QVERIFY2(after.contains(outcome == Outcome::Renamed ? newNames.at(line) : before.at(line)),
                 qPrintable(before.at(line)));
        logged += outcome != Outcome::Renamed && outcome != Outcome::Unchanged && outcome != Outcome::ReadOnlySkipped;
    }
    QCOMPARE(control<QListView>("lstErrorLog")->model()->rowCount(), logged);
    for (const QString &name : readOnly)
        QVERIFY(QFile::setPermissions(root() + u'/' + name, QFile::ReadOwner | QFile::WriteOwner));
}

void TestPreviewMarks::patternErrorMarksEveryFileAndRenamesNothing()
{
    for (const char *name : {"a.txt", "b.txt"})
        QVERIFY(writeFile(root() + u'/' + QString::fromUtf8(name)));
    QVERIFY(m_form->folderList()->setPath(root()));
    control<QCheckBox>("chkFindRegex")->setChecked(true);
    control<QLineEdit>("txtFindText")->setText(QStringLiteral("(ab"));
    QVERIFY(showPreview());
    const QString error = QStringLiteral("Pattern error at 3: missing closing parenthesis");
    QCOMPARE(markedLines(), (QMap<int, QString>{{0, error}, {1, error}}));
    QCOMPARE(control<QLabel>("lblPreviewProblems")->text(),
             QStringLiteral("2 of 2 files will not be renamed (2 names cannot be computed)"));
    showTab(KestravaForm::Tab::Go);
    control<QPushButton>("StartButton")->click();
    QCOMPARE(namesIn(root()), QStringList({"a.txt", "b.txt"}));
    QAbstractItemModel *log = control<QListView>("lstErrorLog")->model();
    QCOMPARE(log->rowCount(), 1);
    QCOMPARE(log->index(0, 0).data().toString(), QStringLiteral("No file is renamed: ") + error);
}

void TestPreviewMarks::treeSummaryCountsProblemsInSubFolders()
{
    QVERIFY(QDir(root()).mkpath(QStringLiteral("sub/deeper")));
    for (const char *name : {"a_1.txt", "sub/b_2.txt", "sub/deeper/c_3.txt", "sub/deeper/c3.txt"})
        QVERIFY(writeFile(root() + u'/' + QString::fromUtf8(name)));
    QVERIFY(m_form->folderList()->setPath(root()));
    control<QRadioButton>("optAllFiles")->setChecked(true);
    applyRules(Rules::RemoveUnderscores);
    QSignalSpy shown(m_form->previewPage(), &PreviewPage::lookAheadShown);
    QVERIFY(showPreview());
    // The boxes keep to the current folder; the summary walks the tree.
    QCOMPARE(lines("txtFilesPreview"), QStringList{"a_1.txt"});
    QCOMPARE(shown.count(), 1);
    QCOMPARE(control<QLabel>("lblPreviewProblems")->text(),
             QStringLiteral("2 of 4 files in this folder and its sub-folders will not be renamed "
                            "(1 name taken, 1 unchanged)"));
    control<QPushButton>("cmdPreviewProblems")->click();
    PreviewProblemsDialog *details = m_form->previewPage()->problemsDialog();
    QAbstractItemModel *table = details->table()->model();
    // The name taken; the unchanged file only on request, after it.
    QCOMPARE(table->rowCount(), 1);
    QCOMPARE(table->index(0, 0).data().toString(), root() + QStringLiteral("/sub/deeper/"));
    QCOMPARE(table->index(0, 1).data().toString(), QStringLiteral("c_3.txt"));
    details->showUnchangedBox()->setChecked(true);
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->index(1, 1).data().toString(), QStringLiteral("c3.txt"));
    // A deep folder is cut in the middle, and its tooltip has it whole.
    QCOMPARE(details->table()->textElideMode(), Qt::ElideMiddle);
    QCOMPARE(table->index(1, 0).data(Qt::ToolTipRole).toString(), root() + QStringLiteral("/sub/deeper/"));
}

// Every file unchanged: the box holds marks for the lines in view, whatever
// part of the folder is shown, and every line's reason shows.
void TestPreviewMarks::marksOfABigFolderFollowTheView_data()
{
    QTest::addColumn<bool>("byKeyboard");
    QTest::newRow("scroll bar moved to the end") << false;
    // The box scrolls without a signal from its scroll bar.
    QTest::newRow("Ctrl+End in the box") << true;
}

void TestPreviewMarks::marksOfABigFolderFollowTheView()
{
    QFETCH(bool, byKeyboard);
    constexpr int files = 500;
    for (int i = 0; i < files; ++i)
        QVERIFY(writeFile(root() + QStringLiteral("/file%1.txt").arg(i, 3, 10, QLatin1Char('0'))));
    QVERIFY(m_form->folderList()->setPath(root()));
    QVERIFY(showPreview());
    QCOMPARE(control<QLabel>("lblPreviewProblems")->text(),
             QStringLiteral("500 of 500 files will not be renamed (500 unchanged)"));
    auto *box = control<QPlainTextEdit>("txtFilesPreviewNew");
    if (byKeyboard) {
        m_form->show();
        box->setFocus();
        QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
    } else {
        box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
    }
    const QMap<int, QString> marked = markedLines();
    QVERIFY(!marked.isEmpty() && marked.size() < files);
    QVERIFY(marked.contains(files - 1));
    QTextCursor last(box->document());
    last.movePosition(QTextCursor::End);
    last.movePosition(QTextCursor::PreviousCharacter);
    const QPoint pointer = box->cursorRect(last).center();
    QHelpEvent rest(QEvent::ToolTip, pointer, box->viewport()->mapToGlobal(pointer));
    QApplication::sendEvent(box->viewport(), &rest);
    QCOMPARE(QToolTip::text(), QStringLiteral("The new name is the same as the old one"));
}

void TestPreviewMarks::namesThatBreakALineKeepTheBoxesLineForLine()
{
    const QString longest = QStringLiteral("long ") + QString(246, u'x') + QStringLiteral(".txt"); // 255 bytes
    const QStringList names{QStringLiteral("a b.txt"),
                            QStringLiteral("new\nline.txt"),
                            QStringLiteral("para\u2029graph.txt"),
                            fileNameFromBytes("caf\xe9 menu.txt"),
                            longest,
                            QStringLiteral("invoice\u202Etxt.exe")};
    for (const QString &name : names)
        QVERIFY(createFile(root() + u'/' + name));
    QVERIFY(m_form->folderList()->setPath(root()));
    control<QRadioButton>("optSpacesToUnderscores")->setChecked(true);
    QVERIFY(showPreview());
    const QStringList before = lines("txtFilesPreview");
    QCOMPARE(before.size(), names.size());
    QCOMPARE(lines("txtFilesPreviewNew").size(), names.size());
    QVERIFY(before.contains(QStringLiteral("new\u240Aline.txt")));
    QVERIFY(before.contains(QStringLiteral("caf\uFFFD menu.txt")));
    QVERIFY(before.contains(QStringLiteral("invoice\u27E8RLO\u27E9txt.exe")));
    QVERIFY(lines("txtFilesPreviewNew").contains(QStringLiteral("caf\uFFFD_menu.txt")));
    // The longest name takes one line of each box, however narrow: neither box wraps.
    for (const char *name : {"txtFilesPreview", "txtFilesPreviewNew"}) {
        auto *box = control<QPlainTextEdit>(name);
        QTextCursor start(box->document());
        start.setPosition(int(box->toPlainText().indexOf(QString(246, u'x'))));
        QTextCursor end = start;
        end.setPosition(start.position() + 246);
        QVERIFY(box->cursorRect(start).right() < box->cursorRect(end).left());
        QCOMPARE(box->cursorRect(start).top(), box->cursorRect(end).top());
    }
    // The lists show the stand-ins too; the run still works with the real names.
    QAbstractItemModel *file1 = control<QListView>("File1")->model();
    QStringList listed;
    for (int row = 0; row < file1->rowCount(); ++row)
        listed << file1->index(row, 0).data().toString();
    QVERIFY(listed.contains(QStringLiteral("new\u240Aline.txt")));
    showTab(KestravaForm::Tab::Go);
    control<QPushButton>("StartButton")->click();
    QVERIFY(fileExists(root() + QStringLiteral("/new\nline.txt")));
    QVERIFY(fileExists(root() + u'/' + fileNameFromBytes("caf\xe9_menu.txt")));
    QVERIFY(fileExists(root() + QStringLiteral("/a_b.txt")));
    QVERIFY(fileExists(root() + QStringLiteral("/long_") + QString(246, u'x') + QStringLiteral(".txt")));
    // QTemporaryDir cannot name the file that is not UTF-8 to remove it.
    QCOMPARE(::unlink(QByteArray(fileNameToBytes(root()) + "/caf\xe9_menu.txt").constData()), 0);
}

void TestPreviewMarks::fileTypeBoxFiltersByExactlyWhatWasTyped()
{
    for (const char *name : {"song.MP3", "movie.M", "notes.txt"})
        QVERIFY(writeFile(root() + u'/' + QString::fromUtf8(name)));
    QVERIFY(m_form->folderList()->setPath(root()));
    auto *combo = control<QComboBox>("FileSpecCombo");
    combo->lineEdit()->clear();
    combo->setFocus();
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("*.M"));
    QCOMPARE(combo->currentText(), QStringLiteral("*.M"));
    QCOMPARE(m_form->fileList()->pattern(), QStringLiteral("*.M"));
}

using MarkedLines = QMap<int, QString>;

void TestPreviewMarks::newerPreviewDropsTheOlderLookAhead_data()
{
    QTest::addColumn<bool>("otherFolder");
    QTest::addColumn<MarkedLines>("marked");
    QTest::addColumn<QString>("summary");
    const QString unchanged = QStringLiteral("The new name is the same as the old one");
    QTest::newRow("the folder changed") << true << MarkedLines{{0, unchanged}}
                                        << QStringLiteral("1 of 1 file will not be renamed (1 unchanged)");
    QTest::newRow("an option changed") << false << MarkedLines{} << QStringLiteral("All 2 files will be renamed");
}

// Both previews are shown before the first look ahead can report (its result
// arrives through the event loop): the marks and the summary are the newer ones.
void TestPreviewMarks::newerPreviewDropsTheOlderLookAhead()
{
    QFETCH(bool, otherFolder);
    QFETCH(MarkedLines, marked);
    QFETCH(QString, summary);
    QVERIFY(QDir(root()).mkpath(QStringLiteral("other")));
    for (const char *name : {"a_1.txt", "b_2.txt", "other/c3.txt"})
        QVERIFY(writeFile(root() + u'/' + QString::fromUtf8(name)));
    QVERIFY(m_form->folderList()->setPath(root()));
    PreviewPage *page = m_form->previewPage();
    QSignalSpy shown(page, &PreviewPage::lookAheadShown);
    PreviewLookAhead lookAhead;
    lookAhead.folder = root();
    page->ShowFilesPreview(*m_form->fileList(), *m_form->optionsPage(), lookAhead);
    QVERIFY(page->isLookingAhead());
    QCOMPARE(control<QLabel>("lblPreviewProblems")->text(), QStringLiteral("Looking through the folder ..."));
    QVERIFY(!control<QPushButton>("cmdPreviewProblems")->isEnabled());
    if (otherFolder) {
        lookAhead.folder = root() + QStringLiteral("/other");
        QVERIFY(m_form->folderList()->setPath(lookAhead.folder));
    } else {
        applyRules(Rules::RemoveUnderscores);
    }
    page->ShowFilesPreview(*m_form->fileList(), *m_form->optionsPage(), lookAhead);
    QVERIFY(shown.wait(10000));
    // The older job is given up but still finishes: let it, and any late report arrive.
    QVERIFY(QThreadPool::globalInstance()->waitForDone(10000));
    QCoreApplication::processEvents();
    QCOMPARE(shown.count(), 1);
    QVERIFY(!page->isLookingAhead());
    QCOMPARE(markedLines(), marked);
    QCOMPARE(control<QLabel>("lblPreviewProblems")->text(), summary);
    QCOMPARE(control<QPushButton>("cmdPreviewProblems")->isEnabled(), !marked.isEmpty());
}

// The job owns its copies: the window may go while it reads the folder.
void TestPreviewMarks::closingTheWindowLeavesTheLookAheadUnseen()
{
    for (int i = 0; i < 200; ++i)
        QVERIFY(writeFile(root() + QStringLiteral("/file%1.txt").arg(i)));
    QVERIFY(m_form->folderList()->setPath(root()));
    showTab(KestravaForm::Tab::PreviewResults);
    QVERIFY(m_form->previewPage()->isLookingAhead());
    m_form.reset();
    QVERIFY(QThreadPool::globalInstance()->waitForDone(10000));
    QCoreApplication::processEvents();
    QCOMPARE(namesIn(root()).size(), 200);
}

void TestPreviewMarks::previewFilledInPartsMarksAsOneGo_data()
{
    QTest::addColumn<Rules>("rules");
    QTest::addColumn<bool>("wholeTree");
    QTest::addColumn<int>("namesAtOnce");
    QTest::newRow("in parts past 1 entry") << Rules::RemoveUnderscores << false << 1;
    QTest::newRow("in parts past 3 entries") << Rules::RemoveUnderscores << false << 3;
    QTest::newRow("counter past 9999, in parts past 2 entries") << Rules::CounterFrom9999 << false << 2;
    QTest::newRow("sub-folders, in parts past 2 entries") << Rules::RemoveUnderscores << true << 2;
    QTest::newRow("taken names numbered, in parts past 2 entries") << Rules::RemoveUnderscoresNumbered << false << 2;
    QTest::newRow("taken names numbered, sub-folders, in parts past 3 entries")
        << Rules::RemoveUnderscoresNumbered << true << 3;
}

void TestPreviewMarks::previewFilledInPartsMarksAsOneGo()
{
    QFETCH(Rules, rules);
    QFETCH(bool, wholeTree);
    QFETCH(int, namesAtOnce);
    // Names taken by an entry and by an earlier file, an unchanged one and renamed ones.
    for (const char *name : {"a_1.txt", "a1.txt", "b_2.txt", "c_3.txt", "c__3.txt", "d.txt", "e_5.txt"})
        QVERIFY(writeFile(root() + u'/' + QString::fromUtf8(name)));
    QVERIFY(QDir(root()).mkpath(QStringLiteral("sub")));
    QVERIFY(writeFile(root() + QStringLiteral("/sub/f_6.txt")));
    QVERIFY(m_form->folderList()->setPath(root()));
    if (wholeTree)
        control<QRadioButton>("optAllFiles")->setChecked(true);
    applyRules(rules);
    QVERIFY(showPreview());
    const QStringList before = lines("txtFilesPreview");
    const QStringList after = lines("txtFilesPreviewNew");
    const QMap<int, QString> marks = markedLines();
    const QString summary = control<QLabel>("lblPreviewProblems")->text();
    QVERIFY(!marks.isEmpty());

    // In parts, the boxes fill from the event loop; the marks come once both are full.
    PreviewPage *page = m_form->previewPage();
    page->setNamesAtOnce(namesAtOnce);
    QSignalSpy filled(page, &PreviewPage::filesPreviewShown);
    QSignalSpy marked(page, &PreviewPage::lookAheadShown);
    showTab(KestravaForm::Tab::SetOptions);
    showTab(KestravaForm::Tab::PreviewResults);
    QCOMPARE(filled.count(), 0);
    QCOMPARE(control<QPlainTextEdit>("txtFilesPreview")->toPlainText(), QString());
    QVERIFY(marked.wait(10000));
    QVERIFY(!page->isLookingAhead());
    QCOMPARE(filled.count(), 1);
    QCOMPARE(lines("txtFilesPreview"), before);
    QCOMPARE(lines("txtFilesPreviewNew"), after);
    QCOMPARE(markedLines(), marks);
    QCOMPARE(control<QLabel>("lblPreviewProblems")->text(), summary);
}

void TestPreviewMarks::previewRunAndCommandLineNumberAlike_data()
{
    // Four files, each modified some minutes back and of some size:
    // img1 (1 minute, 30 bytes), img10 (2, 10), img2 (3, 20) and IMG3 (4, 40).
    QTest::addColumn<int>("order"); // the entry of cmbNumberOrder
    QTest::addColumn<bool>("reverse");
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QStringList>("cli");      // the same choices on the command line
    QTest::addColumn<QStringList>("newNames"); // in the preview's order
    QTest::newRow("name") << 0 << false << "1"
                          << "4" << QStringList{}
                          << QStringList{"0001_img1.txt", "0002_img10.txt", "0003_img2.txt", "0004_IMG3.txt"};
    QTest::newRow("natural") << 1 << false << "1"
                             << "4" << QStringList{"--order", "natural"}
                             << QStringList{"0001_img1.txt", "0002_img2.txt", "0003_IMG3.txt", "0004_img10.txt"};
    QTest::newRow("natural, last first") << 1 << true << "1"
                                         << "4" << QStringList{"--order=natural", "--reverse"}
                                         << QStringList{"0001_img10.txt", "0002_IMG3.txt", "0003_img2.txt",
                                                        "0004_img1.txt"};
    QTest::newRow("date modified") << 2 << false << "1"
                                   << "4" << QStringList{"--order", "modified"}
                                   << QStringList{"0001_IMG3.txt", "0002_img2.txt", "0003_img10.txt", "0004_img1.txt"};
    QTest::newRow("size, step 5 in five digits")
        << 3 << false << "5"
        << "5" << QStringList{"--order", "size", "--counter-step", "5", "--counter-digits", "5"}
        << QStringList{"00001_img10.txt", "00006_img2.txt", "00011_img1.txt", "00016_IMG3.txt"};
    QTest::newRow("name, last first, one digit")
        << 0 << true << "4"
        << "1" << QStringList{"--reverse", "--counter-step=4", "--counter-digits=1"}
        << QStringList{"1_IMG3.txt", "5_img2.txt", "9_img10.txt", ""};
}

// A run keeps every name its preview showed, in the preview's order, and the
// command line's dry run gives the same names in the same order.
void TestPreviewMarks::previewRunAndCommandLineNumberAlike()
{
    QFETCH(int, order);
    QFETCH(bool, reverse);
    QFETCH(QString, step);
    QFETCH(QString, digits);
    QFETCH(QStringList, cli);
    QFETCH(QStringList, newNames);
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    for (const auto &[name, minutes, size] : {std::tuple{"img1.txt", 1, 30}, std::tuple{"img10.txt", 2, 10},
                                              std::tuple{"img2.txt", 3, 20}, std::tuple{"IMG3.txt", 4, 40}}) {
        const QString path = root() + u'/' + QString::fromUtf8(name);
        QVERIFY(writeFile(path, QByteArray(size, 'x')));
        const timespec times[2] = {{now, 0}, {now - minutes * 60, 0}};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
    }
    QVERIFY(m_form->folderList()->setPath(root()));
    control<QCheckBox>("chkPrefixCounter")->setChecked(true);
    control<QComboBox>("cmbNumberOrder")->setCurrentIndex(order);
    control<QCheckBox>("chkNumberReverse")->setChecked(reverse);
    control<QLineEdit>("txtCounterStep")->setText(step);
    control<QLineEdit>("txtCounterDigits")->setText(digits);
    QVERIFY(showPreview());
    QStringList oldNames;
    for (const QString &name : newNames)
        oldNames << name.sliced(name.indexOf(u'_') + 1);
    if (newNames.last().isEmpty())
        oldNames.last() = QStringLiteral("img1.txt"); // the one counter past its digits
    QCOMPARE(lines("txtFilesPreview"), oldNames);
    QCOMPARE(lines("txtFilesPreviewNew"), newNames);

    const CliOutput dryRun = runKestravaCli(root(), m_state->path(), QDate(2026, 3, 9),
                                            cli + QStringList{"--prefix-counter", "1", "--json", "."}, {});
    QList<QJsonObject> objects = dryRun.json();
    QCOMPARE(objects.size(), newNames.size() + 1);
    for (qsizetype i = 0; i < newNames.size(); ++i) {
        QCOMPARE(objects.at(i).value("old").toString(), oldNames.at(i));
        QCOMPARE(objects.at(i).value("new").toString(), newNames.at(i));
    }

    const QStringList renamed = startAndListRenamed();
    QStringList expected = newNames;
    expected.removeAll(QString());
    QCOMPARE(renamed, expected);
    if (newNames.last().isEmpty())
        expected << oldNames.last();
    expected.sort();
    QCOMPARE(namesIn(root()), expected);
}

void TestPreviewMarks::detailsListSortsAndFilters_data()
{
    QTest::addColumn<int>("column"); // -1 for the list's own order
    QTest::addColumn<Qt::SortOrder>("order");
    QTest::addColumn<QString>("filter"); // as typed into the filter box
    QTest::addColumn<bool>("unchanged");
    QTest::addColumn<QStringList>("oldNames");
    const auto up = Qt::AscendingOrder;
    const auto down = Qt::DescendingOrder;
    // " .txt" becomes hidden, "a b.txt" and "c d.txt" find their names taken, the rest are unchanged.
    QTest::newRow("problems first") << -1 << up << "" << false << QStringList{"a b.txt", "c d.txt", " .txt"};
    QTest::newRow("unchanged on request")
        << -1 << up << "" << true << QStringList{"a b.txt", "c d.txt", " .txt", "ab.txt", "cd.txt", "e.txt"};
    QTest::newRow("by old name, down") << 1 << down << "" << false << QStringList{"c d.txt", "a b.txt", " .txt"};
    QTest::newRow("by new name, ties in the list's order")
        << 2 << up << "" << true << QStringList{" .txt", "a b.txt", "ab.txt", "c d.txt", "cd.txt", "e.txt"};
    QTest::newRow("by reason, down") << 3 << down << "" << false << QStringList{" .txt", "a b.txt", "c d.txt"};
    QTest::newRow("by folder keeps the list's order")
        << 0 << up << "" << false << QStringList{"a b.txt", "c d.txt", " .txt"};
    QTest::newRow("filter on the old name") << -1 << up << "c d" << false << QStringList{"c d.txt"};
    QTest::newRow("filter on the reason, any case")
        << -1 << up << "EXISTS" << false << QStringList{"a b.txt", "c d.txt"};
    QTest::newRow("filter on the new name, unchanged too")
        << -1 << up << "cd." << true << QStringList{"c d.txt", "cd.txt"};
    QTest::newRow("filter and sort") << 1 << down << ".txt" << true
                                     << QStringList{"e.txt", "cd.txt", "c d.txt", "ab.txt", "a b.txt", " .txt"};
    QTest::newRow("filter matching nothing") << -1 << up << "zzz" << true << QStringList{};
}

void TestPreviewMarks::detailsListSortsAndFilters()
{
    QFETCH(int, column);
    QFETCH(Qt::SortOrder, order);
    QFETCH(QString, filter);
    QFETCH(bool, unchanged);
    QFETCH(QStringList, oldNames);
    for (const char *name : {" .txt", "a b.txt", "ab.txt", "c d.txt", "cd.txt", "e.txt"})
        QVERIFY(writeFile(root() + u'/' + QString::fromUtf8(name)));
    QVERIFY(m_form->folderList()->setPath(root()));
    control<QRadioButton>("optRemoveSpaces")->setChecked(true);
    QVERIFY(showPreview());
    control<QPushButton>("cmdPreviewProblems")->click();
    PreviewProblemsDialog *details = m_form->previewPage()->problemsDialog();
    QVERIFY(details);
    details->showUnchangedBox()->setChecked(unchanged);
    QTest::keyClicks(details->filterBox(), filter);
    if (column >= 0)
        details->table()->sortByColumn(column, order);
    QAbstractItemModel *table = details->table()->model();
    QStringList listed;
    for (int row = 0; row < table->rowCount(); ++row)
        listed << table->index(row, 1).data().toString();
    QCOMPARE(listed, oldNames);
}

QTEST_MAIN(TestPreviewMarks)
#include "tst_previewmarks.moc"

void TestPreviewMarks::makePhotosAndMusic()
{
    const auto at = [this](const char *name) -> QString { return root() + u'/' + QString::fromUtf8(name); };
    makePhoto(at("bare.jpg"), {});
    makePhoto(at("datetime-only.jpg"), {{"Exif.Image.DateTime", "2020:02:02 02:02:02"}});
    makePhoto(at("digitized.jpg"), {{"Exif.Photo.DateTimeDigitized", "2018:03:04 05:06:07"}});
    // An editor saved it later: the date it was taken still wins.
    makePhoto(at("dto.jpg"),
              {{"Exif.Photo.DateTimeOriginal", "2019:07:14 10:11:12"},
               {"Exif.Image.DateTime", "2021:01:01 00:00:00"},
               {"Exif.Image.Make", "Canon"},
               {"Exif.Image.Model", "Canon EOS 5D"}});
    writeBytes(at("blank.mp3"), mp3Bytes());
    writeBytes(at("song.mp3"), mp3Bytes());
    tagMusic(at("song.mp3"), QStringLiteral("Mp3 Song"), 2);
    writeBytes(at("song.flac"), flacBytes());
    tagMusic(at("song.flac"), QStringLiteral("Flac Song"), 1);
    writeBytes(at("song.ogg"), oggBytes());
    tagMusic(at("song.ogg"), QStringLiteral("Ogg Song"), 3);
    const qint64 modified = QDateTime(QDate(2020, 5, 6), QTime(7, 8, 9)).toSecsSinceEpoch();
    const timespec times[2] = {{modified, 0}, {modified, 0}};
    for (const QString &name : namesIn(root()))
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(root() + u'/' + name).constData(), times, 0), 0);
}

void TestPreviewMarks::namesFromTheFilesAlike_data()
{
    QTest::addColumn<int>("dateSource"); // the entry of cmbDateSource
    QTest::addColumn<bool>("fallback");
    QTest::addColumn<QString>("prefixDate");   // empty: no date stamp
    QTest::addColumn<QString>("nameTemplate"); // empty: no template
    QTest::addColumn<int>("order");            // the entry of cmbNumberOrder; other than 0 with a prefix counter
    QTest::addColumn<QString>("sample");       // the first sample's new name
    QTest::addColumn<QStringList>("cli");      // the same choices on the command line
    QTest::addColumn<int>("cliStatus");
    QTest::addColumn<QStringList>("oldNames"); // in the preview's order
    QTest::addColumn<QStringList>("newNames"); // empty for a file left alone
    QTest::addColumn<QStringList>("marks");    // why each file is left alone
    const QStringList listed{"bare.jpg", "blank.mp3", "datetime-only.jpg", "digitized.jpg",
                             "dto.jpg",  "song.flac", "song.mp3",          "song.ogg"};
    const QString noTaken = QStringLiteral("no date taken");
    const QString noArtist = QStringLiteral("no artist");
    QTest::newRow("date taken")
        << 2 << false << "yyyy-mm-dd hh.mm.ss"
        << "" << 0 << "[taken]_my work schedule.doc"
        << QStringList{"--date-from=taken", "--prefix-date", "yyyy-mm-dd hh.mm.ss"} << 1 << listed
        << QStringList{"", "", "", "2018-03-04 05.06.07_digitized.jpg", "2019-07-14 10.11.12_dto.jpg", "", "", ""}
        << QStringList{noTaken, noTaken, noTaken, "", "", noTaken, noTaken, noTaken};
    QTest::newRow("date taken, else modified")
        << 2 << true << "yyyy-mm-dd hh.mm.ss"
        << "" << 0 << "[taken]_my work schedule.doc"
        << QStringList{"--date-from", "taken", "--date-fallback", "--prefix-date=yyyy-mm-dd hh.mm.ss"} << 0 << listed
        << QStringList{"2020-05-06 07.08.09_bare.jpg",          "2020-05-06 07.08.09_blank.mp3",
                       "2020-05-06 07.08.09_datetime-only.jpg", "2018-03-04 05.06.07_digitized.jpg",
                       "2019-07-14 10.11.12_dto.jpg",           "2020-05-06 07.08.09_song.flac",
                       "2020-05-06 07.08.09_song.mp3",          "2020-05-06 07.08.09_song.ogg"}
        << QStringList(8);
    QTest::newRow("date modified") << 1 << false << "yyyymmdd"
                                   << "" << 0 << "[modified]_my work schedule.doc"
                                   << QStringList{"--date-from=modified", "--prefix-date=yyyymmdd"} << 0 << listed
                                   << QStringList{"20200506_bare.jpg",          "20200506_blank.mp3",
                                                  "20200506_datetime-only.jpg", "20200506_digitized.jpg",
                                                  "20200506_dto.jpg",           "20200506_song.flac",
                                                  "20200506_song.mp3",          "20200506_song.ogg"}
                                   << QStringList(8);
    QTest::newRow("music") << 0 << false << ""
                           << "{artist} - {track:2} {title}" << 0 << "[artist] - [track] [title].doc"
                           << QStringList{"--template", "{artist} - {track:2} {title}"} << 1 << listed
                           << QStringList{"",
                                          "",
                                          "",
                                          "",
                                          "",
                                          "Nina Simone - 01 Flac Song.flac",
                                          "Nina Simone - 02 Mp3 Song.mp3",
                                          "Nina Simone - 03 Ogg Song.ogg"}
                           << QStringList{noArtist, noArtist, noArtist, noArtist, noArtist, "", "", ""};
    QTest::newRow("album, year and genre")
        << 0 << false << ""
        << "{year} {album} ({genre}) {track}" << 0 << "[year] [album] ([genre]) [track].doc"
        << QStringList{"--template={year} {album} ({genre}) {track}"} << 1 << listed
        << QStringList{"",
                       "",
                       "",
                       "",
                       "",
                       "1965 Pastel Blues (Jazz) 1.flac",
                       "1965 Pastel Blues (Jazz) 2.mp3",
                       "1965 Pastel Blues (Jazz) 3.ogg"}
        << QStringList{"no year", "no year", "no year", "no year", "no year", "", "", ""};
    QTest::newRow("photo") << 0 << false << ""
                           << "{taken:yyyymmdd} {camera} {width}x{height}" << 0
                           << "[taken] [camera] [width]x[height].doc"
                           << QStringList{"--template", "{taken:yyyymmdd} {camera} {width}x{height}"} << 1 << listed
                           << QStringList{"", "", "", "", "20190714 Canon EOS 5D 32x16.jpg", "", "", ""}
                           << QStringList{noTaken, noTaken, noTaken, "no camera", "", noTaken, noTaken, noTaken};
    QTest::newRow("name, extension and modified date")
        << 0 << false << ""
        << "{modified:yyyy-mm-dd} {name} ({ext})" << 0 << "[modified] [name] ([ext]).doc"
        << QStringList{"--template={modified:yyyy-mm-dd} {name} ({ext})"} << 0 << listed
        << QStringList{"2020-05-06 bare (.jpg).jpg",          "2020-05-06 blank (.mp3).mp3",
                       "2020-05-06 datetime-only (.jpg).jpg", "2020-05-06 digitized (.jpg).jpg",
                       "2020-05-06 dto (.jpg).jpg",           "2020-05-06 song (.flac).flac",
                       "2020-05-06 song (.mp3).mp3",          "2020-05-06 song (.ogg).ogg"}
        << QStringList(8);
    QTest::newRow("counter in the template")
        << 0 << false << ""
        << "{counter} {name}" << 0 << "[counter] [name].doc" << QStringList{"--template={counter} {name}"} << 0
        << listed << QStringList{"0001 bare.jpg", "0002 blank.mp3", "0003 datetime-only.jpg", "0004 digitized.jpg",
                                 "0005 dto.jpg",  "0006 song.flac", "0007 song.mp3",          "0008 song.ogg"}
        << QStringList(8);
    QTest::newRow("numbered by the date taken")
        << 0 << false << ""
        << "" << 4 << "0001_my work schedule.doc" << QStringList{"--prefix-counter=1", "--order=taken"} << 0
        << QStringList{"digitized.jpg",     "dto.jpg",   "bare.jpg", "blank.mp3",
                       "datetime-only.jpg", "song.flac", "song.mp3", "song.ogg"}
        << QStringList{"0001_digitized.jpg",     "0002_dto.jpg",   "0003_bare.jpg", "0004_blank.mp3",
                       "0005_datetime-only.jpg", "0006_song.flac", "0007_song.mp3", "0008_song.ogg"}
        << QStringList(8);
    const QString unknown = QStringLiteral(
        "Unknown field \"{artst}\"; the fields are {name}, {ext}, {folder}, {counter}, {modified}, {taken}, {camera}, "
        "{width}, {height}, {artist}, {album}, {title}, {track}, {year}, {genre}");
    QTest::newRow("a field written wrong")
        << 0 << false << ""
        << "{artst}" << 0 << QStringLiteral("Template: ") + unknown << QStringList{"--template", "{artst}"} << 2
        << listed << QStringList(8) << QStringList(8, QStringLiteral("The name template cannot be used: ") + unknown);
}

// The names a file's dates and tags give: the preview marks each file that
// lacks a value with what it lacks, the run renames exactly the others and
// logs each one left, and the command line gives the same names.
void TestPreviewMarks::namesFromTheFilesAlike()
{
    QFETCH(int, dateSource);
    QFETCH(bool, fallback);
    QFETCH(QString, prefixDate);
    QFETCH(QString, nameTemplate);
    QFETCH(int, order);
    QFETCH(QString, sample);
    QFETCH(QStringList, cli);
    QFETCH(int, cliStatus);
    QFETCH(QStringList, oldNames);
    QFETCH(QStringList, newNames);
    QFETCH(QStringList, marks);
    makePhotosAndMusic();
    QVERIFY(m_form->folderList()->setPath(root()));
    control<QComboBox>("cmbDateSource")->setCurrentIndex(dateSource);
    control<QCheckBox>("chkDateFallback")->setChecked(fallback);
    if (!prefixDate.isEmpty()) {
        control<QCheckBox>("chkPrefixDate")->setChecked(true);
        auto *formats = control<QComboBox>("cmbDatePrefix");
        formats->setCurrentIndex(formats->findText(prefixDate));
    }
    if (!nameTemplate.isEmpty()) {
        control<QCheckBox>("chkTemplate")->setChecked(true);
        control<QLineEdit>("txtTemplate")->setText(nameTemplate);
    }
    if (order != 0) {
        control<QCheckBox>("chkPrefixCounter")->setChecked(true);
        control<QComboBox>("cmbNumberOrder")->setCurrentIndex(order);
    }
    QCOMPARE(control<QLabel>("lblPreview1New")->text(), sample);
    QCOMPARE(control<QLabel>("lblMoreSample1New")->text(), sample);
    QVERIFY(showPreview());
    QCOMPARE(lines("txtFilesPreview"), oldNames);
    QCOMPARE(lines("txtFilesPreviewNew"), newNames);
    QMap<int, QString> expectedMarks;
    for (qsizetype i = 0; i < marks.size(); ++i) {
        if (!marks.at(i).isEmpty())
            expectedMarks.insert(int(i), marks.at(i));
    }
    QCOMPARE(markedLines(), expectedMarks);

    const CliOutput dryRun = runKestravaCli(root(), m_state->path(), QDate(2026, 3, 9),
                                            cli + QStringList{"--json", "--show-fields", "."}, {});
    QCOMPARE(dryRun.status, cliStatus);
    if (cliStatus != 2) {
        const QList<QJsonObject> objects = dryRun.json();
        QCOMPARE(objects.size(), newNames.size() + 1);
        const QString folder = QFileInfo(root()).fileName();
        for (qsizetype i = 0; i < newNames.size(); ++i) {
            QCOMPARE(objects.at(i).value("old").toString(), oldNames.at(i));
            QCOMPARE(objects.at(i).value("new").toString(), newNames.at(i));
            if (!marks.at(i).isEmpty())
                QCOMPARE(objects.at(i).value("reason").toString(), marks.at(i));
            // Each file's fields under the names a template writes them with.
            const QJsonObject fields = objects.at(i).value("fields").toObject();
            if (oldNames.at(i) == u"dto.jpg")
                QCOMPARE(fields,
                         (QJsonObject{{"folder", folder},
                                      {"modified", "2020-05-06T07:08:09"},
                                      {"taken", "2019-07-14T10:11:12"},
                                      {"camera", "Canon EOS 5D"},
                                      {"width", 32},
                                      {"height", 16}}));
            if (oldNames.at(i) == u"song.ogg")
                QCOMPARE(fields,
                         (QJsonObject{{"folder", folder},
                                      {"modified", "2020-05-06T07:08:09"},
                                      {"artist", "Nina Simone"},
                                      {"album", "Pastel Blues"},
                                      {"title", "Ogg Song"},
                                      {"track", 3},
                                      {"year", 1965},
                                      {"genre", "Jazz"}}));
            if (oldNames.at(i) == u"bare.jpg")
                QCOMPARE(fields,
                         (QJsonObject{
                             {"folder", folder}, {"modified", "2020-05-06T07:08:09"}, {"width", 32}, {"height", 16}}));
        }
    }

    const QStringList renamed = startAndListRenamed();
    QStringList expected = newNames;
    expected.removeAll(QString());
    QCOMPARE(renamed, expected);
    // A template that cannot be read stops the run before its first file, with one line.
    const qsizetype left = newNames.count(QString());
    QCOMPARE(control<QListView>("lstErrorLog")->model()->rowCount(), cliStatus == 2 ? 1 : left);
    for (qsizetype i = 0; i < newNames.size(); ++i) {
        if (newNames.at(i).isEmpty())
            expected << oldNames.at(i);
    }
    expected.sort();
    QStringList found = namesIn(root());
    found.sort();
    QCOMPARE(found, expected);
}

// A run names each file from what its preview read; a file changed since is
// read again, named from what it says now, and the log tells of it.
void TestPreviewMarks::runRereadsAFileChangedSinceThePreview()
{
    makePhotosAndMusic();
    QVERIFY(m_form->folderList()->setPath(root()));
    control<QCheckBox>("chkTemplate")->setChecked(true);
    control<QLineEdit>("txtTemplate")->setText(QStringLiteral("{title}"));
    QVERIFY(showPreview());
    QCOMPARE(lines("txtFilesPreviewNew"),
             (QStringList{"", "", "", "", "", "Flac Song.flac", "Mp3 Song.mp3", "Ogg Song.ogg"}));
    tagMusic(root() + QStringLiteral("/song.mp3"), QStringLiteral("Another Song"), 2);
    showTab(KestravaForm::Tab::Go);
    control<QPushButton>("StartButton")->click();
    QCOMPARE(control<QPlainTextEdit>("txtFilesModified")->toPlainText().split(u'\n', Qt::SkipEmptyParts),
             (QStringList{"Ogg Song.ogg", "Another Song.mp3", "Flac Song.flac"}));
    const QAbstractItemModel *errors = control<QListView>("lstErrorLog")->model();
    QStringList logged;
    for (int row = 0; row < errors->rowCount(); ++row)
        logged << errors->index(row, 0).data().toString();
    QVERIFY2(logged.contains(QStringLiteral("'Changed since the preview; its new name is now Another Song.mp3'  "
                                            "whilst processing file '")
                             + root() + QStringLiteral("/song.mp3'")),
             qPrintable(logged.join(u'\n')));
}
