// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "config/display_language.h"
#include "publish/mqtt_settings.h"
#include "weather/alarm_thresholds.h"
#include "weather/units.h"

#include <QString>
#include <QtGlobal>

#include <optional>

namespace anemora {

// Public APRS-IS rotation address used when no server is stored or given.
inline const QString DefaultAprsHost = QStringLiteral("rotate.aprs2.net");

inline const QString DefaultAgwHost = QStringLiteral("localhost");
constexpr qint16 DefaultAgwPort = 8000;
constexpr qint16 DefaultAprsPort = 14580;
constexpr qint16 NoServerIndex = -1;
inline const QString NoCall = QStringLiteral("NOCALL");

// Notification options put in force when WxAlarms.ini cannot be read.
constexpr bool DefaultBeepNewData = false;
constexpr bool DefaultFocusNewData = true;
constexpr bool DefaultBeepAlarm = true;
constexpr bool DefaultFocusAlarm = true;

// The data-stopped alarm's range of minutes; 0 is off.
constexpr int MinDataStoppedMinutes = 5;
constexpr int MaxDataStoppedMinutes = 999;

// The one settings record of the run. At program start every text is empty,
// every number 0 and every flag false; start-up fills it. The thresholds are
// a base, so that `config.HiTemp` reads as it always has.
struct WxConfig : AlarmThresholds {
    QString StationCall;
    QString ServerListPath;
    qint16 ServerIndex = 0;
    QString AgwHost;
    QString AprsHost;
    qint16 AgwPort = 0;
    qint16 AprsPort = 0;
    bool AgwEnabled = false;
    bool AprsEnabled = false;
    bool BeepNewData = false;
    bool FocusNewData = false;
    bool AgwActive = false;
    bool AprsActive = false;
    bool BeepAlarm = false;
    bool FocusAlarm = false;
    bool SaveAlarms = false;
    // A failed link tries again by itself instead of asking the user.
    bool Reconnect = false;
    DisplayLanguage Language = DisplayLanguage::Italian;
    UnitSystem Units = UnitSystem::Metric;
    MqttSettings Mqtt;
    // Minutes without a report of the station, while a link is connected,
    // before the data-stopped alarm; 0 leaves it off.
    int DataStoppedMinutes = 0;
    // Why the broker's password was left out of Anemora.ini when last saved;
    // empty when it went in, or there is none.
    QString MqttPasswordWarning;
    // Unset until the settings are first applied; only true has an effect.
    std::optional<bool> CallChanged;

    bool operator==(const WxConfig &) const = default;
};

} // namespace anemora
