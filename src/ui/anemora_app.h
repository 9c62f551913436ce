// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "config/termination_signals.h"
#include "platform/notifications.h"
#include "session/station_session.h"
#include "ui/desktop_prompts.h"
#include "ui/instructions_window.h"
#include "ui/main_window.h"
#include "ui/settings_dialog.h"
#include "ui/sound_player.h"
#include "ui/trend_window.h"

#include <QObject>
#include <QString>

namespace anemora {

// The desktop program: the windows, the tray and the sounds on top of the
// station session.
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

    StationSession session;
    WxConfig &config = session.config;
    MqttPublisher &publisher = session.publisher;
    StationMonitor &monitor = session.monitor;
    Links &links = session.links;
    Startup &startup = session.startup;
    StationLog &log = session.log;
    DesktopPrompts prompts;
    SoundPlayer sound;
    MainWindow window;
    InstructionsWindow viewer;
    TrendWindow trendWindow;
    TerminationSignals terminationSignals;

signals:
    // Shutdown has run: links closed, settings written.
    void shutDown();
    // The last window is closed, or the program was told to end: leave the
    // event loop.
    void ended();

private:
    void EndIfNoWindowOpen();
    void OpenTrendWindow();
    void EndFromOutside();
    void SaveForSession();
    void End();

    bool mainWindowClosed = false;
    bool finished = false;
};

} // namespace anemora
