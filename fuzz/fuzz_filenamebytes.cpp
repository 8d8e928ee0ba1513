// SPDX-License-Identifier: GPL-3.0-or-later
// The byte-exact file names: every byte sequence survives the way into text
// and back, every valid text the way into bytes and back, and the shown form
// of any name is one line of valid text in the order of its characters.
#include "FileNameBytes.h"
#include "FuzzInput.h"

using namespace kestrava;
using namespace kestrava::fuzzing;

namespace {

bool breaksTheLine(QChar c)
{
    switch (c.unicode()) {
    case u'\n':
    case u'\r':
    case u'\v':
    case u'\f':
    case 0x0085:
    case 0x2028:
    case 0x2029:
        return true;
    default:
        return false;
    }
}

bool turnsTheText(QChar c)
{
    const char16_t code = c.unicode();
    return code == 0x061C || code == 0x200E || code == 0x200F || (code >= 0x202A && code <= 0x202E)
        || (code >= 0x2066 && code <= 0x2069);
}

void requireOneLine(const QString &shown)
{
    require(shown.isValidUtf16(), "a shown name that is not valid text");
    for (const QChar c : shown) {
        require(!breaksTheLine(c), "a shown name that breaks the line");
        require(!turnsTheText(c), "a shown name that changes the direction of the text");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString name = fileNameFromBytes(bytes);
    require(fileNameToBytes(name) == bytes, "a name's bytes changed on the way through text");
    require(bytes.contains('/') == name.contains(u'/'), "a '/' appeared or vanished in decoding");
    requireOneLine(displayFileName(name));

    // The same bytes as UTF-16 units stand for a text typed in.
    FuzzInput input(data, size);
    const QString typed = input.text(size, true);
    const QByteArray typedBytes = fileNameToBytes(typed);
    if (typed.isValidUtf16())
        require(fileNameFromBytes(typedBytes) == typed, "a typed name changed on the way through bytes");
    requireOneLine(displayFileName(typed));
    return 0;
}
