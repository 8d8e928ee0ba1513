// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileNameBytes.h"

#include <algorithm>

namespace kestrava {

namespace {

constexpr char16_t escapeBase = 0xDC00;

bool isContinuation(uchar byte)
{
    return (byte & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 sequence at \a at, or 0 when the byte
// there does not start one (overlong forms, surrogates and values past
// U+10FFFF are not well formed).
int sequenceLength(const uchar *at, qsizetype left)
{
    const uchar lead = at[0];
    int length = 0;
    uchar low = 0x80;
    uchar high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (left < length || at[1] < low || at[1] > high)
        return 0;
    for (int i = 2; i < length; ++i) {
        if (!isContinuation(at[i]))
            return 0;
    }
    return length;
}

char32_t decodeSequence(const uchar *at, int length)
{
    char32_t code = at[0] & (0xFF >> (length + 1));
    for (int i = 1; i < length; ++i)
        code = (code << 6) | (at[i] & 0x3F);
    return code;
}

void appendUtf8(QByteArray &out, char32_t code)
{
    if (code < 0x80) {
        out.append(char(code));
    } else if (code < 0x800) {
        out.append(char(0xC0 | (code >> 6)));
        out.append(char(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.append(char(0xE0 | (code >> 12)));
        out.append(char(0x80 | ((code >> 6) & 0x3F)));
        out.append(char(0x80 | (code & 0x3F)));
    } else {
        out.append(char(0xF0 | (code >> 18)));
        out.append(char(0x80 | ((code >> 12) & 0x3F)));
        out.append(char(0x80 | ((code >> 6) & 0x3F)));
        out.append(char(0x80 | (code & 0x3F)));
    }
}

QChar lineBreakPicture(char16_t ch)
{
    switch (ch) {
    case u'\n':
        return QChar(0x240A);
    case u'\r':
        return QChar(0x240D);
    case u'\v':
        return QChar(0x240B);
    case u'\f':
        return QChar(0x240C);
    case 0x0085:
        return QChar(0x2424);
    case 0x2028:
        return QChar(0x21B5);
    case 0x2029:
        return QChar(0x00B6);
    default:
        return QChar();
    }
}

// The short name of a character that changes the direction of the text around
// it, as Unicode abbreviates it; empty for any other.
QStringView bidiControlName(char16_t ch)
{
    switch (ch) {
    case 0x061C:
        return u"ALM";
    case 0x200E:
        return u"LRM";
    case 0x200F:
        return u"RLM";
    case 0x202A:
        return u"LRE";
    case 0x202B:
        return u"RLE";
    case 0x202C:
        return u"PDF";
    case 0x202D:
        return u"LRO";
    case 0x202E:
        return u"RLO";
    case 0x2066:
        return u"LRI";
    case 0x2067:
        return u"RLI";
    case 0x2068:
        return u"FSI";
    case 0x2069:
        return u"PDI";
    default:
        return {};
    }
}

// Whether displayFileName() shows \a ch as something else: a surrogate, a
// character that lineBreakPicture() has a picture for or one that
// bidiControlName() names. Two comparisons for the usual character, as a
// preview asks it of every character of 200,000 names.
bool shownOtherwise(char16_t ch)
{
    if (ch < 0x85)
        return ch >= u'\n' && ch <= u'\r';
    if (ch < 0x200E)
        return ch == 0x85 || ch == 0x061C;
    return ch <= 0x200F || (ch >= 0x2028 && ch <= 0x202E) || (ch >= 0x2066 && ch <= 0x2069)
        || (ch >= 0xD800 && ch <= 0xDFFF);
}

} // namespace

QString fileNameFromBytes(QByteArrayView bytes)
{
    const auto *data = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype ascii = 0;
    while (ascii < size && data[ascii] < 0x80)
        ++ascii;
    if (ascii == size)
        return QString::fromLatin1(bytes.data(), size);
    QString name;
    name.reserve(size);
    name.append(QLatin1StringView(bytes.data(), ascii));
    for (qsizetype at = ascii; at < size;) {
        if (data[at] < 0x80) {
            name.append(QChar(char16_t(data[at++])));
            continue;
        }
        const int length = sequenceLength(data + at, size - at);
        if (length == 0) {
            name.append(QChar(char16_t(escapeBase + data[at++])));
            continue;
        }
        const char32_t code = decodeSequence(data + at, length);
        at += length;
        if (QChar::requiresSurrogates(code)) {
            name.append(QChar(QChar::highSurrogate(code)));
            name.append(QChar(QChar::lowSurrogate(code)));
        } else {
            name.append(QChar(char16_t(code)));
        }
    }
    return name;
}

QByteArray fileNameToBytes(QStringView name)
{
    // Nearly every name holds no surrogate: its bytes are its plain UTF-8, which
    // Qt's encoder gives far faster than the loop below. A run asks for every file.
    if (std::none_of(name.begin(), name.end(), [](QChar ch) { return ch.isSurrogate(); }))
        return name.toUtf8();
    QByteArray out;
    out.reserve(name.size());
    const qsizetype size = name.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = name[i].unicode();
        if (unit < 0x80) {
            out.append(char(unit));
        } else if (QChar::isHighSurrogate(unit) && i + 1 < size && name[i + 1].isLowSurrogate()) {
            appendUtf8(out, QChar::surrogateToUcs4(unit, name[i + 1].unicode()));
            ++i;
        } else if (unit >= escapeBase + 0x80 && unit <= escapeBase + 0xFF) {
            out.append(char(unit - escapeBase));
        } else if (QChar::isSurrogate(unit)) {
            appendUtf8(out, QChar::ReplacementCharacter);
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}

QString fileNameAsOnDisk(const QString &name)
{
    if (std::none_of(name.cbegin(), name.cend(), [](QChar ch) { return ch.isSurrogate(); }))
        return name;
    return fileNameFromBytes(fileNameToBytes(name));
}

QString displayFileName(const QString &name)
{
    const auto needsChange = [](QChar ch) { return shownOtherwise(ch.unicode()); };
    if (std::none_of(name.cbegin(), name.cend(), needsChange))
        return name;
    QString shown;
    shown.reserve(name.size() + 8);
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar ch = name.at(i);
        if (ch.isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate()) {
            shown += ch; // a whole character beyond U+FFFF
            shown += name.at(++i);
        } else if (ch.isSurrogate()) {
            shown += QChar::ReplacementCharacter;
        } else if (const QChar picture = lineBreakPicture(ch.unicode()); !picture.isNull()) {
            shown += picture;
        } else if (const QStringView abbreviation = bidiControlName(ch.unicode()); !abbreviation.isEmpty()) {
            shown += QChar(0x27E8);
            shown += abbreviation;
            shown += QChar(0x27E9);
        } else {
            shown += ch;
        }
    }
    return shown;
}

} // namespace kestrava
