// SPDX-License-Identifier: GPL-3.0-or-later
#include "PreviewPage.h"

#include "BesideJob.h"
#include "FileFactsReader.h"
#include "FileList.h"
#include "FileNameBytes.h"
#include "FolderLookAhead.h"
#include "KeyPressFilter.h"
#include "LetGoBeside.h"
#include "LineBlockText.h"
#include "NewFilename.h"
#include "NumberingOrder.h"
#include "OptionsPage.h"
#include "PreviewMarks.h"
#include "PreviewProblemsDialog.h"
#include "TreeLookAhead.h"

#include <QElapsedTimer>
#include <QFutureWatcher>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPromise>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QThread>
#include <QTimer>

#include <memory>
#include <thread>
#include <utility>

namespace kestrava {

/// The names the look ahead over the current folder works with, computed by
/// the window for its boxes: its own copies, so that it can outlive the page.
struct FolderLookAheadNames
{
    QList<QString> oldNames;
    QList<std::expected<QString, RenameError>> newNames;
    /// Where each line of the new names starts in their box, and where the text ends.
    QList<int> linePositions;
};

/// What the look ahead over the current folder works from.
struct FolderLookAheadJob
{
    QString folder;
    /// The scope is "All Files including Sub-Folders": the tree's walk gives the summary.
    bool wholeTree = false;
    SimulationSettings settings;
    FolderLookAheadNames names;
};

/// The marks of the current folder's files, and the summary of them.
struct FolderLookAheadResult
{
    /// A line of the new names that the look ahead changes: a numbered name
    /// in place of a taken one. Its start counts the changes before it.
    struct NewLine
    {
        int start;
        int length;
        QString text;
    };
    QList<NewLine> newLines;
    QList<LineMark> marks;
    QString summary;
    QList<SimulatedProblem> problems;
};

/// A files preview being computed and shown: everything it works from, read
/// from the window once when it starts, so that a preview filled a part at a
/// time is not changed halfway by what the user does meanwhile.
struct PreviewFill
{
    RenameOptions options;
    QDate today;
    NameCounters counters;
    QString prefixCountText;
    QString postfixCountText;
    /// Where the counters go back once every name is computed, as a preview in
    /// one go leaves them.
    QPointer<OptionsPage> optionsPage;
    PreviewLookAhead lookAhead;
    bool lookingAhead = false;
    /// The selected names, in the order they are numbered.
    QList<QString> selected;
    /// What each of them gives its name beyond the name, read beside the
    /// window before the names are computed; empty when the names need nothing.
    QList<FileFacts> facts;
    /// How many of them have their lines.
    qsizetype done = 0;
    LineBlockText before;
    LineBlockText after;
    /// The new names and line positions for the look ahead.
    FolderLookAheadNames names;
    int position = 0;

    /// Takes the names, all computed, for the look ahead.
    FolderLookAheadNames takeNames()
    {
        names.linePositions.append(position);
        names.oldNames = std::move(selected);
        return std::move(names);
    }

