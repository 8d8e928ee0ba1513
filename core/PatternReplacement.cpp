// SPDX-License-Identifier: GPL-3.0-or-later
#include "PatternReplacement.h"

#include "KeepingBytes.h"

#include <QCoreApplication>

#include <algorithm>
#include <iterator>
#include <utility>

namespace kestrava {

namespace {

constexpr char16_t standInBase = 0xE000;

bool isLoneSurrogateAt(const QString &text, qsizetype i)
{
    const QChar ch = text.at(i);
    if (ch.isHighSurrogate())
        return i + 1 >= text.size() || !text.at(i + 1).isLowSurrogate();
    return ch.isLowSurrogate() && (i == 0 || !text.at(i - 1).isHighSurrogate());
}

QString patternErrorText(qsizetype offset, const QString &message)
{
    return QCoreApplication::translate("kestrava::RenameError", "Pattern error at %1: %2")
        .arg(QString::number(offset), message);
}

// The number of the group that \a digits (one or two of them, at the start)
// name, and how many of the digits it takes: two only when the pattern has
// that many groups. {-1, 0} when it has not even the first digit's group.
std::pair<int, qsizetype> groupOfDigits(QStringView digits, int groups)
{
    const auto digitAt = [&](qsizetype i) {
        return i < digits.size() && digits[i] >= u'0' && digits[i] <= u'9' ? int(digits[i].unicode() - u'0') : -1;
    };
    const int first = digitAt(0);
    const int second = digitAt(1);
    if (first < 0)
        return {-1, 0};
    if (second >= 0 && first * 10 + second <= groups)
        return {first * 10 + second, 2};
    if (first <= groups)
        return {first, 1};
    return {-1, 0};
}

} // namespace

QString withByteStandIns(const QString &text)
{
    if (text.isValidUtf16())
        return text;
    QString mapped = text;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isLoneSurrogateAt(text, i))
            mapped[i] = QChar(char16_t(standInBase + (text.at(i).unicode() - 0xD800)));
    }
    return mapped;
}

PatternReplacement::PatternReplacement(const QString &pattern, const QString &replacement, bool matchCase)
    : m_pattern(pattern)
    , m_replacement(replacement)
    , m_matchCase(matchCase)
{
    // \w, \d and \b know the letters and digits of every script, not only ASCII:
    // names are written in all of them.
    QRegularExpression::PatternOptions options = QRegularExpression::UseUnicodePropertiesOption;
    if (!matchCase)
        options |= QRegularExpression::CaseInsensitiveOption;
    m_regex.setPattern(withByteStandIns(pattern));
    m_regex.setPatternOptions(options);
    if (!m_regex.isValid())
        return;
    // Compiled (and JIT-compiled) now rather than at the first name's match.
    m_regex.optimize();
    parseReplacement();
}

QString PatternReplacement::errorText() const
{
    if (m_regex.isValid())
        return QString();
    return patternErrorText(m_regex.patternErrorOffset(), m_regex.errorString());
}

void PatternReplacement::parseReplacement()
{
    const int groups = m_regex.captureCount();
    const QStringList names = m_regex.namedCaptureGroups();
    const QString &r = m_replacement;
    QString literal;
    const auto push = [&](PieceKind kind, int group = 0) {
        if (!literal.isEmpty())
            m_pieces.append({PieceKind::Text, 0, std::exchange(literal, QString())});
        m_pieces.append({kind, group, QString()});
    };
    qsizetype i = 0;
    while (i < r.size()) {
        const QChar ch = r.at(i);
        const QChar next = i + 1 < r.size() ? r.at(i + 1) : QChar();
        if (ch == u'$' && next == u'$') {
            literal += u'$';
            i += 2;
            continue;
        }
        if (ch == u'$' && next.isDigit()) {
            const auto [group, used] = groupOfDigits(QStringView(r).sliced(i + 1), groups);
            if (group >= 0) {
                push(PieceKind::Group, group);
                i += 1 + used;
                continue;
            }
        }
        if (ch == u'$' && next == u'{') {
            const qsizetype close = r.indexOf(u'}', i + 2);
            const QStringView name = close < 0 ? QStringView() : QStringView(r).sliced(i + 2, close - i - 2);
            int group = name.isEmpty() ? -1 : int(names.indexOf(name));
            if (group <= 0 && !name.isEmpty()) {
                const auto [numbered, used] = groupOfDigits(name, groups);
                group = used == name.size() ? numbered : -1;
            }
            if (group >= 0) {
                push(PieceKind::Group, group);
                i = close + 1;
                continue;
            }
        }
        if (ch == u'\\') {
            static constexpr std::pair<char16_t, PieceKind> operations[] = {{u'U', PieceKind::UpperUntilEnd},
                                                                            {u'L', PieceKind::LowerUntilEnd},
                                                                            {u'E', PieceKind::End},
                                                                            {u'u', PieceKind::UpperNext},
                                                                            {u'l', PieceKind::LowerNext}};
            const auto operation = std::find_if(std::begin(operations), std::end(operations),
                                                [&](const auto &o) { return o.first == next.unicode(); });
            if (operation != std::end(operations)) {
                push(operation->second);
                i += 2;
                continue;
            }
        }
        literal += ch;
        ++i;
    }
    if (!literal.isEmpty())
        m_pieces.append({PieceKind::Text, 0, literal});
}

QString PatternReplacement::replaced(const QString &text) const
{
    if (!m_regex.isValid())
        return text;
    // The matches are found in the text with stand-ins for its bytes, and
    // their offsets, the same in both, cut the result from the real text.
    const QString subject = withByteStandIns(text);
    QRegularExpressionMatchIterator matches = m_regex.globalMatch(subject);
    if (!matches.hasNext())
        return text;
    QString out;
    out.reserve(text.size());
    qsizetype done = 0;
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        out += QStringView(text).sliced(done, match.capturedStart() - done);
        done = match.capturedEnd();
        PieceKind mode = PieceKind::End;
        PieceKind nextCase = PieceKind::End;
        for (const Piece &piece : m_pieces) {
            QString part;
            switch (piece.kind) {
            case PieceKind::Text:
                part = piece.text;
                break;
            case PieceKind::Group:
                if (match.capturedStart(piece.group) >= 0)
                    part = text.sliced(match.capturedStart(piece.group), match.capturedLength(piece.group));
                break;
            case PieceKind::UpperUntilEnd:
            case PieceKind::LowerUntilEnd:
            case PieceKind::End:
                mode = piece.kind;
                continue;
            case PieceKind::UpperNext:
            case PieceKind::LowerNext:
                nextCase = piece.kind;
                continue;
            }
            if (part.isEmpty())
                continue;
            // The next character's own case comes first; the rest follows \U or \L.
            qsizetype first = 0;
            if (nextCase != PieceKind::End) {
                first = part.size() > 1 && part.at(0).isHighSurrogate() && part.at(1).isLowSurrogate() ? 2 : 1;
                const QString head = part.first(first);
                out += nextCase == PieceKind::UpperNext ? toUpperKeepingBytes(head) : toLowerKeepingBytes(head);
                nextCase = PieceKind::End;
            }
            QString rest = first == 0 ? std::move(part) : part.sliced(first);
            if (mode == PieceKind::UpperUntilEnd)
                rest = toUpperKeepingBytes(std::move(rest));
            else if (mode == PieceKind::LowerUntilEnd)
                rest = toLowerKeepingBytes(std::move(rest));
            out += rest;
        }
    }
    out += QStringView(text).sliced(done);
    return out;
}

} // namespace kestrava
