// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "replay_rules.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

class QTcpSocket;

namespace anemora {

struct ReplayOptions {
    QString serverName = QStringLiteral("REPLAY");
    int keepaliveMs = 20000;
    // Feed delays are divided by this.
    double speed = 1.0;
    bool loop = false;
    bool closeAtEnd = false;
};

// One client: banner, login, logresp, then the feed through the client's
// prefix filter, with keepalive comments all along.
class ReplaySession : public QObject {
    Q_OBJECT
public:
    ReplaySession(QTcpSocket *socket, const QList<FeedLine> &feed, const ReplayOptions &options,
                  QObject *parent = nullptr);

private slots:
    void ReadLogin();
    void SendNext();
    void SendKeepalive();

private:
    void SendLine(const QString &line);
    void ScheduleNext(int delayMs);

    QTcpSocket *socket;
    const QList<FeedLine> feed;
    const ReplayOptions options;
    QStringList prefixes;
    QByteArray loginBuffer;
    qsizetype next = 0;
    QTimer replayTimer;
    QTimer keepaliveTimer;
};

} // namespace anemora
