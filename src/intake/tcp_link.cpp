// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "intake/tcp_link.h"

#include <QCoreApplication>
#include <QPointer>
#include <QRandomGenerator>
#include <QScopedValueRollback>
#include <QThreadPool>

#include <algorithm>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

namespace anemora {

namespace {

// The socket reads no further ahead than this. While a failure's box is up
// nothing is taken from it, and a peer that goes on sending must not fill
// memory meanwhile.
constexpr qint64 MaxUnreadBytes = 256 * 1024;

// A peer that vanished (a dropped NAT mapping, a dead Wi-Fi hop) is noticed
// within about two minutes instead of the system's two hours.
constexpr int KeepaliveIdleSeconds = 60;
constexpr int KeepaliveIntervalSeconds = 10;
constexpr int KeepaliveProbes = 6;

// Ports live in 16-bit signed fields; one above 32767 is held as its two's
// complement (as a test server's ephemeral port is), so read the bits back
// as the unsigned port they are.
quint16 LinkPort(qint16 port) {
    return static_cast<quint16>(port);
}

void SetShortKeepalive(qintptr descriptor) {
    if (descriptor < 0)
        return;
    const int fd = static_cast<int>(descriptor);
    const int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &KeepaliveIdleSeconds, sizeof KeepaliveIdleSeconds);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &KeepaliveIntervalSeconds,
               sizeof KeepaliveIntervalSeconds);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &KeepaliveProbes, sizeof KeepaliveProbes);
}

// Where lookups' answers arrive, in the links' thread. Never deleted: a
// lookup may answer after whoever asked, and the program, are gone.
QObject &LookupAnswers() {
    static QObject *const answers = new QObject;
    return *answers;
}

// Runs the blocking `lookUp` of `host` on a pool thread and hands its answer
// to `answer` on this thread. Qt's own asynchronous lookup answers from a
// cache for a minute, so every early retry would meet the same address.
void LookUpOnPool(const std::function<QHostInfo(const QString &)> &lookUp, const QString &host,
                  const std::function<void(const QHostInfo &)> &answer) {
    QObject *receiver = &LookupAnswers();
    QThreadPool::globalInstance()->start([lookUp, host, answer, receiver] {
        QMetaObject::invokeMethod(
            receiver, [answer, found = lookUp(host)] { answer(found); }, Qt::QueuedConnection);
    });
}

} // namespace

TranslatableText WaitText(std::chrono::milliseconds wait) {
    const qint64 seconds = (wait.count() + 500) / 1000;
    if (seconds < 60)
        return {"anemora::TcpLink",
                QT_TRANSLATE_NOOP("anemora::TcpLink", "%1 s"),
                {QString::number(seconds)}};
    return {"anemora::TcpLink",
            QT_TRANSLATE_NOOP("anemora::TcpLink", "%1 min"),
            {QString::number((seconds + 30) / 60)}};
}

TcpLink::TcpLink(WxConfig &config, MonitorControl &monitor, Prompts &prompts, LinkTiming timing,
                 QObject *parent)
    : QObject(parent), config(config), monitor(monitor), prompts(prompts),
      timing(std::move(timing)) {
    socket.setReadBufferSize(MaxUnreadBytes);
    retryTimer.setSingleShot(true);
    connect(&retryTimer, &QTimer::timeout, this, &TcpLink::Open);
    connect(&socket, &QTcpSocket::connected, this, &TcpLink::OnSocketConnected);
    connect(&socket, &QTcpSocket::connected, this, &TcpLink::OnConnected);
    connect(&socket, &QTcpSocket::readyRead, this, &TcpLink::OnReadyRead);
    connect(&socket, &QTcpSocket::disconnected, this, &TcpLink::OnDisconnected);
    connect(&socket, &QTcpSocket::errorOccurred, this,
            [this](QAbstractSocket::SocketError error) { OnError(error, socket.errorString()); });
}

// A socket destroyed while connected closes itself and signals it; by then
// this object is half gone, so the socket is made quiet and closed first.
TcpLink::~TcpLink() {
    disconnect(&socket, nullptr, this, nullptr);
    socket.abort();
}

