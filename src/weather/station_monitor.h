#pragma once

#include "config/wx_config.h"
#include "platform/notifications.h"
#include "weather/display_model.h"

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>

namespace anemora {

// What the main window knows between events and how each event changes it:
// the station pipeline from one received line or frame to the display model.
// No widgets, no sockets: the window renders `model` on displayChanged().
class StationMonitor : public QObject {
    Q_OBJECT
public:
    StationMonitor(WxConfig &config, Notifications &notifications, QString appDir,
                   QObject *parent = nullptr);

    // --- packet intake ---
    // One APRS-IS line, without its line end.
    void HandleAprsLine(const QString &line);
    // One AGWPE frame of `frame`, header at `offset`, `dataLen` data bytes
    // (greater than 0, all present in `frame`).
    void HandleAgwFrame(const QByteArray &frame, int offset, qint32 dataLen);
    void AppendHistory(const QString &text);

    // --- weather display ---
    void DecodeWxReport(const QString &payload);
    // One tick of tmrElapsed.
    void ElapsedTick();
    void ClearData(const QString &strCaption);

    // Writes of the status line and the history text by links and dialog.
    void SetStatusLine(const QString &text);
    void ClearHistory();

    WxConfig &config;
    DisplayModel model;

    // Display state kept between reports.
    bool AcceptNextReport = true;
    qint16 MinutesSinceReport = 0;
    bool HaveLastValues = false;
    float LastTemp = 0;
    qint16 LastHum = 0;
    float LastPress = 0;

    // Local time of history entries; tests replace it to get fixed stamps.
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };

signals:
    void displayChanged();

private:
    void ApplyAcceptanceRule(const QString &sourceCall, const QString &payload,
                             const QString &historyText);

    Notifications &notifications;
    QString appDir;
};

} // namespace anemora
