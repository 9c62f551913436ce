// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "monitor/station_monitor.h"

#include <QSize>
#include <QStringList>
#include <QSystemTrayIcon>
#include <QWidget>

#include <array>

class QLabel;
class QListWidget;
class QPlainTextEdit;

namespace anemora {

class CompassView;
class TrendView;

// Outer sizes of the main window in twips, frame and title bar included.
constexpr int NarrowWidth = 3270;
constexpr int WideWidth = 6540;
constexpr int CompactHeight = 1930;
constexpr int TallHeight = 2310;
// The client area as laid out.
constexpr int ClientWidth = 3165;
constexpr int ClientHeight = 1545;
// historyPane reaches down beside rxPane while both panes are shown.
constexpr int HistoryShortHeight = 1500;
constexpr int HistoryTallHeight = 1850;

// The main window. It renders the station monitor's display model, turns
// mouse presses and F1 into actions, and minimises into the tray.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(StationMonitor &monitor, QWidget *parent = nullptr);

    void ToggleRxWindow();
    void ToggleHistoryWindow();
    void RestoreFromTray();
    // Restores from the tray when not in the normal state, otherwise
    // activates and raises the window.
    void BringForward();

    int OuterWidth() const;
    int OuterHeight() const;
    void SetOuterWidth(int outerTwips);
    void SetOuterHeight(int outerTwips);

    // Minimising hides the window into the tray only where the desktop has
    // one; elsewhere a hidden window could never be brought back.
    bool trayAvailable = QSystemTrayIcon::isSystemTrayAvailable();

    CompassView *compassView = nullptr;
    QLabel *windLabel = nullptr;
    QLabel *temperatureLabel = nullptr;
    QLabel *humidityLabel = nullptr;
    QLabel *pressureLabel = nullptr;
    QLabel *rainLabel = nullptr;
    QLabel *commentLabel = nullptr;
    // Temperature, humidity, pressure.
    std::array<TrendView *, 3> trendMarks{};
    QListWidget *rxPane = nullptr;
    QPlainTextEdit *historyPane = nullptr;
    QSystemTrayIcon trayIcon;

signals:
    void settingsRequested();
    void helpRequested();
    void trendRequested();
    void closed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void BuildLabels();
    void RetranslateUi();
    void BuildPanes();
    void ScheduleRender();
    void RenderPending();
    void Render();
    void RenderHistory();
    bool HandleLabelPress(QObject *watched, const QMouseEvent &press);
    QSize FrameSize() const;

    StationMonitor &monitor;
    QStringList shownRows;
    bool renderScheduled = false;
    bool changedSinceRender = false;
    // The size the length rule gave the rain block, before fitting.
    double rainPointSize = 0;
    QString shownHistory;
};

} // namespace anemora
