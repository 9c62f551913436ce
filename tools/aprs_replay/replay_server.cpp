// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "replay_server.h"

#include <QTcpSocket>

namespace anemora {

ReplayServer::ReplayServer(const QList<FeedLine> &feed, const ReplayOptions &options,
                           QObject *parent)
    : QObject(parent), feed(feed), options(options) {
    connect(&server, &QTcpServer::newConnection, this, &ReplayServer::AcceptClients);
}

bool ReplayServer::Listen(quint16 port) {
    return server.listen(QHostAddress::LocalHost, port);
}

void ReplayServer::AcceptClients() {
    while (QTcpSocket *socket = server.nextPendingConnection())
        new ReplaySession(socket, feed, options, this);
}

} // namespace anemora
