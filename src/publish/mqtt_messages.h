// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "history/station_log_row.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace anemora {

// One message for the broker. Every message Anemora sends is retained, so a
// dashboard that starts later still finds the station's last word.
struct MqttMessage {
    QByteArray topic;
    QByteArray payload;

    bool operator==(const MqttMessage &) const = default;
};

// The call as it may stand in a topic or an id: lower case, letters, digits,
// '_' and '-' kept, anything else (a '/', '+' or '#' above all) made '_'.
QString TopicSafeCall(const QString &call);

// anemora/<call>/state and anemora/<call>/availability.
QByteArray StateTopic(const QString &call);
QByteArray AvailabilityTopic(const QString &call);
inline const QByteArray AvailabilityOnline = "online";
inline const QByteArray AvailabilityOffline = "offline";
// anemora/<call>/data_stopped: the data-stopped alarm, ON or OFF.
QByteArray DataStoppedTopic(const QString &call);
QByteArray DataStoppedPayload(bool on);

// The report as one JSON object with the log's column names, values and
// units, the arrival time in UTC, and null for what the station did not send.
QByteArray StateJson(const StationLogRow &row);

// Home Assistant's discovery configs, one per quantity, all naming one
// device: the station. With the data-stopped alarm set (minutes above 0),
// each reading expires after those minutes, and a problem sensor follows
// the alarm.
QList<MqttMessage> DiscoveryMessages(const QString &call, int dataStoppedMinutes = 0);
// Empty retained messages that take the data-stopped sensor out of Home
// Assistant and its state off the broker, once the alarm is set off.
QList<MqttMessage> DataStoppedRemovals(const QString &call);

} // namespace anemora
