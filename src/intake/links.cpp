// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "intake/links.h"

namespace anemora {

Links::Links(WxConfig &config, MonitorControl &monitor, Prompts &prompts)
    : agw(config, monitor, prompts), aprs(config, monitor, prompts) {}

void Links::OpenAgwLink() {
    agw.OpenAgwLink();
}

void Links::CloseAgwLink() {
    agw.Close();
}

bool Links::IsAgwLinkClosed() const {
    return agw.IsClosed();
}

void Links::OpenAprsLink() {
    aprs.OpenAprsLink();
}

void Links::CloseAprsLink() {
    aprs.Close();
}

bool Links::IsAprsLinkClosed() const {
    return aprs.IsClosed();
}

} // namespace anemora