    /// Computes the lines of the selected names up to \a upTo.
    void appendLines(qsizetype upTo)
    {
        for (; done < upTo; ++done) {
            const QString &name = selected.at(done);
            auto newName = facts.isEmpty() ? BuildNewFilename(name, options, counters, today)
                                           : BuildNewFilename(name, options, counters, today, &facts.at(done));
            const QString shownNew = displayFileName(newName.value_or(QString()));
            before.appendLine(displayFileName(name));
            after.appendLine(shownNew);
            if (lookingAhead) {
                names.newNames.append(std::move(newName));
                names.linePositions.append(position);
            }
            position += int(shownNew.size()) + 1;
        }
    }
};

/// The selected names in the order they are numbered, and what each file gives.
struct FactsRead
{
    QList<QString> names;
    QList<FileFacts> facts;
};

namespace {

// Runs on a pool thread: reads the folder as the run would find it and works
// out the marks, touching nothing of the window.
FolderLookAheadResult lookAheadFolder(const FolderLookAheadJob &job)
{
    FolderLookAheadResult result;
    const FolderLookAheadNames &names = job.names;
    auto lookAhead = FolderLookAhead::read(job.folder, names.oldNames, names.newNames, job.settings);
    if (!lookAhead) {
        result.summary = lookAhead.error();
        return result;
    }
    const SimulationCounts &counts = lookAhead->counts();
    // Every line may be marked: a folder of unchanged files is.
    const qsizetype marked = counts.notRenamed() + counts.becomeHidden;
    result.marks.reserve(marked);
    result.problems.reserve(marked);
    // How much the numbered names before a line have moved it.
    int shift = 0;
    for (qsizetype i = 0; i < lookAhead->size(); ++i) {
        const int start = names.linePositions.at(i) + shift;
        int length = names.linePositions.at(i + 1) - names.linePositions.at(i) - 1;
        if (const QString &numbered = lookAhead->file(i).numberedName; !numbered.isEmpty()) {
            const QString shown = displayFileName(numbered);
            result.newLines.append({start, length, shown});
            shift += int(shown.size()) - length;
            length = int(shown.size());
        }
        if (!lookAhead->isMarked(i))
            continue;
        SimulatedProblem problem = lookAhead->problem(i);
        result.marks.append({start, length, problem.file, problem.reason});
        result.problems.append(std::move(problem));
    }
    result.summary = simulationSummary(counts, SimulationScope::Folder);
    return result;
}

} // namespace

PreviewPage::PreviewPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("PreviewPage"));
    buildLayout();
    for (QPlainTextEdit *box : {m_ui.txtFilesPreview, m_ui.txtFilesPreviewNew}) {
        // The boxes only display, but a keyboard user can still move through
        // them, select and copy, and Tab leaves them.
        KeyPressFilter::install(box, KeyPressFilter::Accept::Nothing);
        box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        box->setTabChangesFocus(true);
        // One line per file, never wrapped, so that each old name sits beside its new one.
        box->setLineWrapMode(QPlainTextEdit::NoWrap);
    }
    // With one line per file in each, the same scroll position shows the same
    // files in both: scrolling either moves the other with it.
    // A box moved by its cursor scrolls without a signal from its scroll bar,
    // but asks to be repainted moved.
    const auto follow = [this](QPlainTextEdit *leader, QPlainTextEdit *follower) {
        connect(leader->verticalScrollBar(), &QScrollBar::valueChanged, follower->verticalScrollBar(),
                &QScrollBar::setValue);
        connect(leader, &QPlainTextEdit::updateRequest, follower, [leader, follower](const QRect &, int moved) {
            if (moved != 0)
                follower->verticalScrollBar()->setValue(leader->verticalScrollBar()->value());
        });
    };
    follow(m_ui.txtFilesPreview, m_ui.txtFilesPreviewNew);
    follow(m_ui.txtFilesPreviewNew, m_ui.txtFilesPreview);
    // A summary of several reasons takes a second line rather than being cut off.
    m_ui.lblPreviewProblems->setWordWrap(true);
    m_ui.cmdPreviewProblems->setEnabled(false);
    m_marks = new PreviewMarks(m_ui.txtFilesPreviewNew);
    m_treeLookAhead = new TreeLookAhead(this);
    connect(m_treeLookAhead, &TreeLookAhead::finished, this, &PreviewPage::treeLookAheadFinished);
    connect(m_ui.cmdPreviewProblems, &QPushButton::clicked, this, &PreviewPage::cmdPreviewProblems_Click);
}

PreviewPage::~PreviewPage()
{
    // The job owns its data and reports only to its watcher, which goes with
    // the page: a job still under way finishes unseen.
    dropJobs();
}

PreviewProblemsDialog *PreviewPage::problemsDialog() const
{
    return m_dialog;
}

bool PreviewPage::isLookingAhead() const
{
    // A preview being filled starts its look ahead once its boxes are full.
    return m_folderWatcher || m_factsWatcher || m_treeLookAhead->isBusy() || (m_fill && m_fill->lookingAhead);
}

