// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "history/station_log_row.h"
#include "weather/units.h"

#include <QString>

#include <optional>

namespace anemora {

// The five charts of the trend window, top to bottom.
enum class TrendChart { Temperature, Humidity, Pressure, Wind, Rain };
inline constexpr int TrendChartCount = 5;

// What the charts and the table show. Every quantity but the rain is a line;
// the rain in the last hour is drawn as bars.
enum class TrendQuantity { Temperature, DewPoint, Humidity, Pressure, WindSpeed, Gust, RainHour };
inline constexpr int TrendQuantityCount = 7;
inline constexpr int TrendLineCount = 6;

struct TrendQuantityInfo {
    TrendChart chart;
    // How the table names it.
    QString name;
    QString unit;
    // As the main window shows the same reading.
    int decimals;
};

TrendQuantityInfo InfoOf(TrendQuantity quantity, UnitSystem units = UnitSystem::Metric);
// The decimals of InfoOf, without looking up the name.
int ShownDecimals(TrendQuantity quantity, UnitSystem units);
// The kind of reading a chart draws.
Measure MeasureOf(TrendChart chart);

// The row with the values the charts draw in `units`; the rest as logged.
StationLogRow InUnits(StationLogRow row, UnitSystem units);

std::optional<float> ValueOf(const StationLogRow &row, TrendQuantity quantity);

} // namespace anemora
