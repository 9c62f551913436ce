// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "history/trend_quantity.h"
#include "weather/alarm_thresholds.h"

#include <QList>

namespace anemora {

// One alarm threshold drawn as a dashed line across its chart.
struct ThresholdLine {
    TrendChart chart;
    AlarmThreshold threshold;
    float value;

    bool operator==(const ThresholdLine &) const = default;
};

// The lines of the thresholds that are set, in the order of
// AlarmThresholdFields. The rain in 24 hours has no chart and no line.
QList<ThresholdLine> ThresholdLines(const AlarmThresholds &thresholds);

} // namespace anemora
