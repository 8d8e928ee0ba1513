#include "GoPage.h"

#include "LayoutBuilder.h"

#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>

namespace kestrava {

namespace {

// When a run logs errors, the log of modified files gives up the lower part of
// its area to them: the "Errors" label with the count, and the list of texts.
constexpr TwipsRect FilesModifiedAlone{120, 2880, 8895, 3105};
constexpr TwipsRect FilesModifiedShared{120, 2880, 8895, 1905};
constexpr TwipsRect ErrorLabelShared{120, 4860, 8895, 255};
constexpr TwipsRect ErrorListShared{120, 5115, 8895, 870};

} // namespace

GoPage::GoPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("GoPage"));
    buildLayout();
    buildErrorArea();
}

void GoPage::showErrorArea(bool shown)
{
    if (shown == isErrorAreaShown())
        return;
    if (shown && m_ui.lblErrorLog->parentWidget() != m_ui.framGo) {
        // The label lies under framGo in the layout; it joins the frame to be seen.
        m_ui.lblErrorLog->setParent(m_ui.framGo);
        m_ui.lblErrorLog->setGeometry(LayoutBuilder::pixels(ErrorLabelShared));
        m_ui.lstErrorLog->setGeometry(LayoutBuilder::pixels(ErrorListShared));
    }
    m_ui.txtFilesModified->setGeometry(LayoutBuilder::pixels(shown ? FilesModifiedShared : FilesModifiedAlone));
    m_ui.lblErrorLog->setVisible(shown);
    m_ui.lstErrorLog->setVisible(shown);
}

bool GoPage::isErrorAreaShown() const
{
    return m_ui.lstErrorLog->isVisibleTo(m_ui.framGo);
}

} // namespace kestrava
