// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "config/config_files.h"
#include "config/wx_config.h"

#include <QString>
#include <QTest>

#include <optional>

namespace anemora {

// A failed QCOMPARE of two settings records prints both as the files would
// keep them, plus the flags that live only for the run.
inline char *toString(const WxConfig &config) {
    const QString text = ParamsText(config) + AlarmsText(config) +
                         QStringLiteral("active %1 %2, list %3, call changed %4")
                             .arg(config.AgwActive)
                             .arg(config.AprsActive)
                             .arg(config.ServerListPath)
                             .arg(config.CallChanged ? QString::number(*config.CallChanged)
                                                     : QStringLiteral("unset"));
    return QTest::toString(text);
}

namespace test {

// The placeholder station every test monitors.
inline const QString TestStation = QStringLiteral("Q1ABC-13");

// Builds the settings record a test starts from: the test station, and
// everything else as at program start until a step sets it.
class Settings {
public:
    Settings() { config.StationCall = TestStation; }
    Settings &Call(const QString &call) {
        config.StationCall = call;
        return *this;
    }
    // The AGWPE link on, as after start-up.
    Settings &Agw(const QString &host, qint16 port) {
        config.AgwHost = host;
        config.AgwPort = port;
        config.AgwEnabled = config.AgwActive = true;
        return *this;
    }
    // The APRS-IS link on, as after start-up.
    Settings &Aprs(const QString &host, qint16 port) {
        config.AprsHost = host;
        config.AprsPort = port;
        config.AprsEnabled = config.AprsActive = true;
        return *this;
    }
    Settings &ServerList(const QString &path, qint16 index) {
        config.ServerListPath = path;
        config.ServerIndex = index;
        return *this;
    }
    // Thresholds and notification options as shipped.
    Settings &AlarmDefaults() {
        ApplyAlarmDefaults(config);
        return *this;
    }
    operator WxConfig() const { return config; }

    WxConfig config;
};

// Each threshold by its name in AlarmThreshold, for tables that name one.
inline constexpr const char *ThresholdNames[] = {"LoTemp", "HiTemp", "LoHum",      "HiHum",
                                                 "LoBaro", "HiBaro", "HiRainHour", "HiRain24",
                                                 "HiWind", "HiGust"};

inline std::optional<AlarmThreshold> ThresholdNamed(const QString &name) {
    for (std::size_t i = 0; i < std::size(ThresholdNames); ++i) {
        if (name == QLatin1String(ThresholdNames[i]))
            return AlarmThreshold(i);
    }
    return std::nullopt;
}

// A humidity takes the whole part of `value`.
inline void SetThreshold(AlarmThresholds &thresholds, AlarmThreshold which, float value) {
    const AlarmThresholdField &field = AlarmThresholdFields[std::size_t(which)];
    if (field.decimal)
        thresholds.*field.decimal = value;
    else
        thresholds.*field.percent = qint16(value);
}

} // namespace test
} // namespace anemora
