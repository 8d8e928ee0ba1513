// SPDX-License-Identifier: GPL-3.0-or-later
// Rows that measure the real window offscreen: opening a folder of 100,000
// files in Dir1, and the files preview of 100,000 selected entries.
#include "BareLoops.h"
#include "BenchContext.h"
#include "NameRows.h"
#include "RunRows.h"
#include "WindowDriver.h"

#include "ErrorReporter.h"
#include "FileChooserList.h"
#include "KestravaForm.h"
#include "NewFilename.h"
#include "OptionsPage.h"
#include "PreviewPage.h"
#include "RenameRun.h"
#include "RunController.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <string_view>

namespace kestrava::bench {

namespace {

// Opening the folder as Dir1's change does it: list, sort, show, select every
// file and switch the scope; timed until the file list has been painted.
void addOpenFolderRow(BenchContext &context, KestravaForm &form)
{
    const QString big = QString::fromStdString(context.bigFolder);
    const QString elsewhere = QString::fromStdString(context.root);
    form.SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::ChooseFiles));
    auto *file1 = control<QWidget>(form, "File1");
    Contender measured;
    measured.prepare = [&](int) {
        openFolder(form, elsewhere);
        settle(file1);
    };
    measured.run = [&](int) {
        openFolder(form, big);
        settle(file1);
    };
    measured.check = [&](int) {
        if (form.fileList()->selectedCount() != bigFolderFiles)
            failBench(QStringLiteral("open folder: not every file listed and selected"));
    };
    const Contender baseline = bareListing(context.bigFolder, bigFolderFiles, QStringLiteral("open folder"));
    const PairTimes times = timePair(context.reps, measured, baseline);
    const QString what = QStringLiteral("open a folder of 100,000 files in Dir1 (list, sort, select all, paint)");
    context.rows.push_back(timeRow(what, QStringLiteral("bare readdir + sort"), times, 2.0));
}

// The files preview of every entry of the folder, spaces to underscores,
// timed until the left-hand box has been painted, against the bare naming
// loop. The look ahead of the marks goes on beside the window after that and
// is waited for untimed, so that it does not share the cores with the next
// repetition. No target: the bare loop makes no text, so the ratio is mostly
// the cost of two text boxes holding 100,000 lines, which the row with the
// marks below holds to its target as part of the whole preview.
void addPreviewRow(BenchContext &context, KestravaForm &form)
{
    openFolder(form, QString::fromStdString(context.bigFolder));
    control<QRadioButton>(form, "optSpacesToUnderscores")->setChecked(true);
    auto *before = control<QPlainTextEdit>(form, "txtFilesPreview");
    QStringList names;
    for (qsizetype i = 0; i < form.fileList()->count(); ++i)
        names.append(form.fileList()->name(i));
    Contender measured;
    measured.prepare = [&](int) {
        form.SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::Help));
        settle(form.SSTabStrip());
    };
    measured.run = [&](int) {
        showFilesPreview(form);
        settle(before);
    };
    measured.check = [&](int) {
        waitForLookAhead(form);
        if (before->toPlainText().count(u'\n') != bigFolderFiles)
            failBench(QStringLiteral("files preview: not every selected entry shown"));
    };
    qsizetype bareTotal = 0;
    Contender baseline;
    baseline.run = [&](int) {
        bareTotal = bareNewNames(names, form.optionsPage()->currentOptions(), form.optionsPage()->today());
    };
    baseline.check = [&](int) {
        if (bareTotal == 0)
            failBench(QStringLiteral("files preview: the bare loop made no names"));
    };
    const PairTimes times = timePair(context.reps, measured, baseline);
    context.rows.push_back(timeRow(QStringLiteral("files preview of 100,000 selected entries, no marks (window)"),
                                   QStringLiteral("bare BuildNewFilename loop"), times, std::nullopt));
}

std::u16string_view utf16Of(const QString &text)
{
    return {reinterpret_cast<const char16_t *>(text.utf16()), std::size_t(text.size())};
}

