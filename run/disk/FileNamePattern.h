// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <QVarLengthArray>

namespace kestrava {

/// A file-type filter compiled once and matched against many names: one or more
/// wildcard patterns (`*`, `?`) separated by ";", matched ignoring letter case.
/// Names and patterns are compared by whole characters (code points), so `?`
/// stands for one character also outside the Basic Multilingual Plane.
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

    /// Case-folded code points, as names and patterns are compared.
    using CodePoints = QVarLengthArray<char32_t, 128>;
    /// Appends the case-folded code points of \a text to \a out; a lone
    /// surrogate stands for itself.
    static void fold(QStringView text, CodePoints &out);

private:
    struct Alternative
    {
        QList<char32_t> glob;          // case-folded code points
        QList<char32_t> globBeforeDot; // for the ".*" rule; empty when it does not apply
    };

    static bool globMatches(const QList<char32_t> &glob, const CodePoints &name);

    QList<Alternative> m_alternatives;
    bool m_matchesEverything = false;
};

} // namespace kestrava
