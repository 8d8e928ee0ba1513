// SPDX-License-Identifier: GPL-3.0-or-later
#include "HelpPage.h"

#include "AnchorLayout.h"
#include "LayoutBuilder.h"

namespace kestrava {

namespace {

using K = ControlKind;
using F = ControlFlag;
constexpr FontStyle Text{FontFace::Arial, 9.75, false};
constexpr FontStyle Bold{FontFace::Arial, 9.75, true};

// clang-format off
// The texts keep their spacing exactly: two spaces open each list item, three
// separate the sentences of the first paragraph.
constexpr ControlRow Layout[] = {
    {u"framHelp", K::Frame, {}, {360, 480, 9135, 6495}},
    {u"framHelpWhat", K::Frame, u"framHelp", {1920, 240, 5055, 400}},
    {u"lblHelpWhat", K::Label, u"framHelpWhat", {60, 75, 4935, 255},
     QT_TRANSLATE_NOOP("kestrava::HelpPage", "What is Kestrava ?"), {}, Bold, {}, F::Centred},
    {u"lblHelpIntro", K::Label, u"framHelp", {480, 800, 8055, 735},
     QT_TRANSLATE_NOOP("kestrava::HelpPage",
                       "Kestrava provides a quick and easy way to re-name large numbers of files so their Filenames "
                       "are in a Common Format.   Kestrava's interface is designed to provide some of the most common "
                       "file renaming operations with maximum ease and a minumum of fuss."),
     {}, Text, {}, F::WordWrap},
    {u"lblHelpYouCan", K::Label, u"framHelp", {480, 1560, 2535, 255},
     QT_TRANSLATE_NOOP("kestrava::HelpPage", "With Kestrava you can ..."), {}, Text},
    {u"lblHelpItem1", K::Label, u"framHelp", {1560, 1880, 6000, 255},
     QT_TRANSLATE_NOOP("kestrava::HelpPage", "  - trim filenames to a specific length"), {}, Text},
    {u"lblHelpItem2", K::Label, u"framHelp", {1560, 2128, 6000, 255},
     QT_TRANSLATE_NOOP("kestrava::HelpPage", "  - convert filenames to lower, UPPER, or Sentence Case"), {}, Text},
    {u"lblHelpItem3", K::Label, u"framHelp", {1560, 2376, 6000, 255},
     QT_TRANSLATE_NOOP("kestrava::HelpPage", "  - find and replace specific text in filenames"),
     {}, Text},
    {u"lblHelpItem4", K::Label, u"framHelp", {1560, 2624, 6000, 255},
     QT_TRANSLATE_NOOP("kestrava::HelpPage", "  - remove or convert spaces and underscores in filenames"), {}, Text},
    {u"lblHelpItem5", K::Label, u"framHelp", {1560, 2865, 6720, 255},
     QT_TRANSLATE_NOOP("kestrava::HelpPage",
                       "  - prefix filenames with some fixed text, an incremental counter, or the Date"),
     {}, Text},
    {u"lblHelpItem6", K::Label, u"framHelp", {1560, 3120, 6720, 255},
     QT_TRANSLATE_NOOP("kestrava::HelpPage",
                       "  - remove annoying Tilda ( ~ ) characters in files copied from DOS"),
     {}, Text},
    {u"framHelpHow", K::Frame, u"framHelp", {1920, 3480, 5055, 400}},
    {u"lblHelpHow", K::Label, u"framHelpHow", {60, 75, 4935, 255},
     QT_TRANSLATE_NOOP("kestrava::HelpPage", "How to Use Kestrava"), {}, Bold, {}, F::Centred},
    {u"lblHelpStep1", K::Label, u"framHelp", {480, 4050, 7875, 735},
     QT_TRANSLATE_NOOP("kestrava::HelpPage",
                       "Select the Choose Files tab to locate the files you wish to rename. Select files individually "
                       "by clicking on them, using CTRL and SHIFT keys for multi-select, or choose ALL the files in "
                       "the Selected Folder, and optionally in all Sub-Folders."),
     {}, Text, {}, F::WordWrap},
    {u"lblHelpStep2", K::Label, u"framHelp", {480, 4920, 7875, 615},
     QT_TRANSLATE_NOOP("kestrava::HelpPage",
                       "Select the Set Options tab and select the options to rename the files as you wish. Preview "
                       "samples are generated to give an indication of what the end results will look like."),
     {}, Text, {}, F::WordWrap},
    {u"lblHelpStep3", K::Label, u"framHelp", {480, 5520, 7875, 495},
     QT_TRANSLATE_NOOP("kestrava::HelpPage",
                       "Select the Preview Results tab to see the settings applied to a sample of the actual files you "
                       "selected in the first step."),
     {}, Text, {}, F::WordWrap},
    {u"lblHelpStep4", K::Label, u"framHelp", {480, 6120, 7875, 255},
     QT_TRANSLATE_NOOP("kestrava::HelpPage",
                       "If you are happy, click the  Go !  tab and then start.  That's all there is to it !"),
     {}, Text},
};
// clang-format on

// Nothing here grows: in a larger window the frame stays in the middle.
constexpr ControlAnchor Anchoring[] = {
    {u"framHelp", Anchor::HalfLeft | Anchor::HalfTop | Anchor::HalfRight | Anchor::HalfBottom},
};

} // namespace

HelpPage::HelpPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("HelpPage"));
    LayoutBuilder::build(this, Layout);
    new AnchorLayout(this, Anchoring); // owned by the page
}

} // namespace kestrava
