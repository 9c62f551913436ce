// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "service/systemd_notifier.h"

#include <systemd/sd-daemon.h>

#include <chrono>

namespace anemora {

SystemdNotifier::SystemdNotifier(QObject *parent) : QObject(parent) {
    uint64_t microseconds = 0;
    if (sd_watchdog_enabled(0, &microseconds) <= 0 || microseconds == 0)
        return;
    // Pinged from the event loop: a loop that hangs stops the pings.
    connect(&watchdog, &QTimer::timeout, this, [this] { Send("WATCHDOG=1"); });
    watchdog.start(std::chrono::milliseconds(qMax<uint64_t>(1, microseconds / 2000)));
}

void SystemdNotifier::Ready() {
    Send("READY=1");
}

void SystemdNotifier::SetStatus(const QString &text) {
    if (text == status)
        return;
    status = text;
    Send("STATUS=" + text.toUtf8());
}

void SystemdNotifier::Stopping() {
    watchdog.stop();
    Send("STOPPING=1");
}

void SystemdNotifier::Send(const QByteArray &state) {
    sd_notify(0, state.constData());
}

} // namespace anemora

#include "moc_systemd_notifier.cpp"
