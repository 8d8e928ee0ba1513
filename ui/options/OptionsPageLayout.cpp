// SPDX-License-Identifier: GPL-3.0-or-later
#include "OptionsPage.h"

#include "Accessibility.h"
#include "LayoutBuilder.h"
#include "Stamps.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace kestrava {

namespace {

using K = ControlKind;
using F = ControlFlag;
using namespace SharedLook;
constexpr FontStyle ArialRegular{FontFace::Arial, 8.25, false};
constexpr FontStyle ArialBold9{FontFace::Arial, 9.0, true};
constexpr FontStyle Sample{FontFace::Arial, 9.75, false};
// Each date list sits under its check box, as wide as the text fields, so that
// the longest format, "yyyy-mm-dd hh.mm.ss", shows whole in the closed list.
constexpr int DateListLeft = 600;
constexpr int DateListWidth = 3495 - DateListLeft;
constexpr const char *CountTip =
    QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Edit this Number to change the Counter Start");

// clang-format off
// Table order is creation order, and so also the order of the keyboard.
constexpr ControlRow Layout[] = {
    {u"Label2", K::Label, {}, {240, 495, 6540, 360},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Step 2 : Choose the Options to apply to the Filename(s) ..."), {},
     Heading, Blue},
    {u"framOptions", K::Frame, {}, {240, 840, 9375, 6120}, {}, {}, FrameCaption},

    {u"framSpaceOptions", K::Frame, u"framOptions", {240, 240, 2655, 1575},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Spaces"), {}, FrameCaption, Blue},
    {u"optIgnoreSpaces", K::OptionButton, u"framSpaceOptions", {100, 240, 2500, 255},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Ignore"), {}, {}, {}, F::Checked},
    {u"optRemoveSpaces", K::OptionButton, u"framSpaceOptions", {100, 480, 2500, 255},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Remove Spaces")},
    {u"optSpacesToUnderscores", K::OptionButton, u"framSpaceOptions", {100, 720, 2500, 255},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Convert to Underscores")},
    {u"optSpacesToDashes", K::OptionButton, u"framSpaceOptions", {100, 960, 2500, 255},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Convert to Dashes")},
    {u"optSpacesToDots", K::OptionButton, u"framSpaceOptions", {100, 1200, 2500, 255},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Convert to Dots")},

    {u"framUnderscoreOptions", K::Frame, u"framOptions", {3000, 240, 2415, 1575},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Underscores"), {}, FrameCaption,
     Blue},
    {u"optIgnoreUnderscores", K::OptionButton, u"framUnderscoreOptions", {100, 240, 2250, 255},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Ignore"), {}, {}, {},
     F::Checked},
    {u"optRemoveUnderscores", K::OptionButton, u"framUnderscoreOptions", {100, 480, 2250, 255},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Remove Underscores")},
    {u"optUnderscoresToSpaces", K::OptionButton, u"framUnderscoreOptions", {100, 720, 2250, 255},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Convert to Spaces")},
    {u"optUnderscoresToDashes", K::OptionButton, u"framUnderscoreOptions", {100, 960, 2250, 255},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Convert to Dashes")},
    {u"optUnderscoresToDots", K::OptionButton, u"framUnderscoreOptions", {100, 1200, 2250, 255},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Convert to Dots")},

    {u"framPrefixSuffix", K::Frame, u"framOptions", {5520, 240, 3615, 3225},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Prefixes / Postfixes"), {}, FrameCaption,
     Blue},
    {u"chkPrefixName", K::CheckBox, u"framPrefixSuffix", {120, 240, 3375, 255},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Prefix Filenames with this Text ...")},
    {u"txtPrefixText", K::TextBox, u"framPrefixSuffix", {600, 480, 2895, 285}, limits::defaultPrefixText, {}, {}, {},
     F::Disabled, limits::maxTextLength},
    {u"chkPrefixCounter", K::CheckBox, u"framPrefixSuffix", {120, 810, 2535, 255},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Include a Counter ...")},
    {u"txtPrefixCount", K::TextBox, u"framPrefixSuffix", {2760, 810, 735, 285}, limits::defaultCountText, CountTip,
     {}, {}, F::Disabled | F::Centred, limits::maxCountLength},
    {u"chkPrefixDate", K::CheckBox, u"framPrefixSuffix", {120, 1110, 3375, 255},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Include Date as ...")},
    {u"cmbDatePrefix", K::DropDownList, u"framPrefixSuffix", {DateListLeft, 1380, DateListWidth, 315},
     {}, {}, {}, {}, F::Hidden},
    {u"chkPostfixName", K::CheckBox, u"framPrefixSuffix", {120, 1725, 3375, 255},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Postfix Filenames with this Text ...")},
    {u"txtPostfixText", K::TextBox, u"framPrefixSuffix", {600, 1965, 2895, 285}, limits::defaultPostfixText, {}, {}, {},
     F::Disabled, limits::maxTextLength},
    {u"chkPostfixCounter", K::CheckBox, u"framPrefixSuffix", {120, 2280, 2535, 255},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Include a Counter ...")},
    {u"txtPostfixCount", K::TextBox, u"framPrefixSuffix", {2760, 2280, 735, 285}, limits::defaultCountText, CountTip,
     {}, {}, F::Disabled | F::Centred, limits::maxCountLength},
    {u"chkPostfixDate", K::CheckBox, u"framPrefixSuffix", {120, 2580, 3375, 255},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Include Date as ...")},
    {u"cmbDatePostfix", K::DropDownList, u"framPrefixSuffix", {DateListLeft, 2850, DateListWidth, 315},
     {}, {}, {}, {}, F::Hidden},

    {u"framCaseOptions", K::Frame, u"framOptions", {240, 1920, 2655, 1455},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Upper / lower case"), {}, FrameCaption,
     Blue},
    {u"optIgnoreCase", K::OptionButton, u"framCaseOptions", {120, 240, 2415, 255},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Ignore"), {}, {}, {}, F::Checked},
    {u"optConvertCapitalise", K::OptionButton, u"framCaseOptions", {120, 520, 2415, 255},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Capitalise First Letters")},
    {u"optConvertLowercase", K::OptionButton, u"framCaseOptions", {120, 800, 2415, 255},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "convert to lowercase")},
    {u"optConvertUppercase", K::OptionButton, u"framCaseOptions", {120, 1080, 2415, 255},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "convert to UPPERCASE")},

    {u"framReplaceText", K::Frame, u"framOptions", {3000, 1920, 2415, 1455},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Find / Replace Text"), {}, FrameCaption,
     Blue},
    {u"lblFindText", K::Label, u"framReplaceText", {120, 270, 2175, 210},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Replace this ...")},
    {u"txtFindText", K::TextBox, u"framReplaceText", {120, 480, 2175, 285}, {},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Enter text to find in Filename..."),
     {}, {}, {}, limits::maxTextLength},
    {u"lblReplaceWith", K::Label, u"framReplaceText", {120, 840, 2175, 210},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "With this ...")},
    {u"txtReplaceText", K::TextBox, u"framReplaceText", {120, 1080, 2175, 285}, {},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Replace with this text (or leave blank to remove the found text...)"),
     {}, {}, {}, limits::maxTextLength},

    {u"framTrimOptions", K::Frame, u"framOptions", {240, 3480, 5175, 735},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Length / Trim"), {}, FrameCaption, Blue},
    {u"chkTrimFilename", K::CheckBox, u"framTrimOptions", {240, 360, 1815, 255},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Trim Filenames to")},
    {u"txtTrimLength", K::TextBox, u"framTrimOptions", {2080, 345, 495, 285}, limits::defaultTrimText, {}, {}, {},
     F::Disabled | F::Centred, limits::maxTrimTextLength},
    {u"lblTrimLength", K::Label, u"framTrimOptions", {2640, 360, 2415, 255},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Characters (+ Extension)"), {}, {}, {},
     F::Middle},

    {u"framTildas", K::Frame, u"framOptions", {5520, 3480, 3615, 735},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Tilda ( ~ ) Character"), {}, FrameCaption, Blue},
    {u"chkRemoveTildas", K::CheckBox, u"framTildas", {120, 360, 3375, 255},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Remove Tildas ( ~ ) in Filenames ?"),
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Removes Tilda (~) characters for files shortened or copied from DOS"),
     ArialBold9},

    {u"framSamples", K::Frame, u"framOptions", {240, 4440, 8895, 1455},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Preview Samples"), {}, FrameCaption, Blue},
    {u"lblPreview1", K::Label, u"framSamples", {120, 240, 2250, 255}, u"my work schedule.doc", {}, Sample},
    {u"lblPreview2", K::Label, u"framSamples", {120, 520, 2250, 255}, u"Great_album_track2.mp3", {}, Sample},
    {u"lblPreview3", K::Label, u"framSamples", {120, 800, 2250, 255}, u"large - company_logo.gif", {}, Sample},
    {u"lblPreview4", K::Label, u"framSamples", {120, 1080, 2250, 255}, u"shortened_filena~1.jpg", {}, Sample},
    {u"imgArrow1", K::Picture, u"framSamples", {2520, 600, 420, 345}, u"arrow"},
    {u"lblPreview1New", K::Label, u"framSamples", {3120, 240, 5700, 255}, u"my work schedule.doc", {}, Sample},
    {u"lblPreview2New", K::Label, u"framSamples", {3120, 520, 5700, 255}, u"Great_album_track2.mp3", {}, Sample},
    {u"lblPreview3New", K::Label, u"framSamples", {3120, 800, 5700, 255}, u"large - company_logo.gif", {}, Sample},
    {u"lblPreview4New", K::Label, u"framSamples", {3120, 1080, 5700, 255}, u"shortened_filena~1.jpg", {}, Sample},

    {u"cmdMoreOptions", K::Button, {}, {6885, 480, 1680, 255},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "&More Options..."),
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Rules that do not fit here, such as the order of the numbering"),
     ArialRegular},
    {u"cmdReset", K::Button, {}, {8640, 480, 975, 255},
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Reset"),
     QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Click to Restore Default Settings"), ArialRegular},
};
// clang-format on

#define OPTIONS_TEXT(text) QT_TRANSLATE_NOOP("kestrava::OptionsPage", text)
// What a screen reader says of the fields that no caption beside them names.
// The prefix's and the postfix's boxes share their captions; their names tell them apart.
constexpr AccessibleText Names[] = {
    {u"chkPrefixCounter", QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Include a counter in the prefix")},
    {u"chkPrefixDate", QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Include the date in the prefix")},
    {u"chkPostfixCounter", QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Include a counter in the postfix")},
    {u"chkPostfixDate", QT_TRANSLATE_NOOP("kestrava::OptionsPage", "Include the date in the postfix")},
    {u"txtPrefixText", OPTIONS_TEXT("Prefix text")},
    {u"txtPrefixCount", OPTIONS_TEXT("Prefix counter start")},
    {u"cmbDatePrefix", OPTIONS_TEXT("Prefix date format")},
    {u"txtPostfixText", OPTIONS_TEXT("Postfix text")},
    {u"txtPostfixCount", OPTIONS_TEXT("Postfix counter start")},
    {u"cmbDatePostfix", OPTIONS_TEXT("Postfix date format")},
    {u"txtTrimLength", OPTIONS_TEXT("Trim length in characters")},
};
constexpr LabelledField Fields[] = {
    {u"lblFindText", u"txtFindText"},
    {u"lblReplaceWith", u"txtReplaceText"},
    {u"lblTrimLength", u"txtTrimLength"},
};
// The samples are read as they are, and their changes announced, by their texts.
constexpr AccessibleText Descriptions[] = {
    {u"lblPreview1", OPTIONS_TEXT("Sample name")},
    {u"lblPreview2", OPTIONS_TEXT("Sample name")},
    {u"lblPreview3", OPTIONS_TEXT("Sample name")},
    {u"lblPreview4", OPTIONS_TEXT("Sample name")},
    {u"lblPreview1New", OPTIONS_TEXT("Sample name with the options applied")},
    {u"lblPreview2New", OPTIONS_TEXT("Sample name with the options applied")},
    {u"lblPreview3New", OPTIONS_TEXT("Sample name with the options applied")},
    {u"lblPreview4New", OPTIONS_TEXT("Sample name with the options applied")},
};
#undef OPTIONS_TEXT

} // namespace

void OptionsPage::buildLayout()
{
    // No anchor list: nothing here needs room, so in a larger window the page keeps
    // its place at the top left, its heading in line with the other steps'.
    LayoutBuilder::build(this, Layout);
    const auto bind = [this](auto *&control, const char *name) { LayoutBuilder::bind(this, control, name); };
    bind(m_ui.cmdMoreOptions, "cmdMoreOptions");
    bind(m_ui.cmdReset, "cmdReset");
    bind(m_ui.optIgnoreSpaces, "optIgnoreSpaces");
    bind(m_ui.optRemoveSpaces, "optRemoveSpaces");
    bind(m_ui.optSpacesToUnderscores, "optSpacesToUnderscores");
    bind(m_ui.optSpacesToDashes, "optSpacesToDashes");
    bind(m_ui.optSpacesToDots, "optSpacesToDots");
    bind(m_ui.optIgnoreUnderscores, "optIgnoreUnderscores");
    bind(m_ui.optRemoveUnderscores, "optRemoveUnderscores");
    bind(m_ui.optUnderscoresToSpaces, "optUnderscoresToSpaces");
    bind(m_ui.optUnderscoresToDashes, "optUnderscoresToDashes");
    bind(m_ui.optUnderscoresToDots, "optUnderscoresToDots");
    bind(m_ui.optIgnoreCase, "optIgnoreCase");
    bind(m_ui.optConvertCapitalise, "optConvertCapitalise");
    bind(m_ui.optConvertLowercase, "optConvertLowercase");
    bind(m_ui.optConvertUppercase, "optConvertUppercase");
    bind(m_ui.chkPrefixName, "chkPrefixName");
    bind(m_ui.txtPrefixText, "txtPrefixText");
    bind(m_ui.chkPrefixCounter, "chkPrefixCounter");
    bind(m_ui.txtPrefixCount, "txtPrefixCount");
    bind(m_ui.chkPrefixDate, "chkPrefixDate");
    bind(m_ui.cmbDatePrefix, "cmbDatePrefix");
    bind(m_ui.chkPostfixName, "chkPostfixName");
    bind(m_ui.txtPostfixText, "txtPostfixText");
    bind(m_ui.chkPostfixCounter, "chkPostfixCounter");
    bind(m_ui.txtPostfixCount, "txtPostfixCount");
    bind(m_ui.chkPostfixDate, "chkPostfixDate");
    bind(m_ui.cmbDatePostfix, "cmbDatePostfix");
    bind(m_ui.txtFindText, "txtFindText");
    bind(m_ui.txtReplaceText, "txtReplaceText");
    bind(m_ui.chkTrimFilename, "chkTrimFilename");
    bind(m_ui.txtTrimLength, "txtTrimLength");
    bind(m_ui.chkRemoveTildas, "chkRemoveTildas");
    for (std::size_t i = 0; i < m_ui.lblPreview.size(); ++i) {
        const QByteArray sample = "lblPreview" + QByteArray::number(int(i) + 1);
        bind(m_ui.lblPreview[i], sample.constData());
        bind(m_ui.lblPreviewNew[i], QByteArray(sample + "New").constData());
    }
    fillDateLists();
    Accessibility::describe(this, Names, Fields, Descriptions);
}

void OptionsPage::fillDateLists()
{
    // Both date lists offer the same formats and start with none chosen. The
    // dropped-down list shows every format at once, each in full.
    for (QComboBox *list : {m_ui.cmbDatePrefix, m_ui.cmbDatePostfix}) {
        list->addItems(dateFormats());
        list->setCurrentIndex(-1);
        list->setMaxVisibleItems(int(dateFormats().size()));
    }
}

} // namespace kestrava
