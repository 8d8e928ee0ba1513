// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringView>

namespace kestrava {

/// A regular expression (PCRE2, through QRegularExpression) and the text that
/// replaces each of its matches, made ready once for any number of names.
///
/// The replacement text may hold:
/// - `$0` to `$99`: the text of that group. Two digits are one number when the
///   pattern has that many groups, else the second digit is plain text;
/// - `${name}` (or `${12}`): the text of a named (or numbered) group;
/// - `$$`: a dollar sign;
/// - `\U` ... `\E` and `\L` ... `\E`: what they enclose in upper or lower case;
/// - `\u` and `\l`: the next character in upper or lower case, before any `\U`
///   or `\L` around it.
///
/// Anything else stands as written, a `$` before a group the pattern does not
/// have included. A group that took no part in the match gives the empty text.
class PatternReplacement
{
public:
    PatternReplacement(const QString &pattern, const QString &replacement, bool matchCase);

    const QString &pattern() const { return m_pattern; }
    const QString &replacement() const { return m_replacement; }
    bool matchCase() const { return m_matchCase; }

    /// Whether the pattern compiles.
    bool isValid() const { return m_regex.isValid(); }
    /// Empty for a valid pattern; else "Pattern error at N: message", where N
    /// counts the pattern's characters from 0 and the message is PCRE2's.
    QString errorText() const;

    /// \a text with every match replaced, left to right, each match searched
    /// for after the previous one, so inserted text is never searched again.
    /// After an empty match the next match may not be empty at the same place
    /// (as Perl's s///g). A byte that is not UTF-8 (a lone surrogate) is one
    /// character to the pattern and reaches the result unchanged. An invalid
    /// pattern changes nothing.
    QString replaced(const QString &text) const;

private:
    enum class PieceKind : quint8 { Text, Group, UpperUntilEnd, LowerUntilEnd, End, UpperNext, LowerNext };
    struct Piece
    {
        PieceKind kind = PieceKind::Text;
        int group = 0;
        QString text;
    };

    void parseReplacement();

    QString m_pattern;
    QString m_replacement;
    bool m_matchCase = false;
    QRegularExpression m_regex;
    QList<Piece> m_pieces;
};

/// The text a pattern of QRegularExpression is matched against in place of
/// \a text: each lone surrogate (a byte that is not UTF-8) stands as a
/// character of the private use area, U+E000 + (surrogate - U+D800), which
/// PCRE2 accepts. The stand-ins keep every offset as it is.
QString withByteStandIns(const QString &text);

} // namespace kestrava
