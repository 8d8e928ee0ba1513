// SPDX-License-Identifier: GPL-3.0-or-later
// The new-name computation under every option, with any old name and any
// typed texts: it never crashes, and a "/" or NUL in the new name, or half a
// surrogate pair, can only come from the old name or a text typed in.
#include "FuzzInput.h"
#include "NewFilename.h"
#include "Stamps.h"

using namespace kestrava;
using namespace kestrava::fuzzing;

namespace {

QString dateFormat(FuzzInput &input, bool rawUnits)
{
    const int index = input.number<int>(-1, int(dateFormats().size()) - 1);
    return index < 0 ? input.text(16, rawUnits) : dateFormats().at(index);
}

bool holdsUnsafe(const QString &text)
{
    return text.contains(u'/') || text.contains(QChar(u'\0'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const bool rawUnits = input.flag();
    RenameOptions options;
    options.removeTildas = input.flag();
    options.prefixCounter = input.flag();
    options.prefixName = input.flag();
    options.prefixDate = input.flag();
    options.postfixCounter = input.flag();
    options.postfixName = input.flag();
    options.postfixDate = input.flag();
    options.trimFilename = input.flag();
    options.caseConversion = input.choice<CaseConversion>(4);
    options.underscores = input.choice<UnderscoreConversion>(5);
    options.spaces = input.choice<SpaceConversion>(5);
    NameCounters counters;
    counters.intPrefixCounter = input.number<qint16>(-32768, 32767);
    counters.intPostfixCounter = input.number<qint16>(-32768, 32767);
    const QDate today = QDate(2000, 1, 1).addDays(input.number<int>(-800000, 800000));
    options.datePrefix = dateFormat(input, rawUnits);
    options.datePostfix = dateFormat(input, rawUnits);
    options.prefixText = input.text(64, rawUnits);
    options.postfixText = input.text(64, rawUnits);
    options.findText = input.text(64, rawUnits);
    options.replaceText = input.text(64, rawUnits);
    options.trimLength = input.text(8, rawUnits);
    const QString oldName = input.text(600, rawUnits);
    options.findRegex = input.flag();
    options.findMatchCase = input.flag();

    const auto newName = BuildNewFilename(oldName, options, counters, today);
    if (!newName)
        return 0;
    const QString typed[] = {
        oldName, options.prefixText, options.postfixText, options.replaceText, options.datePrefix, options.datePostfix};
    bool typedUnsafe = false;
    bool typedValid = options.findText.isValidUtf16();
    for (const QString &text : typed) {
        typedUnsafe = typedUnsafe || holdsUnsafe(text);
        typedValid = typedValid && text.isValidUtf16();
    }
    require(typedUnsafe || !holdsUnsafe(*newName), "a '/' or NUL that no text typed in holds");
    // Trimming may cut a name; it must never cut a character in half.
    require(!typedValid || newName->isValidUtf16(), "half a surrogate pair in the new name");
    return 0;
}
