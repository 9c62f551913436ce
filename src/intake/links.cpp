// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "intake/links.h"

namespace anemora {

Links::Links(WxConfig &config, MonitorControl &monitor, Prompts &prompts, const LinkTiming &timing)
    : agw(config, monitor, prompts, timing), aprs(config, monitor, prompts, timing) {}

void Links::OpenAgwLink() {
    agw.Open();
}

void Links::CloseAgwLink() {
    agw.SwitchOff();
}

bool Links::IsAgwLinkClosed() const {
    return agw.IsClosed();
}

void Links::OpenAprsLink() {
    aprs.Open();
}

void Links::CloseAprsLink() {
    aprs.SwitchOff();
}

bool Links::IsAprsLinkClosed() const {
    return aprs.IsClosed();
}

void Links::StopReconnecting() {
    agw.StopReconnecting();
    aprs.StopReconnecting();
}

} // namespace anemora
