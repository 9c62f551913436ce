// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "intake/aprs_is_link.h"

namespace anemora {

AprsIsLink::AprsIsLink(WxConfig &config, MonitorControl &monitor, Prompts &prompts,
                       const LinkTiming &timing, QObject *parent)
    : TcpLink(config, monitor, prompts, timing, parent) {
    silenceTimer.setSingleShot(true);
    connect(&silenceTimer, &QTimer::timeout, this, &AprsIsLink::OnSilence);
    // Servers ignore a comment line, but count it as the client being alive.
    connect(&keepaliveTimer, &QTimer::timeout, this, [this] { Send("#keepalive"); });
    connect(&socket, &QTcpSocket::disconnected, &silenceTimer, &QTimer::stop);
    connect(&socket, &QTcpSocket::disconnected, &keepaliveTimer, &QTimer::stop);
}

void AprsIsLink::Open() {
    silenceTimer.stop();
    keepaliveTimer.stop();
    ConnectTo(config.AprsHost, config.AprsPort);
}

QString AprsIsLink::ErrorTitle() const {
    return QStringLiteral("Errore collegamento TCP [") + config.StationCall + u']';
}

void AprsIsLink::Send(const QByteArray &line) {
    socket.write(line + "\r\n");
    keepaliveTimer.start(timing.keepaliveInterval);
}

void AprsIsLink::OnConnected() {
    // A fragment left by the last connection is no part of this one's lines.
    lines = AprsLineAssembler();
    silenceTimer.start(timing.silenceLimit);
    monitor.ClearData(config.StationCall + QStringLiteral(" Wx Station"));
    Send("user QRVSWL pass -1 vers anemora v7 filter p/" + config.StationCall.toLatin1());
    monitor.SetStatusLine(QStringLiteral("Anemora connected to ") + config.AprsHost);
}

void AprsIsLink::OnReadyRead() {
    if (failing)
        return;
    silenceTimer.start(timing.silenceLimit);
    const QStringList complete = lines.Feed(QString::fromLatin1(socket.readAll()));
    for (const QString &line : complete)
        monitor.HandleAprsLine(line);
}

void AprsIsLink::OnSilence() {
    const QString silent = WaitText(timing.silenceLimit);
    Fail({ErrorTitle(),
          QStringLiteral("Il server ") + config.AprsHost + QStringLiteral(" non invia dati da ") +
              silent,
          QStringLiteral("APRS-IS: nessun dato da ") + config.AprsHost + QStringLiteral(" da ") +
              silent,
          [this] { config.AprsEnabled = false; }});
}

void AprsIsLink::OnDisconnected() {
    if (closing)
        return;
    Fail({QStringLiteral("Chiusura collegamento TCP [") + config.StationCall + u']',
          QStringLiteral("Il server ") + config.AprsHost +
              QStringLiteral(" ha chiuso la connessione"),
          QStringLiteral("APRS-IS: connessione chiusa da ") + config.AprsHost, [this] {
              config.AprsEnabled = false;
              config.AprsActive = false;
          }});
}

void AprsIsLink::OnError(QAbstractSocket::SocketError error) {
    // The server's close is reported by OnDisconnected, which follows.
    if (error == QAbstractSocket::RemoteHostClosedError)
        return;
    Fail({ErrorTitle(), socket.errorString(), QStringLiteral("APRS-IS: ") + socket.errorString(),
          [this] { config.AprsEnabled = false; }});
}

} // namespace anemora

#include "moc_aprs_is_link.cpp"
