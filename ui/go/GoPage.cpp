// SPDX-License-Identifier: GPL-3.0-or-later
#include "GoPage.h"

#include "AnchorLayout.h"
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
// In a grown window the two logs share the extra height half and half.
constexpr Anchors FilesModifiedAloneAnchors = Anchor::Right | Anchor::Bottom;
constexpr Anchors FilesModifiedSharedAnchors = Anchor::Right | Anchor::HalfBottom;
constexpr Anchors ErrorLabelAnchors = Anchor::Right | Anchor::HalfTop | Anchor::HalfBottom;
constexpr Anchors ErrorListAnchors = Anchor::Right | Anchor::HalfTop | Anchor::Bottom;

} // namespace

GoPage::GoPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("GoPage"));
    buildLayout();
    buildErrorArea();
    describeControls();
}

void GoPage::showErrorArea(bool shown)
{
    if (shown == isErrorAreaShown())
        return;
    if (shown && m_ui.lblErrorLog->parentWidget() != m_ui.framGo) {
        // The label lies under framGo in the layout; it joins the frame to be seen.
        m_ui.lblErrorLog->setParent(m_ui.framGo);
        m_anchors->place(m_ui.lblErrorLog, LayoutBuilder::pixels(ErrorLabelShared), ErrorLabelAnchors);
        m_anchors->place(m_ui.lstErrorLog, LayoutBuilder::pixels(ErrorListShared), ErrorListAnchors);
    }
    if (shown)
        m_anchors->place(m_ui.txtFilesModified, LayoutBuilder::pixels(FilesModifiedShared), FilesModifiedSharedAnchors);
    else
        m_anchors->place(m_ui.txtFilesModified, LayoutBuilder::pixels(FilesModifiedAlone), FilesModifiedAloneAnchors);
    m_ui.lblErrorLog->setVisible(shown);
    m_ui.lstErrorLog->setVisible(shown);
}

bool GoPage::isErrorAreaShown() const
{
    return m_ui.lstErrorLog->isVisibleTo(m_ui.framGo);
}

} // namespace kestrava
