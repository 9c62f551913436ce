// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace anemora {

// True for an optional sign followed by digits with at most one decimal point
// and at least one digit, blanks around it ignored.
bool IsNumericText(const QString &text);

// The number at the start of `text` (sign, digits, one "." whatever the
// locale; blanks are skipped); 0 when the text does not begin with a number,
// an infinity when the number is too large for a double.
double LeadingValue(const QString &text);

// Rounds half to even; empty when the result does not fit 16 bits.
std::optional<qint16> ToInt16(double value);

} // namespace anemora
