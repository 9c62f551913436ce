// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "weather/text_primitives.h"

#include <cmath>
#include <limits>

namespace anemora {

namespace {

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t';
}
bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

bool IsNumericText(const QString &text) {
    qsizetype i = 0;
    qsizetype end = text.size();
    while (i < end && IsBlank(text[i]))
        ++i;
    while (end > i && IsBlank(text[end - 1]))
        --end;
    if (i < end && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    bool digit = false;
    bool point = false;
    for (; i < end; ++i) {
        if (IsDigit(text[i])) {
            digit = true;
        } else if (text[i] == u'.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

double LeadingValue(const QString &text) {
    QString number;
    bool point = false;
    bool signAllowed = true;
    for (const QChar c : text) {
        if (IsBlank(c))
            continue;
        if (signAllowed && (c == u'+' || c == u'-')) {
            number += c;
        } else if (IsDigit(c)) {
            number += c;
        } else if (c == u'.' && !point) {
            point = true;
            number += c;
        } else {
            break;
        }
        signAllowed = false;
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    // A run of digits too long for a double is still a number, and a huge
    // one: reporting it as 0 would turn garbage into a plausible reading.
    if (std::isinf(value))
        return value;
    return ok ? value : 0.0;
}

std::optional<qint16> ToInt16(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    // nearbyint follows the default rounding mode, which is half to even.
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<qint16>::min() ||
        rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

} // namespace anemora
