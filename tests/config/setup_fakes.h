#pragma once

#include "config/wx_config.h"
#include "platform/link_control.h"
#include "platform/notifications.h"
#include "platform/prompts.h"

#include <QList>
#include <QString>
#include <QStringList>

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

struct Message {
    MessageIcon icon;
    QString title;
    QString text;
};

class FakePrompts : public Prompts {
public:
    void ShowMessage(MessageIcon icon, const QString &title, const QString &text) override {
        messages.append({icon, title, text});
    }
    bool IsSettingsDialogVisible() override { return false; }
    void ShowSettingsDialogModal() override {}

    QList<Message> messages;
};

class SilentNotifications : public Notifications {
public:
    void PlaySound(const QString &) override {}
    void BringForward() override {}
    void RestartElapsedTimer() override {}
};

// A running program with both links on and open, monitoring Q1ABC-13 through
// the second entry of its server list.
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
    config.BeepAlarm = true;
    config.FocusAlarm = true;
    config.FocusNewData = true;
    config.LoTemp = -5;
    config.HiTemp = 40;
    config.LoHum = 20;
    config.HiHum = 96;
    config.LoBaro = 900;
    config.HiBaro = 1040;
    config.HiRainHour = 40;
    config.HiRain24 = 250;
    config.HiWind = 50;
    config.HiGust = 80;
    return config;
}

inline const QByteArray ServerListFile = ";servers\r\nfirst:14580\r\nsecond:14580\r\n";

} // namespace anemora::test
