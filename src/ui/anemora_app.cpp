// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/anemora_app.h"

#include <QApplication>
#include <QScopedValueRollback>
#include <QTimer>

namespace anemora {

AnemoraApp::AnemoraApp(const QString &appDir, const QString &settingsDir, const QString &logDir,
                       QObject *parent)
    : QObject(parent), session(*this, prompts, appDir, settingsDir, logDir),
      prompts(config, monitor), window(monitor), viewer(prompts), trendWindow(log, config) {
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
        session.Unload();
        EndIfNoWindowOpen();
    });
    connect(&viewer, &InstructionsWindow::closed, this, &AnemoraApp::EndIfNoWindowOpen);
    connect(&window, &MainWindow::trendRequested, this, &AnemoraApp::OpenTrendWindow);
    connect(&trendWindow, &TrendWindow::closed, this, &AnemoraApp::EndIfNoWindowOpen);
    connect(&prompts, &DesktopPrompts::dialogClosed, this, &AnemoraApp::EndIfNoWindowOpen);
    connect(&prompts, &DesktopPrompts::dialogClosed, &session, &StationSession::FollowSettings);
    connect(&monitor, &StationMonitor::dataStoppedChanged, this, [this](bool on) {
        if (on)
            trendWindow.MarkDataStopped(QDateTime::currentDateTimeUtc());
    });
    // A new call or new thresholds show in an open trend window at once; a
    // hidden one catches up when shown.
    connect(&prompts, &DesktopPrompts::dialogClosed, this, [this] {
        if (trendWindow.isVisible())
            trendWindow.FollowSettings();
    });
    connect(&session, &StationSession::shutDown, this, &AnemoraApp::shutDown);
    connect(&terminationSignals, &TerminationSignals::received, this, &AnemoraApp::EndFromOutside);
    // The session manager asks this at a checkpoint and at a logout that may
    // yet be cancelled: keep the settings, go on monitoring.
    connect(qApp, &QGuiApplication::commitDataRequest, this, &AnemoraApp::SaveForSession);
    // The session's real end (and any other way out of the event loop).
    connect(qApp, &QCoreApplication::aboutToQuit, this, &AnemoraApp::EndFromOutside);
}

void AnemoraApp::Start(const QString &commandLine) {
    session.Start(commandLine);
    if (finished)
        return;
    window.show();
}

void AnemoraApp::SaveForSession() {
    if (session.IsUnloaded())
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
    session.minuteTimer.start();
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
    session.Unload();
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
