// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>

#include <chrono>

namespace anemora {

// How long a link waits for what. The program runs with the defaults; tests
// shrink them to run many faults in little time.
struct LinkTiming {
    // APRS-IS servers send a comment at least every 20 s: six missed ones
    // mean the server or the path to it is gone.
    std::chrono::milliseconds silenceLimit = std::chrono::minutes(2);
    // Servers drop a client that never sends (after 48 h by default).
    std::chrono::milliseconds keepaliveInterval = std::chrono::minutes(1);
    // Waits before each reconnection attempt; the last one repeats, until
    // the peer answers again.
    QList<std::chrono::milliseconds> retrySteps = {
        std::chrono::seconds(5), std::chrono::seconds(10), std::chrono::seconds(30),
        std::chrono::minutes(1), std::chrono::minutes(2),  std::chrono::minutes(5)};
};

} // namespace anemora
