// SPDX-License-Identifier: GPL-3.0-or-later
#include "KestravaForm.h"

#include "AboutPage.h"
#include "AnchorLayout.h"
#include "ChooseFilesPage.h"
#include "DefaultButton.h"
#include "DropOpener.h"
#include "FileChooserList.h"
#include "FolderChooserList.h"
#include "GoPage.h"
#include "HelpPage.h"
#include "LayoutBuilder.h"
#include "MessageBoxErrorReporter.h"
#include "MessageBoxPrompt.h"
#include "MoreOptionsDialog.h"
#include "PresetController.h"
#include "PresetFormat.h"
#include "OptionsPage.h"
#include "Pictures.h"
#include "PreviewPage.h"
#include "RulesNameSource.h"
#include "RunController.h"
#include "TabStrip.h"
#include "TreeFilesCheck.h"

#include <QAccessibleWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QSet>
#include <QShowEvent>
#include <QTabBar>
#include <QThread>

#include <array>
#include <malloc.h>
#include <utility>

namespace kestrava {

namespace {

// The window's starting size, which is also its smallest, and the strip's place in it.
constexpr TwipsRect StartWindow{0, 0, 9870, 7230};
constexpr TwipsRect StartStrip{0, 0, 9855, 7215};

// The window is a plain widget, which a screen reader would take for a pane
// inside some other program's window: it is told the window is a frame.
QAccessibleInterface *windowAsFrame(const QString &className, QObject *object)
{
    if (className != QLatin1String(KestravaForm::staticMetaObject.className()) || !object->isWidgetType())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
}

} // namespace

KestravaForm::KestravaForm(QWidget *parent)
    : QWidget(parent)
    , m_messageBoxReporter(std::make_unique<MessageBoxErrorReporter>(this))
{
    static const bool frameRole = (QAccessible::installFactory(windowAsFrame), true);
    Q_UNUSED(frameRole);
    // A block of 16 MB or more (the lists of a million-file folder) is mapped
    // on its own and given back to the system when freed. By default the
    // allocator raises that limit to the largest block freed so far, up to
    // 32 MB, and then keeps a million-file preview's freed lists for itself:
    // the run's lists, and the folder read again after it, came on top of
    // them. Fixing the limit also fixes the heap's own give-back point, at
    // 128 kB, which made every smaller step fault its pages in afresh: it is
    // kept at 64 MB.
    static const bool blocksGiveBack =
        ::mallopt(M_MMAP_THRESHOLD, 16 << 20) == 1 && ::mallopt(M_TRIM_THRESHOLD, 64 << 20) == 1;
    Q_UNUSED(blocksGiveBack);
    buildLayout();
    m_treeFilesCheck = new TreeFilesCheck(this);
    connect(m_treeFilesCheck, &TreeFilesCheck::answered, this,
            [this](bool hasFiles) { m_goPage->ui().lblNoFilesSelected->setVisible(!hasFiles); });
    setErrorReporter(nullptr);
    // A run reads the options tab's rules as they stand at each file.
    const OptionsPage *options = m_optionsPage;
    m_runNames = std::make_unique<RulesNameSource>(RulesNameSource::Rules{
        [options] { return options->currentOptions(); }, [options] { return options->today(); },
        [options] { return options->prefixCountText(); }, [options] { return options->postfixCountText(); }});
    m_runController = new RunController(m_goPage, m_chooseFilesPage, m_defaultButton,
                                        RunSources{*folderList(), *fileList(), *m_runNames, m_clock}, this);
    m_runController->setErrorReporter(m_errorReporter);
    m_presetPrompt = std::make_unique<MessageBoxPrompt>(this);
    m_presetController = new PresetController(m_optionsPage, m_optionsPage->moreOptions(), m_presetPrompt.get(),
                                              m_errorReporter, this);
    connect(m_presetController, &PresetController::presetShown, m_runController, &RunController::setPresetName);
    // A preview of a million names holds hundreds of megabytes, which a run
    // of the same million needs for itself; entering the tab shows it afresh.
    connect(m_runController, &RunController::renamingStarts, m_previewPage, &PreviewPage::letGo);
    // Every change of the current tab, by the user or from code, runs its handling.
    connect(m_tabStrip, &QTabWidget::currentChanged, this, &KestravaForm::SSTabStrip_Click);
    Form_Load();
    new DropOpener(this);
}

void KestravaForm::showNoFilesNote()
{
    QLabel *note = m_goPage->ui().lblNoFilesSelected;
    m_treeFilesCheck->cancel();
    // The note is about the folder the user opened last.
    folderList()->waitForListing();
    // A run of the current folder renames its selection; "All Files in Current
    // Folder" has selected all it lists.
    if (!m_chooseFilesPage->ui().optAllFiles->isChecked()) {
        note->setVisible(fileList()->selectedCount() == 0);
        return;
    }
    // The walk starts with the files listed here; without any, its sub-folders
    // may still hold some, and the note waits for the answer.
    note->hide();
    if (fileList()->count() == 0)
        m_treeFilesCheck->start(fileList()->folder(), fileList()->pattern());
}

KestravaForm::~KestravaForm() = default;

FileChooserList *KestravaForm::fileList() const
{
    return m_chooseFilesPage->fileList();
}

FolderChooserList *KestravaForm::folderList() const
{
    return m_chooseFilesPage->folderList();
}

void KestravaForm::setErrorReporter(ErrorReporter *reporter)
{
    m_errorReporter = reporter ? reporter : m_messageBoxReporter.get();
    m_chooseFilesPage->setErrorReporter(m_errorReporter);
    if (m_runController)
        m_runController->setErrorReporter(m_errorReporter);
    if (m_presetController)
        m_presetController->setErrorReporter(m_errorReporter);
}

QTabWidget *KestravaForm::SSTabStrip() const
{
    return m_tabStrip;
}

void KestravaForm::ShowSampleMask()
{
    m_optionsPage->ShowSampleMask();
}

std::expected<QString, RenameError> KestravaForm::BuildNewFilename(const QString &strFileName)
{
    return m_optionsPage->BuildNewFilename(strFileName);
}

bool KestravaForm::openFolder(const QString &folder)
{
    bool opened = false;
    m_errorReporter->runGuarded([&] {
        if (const auto moved = folderList()->open(folder); !moved) {
            m_errorReporter->showError(ErrorReporter::programTitle(), moved.error());
            return;
        }
        opened = true;
        m_tabStrip->setCurrentIndex(int(Tab::ChooseFiles));
    });
    return opened;
}

QStringList KestravaForm::selectFiles(const QStringList &names)
{
    // The names are of the folder opened last, which may still be being read.
    if (!folderList()->waitForListing())
        return names;
    m_chooseFilesPage->ui().optSelectedFiles->setChecked(true);
    FileChooserList *files = fileList();
    files->deselectAll();
    QSet<QString> unlisted(names.cbegin(), names.cend());
    const QAbstractItemModel *model = files->selectionModel()->model();
    QItemSelection selection;
    for (qsizetype row = 0; row < files->count() && !unlisted.isEmpty(); ++row) {
        if (unlisted.remove(files->name(row))) {
            const QModelIndex index = model->index(int(row), 0);
            selection.select(index, index);
        }
    }
    files->selectionModel()->select(selection, QItemSelectionModel::Select);
    if (!selection.isEmpty())
        m_chooseFilesPage->ui().File1->scrollTo(selection.constFirst().topLeft());
    QStringList result;
    for (const QString &name : names) {
        if (unlisted.contains(name))
            result.append(name);
    }
    return result;
}

void KestravaForm::setDefaultButton(QPushButton *button)
{
    m_defaultButton->setButton(button);
}

QPushButton *KestravaForm::defaultButton() const
{
    return m_defaultButton->button();
}

bool KestravaForm::runInProgress() const
{
    return m_runController->runInProgress();
}

void KestravaForm::setClock(const RunClock *clock)
{
    m_clock.choose(clock);
}

void KestravaForm::closeEvent(QCloseEvent *event)
{
    if (m_runController->stopThen([this] { close(); })) {
        event->ignore();
        return;
    }
    if (m_remembering)
        remember();
    QWidget::closeEvent(event);
}

void KestravaForm::buildLayout()
{
    setObjectName(QStringLiteral("KestravaForm"));
    setWindowTitle(tr("Kestrava  -  Quorvel  -  V1.3  |  by Dunsmore"));
    setWindowIcon(Pictures::windowIcon());
    // The classic grey desktop: window, buttons and frames all share one grey.
    setPalette(QPalette(LayoutBuilder::greyColour()));
    setAutoFillBackground(true);
    setFont(LayoutBuilder::font({FontFace::MsSansSerif, 8.25, true}));
    setMinimumSize(LayoutBuilder::pixels(StartWindow).size());
    resize(minimumSize());

    m_tabStrip = new TabStrip(this);
    m_tabStrip->setFont(LayoutBuilder::font({FontFace::MsSansSerif, 8.25, false}));
    m_tabStrip->setGeometry(LayoutBuilder::pixels(StartStrip));
    addTabs();
    // The blank tab between the steps and the fixed pages takes whatever width the
    // row gains, so the steps stay at the left and Help, About and Exit at the right.
    m_tabStrip->setSpacerTab(int(Tab::Spacer), m_tabStrip->width());
    // Its caption is blank; a screen reader says what choosing it does.
    m_tabStrip->tabBar()->setAccessibleTabName(int(Tab::Spacer), tr("Blank, shows Help"));
    // The layout leaves the options tab current; start-up moves to the first.
    m_tabStrip->setCurrentIndex(int(Tab::SetOptions));

    // The More Options dialog is a window of its own beside the tabs, not a
    // control of the Set Options page.
    QWidget *moreOptions = m_optionsPage->moreOptions();
    moreOptions->setParent(this, moreOptions->windowFlags());

    m_defaultButton = new DefaultButton(this);
    setDefaultButton(m_goPage->ui().StartButton);
}

void KestravaForm::addTabs()
{
    m_chooseFilesPage = new ChooseFilesPage;
    m_optionsPage = new OptionsPage(m_clock);
    m_previewPage = new PreviewPage;
    m_goPage = new GoPage;
    m_helpPage = new HelpPage;
    m_aboutPage = new AboutPage;
    auto *spacerPage = new QWidget;
    spacerPage->setObjectName(QStringLiteral("SpacerPage"));
    auto *exitPage = new QWidget;
    exitPage->setObjectName(QStringLiteral("ExitPage"));

    const std::array<std::pair<QWidget *, QString>, 8> tabs{{
        {m_chooseFilesPage, tr("&Choose Files...")},
        {m_optionsPage, tr("&Set Options...")},
        {m_previewPage, tr("&Preview Results...")},
        {m_goPage, tr("&Go !")},
        {spacerPage, QStringLiteral("    ")},
        {m_helpPage, tr("&Help")},
        {m_aboutPage, tr("&About")},
        {exitPage, tr("E&xit")},
    }};
    for (const auto &[page, caption] : tabs) {
        // The pages paint the window's grey rather than the pane's lighter shade.
        page->setAutoFillBackground(true);
        m_tabStrip->addTab(page, caption);
    }
}

void KestravaForm::InitData()
{
    m_chooseFilesPage->fileTypeTable().fill();
}

void KestravaForm::SetReadyToGo()
{
    showNoFilesNote();
    m_goPage->ui().txtFilesModified->clear();
    m_runController->updateUndoButton();
}

void KestravaForm::Form_Load()
{
    InitData();
    centreOnScreen();
    // The layout has "All Files in Current Folder" chosen: this clears the selection.
    m_chooseFilesPage->ui().optSelectedFiles->setChecked(true);
    m_goPage->ui().StopButton->setEnabled(false);
    m_chooseFilesPage->fillFileSpecCombo();
    // The layout leaves "Set Options..." current, so this runs the first tab's handling.
    m_tabStrip->setCurrentIndex(int(Tab::ChooseFiles));
}

void KestravaForm::Form_Activate()
{
    QComboBox *filter = m_chooseFilesPage->ui().FileSpecCombo;
    filter->setEditText(filter->itemText(0));
    // Of the two things the folder list could do here, focus is what helps: the
    // keyboard user starts on the folders, and the lists are fresh from Load.
    m_chooseFilesPage->ui().Dir1->setFocus();
}

void KestravaForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_activated)
        return;
    m_activated = true;
    Form_Activate();
}

void KestravaForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (!m_tabStrip)
        return;
    // A window manager may still squeeze the window below its smallest size; the
    // controls then keep their starting places and the window clips them.
    const QSize growth = (event->size() - LayoutBuilder::pixels(StartWindow).size()).expandedTo(QSize(0, 0));
    m_tabStrip->resize(LayoutBuilder::pixels(StartStrip).size() + growth);
    AnchorLayout::growAll(m_tabStrip, growth);
}

namespace {

QSettings rememberedSettings()
{
    // Beside the presets: $XDG_CONFIG_HOME/kestrava/<app id>.conf.
    return QSettings(QStringLiteral("kestrava"), QStringLiteral(KESTRAVA_APP_ID));
}

/// True when some screen shows enough of \a place to take hold of the window.
bool onSomeScreen(const QRect &place)
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    return std::any_of(screens.cbegin(), screens.cend(), [&place](const QScreen *screen) {
        const QRect shown = screen->availableGeometry().intersected(place);
        return shown.width() >= std::min(place.width(), 100) && shown.height() >= std::min(place.height(), 50);
    });
}

} // namespace

void KestravaForm::rememberBetweenStarts()
{
    m_remembering = true;
    QSettings settings = rememberedSettings();
    const QRect place = settings.value(QStringLiteral("window/geometry")).toRect();
    if (place.isValid()) {
        if (onSomeScreen(place)) {
            setGeometry(QRect(place.topLeft(), place.size().expandedTo(minimumSize())));
        } else {
            resize(place.size().expandedTo(minimumSize()));
            centreOnScreen();
        }
    }
    if (settings.value(QStringLiteral("window/maximised")).toBool())
        setWindowState(windowState() | Qt::WindowMaximized);
    if (!settings.value(QStringLiteral("options/remember")).toBool())
        return;
    m_optionsPage->moreOptions()->ui().chkRememberOptions->setChecked(true);
    // Read as a preset is, corrected alike; nothing runs until the user asks.
    const presets::ReadPreset remembered =
        presets::fromJson(settings.value(QStringLiteral("options/values")).toByteArray());
    m_presetController->apply(remembered.values);
}

