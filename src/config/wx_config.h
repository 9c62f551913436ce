#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace anemora {

// Public APRS-IS rotation address used when no server is stored or given.
inline const QString DefaultAprsHost = QStringLiteral("rotate.aprs2.net");

inline const QString DefaultAgwHost = QStringLiteral("localhost");
constexpr qint16 DefaultAgwPort = 8000;
constexpr qint16 DefaultAprsPort = 14580;
constexpr qint16 NoServerIndex = -1;
inline const QString NoCall = QStringLiteral("NOCALL");

// Alarm thresholds and options put in force when WxAlarms.ini cannot be read.
constexpr bool DefaultBeepNewData = false;
constexpr bool DefaultFocusNewData = true;
constexpr bool DefaultBeepAlarm = true;
constexpr bool DefaultFocusAlarm = true;
constexpr float DefaultLoTemp = -5.0f;
constexpr float DefaultHiTemp = 40.0f;
constexpr qint16 DefaultLoHum = 20;
constexpr qint16 DefaultHiHum = 96;
constexpr float DefaultLoBaro = 900.0f;
constexpr float DefaultHiBaro = 1040.0f;
constexpr float DefaultHiRainHour = 40.0f;
constexpr float DefaultHiRain24 = 250.0f;
constexpr float DefaultHiWind = 50.0f;
constexpr float DefaultHiGust = 80.0f;

// The one settings record of the run. At program start every text is empty,
// every number 0 and every flag false; start-up fills it.
struct WxConfig {
    QString StationCall;
    QString ServerListPath;
    qint16 ServerIndex = 0;
    QString AgwHost;
    QString AprsHost;
    qint16 AgwPort = 0;
    qint16 AprsPort = 0;
    bool AgwEnabled = false;
    bool AprsEnabled = false;
    bool BeepNewData = false;
    bool FocusNewData = false;
    bool AgwActive = false;
    bool AprsActive = false;
    bool BeepAlarm = false;
    bool FocusAlarm = false;
    float LoTemp = 0;
    float HiTemp = 0;
    qint16 LoHum = 0;
    qint16 HiHum = 0;
    float LoBaro = 0;
    float HiBaro = 0;
    float HiRainHour = 0;
    float HiRain24 = 0;
    float HiWind = 0;
    float HiGust = 0;
    bool SaveAlarms = false;
    // Unset until the settings are first applied; only true has an effect.
    std::optional<bool> CallChanged;
};

} // namespace anemora
