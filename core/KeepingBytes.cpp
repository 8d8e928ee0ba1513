// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeepingBytes.h"

#include <algorithm>

namespace kestrava {

namespace {

// A text holding lone surrogates is converted piece by piece between them.
template<typename Convert>
QString convertedKeepingLoneSurrogates(QString text, Convert convert)
{
    const auto isLone = [&text](qsizetype i) {
        const QChar ch = text.at(i);
        if (ch.isHighSurrogate())
            return i + 1 >= text.size() || !text.at(i + 1).isLowSurrogate();
        return ch.isLowSurrogate() && (i == 0 || !text.at(i - 1).isHighSurrogate());
    };
    const auto surrogate = [](QChar ch) { return ch.isSurrogate(); };
    if (std::none_of(text.cbegin(), text.cend(), surrogate))
        return convert(std::move(text));
    QString result;
    result.reserve(text.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isLone(i))
            continue;
        result += convert(text.mid(start, i - start));
        if (i < text.size())
            result += text.at(i);
        start = i + 1;
    }
    return result;
}

} // namespace

QString toUpperKeepingBytes(QString text)
{
    return convertedKeepingLoneSurrogates(std::move(text), [](QString t) { return std::move(t).toUpper(); });
}

QString toLowerKeepingBytes(QString text)
{
    return convertedKeepingLoneSurrogates(std::move(text), [](QString t) { return std::move(t).toLower(); });
}

} // namespace kestrava
