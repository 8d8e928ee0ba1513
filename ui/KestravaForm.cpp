#include "KestravaForm.h"

#include "AboutPage.h"
#include "ChooseFilesPage.h"
#include "DefaultButton.h"
#include "FileChooserList.h"
#include "FolderChooserList.h"
#include "MessageBoxErrorReporter.h"
#include "GoPage.h"
#include "HelpPage.h"
#include "LayoutBuilder.h"
#include "OptionsNameSource.h"
#include "OptionsPage.h"
#include "Pictures.h"
#include "PreviewPage.h"
#include "RunController.h"
#include "TabStrip.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QRadioButton>

#include <array>
#include <utility>

namespace kestrava {

KestravaForm::KestravaForm(QWidget *parent)
    : QWidget(parent)
    , m_messageBoxReporter(std::make_unique<MessageBoxErrorReporter>(this))
{
    buildLayout();
    setErrorReporter(nullptr);
    m_runNames = std::make_unique<OptionsNameSource>(m_optionsPage);
    m_runController = new RunController(this, RunSources{*folderList(), *fileList(), *m_runNames});
    Form_Load();
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

void KestravaForm::closeEvent(QCloseEvent *event)
{
    if (m_runController->stopThen([this] { close(); })) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void KestravaForm::buildLayout()
{
    setObjectName(QStringLiteral("KestravaForm"));
    setWindowTitle(QStringLiteral("Kestrava  -  Quorvel  -  V1.3  |  by Dunsmore"));
    setWindowIcon(Pictures::windowIcon());
    // The classic grey desktop: window, buttons and frames all share one grey.
    setPalette(QPalette(LayoutBuilder::greyColour()));
    setAutoFillBackground(true);
    setFont(LayoutBuilder::font({FontFace::MsSansSerif, 8.25, true}));
    setFixedSize(LayoutBuilder::pixels(9870), LayoutBuilder::pixels(7230));

    m_tabStrip = new TabStrip(this);
    m_tabStrip->setFont(LayoutBuilder::font({FontFace::MsSansSerif, 8.25, false}));
    m_tabStrip->setGeometry(LayoutBuilder::pixels(TwipsRect{0, 0, 9855, 7215}));
    addTabs();
    // The layout leaves the options tab current; start-up moves to the first.
    m_tabStrip->setCurrentIndex(int(Tab::SetOptions));

    m_defaultButton = new DefaultButton(this);
    setDefaultButton(m_goPage->StartButton());
}

void KestravaForm::addTabs()
{
    m_chooseFilesPage = new ChooseFilesPage;
    m_optionsPage = new OptionsPage;
    m_previewPage = new PreviewPage;
    m_goPage = new GoPage;
    m_helpPage = new HelpPage;
    m_aboutPage = new AboutPage;
    auto *spacerPage = new QWidget;
    spacerPage->setObjectName(QStringLiteral("SpacerPage"));
    auto *exitPage = new QWidget;
    exitPage->setObjectName(QStringLiteral("ExitPage"));

    const std::array<std::pair<QWidget *, QString>, 8> tabs{{
        {m_chooseFilesPage, QStringLiteral("&Choose Files...")},
        {m_optionsPage, QStringLiteral("&Set Options...")},
        {m_previewPage, QStringLiteral("&Preview Results...")},
        {m_goPage, QStringLiteral("&Go !")},
        {spacerPage, QStringLiteral("    ")},
        {m_helpPage, QStringLiteral("&Help")},
        {m_aboutPage, QStringLiteral("&About")},
        {exitPage, QStringLiteral("E&xit")},
    }};
    for (const auto &[page, caption] : tabs) {
        // The pages paint the window's grey rather than the pane's lighter shade.
        page->setAutoFillBackground(true);
        m_tabStrip->addTab(page, caption);
    }
}

void KestravaForm::Form_Load()
{
    // The running program starts on the first tab, with the selected-files scope and
    // no run to stop, whatever the layout shows.
    m_chooseFilesPage->optSelectedFiles()->setChecked(true);
    m_goPage->StopButton()->setEnabled(false);
    m_tabStrip->setCurrentIndex(int(Tab::ChooseFiles));
}

} // namespace kestrava
