// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "common/fakes.h"
#include "common/loopback.h"
#include "monitor/station_monitor.h"

#include <memory>

namespace anemora::test {

// One link of `LinkType` and the monitor it feeds, facing a server on
// 127.0.0.1: the base of a test class that drives that link.
template <typename LinkType> class LinkHarness {
protected:
    bool Listen() {
        server = std::make_unique<LoopbackServer>();
        return server->Listen();
    }
    // A new monitor and link on `settings`, with no box shown yet.
    void Start(const WxConfig &settings) {
        link.reset();
        monitor.reset();
        config = settings;
        prompts = FakePrompts{};
        monitor = std::make_unique<StationMonitor>(config, notifications, QString());
        link = std::make_unique<LinkType>(config, *monitor, prompts);
        peer = nullptr;
    }
    // Opens the link and accepts it on the server; `peer` is the server side.
    bool Connect() {
        link->Open();
        peer = server->Accept(link->socket);
        return peer != nullptr;
    }
    // Writes `bytes` and waits until the link has read them.
    bool Deliver(const QByteArray &bytes) {
        QSignalSpy reads(&link->socket, &QTcpSocket::readyRead);
        peer->write(bytes);
        return reads.wait();
    }
    void Stop() {
        link.reset();
        monitor.reset();
        server.reset();
    }

    WxConfig config;
    FakeNotifications notifications;
    FakePrompts prompts;
    std::unique_ptr<StationMonitor> monitor;
    std::unique_ptr<LinkType> link;
    std::unique_ptr<LoopbackServer> server;
    QTcpSocket *peer = nullptr;
};

} // namespace anemora::test
