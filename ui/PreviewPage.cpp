#include "PreviewPage.h"

#include "FileList.h"
#include "FileNameBytes.h"
#include "KeyPressFilter.h"
#include "LineBlockText.h"
#include "NewFilename.h"
#include "OptionsPage.h"
#include "PreviewMarks.h"
#include "PreviewProblemsDialog.h"
#include "TreeLookAhead.h"

#include <QFutureWatcher>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPromise>
#include <QPushButton>
#include <QThreadPool>

#include <array>
#include <future>
#include <memory>

namespace kestrava {

namespace {

// The reasons of a folder's marks, each text made once: a folder of 100,000
// unchanged files has one reason, shared by every mark.
class ReasonTexts
{
public:
    QString text(const SimulatedFile &file, const RenameError *error)
    {
        const std::size_t key = std::size_t(file.outcome) * 2 + (file.becomesHidden ? 1 : 0);
        Cached &cached = m_cached[key];
        const QString message = error ? error->message : QString();
        const int cause = error ? int(error->cause) : -1;
        if (!cached.valid || cached.message != message || cached.cause != cause)
            cached = {true, message, cause, simulatedReasonText(file, error)};
        return cached.text;
    }

private:
    struct Cached
    {
        bool valid = false;
        QString message;
        int cause = -1;
        QString text;
    };
    std::array<Cached, simulatedOutcomeCount * 2> m_cached;
};

} // namespace

/// The names the look ahead over the current folder works with, computed by
/// the window for its boxes: its own copies, so that it can outlive the page.
struct FolderLookAheadNames
{
    QList<QString> oldNames;
    QList<std::expected<QString, RenameError>> newNames;
    /// Where each line of the new names starts in their box, and where the text ends.
    QList<int> linePositions;
};

/// What the look ahead over the current folder works from. It starts reading
/// the folder as soon as the preview starts; the names follow once the window
/// has computed them.
struct FolderLookAheadJob
{
    QString folder;
    /// The scope is "All Files including Sub-Folders": the tree's walk gives the summary.
    bool wholeTree = false;
    SimulationSettings settings;
    /// At least the number of names to come, for sizing the folder's table.
    qsizetype expectedFiles = 0;
    std::shared_ptr<std::future<FolderLookAheadNames>> names;
};

/// The marks of the current folder's files, and the summary of them.
struct FolderLookAheadResult
{
    QList<LineMark> marks;
    QString summary;
    QList<SimulatedProblem> problems;
};

namespace {

// Runs on a pool thread: reads the folder as the run would find it and works
// out the marks, touching nothing of the window.
FolderLookAheadResult lookAheadFolder(const FolderLookAheadJob &job)
{
    FolderLookAheadResult result;
    FolderLookAheadNames names;
    // The folder is read while the window computes the names; only then does
    // the look ahead wait for them.
    const auto files = simulateFolder(
        job.folder, job.expectedFiles,
        [&] {
            names = job.names->get();
            return SimulatedFolderFiles{names.oldNames, names.newNames};
        },
        job.settings);
    if (!files) {
        result.summary = job.folder + QStringLiteral(": ") + files.error();
        return result;
    }
    const QString folderPath = job.folder.endsWith(u'/') ? job.folder : job.folder + u'/';
    SimulationCounts counts;
    for (const SimulatedFile &file : *files)
        counts.add(file);
    // Every line may be marked: a folder of unchanged files is.
    const qsizetype marked = counts.notRenamed() + counts.becomeHidden;
    result.marks.reserve(marked);
    result.problems.reserve(marked);
    ReasonTexts reasons;
    for (qsizetype i = 0; i < files->size(); ++i) {
        const SimulatedFile &file = files->at(i);
        if (file.outcome == SimulatedOutcome::Renamed && !file.becomesHidden)
            continue;
        const auto &newName = names.newNames.at(i);
        const QString reason = reasons.text(file, newName ? nullptr : &newName.error());
        const int start = names.linePositions.at(i);
        result.marks.append({start, names.linePositions.at(i + 1) - start - 1, file, reason});
        result.problems.append({folderPath, names.oldNames.at(i), newName.value_or(QString()), file, reason});
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
    }
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
    cancelFolderLookAhead();
}

PreviewProblemsDialog *PreviewPage::problemsDialog() const
{
    return m_dialog;
}

bool PreviewPage::isLookingAhead() const
{
    return m_folderWatcher || m_treeLookAhead->isBusy();
}

void PreviewPage::ShowFilesPreview(const FileList &file1, OptionsPage &options, const PreviewLookAhead &lookAhead)
{
    options.loadCounters();
    // Nothing can change the controls or the date while this loop runs (it never
    // yields), so reading them once gives what reading them per name would.
    const RenameOptions current = options.currentOptions();
    const QDate today = options.today();
    NameCounters &counters = options.counters();
    const bool lookingAhead = !lookAhead.folder.isEmpty();

    // Whole folders of 100,000 names are shown: each text is built in full
    // and handed to its box once. The boxes show each name on one line, so
    // that a name holding a line break keeps them line for line.
    LineBlockText before;
    LineBlockText after;
    const qsizetype count = file1.count();
    before.reserve(count, 32);
    after.reserve(count, 32);
    // The look ahead starts at once on its thread with reading the folder,
    // the longest part of its work, and takes the names when they are ready.
    std::promise<FolderLookAheadNames> lookAheadNames;
    if (lookingAhead) {
        startFolderLookAhead({lookAhead.folder, lookAhead.wholeTree, lookAhead.settings, count,
                              std::make_shared<std::future<FolderLookAheadNames>>(lookAheadNames.get_future())});
    } else {
        cancelFolderLookAhead();
    }
    FolderLookAheadNames names;
    if (lookingAhead) {
        names.oldNames.reserve(count);
        names.newNames.reserve(count);
        names.linePositions.reserve(count + 1);
    }
    int position = 0;
    for (qsizetype index = 0; index < count; ++index) {
        if (!file1.isSelected(index))
            continue;
        const QString name = file1.name(index);
        auto newName = BuildNewFilename(name, current, counters, today);
        const QString shownNew = displayFileName(newName.value_or(QString()));
        before.appendLine(displayFileName(name));
        after.appendLine(shownNew);
        if (lookingAhead) {
            names.oldNames.append(name);
            names.newNames.append(std::move(newName));
            names.linePositions.append(position);
        }
        position += int(shownNew.size()) + 1;
    }
    names.linePositions.append(position);
    // Always given, so that the look ahead never waits in vain.
    lookAheadNames.set_value(std::move(names));
    m_marks->clear();
    m_treeLookAhead->cancel();
    before.showIn(m_ui.txtFilesPreview);
    after.showIn(m_ui.txtFilesPreviewNew);
    if (!lookingAhead) {
        showSummary(QString(), {});
    } else {
        showSummary(
            lookAhead.wholeTree ? tr("Looking through the sub-folders ...") : tr("Looking through the folder ..."), {});
        if (lookAhead.wholeTree)
            startTreeLookAhead(lookAhead, options);
    }
    Q_EMIT filesPreviewShown();
}

void PreviewPage::startFolderLookAhead(FolderLookAheadJob &&job)
{
    cancelFolderLookAhead();
    const bool summaryToo = !job.wholeTree;
    auto promise = std::make_shared<QPromise<FolderLookAheadResult>>();
    auto *watcher = new QFutureWatcher<FolderLookAheadResult>(this);
    m_folderWatcher = watcher;
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, summaryToo] {
        // A newer preview has replaced the watcher: this result is stale.
        if (watcher != m_folderWatcher)
            return;
        m_folderWatcher = nullptr;
        watcher->deleteLater();
        if (watcher->future().resultCount() > 0) {
            FolderLookAheadResult result = watcher->future().takeResult();
            m_marks->setMarks(result.marks);
            if (summaryToo)
                showSummary(result.summary, std::move(result.problems));
        }
        lookAheadPartFinished();
    });
    promise->start();
    watcher->setFuture(promise->future());
    QThreadPool::globalInstance()->start([promise, job = std::move(job)] {
        if (!promise->isCanceled())
            promise->addResult(lookAheadFolder(job));
        promise->finish();
    });
}

void PreviewPage::cancelFolderLookAhead()
{
    if (!m_folderWatcher)
        return;
    // The job still finishes reading the folder, but its result is thrown away.
    m_folderWatcher->future().cancel();
    m_folderWatcher->disconnect(this);
    m_folderWatcher->deleteLater();
    m_folderWatcher = nullptr;
}

void PreviewPage::lookAheadPartFinished()
{
    if (!isLookingAhead())
        Q_EMIT lookAheadShown();
}

void PreviewPage::startTreeLookAhead(const PreviewLookAhead &lookAhead, const OptionsPage &options)
{
    TreeLookAheadRequest request;
    request.startFolder = lookAhead.folder;
    request.pattern = lookAhead.pattern;
    request.options = options.currentOptions();
    // The walk counts from the start fields with counters of its own, as a run does.
    request.counters.load(options.prefixCountText(), options.postfixCountText());
    request.today = options.today();
    request.settings = lookAhead.settings;
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
    m_problems = std::move(problems);
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
