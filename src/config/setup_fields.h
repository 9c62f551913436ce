// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "config/server_list.h"
#include "config/wx_config.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>

#include <optional>
#include <variant>

namespace anemora {

// The publishing part of the form, the port as typed.
struct MqttFields {
    bool enabled = false;
    QString host;
    QString port;
    QString user;
    QString password;
    bool tls = false;
};

// What the settings dialog shows, field by field, as plain values.
struct SetupFields {
    QString call;
    bool focusNewData = false;
    bool beepNewData = false;
    bool focusAlarm = false;
    bool beepAlarm = false;
    bool saveAlarms = false;
    bool reconnect = false;
    DisplayLanguage language = DisplayLanguage::Italian;
    UnitSystem units = UnitSystem::Metric;
    // 0: the data-stopped alarm is off.
    int dataStoppedMinutes = 0;
    // One text per AlarmThresholdFields entry, in its order.
    std::array<QString, AlarmThresholdFields.size()> thresholds;
    QString &threshold(AlarmThreshold which) { return thresholds[std::size_t(which)]; }
    const QString &threshold(AlarmThreshold which) const { return thresholds[std::size_t(which)]; }
    QString agwHost;
    QString agwPort;
    bool agwEnabled = false;
    bool aprsEnabled = false;
    // The server box: its list, the selected item (-1 when none is selected
    // or the text was typed) and its text field.
    QStringList serverItems;
    int serverPosition = -1;
    QString serverText;
    MqttFields mqtt;
};

// Fills `fields` from `config` as the dialog shows it on opening. Reading the
// server list sets ServerIndex, and clears AprsActive when the current server
// is not in the list.
SetupFields LoadSetupFields(WxConfig &config, const QLocale &locale);

// The server list part of loading: every entry of ServerListPath in order,
// the last one equal to the current server selected.
void LoadServerList(WxConfig &config, SetupFields &fields);

// A threshold as the dialog shows it: one decimal, the locale's separators.
QString FormatThreshold(float value, const QLocale &locale);
// The text of one threshold of `thresholds` in `units`: inches of rain and
// mercury take the decimals they need.
QString ThresholdText(const AlarmThresholdField &field, const AlarmThresholds &thresholds,
                      UnitSystem units, const QLocale &locale);

// The call field's typing filter: letters upper-cased, digits and "-" kept,
// everything else dropped. "%" and "'" are dropped too: a call sign never
// holds them.
QString FilterCallText(const QString &typed);

// Conferma is enabled exactly when this holds.
bool CallLongEnough(const QString &call);

enum class SetupField { Threshold, AgwHost, AgwPort, Server, MqttHost, MqttPort };

// Why Accept cannot go ahead: the field to correct and what is wrong with it.
struct SetupRefusal {
    SetupField field;
    QString message;
    // The AlarmThresholdFields entry, for a refused threshold.
    int threshold = -1;
};

// The numbers of the form, read and checked before anything is applied.
struct SetupNumbers {
    AlarmThresholds thresholds;
    qint16 AgwPort = 0;
    // The server the APRS-IS link would use; checked only with the link on.
    // None when the field is empty (the server list could not be read): the
    // server in use stays.
    std::optional<ServerAddress> server;
    // Read only with publishing on.
    std::optional<quint16> mqttPort;
};

// Reads the thresholds with `locale` in the units they were shown in, the
// AGWPE port and, when the APRS-IS
// box is ticked, the server. Refuses what the program could not store or use:
// a threshold that is not a number, a humidity outside 0..100, a port outside
// 0..32767, a host holding a double quote (the settings file cannot hold
// one), a server without ":" and a typed server holding ";" (the server
// list would read it back cut short) and, with publishing on, a broker port
// outside 1..65535 or no broker. A threshold whose text is still as `loaded`
// made it keeps its stored value, in whatever units it is shown: its text
// holds fewer digits than the value, so reading it back would move it.
std::variant<SetupNumbers, SetupRefusal>
ReadSetupNumbers(const SetupFields &fields, const QLocale &locale,
                 UnitSystem shownUnits = UnitSystem::Metric, const AlarmThresholds &loaded = {});

} // namespace anemora
