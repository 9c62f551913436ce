// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "config/setup_accept.h"

#include <QCoreApplication>

#include <utility>

namespace anemora {

namespace {

// A text of this file, kept as such so that it follows a change of language.
TranslatableText Text(const char *source, QList<TranslatableText> args = {}) {
    return {"anemora::SetupAccept", source, std::move(args)};
}

void ApplyAgwLink(const SetupFields &fields, qint16 newPort, const SetupTargets &targets) {
    WxConfig &config = targets.config;
    if (config.AgwEnabled) {
        if (fields.agwHost != config.AgwHost || newPort != config.AgwPort || !config.AgwActive) {
            targets.links.CloseAgwLink();
            config.AgwHost = fields.agwHost;
            config.AgwPort = newPort;
            targets.links.OpenAgwLink();
        }
        return;
    }
    if (!targets.links.IsAgwLinkClosed()) {
        targets.links.CloseAgwLink();
        targets.monitor.SetStatusLine(
            Text(QT_TRANSLATE_NOOP("anemora::SetupAccept", "AGWPE Disconnected")));
    }
    // Off, it is no longer shown as down.
    targets.monitor.SetLinkTrouble(LinkKind::Agwpe, {});
    // Kept while the link is off, so the next opening shows them again.
    config.AgwHost = fields.agwHost;
    config.AgwPort = newPort;
    config.AgwActive = false;
}

void ApplyCall(const SetupFields &fields, const SetupTargets &targets) {
    WxConfig &config = targets.config;
    const QString newCall = fields.call.trimmed().toUpper();
    if (newCall == config.StationCall) {
        config.CallChanged = false;
        return;
    }
    config.StationCall = newCall;
    config.CallChanged = true;
    targets.monitor.ClearData(
        Text(QT_TRANSLATE_NOOP("anemora::SetupAccept", "%1 Wx Station"), {config.StationCall}));
    targets.monitor.ClearHistory();
    targets.monitor.SetStatusLine(
        Text(QT_TRANSLATE_NOOP("anemora::SetupAccept", "Now Monitoring %1"), {config.StationCall}));
}

// A typed server joins the list file. When that fails the server is still
// used, but not recorded as a list position that the file does not hold.
qint16 AppendTypedServer(const QString &text, qsizetype listSize, const SetupTargets &targets) {
    const QString &path = targets.config.ServerListPath;
    if (!AppendServerEntry(path, text)) {
        targets.prompts.ShowMessage(
            MessageIcon::Warning, path,
            QCoreApplication::translate("anemora::SetupAccept",
                                        "Unable to add the server to the list"));
        return NoServerIndex;
    }
    return listSize < 32768 ? static_cast<qint16>(listSize) : NoServerIndex;
}

void ApplyAprsLink(const SetupFields &fields, const SetupNumbers &numbers,
                   const SetupTargets &targets) {
    WxConfig &config = targets.config;
    const qint16 position = fields.serverPosition < 0 || fields.serverPosition > 32767
                                ? NoServerIndex
                                : static_cast<qint16>(fields.serverPosition);
    if (!config.AprsEnabled) {
        if (!targets.links.IsAprsLinkClosed()) {
            targets.links.CloseAprsLink();
            targets.monitor.SetStatusLine(
                Text(QT_TRANSLATE_NOOP("anemora::SetupAccept", "Aprs Server Disconnected")));
        }
        targets.monitor.SetLinkTrouble(LinkKind::AprsIs, {});
        config.AprsActive = false;
        config.ServerIndex = position;
        return;
    }
    // An empty field names no server: the one in use and its list position
    // stay. Text really typed is always taken: it is not in the list yet, and
    // the flags alone would miss it when it names the server in use.
    const bool named = numbers.server.has_value();
    const bool typed = named && position == NoServerIndex;
    const bool serverChanged = typed || (named && position != config.ServerIndex);
    // The login names the call, so a new call needs a new login.
    if (!config.CallChanged.value_or(false) && !serverChanged && config.AprsActive)
        return;
    targets.links.CloseAprsLink();
    if (named) {
        config.ServerIndex =
            typed ? AppendTypedServer(fields.serverText, fields.serverItems.size(), targets)
                  : position;
        config.AprsHost = numbers.server->host;
        config.AprsPort = *numbers.server->port;
    }
    targets.links.OpenAprsLink();
}

} // namespace

void ApplySetup(const SetupFields &fields, const SetupNumbers &numbers,
                const SetupTargets &targets) {
    WxConfig &config = targets.config;
    // Before the links are reopened, so a link opened below retries (or
    // not) as just chosen.
    if (config.Reconnect && !fields.reconnect)
        targets.links.StopReconnecting();
    config.Reconnect = fields.reconnect;
    if (fields.language != config.Language || fields.units != config.Units) {
        config.Language = fields.language;
        config.Units = fields.units;
        ApplyLanguage(config.Language);
        targets.monitor.RefreshTexts();
    }
    if (fields.agwEnabled && config.AgwEnabled)
        config.AgwActive = true;
    config.AgwEnabled = fields.agwEnabled;
    if (fields.aprsEnabled && config.AprsEnabled)
        config.AprsActive = true;
    config.AprsEnabled = fields.aprsEnabled;

    ApplyAgwLink(fields, numbers.AgwPort, targets);
    ApplyCall(fields, targets);
    ApplyAprsLink(fields, numbers, targets);
    if (!config.AgwEnabled && !config.AprsEnabled) {
        targets.monitor.ClearData(Text(QT_TRANSLATE_NOOP("anemora::SetupAccept", "Anemora OFF")));
        targets.monitor.SetStatusLine(
            Text(QT_TRANSLATE_NOOP("anemora::SetupAccept", "Anemora OFF")));
    }

    config.FocusNewData = fields.focusNewData;
    config.BeepNewData = fields.beepNewData;
    config.FocusAlarm = fields.focusAlarm;
    config.BeepAlarm = fields.beepAlarm;
    config.SaveAlarms = fields.saveAlarms;
    config.DataStoppedMinutes = fields.dataStoppedMinutes;

    static_cast<AlarmThresholds &>(config) = numbers.thresholds;
    const MqttFields &mqtt = fields.mqtt;
    config.Mqtt = {mqtt.enabled, mqtt.host.trimmed(), numbers.mqttPort.value_or(config.Mqtt.port),
                   mqtt.user,    mqtt.password,       mqtt.tls};
}

} // namespace anemora
