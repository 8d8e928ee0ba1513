// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileNamePattern.h"

namespace kestrava {

namespace {

QList<char32_t> foldedCodePoints(QStringView text)
{
    FileNamePattern::CodePoints points;
    FileNamePattern::fold(text, points);
    return QList<char32_t>(points.cbegin(), points.cend());
}

} // namespace

FileNamePattern::FileNamePattern(const QString &patternList)
{
    const auto parts = QStringView(patternList).split(u';');
    for (QStringView part : parts) {
        const QStringView glob = part.trimmed();
        // A "/" can never be part of a file name and a NUL cannot reach the
        // file system: such a pattern could only ever match nothing.
        if (glob.isEmpty() || glob.contains(u'/') || glob.contains(QChar(u'\0')))
            continue;
        // "*" and "*.*" match every name: the usual filter needs no matching at all.
        if (glob == u"*" || glob == u"*.*")
            m_matchesEverything = true;
        Alternative alternative{foldedCodePoints(glob), {}};
        if (glob.endsWith(u".*"))
            alternative.globBeforeDot = foldedCodePoints(glob.chopped(2));
        m_alternatives.append(alternative);
    }
}

void FileNamePattern::fold(QStringView text, CodePoints &out)
{
    out.reserve(out.size() + text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        // Most names are plain ASCII, which folds by hand.
        if (c < 0x80) {
            out.append(c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c);
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), text[++i].unicode());
        out.append(QChar::toCaseFolded(c));
    }
}

bool FileNamePattern::matches(QStringView name) const
{
    if (m_matchesEverything)
        return true;
    CodePoints folded;
    fold(name, folded);
    for (const Alternative &alternative : m_alternatives) {
        if (globMatches(alternative.glob, folded))
            return true;
        if (!alternative.globBeforeDot.isEmpty() && !name.contains(u'.')
            && globMatches(alternative.globBeforeDot, folded)) {
            return true;
        }
    }
    return false;
}

// Iterative wildcard match: on a mismatch after a "*" the star swallows one more
// character and matching resumes, so the cost stays near linear for file names.
bool FileNamePattern::globMatches(const QList<char32_t> &glob, const CodePoints &name)
{
    qsizetype g = 0;
    qsizetype n = 0;
    qsizetype star = -1;
    qsizetype resumeAt = 0;
    while (n < name.size()) {
        if (g < glob.size() && glob[g] != U'*' && (glob[g] == U'?' || glob[g] == name[n])) {
            ++g;
            ++n;
        } else if (g < glob.size() && glob[g] == U'*') {
            star = g++;
            resumeAt = n;
        } else if (star >= 0) {
            g = star + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (g < glob.size() && glob[g] == U'*')
        ++g;
    return g == glob.size();
}

} // namespace kestrava
