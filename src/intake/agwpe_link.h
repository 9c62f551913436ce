// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "config/wx_config.h"
#include "intake/agw_frame.h"
#include "intake/tcp_link.h"
#include "platform/monitor_control.h"

namespace anemora {

// The client connection to AGWPE: asks for monitored traffic, the version and
// the radio ports, and hands every received frame that carries data to the
// station pipeline. An error is reported once and disables the link; AGWPE
// closing the connection is only told on the status line.
class AgwpeLink : public TcpLink {
    Q_OBJECT
public:
    AgwpeLink(WxConfig &config, MonitorControl &monitor, Prompts &prompts,
              const LinkTiming &timing = {}, QObject *parent = nullptr);

    // Starts connecting to (AgwHost, AgwPort); the outcome arrives later.
    void Open() override;
    // Bytes of an unfinished frame held for the next read.
    qsizetype PendingFrameBytes() const { return frames.Pending(); }

private:
    QString PeerName() const override { return config.AgwHost; }
    LinkKind Kind() const override { return LinkKind::Agwpe; }
    void OnConnected() override;
    void OnReadyRead() override;
    void OnDisconnected() override;
    void OnError(QAbstractSocket::SocketError error, const QString &description) override;
    void SendAgwRequest(char kind);
    void ReportAgwFailure(const TranslatableText &description);

    AgwFrameAssembler frames;
};

} // namespace anemora
