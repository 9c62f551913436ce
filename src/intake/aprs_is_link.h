// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "config/wx_config.h"
#include "intake/aprs_line_assembler.h"
#include "intake/tcp_link.h"
#include "platform/monitor_control.h"

namespace anemora {

// The receive-only client connection to an APRS-IS server: logs in with a
// filter for the station, cuts the stream into lines for the station
// pipeline, keeps the server from taking it for idle, and takes a close by
// the server, an error or a silent server for a failure of the link.
class AprsIsLink : public TcpLink {
    Q_OBJECT
public:
    AprsIsLink(WxConfig &config, MonitorControl &monitor, Prompts &prompts,
               const LinkTiming &timing = {}, QObject *parent = nullptr);

    // Starts connecting to (AprsHost, AprsPort); the outcome arrives later.
    void Open() override;
    // The text received after the last LF of the current connection.
    const QString &AprsRxBuffer() const { return lines.Pending(); }

private:
    QString PeerName() const override { return config.AprsHost; }
    LinkKind Kind() const override { return LinkKind::AprsIs; }
    void OnConnected() override;
    void OnReadyRead() override;
    void OnDisconnected() override;
    void OnError(QAbstractSocket::SocketError error, const QString &description) override;
    void OnSilence();
    void Send(const QByteArray &line);
    QString ErrorTitle() const;

    // Emptied on each connect: a fragment of a closed connection joined to
    // the next one's first line would make a packet nobody sent.
    AprsLineAssembler lines;
    QTimer silenceTimer;
    QTimer keepaliveTimer;
};

} // namespace anemora
