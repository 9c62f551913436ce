// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "publish/mqtt_messages.h"

#include <array>
#include <charconv>

namespace anemora {

namespace {

// One sensor as Home Assistant sees it, read from one key of the state.
struct Quantity {
    const char *id;
    const char *name;
    const char *stateKey;
    const char *deviceClass;
    const char *stateClass;
    const char *unit;
    std::optional<float> StationLogRow::*decimal;
    std::optional<qint16> StationLogRow::*whole;
};

// In the log's column order, with the log's column names as keys. Rain since
// midnight only grows until the station starts it again; the others swing.
constexpr std::array<Quantity, 11> Quantities{{
    // clang-format off
    {"wind_direction", "Wind direction", "wind_direction_deg", "wind_direction", "measurement_angle", "°", nullptr, &StationLogRow::windDirection},
    {"wind_speed", "Wind speed", "wind_speed_kmh", "wind_speed", "measurement", "km/h", &StationLogRow::windSpeed, nullptr},
    {"gust", "Gust", "gust_kmh", "wind_speed", "measurement", "km/h", &StationLogRow::gust, nullptr},
    {"temperature", "Temperature", "temperature_c", "temperature", "measurement", "°C", &StationLogRow::temperature, nullptr},
    {"dew_point", "Dew point", "dew_point_c", "temperature", "measurement", "°C", &StationLogRow::dewPoint, nullptr},
    {"humidity", "Humidity", "humidity_pct", "humidity", "measurement", "%", nullptr, &StationLogRow::humidity},
    {"pressure", "Pressure", "pressure_mb", "atmospheric_pressure", "measurement", "mbar", &StationLogRow::pressure, nullptr},
    {"pressure_change_4h", "Pressure change in 4 h", "pressure_change_4h_mb", "pressure", "measurement", "mbar", nullptr, &StationLogRow::pressureChange},
    {"rain_1h", "Rain in the last hour", "rain_1h_mm", "precipitation", "measurement", "mm", &StationLogRow::rainHour, nullptr},
    {"rain_since_midnight", "Rain since midnight", "rain_since_midnight_mm", "precipitation", "total_increasing", "mm", &StationLogRow::rainDay, nullptr},
    {"rain_24h", "Rain in the last 24 h", "rain_24h_mm", "precipitation", "measurement", "mm", &StationLogRow::rain24, nullptr},
    // clang-format on
}};

// A JSON string in UTF-8; the call comes from the user, so quotes,
// backslashes and control characters are escaped.
QByteArray JsonString(const QString &text) {
    QByteArray out("\"");
    for (const QChar c : text) {
        if (c == u'"' || c == u'\\')
            out += '\\' + QByteArray(1, char(c.unicode()));
        else if (c.unicode() < 0x20)
            out += "\\u00" + QByteArray::number(c.unicode(), 16).rightJustified(2, '0');
        else
            out += QString(c).toUtf8();
    }
    return out + '"';
}

QByteArray Text(const QByteArray &utf8) {
    return JsonString(QString::fromUtf8(utf8));
}

// The shortest text that reads back as the same float, as the log writes it.
QByteArray Number(float value) {
    std::array<char, 32> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
    return QByteArray(buffer.data(), end - buffer.data());
}

QByteArray Member(const char *key, const QByteArray &value) {
    return '"' + QByteArray(key) + "\":" + value;
}

QByteArray Object(const QList<QByteArray> &members) {
    return '{' + members.join(',') + '}';
}

QByteArray Node(const QString &call) {
    return "anemora_" + TopicSafeCall(call).toLatin1();
}

QByteArray DataStoppedConfigTopic(const QString &call) {
    return "homeassistant/binary_sensor/" + Node(call) + "/data_stopped/config";
}

QByteArray Topic(const QString &call, const char *leaf) {
    return "anemora/" + TopicSafeCall(call).toLatin1() + '/' + leaf;
}

} // namespace

QString TopicSafeCall(const QString &call) {
    QString safe;
    safe.reserve(call.size());
    for (const QChar c : call) {
        const char16_t u = c.unicode();
        const char16_t lower = u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u;
        const bool kept = (lower >= u'a' && lower <= u'z') || (lower >= u'0' && lower <= u'9') ||
                          lower == u'_' || lower == u'-';
        safe += kept ? QChar(lower) : QChar(u'_');
    }
    return safe;
}

QByteArray StateTopic(const QString &call) {
    return Topic(call, "state");
}

QByteArray AvailabilityTopic(const QString &call) {
    return Topic(call, "availability");
}

QByteArray DataStoppedTopic(const QString &call) {
    return Topic(call, "data_stopped");
}

QByteArray DataStoppedPayload(bool on) {
    return on ? "ON" : "OFF";
}

QByteArray StateJson(const StationLogRow &row) {
    QList<QByteArray> members{
        Member("time_utc", JsonString(row.arrivalUtc.toUTC().toString(Qt::ISODate))),
        Member("station", JsonString(row.station))};
    for (const Quantity &quantity : Quantities) {
        QByteArray value("null");
        if (quantity.decimal && (row.*quantity.decimal))
            value = Number(*(row.*quantity.decimal));
        else if (quantity.whole && (row.*quantity.whole))
            value = QByteArray::number(*(row.*quantity.whole));
        members += Member(quantity.stateKey, value);
    }
    return Object(members);
}

QList<MqttMessage> DiscoveryMessages(const QString &call, int dataStoppedMinutes) {
    const QByteArray node = Node(call);
    const QByteArray device = Object(
        {Member("identifiers", '[' + Text(node) + ']'), Member("name", JsonString(call)),
         Member("manufacturer", Text("Anemora")), Member("model", Text("APRS weather station"))});
    QList<MqttMessage> messages;
    const bool expiring = dataStoppedMinutes > 0;
    for (const Quantity &quantity : Quantities) {
        QList<QByteArray> members{
            Member("name", Text(quantity.name)),
            Member("unique_id", Text(node + '_' + quantity.id)),
            Member("state_topic", Text(StateTopic(call))),
            Member("availability_topic", Text(AvailabilityTopic(call))),
            Member("device_class", Text(quantity.deviceClass)),
            Member("state_class", Text(quantity.stateClass)),
            Member("unit_of_measurement", Text(quantity.unit)),
            Member("value_template",
                   Text(QByteArray("{{ value_json.") + quantity.stateKey + " }}")),
            Member("device", device),
        };
        // Home Assistant then shows a reading the station stopped sending
        // as unavailable.
        if (expiring)
            members.insert(4, Member("expire_after", QByteArray::number(dataStoppedMinutes * 60)));
        messages +=
            {"homeassistant/sensor/" + node + '/' + quantity.id + "/config", Object(members)};
    }
    if (expiring)
        messages += {DataStoppedConfigTopic(call),
                     Object({
                         Member("name", Text("Data stopped")),
                         Member("unique_id", Text(node + "_data_stopped")),
                         Member("state_topic", Text(DataStoppedTopic(call))),
                         Member("availability_topic", Text(AvailabilityTopic(call))),
                         Member("device_class", Text("problem")),
                         Member("device", device),
                     })};
    return messages;
}

QList<MqttMessage> DataStoppedRemovals(const QString &call) {
    return {{DataStoppedConfigTopic(call), QByteArray()}, {DataStoppedTopic(call), QByteArray()}};
}

} // namespace anemora
