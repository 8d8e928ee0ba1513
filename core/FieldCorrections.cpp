// SPDX-License-Identifier: GPL-3.0-or-later
#include "FieldCorrections.h"

#include "RenameOptions.h"
#include "SpaceTrim.h"

#include <algorithm>

namespace kestrava {

std::optional<int> plainNumber(QStringView text, qsizetype maxDigits)
{
    if (text.isEmpty() || text.size() > maxDigits)
        return std::nullopt;
    int value = 0;
    for (const QChar ch : text) {
        if (ch < u'0' || ch > u'9')
            return std::nullopt;
        value = value * 10 + (ch.unicode() - u'0');
    }
    return value;
}

QString correctedCountText(const QString &text)
{
    const QString fallback = limits::defaultCountText.toString();
    if (withoutOuterSpaces(text).isEmpty())
        return fallback;
    const std::optional<int> value = plainNumber(text, limits::maxCountLength);
    if (!value || *value < limits::minCounterStart)
        return fallback;
    return text;
}

QString correctedTrimText(const QString &text)
{
    if (withoutOuterSpaces(text).isEmpty())
        return QString::number(limits::defaultTrimLength);
    const std::optional<int> value = plainNumber(text, limits::maxTrimTextLength);
    if (!value || *value <= limits::minTrimLength)
        return QString::number(limits::minTrimLength);
    return text;
}

namespace {

// \a text when it is a number from \a min to \a max; otherwise the nearest of
// them, or \a fallback when it is blank or not a number at all.
QString correctedRangeText(const QString &text, int min, int max, int fallback)
{
    const bool digitsOnly =
        !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](QChar ch) { return ch >= u'0' && ch <= u'9'; });
    if (!digitsOnly)
        return QString::number(fallback);
    // Leading zeros do not make a number bigger; any other tenth digit does.
    QStringView digits = text;
    while (digits.size() > 1 && digits.front() == u'0')
        digits = digits.sliced(1);
    const std::optional<int> value = plainNumber(digits, 9);
    if (!value)
        return QString::number(max);
    if (*value < min || *value > max)
        return QString::number(std::clamp(*value, min, max));
    return text;
}

} // namespace

QString correctedStepText(const QString &text)
{
    return correctedRangeText(text, limits::minCounterStep, limits::maxCounterStep, limits::defaultCounterStep);
}

QString correctedDigitsText(const QString &text)
{
    return correctedRangeText(text, limits::minCounterDigits, limits::maxCounterDigits,
                              limits::defaultCounterDigits);
}

int counterStepValue(const QString &text)
{
    return correctedStepText(text).toInt();
}

int counterDigitsValue(const QString &text)
{
    return correctedDigitsText(text).toInt();
}

} // namespace kestrava
