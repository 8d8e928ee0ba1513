// SPDX-License-Identifier: GPL-3.0-or-later
#include "PreviewPage.h"

#include "Accessibility.h"
#include "AnchorLayout.h"
#include "LayoutBuilder.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace kestrava {

namespace {

using A = Anchor;
using K = ControlKind;
using F = ControlFlag;
using namespace SharedLook;

// clang-format off
// The step heading is a pixel taller than 240 twips so that its descenders show.
constexpr ControlRow Layout[] = {
    {u"Label3", K::Label, {}, {240, 495, 8535, 255},
     QT_TRANSLATE_NOOP("kestrava::PreviewPage", "Step 3 : Preview the File(s) Selected ..."), {}, Heading, Blue},
    {u"framPreview", K::Frame, {}, {240, 840, 9375, 6120}},
    {u"lblBefore", K::Label, u"framPreview", {120, 240, 4335, 255},
     QT_TRANSLATE_NOOP("kestrava::PreviewPage", "Before ..."), {}, ArialBold, Blue},
    {u"lblAfter", K::Label, u"framPreview", {4800, 240, 4335, 255},
     QT_TRANSLATE_NOOP("kestrava::PreviewPage", "After ..."), {}, ArialBold, Blue},
    // Both boxes only show names; nothing typed into them is kept.
    {u"txtFilesPreview", K::MultiLineText, u"framPreview", {120, 600, 4380, 4680}, {}, {}, {}, {}, F::ReadOnly},
    {u"txtFilesPreviewNew", K::MultiLineText, u"framPreview", {4800, 600, 4380, 4680}, {}, {}, {}, {}, F::ReadOnly},
    // What the marked lines add up to; two lines, as several reasons make it long.
    {u"lblPreviewProblems", K::Label, u"framPreview", {120, 5370, 7860, 480}},
    {u"cmdPreviewProblems", K::Button, u"framPreview", {8100, 5400, 1080, 375},
     QT_TRANSLATE_NOOP("kestrava::PreviewPage", "&Details...")},
};

// The two boxes stay side by side, each taking half the extra width and all the
// extra height; "After ..." stays over its box, and the summary below them.
constexpr ControlAnchor Anchoring[] = {
    {u"framPreview", A::Right | A::Bottom},
    {u"lblAfter", A::HalfLeft | A::HalfRight},
    {u"txtFilesPreview", A::HalfRight | A::Bottom},
    {u"txtFilesPreviewNew", A::HalfLeft | A::Right | A::Bottom},
    {u"lblPreviewProblems", A::Top | A::Right | A::Bottom},
    {u"cmdPreviewProblems", A::Left | A::Top | A::Right | A::Bottom},
};
// clang-format on

// The captions above the boxes say when, not what: the names say what they hold.
constexpr AccessibleText Names[] = {
    {u"txtFilesPreview", QT_TRANSLATE_NOOP("kestrava::PreviewPage", "Files to rename")},
    {u"txtFilesPreviewNew", QT_TRANSLATE_NOOP("kestrava::PreviewPage", "New names")},
};
constexpr AccessibleText Descriptions[] = {
    {u"lblPreviewProblems", QT_TRANSLATE_NOOP("kestrava::PreviewPage", "Files that will not be renamed")},
};
constexpr LabelledField Fields[] = {
    {u"lblBefore", u"txtFilesPreview"},
    {u"lblAfter", u"txtFilesPreviewNew"},
};

} // namespace

void PreviewPage::buildLayout()
{
    LayoutBuilder::build(this, Layout);
    new AnchorLayout(this, Anchoring); // owned by the page
    const auto bind = [this](auto *&control, const char *name) { LayoutBuilder::bind(this, control, name); };
    bind(m_ui.txtFilesPreview, "txtFilesPreview");
    bind(m_ui.txtFilesPreviewNew, "txtFilesPreviewNew");
    bind(m_ui.lblPreviewProblems, "lblPreviewProblems");
    bind(m_ui.cmdPreviewProblems, "cmdPreviewProblems");
    Accessibility::describe(this, Names, Fields, Descriptions);
}

} // namespace kestrava