void PreviewPage::ShowFilesPreview(const FileList &file1, OptionsPage &options, const PreviewLookAhead &lookAhead)
{
    // A preview still being filled gives way to this one.
    m_fill.reset();
    ++m_fillSerial;
    options.loadCounters();
    // Nothing can change the controls or the date while a preview is computed
    // in one go, and one computed a part at a time works from what they were
    // at its start: reading them once gives what reading them per name would.
    auto fill = std::make_unique<PreviewFill>();
    fill->options = options.currentOptions();
    fill->today = options.today();
    fill->counters = options.counters();
    fill->prefixCountText = options.prefixCountText();
    fill->postfixCountText = options.postfixCountText();
    fill->optionsPage = &options;
    fill->lookAhead = lookAhead;
    fill->lookingAhead = !lookAhead.folder.isEmpty();
    const qsizetype count = file1.count();
    fill->selected.reserve(count);
    for (qsizetype index = 0; index < count; ++index) {
        if (file1.isSelected(index))
            fill->selected.append(file1.name(index));
    }
    // The look ahead of an older preview would mark the lines of this one.
    dropJobs();
    m_fill = std::move(fill);
    const FactsNeeded needed = factsNeeded(m_fill->options);
    if (needed == FactsNeeded::None || lookAhead.folder.isEmpty()) {
        // The lines come in the order the run numbers and renames the files.
        m_fill->selected = inNumberingOrder(lookAhead.folder, std::move(m_fill->selected), m_fill->options.numbering);
        startFilling();
        return;
    }
    // Names from what is inside the files wait for the files to be read, beside
    // the window: a folder of 10,000 photos takes seconds.
    emptyBoxes();
    showSummary(tr("Reading the files ..."), {});
    readFactsBeside(needed);
}

void PreviewPage::letGo()
{
    m_fill.reset();
    ++m_fillSerial;
    dropJobs();
    emptyBoxes();
    showSummary(QString(), {});
}

void PreviewPage::dropJobs()
{
    cancelFolderLookAhead();
    cancelFactsRead();
    cancelBoxText();
}

void PreviewPage::emptyBoxes()
{
    m_marks->clear();
    m_treeLookAhead->cancel();
    m_ui.txtFilesPreview->clear();
    m_ui.txtFilesPreviewNew->clear();
}

void PreviewPage::readFactsBeside(FactsNeeded needed)
{
    const QString folderPath = folderPathOf(m_fill->lookAhead.folder);
    auto read = [folderPath, needed, numbering = m_fill->options.numbering,
                 names = m_fill->selected](QPromise<FactsRead> &promise) mutable {
        FactsRead read;
        read.names = inNumberingOrder(folderPath, std::move(names), numbering);
        read.facts.resize(read.names.size());
        // Reading a file is mostly waiting on exiv2's parse of it: a large
        // folder is read in two halves at once, the second on a thread of
        // its own, which halves the wait on a machine with a core to spare.
        // Each half writes its own records of the list, taken once so that no thread detaches it.
        FileFacts *const facts = read.facts.data();
        const QString *const oldNames = read.names.constData();
        const auto readPart = [&](qsizetype from, qsizetype to) {
            for (qsizetype i = from; i < to && !promise.isCanceled(); ++i)
                facts[i] = readFileFacts(folderPath, oldNames[i], needed).facts;
        };
        const qsizetype count = read.names.size();
        const qsizetype half = count / 2;
        if (count >= 64 && QThread::idealThreadCount() > 1) {
            std::thread second(readPart, half, count);
            readPart(0, half);
            second.join();
        } else {
            readPart(0, count);
        }
        if (!promise.isCanceled())
            promise.addResult(std::move(read));
    };
    runBeside(this, m_factsWatcher, std::move(read), [this, serial = m_fillSerial](QFuture<FactsRead> future) {
        if (serial != m_fillSerial || !m_fill || future.resultCount() == 0)
            return;
        FactsRead read = future.takeResult();
        m_fill->selected = std::move(read.names);
        m_fill->facts = std::move(read.facts);
        startFilling();
    });
}

