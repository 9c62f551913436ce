// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/anemora_app.h"

#include <QApplication>
#include <QScopedValueRollback>
#include <QTimer>

namespace anemora {

AnemoraApp::AnemoraApp(const QString &appDir, const QString &settingsDir, const QString &logDir,
                       QObject *parent)
    : QObject(parent), monitor(config, *this, appDir), prompts(config, monitor),
      links(config, monitor, prompts), startup(config, monitor, links, prompts, settingsDir),
      window(monitor), viewer(prompts), log(logDir), trendWindow(log, config) {
    prompts.AttachLinks(links);
    prompts.AttachPublisher(publisher);
    connect(&window, &MainWindow::settingsRequested, &prompts, &DesktopPrompts::ShowSettingsDialog);
    const auto openInstructions = [this] {
        viewer.Open(InstructionsDocument(config.Language), tr("Anemora - Istruzioni"));
    };
    connect(&window, &MainWindow::helpRequested, this, openInstructions);
    // Instructions on show follow a change of language.
    connect(&prompts, &DesktopPrompts::dialogClosed, this, [this, openInstructions] {
        if (viewer.isVisible() && viewer.documentName != InstructionsDocument(config.Language))
            openInstructions();
    });
    // A main window hidden in the tray is still open, so Qt's rule (quit
    // when the last visible window closes) would end monitoring unseen.
    QApplication::setQuitOnLastWindowClosed(false);
    connect(&window, &MainWindow::closed, this, [this] {
        mainWindowClosed = true;
        Unload();
        EndIfNoWindowOpen();
    });
    connect(&viewer, &InstructionsWindow::closed, this, &AnemoraApp::EndIfNoWindowOpen);
    connect(&window, &MainWindow::trendRequested, this, &AnemoraApp::OpenTrendWindow);
    connect(&trendWindow, &TrendWindow::closed, this, &AnemoraApp::EndIfNoWindowOpen);
    connect(&monitor, &StationMonitor::reportDecoded, this, [this](const WxReport &report) {
        log.Append(LogRowFromReport(QDateTime::currentDateTimeUtc(), config.StationCall, report),
                   monitor.model.rxRows.value(monitor.model.rxRows.size() - 1));
    });
    connect(&prompts, &DesktopPrompts::dialogClosed, this, &AnemoraApp::EndIfNoWindowOpen);
    connect(&log, &StationLog::rowAppended, &publisher, &MqttPublisher::Publish);
    connect(&prompts, &DesktopPrompts::dialogClosed, this, &AnemoraApp::FollowPublishingSettings);
    connect(&prompts, &DesktopPrompts::dialogClosed, &monitor, &StationMonitor::CheckDataStopped);
    // The data-stopped alarm watches the station only while a link is up.
    for (QTcpSocket *socket : {&links.agw.socket, &links.aprs.socket})
        connect(socket, &QAbstractSocket::stateChanged, this, [this] {
            monitor.SetLinkConnected(links.agw.socket.state() == QAbstractSocket::ConnectedState ||
                                     links.aprs.socket.state() == QAbstractSocket::ConnectedState);
        });
    connect(&monitor, &StationMonitor::dataStoppedChanged, this, [this](bool on) {
        publisher.SetDataStopped(on);
        if (on)
            trendWindow.MarkDataStopped(QDateTime::currentDateTimeUtc());
    });
    // A new call or new thresholds show in an open trend window at once; a
    // hidden one catches up when shown.
    connect(&prompts, &DesktopPrompts::dialogClosed, this, [this] {
        if (trendWindow.isVisible())
            trendWindow.FollowSettings();
    });
    // What the dialog changed is kept at once: a desktop that goes away
    // with the display (a Wayland logout) ends the process without a word.
    connect(&prompts, &DesktopPrompts::dialogClosed, this, [this] {
        if (!unloaded)
            startup.SaveSettings();
    });
    connect(&terminationSignals, &TerminationSignals::received, this, &AnemoraApp::EndFromOutside);
    // The session manager asks this at a checkpoint and at a logout that may
    // yet be cancelled: keep the settings, go on monitoring.
    connect(qApp, &QGuiApplication::commitDataRequest, this, &AnemoraApp::SaveForSession);
    // The session's real end (and any other way out of the event loop).
    connect(qApp, &QCoreApplication::aboutToQuit, this, &AnemoraApp::EndFromOutside);
}

void AnemoraApp::Start(const QString &commandLine) {
    startup.Run(commandLine);
    if (finished)
        return;
    FollowPublishingSettings();
    window.show();
}

void AnemoraApp::FollowPublishingSettings() {
    if (!unloaded)
        publisher.Apply(config.Mqtt, config.StationCall, config.DataStoppedMinutes);
}

void AnemoraApp::SaveForSession() {
    if (unloaded)
        return;
    const QScopedValueRollback quiet(prompts.quiet, true);
    startup.SaveSettings();
}

void AnemoraApp::PlaySound(const QString &path) {
    sound.PlaySound(path);
}

void AnemoraApp::BringForward() {
    window.BringForward();
}

void AnemoraApp::RestartMinuteTimer() {
    window.RestartMinuteTimer();
}

void AnemoraApp::Unload() {
    if (unloaded) {
        return;
    }
    unloaded = true;
    // Monitoring ends here, so the station goes "offline" now.
    publisher.Apply(MqttSettings(), config.StationCall);
    startup.Shutdown();
    emit shutDown();
}

void AnemoraApp::EndIfNoWindowOpen() {
    // Asked from inside a close event, before the window is hidden.
    QTimer::singleShot(0, this, [this] {
        if (mainWindowClosed && !viewer.isVisible() && !trendWindow.isVisible() &&
            !prompts.IsSettingsDialogVisible()) {
            End();
        }
    });
}

void AnemoraApp::OpenTrendWindow() {
    trendWindow.show();
    // Shown already, it may not have seen a change of the settings yet.
    trendWindow.FollowSettings();
    trendWindow.raise();
    trendWindow.activateWindow();
}

void AnemoraApp::EndFromOutside() {
    // Nobody may be at the screen: a failure to save goes to the log. End
    // closes a box or dialog still up, start-up's among them.
    prompts.quiet = true;
    Unload();
    End();
}

void AnemoraApp::End() {
    if (finished) {
        return;
    }
    finished = true;
    prompts.CloseAll();
    emit ended();
}

} // namespace anemora

#include "moc_anemora_app.cpp"
