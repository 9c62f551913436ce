// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "config/termination_signals.h"
#include "platform/notifications.h"
#include "service/service_options.h"
#include "service/service_prompts.h"
#include "service/systemd_notifier.h"
#include "session/station_session.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <array>

namespace anemora {

// The monitor without a window: the station session, its events told to the
// journal and to systemd, ended by SIGTERM or SIGINT and sent back to its
// settings by SIGHUP. There is no window to bring forward nor sound to play.
class AnemoraService : public QObject, public Notifications {
    Q_OBJECT
public:
    AnemoraService(const QString &appDir, ServiceOptions options, QObject *parent = nullptr);

    // False when the command line holds an option it cannot take: the
    // reason is in the journal and nothing was started.
    bool Start();

    void PlaySound(const QString &) override {}
    void BringForward() override {}
    void RestartMinuteTimer() override { session.minuteTimer.start(); }

    ServicePrompts prompts;
    StationSession session;
    TerminationSignals terminationSignals;
    SystemdNotifier systemd;

signals:
    // Shutdown has run: leave the event loop.
    void ended();

private:
    void ReadSettings();
    void ReadSettingsAgain();
    void TellLinkTroubles();
    void TellPublisherStatus();
    void TellDataStopped(bool on);
    void OnSignal(int signalNumber);
    void TellStatus();

    ServiceOptions options;
    std::array<QString, 2> toldTroubles;
    bool mqttFailed = false;
    bool reportSeen = false;
    QDateTime lastReport;
};

} // namespace anemora
