// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the window must look like when it opens, written down independently of the
// program's own layout tables so that a slip in either shows up as a failure.

#include <array>

namespace expected {

enum class Face { Dialog, Arial, MsSansSerif, Unchecked };
enum class Colour { Text, DarkBlue, Green, Red };

struct Font
{
    Face face = Face::Dialog;
    double points = 8.25;
    bool bold = false;
};

enum State : unsigned {
    None = 0,
    Disabled = 1,
    Hidden = 2,
    Checked = 4,
    Centred = 8,
    Right = 16,
};

/// A rectangle in twips; -1 marks a value the window may choose.
struct Rect
{
    int left, top, width, height;
};

struct Control
{
    constexpr Control(const char *name, const char *kind, const char *parent, int tab, Rect rect, const char *text = "",
                      const char *toolTip = "", Font font = {}, Colour colour = Colour::Text, unsigned state = None,
                      int maxLength = 0)
        : name(name)
        , kind(kind)
        , parent(parent)
        , tab(tab)
        , rect(rect)
        , text(text)
        , toolTip(toolTip)
        , font(font)
        , colour(colour)
        , state(state)
        , maxLength(maxLength)
    {}
    const char *name;
    const char *kind;   ///< class the control must be (or inherit)
    const char *parent; ///< frame holding it; "" for the tab page itself
    int tab;
    Rect rect;
    const char *text;
    const char *toolTip;
    Font font;
    Colour colour;
    unsigned state;
    int maxLength; ///< 0: no limit of its own
};

constexpr Font Heading{Face::Arial, 11.25, true};
constexpr Font ArialBold{Face::Arial, 9.75, true};
constexpr Font Arial{Face::Arial, 9.75, false};
constexpr Font Arial9Bold{Face::Arial, 9.0, true};
constexpr Font Arial825{Face::Arial, 8.25, false};
constexpr Font Arial825Bold{Face::Arial, 8.25, true};
constexpr Font FrameFont{Face::MsSansSerif, 9.75, true};
constexpr Font AnyFont{Face::Unchecked};
constexpr auto Blue = Colour::DarkBlue;
constexpr auto Green = Colour::Green;
constexpr const char *L = "QLabel";
constexpr const char *G = "QGroupBox";
constexpr const char *Opt = "QRadioButton";
constexpr const char *Chk = "QCheckBox";
constexpr const char *Txt = "QLineEdit";
constexpr const char *Multi = "QPlainTextEdit";
constexpr const char *Btn = "QPushButton";
constexpr const char *Combo = "QComboBox";
constexpr const char *List = "QListView";
constexpr const char *CountTip = "Edit this Number to change the Counter Start";

// Heights of -1 on the headings: 240 twips would cut off their descenders. The date
// lists and the progress captions reach further left so that their texts fit.
// The start-up state: the scope is "Selected Files in Current Folder" and Stop is off.
constexpr Control Controls[] = {
    // Tab 0
    {"Label1", L, "", 0, {240, 495, 8535, -1}, "Step 1 : Choose the Files to Rename ...", "", Heading, Blue},
    {"framFiles", G, "", 0, {240, 840, 9375, 6120}},
    {"lblDriveFolder", L, "framFiles", 0, {240, 240, 2835, 255}, "Drive / Folder", "", ArialBold, Blue, Centred},
    // Drive1 shows whichever volume holds the folder the program starts in.
    {"Drive1", Combo, "framFiles", 0, {360, 480, 2895, 315}, nullptr},
    {"Dir1", List, "framFiles", 0, {360, 840, 2895, 5040}},
    {"lblSelectFiles", L, "framFiles", 0, {3600, 240, 2385, 255}, "File Types", "", ArialBold, Blue},
    {"FileSpecCombo",
     Combo,
     "framFiles",
     0,
     {3600, 480, 1515, 315},
     "*.*",
     "Select a file type, or enter your own extension..."},
    {"lblSelectedFileType", L, "framFiles", 0, {5280, 480, 2415, 315}, "All File Types", "", ArialBold, Blue},
    {"File1",
     List,
     "framFiles",
     0,
     {3600, 840, 5475, 3150},
     "",
     "Use the Shift and CTRL keys to select multi / individual files"},
    {"framApplyWhichFiles", G, "framFiles", 0, {3600, 4200, 3615, 1695}, "Apply to Which Files..?", "", {}, Blue},
    {"optSelectedFiles",
     Opt,
     "framApplyWhichFiles",
     0,
     {120, 240, 3375, 255},
     "Selected Files in Current Folder",
     "",
     {},
     Colour::Text,
     Checked},
    {"optAllFilesCurrentDir", Opt, "framApplyWhichFiles", 0, {120, 480, 3375, 255}, "All Files in Current Folder"},
    {"optAllFiles", Opt, "framApplyWhichFiles", 0, {120, 720, 3375, 255}, "All Files including Sub-Folders"},
    {"chkConfirmFiles", Chk, "framApplyWhichFiles", 0, {120, 1035, 3375, 255}, "Confirm each Individual Filename ?"},
    {"chkIgnoreReadOnly", Chk, "framApplyWhichFiles", 0, {120, 1320, 3375, 255}, "Ignore Read-Only Files ?"},

    // Tab 1
    {"Label2",
     L,
     "",
     1,
     {240, 495, 6540, 360},
     "Step 2 : Choose the Options to apply to the Filename(s) ...",
     "",
     Heading,
     Blue},
    {"cmdMoreOptions",
     Btn,
     "",
     1,
     {6885, 480, 1680, 255},
     "&More Options...",
     "Rules that do not fit here, such as the order of the numbering",
     Arial825},
    {"cmdReset", Btn, "", 1, {8640, 480, 975, 255}, "Reset", "Click to Restore Default Settings", Arial825},
    {"framOptions", G, "", 1, {240, 840, 9375, 6120}, "", "", FrameFont},
    {"framSpaceOptions", G, "framOptions", 1, {240, 240, 2655, 1575}, "Spaces", "", AnyFont, Blue},
    {"optIgnoreSpaces", Opt, "framSpaceOptions", 1, {100, 240, 2500, -1}, "Ignore", "", {}, Colour::Text, Checked},
    {"optRemoveSpaces", Opt, "framSpaceOptions", 1, {100, 480, 2500, -1}, "Remove Spaces"},
    {"optSpacesToUnderscores", Opt, "framSpaceOptions", 1, {100, 720, 2500, -1}, "Convert to Underscores"},
    {"optSpacesToDashes", Opt, "framSpaceOptions", 1, {100, 960, 2500, -1}, "Convert to Dashes"},
    {"optSpacesToDots", Opt, "framSpaceOptions", 1, {100, 1200, 2500, -1}, "Convert to Dots"},
    {"framUnderscoreOptions", G, "framOptions", 1, {3000, 240, 2415, 1575}, "Underscores", "", AnyFont, Blue},
    {"optIgnoreUnderscores",
     Opt,
     "framUnderscoreOptions",
     1,
     {100, 240, 2250, -1},
     "Ignore",
     "",
     {},
     Colour::Text,
     Checked},
    {"optRemoveUnderscores", Opt, "framUnderscoreOptions", 1, {100, 480, 2250, -1}, "Remove Underscores"},
    {"optUnderscoresToSpaces", Opt, "framUnderscoreOptions", 1, {100, 720, 2250, -1}, "Convert to Spaces"},
    {"optUnderscoresToDashes", Opt, "framUnderscoreOptions", 1, {100, 960, 2250, -1}, "Convert to Dashes"},
    {"optUnderscoresToDots", Opt, "framUnderscoreOptions", 1, {100, 1200, 2250, -1}, "Convert to Dots"},
    {"framPrefixSuffix", G, "framOptions", 1, {5520, 240, 3615, 3225}, "Prefixes / Postfixes", "", AnyFont, Blue},
    {"chkPrefixName", Chk, "framPrefixSuffix", 1, {-1, 240, -1, -1}, "Prefix Filenames with this Text ..."},
    {"txtPrefixText", Txt, "framPrefixSuffix", 1, {600, 480, 2895, -1}, "File_", "", {}, Colour::Text, Disabled, 50},
    {"chkPrefixCounter", Chk, "framPrefixSuffix", 1, {-1, 810, -1, -1}, "Include a Counter ..."},
    {"txtPrefixCount",
     Txt,
     "framPrefixSuffix",
     1,
     {2760, 810, 735, -1},
     "0001",
     CountTip,
     {},
     Colour::Text,
     Disabled | Centred,
     4},
    {"chkPrefixDate", Chk, "framPrefixSuffix", 1, {-1, 1110, -1, -1}, "Include Date as ..."},
    {"cmbDatePrefix", Combo, "framPrefixSuffix", 1, {600, 1380, 2895, -1}, "", "", {}, Colour::Text, Hidden},
    {"chkPostfixName", Chk, "framPrefixSuffix", 1, {-1, 1725, -1, -1}, "Postfix Filenames with this Text ..."},
    {"txtPostfixText", Txt, "framPrefixSuffix", 1, {600, 1965, 2895, -1}, "_File", "", {}, Colour::Text, Disabled, 50},
    {"chkPostfixCounter", Chk, "framPrefixSuffix", 1, {-1, 2280, -1, -1}, "Include a Counter ..."},
    {"txtPostfixCount",
     Txt,
     "framPrefixSuffix",
     1,
     {2760, 2280, 735, -1},
     "0001",
     CountTip,
     {},
     Colour::Text,
     Disabled | Centred,
     4},
    {"chkPostfixDate", Chk, "framPrefixSuffix", 1, {-1, 2580, -1, -1}, "Include Date as ..."},
    {"cmbDatePostfix", Combo, "framPrefixSuffix", 1, {600, 2850, 2895, -1}, "", "", {}, Colour::Text, Hidden},
    {"framCaseOptions", G, "framOptions", 1, {240, 1920, 2655, 1455}, "Upper / lower case", "", AnyFont, Blue},
    {"optIgnoreCase", Opt, "framCaseOptions", 1, {120, 240, -1, -1}, "Ignore", "", {}, Colour::Text, Checked},
    {"optConvertCapitalise", Opt, "framCaseOptions", 1, {120, 520, -1, -1}, "Capitalise First Letters"},
    {"optConvertLowercase", Opt, "framCaseOptions", 1, {120, 800, -1, -1}, "convert to lowercase"},
    {"optConvertUppercase", Opt, "framCaseOptions", 1, {120, 1080, -1, -1}, "convert to UPPERCASE"},
    {"framReplaceText", G, "framOptions", 1, {3000, 1920, 2415, 1455}, "Find / Replace Text", "", AnyFont, Blue},
    {"lblFindText", L, "framReplaceText", 1, {120, 270, -1, -1}, "Replace this ..."},
    {"txtFindText",
     Txt,
     "framReplaceText",
     1,
     {120, 480, 2175, -1},
     "",
     "Enter text to find in Filename...",
     {},
     Colour::Text,
     None,
     50},
    {"lblReplaceWith", L, "framReplaceText", 1, {120, 840, -1, -1}, "With this ..."},
    {"txtReplaceText",
     Txt,
     "framReplaceText",
     1,
     {120, 1080, 2175, -1},
     "",
     "Replace with this text (or leave blank to remove the found text...)",
     {},
     Colour::Text,
     None,
     50},
    {"framTrimOptions", G, "framOptions", 1, {240, 3480, 5175, 735}, "Length / Trim", "", AnyFont, Blue},
    {"chkTrimFilename", Chk, "framTrimOptions", 1, {240, 360, 1815, -1}, "Trim Filenames to"},
    {"txtTrimLength",
     Txt,
     "framTrimOptions",
     1,
     {2080, 345, 495, -1},
     "50",
     "",
     {},
     Colour::Text,
     Disabled | Centred,
     3},
    {"lblTrimLength", L, "framTrimOptions", 1, {2640, 360, -1, -1}, "Characters (+ Extension)"},
    {"framTildas", G, "framOptions", 1, {5520, 3480, 3615, 735}, "Tilda ( ~ ) Character", "", AnyFont, Blue},
    {"chkRemoveTildas",
     Chk,
     "framTildas",
     1,
     {120, 360, 3375, -1},
     "Remove Tildas ( ~ ) in Filenames ?",
     "Removes Tilda (~) characters for files shortened or copied from DOS",
     Arial9Bold},
    {"framSamples", G, "framOptions", 1, {240, 4440, 8895, 1455}, "Preview Samples", "", AnyFont, Blue},
    {"lblPreview1", L, "framSamples", 1, {120, 240, 2250, -1}, "my work schedule.doc", "", Arial},
    {"lblPreview2", L, "framSamples", 1, {120, 520, 2250, -1}, "Great_album_track2.mp3", "", Arial},
    {"lblPreview3", L, "framSamples", 1, {120, 800, 2250, -1}, "large - company_logo.gif", "", Arial},
    {"lblPreview4", L, "framSamples", 1, {120, 1080, 2250, -1}, "shortened_filena~1.jpg", "", Arial},
    {"lblPreview1New", L, "framSamples", 1, {3120, 240, 5700, -1}, "my work schedule.doc", "", Arial},
    {"lblPreview2New", L, "framSamples", 1, {3120, 520, 5700, -1}, "Great_album_track2.mp3", "", Arial},
    {"lblPreview3New", L, "framSamples", 1, {3120, 800, 5700, -1}, "large - company_logo.gif", "", Arial},
    {"lblPreview4New", L, "framSamples", 1, {3120, 1080, 5700, -1}, "shortened_filena~1.jpg", "", Arial},
    {"imgArrow1", L, "framSamples", 1, {2520, 600, 420, 345}},

    // Tab 2
    {"Label3", L, "", 2, {240, 495, 8535, -1}, "Step 3 : Preview the File(s) Selected ...", "", Heading, Blue},
    {"framPreview", G, "", 2, {240, 840, 9375, 6120}},
    {"lblBefore", L, "framPreview", 2, {120, 240, 4335, 255}, "Before ...", "", ArialBold, Blue},
    {"lblAfter", L, "framPreview", 2, {4800, 240, 4335, 255}, "After ...", "", ArialBold, Blue},
    {"txtFilesPreview", Multi, "framPreview", 2, {120, 600, 4380, 4680}},
    {"txtFilesPreviewNew", Multi, "framPreview", 2, {4800, 600, 4380, 4680}},
    {"lblPreviewProblems", L, "framPreview", 2, {120, 5370, 7860, 480}},
    {"cmdPreviewProblems",
     Btn,
     "framPreview",
     2,
     {8100, 5400, 1080, 375},
     "&Details...",
     "",
     {},
     Colour::Text,
     Disabled},

    // Tab 3
    {"Label4",
     L,
     "",
     3,
     {240, 495, 8535, 360},
     "Step 4 : Press Start if you are happy to proceed ...",
     "",
     Heading,
     Blue},
    {"framGo", G, "", 3, {240, 840, 9375, 6120}},
    {"StartButton", Btn, "framGo", 3, {120, 360, 1095, 375}, "Start"},
    {"StopButton", Btn, "framGo", 3, {1440, 360, 1095, 375}, "Stop", "", {}, Colour::Text, Disabled},
    {"cmdUndo", Btn, "framGo", 3, {2760, 360, 2400, 375}, "&Undo Last Run", "", {}, Colour::Text, Disabled},
    {"lblNoFilesSelected",
     L,
     "framGo",
     3,
     {5280, 300, 3735, 540},
     "Note : You have not selected any files to Rename !",
     "",
     Arial,
     Colour::Red,
     Hidden},
    {"framProgress", G, "framGo", 3, {120, 960, 8895, 1785}, "Progress", "", FrameFont, Blue},
    {"txtFilesModified", Multi, "framGo", 3, {120, 2880, 8895, 3105}, "Files Modified\n", "", Arial825Bold},
    {"lblFilesModified", L, "", 3, {360, 3720, 4455, 255}, "Files Modified", "", ArialBold, Blue},
    {"lblErrorLog", L, "", 3, {4920, 4340, 4455, 255}, "Errors", "", ArialBold, Blue, Hidden},
    {"lblCurrentDir",
     L,
     "framProgress",
     3,
     {-1, 360, -1, 255},
     "CURRENT FOLDER :",
     "",
     Arial9Bold,
     Colour::Text,
     Right},
    {"CurrentDirLabel", L, "framProgress", 3, {1920, 360, 6315, 255}, "    ", "", ArialBold, Green},
    {"lblCurrentFile", L, "framProgress", 3, {-1, 720, -1, 255}, "CURRENT FILE :", "", Arial9Bold, Colour::Text, Right},
    {"FileNameLabel", L, "framProgress", 3, {1920, 720, 6315, 255}, "", "", ArialBold, Green},
    {"lblNumRenamed", L, "framProgress", 3, {-1, 1080, -1, 255}, "NO. RENAMED :", "", Arial9Bold, Colour::Text, Right},
    {"lblFileCounter", L, "framProgress", 3, {1920, 1080, 6855, 255}, "", "", ArialBold, Green},
    {"StatusLabel", L, "framProgress", 3, {-1, 1440, -1, 255}, "STATUS :", "", Arial9Bold, Colour::Text, Right},
    {"lblStatus", L, "framProgress", 3, {1920, 1440, 3075, 255}, "    ", "", ArialBold, Green},
    {"prgRun", "QProgressBar", "framProgress", 3, {5115, 1440, 3660, 255}, "", "", Arial},

    // Tabs 5 and 6: only their frames have fixed places.
    {"framHelp", G, "", 5, {360, 480, 9135, 6495}},
    {"framAbout", G, "", 6, {360, 480, 9135, 6495}},
};

constexpr std::array<const char *, 8> TabCaptions{
    "&Choose Files...", "&Set Options...", "&Preview Results...", "&Go !", "    ", "&Help", "&About", "E&xit"};

constexpr std::array<const char *, 11> DateFormats{"ddmmyy",     "dd-mm-yy", "ddmmyyyy",           "dd-mm-yyyy",
                                                   "mmddyy",     "mm-dd-yy", "mmddyyyy",           "mm-dd-yyyy",
                                                   "yyyy-mm-dd", "yyyymmdd", "yyyy-mm-dd hh.mm.ss"};

constexpr std::array<const char *, 14> HelpTexts{
    "What is Kestrava ?",
    "Kestrava provides a quick and easy way to re-name large numbers of files so their Filenames are in a Common "
    "Format.   Kestrava's interface is designed to provide some of the most common file renaming operations with "
    "maximum ease and a minumum of fuss.",
    "With Kestrava you can ...",
    "  - trim filenames to a specific length",
    "  - convert filenames to lower, UPPER, or Sentence Case",
    "  - find and replace specific text in filenames",
    "  - remove or convert spaces and underscores in filenames",
    "  - prefix filenames with some fixed text, an incremental counter, or the Date",
    "  - remove annoying Tilda ( ~ ) characters in files copied from DOS",
    "How to Use Kestrava",
    "Select the Choose Files tab to locate the files you wish to rename. Select files individually by clicking on "
    "them, using CTRL and SHIFT keys for multi-select, or choose ALL the files in the Selected Folder, and optionally "
    "in all Sub-Folders.",
    "Select the Set Options tab and select the options to rename the files as you wish. Preview samples are "
    "generated to give an indication of what the end results will look like.",
    "Select the Preview Results tab to see the settings applied to a sample of the actual files you selected in the "
    "first step.",
    "If you are happy, click the  Go !  tab and then start.  That's all there is to it !",
};

/// Keyboard order on the first tab.
constexpr std::array<const char *, 9> ChooseFilesOrder{"Drive1",           "Dir1",
                                                       "FileSpecCombo",    "File1",
                                                       "optSelectedFiles", "optAllFilesCurrentDir",
                                                       "optAllFiles",      "chkConfirmFiles",
                                                       "chkIgnoreReadOnly"};

} // namespace expected
