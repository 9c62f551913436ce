// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace anemora {

// Opening and closing the two links, as start-up, shutdown and the settings
// dialog do it. Opening returns at once; the outcome arrives as link events.
class LinkControl {
public:
    virtual ~LinkControl() = default;
    virtual void OpenAgwLink() = 0;
    virtual void CloseAgwLink() = 0;
    virtual bool IsAgwLinkClosed() const = 0;
    virtual void OpenAprsLink() = 0;
    virtual void CloseAprsLink() = 0;
    virtual bool IsAprsLinkClosed() const = 0;
    // Links waiting to reconnect by themselves stay down instead.
    virtual void StopReconnecting() = 0;
};

} // namespace anemora
