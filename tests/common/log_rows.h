// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "history/station_log_row.h"

#include <QDateTime>
#include <QString>

#include <algorithm>
#include <cmath>

namespace anemora::test {

constexpr int WeekOfMinutes = 7 * 24 * 60;

// One report of a station whose readings rise and fall over a few hours,
// `minute` minutes into the run: a realistic load for the trend benchmarks.
inline StationLogRow WavingReport(const QString &station, const QDateTime &arrival, int minute) {
    const float wave = float(std::sin(minute / 240.0));
    StationLogRow row;
    row.arrivalUtc = arrival;
    row.station = station;
    row.windDirection = qint16(minute % 360);
    row.windSpeed = 10 + 5 * wave;
    row.gust = 18 + 6 * wave;
    row.temperature = 12 + 8 * wave;
    row.dewPoint = 6 + 3 * wave;
    row.humidity = qint16(70 + 20 * wave);
    row.pressure = 1013 + 6 * wave;
    row.pressureChange = -1;
    row.rainHour = std::max(0.0f, 3 * wave);
    row.rainDay = 5;
    row.rain24 = 9;
    return row;
}

} // namespace anemora::test
