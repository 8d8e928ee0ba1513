#include "FieldCorrections.h"

#include "RenameOptions.h"
#include "SpaceTrim.h"

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

} // namespace kestrava
