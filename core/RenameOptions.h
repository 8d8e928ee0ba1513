#pragma once

#include <QString>

namespace kestrava {

/// Which case conversion the options panel has chosen.
enum class CaseConversion { Ignore, Capitalise, Uppercase, Lowercase };

/// What happens to underscores in the base of a name.
enum class UnderscoreConversion { Ignore, Remove, ToSpaces, ToDashes, ToDots };

/// What happens to spaces in the base of a name.
enum class SpaceConversion { Ignore, Remove, ToUnderscores, ToDashes, ToDots };

/// The option values one new-name computation reads. The window fills a fresh
/// record from its controls for every name, so no copy outlives a computation.
struct RenameOptions
{
    bool removeTildas = false;
    bool prefixCounter = false;
    bool prefixName = false;
    QString prefixText = QStringLiteral("File_");
    bool prefixDate = false;
    QString datePrefix;
    bool postfixCounter = false;
    bool postfixName = false;
    QString postfixText = QStringLiteral("_File");
    bool postfixDate = false;
    QString datePostfix;
    CaseConversion caseConversion = CaseConversion::Ignore;
    UnderscoreConversion underscores = UnderscoreConversion::Ignore;
    SpaceConversion spaces = SpaceConversion::Ignore;
    QString findText;
    QString replaceText;
    bool trimFilename = false;
    QString trimLength = QStringLiteral("50");
};

} // namespace kestrava
