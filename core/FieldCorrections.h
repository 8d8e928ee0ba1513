// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace kestrava {

// The corrections the numeric option fields make when the user leaves them, in
// one place so that the window and the command line correct alike.

/// The value of \a text when it is 1 to \a maxDigits plain ASCII digits. Anything
/// else (signs, spaces, fractions, exponents, pasted letters) does not read as a
/// number.
std::optional<int> plainNumber(QStringView text, qsizetype maxDigits);

/// A counter start field's text as leaving the field corrects it: blank, not a
/// number, or below the smallest start gives the default start text.
QString correctedCountText(const QString &text);

/// A trim length field's text as leaving the field corrects it: blank gives the
/// default length, and not a number or too short gives the shortest length.
QString correctedTrimText(const QString &text);

/// A counter step field's text as leaving the field corrects it: blank or not a
/// number gives the default step, 1; a number outside 1 to 999 the nearest of them.
QString correctedStepText(const QString &text);
/// A counter digits field's text as leaving the field corrects it: blank or not
/// a number gives the default, 4; a number outside 1 to 9 the nearest of them.
QString correctedDigitsText(const QString &text);
/// The step and the digits a field's text stands for, read as leaving the
/// field would correct it, so that a field being typed in counts already.
int counterStepValue(const QString &text);
int counterDigitsValue(const QString &text);

} // namespace kestrava
