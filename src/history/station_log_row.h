// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "weather/wx_report.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace anemora {

// One report as the station log keeps it: only the values the station sent,
// each empty when absent, plus the dew point the charts need.
struct StationLogRow {
    QDateTime arrivalUtc;
    QString station;
    std::optional<qint16> windDirection;
    std::optional<float> windSpeed;
    std::optional<float> gust;
    std::optional<float> temperature;
    std::optional<float> dewPoint;
    std::optional<qint16> humidity;
    std::optional<float> pressure;
    std::optional<qint16> pressureChange;
    std::optional<float> rainHour;
    std::optional<float> rainDay;
    std::optional<float> rain24;

    bool operator==(const StationLogRow &) const = default;
};

// The row for one decoded report; presence follows the display's rules, so
// the log holds exactly what the window could show.
StationLogRow LogRowFromReport(const QDateTime &arrival, const QString &station,
                               const WxReport &wx);

// The first line of every log file.
QByteArray StationLogHeader();

// One CSV line with its line end, numbers in the C locale, text as Latin-1.
QByteArray FormatLogLine(const StationLogRow &row);

// The row of one line (without its line end), or nothing when the line is
// damaged: wrong field count, a field that is not a number, a bad time.
std::optional<StationLogRow> ParseLogLine(const QByteArray &line);

} // namespace anemora
