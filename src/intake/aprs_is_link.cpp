// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "intake/aprs_is_link.h"

namespace anemora {

AprsIsLink::AprsIsLink(WxConfig &config, MonitorControl &monitor, Prompts &prompts, QObject *parent)
    : TcpLink(prompts, parent), config(config), monitor(monitor) {}

void AprsIsLink::OpenAprsLink() {
    ConnectTo(config.AprsHost, config.AprsPort);
}

void AprsIsLink::OnConnected() {
    monitor.ClearData(config.StationCall + QStringLiteral(" Wx Station"));
    const QString login =
        QStringLiteral("user QRVSWL pass -1 vers anemora v7 filter p/") + config.StationCall;
    socket.write(login.toLatin1() + "\r\n");
    monitor.SetStatusLine(QStringLiteral("Anemora connected to ") + config.AprsHost);
}

void AprsIsLink::OnReadyRead() {
    if (failing)
        return;
    const QStringList complete = lines.Feed(QString::fromLatin1(socket.readAll()));
    for (const QString &line : complete)
        monitor.HandleAprsLine(line);
}

void AprsIsLink::OnDisconnected() {
    if (closing)
        return;
    ReportFailure(QStringLiteral("Chiusura collegamento TCP [") + config.StationCall + u']',
                  QStringLiteral("Il server ") + config.AprsHost +
                      QStringLiteral(" ha chiuso la connessione"),
                  [this] {
                      config.AprsEnabled = false;
                      config.AprsActive = false;
                  });
}

void AprsIsLink::OnError(QAbstractSocket::SocketError error) {
    // The server's close is reported by OnDisconnected, which follows.
    if (error == QAbstractSocket::RemoteHostClosedError)
        return;
    ReportFailure(QStringLiteral("Errore collegamento TCP [") + config.StationCall + u']',
                  socket.errorString(), [this] { config.AprsEnabled = false; });
}

} // namespace anemora

#include "moc_aprs_is_link.cpp"
