// SPDX-License-Identifier: GPL-3.0-or-later
// The file-type filter against a plain reference matcher: any pattern list
// and any name, never a crash, and always the reference's answer.
#include "FileNamePattern.h"
#include "FuzzInput.h"

#include <vector>

using namespace kestrava;
using namespace kestrava::fuzzing;

namespace {

// Code points of the whole text folded at once; a lone surrogate stands for itself.
std::vector<char32_t> folded(const QString &text)
{
    const QString whole = text.toCaseFolded();
    std::vector<char32_t> points;
    for (qsizetype i = 0; i < whole.size(); ++i) {
        if (whole[i].isHighSurrogate() && i + 1 < whole.size() && whole[i + 1].isLowSurrogate()) {
            points.push_back(QChar::surrogateToUcs4(whole[i], whole[i + 1]));
            ++i;
        } else {
            points.push_back(whole[i].unicode());
        }
    }
    return points;
}

// Textbook dynamic programme: match[i][j] when glob[i..] matches name[j..].
bool referenceGlob(const std::vector<char32_t> &glob, const std::vector<char32_t> &name)
{
    const std::size_t rows = glob.size() + 1;
    const std::size_t columns = name.size() + 1;
    std::vector<char> match(rows * columns, 0);
    match[rows * columns - 1] = 1;
    for (std::size_t i = glob.size(); i-- > 0;) {
        for (std::size_t j = columns; j-- > 0;) {
            bool here = false;
            if (glob[i] == U'*')
                here = match[(i + 1) * columns + j] || (j < name.size() && match[i * columns + j + 1]);
            else if (j < name.size() && (glob[i] == U'?' || glob[i] == name[j]))
                here = match[(i + 1) * columns + j + 1];
            match[i * columns + j] = here;
        }
    }
    return match[0];
}

bool referenceMatches(const QString &patternList, const QString &name)
{
    const std::vector<char32_t> foldedName = folded(name);
    for (const QString &part : patternList.split(u';')) {
        const QString glob = part.trimmed();
        if (glob.isEmpty() || glob.contains(u'/') || glob.contains(QChar(u'\0')))
            continue;
        if (glob == u"*" || glob == u"*.*" || referenceGlob(folded(glob), foldedName))
            return true;
        if (glob.size() > 2 && glob.endsWith(u".*") && !name.contains(u'.')
            && referenceGlob(folded(glob.chopped(2)), foldedName)) {
            return true;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const bool rawUnits = input.flag();
    const QString patternList = input.text(200, rawUnits);
    const FileNamePattern pattern(patternList);
    for (int names = 0; names < 4; ++names) {
        const QString name = input.text(300, rawUnits);
        require(pattern.matches(name) == referenceMatches(patternList, name), "the filter and the reference disagree");
    }
    return 0;
}
