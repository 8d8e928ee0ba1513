// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileFacts.h"
#include "RunSimulation.h"

#include <QList>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <memory>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
template<typename T>
class QFutureWatcher;

namespace kestrava {

class FileList;
class LineBlockDocument;
class LineBlockText;
class OptionsPage;
class PreviewMarks;
class PreviewProblemsDialog;
class TreeLookAhead;
struct FolderLookAheadJob;
struct FolderLookAheadResult;
struct FactsRead;
struct PreviewFill;

namespace Ui {

/// The controls of the preview page that its code works with, found by name once
/// the layout table has created them (PreviewPageLayout.cpp).
struct PreviewPage
{
    QPlainTextEdit *txtFilesPreview = nullptr;
    QPlainTextEdit *txtFilesPreviewNew = nullptr;
    QLabel *lblPreviewProblems = nullptr;
    QPushButton *cmdPreviewProblems = nullptr;
};

} // namespace Ui

/// What a run would work on, for the look ahead of a files preview.
struct PreviewLookAhead
{
    /// The folder the listed files are in, where a run starts; empty for no look ahead.
    QString folder;
    /// The file-type filter, for the walk of the sub-folders.
    QString pattern;
    /// The scope is "All Files including Sub-Folders".
    bool wholeTree = false;
    SimulationSettings settings;
};

/// Tab 2, "Preview Results...": the old and the new names of the selected files,
/// the lines of the files a run would not rename marked with the reason, and a
/// summary of them.
class PreviewPage : public QWidget
{
    Q_OBJECT

public:
    explicit PreviewPage(QWidget *parent = nullptr);
    ~PreviewPage() override;

    /// Loads the counters of \a options, then lists every selected entry of
    /// \a file1 in the order the options number them (the list's order unless
    /// chosen otherwise, the files of the \a lookAhead folder) on the left and its new name under the current
    /// options on the right, one line each. A name that cannot be computed (no
    /// dot, a counter past 9999) leaves its right-hand line empty. With a
    /// \a lookAhead folder, the lines of files a run would not rename are marked
    /// and the summary counts them, over the whole tree for that scope: the look
    /// ahead runs beside the window, and lookAheadShown() tells when it is shown.
    /// A newer preview drops the result of an older one.
    void ShowFilesPreview(const FileList &file1, OptionsPage &options, const PreviewLookAhead &lookAhead = {});

    /// The most selected entries a preview computes and shows in one go: a
    /// twentieth of a second's work on a quiet machine. A bigger one is
    /// computed at most a quarter of this at a time from the event loop (less
    /// on a busy machine), each box filled a part at a time in turns of its
    /// own, so that the window keeps answering;
    /// filesPreviewShown() tells when it is shown in full.
    static constexpr qsizetype defaultNamesAtOnce = 100000;
    /// Changes how many entries a preview computes in one go, for the previews
    /// that follow (a test fills small previews in parts this way).
    void setNamesAtOnce(qsizetype names) { m_namesAtOnce = std::max<qsizetype>(1, names); }

    /// Forgets the preview shown, and any work still under way for it: its
    /// boxes, marks and summary empty. Entering the tab shows one afresh.
    void letGo();

    /// The list of the files that will not be renamed, while it is open.
    PreviewProblemsDialog *problemsDialog() const;
    /// Whether the look ahead over the folder or the sub-folders is still under way.
    bool isLookingAhead() const;

Q_SIGNALS:
    /// Emitted once both boxes show the names of a files preview.
    void filesPreviewShown();
    /// Emitted once the marks and the summary show every file of the look ahead.
    void lookAheadShown();

private:
    /// Creates the controls from the page's layout table (PreviewPageLayout.cpp).
    void buildLayout();
    /// Starts the look ahead over the current folder's files beside the window;
    /// the one under way, if any, is given up. Its result marks the lines of
    /// the files and, for the folder scope, counts them in the summary.
    void startFolderLookAhead(FolderLookAheadJob &&job);
    /// Gives up the look ahead over the current folder, if one is under way.
    void cancelFolderLookAhead();
    /// Tells that the look ahead is shown, once neither part is still under way.
    void lookAheadPartFinished();
    /// Reads what the selected files give their names beside the window, in
    /// the order they are numbered, then fills the preview with them.
    void readFactsBeside(FactsNeeded needed);
    /// Gives up the read of the files, if one is under way.
    void cancelFactsRead();
    /// Computes and shows the names of the preview being filled, in one go or
    /// a part at a time.
    void startFilling();
    /// Computes the next part of the preview being filled in a later turn of
    /// the event loop, then has its boxes' texts built beside the window.
    void fillLater();
    /// Builds the text of \a box from \a lines beside the window; once it is
    /// shown, \a then goes on with the preview being filled.
    void showBeside(QPlainTextEdit *box, LineBlockText &&lines, void (PreviewPage::*then)());
    /// Gives up the text being built for a box, if one is.
    void cancelBoxText();
    /// Gives up every job beside the window for the preview shown or being
    /// filled: the read of its files, its boxes' texts, its folder's look ahead.
    void dropJobs();
    /// Empties both boxes and their marks, and gives up the tree's look ahead
    /// that would mark them.
    void emptyBoxes();
    /// Builds and shows the text of the right box of the preview being filled.
    void showRightBoxBeside();
    /// Hands the names of the preview being filled, both boxes showing their
    /// text, to the look ahead and tells that the preview is shown.
    void finishFilling();
    /// Starts the look ahead over the whole tree for the summary.
    void startTreeLookAhead(const PreviewFill &fill);
    void treeLookAheadFinished(const TreeSimulation &result);
    /// Shows \a summary and keeps \a problems for the list.
    void showSummary(const QString &summary, QList<SimulatedProblem> problems);
    void cmdPreviewProblems_Click();

    Ui::PreviewPage m_ui;
    PreviewMarks *m_marks = nullptr;
    TreeLookAhead *m_treeLookAhead = nullptr;
    /// The look ahead over the current folder under way, or null.
    QFutureWatcher<FolderLookAheadResult> *m_folderWatcher = nullptr;
    /// The read of the files for the preview being filled, or null.
    QFutureWatcher<FactsRead> *m_factsWatcher = nullptr;
    /// The text being built for a box of the preview being filled, or null.
    QFutureWatcher<LineBlockDocument> *m_boxWatcher = nullptr;
    QList<SimulatedProblem> m_problems;
    QPointer<PreviewProblemsDialog> m_dialog;
    /// The preview being filled a part at a time, or null.
    std::unique_ptr<PreviewFill> m_fill;
    qsizetype m_namesAtOnce = defaultNamesAtOnce;
    /// Tells a part of a preview given up from one of the current preview.
    quint64 m_fillSerial = 0;
};

} // namespace kestrava