void PreviewPage::cancelFactsRead()
{
    dropJob(m_factsWatcher, this);
}

void PreviewPage::startFilling()
{
    PreviewFill *fill = m_fill.get();
    // Whole folders of 100,000 names are shown: each text is built in full
    // and handed to its box once. The boxes show each name on one line, so
    // that a name holding a line break keeps them line for line.
    const qsizetype lines = fill->selected.size();
    fill->before.reserve(lines, 32);
    fill->after.reserve(lines, 32);
    if (fill->lookingAhead) {
        fill->names.newNames.reserve(lines);
        fill->names.linePositions.reserve(lines + 1);
    }
    if (lines <= m_namesAtOnce) {
        m_fill->appendLines(lines);
        m_marks->clear();
        m_treeLookAhead->cancel();
        m_fill->before.showIn(m_ui.txtFilesPreview);
        m_fill->after.showIn(m_ui.txtFilesPreviewNew);
        finishFilling();
        return;
    }
    // Too many names to compute and show without the window stopping to
    // answer: the boxes empty now, the names are computed a part at a time
    // from the event loop, and the boxes' texts are built beside the window.
    emptyBoxes();
    showSummary(QString(), {});
    fillLater();
}

void PreviewPage::fillLater()
{
    QTimer::singleShot(0, this, [this, serial = m_fillSerial] {
        if (serial != m_fillSerial || !m_fill)
            return;
        if (m_fill->done == m_fill->selected.size()) {
            // One box after the other: a text is held twice while its
            // document is built, and both at once would raise the window's
            // peak memory by a box's text for nothing.
            showBeside(m_ui.txtFilesPreview, std::move(m_fill->before), &PreviewPage::showRightBoxBeside);
            return;
        }
        // Parts that take a few hundredths of a second even on a busy machine.
        const qsizetype part = std::max<qsizetype>(1, m_namesAtOnce / 4);
        // On a machine busy with other work a part takes several times as
        // long: it also ends once it has taken a fortieth of a second.
        const qsizetype end = std::min(m_fill->selected.size(), m_fill->done + part);
        QElapsedTimer spent;
        spent.start();
        while (m_fill->done < end && spent.elapsed() < 25)
            m_fill->appendLines(std::min(end, m_fill->done + 1024));
        fillLater();
    });
}

void PreviewPage::showBeside(QPlainTextEdit *box, LineBlockText &&lines, void (PreviewPage::*then)())
{
    auto build = [lines = std::move(lines), thread = thread()](QPromise<LineBlockDocument> &promise) mutable {
        promise.addResult(std::move(lines).toDocument(thread));
    };
    runBeside(this, m_boxWatcher, std::move(build),
              [this, box, then, serial = m_fillSerial](QFuture<LineBlockDocument> future) {
                  if (serial != m_fillSerial || !m_fill || future.resultCount() == 0)
                      return;
                  future.takeResult().showIn(box);
                  // What the box told of its new text may have started a newer preview.
                  if (serial == m_fillSerial && m_fill)
                      (this->*then)();
              });
}

void PreviewPage::cancelBoxText()
{
    dropJob(m_boxWatcher, this);
}

void PreviewPage::showRightBoxBeside()
{
    showBeside(m_ui.txtFilesPreviewNew, std::move(m_fill->after), &PreviewPage::finishFilling);
}

