// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringView>

namespace anemora {

// The units readings are shown in. Reports, the log and WxAlarms.ini stay
// metric whatever is chosen: only what the user reads and types changes.
enum class UnitSystem { Metric, Imperial };

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

} // namespace anemora
