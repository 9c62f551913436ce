// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "config/termination_signals.h"

#include <QSocketNotifier>

#include <array>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace anemora {

namespace {

constexpr std::array<int, 3> Handled{SIGTERM, SIGINT, SIGHUP};

// Written by the handler, read by the event loop: a handler may do nothing
// but write(2).
int signalPipe[2] = {-1, -1};

// What each signal did before, put back when the handlers go.
std::array<struct sigaction, Handled.size()> previousActions{};
std::array<bool, Handled.size()> installed{};

extern "C" void OnTerminationSignal(int signalNumber) {
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = write(signalPipe[0], &byte, 1);
}

} // namespace

TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent) {
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &TerminationSignals::ReadPending);
    struct sigaction action = {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < Handled.size(); ++i) {
        sigaction(Handled[i], nullptr, &previousActions[i]);
        // `nohup` and a shell's background job ignore SIGHUP or SIGINT on
        // purpose; the user's choice stands.
        installed[i] = previousActions[i].sa_handler != SIG_IGN;
        if (installed[i])
            sigaction(Handled[i], &action, nullptr);
    }
}

TerminationSignals::~TerminationSignals() {
    for (std::size_t i = 0; i < Handled.size(); ++i) {
        if (installed[i])
            sigaction(Handled[i], &previousActions[i], nullptr);
        installed[i] = false;
    }
    if (signalPipe[0] < 0)
        return;
    delete notifier;
    close(signalPipe[0]);
    close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

void TerminationSignals::ReadPending() {
    unsigned char byte = 0;
    if (read(signalPipe[1], &byte, 1) == 1)
        emit received(byte);
}

} // namespace anemora

#include "moc_termination_signals.cpp"
