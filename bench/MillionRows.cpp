// SPDX-License-Identifier: GPL-3.0-or-later
// Rows of a folder of a million files: opened in Dir1, previewed and renamed
// through the window, each with the longest stretch in which the window
// handled no events, and the peak memory of a process holding the million.
// Making the folder takes most of a minute on tmpfs, so these rows run only
// when asked for ("--only million").
#include "BareLoops.h"
#include "BenchContext.h"
#include "BenchFolders.h"
#include "ChildRows.h"
#include "GapRecorder.h"
#include "WindowDriver.h"

#include "FileChooserList.h"
#include "FolderChooserList.h"
#include "KestravaForm.h"
#include "PreviewPage.h"
#include "RenameRun.h"
#include "RunController.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <algorithm>
#include <cstdio>

namespace kestrava::bench {

namespace {

void note(const QString &text)
{
    std::fprintf(stderr, "bench: %s\n", text.toUtf8().constData());
}

// The gaps of every repetition of one window row.
struct Gaps
{
    std::vector<double> afterGrace;
    std::vector<double> whole;
    double worstAt = 0.0;

    void add(const DrivenAction &driven)
    {
        if (!driven.finished)
            failBench(QStringLiteral("an action of the window did not finish within two minutes"));
        if (afterGrace.empty()
            || driven.longestGapAfterGraceMs > *std::max_element(afterGrace.begin(), afterGrace.end()))
            worstAt = driven.longestGapAtMs;
        afterGrace.push_back(driven.longestGapAfterGraceMs);
        whole.push_back(driven.longestGapMs);
    }
};

// The row of the longest stretch without events after the first second, the
// worst of the repetitions against the target, with the longest stretch of
// the whole action, first second included, beside it.
Row gapRow(const QString &action, const Gaps &gaps, const QString &forced)
{
    const double worst = *std::max_element(gaps.afterGrace.begin(), gaps.afterGrace.end());
    const double worstWhole = *std::max_element(gaps.whole.begin(), gaps.whole.end());
    QString baseline = QStringLiteral("median %1; whole action's longest %2")
                           .arg(formatMs(median(gaps.afterGrace)), formatMs(worstWhole));
    if (worst > 0.0)
        baseline += QStringLiteral(" (worst after 1 s began at %1)").arg(formatMs(gaps.worstAt));
    if (!forced.isEmpty())
        baseline += QStringLiteral("; ") + forced;
    return Row{QStringLiteral("longest event-loop gap after the first second, ") + action,
               formatMs(worst),
               baseline,
               QStringLiteral("–"),
               QStringLiteral("≤ 100 ms"),
               worst <= 100.0,
               QString()};
}

struct MillionRig
{
    BenchContext &context;
    KestravaForm &form;
    std::string folder;
    QString path;
    int reps;

    /// \a what with the repetitions, which may be fewer than the table's.
    QString named(const char *what) const { return QString::fromUtf8(what) + QStringLiteral(" [%1 reps]").arg(reps); }
};

// Opening the folder as a double-click in Dir1 does it (read and sort beside
// the window, show, select every file, switch the scope), until the file list
// has been painted with the folder's files.
void addOpenRow(MillionRig &rig)
{
    KestravaForm &form = rig.form;
    const QString elsewhere = QString::fromStdString(rig.context.root);
    form.SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::ChooseFiles));
    auto *file1 = control<QWidget>(form, "File1");
    PaintWatch painted(file1);
    Gaps gaps;
    Contender measured;
    measured.prepare = [&](int) {
        openFolder(form, elsewhere);
        settle(file1);
    };
    FolderChooserList *folders = form.folderList();
    measured.run = [&](int) {
        const QMetaObject::Connection shown =
            QObject::connect(folders, &FolderChooserList::pathChanged, [&] { painted.arm(); });
        gaps.add(driveThroughEventLoop(
            [&] {
                if (const auto opened = folders->open(rig.path); !opened)
                    failBench(QStringLiteral("million open: ") + opened.error());
            },
            [&] { return !folders->isListing() && painted.seen(); }));
        QObject::disconnect(shown);
    };
    measured.check = [&](int) {
        if (form.fileList()->selectedCount() != millionFiles)
            failBench(QStringLiteral("million open: not every file listed and selected"));
    };
    const Contender baseline = bareListing(rig.folder, millionFiles, QStringLiteral("million open"));
    const PairTimes times = timePair(rig.reps, measured, baseline);
    rig.context.rows.push_back(
        timeRow(rig.named("open a folder of 1,000,000 files in Dir1 (list, sort, select all, paint)"),
                QStringLiteral("bare readdir + sort"), times, 2.0));
    // The folder is read and sorted beside the window; the lists show it whole.
    rig.context.rows.push_back(gapRow(QStringLiteral("million open"), gaps, QString()));
}

