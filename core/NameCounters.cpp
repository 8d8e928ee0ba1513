// SPDX-License-Identifier: GPL-3.0-or-later
#include "NameCounters.h"

namespace kestrava {

qint16 counterStartValue(QStringView text)
{
    // The count boxes hold at most four digits; anything else reaching us was
    // not typed through them, and the default start of 1 is the safe reading.
    if (text.isEmpty() || text.size() > 4)
        return 1;
    qint16 value = 0;
    for (const QChar ch : text) {
        const char16_t code = ch.unicode();
        if (code < u'0' || code > u'9')
            return 1;
        value = qint16(value * 10 + (code - u'0'));
    }
    return value;
}

void NameCounters::load(const QString &prefixStart, const QString &postfixStart)
{
    intPrefixCounter = counterStartValue(prefixStart);
    intPostfixCounter = counterStartValue(postfixStart);
}

void NameCounters::reset()
{
    intPrefixCounter = 0;
    intPostfixCounter = 0;
}

} // namespace kestrava
