// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "intake/agwpe_link.h"

namespace anemora {

AgwpeLink::AgwpeLink(WxConfig &config, MonitorControl &monitor, Prompts &prompts,
                     const LinkTiming &timing, QObject *parent)
    : TcpLink(config, monitor, prompts, timing, parent) {}

void AgwpeLink::Open() {
    ConnectTo(config.AgwHost, config.AgwPort);
}

void AgwpeLink::SendAgwRequest(char kind) {
    socket.write(AgwRequest(kind));
}

void AgwpeLink::OnConnected() {
    // A new stream starts with a header: nothing of an earlier one belongs
    // to it.
    frames.Reset();
    monitor.ClearData(
        {staticMetaObject.className(), QT_TR_NOOP("%1 Wx Station"), {config.StationCall}});
    SendAgwRequest('m');
    SendAgwRequest('R');
    SendAgwRequest('G');
}

void AgwpeLink::OnReadyRead() {
    if (failing)
        return;
    const AgwFrameAssembler::Result result = frames.Feed(socket.readAll());
    // Any whole frame is the engine answering the requests.
    if (!result.frames.isEmpty())
        PeerAnswered();
    for (const QByteArray &frame : result.frames) {
        const int dataLen = AgwDataLen(frame, 0);
        if (dataLen > 0)
            monitor.HandleAgwFrame(frame, 0, dataLen);
    }
    if (result.badLength)
        ReportAgwFailure(
            {staticMetaObject.className(),
             QT_TR_NOOP("Invalid AGWPE frame: %1 data bytes announced, at most %2 expected"),
             {QString::number(result.dataLen), QString::number(MaxAgwDataLen)}});
}

void AgwpeLink::OnDisconnected() {
    // The engine ending the connection opens no box and leaves the settings
    // alone, but the user can see that the link is down.
    if (!closing)
        Fail({{},
              {},
              {staticMetaObject.className(), QT_TR_NOOP("AGWPE: connessione chiusa")},
              {},
              true});
}

void AgwpeLink::OnError(QAbstractSocket::SocketError error, const QString &description) {
    // The engine's close is told by OnDisconnected, which follows.
    if (error == QAbstractSocket::RemoteHostClosedError)
        return;
    ReportAgwFailure(description);
}

void AgwpeLink::ReportAgwFailure(const TranslatableText &description) {
    Fail({tr("Errore collegamento con AGWPE [%1]").arg(config.StationCall),
          description.Render(),
          {staticMetaObject.className(), QT_TR_NOOP("AGWPE: %1"), {description}},
          [this] { config.AgwEnabled = false; }});
}

} // namespace anemora

#include "moc_agwpe_link.cpp"
