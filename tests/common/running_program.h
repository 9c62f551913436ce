// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "common/fakes.h"
#include "common/files.h"
#include "common/settings.h"
#include "monitor/station_monitor.h"

#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace anemora::test {

inline const QByteArray ServerListFile = ";servers\r\nfirst:14580\r\nsecond:14580\r\n";

// A running program over a fresh folder holding its server list: both links
// on and open, the test station monitored through the list's second entry,
// alarms as shipped. A test class derives from it after QObject and calls
// StartRunning() from init().
class RunningProgram {
protected:
    void StartRunning() {
        dir = std::make_unique<QTemporaryDir>();
        config = Settings()
                     .ServerList(dir->filePath("Aprserve.txt"), 1)
                     .Agw("localhost", 8000)
                     .Aprs("second", 14580)
                     .AlarmDefaults();
        WriteBytes(config.ServerListPath, ServerListFile);
        links = std::make_unique<FakeLinks>(config);
        links->agwOpen = links->aprsOpen = true;
        prompts.messages.clear();
        monitor = std::make_unique<StationMonitor>(config, notifications, dir->path());
    }

    QByteArray ServerListNow() const { return ReadBytes(config.ServerListPath); }

    std::unique_ptr<QTemporaryDir> dir;
    WxConfig config;
    std::unique_ptr<FakeLinks> links;
    FakePrompts prompts;
    FakeNotifications notifications;
    std::unique_ptr<StationMonitor> monitor;
};

} // namespace anemora::test
