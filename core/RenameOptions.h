// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

namespace kestrava {

/// Which case conversion the options panel has chosen.
enum class CaseConversion { Ignore, Capitalise, Uppercase, Lowercase };

/// What happens to underscores in the base of a name.
enum class UnderscoreConversion { Ignore, Remove, ToSpaces, ToDashes, ToDots };

/// What happens to spaces in the base of a name.
enum class SpaceConversion { Ignore, Remove, ToUnderscores, ToDashes, ToDots };

/// Where the date stamps take their date from.
enum class DateSource {
    Today,    ///< today's date, for every file alike
    Modified, ///< the file's modification date
    Taken,    ///< when the photo or video was taken, as the file says
};

/// What a run does with a file whose new name another entry holds.
enum class WhenTaken {
    Leave,  ///< leaves the file as it is and says why
    Number, ///< gives it the lowest free "name (n).ext", n counting from 2
};

/// The order in which the files of a folder are numbered, previewed and renamed.
enum class NumberOrder {
    Name,    ///< the file list's order: by name, letter case ignored
    Natural, ///< by name with the digits of a name compared by value: "img2" before "img10"
    Modified, ///< oldest first
    Size,    ///< smallest first
    Taken,   ///< by the date a photo or video was taken, oldest first; files without one last, by name
};

/// The ranges the options panel keeps its fields in, and the texts its fields
/// start with.
namespace limits {
/// Longest prefix, postfix, find and replace text.
inline constexpr int maxTextLength = 50;
/// Longest counter start text; the box takes digits only.
inline constexpr int maxCountLength = 4;
/// Longest trim length text; the box takes digits only.
inline constexpr int maxTrimTextLength = 3;
/// A counter start the panel lets through lies in this range.
inline constexpr int minCounterStart = 1;
inline constexpr int maxCounterStart = 9999;
/// A trim length the panel lets through lies in this range.
inline constexpr int minTrimLength = 8;
inline constexpr int maxTrimLength = 999;
/// The trim length used when the trim text is blank, 0 or negative, and the
/// text the trim length box starts with.
inline constexpr int defaultTrimLength = 50;
inline constexpr QStringView defaultTrimText = u"50";
/// What the counter start boxes hold at start-up and after Reset.
inline constexpr QStringView defaultCountText = u"0001";
/// What the prefix and postfix text boxes hold at start-up and after Reset.
inline constexpr QStringView defaultPrefixText = u"File_";
inline constexpr QStringView defaultPostfixText = u"_File";

// The numbering fields of the More Options dialog.
/// Every counter stamp advances its counter by a step in this range.
inline constexpr int minCounterStep = 1;
inline constexpr int maxCounterStep = 999;
inline constexpr int defaultCounterStep = 1;
inline constexpr int maxCounterStepLength = 3;
inline constexpr QStringView defaultCounterStepText = u"1";
/// A counter is written with this many digits, zero-padded; it cannot go past
/// the largest number they hold.
inline constexpr int minCounterDigits = 1;
inline constexpr int maxCounterDigits = 9;
inline constexpr int defaultCounterDigits = 4;
inline constexpr int maxCounterDigitsLength = 1;
inline constexpr QStringView defaultCounterDigitsText = u"4";
} // namespace limits

/// How the files are numbered. Its initialisers number them as the file list
/// orders them, one by one, in four digits, the counters running on through
/// every folder of a tree.
struct NumberingOptions
{
    NumberOrder order = NumberOrder::Name;
    /// The same order, last first.
    bool reverse = false;
    /// What each counter stamp adds to its counter.
    int step = limits::defaultCounterStep;
    /// How many digits a counter stamp shows, and so the largest counter.
    int digits = limits::defaultCounterDigits;
    /// In a tree, both counters go back to their start values in each folder.
    bool perFolder = false;

    /// True when the files go in the file list's own order, as they always did.
    bool isListOrder() const { return order == NumberOrder::Name && !reverse; }

    friend bool operator==(const NumberingOptions &, const NumberingOptions &) = default;
};

/// The option values one new-name computation reads. The window fills a fresh
/// record from its controls for every name, so no copy outlives a computation.
/// A check box is on only when it is checked; its companion text is read only
/// then. The initialisers are the values every start of the program begins with.
struct RenameOptions
{
    bool removeTildas = false;
    bool prefixCounter = false;
    bool prefixName = false;
    QString prefixText = limits::defaultPrefixText.toString();
    bool prefixDate = false;
    /// The selected date format text, empty while no entry is selected.
    QString datePrefix;
    bool postfixCounter = false;
    bool postfixName = false;
    QString postfixText = limits::defaultPostfixText.toString();
    bool postfixDate = false;
    QString datePostfix;
    CaseConversion caseConversion = CaseConversion::Ignore;
    UnderscoreConversion underscores = UnderscoreConversion::Ignore;
    SpaceConversion spaces = SpaceConversion::Ignore;
    /// The empty text switches find and replace off.
    QString findText;
    QString replaceText;
    /// The find text is a Perl-compatible regular expression, and the
    /// replacement may name its groups (see PatternReplacement).
    bool findRegex = false;
    /// Letter case counts in either kind of find; off, it does not.
    bool findMatchCase = false;
    bool trimFilename = false;
    /// Converted only when trimming; see parseTrimLength().
    QString trimLength = limits::defaultTrimText.toString();
    /// Where both date stamps take their date from. A file without a date from
    /// its source is left alone, unless the fallback to its modification date
    /// is on.
    DateSource dateSource = DateSource::Today;
    bool dateFallback = false;
    /// With the template on, the template (see NameTemplate) gives the base
    /// name, to which every other rule then applies.
    bool useTemplate = false;
    QString nameTemplate;
    WhenTaken whenTaken = WhenTaken::Leave;

    /// The order and the counting of the counter stamps (the More Options
    /// dialog's "Numbering" group).
    NumberingOptions numbering;
};

} // namespace kestrava
