// SPDX-License-Identifier: GPL-3.0-or-later
#include "GoPage.h"

#include "Accessibility.h"
#include "AnchorLayout.h"
#include "LayoutBuilder.h"

#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

namespace kestrava {

namespace {

using A = Anchor;
using K = ControlKind;
using F = ControlFlag;
using namespace SharedLook;
constexpr FontStyle ArialRegular{FontFace::Arial, 9.75, false};
constexpr FontStyle RowCaption{FontFace::Arial, 9.0, true};
constexpr FontStyle LogFont{FontFace::Arial, 8.25, true};
constexpr TextColour Green = TextColour::Green;

// "CURRENT FOLDER :" in Arial 9 bold needs 119 pixels, more than 1695 twips give, so
// the row captions reach a little further on both sides, still clear of the values.
constexpr int CaptionLeft = 60;
constexpr int CaptionWidth = 1890 - CaptionLeft;

// clang-format off
// The two labels come before framGo, which lies over them and hides them.
constexpr ControlRow Layout[] = {
    {u"Label4", K::Label, {}, {240, 495, 8535, 360},
     QT_TRANSLATE_NOOP("kestrava::GoPage", "Step 4 : Press Start if you are happy to proceed ..."), {},
     Heading, Blue},
    {u"lblFilesModified", K::Label, {}, {360, 3720, 4455, 255},
     QT_TRANSLATE_NOOP("kestrava::GoPage", "Files Modified"), {}, ArialBold, Blue},
    {u"lblErrorLog", K::Label, {}, {4920, 4340, 4455, 255},
     QT_TRANSLATE_NOOP("kestrava::GoPage", "Errors"), {}, ArialBold, Blue, F::Hidden},
    {u"framGo", K::Frame, {}, {240, 840, 9375, 6120}, {}, {}, {}, {}, F::FillBackground},
    {u"StartButton", K::Button, u"framGo", {120, 360, 1095, 375}, QT_TRANSLATE_NOOP("kestrava::GoPage", "Start")},
    {u"StopButton", K::Button, u"framGo", {1440, 360, 1095, 375}, QT_TRANSLATE_NOOP("kestrava::GoPage", "Stop")},
    {u"cmdUndo", K::Button, u"framGo", {2760, 360, 2400, 375},
     QT_TRANSLATE_NOOP("kestrava::GoPage", "&Undo Last Run"), {}, {}, {}, F::Disabled},
    // Beside three buttons the note takes two lines.
    {u"lblNoFilesSelected", K::Label, u"framGo", {5280, 300, 3735, 540},
     QT_TRANSLATE_NOOP("kestrava::GoPage", "Note : You have not selected any files to Rename !"),
     {}, ArialRegular, TextColour::Red, F::Hidden | F::WordWrap | F::Middle},
    {u"framProgress", K::Frame, u"framGo", {120, 960, 8895, 1785},
     QT_TRANSLATE_NOOP("kestrava::GoPage", "Progress"), {}, FrameCaption, Blue},
    {u"lblCurrentDir", K::Label, u"framProgress", {CaptionLeft, 360, CaptionWidth, 255},
     QT_TRANSLATE_NOOP("kestrava::GoPage", "CURRENT FOLDER :"), {}, RowCaption, {}, F::RightAligned},
    {u"CurrentDirLabel", K::Label, u"framProgress", {1920, 360, 6315, 255}, u"    ", {}, ArialBold, Green},
    {u"lblCurrentFile", K::Label, u"framProgress", {CaptionLeft, 720, CaptionWidth, 255},
     QT_TRANSLATE_NOOP("kestrava::GoPage", "CURRENT FILE :"), {}, RowCaption, {}, F::RightAligned},
    {u"FileNameLabel", K::Label, u"framProgress", {1920, 720, 6315, 255}, {}, {}, ArialBold, Green},
    {u"lblNumRenamed", K::Label, u"framProgress", {CaptionLeft, 1080, CaptionWidth, 255},
     QT_TRANSLATE_NOOP("kestrava::GoPage", "NO. RENAMED :"), {}, RowCaption, {}, F::RightAligned},
    // The summary of an undo is a little longer than a run's: the counter takes
    // the frame's width.
    {u"lblFileCounter", K::Label, u"framProgress", {1920, 1080, 6855, 255}, {}, {}, ArialBold, Green},
    {u"StatusLabel", K::Label, u"framProgress", {CaptionLeft, 1440, CaptionWidth, 255},
     QT_TRANSLATE_NOOP("kestrava::GoPage", "STATUS :"), {}, RowCaption, {}, F::RightAligned},
    {u"lblStatus", K::Label, u"framProgress", {1920, 1440, 3075, 255}, u"    ", {}, ArialBold, Green},
    // The log only shows what a run renamed; nothing typed into it is kept.
    {u"txtFilesModified", K::MultiLineText, u"framGo", {120, 2880, 8895, 3105},
     QT_TRANSLATE_NOOP("kestrava::GoPage", "Files Modified\n"), {}, LogFont, {},
     F::ReadOnly},
    // The frame's four rows fill its height, and the status is short: the bar
    // takes the rest of the status row, clear of the longest status.
    {u"prgRun", K::ProgressBar, u"framProgress", {5115, 1440, 3660, 255}, {}, {}, ArialRegular},
};

// The log of renamed files takes the extra width and height (shared with the error
// list while that shows, see GoPage::showErrorArea); the progress frame and its
// folder and file names widen, so that long paths show. The buttons stay put.
constexpr ControlAnchor Anchoring[] = {
    {u"framGo", A::Right | A::Bottom},
    {u"framProgress", A::Right},
    {u"CurrentDirLabel", A::Right},
    {u"FileNameLabel", A::Right},
    {u"txtFilesModified", A::Right | A::Bottom},
};
// clang-format on

constexpr AccessibleText Names[] = {
    {u"prgRun", QT_TRANSLATE_NOOP("kestrava::GoPage", "Progress of the run")},
};
// Each progress caption labels the value beside it, which a screen reader reads
// and announces as it changes.
constexpr LabelledField Fields[] = {
    {u"lblFilesModified", u"txtFilesModified"}, {u"lblErrorLog", u"lstErrorLog"},
    {u"lblCurrentDir", u"CurrentDirLabel"},     {u"lblCurrentFile", u"FileNameLabel"},
    {u"lblNumRenamed", u"lblFileCounter"},      {u"StatusLabel", u"lblStatus"},
};

} // namespace

void GoPage::buildErrorArea()
{
    m_ui.lstErrorLog = new QListView(m_ui.framGo);
    m_ui.lstErrorLog->setObjectName(QStringLiteral("lstErrorLog"));
    // A tree walk over files without a dot can log an error per file.
    m_ui.lstErrorLog->setUniformItemSizes(true);
    m_ui.lstErrorLog->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_ui.lstErrorLog->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_ui.lstErrorLog->setFont(LayoutBuilder::font(LogFont));
    // No room at all until a run logs an error (see showErrorArea()).
    m_ui.lstErrorLog->setGeometry(QRect());
    m_ui.lstErrorLog->setAccessibleName(tr("Errors"));
    m_ui.lstErrorLog->hide();
}

void GoPage::buildLayout()
{
    LayoutBuilder::build(this, Layout);
    m_anchors = new AnchorLayout(this, Anchoring);
    const auto bind = [this](auto *&control, const char *name) { LayoutBuilder::bind(this, control, name); };
    bind(m_ui.lblErrorLog, "lblErrorLog");
    bind(m_ui.framGo, "framGo");
    bind(m_ui.StartButton, "StartButton");
    bind(m_ui.StopButton, "StopButton");
    bind(m_ui.cmdUndo, "cmdUndo");
    bind(m_ui.lblNoFilesSelected, "lblNoFilesSelected");
    bind(m_ui.framProgress, "framProgress");
    bind(m_ui.CurrentDirLabel, "CurrentDirLabel");
    bind(m_ui.FileNameLabel, "FileNameLabel");
    bind(m_ui.lblFileCounter, "lblFileCounter");
    bind(m_ui.lblStatus, "lblStatus");
    bind(m_ui.txtFilesModified, "txtFilesModified");
    bind(m_ui.prgRun, "prgRun");
}

void GoPage::describeControls()
{
    Accessibility::describe(this, Names, Fields);
}

} // namespace kestrava
