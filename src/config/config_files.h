// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "config/wx_config.h"
#include "platform/prompts.h"

#include <QString>

namespace anemora {

// The settings files, all in one folder.
struct ConfigFilePaths {
    QString ParamsPath;
    QString AlarmsPath;
    QString ServerListPath;
    QString OptionsPath;
};

ConfigFilePaths ConfigFilePathsIn(const QString &directory);

// Stops silently at the first missing or bad value: fields read before it
// keep their new values, the others their old ones.
void ReadParams(WxConfig &config, const QString &paramsPath);
void WriteParams(const WxConfig &config, const QString &paramsPath, Prompts &prompts);

// Puts the fourteen alarm defaults in force.
void ApplyAlarmDefaults(WxConfig &config);

// Any read error puts all fourteen defaults in force and, with
// `recreateFile`, writes them to the file.
void ReadAlarms(WxConfig &config, const QString &alarmsPath, Prompts &prompts,
                bool recreateFile = true);
void WriteAlarms(const WxConfig &config, const QString &alarmsPath, Prompts &prompts);

// Sets ServerIndex to the first entry of the server list equal to the current
// server; no match leaves it unchanged.
void FindServerIndex(WxConfig &config);
// Takes AprsHost and AprsPort from the entry at ServerIndex; no such entry
// changes nothing.
void ServerFromIndex(WxConfig &config);

// The settings as the files hold them (no file involved).
QString ParamsText(const WxConfig &config);
QString AlarmsText(const WxConfig &config);

} // namespace anemora
