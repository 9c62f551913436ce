// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "weather/alarm_thresholds.h"
#include "weather/units.h"
#include "weather/wx_report.h"

#include <QLocale>
#include <QString>
#include <QtGlobal>

namespace anemora {

// Marks a derived value that was not computed; present means above -99.
constexpr float NotComputed = -999.0f;

struct HumidityValues {
    float DewPoint = NotComputed;
    float AbsHumidity = NotComputed;
};

// Wind chill in degrees C, or NotComputed when there is no gust (the gust
// enables it) or the result would be above the air temperature.
float WindChill(float temp, float windSpeed, float gust);

// Dew point (degrees C) and absolute humidity (g/m3).
HumidityValues DewPointAndAbsHumidity(float temp, qint16 humidity);

// Looks the words of the texts below up again in the language now in force;
// between two changes of language they are not looked up.
void RefreshWxWords();

// `value` with `decimals` fixed decimals in `locale` (the default one unless
// given), halves away from zero on the value as written in shortest decimal
// form. The texts below write their numbers the same way; the decoder hands
// all of them one locale, read once per report, and the units chosen. The
// words come from the language in force.
QString FormatFixed(float value, int decimals, const QLocale &locale = QLocale());

// "000" format: at least three digits, sign in front.
QString FormatDirection(qint16 direction);

bool IsCalm(float windSpeed, float gust);
QString CalmText();
QString WindText(qint16 direction, float windSpeed, float gust, const QLocale &locale = QLocale(),
                 UnitSystem units = UnitSystem::Metric);
// The wind as a screen reader says it, "220°, 6 km/h, raffica 8 km/h";
// calm air reads as the calm text.
QString WindDescription(qint16 direction, float windSpeed, float gust,
                        const QLocale &locale = QLocale(), UnitSystem units = UnitSystem::Metric);
QString TempText(float temp, const QLocale &locale = QLocale(),
                 UnitSystem units = UnitSystem::Metric);
QString HumidityText(qint16 humidity, const QLocale &locale = QLocale());
QString PressureText(float pressure, const QLocale &locale = QLocale(),
                     UnitSystem units = UnitSystem::Metric);
QString RainText(const WxReport &wx, float windChill, const HumidityValues &humidity,
                 const QLocale &locale = QLocale(), UnitSystem units = UnitSystem::Metric);
double RainFontPointSize(const QString &rainText);
QString CommentText(qint16 pressChange, const QString &remainder, const QLocale &locale = QLocale(),
                    UnitSystem units = UnitSystem::Metric);

// How a reading moved since the previous report; None before a second one.
enum class TrendMark { None, Up, Steady, Down };

TrendMark TrendOf(float difference);

// The five alarm tests against the user's thresholds, on metric readings.
// In metric units the stored values are compared. In imperial ones a reading
// is compared as shown with the threshold as the dialog shows it, so one
// that reads the same counts as equal: a pressure sent in tenths of a
// millibar is seldom a whole hundredth of an inch.
bool WindAlarm(const AlarmThresholds &thresholds, float windSpeed, float gust,
               UnitSystem units = UnitSystem::Metric);
bool TempAlarm(const AlarmThresholds &thresholds, float temp,
               UnitSystem units = UnitSystem::Metric);
bool HumidityAlarm(const AlarmThresholds &thresholds, qint16 humidity);
bool PressureAlarm(const AlarmThresholds &thresholds, float pressure,
                   UnitSystem units = UnitSystem::Metric);
bool RainAlarm(const AlarmThresholds &thresholds, float rainHour, float rain24,
               UnitSystem units = UnitSystem::Metric);

// File name of the station's own new-data sound, or empty when the call
// cannot name a file inside the program's folder.
QString StationSoundName(const QString &stationCall);

} // namespace anemora
