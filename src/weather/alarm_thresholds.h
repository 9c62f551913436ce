// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "weather/units.h"

#include <QCoreApplication>
#include <QtGlobal>

#include <array>

namespace anemora {

// The user's alarm thresholds. A reading beyond one turns red; all zero until
// start-up reads them.
struct AlarmThresholds {
    float LoTemp = 0;
    float HiTemp = 0;
    qint16 LoHum = 0;
    qint16 HiHum = 0;
    float LoBaro = 0;
    float HiBaro = 0;
    float HiRainHour = 0;
    float HiRain24 = 0;
    float HiWind = 0;
    float HiGust = 0;

    bool operator==(const AlarmThresholds &) const = default;
};

// Put in force when WxAlarms.ini cannot be read.
inline constexpr AlarmThresholds DefaultAlarmThresholds{-5.0f,   40.0f, 20,     96,    900.0f,
                                                        1040.0f, 40.0f, 250.0f, 50.0f, 80.0f};

// One threshold as the settings file and the settings dialog handle it.
// Exactly one of `decimal` and `percent` is set.
struct AlarmThresholdField {
    // Shown with one decimal.
    float AlarmThresholds::*decimal;
    // A humidity: a whole number from 0 to 100.
    qint16 AlarmThresholds::*percent;
    // How the dialog names it when it refuses the value, before translation.
    const char *name;
    // The last value of its line in WxAlarms.ini.
    bool endsFileLine;
    // Where the dialog checks it: a refusal names the first bad field.
    int checkOrder;
    Measure measure;
};

// Every threshold, in the order WxAlarms.ini holds them.
inline constexpr std::array<AlarmThresholdField, 10> AlarmThresholdFields{{
    // clang-format off
    {&AlarmThresholds::LoTemp, nullptr, QT_TRANSLATE_NOOP("anemora::SetupFields", "Temperatura minima"), false, 2, Measure::Temperature},
    {&AlarmThresholds::HiTemp, nullptr, QT_TRANSLATE_NOOP("anemora::SetupFields", "Temperatura massima"), false, 3, Measure::Temperature},
    {nullptr, &AlarmThresholds::LoHum, QT_TRANSLATE_NOOP("anemora::SetupFields", "Umidità minima"), false, 8, Measure::Humidity},
    {nullptr, &AlarmThresholds::HiHum, QT_TRANSLATE_NOOP("anemora::SetupFields", "Umidità massima"), true, 9, Measure::Humidity},
    {&AlarmThresholds::LoBaro, nullptr, QT_TRANSLATE_NOOP("anemora::SetupFields", "Pressione minima"), false, 4, Measure::Pressure},
    {&AlarmThresholds::HiBaro, nullptr, QT_TRANSLATE_NOOP("anemora::SetupFields", "Pressione massima"), false, 5, Measure::Pressure},
    {&AlarmThresholds::HiRainHour, nullptr, QT_TRANSLATE_NOOP("anemora::SetupFields", "Pioggia 1h"), false, 6, Measure::Rain},
    {&AlarmThresholds::HiRain24, nullptr, QT_TRANSLATE_NOOP("anemora::SetupFields", "Pioggia 24h"), true, 7, Measure::Rain},
    {&AlarmThresholds::HiWind, nullptr, QT_TRANSLATE_NOOP("anemora::SetupFields", "Vento massimo"), false, 0, Measure::Speed},
    {&AlarmThresholds::HiGust, nullptr, QT_TRANSLATE_NOOP("anemora::SetupFields", "Raffica massima"), true, 1, Measure::Speed},
    // clang-format on
}};

// Positions in AlarmThresholdFields, for code that names one threshold.
enum class AlarmThreshold {
    LoTemp,
    HiTemp,
    LoHum,
    HiHum,
    LoBaro,
    HiBaro,
    HiRainHour,
    HiRain24,
    HiWind,
    HiGust
};

} // namespace anemora
