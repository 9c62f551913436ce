#include "weather/station_monitor.h"

#include <utility>

namespace anemora {

StationMonitor::StationMonitor(WxConfig &config, Notifications &notifications, QString appDir,
                               QObject *parent)
    : QObject(parent), config(config), notifications(notifications), appDir(std::move(appDir)) {}

void StationMonitor::SetStatusLine(const QString &text) {
    model.lblWxComment = text;
    emit displayChanged();
}

void StationMonitor::ClearHistory() {
    model.Text1.clear();
    emit displayChanged();
}

} // namespace anemora
