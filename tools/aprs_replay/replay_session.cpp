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
    connect(&replayTimer, &QTimer::timeout, this, &ReplaySession::SendNext);
    connect(&keepaliveTimer, &QTimer::timeout, this, &ReplaySession::SendKeepalive);
    connect(socket, &QTcpSocket::readyRead, this, &ReplaySession::ReadLogin);
    connect(socket, &QTcpSocket::disconnected, this, &QObject::deleteLater);
    SendLine(BannerLine());
    if (options.keepaliveMs > 0)
        keepaliveTimer.start(options.keepaliveMs);
}

void ReplaySession::ReadLogin() {
    loginBuffer += socket->readAll();
    const qsizetype lf = loginBuffer.indexOf('\n');
    if (lf < 0) {
        if (loginBuffer.size() > MaxAprsLineLength + 2)
            socket->disconnectFromHost();
        return;
    }
    // Later client lines (a real server would take filter commands) are read
    // and dropped so they cannot pile up.
    disconnect(socket, &QTcpSocket::readyRead, this, &ReplaySession::ReadLogin);
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
    SendLine(LogrespLine(name, options.serverName));
    if (feed.isEmpty()) {
        if (options.closeAtEnd)
            socket->disconnectFromHost();
        return;
    }
    ScheduleNext(feed.first().delayMs);
}

void ReplaySession::SendNext() {
    const QString &line = feed.at(next).text;
    if (PassesPrefixFilter(line, prefixes))
        SendLine(line);
    ++next;
    if (next < feed.size()) {
        ScheduleNext(feed.at(next).delayMs);
    } else if (options.loop) {
        next = 0;
        ScheduleNext(qMax(feed.first().delayMs, MinLoopPauseMs));
    } else if (options.closeAtEnd) {
        socket->disconnectFromHost();
    }
}

void ReplaySession::SendKeepalive() {
    const QString stamp = QLocale::c().toString(QDateTime::currentDateTimeUtc(),
                                                QStringLiteral("dd MMM yyyy HH:mm:ss 'GMT'"));
    SendLine(KeepaliveLine(options.serverName, stamp));
}

void ReplaySession::SendLine(const QString &line) {
    socket->write(line.toLatin1() + "\r\n");
}

void ReplaySession::ScheduleNext(int delayMs) {
    replayTimer.start(qRound(delayMs / options.speed));
}

} // namespace anemora
