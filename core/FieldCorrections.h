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

} // namespace kestrava
