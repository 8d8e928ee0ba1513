// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace kestrava {

// A Linux file name is a string of bytes, usually but not always UTF-8. Names
// travel through the program as QString and must reach the system again byte
// for byte, so every byte that is not part of valid UTF-8 is carried as the
// lone low surrogate U+DC00 + byte (U+DC80 to U+DCFF), which no valid UTF-8
// can produce. These two functions are the only way names and paths cross
// between bytes and text.

/// \a bytes as text: valid UTF-8 decoded, each other byte as U+DC00 + byte.
QString fileNameFromBytes(QByteArrayView bytes);

/// The bytes of \a name (or a path) for the system: the exact inverse of
/// fileNameFromBytes(). A lone surrogate outside U+DC80 to U+DCFF, which only
/// typed text could hold, becomes the UTF-8 of U+FFFD.
QByteArray fileNameToBytes(QStringView name);

/// \a name as it reads back from the disk once written: bytes carried as lone
/// surrogates that together are valid UTF-8 become the characters they spell.
/// Two texts of the same bytes then compare equal, as the disk compares them.
/// A name without a surrogate, nearly every name, comes back as it is.
QString fileNameAsOnDisk(const QString &name);

/// \a name as a person should see it in one line of a list, box or log: each
/// byte that is not UTF-8 (and any other lone surrogate) as U+FFFD, each
/// character that would break the line as its visible picture: LF U+240A,
/// CR U+240D, VT U+240B, FF U+240C, NEL U+2424, LINE SEPARATOR U+2028 as
/// U+21B5 and PARAGRAPH SEPARATOR U+2029 as U+00B6, and each character that
/// reorders the text around it (the bidirectional marks, embeddings, overrides
/// and isolates) as its short name in angle brackets, "\u27E8RLO\u27E9" for
/// U+202E, so that a name cannot show its letters in another order than its
/// own. Only for showing: a run always works with the real name.
QString displayFileName(const QString &name);

} // namespace kestrava
