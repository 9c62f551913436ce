// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "config/startup.h"

#include "config/command_line.h"
#include "config/program_options.h"

#include <QCoreApplication>

#include <utility>

namespace anemora {

Startup::Startup(WxConfig &config, MonitorControl &monitor, LinkControl &links, Prompts &prompts,
                 QString appDir)
    : config(config), monitor(monitor), links(links), prompts(prompts), appDir(std::move(appDir)) {}

void Startup::Run(const QString &commandLine) {
    monitor.AcceptNextReport();
    paths = ConfigFilePathsIn(appDir);
    config.ServerListPath = paths.ServerListPath;
    // The program's own choices hold for every kind of start: a service
    // started with a command line wants to reconnect as much as anyone. The
    // language comes first, so start-up's own boxes speak it.
    ReadProgramOptions(config, paths.OptionsPath);
    ApplyLanguage(config.Language);
    monitor.RefreshTexts();
    ReadAlarms(config, paths.AlarmsPath, prompts, writesSettings);
    config.ServerIndex = NoServerIndex;

    if (commandLine.trimmed().isEmpty())
        NormalStart();
    else
        CommandLineStart(commandLine);
    // Ended from outside while one of start-up's boxes was up.
    if (shutDown)
        return;

    if (!config.StationCall.isEmpty()) {
        OpenEnabledLinks();
        return;
    }
    // Without a call nothing can be monitored: the dialog's Accept opens the
    // links the user enables.
    config.StationCall = NoCall;
    prompts.ShowSettingsDialogModal();
}

void Startup::NormalStart() {
    ReadParams(config, paths.ParamsPath);
    if (!config.AprsHost.isEmpty() && config.AprsPort != 0)
        FindServerIndex(config);
    else
        ServerFromIndex(config);
    SaveParamsOnExit = true;
    if (config.StationCall == NoCall)
        config.StationCall.clear();

    if (config.AgwHost.isEmpty())
        config.AgwHost = DefaultAgwHost;
    if (config.AgwPort == 0)
        config.AgwPort = DefaultAgwPort;
    if (config.AprsHost.isEmpty())
        config.AprsHost = DefaultAprsHost;
    if (config.AprsPort == 0)
        config.AprsPort = DefaultAprsPort;

    if (!config.StationCall.isEmpty() && !config.AgwEnabled && !config.AprsEnabled) {
        // Both marked open, so Accept reopens only what the user changed and
        // the rest is opened below.
        config.AgwActive = true;
        config.AprsActive = true;
        prompts.ShowSettingsDialogModal();
    }
}

void Startup::CommandLineStart(const QString &commandLine) {
    const CommandLineSettings settings = ParseCommandLine(commandLine);
    config.StationCall = settings.StationCall;
    config.AgwHost = settings.AgwHost;
    config.AgwPort = settings.AgwPort;
    config.AprsHost = settings.AprsHost;
    config.AprsPort = settings.AprsPort;
    if (settings.SaveAlarms)
        config.SaveAlarms = true;
    if (!settings.RefusedPort.isEmpty())
        prompts.ShowMessage(
            MessageIcon::Warning, QStringLiteral("Anemora"),
            QCoreApplication::translate(
                "anemora::Startup", "Port %1 is not between 0 and 32767: the default port is used")
                .arg(settings.RefusedPort));
    if (settings.FindServer)
        FindServerIndex(config);

    if (!config.AgwHost.isEmpty())
        config.AgwEnabled = true;
    else
        config.AgwHost = DefaultAgwHost;
    if (config.AgwPort == 0)
        config.AgwPort = DefaultAgwPort;
    if (!config.AprsHost.isEmpty())
        config.AprsEnabled = true;
    else
        config.AprsHost = DefaultAprsHost;
    if (config.AprsPort == 0)
        config.AprsPort = DefaultAprsPort;

    if (!config.StationCall.isEmpty() && !config.AgwEnabled && !config.AprsEnabled)
        config.AgwEnabled = true;
}

void Startup::OpenEnabledLinks() {
    // The start-up dialog may have opened a link already.
    if (config.AgwEnabled && links.IsAgwLinkClosed())
        links.OpenAgwLink();
    if (config.AprsEnabled && links.IsAprsLinkClosed())
        links.OpenAprsLink();
}

void Startup::Shutdown() {
    shutDown = true;
    links.CloseAgwLink();
    links.CloseAprsLink();
    SaveSettings();
}

void Startup::SaveSettings() {
    if (!writesSettings)
        return;
    if (SaveParamsOnExit)
        WriteParams(config, paths.ParamsPath, prompts);
    if (config.SaveAlarms)
        WriteAlarms(config, paths.AlarmsPath, prompts);
    config.MqttPasswordWarning =
        WriteProgramOptions(config, paths.OptionsPath, prompts, setPermissions);
}

} // namespace anemora
