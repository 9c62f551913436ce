// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "config/wx_config.h"
#include "platform/prompts.h"

#include <QString>

namespace anemora {

// The program's own choices beyond the three inherited files, in Anemora.ini
// beside them. A missing file or key means the default.
void ReadProgramOptions(WxConfig &config, const QString &optionsPath);
// Writes the file once it exists or a choice differs from its default, so a
// folder where nothing was chosen stays as it was.
void WriteProgramOptions(const WxConfig &config, const QString &optionsPath, Prompts &prompts);

} // namespace anemora