void KestravaForm::remember() const
{
    QSettings settings = rememberedSettings();
    settings.setValue(QStringLiteral("window/geometry"), normalGeometry());
    settings.setValue(QStringLiteral("window/maximised"), isMaximized());
    const bool options = m_optionsPage->moreOptions()->ui().chkRememberOptions->isChecked();
    settings.setValue(QStringLiteral("options/remember"), options);
    if (options)
        settings.setValue(QStringLiteral("options/values"), presets::toJson(m_presetController->values()));
    else
        settings.remove(QStringLiteral("options/values"));
}

void KestravaForm::centreOnScreen()
{
    // Worked out in twips, each dimension halved by integer division, as the
    // window's layout is given; then back to pixels. Left goes before top.
    const QRect area = screen()->geometry();
    const int left = LayoutBuilder::twips(area.width()) / 2 - LayoutBuilder::twips(width()) / 2;
    const int top = LayoutBuilder::twips(area.height()) / 2 - LayoutBuilder::twips(height()) / 2;
    move(area.x() + LayoutBuilder::pixels(left), y());
    move(x(), area.y() + LayoutBuilder::pixels(top));
}

KestravaForm::Tab KestravaForm::currentTab() const
{
    return Tab(m_tabStrip->currentIndex());
}

// Each test reads the current tab afresh: the spacer's block moves on to Help,
// and the later tests then see Help.
void KestravaForm::SSTabStrip_Click()
{
    m_errorReporter->runGuarded([this] {
        const bool stepsHeld = runInProgress();
        if (currentTab() == Tab::ChooseFiles && !stepsHeld)
            enterChooseFilesTab();
        // The previews keep counters of their own, apart from a run's, so
        // they may refresh while a run is under way.
        if (currentTab() == Tab::SetOptions)
            enterSetOptionsTab();
        if (currentTab() == Tab::PreviewResults)
            enterPreviewResultsTab();
        if (currentTab() == Tab::Go && !stepsHeld)
            SetReadyToGo();
        if (currentTab() == Tab::Spacer)
            m_tabStrip->setCurrentIndex(int(Tab::Help));
        if (currentTab() == Tab::Exit)
            endProgram();
    });
}

