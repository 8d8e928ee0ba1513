// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

namespace kestrava {

/// The value a counter start text stands for: a text of 1 to 4 ASCII digits
/// reads as its number ("0005" gives 5, "0" gives 0), anything else (empty,
/// spaces, a sign, letters, more than four characters) reads as 1.
qint16 counterStartValue(QStringView text);

/// The two running counters of the counter stamps. Each holds the number the
/// next stamp on its side shows; a value below 1 stands for 1. Nine digits
/// and a step of 999 need more than 16 bits.
struct NameCounters
{
    int intPrefixCounter = 0;
    int intPostfixCounter = 0;

    /// Loads both counters from the texts of their start fields, as every
    /// series of names (sample preview, files preview, run) does first.
    void load(const QString &prefixStart, const QString &postfixStart);
    /// Both counters back to 0, as Reset leaves them.
    void reset();
};

} // namespace kestrava
