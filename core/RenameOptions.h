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
} // namespace limits

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
};

} // namespace kestrava
