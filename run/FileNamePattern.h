#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace kestrava {

/// A file-type filter compiled once and matched against many names: one or more
/// wildcard patterns (`*`, `?`) separated by ";", matched ignoring letter case.
/// A pattern ending in ".*" also matches names without a dot, so ‘*.*’ matches
/// every name. Empty or unusable patterns (holding "/" or a NUL) match nothing.
class FileNamePattern
{
public:
    explicit FileNamePattern(const QString &patternList);

    /// True when at least one of the patterns matches \a name.
    bool matches(QStringView name) const;
    /// True when no usable pattern was given, so nothing matches.
    bool isEmpty() const { return m_alternatives.isEmpty(); }

private:
    struct Alternative
    {
        QString glob;          // case-folded
        QString globBeforeDot; // for the ".*" rule; empty when it does not apply
    };

    static bool globMatches(QStringView glob, QStringView name);

    QList<Alternative> m_alternatives;
    bool m_matchesEverything = false;
};

} // namespace kestrava
