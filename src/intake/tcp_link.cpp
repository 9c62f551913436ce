// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "intake/tcp_link.h"

#include <QScopedValueRollback>

namespace anemora {

namespace {

// The socket reads no further ahead than this. While a failure's box is up
// nothing is taken from it, and a peer that goes on sending must not fill
// memory meanwhile.
constexpr qint64 MaxUnreadBytes = 256 * 1024;

// Ports live in 16-bit signed fields; one above 32767 is held as its two's
// complement (as a test server's ephemeral port is), so read the bits back
// as the unsigned port they are.
quint16 LinkPort(qint16 port) {
    return static_cast<quint16>(port);
}

} // namespace

TcpLink::TcpLink(Prompts &prompts, QObject *parent) : QObject(parent), prompts(prompts) {
    socket.setReadBufferSize(MaxUnreadBytes);
    connect(&socket, &QTcpSocket::connected, this, &TcpLink::OnConnected);
    connect(&socket, &QTcpSocket::readyRead, this, &TcpLink::OnReadyRead);
    connect(&socket, &QTcpSocket::disconnected, this, &TcpLink::OnDisconnected);
    connect(&socket, &QTcpSocket::errorOccurred, this, &TcpLink::OnError);
}

// A socket destroyed while connected closes itself and signals it; by then
// this object is half gone, so the socket is made quiet and closed first.
TcpLink::~TcpLink() {
    disconnect(&socket, nullptr, this, nullptr);
    socket.abort();
}

void TcpLink::ConnectTo(const QString &host, qint16 port) {
    Close();
    socket.connectToHost(host, LinkPort(port));
}

void TcpLink::Close() {
    const QScopedValueRollback guard(closing, true);
    socket.abort();
}

bool TcpLink::IsClosed() const {
    return socket.state() == QAbstractSocket::UnconnectedState;
}

void TcpLink::ReportFailure(const QString &title, const QString &text,
                            const std::function<void()> &disable) {
    if (failing)
        return;
    {
        const QScopedValueRollback guard(failing, true);
        prompts.ShowMessage(MessageIcon::Exclamation, title, text);
        Close();
        disable();
    }
    // The dialog may open the link again, so the failure is over by now.
    if (!prompts.IsSettingsDialogVisible())
        prompts.ShowSettingsDialogModal();
}

} // namespace anemora

#include "moc_tcp_link.cpp"
