// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

#include <functional>

namespace anemora {

// Milliseconds on a clock that only moves forward; tests put in their own.
using SteadyClock = std::function<qint64()>;
qint64 SteadyMilliseconds();

// The station went quiet: no report taken for the chosen minutes while a
// link is connected. The quiet runs from the last report, or from the
// moment a link came up when none was, so a link's own outage never counts
// as the station's: a link that is down has its own state.
class DataStoppedAlarm {
public:
    enum class Change { None, Fired, Cleared };

    explicit DataStoppedAlarm(SteadyClock clock = SteadyMilliseconds);

    // Fires once the quiet reaches `minutes` (0: off); withdraws the alarm
    // turned off, or set to more minutes than the quiet has lasted.
    Change Check(int minutes);
    Change ReportTaken();
    // Whether any link is connected now; the alarm withdraws when none is.
    Change SetLinkConnected(bool connected);

    bool IsShown() const { return shown; }
    // Whole minutes of quiet, to the nearest: the minute timer is coarse
    // and may tick a little early.
    qint64 QuietMinutes() const;

private:
    Change Withdraw();

    SteadyClock clock;
    qint64 quietSince;
    bool linkConnected = false;
    bool shown = false;
};

} // namespace anemora
