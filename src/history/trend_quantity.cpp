// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/trend_quantity.h"

#include <array>

namespace anemora {

namespace {

struct QuantityColumn {
    TrendChart chart;
    const char *name;
    const char *unit;
    int decimals;
    std::optional<float> StationLogRow::*decimal;
    std::optional<qint16> StationLogRow::*whole;
};

// In the order of TrendQuantity.
const std::array<QuantityColumn, TrendQuantityCount> QuantityColumns{{
    // clang-format off
    {TrendChart::Temperature, "Temperatura", "°C", 1, &StationLogRow::temperature, nullptr},
    {TrendChart::Temperature, "Punto di rugiada", "°C", 1, &StationLogRow::dewPoint, nullptr},
    {TrendChart::Humidity, "Umidità", "%", 0, nullptr, &StationLogRow::humidity},
    {TrendChart::Pressure, "Pressione", "mb", 1, &StationLogRow::pressure, nullptr},
    {TrendChart::Wind, "Vento medio", "km/h", 0, &StationLogRow::windSpeed, nullptr},
    {TrendChart::Wind, "Raffica", "km/h", 0, &StationLogRow::gust, nullptr},
    {TrendChart::Rain, "Pioggia in un'ora", "mm", 0, &StationLogRow::rainHour, nullptr},
    // clang-format on
}};

} // namespace

TrendQuantityInfo InfoOf(TrendQuantity quantity) {
    const QuantityColumn &column = QuantityColumns[std::size_t(quantity)];
    return {column.chart, QString::fromUtf8(column.name), QString::fromUtf8(column.unit),
            column.decimals};
}

std::optional<float> ValueOf(const StationLogRow &row, TrendQuantity quantity) {
    const QuantityColumn &column = QuantityColumns[std::size_t(quantity)];
    if (column.decimal)
        return row.*column.decimal;
    if (const std::optional<qint16> whole = row.*column.whole)
        return float(*whole);
    return std::nullopt;
}

} // namespace anemora