// The folder read again as the end of a run reads it, beside the window, until
// the file list has been painted with it; apart from the run row, whose gaps
// the run itself may hide.
void addListAgainRow(MillionRig &rig)
{
    KestravaForm &form = rig.form;
    form.SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::ChooseFiles));
    openFolder(form, rig.path);
    auto *file1 = control<QWidget>(form, "File1");
    settle(file1);
    PaintWatch painted(file1);
    FolderChooserList *folders = form.folderList();
    Gaps gaps;
    for (int rep = 0; rep < rig.reps; ++rep) {
        const QMetaObject::Connection shown =
            QObject::connect(folders, &FolderChooserList::pathChanged, [&] { painted.arm(); });
        gaps.add(driveThroughEventLoop(
            [&] {
                if (const auto listed = folders->open(rig.path, FolderChooserList::Landing::ListedAgainNothingSelected);
                    !listed)
                    failBench(QStringLiteral("million read again: ") + listed.error());
            },
            [&] { return !folders->isListing() && painted.seen(); }));
        QObject::disconnect(shown);
        if (form.fileList()->count() != millionFiles)
            failBench(QStringLiteral("million read again: not every file listed"));
    }
    rig.context.rows.push_back(gapRow(QStringLiteral("million read again after a run"), gaps, QString()));
}

// The files preview in full: both boxes painted, then the look ahead's marks
// and summary shown, spaces to underscores without the counter (every file
// renamed, so the look ahead reads and checks all and marks none).
void addPreviewRow(MillionRig &rig)
{
    KestravaForm &form = rig.form;
    openFolder(form, rig.path);
    settle(control<QWidget>(form, "File1"));
    // The names of the run row; the counter would stop at 9999.
    control<QRadioButton>(form, "optSpacesToUnderscores")->setChecked(true);
    control<QCheckBox>(form, "chkPrefixCounter")->setChecked(false);
    auto *before = control<QPlainTextEdit>(form, "txtFilesPreview");
    auto *after = control<QPlainTextEdit>(form, "txtFilesPreviewNew");
    auto *summary = control<QLabel>(form, "lblPreviewProblems");
    PaintWatch beforePainted(before);
    PaintWatch afterPainted(after);
    PaintWatch summaryPainted(summary);
    bool lookAheadShown = false;
    const QMetaObject::Connection shown = QObject::connect(form.previewPage(), &PreviewPage::lookAheadShown, [&] {
        lookAheadShown = true;
        summaryPainted.arm();
    });
    Gaps gaps;
    Contender measured;
    measured.prepare = [&](int) {
        form.SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::Help));
        settle(form.SSTabStrip());
        lookAheadShown = false;
    };
    measured.run = [&](int) {
        gaps.add(driveThroughEventLoop(
            [&] {
                beforePainted.arm();
                afterPainted.arm();
                showFilesPreview(form);
            },
            [&] { return beforePainted.seen() && afterPainted.seen() && lookAheadShown && summaryPainted.seen(); }));
    };
    measured.check = [&](int rep) {
        // The boxes hold many lines to a block: the plain text has one line break per line.
        if (before->toPlainText().count(u'\n') != millionFiles || after->toPlainText().count(u'\n') != millionFiles)
            failBench(QStringLiteral("million preview: not every selected entry shown"));
        if (form.previewPage()->isLookingAhead() || summary->text().isEmpty())
            failBench(QStringLiteral("million preview: the look ahead did not show its summary"));
        if (rep == 0)
            note(QStringLiteral("million preview's summary: ") + summary->text());
    };
    const std::vector<std::string> names = bareSortedNames(rig.folder.c_str());
    std::size_t renamable = 0;
    Contender baseline;
    baseline.run = [&](int) {
        BareNaming naming{false, 1};
        renamable = bareNamesAgainstFolder(rig.folder.c_str(), names, naming);
    };
    baseline.check = [&](int) {
        if (renamable != std::size_t(millionFiles))
            failBench(QStringLiteral("million preview: the bare loop found %1 renamable").arg(renamable));
    };
    const PairTimes times = timePair(rig.reps, measured, baseline);
    QObject::disconnect(shown);
    rig.context.rows.push_back(
        timeRow(rig.named("files preview of 1,000,000 entries, with the look ahead's marks (window)"),
                QStringLiteral("bare new names + checks against the folder"), times, 2.0));
    rig.context.rows.push_back(gapRow(QStringLiteral("million preview"), gaps, QString()));
}

