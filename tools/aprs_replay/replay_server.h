// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "replay_session.h"

#include <QTcpServer>

namespace anemora {

// Listens on 127.0.0.1 only and gives each client its own replay of the feed.
class ReplayServer : public QObject {
    Q_OBJECT
public:
    ReplayServer(const QList<FeedLine> &feed, const ReplayOptions &options,
                 QObject *parent = nullptr);

    // Port 0 picks a free port; see port().
    bool Listen(quint16 port);
    quint16 port() const { return server.serverPort(); }
    QString errorString() const { return server.errorString(); }

private slots:
    void AcceptClients();

private:
    const QList<FeedLine> feed;
    const ReplayOptions options;
    QTcpServer server;
};

} // namespace anemora
