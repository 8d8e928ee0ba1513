// SPDX-License-Identifier: GPL-3.0-or-later
// The selected-files preview over real folders: old and new names line for line,
// counters from the start fields, names that cannot be computed, big folders and
// the read-only boxes.

#include "ChooseFilesPage.h"
#include "DiskFileList.h"
#include "FindControl.h"
#include "FolderChooserList.h"
#include "KestravaForm.h"
#include "NameCounters.h"
#include "OptionsPage.h"
#include "PreviewPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace kestrava;
using namespace kestrava::testing;

class TestFilesPreview : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<KestravaForm> m_form;
    std::unique_ptr<QTemporaryDir> m_dir;
    DiskFileList m_files;

    OptionsPage *options() const { return m_form->optionsPage(); }
    PreviewPage *preview() const { return m_form->previewPage(); }
    QString before() const { return findControl<QPlainTextEdit>(preview(), "txtFilesPreview")->toPlainText(); }
    QString after() const { return findControl<QPlainTextEdit>(preview(), "txtFilesPreviewNew")->toPlainText(); }

    // Lists a fresh folder holding \a names, nothing selected.
    void listFolder(const QStringList &names)
    {
        for (const QString &name : names) {
            QFile file(QDir(m_dir->path()).filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QVERIFY(m_files.setFolder(m_dir->path()).has_value());
        QCOMPARE(m_files.count(), names.size());
    }

    void showPreview() { preview()->ShowFilesPreview(m_files, *options()); }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_files = DiskFileList();
        m_form = std::make_unique<KestravaForm>();
    }

    void cleanup()
    {
        m_form.reset();
        m_dir.reset();
    }

    void selectedEntriesLineForLine()
    {
        listFolder({QStringLiteral("a.txt"), QStringLiteral("b.txt"), QStringLiteral("c.txt")});
        m_files.setSelected(0, true);
        m_files.setSelected(2, true);
        findControl<QCheckBox>(options(), "chkPrefixCounter")->setChecked(true);
        showPreview();
        QCOMPARE(before(), QStringLiteral("a.txt\nc.txt\n"));
        QCOMPARE(after(), QStringLiteral("0001_a.txt\n0002_c.txt\n"));
    }

    // The whole path a user takes: a folder opened in Dir1, two files picked in
    // File1, the counter ticked, then the Preview Results tab chosen.
    void previewTabShowsTheFilesPickedInTheWindow()
    {
        listFolder(
            {QStringLiteral("a.txt"), QStringLiteral("b.txt"), QStringLiteral("c.txt"), QStringLiteral("README")});
        QVERIFY(m_form->folderList()->setPath(m_dir->path()).has_value());
        QListView *file1 = findControl<QListView>(m_form->chooseFilesPage(), "File1");
        QItemSelection picked;
        for (int row : {0, 2, 3})
            picked.select(file1->model()->index(row, 0), file1->model()->index(row, 0));
        file1->selectionModel()->select(picked, QItemSelectionModel::ClearAndSelect);
        findControl<QCheckBox>(options(), "chkPrefixCounter")->setChecked(true);

        for (int visit = 0; visit < 2; ++visit) {
            m_form->SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::SetOptions));
            m_form->SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::PreviewResults));
            QCOMPARE(before(), QStringLiteral("a.txt\nc.txt\nREADME\n"));
            // README has no dot: it is all base and takes the next number.
            QCOMPARE(after(), QStringLiteral("0001_a.txt\n0002_c.txt\n0003_README\n"));
        }
    }

    void countersStartFromTheFieldsEveryTime()
    {
        listFolder({QStringLiteral("a.txt"), QStringLiteral("b.txt")});
        m_files.selectAll();
        findControl<QCheckBox>(options(), "chkPrefixCounter")->setChecked(true);
        findControl<QLineEdit>(options(), "txtPrefixCount")->setText(QStringLiteral("0005"));
        findControl<QCheckBox>(options(), "chkPostfixCounter")->setChecked(true);
        findControl<QLineEdit>(options(), "txtPostfixCount")->setText(QStringLiteral("0020"));
        // The sample preview leaves the counters moved on; the files preview reloads them.
        options()->ShowSampleMask();
        showPreview();
        const QString expected = QStringLiteral("0005_a_0020.txt\n0006_b_0021.txt\n");
        QCOMPARE(after(), expected);
        showPreview();
        QCOMPARE(after(), expected);
    }

    void uncomputableNamesLeaveEmptyLines()
    {
        // The counter passes 9999 after a.txt; a name without a dot is computed.
        listFolder({QStringLiteral("a.txt"), QStringLiteral("b"), QStringLiteral("c.txt")});
        m_files.selectAll();
        findControl<QCheckBox>(options(), "chkPrefixCounter")->setChecked(true);
        findControl<QLineEdit>(options(), "txtPrefixCount")->setText(QStringLiteral("9999"));
        showPreview();
        QCOMPARE(before(), QStringLiteral("a.txt\nb\nc.txt\n"));
        QCOMPARE(after(), QStringLiteral("9999_a.txt\n\n\n"));
    }

    void nothingSelectedEmptiesBothBoxes()
    {
        listFolder({QStringLiteral("a.txt")});
        m_files.selectAll();
        showPreview();
        m_files.deselectAll();
        showPreview();
        QCOMPARE(before(), QString());
        QCOMPARE(after(), QString());
    }

    void bigFolderInFull()
    {
        constexpr int fileCount = 40000;
        QStringList names;
        for (int i = 0; i < fileCount; ++i)
            names << QStringLiteral("file%1.dat").arg(i, 5, 10, QLatin1Char('0'));
        listFolder(names);
        m_files.selectAll();
        findControl<QCheckBox>(options(), "chkPrefixCounter")->setChecked(true);
        showPreview();

        const QStringList left = before().split(u'\n');
        const QStringList right = after().split(u'\n');
        QCOMPARE(left.size(), fileCount + 1);
        QCOMPARE(right.size(), fileCount + 1);
        QCOMPARE(left.at(39999), QStringLiteral("file39999.dat"));
        QCOMPARE(right.at(0), QStringLiteral("0001_file00000.dat"));
        QCOMPARE(right.at(9998), QStringLiteral("9999_file09998.dat"));
        // Past 9999 the counter cannot be stamped: the lines stay, empty.
        QCOMPARE(right.at(9999), QString());
        QCOMPARE(right.at(39999), QString());
    }

    // Whichever box is scrolled, and however, the other shows the same files.
    void boxesScrollTogether()
    {
        constexpr int fileCount = 100000;
        QStringList names;
        for (int i = 0; i < fileCount; ++i)
            names << QStringLiteral("file%1.dat").arg(i, 6, 10, QLatin1Char('0'));
        listFolder(names);
        m_files.selectAll();
        findControl<QCheckBox>(options(), "chkPrefixName")->setChecked(true);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        m_form->SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::PreviewResults));
        // Entering the tab previewed the window's own file list; show this folder's.
        showPreview();
        auto *left = findControl<QPlainTextEdit>(preview(), "txtFilesPreview");
        auto *right = findControl<QPlainTextEdit>(preview(), "txtFilesPreviewNew");
        // The first file in full view of a box: its top line, which may share a paragraph with others.
        const auto top = [](QPlainTextEdit *box) {
            QTextCursor line = box->cursorForPosition(QPoint(0, box->fontMetrics().height()));
            line.movePosition(QTextCursor::StartOfLine);
            line.movePosition(QTextCursor::EndOfLine, QTextCursor::KeepAnchor);
            return line.selectedText();
        };
        QCOMPARE(top(left), QStringLiteral("file000000.dat"));

        QCOMPARE(right->verticalScrollBar()->maximum(), left->verticalScrollBar()->maximum());
        left->verticalScrollBar()->setValue(99000);
        QCOMPARE(right->verticalScrollBar()->value(), 99000);
        QCOMPARE(top(left), QStringLiteral("file099000.dat"));
        QCOMPARE(top(right), QStringLiteral("File_file099000.dat"));

        right->verticalScrollBar()->setValue(50000);
        QCOMPARE(top(left), QStringLiteral("file050000.dat"));
        QCOMPARE(top(right), QStringLiteral("File_file050000.dat"));

        // The keyboard moves a box by its cursor.
        left->setFocus();
        QTest::keyClick(left, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(top(left), QStringLiteral("file000000.dat"));
        QCOMPARE(top(right), QStringLiteral("File_file000000.dat"));
        for (int page = 0; page < 3; ++page)
            QTest::keyClick(left, Qt::Key_PageDown);
        QVERIFY(top(left) != QStringLiteral("file000000.dat"));
        QCOMPARE(top(right), QStringLiteral("File_") + top(left));
    }

    void previewInPartsShowsWhatOneGoShows_data()
    {
        QTest::addColumn<int>("namesAtOnce");
        QTest::newRow("in parts past 1 entry") << 1;
        QTest::newRow("in parts past 3 entries") << 3;
        QTest::newRow("in parts of 2 past 9 entries") << 9;
        QTest::newRow("in one go up to 10 entries") << 10;
    }

    // The counters carry on from part to part, and end where one go leaves them.
    void previewInPartsShowsWhatOneGoShows()
    {
        QFETCH(int, namesAtOnce);
        QStringList names;
        for (int i = 0; i < 11; ++i)
            names << QStringLiteral("file %1.dat").arg(i, 2, 10, QLatin1Char('0'));
        listFolder(names);
        m_files.selectAll();
        m_files.setSelected(4, false);
        findControl<QCheckBox>(options(), "chkPrefixCounter")->setChecked(true);
        findControl<QCheckBox>(options(), "chkPostfixCounter")->setChecked(true);
        findControl<QLineEdit>(options(), "txtPostfixCount")->setText(QStringLiteral("9995"));
        showPreview();
        const QString oneGoBefore = before();
        const QString oneGoAfter = after();
        const NameCounters oneGoCounters = options()->counters();
        QCOMPARE(oneGoAfter.count(u'\n'), 10);

        preview()->setNamesAtOnce(namesAtOnce);
        QSignalSpy shown(preview(), &PreviewPage::filesPreviewShown);
        showPreview();
        const bool inParts = namesAtOnce < 10;
        QCOMPARE(shown.count(), inParts ? 0 : 1);
        QCOMPARE(after().isEmpty(), inParts);
        if (inParts)
            QVERIFY(shown.wait(5000));
        QCOMPARE(shown.count(), 1);
        QCOMPARE(before(), oneGoBefore);
        QCOMPARE(after(), oneGoAfter);
        QCOMPARE(options()->counters().intPrefixCounter, oneGoCounters.intPrefixCounter);
        QCOMPARE(options()->counters().intPostfixCounter, oneGoCounters.intPostfixCounter);
    }

    void newerPreviewDropsOneBeingFilled_data()
    {
        QTest::addColumn<bool>("boxesBeingBuilt");
        QTest::newRow("while its names are computed") << false;
        QTest::newRow("while its boxes' texts are built") << true;
    }
    void newerPreviewDropsOneBeingFilled()
    {
        QFETCH(bool, boxesBeingBuilt);
        listFolder({QStringLiteral("a.txt"), QStringLiteral("b.txt"), QStringLiteral("c.txt")});
        m_files.selectAll();
        preview()->setNamesAtOnce(1);
        QSignalSpy shown(preview(), &PreviewPage::filesPreviewShown);
        const auto showNewer = [this] {
            m_files.deselectAll();
            m_files.setSelected(1, true);
            showPreview();
        };
        if (boxesBeingBuilt) {
            // The moment the left box shows its text, the right one's is still to come.
            QPlainTextEdit *left = findControl<QPlainTextEdit>(preview(), "txtFilesPreview");
            connect(left, &QPlainTextEdit::textChanged, this, [&, left] {
                if (left->toPlainText() == QStringLiteral("a.txt\nb.txt\nc.txt\n")) {
                    left->disconnect(this);
                    showNewer();
                }
            });
            showPreview();
            QTRY_COMPARE(shown.count(), 1);
        } else {
            showPreview();
            QCoreApplication::processEvents();
            showNewer();
        }
        QCOMPARE(shown.count(), 1);
        QTest::qWait(100);
        QCOMPARE(shown.count(), 1);
        QCOMPARE(before(), QStringLiteral("b.txt\n"));
        QCOMPARE(after(), QStringLiteral("b.txt\n"));
    }

    void boxesTakeNoTypingButNavigateAndCopy()
    {
        listFolder({QStringLiteral("a.txt"), QStringLiteral("b.txt")});
        m_files.selectAll();
        m_form->SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::PreviewResults));
        m_form->show();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        // Entering the tab previewed the window's own file list; show this folder's.
        showPreview();

        QPlainTextEdit *box = findControl<QPlainTextEdit>(preview(), "txtFilesPreviewNew");
        box->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(box, QStringLiteral("x y"));
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClick(box, Qt::Key_Delete);
        QCOMPARE(after(), QStringLiteral("a.txt\nb.txt\n"));

        QTest::keyClick(box, Qt::Key_Down);
        QTest::keyClick(box, Qt::Key_End, Qt::ShiftModifier);
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("b.txt"));

        QTest::keyClick(box, Qt::Key_Tab);
        QVERIFY(!box->hasFocus());
    }
};

QTEST_MAIN(TestFilesPreview)
#include "tst_filespreview.moc"
