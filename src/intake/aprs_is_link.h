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
// pipeline, and on a close by the server or an error tells the user once,
// disables the link and offers the settings dialog.
class AprsIsLink : public TcpLink {
    Q_OBJECT
public:
    AprsIsLink(WxConfig &config, MonitorControl &monitor, Prompts &prompts,
               QObject *parent = nullptr);

    // Starts connecting to (AprsHost, AprsPort); the outcome arrives later.
    void OpenAprsLink();
    // The text received after the last LF, kept across connections.
    const QString &AprsRxBuffer() const { return lines.Pending(); }

private:
    void OnConnected() override;
    void OnReadyRead() override;
    void OnDisconnected() override;
    void OnError(QAbstractSocket::SocketError error) override;

    WxConfig &config;
    MonitorControl &monitor;
    AprsLineAssembler lines;
};

} // namespace anemora
