// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "config/config_files.h"
#include "config/program_options.h"
#include "config/wx_config.h"
#include "platform/link_control.h"
#include "platform/monitor_control.h"
#include "platform/prompts.h"

#include <QString>

namespace anemora {

// How the main window fills the settings when it loads, and saves them when
// it unloads.
class Startup {
public:
    Startup(WxConfig &config, MonitorControl &monitor, LinkControl &links, Prompts &prompts,
            QString appDir);

    // An empty (or all-space) command line is a normal start from Params.ini;
    // anything else is a command-line start, which never touches Params.ini.
    void Run(const QString &commandLine);
    // Never refuses: closes both links and writes what is to be kept. A
    // start-up still running (in one of its boxes) goes no further.
    void Shutdown();
    // Writes what the end would write, and carries on.
    void SaveSettings();

    bool SaveParamsOnExit = false;
    // Off for a program that only reads its settings: nothing is written.
    bool writesSettings = true;
    ConfigFilePaths paths;
    // How Anemora.ini is made readable by its owner alone.
    PermissionSetter setPermissions = SetFilePermissions;

private:
    void NormalStart();
    void CommandLineStart(const QString &commandLine);
    void OpenEnabledLinks();

    WxConfig &config;
    MonitorControl &monitor;
    LinkControl &links;
    Prompts &prompts;
    QString appDir;
    bool shutDown = false;
};

} // namespace anemora
