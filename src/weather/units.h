// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringView>

namespace anemora {

// The units readings are shown in. Reports, the log and WxAlarms.ini stay
// metric whatever is chosen: only what the user reads and types changes.
enum class UnitSystem { Metric, Imperial };

// How the decoder turns what stations send into metric values. The units
// shown convert with the same numbers both ways, so a threshold typed as
// 80 mph is exactly the gust reported as 80 mph.
inline constexpr double KmhPerMph = 1.609347;
inline constexpr double MmPerHundredthInch = 0.254003;
inline constexpr double CelsiusPerFahrenheit = 0.5555555555555556;

// A kind of reading whose unit depends on the system.
enum class Measure { Speed, Temperature, Pressure, Rain, Humidity };

// A metric value (km/h, degrees C, mb, mm) in the chosen units.
float ToShownUnits(Measure measure, float metric, UnitSystem units);
// The reverse, for a value typed in the chosen units.
float FromShownUnits(Measure measure, float shown, UnitSystem units);
// How a difference of metric values reads: temperature differences take the
// scale but not the offset.
float ToShownDifference(Measure measure, float metric, UnitSystem units);
// "km/h", "°C", "mb", "mm" or "mph", "°F", "inHg", "in".
QStringView UnitSymbol(Measure measure, UnitSystem units);
// Inches of rain and of mercury need two decimals where millimetres and
// millibars need none more than the metric text has.
int ExtraDecimals(Measure measure, UnitSystem units);
// How many decimals the settings dialog shows a threshold with.
int ThresholdDecimals(Measure measure, UnitSystem units);

} // namespace anemora
