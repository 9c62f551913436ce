// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/station_session.h"

#include "history/station_log_row.h"

#include <QDateTime>
#include <QTcpSocket>

namespace anemora {

StationSession::StationSession(Notifications &notifications, Prompts &prompts,
                               const QString &appDir, const QString &settingsDir,
                               const QString &logDir, QObject *parent)
    : QObject(parent), monitor(config, notifications, appDir), links(config, monitor, prompts),
      startup(config, monitor, links, prompts, settingsDir), log(logDir) {
    connect(&monitor, &StationMonitor::reportDecoded, this, [this](const WxReport &report) {
        log.Append(LogRowFromReport(QDateTime::currentDateTimeUtc(), config.StationCall, report),
                   monitor.model.rxRows.value(monitor.model.rxRows.size() - 1));
    });
    connect(&log, &StationLog::rowAppended, &publisher, &MqttPublisher::Publish);
    // The data-stopped alarm watches the station only while a link is up.
    for (QTcpSocket *socket : {&links.agw.socket, &links.aprs.socket})
        connect(socket, &QAbstractSocket::stateChanged, this, [this] {
            monitor.SetLinkConnected(links.agw.socket.state() == QAbstractSocket::ConnectedState ||
                                     links.aprs.socket.state() == QAbstractSocket::ConnectedState);
        });
    connect(&monitor, &StationMonitor::dataStoppedChanged, &publisher,
            &MqttPublisher::SetDataStopped);
    minuteTimer.setInterval(std::chrono::minutes(1));
    connect(&minuteTimer, &QTimer::timeout, &monitor, &StationMonitor::MinuteTick);
    minuteTimer.start();
}

void StationSession::Start(const QString &commandLine) {
    startup.Run(commandLine);
    FollowPublishingSettings();
}

void StationSession::FollowSettings() {
    FollowPublishingSettings();
    monitor.CheckDataStopped();
    // What the dialog changed is kept at once: a desktop that goes away
    // with the display (a Wayland logout) ends the process without a word.
    if (!unloaded)
        startup.SaveSettings();
}

void StationSession::FollowPublishingSettings() {
    if (!unloaded)
        publisher.Apply(config.Mqtt, config.StationCall, config.DataStoppedMinutes);
}

void StationSession::Unload() {
    if (unloaded)
        return;
    unloaded = true;
    minuteTimer.stop();
    // Monitoring ends here, so the station goes "offline" now.
    publisher.Apply(MqttSettings(), config.StationCall);
    startup.Shutdown();
    emit shutDown();
}

} // namespace anemora

#include "moc_station_session.cpp"
