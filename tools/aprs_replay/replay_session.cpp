// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "replay_session.h"

#include <QDateTime>
#include <QLocale>
#include <QTcpSocket>

namespace anemora {

namespace {

// A looped feed whose rows all have no delay would flood the client.
constexpr int MinLoopPauseMs = 1000;

} // namespace

ReplaySession::ReplaySession(QTcpSocket *socket, const QList<FeedLine> &feed,
                             const ReplayOptions &options, QObject *parent)
    : QObject(parent), socket(socket), feed(feed), options(options) {
    socket->setParent(this);
    replayTimer.setSingleShot(true);
    // Feed delays are the recorded gaps between packets; keep them exact.
    replayTimer.setTimerType(Qt::PreciseTimer);
    connect(&replayTimer, &QTimer::timeout, this, &ReplaySession::sendNext);
    connect(&keepaliveTimer, &QTimer::timeout, this, &ReplaySession::sendKeepalive);
    connect(socket, &QTcpSocket::readyRead, this, &ReplaySession::readLogin);
    connect(socket, &QTcpSocket::disconnected, this, &QObject::deleteLater);
    sendLine(BannerLine());
    if (options.keepaliveMs > 0)
        keepaliveTimer.start(options.keepaliveMs);
}

void ReplaySession::readLogin() {
    loginBuffer += socket->readAll();
    const qsizetype lf = loginBuffer.indexOf('\n');
    if (lf < 0) {
        if (loginBuffer.size() > MaxAprsLineLength + 2)
            socket->disconnectFromHost();
        return;
    }
    // Later client lines (a real server would take filter commands) are read
    // and dropped so they cannot pile up.
    disconnect(socket, &QTcpSocket::readyRead, this, &ReplaySession::readLogin);
    connect(socket, &QTcpSocket::readyRead, socket, [this] { socket->readAll(); });
    const QString login = QString::fromLatin1(loginBuffer.left(lf)).remove(QLatin1Char('\r'));
    loginBuffer.clear();
    const QString name = LoginName(login);
    if (name.isEmpty()) {
        socket->disconnectFromHost();
        return;
    }
    prefixes = LoginPrefixes(login);
    qInfo("client %s logged in, filter prefixes: %s", qPrintable(name),
          qPrintable(prefixes.join(QLatin1Char(' '))));
    sendLine(LogrespLine(name, options.serverName));
    if (feed.isEmpty()) {
        if (options.closeAtEnd)
            socket->disconnectFromHost();
        return;
    }
    scheduleNext(feed.first().delayMs);
}

void ReplaySession::sendNext() {
    const QString &line = feed.at(next).text;
    if (PassesPrefixFilter(line, prefixes))
        sendLine(line);
    ++next;
    if (next < feed.size()) {
        scheduleNext(feed.at(next).delayMs);
    } else if (options.loop) {
        next = 0;
        scheduleNext(qMax(feed.first().delayMs, MinLoopPauseMs));
    } else if (options.closeAtEnd) {
        socket->disconnectFromHost();
    }
}

void ReplaySession::sendKeepalive() {
    const QString stamp = QLocale::c().toString(QDateTime::currentDateTimeUtc(),
                                                QStringLiteral("dd MMM yyyy HH:mm:ss 'GMT'"));
    sendLine(KeepaliveLine(options.serverName, stamp));
}

void ReplaySession::sendLine(const QString &line) {
    socket->write(line.toLatin1() + "\r\n");
}

void ReplaySession::scheduleNext(int delayMs) {
    replayTimer.start(qRound(delayMs / options.speed));
}

} // namespace anemora
