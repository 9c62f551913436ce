// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "config/startup.h"
#include "config/wx_config.h"
#include "history/station_log.h"
#include "intake/links.h"
#include "monitor/station_monitor.h"
#include "platform/notifications.h"
#include "platform/prompts.h"
#include "publish/mqtt_publisher.h"

#include <QObject>
#include <QString>
#include <QTimer>

namespace anemora {

// What the desktop program and the service wire together the same way: the
// one settings record, the station monitor, the links, start-up and
// shutdown, the station's log and the publisher that follows it.
class StationSession : public QObject {
    Q_OBJECT
public:
    // `notifications` and `prompts` are the program's own; they may be
    // constructed after the session, but before Start.
    StationSession(Notifications &notifications, Prompts &prompts, const QString &appDir,
                   const QString &settingsDir, const QString &logDir, QObject *parent = nullptr);

    // Runs start-up with the command-line text and starts publishing.
    void Start(const QString &commandLine);
    // The settings were changed as the dialog's Conferma changes them: the
    // publisher and the data-stopped alarm follow, and what is to be kept is
    // written.
    void FollowSettings();
    // Monitoring ends: the station goes "offline", the links close and the
    // settings are written. Only the first call does anything.
    void Unload();
    bool IsUnloaded() const { return unloaded; }

    WxConfig config;
    MqttPublisher publisher;
    StationMonitor monitor;
    Links links;
    Startup startup;
    StationLog log;
    // The monitor's minute; a report with a wind direction starts it again.
    QTimer minuteTimer;

signals:
    // Shutdown has run: links closed, settings written.
    void shutDown();

private:
    void FollowPublishingSettings();

    bool unloaded = false;
};

} // namespace anemora
