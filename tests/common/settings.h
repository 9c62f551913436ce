#pragma once

#include "config/config_files.h"
#include "config/wx_config.h"

#include <QString>
#include <QTest>

namespace anemora {

// A failed QCOMPARE of two settings records prints both as the files would
// keep them, plus the flags that live only for the run.
inline char *toString(const WxConfig &config) {
    const QString text = ParamsText(config) + AlarmsText(config) +
                         QStringLiteral("active %1 %2, list %3, call changed %4")
                             .arg(config.AgwActive)
                             .arg(config.AprsActive)
                             .arg(config.ServerListPath)
                             .arg(config.CallChanged ? QString::number(*config.CallChanged)
                                                     : QStringLiteral("unset"));
    return QTest::toString(text);
}

namespace test {

// The placeholder station every test monitors.
inline const QString TestStation = QStringLiteral("Q1ABC-13");

// Builds the settings record a test starts from: the test station, and
// everything else as at program start until a step sets it.
class Settings {
public:
    Settings() { config.StationCall = TestStation; }
    Settings &Call(const QString &call) {
        config.StationCall = call;
        return *this;
    }
    // The AGWPE link on, as after start-up.
    Settings &Agw(const QString &host, qint16 port) {
        config.AgwHost = host;
        config.AgwPort = port;
        config.AgwEnabled = config.AgwActive = true;
        return *this;
    }
    // The APRS-IS link on, as after start-up.
    Settings &Aprs(const QString &host, qint16 port) {
        config.AprsHost = host;
        config.AprsPort = port;
        config.AprsEnabled = config.AprsActive = true;
        return *this;
    }
    Settings &ServerList(const QString &path, qint16 index) {
        config.ServerListPath = path;
        config.ServerIndex = index;
        return *this;
    }
    // Thresholds and notification options as shipped.
    Settings &AlarmDefaults() {
        ApplyAlarmDefaults(config);
        return *this;
    }
    operator WxConfig() const { return config; }

    WxConfig config;
};

} // namespace test
} // namespace anemora
