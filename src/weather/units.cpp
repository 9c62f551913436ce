// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "weather/units.h"

#include <array>

namespace anemora {

namespace {

struct Conversion {
    // metric = (imperial - offset) * metricPerImperial
    double metricPerImperial;
    double offset;
    const char16_t *metric;
    const char16_t *imperial;
    int extraDecimals;
};

// In the order of Measure.
constexpr std::array<Conversion, 5> Conversions{{
    {KmhPerMph, 0, u"km/h", u"mph", 0},
    {CelsiusPerFahrenheit, 32, u"°C", u"°F", 0},
    {33.8638866667, 0, u"mb", u"inHg", 1},
    {100 * MmPerHundredthInch, 0, u"mm", u"in", 2},
    {1, 0, u"%", u"%", 0},
}};

const Conversion &Of(Measure measure) {
    return Conversions[std::size_t(measure)];
}

} // namespace

float ToShownUnits(Measure measure, float metric, UnitSystem units) {
    if (units == UnitSystem::Metric)
        return metric;
    return float(metric / Of(measure).metricPerImperial + Of(measure).offset);
}

float FromShownUnits(Measure measure, float shown, UnitSystem units) {
    if (units == UnitSystem::Metric)
        return shown;
    return float((double(shown) - Of(measure).offset) * Of(measure).metricPerImperial);
}

float ToShownDifference(Measure measure, float metric, UnitSystem units) {
    return units == UnitSystem::Metric ? metric : float(metric / Of(measure).metricPerImperial);
}

QStringView UnitSymbol(Measure measure, UnitSystem units) {
    return units == UnitSystem::Metric ? Of(measure).metric : Of(measure).imperial;
}

int ExtraDecimals(Measure measure, UnitSystem units) {
    return units == UnitSystem::Metric ? 0 : Of(measure).extraDecimals;
}

int ThresholdDecimals(Measure measure, UnitSystem units) {
    return measure == Measure::Humidity ? 0 : 1 + ExtraDecimals(measure, units);
}

} // namespace anemora
