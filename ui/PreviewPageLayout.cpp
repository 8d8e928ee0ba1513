#include "PreviewPage.h"

#include "AnchorLayout.h"
#include "LayoutBuilder.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>

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
    {u"txtFilesPreview", K::MultiLineText, u"framPreview", {120, 600, 4380, 5280}, {}, {}, {}, {}, F::ReadOnly},
    {u"txtFilesPreviewNew", K::MultiLineText, u"framPreview", {4800, 600, 4380, 5280}, {}, {}, {}, {}, F::ReadOnly},
};

// The two boxes stay side by side, each taking half the extra width and all the
// extra height; "After ..." stays over its box.
constexpr ControlAnchor Anchoring[] = {
    {u"framPreview", A::Right | A::Bottom},
    {u"lblAfter", A::HalfLeft | A::HalfRight},
    {u"txtFilesPreview", A::HalfRight | A::Bottom},
    {u"txtFilesPreviewNew", A::HalfLeft | A::Right | A::Bottom},
};
// clang-format on

} // namespace

void PreviewPage::buildLayout()
{
    LayoutBuilder::build(this, Layout);
    new AnchorLayout(this, Anchoring); // owned by the page
    const auto bind = [this](auto *&control, const char *name) { LayoutBuilder::bind(this, control, name); };
    bind(m_ui.txtFilesPreview, "txtFilesPreview");
    bind(m_ui.txtFilesPreviewNew, "txtFilesPreviewNew");
}

} // namespace kestrava
