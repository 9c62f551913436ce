// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "config/setup_fields.h"

#include "weather/text_primitives.h"
#include "weather/wx_display.h"

#include <QCoreApplication>

#include <cmath>

namespace anemora {

namespace {

std::optional<float> ReadFloat(const QString &text, const QLocale &locale) {
    bool ok = false;
    const float value = locale.toFloat(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<qint16> ReadHumidity(const QString &text, const QLocale &locale) {
    bool ok = false;
    const double value = locale.toDouble(text, &ok);
    if (!ok)
        return std::nullopt;
    const std::optional<qint16> rounded = ToInt16(value);
    if (!rounded || *rounded < 0 || *rounded > 100)
        return std::nullopt;
    return rounded;
}

bool PortFits(std::optional<qint16> port) {
    return port && *port >= 0;
}

SetupRefusal Refuse(SetupField field, const QString &name, const QString &problem) {
    return {field,
            QCoreApplication::translate("anemora::SetupFields", "%1: %2").arg(name, problem)};
}

std::variant<ServerAddress, SetupRefusal> ReadServer(const SetupFields &fields) {
    const QString name = QCoreApplication::translate("anemora::SetupFields", "Server Aprs");
    const bool typed = fields.serverPosition < 0;
    const QString text =
        typed ? fields.serverText : fields.serverItems.value(fields.serverPosition);
    if (typed && text.contains(u';'))
        return Refuse(
            SetupField::Server, name,
            QCoreApplication::translate("anemora::SetupFields", "non può contenere \";\""));
    const std::optional<ServerAddress> address = SplitServerEntry(text);
    if (!address)
        return Refuse(SetupField::Server, name,
                      QCoreApplication::translate("anemora::SetupFields", "scrivere host:porta"));
    if (address->host.contains(u'"'))
        return Refuse(
            SetupField::Server, name,
            QCoreApplication::translate("anemora::SetupFields", "non può contenere '\"'"));
    if (!PortFits(address->port))
        return Refuse(SetupField::Server, name,
                      QCoreApplication::translate("anemora::SetupFields",
                                                  "la porta deve essere tra 0 e 32767"));
    return *address;
}

} // namespace

QString FormatThreshold(float value, const QLocale &locale) {
    return locale.toString(double(value), 'f', 1);
}

QString ThresholdText(const AlarmThresholdField &field, const AlarmThresholds &thresholds,
                      UnitSystem units, const QLocale &locale) {
    if (!field.decimal)
        return QString::number(thresholds.*field.percent);
    const float value = thresholds.*field.decimal;
    if (units == UnitSystem::Metric)
        return FormatThreshold(value, locale);
    // Rounded as the readings are, so the alarm tests see what the dialog shows.
    return FormatFixed(ToShownUnits(field.measure, value, units),
                       ThresholdDecimals(field.measure, units), locale);
}

void LoadServerList(WxConfig &config, SetupFields &fields) {
    config.ServerIndex = NoServerIndex;
    const QString key = ServerKey(config.AprsHost, config.AprsPort);
    bool ok = false;
    fields.serverItems = ReadServerEntries(config.ServerListPath, &ok);
    fields.serverPosition = -1;
    fields.serverText.clear();
    if (!ok)
        return;
    // The last equal entry wins; positions beyond 16 bits cannot be stored.
    const qsizetype last = std::min<qsizetype>(fields.serverItems.size(), 32768);
    for (qsizetype i = 0; i < last; ++i) {
        if (fields.serverItems[i] == key)
            config.ServerIndex = static_cast<qint16>(i);
    }
    fields.serverPosition = config.ServerIndex;
    if (config.ServerIndex == NoServerIndex) {
        fields.serverText = key;
        config.AprsActive = false;
    } else {
        fields.serverText = fields.serverItems[config.ServerIndex];
    }
}

SetupFields LoadSetupFields(WxConfig &config, const QLocale &locale) {
    SetupFields fields;
    LoadServerList(config, fields);
    fields.focusNewData = config.FocusNewData;
    fields.beepNewData = config.BeepNewData;
    fields.focusAlarm = config.FocusAlarm;
    fields.beepAlarm = config.BeepAlarm;
    fields.saveAlarms = config.SaveAlarms;
    fields.reconnect = config.Reconnect;
    fields.language = config.Language;
    fields.units = config.Units;
    fields.dataStoppedMinutes = config.DataStoppedMinutes;
    for (std::size_t i = 0; i < AlarmThresholdFields.size(); ++i)
        fields.thresholds[i] = ThresholdText(AlarmThresholdFields[i], config, config.Units, locale);
    fields.call = config.StationCall;
    fields.agwHost = config.AgwHost;
    fields.agwPort = QString::number(config.AgwPort);
    fields.agwEnabled = config.AgwEnabled;
    fields.aprsEnabled = config.AprsEnabled;
    const MqttSettings &mqtt = config.Mqtt;
    fields.mqtt = {mqtt.enabled, mqtt.host,     QString::number(mqtt.port),
                   mqtt.user,    mqtt.password, mqtt.tls};
    return fields;
}

QString FilterCallText(const QString &typed) {
    QString call;
    for (const QChar c : typed) {
        if (c >= u'a' && c <= u'z')
            call += c.toUpper();
        else if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'-')
            call += c;
    }
    return call;
}

bool CallLongEnough(const QString &call) {
    return call.size() > 2;
}

std::variant<SetupNumbers, SetupRefusal> ReadSetupNumbers(const SetupFields &fields,
                                                          const QLocale &locale,
                                                          UnitSystem shownUnits,
                                                          const AlarmThresholds &loaded) {
    SetupNumbers numbers;
    std::array<std::size_t, AlarmThresholdFields.size()> checkOrder{};
    for (std::size_t i = 0; i < AlarmThresholdFields.size(); ++i)
        checkOrder[AlarmThresholdFields[i].checkOrder] = i;
    for (const std::size_t i : checkOrder) {
        const AlarmThresholdField &field = AlarmThresholdFields[i];
        const QString name = QCoreApplication::translate("anemora::SetupFields", field.name);
        const bool untouched =
            fields.thresholds[i] == ThresholdText(field, loaded, shownUnits, locale);
        if (untouched && field.decimal) {
            numbers.thresholds.*field.decimal = loaded.*field.decimal;
        } else if (field.decimal) {
            const std::optional<float> value = ReadFloat(fields.thresholds[i], locale);
            if (!value)
                return SetupRefusal{
                    SetupField::Threshold,
                    QCoreApplication::translate("anemora::SetupFields", "%1: scrivere un numero")
                        .arg(name),
                    int(i)};
            numbers.thresholds.*field.decimal = FromShownUnits(field.measure, *value, shownUnits);
        } else {
            const std::optional<qint16> value = ReadHumidity(fields.thresholds[i], locale);
            if (!value)
                return SetupRefusal{
                    SetupField::Threshold,
                    QCoreApplication::translate("anemora::SetupFields",
                                                "%1: scrivere un numero tra 0 e 100")
                        .arg(name),
                    int(i)};
            numbers.thresholds.*field.percent = *value;
        }
    }
    if (fields.agwHost.contains(u'"'))
        return Refuse(
            SetupField::AgwHost, QCoreApplication::translate("anemora::SetupFields", "Agwpe Addr"),
            QCoreApplication::translate("anemora::SetupFields", "non può contenere '\"'"));
    const std::optional<qint16> agwPort = ToInt16(LeadingValue(fields.agwPort));
    if (!PortFits(agwPort))
        return Refuse(SetupField::AgwPort,
                      QCoreApplication::translate("anemora::SetupFields", "Agwpe Port"),
                      QCoreApplication::translate("anemora::SetupFields",
                                                  "la porta deve essere tra 0 e 32767"));
    numbers.AgwPort = *agwPort;
    // An empty field names no server, so there is nothing to refuse.
    const bool serverNamed = fields.serverPosition >= 0 || !fields.serverText.isEmpty();
    if (fields.aprsEnabled && serverNamed) {
        const auto server = ReadServer(fields);
        if (const auto *refusal = std::get_if<SetupRefusal>(&server))
            return *refusal;
        numbers.server = std::get<ServerAddress>(server);
    }
    // The broker's fields rest while publishing is off, so nothing there is
    // refused; an unreadable port then leaves the stored one.
    if (!fields.mqtt.enabled)
        return numbers;
    bool portRead = false;
    const uint mqttPort = fields.mqtt.port.trimmed().toUInt(&portRead);
    if (!portRead || mqttPort < 1 || mqttPort > 65535)
        return Refuse(SetupField::MqttPort,
                      QCoreApplication::translate("anemora::SetupFields", "Porta MQTT"),
                      QCoreApplication::translate("anemora::SetupFields",
                                                  "la porta deve essere tra 1 e 65535"));
    numbers.mqttPort = quint16(mqttPort);
    if (fields.mqtt.host.trimmed().isEmpty())
        return Refuse(
            SetupField::MqttHost,
            QCoreApplication::translate("anemora::SetupFields", "Broker MQTT"),
            QCoreApplication::translate("anemora::SetupFields", "scrivere l'indirizzo del broker"));
    return numbers;
}

} // namespace anemora
