#pragma once

#include "common/fakes.h"
#include "common/files.h"
#include "config/config_files.h"
#include "config/wx_config.h"
#include "monitor/station_monitor.h"
#include "platform/link_control.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace anemora::test {

// Links that only record what was asked of them, with the address the
// record held at the moment a link was opened.
class FakeLinks : public LinkControl {
public:
    explicit FakeLinks(const WxConfig &config) : config(config) {}
    void OpenAgwLink() override {
        agwOpen = true;
        log << "open agw " + config.AgwHost + ":" + QString::number(config.AgwPort);
    }
    void CloseAgwLink() override {
        agwOpen = false;
        log << "close agw";
    }
    bool IsAgwLinkClosed() const override { return !agwOpen; }
    void OpenAprsLink() override {
        aprsOpen = true;
        log << "open aprs " + config.AprsHost + ":" + QString::number(config.AprsPort);
    }
    void CloseAprsLink() override {
        aprsOpen = false;
        log << "close aprs";
    }
    bool IsAprsLinkClosed() const override { return !aprsOpen; }

    const WxConfig &config;
    bool agwOpen = false;
    bool aprsOpen = false;
    QStringList log;
};

// A running program with both links on and open, monitoring Q1ABC-13 through
// the second entry of its server list, alarms as shipped.
inline WxConfig RunningConfig(const QString &serverListPath) {
    WxConfig config;
    config.StationCall = "Q1ABC-13";
    config.ServerListPath = serverListPath;
    config.ServerIndex = 1;
    config.AgwHost = "localhost";
    config.AgwPort = 8000;
    config.AprsHost = "second";
    config.AprsPort = 14580;
    config.AgwEnabled = true;
    config.AprsEnabled = true;
    config.AgwActive = true;
    config.AprsActive = true;
    ApplyAlarmDefaults(config);
    return config;
}

inline const QByteArray ServerListFile = ";servers\r\nfirst:14580\r\nsecond:14580\r\n";

// The running program of RunningConfig over a fresh folder holding its server
// list, both links open. A test class derives from it after QObject and calls
// StartRunning() from init().
class RunningProgram {
protected:
    void StartRunning() {
        dir = std::make_unique<QTemporaryDir>();
        config = RunningConfig(dir->filePath("Aprserve.txt"));
        QFile file(config.ServerListPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(ServerListFile);
        file.close();
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
    SilentNotifications notifications;
    std::unique_ptr<StationMonitor> monitor;
};

} // namespace anemora::test
