// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

namespace anemora {

// One decoded weather report in metric units. Absent values are carried as
// out-of-range numbers; consumers test presence by threshold.
struct WxReport {
    bool WindValid = false;
    qint16 WindDir = -999;
    float WindSpeed = 0;
    float Gust = 0;
    float Temp = 0;
    float RainHour = 0;
    float RainDay = 0;
    float Rain24 = 0;
    float Pressure = 0;
    qint16 Humidity = 0;
    qint16 PressChange = 0;
    QString Remainder;
};

WxReport ParseWxReport(const QString &text);
qint16 ReadWxField(QString &text, const QString &key, int width);

} // namespace anemora
