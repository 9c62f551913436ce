// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "config/program_options.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace anemora {

namespace {

const QString ReconnectKey = QStringLiteral("Links/Reconnect");
const QString LanguageKey = QStringLiteral("Display/Language");
const QString UnitsKey = QStringLiteral("Display/Units");
const QString ImperialName = QStringLiteral("imperial");
const QString MqttEnabledKey = QStringLiteral("Mqtt/Enabled");
const QString MqttHostKey = QStringLiteral("Mqtt/Host");
const QString MqttPortKey = QStringLiteral("Mqtt/Port");
const QString MqttUserKey = QStringLiteral("Mqtt/User");
const QString MqttPasswordKey = QStringLiteral("Mqtt/Password");
const QString MqttTlsKey = QStringLiteral("Mqtt/Tls");
const QString DataStoppedKey = QStringLiteral("Alarms/DataStoppedMinutes");

// Minutes out of range, or no number, leave the alarm off.
int ReadDataStoppedMinutes(const QSettings &options) {
    bool ok = false;
    const int minutes = options.value(DataStoppedKey).toInt(&ok);
    return ok && minutes >= MinDataStoppedMinutes && minutes <= MaxDataStoppedMinutes ? minutes : 0;
}

MqttSettings ReadMqttSettings(const QSettings &options) {
    MqttSettings mqtt;
    mqtt.enabled = options.value(MqttEnabledKey, false).toBool();
    mqtt.host = options.value(MqttHostKey).toString();
    bool ok = false;
    const uint port = options.value(MqttPortKey).toUInt(&ok);
    if (ok && port > 0 && port <= 65535)
        mqtt.port = quint16(port);
    mqtt.user = options.value(MqttUserKey).toString();
    mqtt.password = options.value(MqttPasswordKey).toString();
    mqtt.tls = options.value(MqttTlsKey, false).toBool();
    return mqtt;
}

// Nothing is written for a choice never made, so the file of someone who
// never publishes stays as it was. A password left out is taken out of the
// file too.
void WriteMqttSettings(const MqttSettings &mqtt, bool withPassword, QSettings &options) {
    if (mqtt == MqttSettings()) {
        options.remove(QStringLiteral("Mqtt"));
        return;
    }
    options.setValue(MqttEnabledKey, mqtt.enabled);
    options.setValue(MqttHostKey, mqtt.host);
    options.setValue(MqttPortKey, mqtt.port);
    options.setValue(MqttUserKey, mqtt.user);
    if (withPassword)
        options.setValue(MqttPasswordKey, mqtt.password);
    else
        options.remove(MqttPasswordKey);
    options.setValue(MqttTlsKey, mqtt.tls);
}

// Before a password goes in: the file is saved through a new file that takes
// the old one's permissions, so it is never readable by others, not even for
// a moment. True when the file's mode, read back, lets nobody else in: a FAT
// file system may take a chmod without a word and change nothing, and the
// file of another user refuses it.
bool KeepForOwnerAlone(const QString &path, PermissionSetter setPermissions) {
    constexpr QFileDevice::Permissions OwnerAlone =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    constexpr QFileDevice::Permissions Others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                QFileDevice::WriteOther | QFileDevice::ExeOther;
    QFile file(path);
    if (!file.exists() && !file.open(QIODevice::WriteOnly | QIODevice::NewOnly, OwnerAlone))
        return false;
    file.close();
    setPermissions(path, OwnerAlone);
    const QFileInfo written(path);
    return written.exists() && !(written.permissions() & Others);
}

} // namespace

bool SetFilePermissions(const QString &path, QFileDevice::Permissions permissions) {
    return QFile::setPermissions(path, permissions);
}

void ReadProgramOptions(WxConfig &config, const QString &optionsPath) {
    const QSettings options(optionsPath, QSettings::IniFormat);
    config.Reconnect = options.value(ReconnectKey, false).toBool();
    config.Language = LanguageFromCode(options.value(LanguageKey).toString());
    config.Units = options.value(UnitsKey).toString() == ImperialName ? UnitSystem::Imperial
                                                                      : UnitSystem::Metric;
    config.Mqtt = ReadMqttSettings(options);
    config.DataStoppedMinutes = ReadDataStoppedMinutes(options);
}

QString WriteProgramOptions(const WxConfig &config, const QString &optionsPath, Prompts &prompts,
                            PermissionSetter setPermissions) {
    const bool defaults = !config.Reconnect && config.Language == DisplayLanguage::Italian &&
                          config.Units == UnitSystem::Metric && config.Mqtt == MqttSettings() &&
                          config.DataStoppedMinutes == 0;
    if (defaults && !QFileInfo::exists(optionsPath))
        return QString();
    QString passwordWarning;
    if (!config.Mqtt.password.isEmpty() && !KeepForOwnerAlone(optionsPath, setPermissions)) {
        passwordWarning = QCoreApplication::translate(
                              "anemora::ConfigFiles",
                              "Password MQTT non salvata: %1 sarebbe leggibile da altri utenti")
                              .arg(QFileInfo(optionsPath).fileName());
        qWarning().noquote() << QDir::toNativeSeparators(optionsPath) << passwordWarning;
    }
    QSettings options(optionsPath, QSettings::IniFormat);
    options.setValue(ReconnectKey, config.Reconnect);
    options.setValue(LanguageKey, LanguageCode(config.Language));
    options.setValue(UnitsKey, config.Units == UnitSystem::Imperial ? ImperialName
                                                                    : QStringLiteral("metric"));
    WriteMqttSettings(config.Mqtt, passwordWarning.isEmpty(), options);
    // Like publishing, an alarm never set leaves the file as it was.
    if (config.DataStoppedMinutes > 0)
        options.setValue(DataStoppedKey, config.DataStoppedMinutes);
    else
        options.remove(DataStoppedKey);
    options.sync();
    if (options.status() != QSettings::NoError)
        prompts.ShowMessage(MessageIcon::Warning, optionsPath,
                            QCoreApplication::translate("anemora::ConfigFiles",
                                                        "Unable to save the program options"));
    return passwordWarning;
}

} // namespace anemora
