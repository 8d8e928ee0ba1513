#pragma once

#include <QString>
#include <QtGlobal>

namespace kestrava {

/// The two running counters of the counter stamps. Each holds the number the
/// next stamp on its side shows.
struct NameCounters
{
    qint16 intPrefixCounter = 0;
    qint16 intPostfixCounter = 0;

    /// Loads both counters from the texts of their start fields.
    void load(const QString &prefixStart, const QString &postfixStart);
    /// Both counters back to 0, as Reset leaves them.
    void reset();
};

} // namespace kestrava
