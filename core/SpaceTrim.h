// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

namespace kestrava {

// Names are trimmed of the space character only: a tab or any other white
// space is part of the name, unlike what QString::trimmed() would do.

/// \a text without the spaces at its start.
inline QStringView withoutLeadingSpaces(QStringView text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start] == u' ')
        ++start;
    return text.sliced(start);
}

/// \a text without the spaces at its end.
inline QStringView withoutTrailingSpaces(QStringView text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    return text.first(end);
}

/// \a text without the spaces at either end.
inline QStringView withoutOuterSpaces(QStringView text)
{
    return withoutTrailingSpaces(withoutLeadingSpaces(text));
}

} // namespace kestrava
