// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/trend_thresholds.h"

#include <array>
#include <limits>

namespace anemora {

namespace {

constexpr float Unbounded = std::numeric_limits<float>::max();

// A threshold counts as set when readings can fall on both sides of it, so
// that its alarm can fire and can stay quiet: above `lowest`, at most
// `highest`. Outside that band it is always or never in alarm, which is how a
// user switches one off (0 for humidity, pressure, rain and wind; -99 or less
// for a temperature, which reads as absent).
struct ThresholdPlace {
    AlarmThreshold threshold;
    TrendChart chart;
    float lowest;
    float highest;
};

constexpr std::array<ThresholdPlace, 9> ThresholdPlaces{{
    // clang-format off
    {AlarmThreshold::LoTemp, TrendChart::Temperature, -99, Unbounded},
    {AlarmThreshold::HiTemp, TrendChart::Temperature, -99, Unbounded},
    {AlarmThreshold::LoHum, TrendChart::Humidity, 0, 99},
    {AlarmThreshold::HiHum, TrendChart::Humidity, 0, 100},
    {AlarmThreshold::LoBaro, TrendChart::Pressure, 0, Unbounded},
    {AlarmThreshold::HiBaro, TrendChart::Pressure, 0, Unbounded},
    {AlarmThreshold::HiRainHour, TrendChart::Rain, 0, Unbounded},
    {AlarmThreshold::HiWind, TrendChart::Wind, 0, Unbounded},
    {AlarmThreshold::HiGust, TrendChart::Wind, 0, Unbounded},
    // clang-format on
}};

float ValueOf(const AlarmThresholds &thresholds, AlarmThreshold threshold) {
    const AlarmThresholdField &field = AlarmThresholdFields[std::size_t(threshold)];
    return field.decimal ? thresholds.*field.decimal : float(thresholds.*field.percent);
}

} // namespace

QList<ThresholdLine> ThresholdLines(const AlarmThresholds &thresholds) {
    QList<ThresholdLine> lines;
    for (const ThresholdPlace &place : ThresholdPlaces) {
        const float value = ValueOf(thresholds, place.threshold);
        if (value > place.lowest && value <= place.highest)
            lines.append({place.chart, place.threshold, value});
    }
    return lines;
}

} // namespace anemora
