#include "OptionsPage.h"

#include "LayoutBuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
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
// The date lists keep their right edge but start further left than 2280 twips, so
// that "dd-mm-yyyy" fits beside the list's arrow.
constexpr int DateListLeft = 2100;
constexpr int DateListWidth = 3495 - DateListLeft;
constexpr QStringView CountTip = u"Edit this Number to change the Counter Start";

// Table order is creation order, and so also the order of the keyboard.
constexpr ControlRow Layout[] = {
    {u"Label2", K::Label, {}, {240, 495, 8295, 360}, u"Step 2 : Choose the Options to apply to the Filename(s) ...", {},
     Heading, Blue},
    {u"framOptions", K::Frame, {}, {240, 840, 9375, 6120}, {}, {}, FrameCaption},

    {u"framSpaceOptions", K::Frame, u"framOptions", {240, 240, 2655, 1575}, u"Spaces", {}, FrameCaption, Blue},
    {u"optIgnoreSpaces", K::OptionButton, u"framSpaceOptions", {100, 240, 2500, 255},
     u"Ignore", {}, {}, {}, F::Checked},
    {u"optRemoveSpaces", K::OptionButton, u"framSpaceOptions", {100, 480, 2500, 255}, u"Remove Spaces"},
    {u"optSpacesToUnderscores", K::OptionButton, u"framSpaceOptions", {100, 720, 2500, 255}, u"Convert to Underscores"},
    {u"optSpacesToDashes", K::OptionButton, u"framSpaceOptions", {100, 960, 2500, 255}, u"Convert to Dashes"},
    {u"optSpacesToDots", K::OptionButton, u"framSpaceOptions", {100, 1200, 2500, 255}, u"Convert to Dots"},

    {u"framUnderscoreOptions", K::Frame, u"framOptions", {3000, 240, 2415, 1575}, u"Underscores", {}, FrameCaption,
     Blue},
    {u"optIgnoreUnderscores", K::OptionButton, u"framUnderscoreOptions", {100, 240, 2250, 255}, u"Ignore", {}, {}, {},
     F::Checked},
    {u"optRemoveUnderscores", K::OptionButton, u"framUnderscoreOptions", {100, 480, 2250, 255}, u"Remove Underscores"},
    {u"optUnderscoresToSpaces", K::OptionButton, u"framUnderscoreOptions", {100, 720, 2250, 255}, u"Convert to Spaces"},
    {u"optUnderscoresToDashes", K::OptionButton, u"framUnderscoreOptions", {100, 960, 2250, 255}, u"Convert to Dashes"},
    {u"optUnderscoresToDots", K::OptionButton, u"framUnderscoreOptions", {100, 1200, 2250, 255}, u"Convert to Dots"},

    {u"framPrefixSuffix", K::Frame, u"framOptions", {5520, 240, 3615, 3135}, u"Prefixes / Postfixes", {}, FrameCaption,
     Blue},
    {u"chkPrefixName", K::CheckBox, u"framPrefixSuffix", {120, 240, 3375, 255}, u"Prefix Filenames with this Text ..."},
    {u"txtPrefixText", K::TextBox, u"framPrefixSuffix", {600, 480, 2895, 285}, u"File_", {}, {}, {}, F::Disabled, 50},
    {u"chkPrefixCounter", K::CheckBox, u"framPrefixSuffix", {120, 840, 2535, 255}, u"Include a Counter ..."},
    {u"txtPrefixCount", K::TextBox, u"framPrefixSuffix", {2760, 840, 735, 285}, u"0001", CountTip, {}, {},
     F::Disabled | F::Centred, 4},
    {u"chkPrefixDate", K::CheckBox, u"framPrefixSuffix", {120, 1200, 1935, 255}, u"Include Date as ..."},
    {u"cmbDatePrefix", K::DropDownList, u"framPrefixSuffix", {DateListLeft, 1200, DateListWidth, 315},
     {}, {}, {}, {}, F::Hidden},
    {u"chkPostfixName", K::CheckBox, u"framPrefixSuffix", {120, 1800, 3375, 255},
     u"Postfix Filenames with this Text ..."},
    {u"txtPostfixText", K::TextBox, u"framPrefixSuffix", {600, 2040, 2895, 285}, u"_File", {}, {}, {}, F::Disabled, 50},
    {u"chkPostfixCounter", K::CheckBox, u"framPrefixSuffix", {120, 2400, 2535, 255}, u"Include a Counter ..."},
    {u"txtPostfixCount", K::TextBox, u"framPrefixSuffix", {2760, 2400, 735, 285}, u"0001", CountTip, {}, {},
     F::Disabled | F::Centred, 4},
    {u"chkPostfixDate", K::CheckBox, u"framPrefixSuffix", {120, 2760, 1935, 255}, u"Include Date as ..."},
    {u"cmbDatePostfix", K::DropDownList, u"framPrefixSuffix", {DateListLeft, 2760, DateListWidth, 315},
     {}, {}, {}, {}, F::Hidden},

    {u"framCaseOptions", K::Frame, u"framOptions", {240, 1920, 2655, 1455}, u"Upper / lower case", {}, FrameCaption,
     Blue},
    {u"optIgnoreCase", K::OptionButton, u"framCaseOptions", {120, 240, 2415, 255}, u"Ignore", {}, {}, {}, F::Checked},
    {u"optConvertCapitalise", K::OptionButton, u"framCaseOptions", {120, 520, 2415, 255}, u"Capitalise First Letters"},
    {u"optConvertLowercase", K::OptionButton, u"framCaseOptions", {120, 800, 2415, 255}, u"convert to lowercase"},
    {u"optConvertUppercase", K::OptionButton, u"framCaseOptions", {120, 1080, 2415, 255}, u"convert to UPPERCASE"},

    {u"framReplaceText", K::Frame, u"framOptions", {3000, 1920, 2415, 1455}, u"Find / Replace Text", {}, FrameCaption,
     Blue},
    {u"lblFindText", K::Label, u"framReplaceText", {120, 270, 2175, 210}, u"Replace this ..."},
    {u"txtFindText", K::TextBox, u"framReplaceText", {120, 480, 2175, 285}, {}, u"Enter text to find in Filename...",
     {}, {}, {}, 50},
    {u"lblReplaceWith", K::Label, u"framReplaceText", {120, 840, 2175, 210}, u"With this ..."},
    {u"txtReplaceText", K::TextBox, u"framReplaceText", {120, 1080, 2175, 285}, {},
     u"Replace with this text (or leave blank to remove the found text...)", {}, {}, {}, 50},

    {u"framTrimOptions", K::Frame, u"framOptions", {240, 3480, 5175, 735}, u"Length / Trim", {}, FrameCaption, Blue},
    {u"chkTrimFilename", K::CheckBox, u"framTrimOptions", {240, 360, 1815, 255}, u"Trim Filenames to"},
    {u"txtTrimLength", K::TextBox, u"framTrimOptions", {2080, 345, 495, 285}, u"50", {}, {}, {},
     F::Disabled | F::Centred, 3},
    {u"lblTrimLength", K::Label, u"framTrimOptions", {2640, 360, 2415, 255}, u"Characters (+ Extension)", {}, {}, {},
     F::Middle},

    {u"framTildas", K::Frame, u"framOptions", {5520, 3480, 3615, 735},
     u"Tilda ( ~ ) Character", {}, FrameCaption, Blue},
    {u"chkRemoveTildas", K::CheckBox, u"framTildas", {120, 360, 3375, 255}, u"Remove Tildas ( ~ ) in Filenames ?",
     u"Removes Tilda (~) characters for files shortened or copied from DOS", ArialBold9},

    {u"framSamples", K::Frame, u"framOptions", {240, 4440, 8895, 1455}, u"Preview Samples", {}, FrameCaption, Blue},
    {u"lblPreview1", K::Label, u"framSamples", {120, 240, 2250, 255}, u"my work schedule.doc", {}, Sample},
    {u"lblPreview2", K::Label, u"framSamples", {120, 520, 2250, 255}, u"Great_album_track2.mp3", {}, Sample},
    {u"lblPreview3", K::Label, u"framSamples", {120, 800, 2250, 255}, u"large - company_logo.gif", {}, Sample},
    {u"lblPreview4", K::Label, u"framSamples", {120, 1080, 2250, 255}, u"shortened_filena~1.jpg", {}, Sample},
    {u"imgArrow1", K::Picture, u"framSamples", {2520, 600, 420, 345}, u"arrow"},
    {u"lblPreview1New", K::Label, u"framSamples", {3120, 240, 5700, 255}, u"my work schedule.doc", {}, Sample},
    {u"lblPreview2New", K::Label, u"framSamples", {3120, 520, 5700, 255}, u"Great_album_track2.mp3", {}, Sample},
    {u"lblPreview3New", K::Label, u"framSamples", {3120, 800, 5700, 255}, u"large - company_logo.gif", {}, Sample},
    {u"lblPreview4New", K::Label, u"framSamples", {3120, 1080, 5700, 255}, u"shortened_filena~1.jpg", {}, Sample},

    {u"cmdReset", K::Button, {}, {8640, 480, 975, 255}, u"Reset", u"Click to Restore Default Settings", ArialRegular},
};

} // namespace

