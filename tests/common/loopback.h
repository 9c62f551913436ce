// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <functional>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

namespace anemora::test {

// The program keeps ports in 16 signed bits, while the system hands out free
// ports above that: offers `listen` ports below 32768 until it takes one.
// Returns that port, or 0.
inline quint16 ListenBelow32768(const std::function<bool(quint16)> &listen) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto port = static_cast<quint16>(20000 + QRandomGenerator::global()->bounded(12000));
        if (listen(port))
            return port;
    }
    return 0;
}

// A port below 32768 that nothing listens on just now, for a peer the test
// starts there or leaves away.
inline quint16 FreePortBelow32768() {
    return ListenBelow32768(
        [](quint16 port) { return QTcpServer().listen(QHostAddress::LocalHost, port); });
}

// Ends the connection with a reset instead of a close, as a crashed or
// rebooted peer does.
inline void ResetConnection(QTcpSocket *peer) {
    const linger abortive{1, 0};
    setsockopt(int(peer->socketDescriptor()), SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
    peer->abort();
}

// Seconds of silence before the system probes the connection; 0 when it
// never does.
inline int KeepaliveIdleSeconds(const QAbstractSocket &socket) {
    const int fd = int(socket.socketDescriptor());
    int on = 0;
    int idle = 0;
    socklen_t size = sizeof on;
    getsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, &size);
    size = sizeof idle;
    getsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle, &size);
    return on ? idle : 0;
}

// A TCP server on 127.0.0.1 in the place of a link's peer.
class LoopbackServer {
public:
    bool Listen() {
        return ListenBelow32768(
                   [this](quint16 port) { return tcp.listen(QHostAddress::LocalHost, port); }) != 0;
    }
    qint16 Port() const { return static_cast<qint16>(tcp.serverPort()); }

    // The server side of the next connection, or null when none comes.
    QTcpSocket *NextPeer() {
        if (!tcp.hasPendingConnections() && !QSignalSpy(&tcp, &QTcpServer::newConnection).wait())
            return nullptr;
        return tcp.nextPendingConnection();
    }

    // The server side of the connection `client` is making, once both ends
    // are connected; null when that does not happen.
    QTcpSocket *Accept(const QAbstractSocket &client) {
        QTcpSocket *peer = NextPeer();
        const auto connected = [&] { return client.state() == QAbstractSocket::ConnectedState; };
        return peer && QTest::qWaitFor(connected) ? peer : nullptr;
    }

    QTcpServer tcp;
};

} // namespace anemora::test
