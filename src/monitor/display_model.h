// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/monitor_control.h"
#include "weather/wx_display.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>

namespace anemora {

// Text colour of a reading label: blue normally, red while in alarm.
enum class ReadingColour { Normal, Alarm };

struct ReadingLabel {
    QString text;
    ReadingColour colour = ReadingColour::Normal;
};

// The last drawing request for the compass; `drawn` false means cleared.
struct CompassRequest {
    bool drawn = false;
    qint16 direction = 0;
    float speed = 0;
    float gust = 0;

    bool operator==(const CompassRequest &) const = default;
};

// Everything the main window shows, as plain values. The window renders it
// and re-renders on every change; tests read it directly.
struct DisplayModel {
    QString caption = QStringLiteral("Wx Station");
    QString trayTip;
    ReadingLabel wind{QStringLiteral("Anemora v7")};
    ReadingLabel temperature;
    ReadingLabel humidity;
    ReadingLabel pressure;
    ReadingLabel rain;
    double rainFontPointSize = 9.75;
    QString comment;
    QString minutes = QStringLiteral("00");
    // Red while the data-stopped alarm is on.
    ReadingColour minutesColour = ReadingColour::Normal;
    // The data-stopped alarm's text while it is on, its minutes counting on
    // past 99: the minutes' tooltip, the bottom line in place of the comment,
    // and a line of the tray tooltip.
    QString dataStopped;
    CompassRequest compass;
    // Temperature, humidity, pressure.
    std::array<TrendMark, 3> trends{TrendMark::None, TrendMark::None, TrendMark::None};
    // The Rx window: header and payload of the last packet.
    QStringList rxRows;
    // The history window.
    QString history = QStringLiteral("Dati storici");
    // Why each link (by LinkKind) is down, empty while it is up or off.
    std::array<QString, 2> linkTrouble;
};

// The main window's title: the caption, after the links that are down.
QString WindowTitle(const DisplayModel &model);
// The tray icon's tooltip, as plain text: the last report, the data-stopped
// alarm, then why each link is down, one line each.
QString TrayToolTip(const DisplayModel &model);

} // namespace anemora
