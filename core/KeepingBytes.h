// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kestrava {

// QString's case conversion turns a lone surrogate into U+FFFD whenever it
// changes anything else in the text, but a lone surrogate stands for a byte
// of a name that is not UTF-8 and must reach the disk unchanged. These
// conversions change the case of everything else and keep such bytes.

/// \a text upper-cased, each lone surrogate kept as it is.
QString toUpperKeepingBytes(QString text);
/// \a text lower-cased, each lone surrogate kept as it is.
QString toLowerKeepingBytes(QString text);

} // namespace kestrava
