// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/prompts.h"

#include <QObject>
#include <QTcpSocket>

#include <functional>

namespace anemora {

// What both links share: one client socket that reads a bounded amount
// ahead, opening and closing it, a failure reported once with the settings
// dialog offered after it, and a quiet end whatever the socket's state.
// Each link adds only its protocol.
class TcpLink : public QObject {
    Q_OBJECT
public:
    ~TcpLink() override;

    // Closes the connection; no link event follows.
    void Close();
    bool IsClosed() const;

    QTcpSocket socket;

protected:
    explicit TcpLink(Prompts &prompts, QObject *parent = nullptr);

    // Starts connecting after closing any earlier connection; the outcome
    // arrives later.
    void ConnectTo(const QString &host, qint16 port);
    // Shows the box, closes the link and lets `disable` clear its flags,
    // then offers the settings dialog. While the box is up, further errors
    // and data of the failed stream are ignored.
    void ReportFailure(const QString &title, const QString &text,
                       const std::function<void()> &disable);

    // True while a failure is being reported: the box runs a nested event
    // loop, in which the failed stream must not be handled further.
    bool failing = false;
    // True while the program itself closes the socket, so the close it
    // causes is not taken for one by the peer.
    bool closing = false;

    Prompts &prompts;

private slots:
    virtual void OnConnected() = 0;
    virtual void OnReadyRead() = 0;
    virtual void OnDisconnected() {}
    virtual void OnError(QAbstractSocket::SocketError error) = 0;
};

} // namespace anemora
