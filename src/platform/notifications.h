// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace anemora {

// Side effects of report processing that are not display state.
class Notifications {
public:
    virtual ~Notifications() = default;
    // Asynchronous; a missing file plays the system's default sound.
    virtual void PlaySound(const QString &path) = 0;
    // Restores the main window from the tray when it is not in the normal
    // state, otherwise gives it the focus and raises it.
    virtual void BringForward() = 0;
    // Stops minuteTimer and starts it again, so its next tick is a full
    // interval away.
    virtual void RestartMinuteTimer() = 0;
};

} // namespace anemora