// The files preview as a person sees it in full: both boxes filled and the
// lines of the files a run would not rename marked, timed until the marks
// have been painted. No rule is on, so all 100,000 files are unchanged and
// every line gets a mark and a place in the list of problems: the most a
// preview can have.
//
// The baseline is what that preview has to compute, in bare code: every new
// name (the program's own naming rules, as nothing simpler gives the same
// names) and, as the look ahead must, the folder read once and each new name
// checked against the names of all its entries. That is the least any
// preview saying which files will not be renamed can do; what the window
// adds on top (the boxes' text, the marks, the summary, the list behind the
// button, the painting) is what the ratio measures.
void addPreviewMarksRow(BenchContext &context, KestravaForm &form)
{
    const QString big = QString::fromStdString(context.bigFolder);
    openFolder(form, big);
    control<QRadioButton>(form, "optIgnoreSpaces")->setChecked(true);
    control<QCheckBox>(form, "chkPrefixCounter")->setChecked(false);
    // Entered afresh, so that the box is filled and painted whatever row came before.
    form.SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::Help));
    settle(form.SSTabStrip());
    form.SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::PreviewResults));
    auto *after = control<QPlainTextEdit>(form, "txtFilesPreviewNew");
    settle(after);
    waitForLookAhead(form);
    PreviewLookAhead lookAhead;
    lookAhead.folder = big;
    lookAhead.pattern = form.fileList()->pattern();
    QStringList names;
    for (qsizetype i = 0; i < form.fileList()->count(); ++i)
        names.append(form.fileList()->name(i));
    Contender measured;
    measured.prepare = [&](int) {
        after->clear();
        settle(after);
    };
    measured.run = [&](int) {
        form.previewPage()->ShowFilesPreview(*form.fileList(), *form.optionsPage(), lookAhead);
        waitForMarksPainted(form, after);
    };
    measured.check = [&](int) {
        const QString all = QString::number(bigFolderFiles);
        if (after->extraSelections().isEmpty()
            || !control<QLabel>(form, "lblPreviewProblems")->text().startsWith(all + QStringLiteral(" of ") + all))
            failBench(QStringLiteral("preview marks: not every unchanged file marked"));
    };
    qsizetype notFree = 0;
    Contender baseline;
    baseline.run = [&](int) {
        const RenameOptions options = form.optionsPage()->currentOptions();
        NameCounters counters;
        counters.load(QStringLiteral("0001"), QStringLiteral("0001"));
        BareFolderNames folderNames(context.bigFolder.c_str());
        // The new names stay alive beside the set, as the preview keeps them.
        QList<QString> newNames;
        newNames.reserve(names.size());
        notFree = 0;
        for (const QString &name : std::as_const(names)) {
            auto newName = BuildNewFilename(name, options, counters, form.optionsPage()->today());
            if (!newName)
                continue;
            newNames.append(std::move(*newName));
            if (!folderNames.take(utf16Of(name), utf16Of(newNames.back())))
                ++notFree;
        }
    };
    baseline.check = [&](int) {
        if (notFree != bigFolderFiles)
            failBench(QStringLiteral("preview marks: the bare loop did not find every name unchanged"));
    };
    const PairTimes times = timePair(context.reps, measured, baseline);
    context.rows.push_back(
        timeRow(QStringLiteral("files preview of 100,000 entries with the problem marks, every line marked (window)"),
                QStringLiteral("bare naming + readdir into a hash set + lookups"), times, 2.0));
}

// The run as a person starts it: the folder opened in Dir1 (which selects
// every file and the scope "All Files in Current Folder"), the tree scope
// chosen for the tree, the Go tab showing, then a click on Start.
void addWindowRunRow(BenchContext &context, KestravaForm &form, bool tree)
{
    control<QRadioButton>(form, "optSpacesToUnderscores")->setChecked(true);
    control<QCheckBox>(form, "chkPrefixCounter")->setChecked(!tree);
    auto *start = control<QPushButton>(form, "StartButton");
    const RunnerUnderTest runner{[&](const std::string &path) {
                                     openFolder(form, QString::fromStdString(path));
                                     form.SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::ChooseFiles));
                                     if (tree)
                                         control<QRadioButton>(form, "optAllFiles")->setChecked(true);
                                     form.SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::Go));
                                     settle(form.SSTabStrip());
                                 },
                                 [&] {
                                     start->click();
                                     return form.runController()->run().intFilesRenamed();
                                 }};
    addRunRow(context, tree,
              tree ? QStringLiteral("run, tree of 100 folders × 1,000 files, sub-folders scope (window, Start)")
                   : QStringLiteral("run, 1 folder × 10,000 files, all files in folder (window, Start)"),
              "window", runner, 1.4);
    QApplication::processEvents();
}

} // namespace

void addWindowRows(BenchContext &context)
{
    KestravaForm form;
    FailingReporter reporter;
    form.setErrorReporter(&reporter);
    form.show();
    settle(&form);
    if (context.wants("window-folder", "window"))
        addWindowRunRow(context, form, false);
    if (context.wants("window-tree", "window"))
        addWindowRunRow(context, form, true);
    // The runs' folders are gone: the window moves to one that stays.
    openFolder(form, QString::fromStdString(context.root));
    if (context.wants("window-open", "window"))
        addOpenFolderRow(context, form);
    if (context.wants("window-preview", "window"))
        addPreviewRow(context, form);
    if (context.wants("window-preview-marks", "window"))
        addPreviewMarksRow(context, form);
}

} // namespace kestrava::bench
