// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "config/program_options.h"

#include <QFileInfo>
#include <QSettings>

namespace anemora {

namespace {

const QString ReconnectKey = QStringLiteral("Links/Reconnect");

} // namespace

void ReadProgramOptions(WxConfig &config, const QString &optionsPath) {
    const QSettings options(optionsPath, QSettings::IniFormat);
    config.Reconnect = options.value(ReconnectKey, false).toBool();
}

void WriteProgramOptions(const WxConfig &config, const QString &optionsPath, Prompts &prompts) {
    if (!config.Reconnect && !QFileInfo::exists(optionsPath))
        return;
    QSettings options(optionsPath, QSettings::IniFormat);
    options.setValue(ReconnectKey, config.Reconnect);
    options.sync();
    if (options.status() != QSettings::NoError)
        prompts.ShowMessage(MessageIcon::Warning, optionsPath,
                            QStringLiteral("Unable to save the program options"));
}

} // namespace anemora