void PreviewPage::finishFilling()
{
    // Taken off the page first: what follows may start a newer preview.
    const std::unique_ptr<PreviewFill> fill = std::move(m_fill);
    if (fill->optionsPage)
        fill->optionsPage->setCountersAfterPreview(fill->counters);
    const PreviewLookAhead &lookAhead = fill->lookAhead;
    if (!fill->lookingAhead) {
        showSummary(QString(), {});
    } else {
        // Started once both boxes show their text, so that no mark can come
        // before its line, and the look ahead's read of the folder neither
        // slows the window down while it fills them nor adds its memory to
        // theirs: for a million files the two together would pass 1 GB.
        startFolderLookAhead({lookAhead.folder, lookAhead.wholeTree, lookAhead.settings, fill->takeNames()});
        showSummary(
            lookAhead.wholeTree ? tr("Looking through the sub-folders ...") : tr("Looking through the folder ..."), {});
        if (lookAhead.wholeTree)
            startTreeLookAhead(*fill);
    }
    Q_EMIT filesPreviewShown();
}

void PreviewPage::startFolderLookAhead(FolderLookAheadJob &&job)
{
    cancelFolderLookAhead();
    const bool summaryToo = !job.wholeTree;
    auto lookAhead = [job = std::move(job)](QPromise<FolderLookAheadResult> &promise) {
        if (!promise.isCanceled())
            promise.addResult(lookAheadFolder(job));
    };
    // A newer preview replaces the watcher: a result that comes after is stale.
    runBeside(this, m_folderWatcher, std::move(lookAhead), [this, summaryToo](QFuture<FolderLookAheadResult> future) {
        if (future.resultCount() > 0) {
            FolderLookAheadResult result = future.takeResult();
            // A file that gets a number in place of its taken name shows the name it gets.
            if (!result.newLines.isEmpty()) {
                QTextCursor cursor(m_ui.txtFilesPreviewNew->document());
                cursor.beginEditBlock();
                for (const FolderLookAheadResult::NewLine &line : std::as_const(result.newLines)) {
                    cursor.setPosition(line.start);
                    cursor.setPosition(line.start + line.length, QTextCursor::KeepAnchor);
                    cursor.insertText(line.text);
                }
                cursor.endEditBlock();
            }
            m_marks->setMarks(result.marks);
            if (summaryToo)
                showSummary(result.summary, std::move(result.problems));
        }
        lookAheadPartFinished();
    });
}

void PreviewPage::cancelFolderLookAhead()
{
    // The job still finishes reading the folder, but its result is thrown away.
    dropJob(m_folderWatcher, this);
}

void PreviewPage::lookAheadPartFinished()
{
    if (!isLookingAhead())
        Q_EMIT lookAheadShown();
}

void PreviewPage::startTreeLookAhead(const PreviewFill &fill)
{
    TreeLookAheadRequest request;
    request.startFolder = fill.lookAhead.folder;
    request.pattern = fill.lookAhead.pattern;
    request.options = fill.options;
    // The walk counts from the start fields with counters of its own, as a run does.
    request.counters.load(fill.prefixCountText, fill.postfixCountText);
    request.today = fill.today;
    request.settings = fill.lookAhead.settings;
    m_treeLookAhead->start(request);
}

void PreviewPage::treeLookAheadFinished(const TreeSimulation &result)
{
    QString summary = simulationSummary(result.counts, SimulationScope::Tree);
    if (!result.unreadableFolders.isEmpty())
        summary += tr("; %1 folders cannot be read").arg(result.unreadableFolders.size());
    showSummary(summary, result.problems);
    lookAheadPartFinished();
}

void PreviewPage::showSummary(const QString &summary, QList<SimulatedProblem> problems)
{
    QList<SimulatedProblem> old = std::exchange(m_problems, std::move(problems));
    letGoOfBigLists(old.size(), std::move(old));
    m_ui.lblPreviewProblems->setText(summary);
    m_ui.lblPreviewProblems->setToolTip(summary);
    m_ui.cmdPreviewProblems->setEnabled(!m_problems.isEmpty());
    if (m_dialog)
        m_dialog->close();
}

void PreviewPage::cmdPreviewProblems_Click()
{
    if (m_dialog)
        m_dialog->close();
    m_dialog = new PreviewProblemsDialog(m_problems, m_ui.lblPreviewProblems->text(), this);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    // Not modal to the program: the user may keep the list open beside the preview.
    m_dialog->show();
}

} // namespace kestrava
