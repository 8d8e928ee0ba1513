#include "NameCounters.h"

namespace kestrava {

void NameCounters::load(const QString &prefixStart, const QString &postfixStart)
{
    intPrefixCounter = qint16(prefixStart.toShort());
    intPostfixCounter = qint16(postfixStart.toShort());
}

void NameCounters::reset()
{
    intPrefixCounter = 0;
    intPostfixCounter = 0;
}

} // namespace kestrava