// The run as a person starts it: the folder opened in Dir1 (every file
// selected, scope "All Files in Current Folder"), the Go tab, a click on
// Start; the undo journal written as always. Each side's renames are undone
// (untimed) before the next repetition, so one folder serves them all.
void addRenameRow(MillionRig &rig)
{
    KestravaForm &form = rig.form;
    const std::string journals = rig.context.root + "/state-million";
    qputenv("XDG_STATE_HOME", QByteArray::fromStdString(journals));
    form.SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::ChooseFiles));
    control<QRadioButton>(form, "optSpacesToUnderscores")->setChecked(true);
    control<QCheckBox>(form, "chkPrefixCounter")->setChecked(false);
    auto *start = control<QPushButton>(form, "StartButton");
    const auto restore = [&](const char *side) {
        if (!restoreFolder(rig.folder, millionFiles))
            failBench(QStringLiteral("million run: the %1 left a file unrenamed").arg(QString::fromLatin1(side)));
    };
    Gaps gaps;
    qint64 renamed = 0;
    Contender measured;
    measured.prepare = [&](int) {
        // Each run's journal is a few dozen MB; only the newest matters.
        removeTree(journals);
        openFolder(form, rig.path);
        // Entered afresh, so that the tab strip is painted whichever tab was current.
        form.SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::ChooseFiles));
        form.SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::Go));
        settle(form.SSTabStrip());
    };
    measured.run = [&](int) {
        bool ended = false;
        // Until the folder, read again beside the window, shows the new names.
        gaps.add(driveThroughEventLoop(
            [&] {
                start->click();
                ended = true;
            },
            [&] { return ended && !form.folderList()->isListing(); }));
        renamed = form.runController()->run().intFilesRenamed();
    };
    measured.check = [&](int) {
        if (renamed != millionFiles)
            failBench(QStringLiteral("million run: %1 files renamed").arg(renamed));
        restore("window");
    };
    int bareRenamed = 0;
    Contender baseline;
    baseline.run = [&](int) {
        BareNaming naming{false, 1};
        bareRenamed = bareRenameFolder(rig.folder, naming);
    };
    baseline.check = [&](int) {
        if (bareRenamed != millionFiles)
            failBench(QStringLiteral("million run: the bare loop renamed %1 files").arg(bareRenamed));
        restore("bare loop");
    };
    const PairTimes times = timePair(rig.reps, measured, baseline);
    removeTree(journals);
    rig.context.rows.push_back(
        timeRow(rig.named("run, 1 folder × 1,000,000 files, all files in folder, journal on (window, Start)"),
                QStringLiteral("bare loop"), times, 1.4));
    rig.context.rows.push_back(gapRow(QStringLiteral("million run"), gaps, QString()));
}

} // namespace

void addMillionRows(BenchContext &context)
{
    const std::string folder = context.root + "/million";
    note(QStringLiteral("making a folder of 1,000,000 files"));
    const Clock::time_point making = Clock::now();
    if (!makeFolder(folder, millionFiles))
        failBench(QStringLiteral("cannot make the folder of 1,000,000 files"));
    note(QStringLiteral("made in %1").arg(formatMs(msSince(making))));
    // Each repetition of a million takes seconds: three give a median.
    const int reps = std::min(context.reps, 3);
    {
        KestravaForm form;
        FailingReporter reporter;
        form.setErrorReporter(&reporter);
        form.show();
        settle(&form);
        MillionRig rig{context, form, folder, QString::fromStdString(folder), reps};
        if (context.asked("million-open", "million")) {
            note(QStringLiteral("million: open"));
            addOpenRow(rig);
        }
        if (context.asked("million-preview", "million")) {
            note(QStringLiteral("million: preview"));
            addPreviewRow(rig);
        }
        if (context.asked("million-run", "million")) {
            note(QStringLiteral("million: run"));
            addRenameRow(rig);
        }
        if (context.asked("million-relist", "million")) {
            note(QStringLiteral("million: read again after a run"));
            addListAgainRow(rig);
        }
        // The window lets go of the million before the children list it.
        openFolder(form, QString::fromStdString(context.root));
    }
    if (context.asked("million-memory", "million")) {
        note(QStringLiteral("million: peak memory"));
        addMillionMemoryRow(context, folder, reps);
    }
    note(QStringLiteral("removing the million"));
    removeTree(folder);
}

} // namespace kestrava::bench