void TcpLink::ConnectTo(const QString &host, qint16 port) {
    Close();
    lookingUp = true;
    // Each attempt looks the name up again, so a rotation address can lead
    // to another server. An answer for an attempt since closed is dropped.
    LookUpOnPool(lookUpHost, host,
                 [link = QPointer(this), attempt = stream, port](const QHostInfo &found) {
                     if (link && attempt == link->stream)
                         link->ConnectToAddress(found, LinkPort(port));
                 });
}

void TcpLink::ConnectToAddress(const QHostInfo &found, quint16 port) {
    lookingUp = false;
    const QList<QHostAddress> addresses = found.addresses();
    if (addresses.isEmpty()) {
        // In the socket's own words, as when it looked the name up itself.
        OnError(QAbstractSocket::HostNotFoundError, QAbstractSocket::tr("Host not found"));
        return;
    }
    failedAddresses.removeIf(
        [&](const QHostAddress &failed) { return !addresses.contains(failed); });
    auto untried = std::find_if(addresses.begin(), addresses.end(), [this](const QHostAddress &a) {
        return !failedAddresses.contains(a);
    });
    if (untried == addresses.end()) {
        failedAddresses.clear();
        untried = addresses.begin();
    }
    address = *untried;
    socket.connectToHost(address, port);
}

void TcpLink::Close() {
    const QScopedValueRollback guard(closing, true);
    ++stream;
    failing = false;
    lookingUp = false;
    address.clear();
    retryTimer.stop();
    socket.abort();
}

bool TcpLink::IsClosed() const {
    return socket.state() == QAbstractSocket::UnconnectedState && !lookingUp && !failing &&
           !retryTimer.isActive();
}

void TcpLink::SwitchOff() {
    Close();
    ShowTrouble({});
}

void TcpLink::StopReconnecting() {
    if (!retryTimer.isActive())
        return;
    retryTimer.stop();
    monitor.SetStatusLine(downStatus);
    ShowTrouble(downStatus);
}

void TcpLink::OnSocketConnected() {
    SetShortKeepalive(socket.socketDescriptor());
    ShowTrouble({});
}

void TcpLink::ShowTrouble(const TranslatableText &trouble) {
    monitor.SetLinkTrouble(Kind(), trouble);
}

void TcpLink::Fail(const LinkFailure &failure) {
    if (failing)
        return;
    failing = true;
    // Qt is still inside its own handling of the failed socket: a box's
    // event loop, or a link reopened from the dialog, must wait until it
    // has returned.
    QMetaObject::invokeMethod(
        this,
        [this, failure, failedStream = stream] {
            if (failedStream == stream)
                TellFailure(failure);
        },
        Qt::QueuedConnection);
}

void TcpLink::TellFailure(const LinkFailure &failure) {
    if (!address.isNull())
        failedAddresses.append(address);
    downStatus = failure.status;
    if (config.Reconnect) {
        Close();
        ScheduleReconnection();
        return;
    }
    monitor.SetStatusLine(downStatus);
    ShowTrouble(downStatus);
    if (failure.quiet) {
        Close();
        return;
    }
    prompts.ShowMessage(MessageIcon::Exclamation, failure.title, failure.text);
    Close();
    if (failure.disable)
        failure.disable();
    // The dialog may open the link again, so the failure is over by now.
    if (!prompts.IsSettingsDialogVisible())
        prompts.ShowSettingsDialogModal();
}

void TcpLink::ScheduleReconnection() {
    const auto &steps = timing.retrySteps;
    const auto step = steps.value(qMin<qsizetype>(retryStep, steps.size() - 1));
    if (retryStep < steps.size())
        ++retryStep;
    // A tenth either way, so many clients cut off at once do not return at once.
    const double jitter = 0.9 + 0.2 * QRandomGenerator::global()->generateDouble();
    const auto wait = std::chrono::milliseconds(qMax<qint64>(1, qint64(step.count() * jitter)));
    retryTimer.start(wait);
    const TranslatableText retry(staticMetaObject.className(),
                                 QT_TR_NOOP("Riconnessione a %1 tra %2"),
                                 {PeerName(), WaitText(std::chrono::milliseconds(step))});
    monitor.SetStatusLine(retry);
    // Why it is down, and when it tries again.
    ShowTrouble({staticMetaObject.className(), QT_TR_NOOP("%1 - %2"), {downStatus, retry}});
}

} // namespace anemora

#include "moc_tcp_link.cpp"
