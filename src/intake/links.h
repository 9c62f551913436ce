// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "intake/agwpe_link.h"
#include "intake/aprs_is_link.h"
#include "platform/link_control.h"

namespace anemora {

// Both links of the main window, opened and closed by start-up, shutdown
// and the settings dialog.
class Links : public LinkControl {
public:
    Links(WxConfig &config, MonitorControl &monitor, Prompts &prompts,
          const LinkTiming &timing = {});

    void OpenAgwLink() override;
    void CloseAgwLink() override;
    bool IsAgwLinkClosed() const override;
    void OpenAprsLink() override;
    void CloseAprsLink() override;
    bool IsAprsLinkClosed() const override;
    void StopReconnecting() override;

    AgwpeLink agw;
    AprsIsLink aprs;
};

} // namespace anemora
