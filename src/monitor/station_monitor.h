// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "config/wx_config.h"
#include "monitor/data_stopped_alarm.h"
#include "monitor/display_model.h"
#include "platform/monitor_control.h"
#include "platform/notifications.h"
#include "weather/wx_report.h"

#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace anemora {

// What the main window knows between events and how each event changes it:
// the station pipeline from one received line or frame to the display model.
// No widgets, no sockets: the window renders `model` on displayChanged().
class StationMonitor : public QObject, public MonitorControl {
    Q_OBJECT
public:
    StationMonitor(WxConfig &config, Notifications &notifications, QString appDir,
                   SteadyClock alarmClock = SteadyMilliseconds, QObject *parent = nullptr);

    // --- packet intake ---
    void HandleAprsLine(const QString &line) override;
    void HandleAgwFrame(const QByteArray &frame, int offset, qint32 dataLen) override;
    void AppendHistory(const QString &text);

    // --- weather display ---
    void DecodeWxReport(const QString &payload);
    // One tick of minuteTimer.
    void MinuteTick();
    // Whether any link is connected now: the data-stopped alarm watches the
    // station only while one is.
    void SetLinkConnected(bool connected);
    // Follows the data-stopped alarm's setting at once.
    void CheckDataStopped();
    void ClearData(const TranslatableText &caption) override;

    // Writes of the status line, the links' state and the history text by
    // links and dialog.
    void SetStatusLine(const TranslatableText &text) override;
    void SetLinkTrouble(LinkKind link, const TranslatableText &trouble) override;
    void ClearHistory() override;
    void AcceptNextReport() override { acceptNextReport = true; }
    // Makes the texts on show again in the language and units now in force.
    void RefreshTexts() override;

    WxConfig &config;
    DisplayModel model;

    // Display state kept between reports.
    bool acceptNextReport = true;
    qint16 minutesSinceReport = 0;
    bool haveLastValues = false;
    float lastTemperature = 0;
    qint16 lastHumidity = 0;
    float lastPressure = 0;

    // Local time of history entries; tests replace it to get fixed stamps.
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };

signals:
    void displayChanged();
    // A report of the station was decoded and shown.
    void reportDecoded(const anemora::WxReport &report);
    // The data-stopped alarm went on or off.
    void dataStoppedChanged(bool on);

private:
    void ApplyAcceptanceRule(const QString &sourceCall, const QString &payload,
                             const QString &historyText);

    // What the texts of the last report were made from, while they are on
    // show: a status line or a link message may have replaced them since.
    struct ShownReport {
        WxReport report;
        float windChill = NotComputed;
        HumidityValues humidity;
        bool rain = false;
        bool comment = false;
        bool trayTip = false;
    };
    void ShowRain(const QLocale &locale);
    void ShowCommentAndTip(const QLocale &locale);
    void FollowDataStopped(DataStoppedAlarm::Change change);
    void ShowDataStopped();
    void ShowStatus(const TranslatableText &text);

    Notifications &notifications;
    QString appDir;
    // Joined once: an alarm may sound at every report.
    QString alarmSound;
    QString newDataSound;
    ShownReport shown;
    QString historyTitle = model.history;
    DataStoppedAlarm dataStopped;
    // What the caption, the status line and the rain block were made from
    // when a link or the dialog set them, to make them again in another
    // language.
    std::optional<TranslatableText> captionSource;
    std::optional<TranslatableText> statusSource;
    std::optional<TranslatableText> portsSource;
    std::array<TranslatableText, 2> linkTroubles;
};

} // namespace anemora
