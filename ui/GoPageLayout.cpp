#include "GoPage.h"

#include "LayoutBuilder.h"

#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>

namespace kestrava {

namespace {

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

// The two labels come before framGo, which lies over them and hides them.
constexpr ControlRow Layout[] = {
    {u"Label4", K::Label, {}, {240, 495, 8535, 360}, u"Step 4 : Press Start if you are happy to proceed ...", {},
     Heading, Blue},
    {u"lblFilesModified", K::Label, {}, {360, 3720, 4455, 255}, u"Files Modified", {}, ArialBold, Blue},
    {u"lblErrorLog", K::Label, {}, {4920, 4340, 4455, 255}, u"Errors", {}, ArialBold, Blue, F::Hidden},
    {u"framGo", K::Frame, {}, {240, 840, 9375, 6120}, {}, {}, {}, {}, F::FillBackground},
    {u"StartButton", K::Button, u"framGo", {120, 360, 1095, 375}, u"Start"},
    {u"StopButton", K::Button, u"framGo", {1440, 360, 1095, 375}, u"Stop"},
    {u"lblNoFilesSelected", K::Label, u"framGo", {3120, 400, 5325, 270},
     u"Note : You have not selected any files to Rename !", {}, ArialRegular, TextColour::Red, F::Hidden},
    {u"framProgress", K::Frame, u"framGo", {120, 960, 8895, 1785}, u"Progress", {}, FrameCaption, Blue},
    {u"lblCurrentDir", K::Label, u"framProgress", {CaptionLeft, 360, CaptionWidth, 255},
     u"CURRENT FOLDER :", {}, RowCaption, {}, F::RightAligned},
    {u"CurrentDirLabel", K::Label, u"framProgress", {1920, 360, 6315, 255}, u"    ", {}, ArialBold, Green},
    {u"lblCurrentFile", K::Label, u"framProgress", {CaptionLeft, 720, CaptionWidth, 255},
     u"CURRENT FILE :", {}, RowCaption, {}, F::RightAligned},
    {u"FileNameLabel", K::Label, u"framProgress", {1920, 720, 6315, 255}, {}, {}, ArialBold, Green},
    {u"lblNumRenamed", K::Label, u"framProgress", {CaptionLeft, 1080, CaptionWidth, 255},
     u"NO. RENAMED :", {}, RowCaption, {}, F::RightAligned},
    {u"lblFileCounter", K::Label, u"framProgress", {1920, 1080, 6315, 255}, {}, {}, ArialBold, Green},
    {u"StatusLabel", K::Label, u"framProgress", {CaptionLeft, 1440, CaptionWidth, 255},
     u"STATUS :", {}, RowCaption, {}, F::RightAligned},
    {u"lblStatus", K::Label, u"framProgress", {1920, 1440, 3075, 255}, u"    ", {}, ArialBold, Green},
    // The log only shows what a run renamed; nothing typed into it is kept.
    {u"txtFilesModified", K::MultiLineText, u"framGo", {120, 2880, 8895, 3105}, u"Files Modified\n", {}, LogFont, {},
     F::ReadOnly},
};

// When a run logs errors, the log of modified files gives up the lower part of
// its area to them: the "Errors" label with the count, and the list of texts.
constexpr TwipsRect FilesModifiedAlone{120, 2880, 8895, 3105};
constexpr TwipsRect FilesModifiedShared{120, 2880, 8895, 1905};
constexpr TwipsRect ErrorLabelShared{120, 4860, 8895, 255};
constexpr TwipsRect ErrorListShared{120, 5115, 8895, 870};

} // namespace

void GoPage::buildErrorArea()
{
    m_lstErrorLog = new QListView(m_framGo);
    m_lstErrorLog->setObjectName(QStringLiteral("lstErrorLog"));
    // A tree walk over files without a dot can log an error per file.
    m_lstErrorLog->setUniformItemSizes(true);
    m_lstErrorLog->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lstErrorLog->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_lstErrorLog->setFont(LayoutBuilder::font(LogFont));
    // No room at all until a run logs an error (see showErrorArea()).
    m_lstErrorLog->setGeometry(QRect());
    m_lstErrorLog->setAccessibleName(QStringLiteral("Errors"));
    m_lstErrorLog->hide();
}

void GoPage::showErrorArea(bool shown)
{
    if (shown == isErrorAreaShown())
        return;
    if (shown && m_lblErrorLog->parentWidget() != m_framGo) {
        // The label lies under framGo in the layout; it joins the frame to be seen.
        m_lblErrorLog->setParent(m_framGo);
        m_lblErrorLog->setGeometry(LayoutBuilder::pixels(ErrorLabelShared));
        m_lstErrorLog->setGeometry(LayoutBuilder::pixels(ErrorListShared));
    }
    m_txtFilesModified->setGeometry(LayoutBuilder::pixels(shown ? FilesModifiedShared : FilesModifiedAlone));
    m_lblErrorLog->setVisible(shown);
    m_lstErrorLog->setVisible(shown);
}

bool GoPage::isErrorAreaShown() const
{
    return m_lstErrorLog->isVisibleTo(m_framGo);
}

void GoPage::buildLayout()
{
    LayoutBuilder::build(this, Layout);
    m_Label4 = LayoutBuilder::child<QLabel>(this, QStringLiteral("Label4"));
    m_lblFilesModified = LayoutBuilder::child<QLabel>(this, QStringLiteral("lblFilesModified"));
    m_lblErrorLog = LayoutBuilder::child<QLabel>(this, QStringLiteral("lblErrorLog"));
    m_framGo = LayoutBuilder::child<QGroupBox>(this, QStringLiteral("framGo"));
    m_StartButton = LayoutBuilder::child<QPushButton>(this, QStringLiteral("StartButton"));
    m_StopButton = LayoutBuilder::child<QPushButton>(this, QStringLiteral("StopButton"));
    m_lblNoFilesSelected = LayoutBuilder::child<QLabel>(this, QStringLiteral("lblNoFilesSelected"));
    m_framProgress = LayoutBuilder::child<QGroupBox>(this, QStringLiteral("framProgress"));
    m_CurrentDirLabel = LayoutBuilder::child<QLabel>(this, QStringLiteral("CurrentDirLabel"));
    m_FileNameLabel = LayoutBuilder::child<QLabel>(this, QStringLiteral("FileNameLabel"));
    m_lblFileCounter = LayoutBuilder::child<QLabel>(this, QStringLiteral("lblFileCounter"));
    m_lblStatus = LayoutBuilder::child<QLabel>(this, QStringLiteral("lblStatus"));
    m_txtFilesModified = LayoutBuilder::child<QPlainTextEdit>(this, QStringLiteral("txtFilesModified"));
}

} // namespace kestrava
