// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "config/program_options.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

namespace anemora {

namespace {

const QString ReconnectKey = QStringLiteral("Links/Reconnect");
const QString LanguageKey = QStringLiteral("Display/Language");
const QString UnitsKey = QStringLiteral("Display/Units");
const QString ImperialName = QStringLiteral("imperial");

} // namespace

void ReadProgramOptions(WxConfig &config, const QString &optionsPath) {
    const QSettings options(optionsPath, QSettings::IniFormat);
    config.Reconnect = options.value(ReconnectKey, false).toBool();
    config.Language = LanguageFromCode(options.value(LanguageKey).toString());
    config.Units = options.value(UnitsKey).toString() == ImperialName ? UnitSystem::Imperial
                                                                      : UnitSystem::Metric;
}

void WriteProgramOptions(const WxConfig &config, const QString &optionsPath, Prompts &prompts) {
    const bool defaults = !config.Reconnect && config.Language == DisplayLanguage::Italian &&
                          config.Units == UnitSystem::Metric;
    if (defaults && !QFileInfo::exists(optionsPath))
        return;
    QSettings options(optionsPath, QSettings::IniFormat);
    options.setValue(ReconnectKey, config.Reconnect);
    options.setValue(LanguageKey, LanguageCode(config.Language));
    options.setValue(UnitsKey, config.Units == UnitSystem::Imperial ? ImperialName
                                                                    : QStringLiteral("metric"));
    options.sync();
    if (options.status() != QSettings::NoError)
        prompts.ShowMessage(MessageIcon::Warning, optionsPath,
                            QCoreApplication::translate("anemora::ConfigFiles",
                                                        "Unable to save the program options"));
}

} // namespace anemora
