// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "config/wx_config.h"
#include "intake/link_timing.h"
#include "platform/monitor_control.h"
#include "platform/prompts.h"

#include <QHostInfo>
#include <QObject>
#include <QTcpSocket>
#include <QTimer>

#include <functional>

namespace anemora {

// A link's failure as the user learns of it.
struct LinkFailure {
    // The box, when the user is asked.
    QString title;
    QString text;
    // What the status line says while the link is down.
    TranslatableText status;
    // Clears the link's flags once the box is closed.
    std::function<void()> disable;
    // Told on the status line only, never with a box.
    bool quiet = false;
};

// What both links share: one client socket that reads a bounded amount
// ahead, opening and closing it, a failure reported once (after the socket's
// own signal has returned) with the settings dialog offered after it, or a
// reconnection by itself when the user chose it, and a quiet end whatever
// the socket's state. Each link adds only its protocol.
class TcpLink : public QObject {
    Q_OBJECT
public:
    ~TcpLink() override;

    // Starts connecting to the link's peer; the outcome arrives later.
    virtual void Open() = 0;
    // Closes the connection and forgets a pending reconnection; no link
    // event follows.
    void Close();
    // Nothing of the link is alive: no lookup, no connection, no failure
    // still to be told, no reconnection pending. A link waiting to reconnect
    // is not closed, so switching it off closes it.
    bool IsClosed() const;
    // Closes the link as the user or the program switches it off: off, it
    // is no longer shown as down.
    void SwitchOff();
    // A pending reconnection is dropped; the link stays down.
    void StopReconnecting();
    bool IsWaitingToReconnect() const { return retryTimer.isActive(); }

    QTcpSocket socket;
    // Looks the peer's name up afresh. It runs on a pool thread, so it must
    // touch nothing of the link; tests put their own answers in its place.
    std::function<QHostInfo(const QString &host)> lookUpHost = &QHostInfo::fromName;

protected:
    TcpLink(WxConfig &config, MonitorControl &monitor, Prompts &prompts, LinkTiming timing,
            QObject *parent = nullptr);

    // Starts connecting after closing any earlier connection: looks `host`
    // up, then connects to one of its addresses. The outcome arrives later.
    void ConnectTo(const QString &host, qint16 port);
    // Takes the stream as failed at once; the user is told (or the link
    // retries) once the socket's signal has returned.
    void Fail(const LinkFailure &failure);
    // The peer the link connects to, for the status line.
    virtual QString PeerName() const = 0;
    virtual LinkKind Kind() const = 0;
    // The peer answered as it should: the waits before reconnecting start
    // again from the first. A connection alone proves nothing, since a full
    // server accepts and closes at once.
    void PeerAnswered() { retryStep = 0; }
    // The peer can't be reached or the stream broke. `description` is
    // shown to the user.
    virtual void OnError(QAbstractSocket::SocketError error, const QString &description) = 0;

    // True from a failure until the link is opened or closed again: the
    // failed stream is not handled further.
    bool failing = false;
    // True while the program itself closes the socket, so the close it
    // causes is not taken for one by the peer.
    bool closing = false;

    WxConfig &config;
    MonitorControl &monitor;
    Prompts &prompts;
    const LinkTiming timing;

private slots:
    virtual void OnConnected() = 0;
    virtual void OnReadyRead() = 0;
    virtual void OnDisconnected() {}

private:
    void ConnectToAddress(const QHostInfo &found, quint16 port);
    void TellFailure(const LinkFailure &failure);
    void ScheduleReconnection();
    void OnSocketConnected();
    void ShowTrouble(const TranslatableText &trouble);

    QTimer retryTimer;
    int retryStep = 0;
    bool lookingUp = false;
    // The address of this attempt, and those of the last answer that failed
    // since the link last went round all of them: a retry goes to another.
    QHostAddress address;
    QList<QHostAddress> failedAddresses;
    TranslatableText downStatus;
    // Counts openings and closings: a failure queued for an earlier stream
    // does not touch a later one.
    quint64 stream = 0;
};

// "30 s", "2 min": how the status line and the boxes give a wait.
TranslatableText WaitText(std::chrono::milliseconds wait);

} // namespace anemora
