// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "config/config_files.h"

#include "config/server_list.h"
#include "config/text_file.h"
#include "config/value_list.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>

#include <limits>

namespace anemora {

namespace {

// Replaces the file only once it is wholly written, so a failure half-way
// leaves the previous settings in place.
bool SaveText(const QString &path, const QString &text) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = text.toLatin1();
    return file.write(bytes) == bytes.size() && file.commit();
}

// Each step stores one value, so a read error leaves the earlier ones taken.
template <typename T, typename Read> bool Take(T &field, Read read) {
    const auto value = read();
    if (!value)
        return false;
    field = *value;
    return true;
}

bool ReadAlarmValues(WxConfig &config, ValueListReader &in) {
    const auto flag = [&in] { return in.ReadBool(); };
    const auto real = [&in] { return in.ReadFloat(); };
    const auto integer = [&in] { return in.ReadInt16(); };
    if (!(Take(config.BeepNewData, flag) && Take(config.FocusNewData, flag) &&
          Take(config.BeepAlarm, flag) && Take(config.FocusAlarm, flag)))
        return false;
    for (const AlarmThresholdField &field : AlarmThresholdFields) {
        const bool taken = field.decimal ? Take(config.*field.decimal, real)
                                         : Take(config.*field.percent, integer);
        if (!taken)
            return false;
    }
    return true;
}

} // namespace

void ApplyAlarmDefaults(WxConfig &config) {
    config.BeepNewData = DefaultBeepNewData;
    config.FocusNewData = DefaultFocusNewData;
    config.BeepAlarm = DefaultBeepAlarm;
    config.FocusAlarm = DefaultFocusAlarm;
    static_cast<AlarmThresholds &>(config) = DefaultAlarmThresholds;
}

ConfigFilePaths ConfigFilePathsIn(const QString &directory) {
    const QDir dir(directory);
    return {
        dir.filePath(QStringLiteral("Params.ini")), dir.filePath(QStringLiteral("WxAlarms.ini")),
        dir.filePath(QStringLiteral("Aprserve.txt")), dir.filePath(QStringLiteral("Anemora.ini"))};
}

QString ParamsText(const WxConfig &config) {
    return ValueListLine({config.StationCall}) +
           ValueListLine({config.AgwHost, config.AgwPort, config.AgwEnabled}) +
           ValueListLine(
               {config.AprsHost, config.AprsPort, config.ServerIndex, config.AprsEnabled});
}

QString AlarmsText(const WxConfig &config) {
    QString text = ValueListLine(
        {config.BeepNewData, config.FocusNewData, config.BeepAlarm, config.FocusAlarm});
    QList<ListValue> line;
    for (const AlarmThresholdField &field : AlarmThresholdFields) {
        if (field.decimal)
            line.append(config.*field.decimal);
        else
            line.append(config.*field.percent);
        if (field.endsFileLine) {
            text += ValueListLine(line);
            line.clear();
        }
    }
    return text;
}

void ReadParams(WxConfig &config, const QString &paramsPath) {
    const std::optional<QString> text = ReadTextFile(paramsPath);
    if (!text)
        return;
    ValueListReader in(*text);
    const auto words = [&in] { return in.ReadText(); };
    const auto flag = [&in] { return in.ReadBool(); };
    const auto integer = [&in] { return in.ReadInt16(); };
    // A negative port would wrap to a high one when connecting.
    const auto port = [&in] {
        const std::optional<qint16> value = in.ReadInt16();
        return value && *value >= 0 ? value : std::nullopt;
    };
    Take(config.StationCall, words) && Take(config.AgwHost, words) && Take(config.AgwPort, port) &&
        Take(config.AgwEnabled, flag) && Take(config.AprsHost, words) &&
        Take(config.AprsPort, port) && Take(config.ServerIndex, integer) &&
        Take(config.AprsEnabled, flag);
}

void WriteParams(const WxConfig &config, const QString &paramsPath, Prompts &prompts) {
    if (!SaveText(paramsPath, ParamsText(config)))
        prompts.ShowMessage(
            MessageIcon::Warning, paramsPath,
            QCoreApplication::translate("anemora::ConfigFiles", "Unable to save Parameter values"));
}

void ReadAlarms(WxConfig &config, const QString &alarmsPath, Prompts &prompts, bool recreateFile) {
    const std::optional<QString> text = ReadTextFile(alarmsPath);
    if (text) {
        ValueListReader in(*text);
        if (ReadAlarmValues(config, in))
            return;
    }
    ApplyAlarmDefaults(config);
    if (recreateFile)
        WriteAlarms(config, alarmsPath, prompts);
}

void WriteAlarms(const WxConfig &config, const QString &alarmsPath, Prompts &prompts) {
    if (!SaveText(alarmsPath, AlarmsText(config)))
        prompts.ShowMessage(
            MessageIcon::Warning, alarmsPath,
            QCoreApplication::translate("anemora::ConfigFiles", "Unable to save Wx Alarm values"));
}

void FindServerIndex(WxConfig &config) {
    const QString key = ServerKey(config.AprsHost, config.AprsPort);
    const qsizetype index = ReadServerEntries(config.ServerListPath).indexOf(key);
    // Positions past 32767 do not fit ServerIndex; such a list finds nothing.
    if (index >= 0 && index <= std::numeric_limits<qint16>::max())
        config.ServerIndex = qint16(index);
}

void ServerFromIndex(WxConfig &config) {
    const QStringList entries = ReadServerEntries(config.ServerListPath);
    if (config.ServerIndex < 0 || config.ServerIndex >= entries.size())
        return;
    const std::optional<ServerAddress> address = SplitServerEntry(entries[config.ServerIndex]);
    if (!address)
        return;
    config.AprsHost = address->host;
    // A port beyond 16 bits or negative is refused, not wrapped: AprsPort
    // stays as it was.
    if (address->port && *address->port >= 0)
        config.AprsPort = *address->port;
}

} // namespace anemora
