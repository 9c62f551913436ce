// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "intake/aprs_is_link.h"

namespace anemora {

namespace {

// The server's reply to the login, or a packet. The banner comment proves
// nothing: a full server sends it too before it closes.
bool ShowsServerWorks(const QString &line) {
    return line.startsWith(QLatin1String("# logresp")) ||
           (!line.isEmpty() && !line.startsWith(u'#'));
}

} // namespace

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
    return tr("Errore collegamento TCP [%1]").arg(config.StationCall);
}

void AprsIsLink::Send(const QByteArray &line) {
    socket.write(line + "\r\n");
    keepaliveTimer.start(timing.keepaliveInterval);
}

void AprsIsLink::OnConnected() {
    // A fragment left by the last connection is no part of this one's lines.
    lines = AprsLineAssembler();
    silenceTimer.start(timing.silenceLimit);
    monitor.ClearData(
        {staticMetaObject.className(), QT_TR_NOOP("%1 Wx Station"), {config.StationCall}});
    Send("user QRVSWL pass -1 vers anemora v7 filter p/" + config.StationCall.toLatin1());
    monitor.SetStatusLine(
        {staticMetaObject.className(), QT_TR_NOOP("Anemora connected to %1"), {config.AprsHost}});
}

void AprsIsLink::OnReadyRead() {
    if (failing)
        return;
    silenceTimer.start(timing.silenceLimit);
    const QStringList complete = lines.Feed(QString::fromLatin1(socket.readAll()));
    for (const QString &line : complete) {
        if (ShowsServerWorks(line))
            PeerAnswered();
        monitor.HandleAprsLine(line);
    }
}

void AprsIsLink::OnSilence() {
    const TranslatableText silent = WaitText(timing.silenceLimit);
    Fail({ErrorTitle(),
          tr("Il server %1 non invia dati da %2").arg(config.AprsHost, silent.Render()),
          {staticMetaObject.className(),
           QT_TR_NOOP("APRS-IS: nessun dato da %1 da %2"),
           {config.AprsHost, silent}},
          [this] { config.AprsEnabled = false; }});
}

void AprsIsLink::OnDisconnected() {
    if (closing)
        return;
    Fail({tr("Chiusura collegamento TCP [%1]").arg(config.StationCall),
          tr("Il server %1 ha chiuso la connessione").arg(config.AprsHost),
          {staticMetaObject.className(),
           QT_TR_NOOP("APRS-IS: connessione chiusa da %1"),
           {config.AprsHost}},
          [this] {
              config.AprsEnabled = false;
              config.AprsActive = false;
          }});
}

void AprsIsLink::OnError(QAbstractSocket::SocketError error, const QString &description) {
    // The server's close is reported by OnDisconnected, which follows.
    if (error == QAbstractSocket::RemoteHostClosedError)
        return;
    Fail({ErrorTitle(),
          description,
          {staticMetaObject.className(), QT_TR_NOOP("APRS-IS: %1"), {description}},
          [this] { config.AprsEnabled = false; }});
}

} // namespace anemora

#include "moc_aprs_is_link.cpp"
