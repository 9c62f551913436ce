// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "config/setup_fields.h"
#include "config/wx_config.h"
#include "platform/link_control.h"
#include "platform/monitor_control.h"
#include "platform/prompts.h"

namespace anemora {

// What applying the settings acts on besides the record.
struct SetupTargets {
    WxConfig &config;
    LinkControl &links;
    MonitorControl &monitor;
    Prompts &prompts;
};

// Applies the accepted form: the link flags, the AGWPE link, the call, the
// APRS-IS link (appending a typed server to the server list), the options,
// the thresholds and the publishing settings, in that order. `numbers` comes
// from ReadSetupNumbers of the same fields.
void ApplySetup(const SetupFields &fields, const SetupNumbers &numbers,
                const SetupTargets &targets);

} // namespace anemora
