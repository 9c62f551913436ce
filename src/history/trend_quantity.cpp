// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/trend_quantity.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>

namespace anemora {

namespace {

struct QuantityColumn {
    TrendChart chart;
    const char *name;
    Measure measure;
    int decimals;
    std::optional<float> StationLogRow::*decimal;
    std::optional<qint16> StationLogRow::*whole;
};

// In the order of TrendQuantity.
const std::array<QuantityColumn, TrendQuantityCount> QuantityColumns{{
    // clang-format off
    {TrendChart::Temperature, QT_TRANSLATE_NOOP("anemora::TrendWindow", "Temperatura"), Measure::Temperature, 1, &StationLogRow::temperature, nullptr},
    {TrendChart::Temperature, QT_TRANSLATE_NOOP("anemora::TrendWindow", "Punto di rugiada"), Measure::Temperature, 1, &StationLogRow::dewPoint, nullptr},
    {TrendChart::Humidity, QT_TRANSLATE_NOOP("anemora::TrendWindow", "Umidità"), Measure::Humidity, 0, nullptr, &StationLogRow::humidity},
    {TrendChart::Pressure, QT_TRANSLATE_NOOP("anemora::TrendWindow", "Pressione"), Measure::Pressure, 1, &StationLogRow::pressure, nullptr},
    {TrendChart::Wind, QT_TRANSLATE_NOOP("anemora::TrendWindow", "Vento medio"), Measure::Speed, 0, &StationLogRow::windSpeed, nullptr},
    {TrendChart::Wind, QT_TRANSLATE_NOOP("anemora::TrendWindow", "Raffica"), Measure::Speed, 0, &StationLogRow::gust, nullptr},
    {TrendChart::Rain, QT_TRANSLATE_NOOP("anemora::TrendWindow", "Pioggia in un'ora"), Measure::Rain, 0, &StationLogRow::rainHour, nullptr},
    // clang-format on
}};

} // namespace

TrendQuantityInfo InfoOf(TrendQuantity quantity, UnitSystem units) {
    const QuantityColumn &column = QuantityColumns[std::size_t(quantity)];
    return {column.chart, QCoreApplication::translate("anemora::TrendWindow", column.name),
            UnitSymbol(column.measure, units).toString(), ShownDecimals(quantity, units)};
}

int ShownDecimals(TrendQuantity quantity, UnitSystem units) {
    const QuantityColumn &column = QuantityColumns[std::size_t(quantity)];
    return column.decimals + ExtraDecimals(column.measure, units);
}

Measure MeasureOf(TrendChart chart) {
    const auto column = std::find_if(QuantityColumns.begin(), QuantityColumns.end(),
                                     [&](const QuantityColumn &c) { return c.chart == chart; });
    return column->measure;
}

StationLogRow InUnits(StationLogRow row, UnitSystem units) {
    if (units == UnitSystem::Metric)
        return row;
    for (const QuantityColumn &column : QuantityColumns) {
        if (column.decimal && row.*column.decimal)
            row.*column.decimal = ToShownUnits(column.measure, *(row.*column.decimal), units);
    }
    return row;
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
