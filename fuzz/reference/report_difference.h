// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "reference/wx_report.h"
#include "weather/wx_report.h"

#include <QString>

#include <cstring>

namespace anemora::reference {

// The fields in which the live parser's report differs from the frozen one's,
// one "name: live / frozen" per line; empty when they agree. Floats are
// compared bit for bit, since a -0 would be shown as "-0".
inline QString ReportDifference(const anemora::WxReport &live, const WxReport &frozen) {
    QString difference;
    const auto number = [](auto value) {
        return QString::number(static_cast<double>(value), 'g', 17);
    };
    const auto check = [&](const char *name, auto a, auto b) {
        if (std::memcmp(&a, &b, sizeof a) != 0)
            difference +=
                QStringLiteral("%1: %2 / %3\n").arg(QLatin1StringView(name), number(a), number(b));
    };
    check("WindValid", live.WindValid, frozen.WindValid);
    check("WindDir", live.WindDir, frozen.WindDir);
    check("WindSpeed", live.WindSpeed, frozen.WindSpeed);
    check("Gust", live.Gust, frozen.Gust);
    check("Temp", live.Temp, frozen.Temp);
    check("RainHour", live.RainHour, frozen.RainHour);
    check("RainDay", live.RainDay, frozen.RainDay);
    check("Rain24", live.Rain24, frozen.Rain24);
    check("Pressure", live.Pressure, frozen.Pressure);
    check("Humidity", live.Humidity, frozen.Humidity);
    check("PressChange", live.PressChange, frozen.PressChange);
    if (live.Remainder != frozen.Remainder || live.Remainder.isNull() != frozen.Remainder.isNull())
        difference +=
            QStringLiteral("Remainder: '%1' / '%2'\n").arg(live.Remainder, frozen.Remainder);
    return difference;
}

} // namespace anemora::reference
