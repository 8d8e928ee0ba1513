// SPDX-License-Identifier: GPL-3.0-or-later
// The replacement of a regular-expression find against a reference written
// as plainly as the replacement syntax reads: every match's replacement text
// is walked character by character, each character put into the case asked
// for on its own. Any pattern, replacement and name, bytes that are not UTF-8
// included, must give the same new base both ways.
#include "FuzzInput.h"
#include "PatternReplacement.h"

#include <QRegularExpression>

#include <optional>

using namespace kestrava;
using namespace kestrava::fuzzing;

namespace {

// Patterns that match often, with groups, names and empty matches; the fuzzer's
// own patterns seldom get that far.
const char *const knownPatterns[] = {
    "(\\w+)",
    "(?<a>.)(?<b>.)?",
    "x*",
    "\\b",
    "(?=.)",
    "^|$",
    "[aeiou]+",
    ".",
    "(.)(.)(.)(.)(.)(.)(.)(.)(.)(.)(.)(.)",
    "(a)|(b)",
    "\\d*",
    "(?i)É",
    "\\p{Lu}",
    "",
    "(?<n1>\\W)",
};

constexpr char16_t standIn = 0xE000;
constexpr char16_t standInEnd = 0xE800;

bool isLoneAt(const QString &text, qsizetype i)
{
    const QChar ch = text.at(i);
    if (ch.isHighSurrogate())
        return i + 1 >= text.size() || !text.at(i + 1).isLowSurrogate();
    return ch.isLowSurrogate() && (i == 0 || !text.at(i - 1).isHighSurrogate());
}

QString mapped(const QString &text)
{
    QString out = text;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isLoneAt(text, i))
            out[i] = QChar(char16_t(standIn + (text.at(i).unicode() - 0xD800)));
    }
    return out;
}

QString unmapped(const QString &text)
{
    QString out = text;
    for (QChar &ch : out) {
        if (ch.unicode() >= standIn && ch.unicode() < standInEnd)
            ch = QChar(char16_t(0xD800 + (ch.unicode() - standIn)));
    }
    return out;
}

bool holdsStandIns(const QString &text)
{
    for (const QChar ch : text) {
        if (ch.unicode() >= standIn && ch.unicode() < standInEnd)
            return true;
    }
    return false;
}

// 0 to 99 from one or two ASCII digits, when the pattern has that group.
std::optional<int> groupNumber(QStringView digits, int groups)
{
    if (digits.isEmpty() || digits.size() > 2)
        return std::nullopt;
    int value = 0;
    for (const QChar ch : digits) {
        if (ch < u'0' || ch > u'9')
            return std::nullopt;
        value = value * 10 + (ch.unicode() - u'0');
    }
    return value <= groups ? std::optional<int>(value) : std::nullopt;
}

struct Writer
{
    QString out;
    char mode = 'E';   // 'U', 'L' or 'E' for none
    char nextCase = 0; // 'u', 'l' or 0

    void put(const QString &text)
    {
        for (qsizetype i = 0; i < text.size();) {
            const qsizetype size =
                i + 1 < text.size() && text.at(i).isHighSurrogate() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
            const QString ch = text.mid(i, size);
            i += size;
            const char wanted = nextCase ? nextCase : mode;
            nextCase = 0;
            if (size == 1 && ch.front().isSurrogate())
                out += ch;
            else if (wanted == 'U' || wanted == 'u')
                out += ch.toUpper();
            else if (wanted == 'L' || wanted == 'l')
                out += ch.toLower();
            else
                out += ch;
        }
    }
};

QString reference(const QString &text, const QRegularExpression &regex, const QString &replacement)
{
    const QString subject = mapped(text);
    const int groups = regex.captureCount();
    const QStringList names = regex.namedCaptureGroups();
    QString out;
    qsizetype done = 0;
    QRegularExpressionMatchIterator matches = regex.globalMatch(subject);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        out += subject.mid(done, match.capturedStart() - done);
        done = match.capturedEnd();
        Writer writer;
        const QString &r = replacement;
        for (qsizetype i = 0; i < r.size();) {
            const QStringView rest = QStringView(r).sliced(i);
            if (rest.startsWith(u"$$")) {
                writer.put(QStringLiteral("$"));
                i += 2;
            } else if (const auto two = groupNumber(rest.size() >= 3 ? rest.sliced(1, 2) : QStringView(), groups);
                       rest.startsWith(u'$') && two) {
                writer.put(match.captured(*two));
                i += 3;
            } else if (const auto one = groupNumber(rest.mid(1, 1), groups); rest.startsWith(u'$') && one) {
                writer.put(match.captured(*one));
                i += 2;
            } else if (const qsizetype close = rest.indexOf(u'}'); rest.startsWith(u"${") && close > 2
                       && (names.indexOf(rest.sliced(2, close - 2)) > 0
                           || groupNumber(rest.sliced(2, close - 2), groups))) {
                const QStringView name = rest.sliced(2, close - 2);
                const qsizetype named = names.indexOf(name);
                writer.put(match.captured(named > 0 ? int(named) : *groupNumber(name, groups)));
                i += close + 1;
            } else if (rest.size() >= 2 && rest[0] == u'\\' && QStringView(u"ULEul").contains(rest[1])) {
                const char op = char(rest[1].unicode());
                if (op == 'u' || op == 'l')
                    writer.nextCase = op;
                else
                    writer.mode = op;
                i += 2;
            } else {
                writer.put(rest.first(1).toString());
                i += 1;
            }
        }
        out += writer.out;
    }
    out += subject.sliced(done);
    return unmapped(out);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const bool rawUnits = input.flag();
    const bool matchCase = input.flag();
    const int known = input.number<int>(-1, int(std::size(knownPatterns)) - 1);
    const QString pattern = known < 0 ? input.text(32, rawUnits) : QString::fromUtf8(knownPatterns[known]);
    const QString replacement = input.text(64, rawUnits);
    const QString name = input.text(200, rawUnits);

    const PatternReplacement real(pattern, replacement, matchCase);
    const QString replaced = real.replaced(name);
    QRegularExpression::PatternOptions options = QRegularExpression::UseUnicodePropertiesOption;
    if (!matchCase)
        options |= QRegularExpression::CaseInsensitiveOption;
    const QRegularExpression regex(mapped(pattern), options);
    require(real.isValid() == regex.isValid(), "valid for one and not for the other");
    require(real.isValid() || !real.errorText().isEmpty(), "an invalid pattern without an error text");
    if (!regex.isValid()) {
        require(replaced == name, "an invalid pattern changed the name");
        return 0;
    }
    // The reference tells its stand-ins from typed characters only when no
    // text typed in holds one of them.
    if (holdsStandIns(pattern) || holdsStandIns(replacement) || holdsStandIns(name))
        return 0;
    require(replaced == reference(name, regex, replacement), "the replacement differs from the reference");
    return 0;
}
