// SPDX-License-Identifier: GPL-3.0-or-later
#include "NumberedName.h"

namespace kestrava {

namespace {

constexpr int lastNumber = 9'999'999;

// The length of the last character of \a text: a surrogate pair is one.
qsizetype lastCharacterSize(const QString &text)
{
    const qsizetype size = text.size();
    return size >= 2 && text.at(size - 1).isLowSurrogate() && text.at(size - 2).isHighSurrogate() ? 2 : 1;
}

} // namespace

std::optional<QString> numberedFreeName(const QString &wanted, const NameTakenTest &isTaken,
                                        const FolderNameRules &rules)
{
    const qsizetype dot = wanted.lastIndexOf(u'.');
    const qsizetype split = dot > 0 ? dot : wanted.size();
    const QString extension = wanted.sliced(split);
    // The base cut for the longest number tried so far; a longer number only cuts more.
    QString base = wanted.first(split);
    for (int number = 2; number <= lastNumber; ++number) {
        const QString suffix = QStringLiteral(" (%1)").arg(number) + extension;
        QString candidate = base + suffix;
        while (isNameTooLong(candidate, rules)) {
            if (base.size() <= lastCharacterSize(base))
                return std::nullopt;
            base.chop(lastCharacterSize(base));
            candidate = base + suffix;
        }
        if (!isTaken(candidate))
            return candidate;
    }
    return std::nullopt;
}

} // namespace kestrava
