#include "weather/station_monitor.h"

#include "weather/wx_report.h"

#include <QDir>

namespace anemora {

void StationMonitor::DecodeWxReport(const QString &payload) {
    model.lblElapsed = QStringLiteral("00");
    MinutesSinceReport = 0;

    const WxReport wx = ParseWxReport(payload);
    bool playNewData = false;
    if (wx.WindValid) {
        notifications.RestartElapsedTimer();
        AcceptNextReport = false;
        playNewData = config.BeepNewData;
    }

    if (config.FocusNewData)
        notifications.BringForward();
    if (playNewData)
        notifications.PlaySound(QDir(appDir).filePath(QStringLiteral("NewData.wav")));
    HaveLastValues = true;
    emit displayChanged();
}

} // namespace anemora
