// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace kestrava::cli {

/// A file name or path as the system hands it over (a command-line argument,
/// a line of standard input) turned into the text the run works with.
QString nameFromBytes(const QByteArray &bytes);

/// The bytes the system knows \a name by; the reverse of nameFromBytes().
QByteArray nameToBytes(const QString &name);

/// \a name as printed: C-style escapes for what a terminal or a script could
/// misread. A backslash becomes "\\", tab, newline and carriage return "\t",
/// "\n" and "\r", any other control character, each character that changes
/// the direction of the text (U+061C, U+200E, U+200F, U+202A to U+202E,
/// U+2066 to U+2069) and every byte that is not valid UTF-8 "\xNN", one
/// escape per byte. Everything else is as it stands.
/// The result holds no control character and decodes back to the exact bytes.
QString escapedName(const QString &name);

} // namespace kestrava::cli
