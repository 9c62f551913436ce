// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "config/startup.h"
#include "config/termination_signals.h"
#include "config/wx_config.h"
#include "history/station_log.h"
#include "intake/links.h"
#include "monitor/station_monitor.h"
#include "platform/notifications.h"
#include "publish/mqtt_publisher.h"
#include "ui/desktop_prompts.h"
#include "ui/instructions_window.h"
#include "ui/main_window.h"
#include "ui/settings_dialog.h"
#include "ui/sound_player.h"
#include "ui/trend_window.h"

#include <QObject>
#include <QString>

namespace anemora {

// The whole program: the one settings record, the station monitor, the links,
// the windows and the sounds, wired together.
class AnemoraApp : public QObject, public Notifications {
    Q_OBJECT
public:
    // Sounds and instructions are read from `appDir`; the settings files live
    // in `settingsDir`, the station's log in `logDir`.
    AnemoraApp(const QString &appDir, const QString &settingsDir, const QString &logDir,
               QObject *parent = nullptr);

    // Runs start-up with the command-line text, then shows the main window.
    void Start(const QString &commandLine);

    // True once the program has ended; a start-up interrupted by a
    // termination signal must not go on into the event loop.
    bool IsFinished() const { return finished; }

    void PlaySound(const QString &path) override;
    void BringForward() override;
    void RestartMinuteTimer() override;

    WxConfig config;
    MqttPublisher publisher;
    StationMonitor monitor;
    DesktopPrompts prompts;
    Links links;
    Startup startup;
    SoundPlayer sound;
    MainWindow window;
    InstructionsWindow viewer;
    StationLog log;
    TrendWindow trendWindow;
    TerminationSignals terminationSignals;

signals:
    // Shutdown has run: links closed, settings written.
    void shutDown();
    // The last window is closed, or the program was told to end: leave the
    // event loop.
    void ended();

private:
    void Unload();
    void EndIfNoWindowOpen();
    void OpenTrendWindow();
    void FollowPublishingSettings();
    void EndFromOutside();
    void SaveForSession();
    void End();

    bool unloaded = false;
    bool mainWindowClosed = false;
    bool finished = false;
};

} // namespace anemora
