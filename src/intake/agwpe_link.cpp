// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "intake/agwpe_link.h"

namespace anemora {

AgwpeLink::AgwpeLink(WxConfig &config, MonitorControl &monitor, Prompts &prompts, QObject *parent)
    : TcpLink(prompts, parent), config(config), monitor(monitor) {}

void AgwpeLink::OpenAgwLink() {
    ConnectTo(config.AgwHost, config.AgwPort);
}

void AgwpeLink::SendAgwRequest(char kind) {
    socket.write(AgwRequest(kind));
}

void AgwpeLink::OnConnected() {
    // A new stream starts with a header: nothing of an earlier one belongs
    // to it.
    frames.Reset();
    monitor.ClearData(config.StationCall + QStringLiteral(" Wx Station"));
    SendAgwRequest('m');
    SendAgwRequest('R');
    SendAgwRequest('G');
}

void AgwpeLink::OnReadyRead() {
    if (failing)
        return;
    const AgwFrameAssembler::Result result = frames.Feed(socket.readAll());
    for (const QByteArray &frame : result.frames) {
        const int dataLen = AgwDataLen(frame, 0);
        if (dataLen > 0)
            monitor.HandleAgwFrame(frame, 0, dataLen);
    }
    if (result.badLength)
        ReportAgwFailure(QStringLiteral("Invalid AGWPE frame: %1 data bytes announced, at most %2 "
                                        "expected")
                             .arg(result.dataLen)
                             .arg(MaxAgwDataLen));
}

void AgwpeLink::OnError(QAbstractSocket::SocketError error) {
    // AGWPE ending the connection is not a failure here: nothing is shown.
    if (error == QAbstractSocket::RemoteHostClosedError)
        return;
    ReportAgwFailure(socket.errorString());
}

void AgwpeLink::ReportAgwFailure(const QString &description) {
    ReportFailure(QStringLiteral("Errore collegamento con AGWPE [") + config.StationCall + u']',
                  description, [this] { config.AgwEnabled = false; });
}

} // namespace anemora

#include "moc_agwpe_link.cpp"