void KestravaForm::enterChooseFilesTab()
{
    if (const auto reRead = m_chooseFilesPage->reReadLists(); !reRead)
        m_errorReporter->showError(ErrorReporter::programTitle(), reRead.error());
}

void KestravaForm::enterSetOptionsTab()
{
    ShowSampleMask();
}

void KestravaForm::enterPreviewResultsTab()
{
    // The look ahead works with what a Start would: the listed folder, its
    // filter, the scope and the read-only choice.
    folderList()->waitForListing();
    const Ui::ChooseFilesPage &chooser = m_chooseFilesPage->ui();
    PreviewLookAhead lookAhead;
    lookAhead.folder = fileList()->folder();
    lookAhead.pattern = fileList()->pattern();
    lookAhead.wholeTree = chooser.optAllFiles->isChecked();
    lookAhead.settings.ignoreReadOnly = chooser.chkIgnoreReadOnly->isChecked();
    lookAhead.settings.whenTaken = m_optionsPage->currentOptions().whenTaken;
    m_previewPage->ShowFilesPreview(*fileList(), *m_optionsPage, lookAhead);
}

void KestravaForm::endProgram()
{
    Q_EMIT endingProgram();
    // A run yielding inside the event loop ends first, after its file in hand.
    if (m_runController->stopThen([this] { endProgram(); }))
        return;
    // Without a running event loop there is nothing to leave, and an exit
    // asked for then would end the next loop the moment it starts.
    if (thread()->loopLevel() > 0)
        QCoreApplication::exit(0);
}

} // namespace kestrava
