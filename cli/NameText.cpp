// SPDX-License-Identifier: GPL-3.0-or-later
#include "NameText.h"

#include "FileNameBytes.h"

#include <algorithm>

namespace kestrava::cli {

namespace {

void appendByteEscape(QString &out, uchar byte)
{
    static constexpr char16_t digits[] = u"0123456789abcdef";
    out += u"\\x";
    out += QChar(digits[byte >> 4]);
    out += QChar(digits[byte & 0xf]);
}

// Bytes that are not valid UTF-8 reach the program as lone surrogates
// U+DC80 to U+DCFF, the byte being the low eight bits.
bool isEscapedByte(char16_t code)
{
    return code >= 0xdc80 && code <= 0xdcff;
}

// A character that changes the direction of the text after it: printed raw,
// it would make a terminal show the rest of the line in another order.
bool isBidiControl(char32_t code)
{
    return code == 0x061c || code == 0x200e || code == 0x200f || (code >= 0x202a && code <= 0x202e)
        || (code >= 0x2066 && code <= 0x2069);
}

bool isControl(char32_t code)
{
    return code < 0x20 || code == 0x7f || (code >= 0x80 && code <= 0x9f) || isBidiControl(code);
}

} // namespace

QString nameFromBytes(const QByteArray &bytes)
{
    return fileNameFromBytes(bytes);
}

QByteArray nameToBytes(const QString &name)
{
    return fileNameToBytes(name);
}

QString escapedName(const QString &name)
{
    // Almost every name needs no escape and is handed back without a copy.
    const auto needsEscape = [](QChar ch) {
        const char16_t code = ch.unicode();
        return code < 0x20 || code == u'\\' || (code >= 0x7f && code <= 0x9f) || isEscapedByte(code)
            || isBidiControl(code);
    };
    if (std::none_of(name.cbegin(), name.cend(), needsEscape))
        return name;
    QString out;
    out.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t code = name[i].unicode();
        if (code == u'\\')
            out += u"\\\\";
        else if (code == u'\n')
            out += u"\\n";
        else if (code == u'\t')
            out += u"\\t";
        else if (code == u'\r')
            out += u"\\r";
        else if (isEscapedByte(code))
            appendByteEscape(out, uchar(code & 0xff));
        else if (isControl(code)) {
            // A C1 control is two bytes in UTF-8, a direction control two or
            // three; each is shown as the byte it is.
            const QByteArray bytes = QString(QChar(code)).toUtf8();
            for (const char byte : bytes)
                appendByteEscape(out, uchar(byte));
        } else
            out += QChar(code);
    }
    return out;
}

} // namespace kestrava::cli
