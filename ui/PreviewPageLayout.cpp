#include "PreviewPage.h"

#include "LayoutBuilder.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>

namespace kestrava {

namespace {

using K = ControlKind;
using F = ControlFlag;
using namespace SharedLook;

// clang-format off
// The step heading is a pixel taller than 240 twips so that its descenders show.
constexpr ControlRow Layout[] = {
    {u"Label3", K::Label, {}, {240, 495, 8535, 255}, u"Step 3 : Preview the File(s) Selected ...", {}, Heading, Blue},
    {u"framPreview", K::Frame, {}, {240, 840, 9375, 6120}},
    {u"lblBefore", K::Label, u"framPreview", {120, 240, 4335, 255}, u"Before ...", {}, ArialBold, Blue},
    {u"lblAfter", K::Label, u"framPreview", {4800, 240, 4335, 255}, u"After ...", {}, ArialBold, Blue},
    // Both boxes only show names; nothing typed into them is kept.
    {u"txtFilesPreview", K::MultiLineText, u"framPreview", {120, 600, 4380, 5280}, {}, {}, {}, {}, F::ReadOnly},
    {u"txtFilesPreviewNew", K::MultiLineText, u"framPreview", {4800, 600, 4380, 5280}, {}, {}, {}, {}, F::ReadOnly},
};
// clang-format on

} // namespace

void PreviewPage::buildLayout()
{
    LayoutBuilder::build(this, Layout);
    const auto bind = [this](auto *&control, const char *name) { LayoutBuilder::bind(this, control, name); };
    bind(m_ui.txtFilesPreview, "txtFilesPreview");
    bind(m_ui.txtFilesPreviewNew, "txtFilesPreviewNew");
}

} // namespace kestrava
