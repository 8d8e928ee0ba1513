#include "KestravaForm.h"

#include "AboutPage.h"
#include "ChooseFilesPage.h"
#include "DefaultButton.h"
#include "DiskFileList.h"
#include "DiskFolderList.h"
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

namespace kestrava {

KestravaForm::KestravaForm(QWidget *parent)
    : QWidget(parent)
{
    buildLayout();
    m_runFiles = std::make_unique<DiskFileList>();
    m_runFolders = std::make_unique<DiskFolderList>(*m_runFiles);
    m_runNames = std::make_unique<OptionsNameSource>(m_optionsPage);
    m_runController = new RunController(this, RunSources{*m_runFolders, *m_runFiles, *m_runNames});
    Form_Load();
}

KestravaForm::~KestravaForm() = default;

QTabWidget *KestravaForm::SSTabStrip() const
{
    return m_tabStrip;
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
    if (m_runController->closeAfterRun()) {
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

    m_tabStrip->addTab(m_chooseFilesPage, QStringLiteral("&Choose Files..."));
    m_tabStrip->addTab(m_optionsPage, QStringLiteral("&Set Options..."));
    m_tabStrip->addTab(m_previewPage, QStringLiteral("&Preview Results..."));
    m_tabStrip->addTab(m_goPage, QStringLiteral("&Go !"));
    m_tabStrip->addTab(spacerPage, QStringLiteral("    "));
    m_tabStrip->addTab(m_helpPage, QStringLiteral("&Help"));
    m_tabStrip->addTab(m_aboutPage, QStringLiteral("&About"));
    m_tabStrip->addTab(exitPage, QStringLiteral("E&xit"));
}

void KestravaForm::Form_Load()
{
    m_chooseFilesPage->optSelectedFiles()->setChecked(true);
    m_goPage->StopButton()->setEnabled(false);
    m_tabStrip->setCurrentIndex(int(Tab::ChooseFiles));
}

} // namespace kestrava