void OptionsPage::buildLayout()
{
    LayoutBuilder::build(this, Layout);
    m_Label2 = LayoutBuilder::child<QLabel>(this, QStringLiteral("Label2"));
    m_cmdReset = LayoutBuilder::child<QPushButton>(this, QStringLiteral("cmdReset"));
    m_framOptions = LayoutBuilder::child<QGroupBox>(this, QStringLiteral("framOptions"));
    m_optIgnoreSpaces = LayoutBuilder::child<QRadioButton>(this, QStringLiteral("optIgnoreSpaces"));
    m_optRemoveSpaces = LayoutBuilder::child<QRadioButton>(this, QStringLiteral("optRemoveSpaces"));
    m_optSpacesToUnderscores = LayoutBuilder::child<QRadioButton>(this, QStringLiteral("optSpacesToUnderscores"));
    m_optSpacesToDashes = LayoutBuilder::child<QRadioButton>(this, QStringLiteral("optSpacesToDashes"));
    m_optSpacesToDots = LayoutBuilder::child<QRadioButton>(this, QStringLiteral("optSpacesToDots"));
    m_optIgnoreUnderscores = LayoutBuilder::child<QRadioButton>(this, QStringLiteral("optIgnoreUnderscores"));
    m_optRemoveUnderscores = LayoutBuilder::child<QRadioButton>(this, QStringLiteral("optRemoveUnderscores"));
    m_optUnderscoresToSpaces = LayoutBuilder::child<QRadioButton>(this, QStringLiteral("optUnderscoresToSpaces"));
    m_optUnderscoresToDashes = LayoutBuilder::child<QRadioButton>(this, QStringLiteral("optUnderscoresToDashes"));
    m_optUnderscoresToDots = LayoutBuilder::child<QRadioButton>(this, QStringLiteral("optUnderscoresToDots"));
    m_chkPrefixName = LayoutBuilder::child<QCheckBox>(this, QStringLiteral("chkPrefixName"));
    m_txtPrefixText = LayoutBuilder::child<QLineEdit>(this, QStringLiteral("txtPrefixText"));
    m_chkPrefixCounter = LayoutBuilder::child<QCheckBox>(this, QStringLiteral("chkPrefixCounter"));
    m_txtPrefixCount = LayoutBuilder::child<QLineEdit>(this, QStringLiteral("txtPrefixCount"));
    m_chkPrefixDate = LayoutBuilder::child<QCheckBox>(this, QStringLiteral("chkPrefixDate"));
    m_cmbDatePrefix = LayoutBuilder::child<QComboBox>(this, QStringLiteral("cmbDatePrefix"));
    m_chkPostfixName = LayoutBuilder::child<QCheckBox>(this, QStringLiteral("chkPostfixName"));
    m_txtPostfixText = LayoutBuilder::child<QLineEdit>(this, QStringLiteral("txtPostfixText"));
    m_chkPostfixCounter = LayoutBuilder::child<QCheckBox>(this, QStringLiteral("chkPostfixCounter"));
    m_txtPostfixCount = LayoutBuilder::child<QLineEdit>(this, QStringLiteral("txtPostfixCount"));
    m_chkPostfixDate = LayoutBuilder::child<QCheckBox>(this, QStringLiteral("chkPostfixDate"));
    m_cmbDatePostfix = LayoutBuilder::child<QComboBox>(this, QStringLiteral("cmbDatePostfix"));
    m_optIgnoreCase = LayoutBuilder::child<QRadioButton>(this, QStringLiteral("optIgnoreCase"));
    m_optConvertCapitalise = LayoutBuilder::child<QRadioButton>(this, QStringLiteral("optConvertCapitalise"));
    m_optConvertLowercase = LayoutBuilder::child<QRadioButton>(this, QStringLiteral("optConvertLowercase"));
    m_optConvertUppercase = LayoutBuilder::child<QRadioButton>(this, QStringLiteral("optConvertUppercase"));
    m_txtFindText = LayoutBuilder::child<QLineEdit>(this, QStringLiteral("txtFindText"));
    m_txtReplaceText = LayoutBuilder::child<QLineEdit>(this, QStringLiteral("txtReplaceText"));
    m_chkTrimFilename = LayoutBuilder::child<QCheckBox>(this, QStringLiteral("chkTrimFilename"));
    m_txtTrimLength = LayoutBuilder::child<QLineEdit>(this, QStringLiteral("txtTrimLength"));
    m_chkRemoveTildas = LayoutBuilder::child<QCheckBox>(this, QStringLiteral("chkRemoveTildas"));
    m_lblPreview1 = LayoutBuilder::child<QLabel>(this, QStringLiteral("lblPreview1"));
    m_lblPreview1New = LayoutBuilder::child<QLabel>(this, QStringLiteral("lblPreview1New"));
    m_lblPreview2 = LayoutBuilder::child<QLabel>(this, QStringLiteral("lblPreview2"));
    m_lblPreview2New = LayoutBuilder::child<QLabel>(this, QStringLiteral("lblPreview2New"));
    m_lblPreview3 = LayoutBuilder::child<QLabel>(this, QStringLiteral("lblPreview3"));
    m_lblPreview3New = LayoutBuilder::child<QLabel>(this, QStringLiteral("lblPreview3New"));
    m_lblPreview4 = LayoutBuilder::child<QLabel>(this, QStringLiteral("lblPreview4"));
    m_lblPreview4New = LayoutBuilder::child<QLabel>(this, QStringLiteral("lblPreview4New"));
    m_imgArrow1 = LayoutBuilder::child<QLabel>(this, QStringLiteral("imgArrow1"));

    // Both date lists offer the same eight formats and start with none chosen.
    const QStringList formats{QStringLiteral("ddmmyy"),   QStringLiteral("dd-mm-yy"),   QStringLiteral("ddmmyyyy"),
                              QStringLiteral("dd-mm-yyyy"), QStringLiteral("mmddyy"),  QStringLiteral("mm-dd-yy"),
                              QStringLiteral("mmddyyyy"), QStringLiteral("mm-dd-yyyy")};
    for (QComboBox *list : {m_cmbDatePrefix, m_cmbDatePostfix}) {
        list->addItems(formats);
        list->setCurrentIndex(-1);
    }
}

} // namespace kestrava
