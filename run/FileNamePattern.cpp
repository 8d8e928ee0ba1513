#include "FileNamePattern.h"

namespace kestrava {

namespace {

char16_t folded(QChar c)
{
    return QChar::toCaseFolded(c.unicode());
}

} // namespace

FileNamePattern::FileNamePattern(const QString &patternList)
{
    const auto parts = QStringView(patternList).split(u';');
    for (QStringView part : parts) {
        const QString glob = part.trimmed().toString().toCaseFolded();
        // A "/" can never be part of a file name and a NUL cannot reach the
        // file system: such a pattern could only ever match nothing.
        if (glob.isEmpty() || glob.contains(u'/') || glob.contains(QChar(u'\0')))
            continue;
        // "*" and "*.*" match every name: the usual filter needs no matching at all.
        if (glob == u"*" || glob == u"*.*")
            m_matchesEverything = true;
        Alternative alternative{glob, QString()};
        if (glob.endsWith(u".*"))
            alternative.globBeforeDot = glob.chopped(2);
        m_alternatives.append(alternative);
    }
}

bool FileNamePattern::matches(QStringView name) const
{
    if (m_matchesEverything)
        return true;
    for (const Alternative &alternative : m_alternatives) {
        if (globMatches(alternative.glob, name))
            return true;
        if (!alternative.globBeforeDot.isEmpty() && !name.contains(u'.')
            && globMatches(alternative.globBeforeDot, name)) {
            return true;
        }
    }
    return false;
}

// Iterative wildcard match: on a mismatch after a "*" the star swallows one more
// character and matching resumes, so the cost stays near linear for file names.
bool FileNamePattern::globMatches(QStringView glob, QStringView name)
{
    qsizetype g = 0;
    qsizetype n = 0;
    qsizetype star = -1;
    qsizetype resumeAt = 0;
    while (n < name.size()) {
        if (g < glob.size() && glob[g] != u'*'
            && (glob[g] == u'?' || glob[g].unicode() == folded(name[n]))) {
            ++g;
            ++n;
        } else if (g < glob.size() && glob[g] == u'*') {
            star = g++;
            resumeAt = n;
        } else if (star >= 0) {
            g = star + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (g < glob.size() && glob[g] == u'*')
        ++g;
    return g == glob.size();
}

} // namespace kestrava
