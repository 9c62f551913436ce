// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "config/wx_config.h"
#include "platform/prompts.h"

#include <QFileDevice>
#include <QString>

namespace anemora {

// Sets a file's permissions, true when the system took them. Tests put in one
// that fails, as root has no file whose mode it may not change.
using PermissionSetter = bool (*)(const QString &path, QFileDevice::Permissions permissions);
bool SetFilePermissions(const QString &path, QFileDevice::Permissions permissions);

// The program's own choices beyond the three inherited files, in Anemora.ini
// beside them. A missing file or key means the default.
void ReadProgramOptions(WxConfig &config, const QString &optionsPath);
// Writes the file once it exists or a choice differs from its default, so a
// folder where nothing was chosen stays as it was. A password goes in only
// when the file can be made readable by its owner alone; else the rest is
// written without it, and the reason, also told to standard error, is
// returned. Empty when nothing was left out.
QString WriteProgramOptions(const WxConfig &config, const QString &optionsPath, Prompts &prompts,
                            PermissionSetter setPermissions = SetFilePermissions);

} // namespace anemora
