#include "intake/aprs_is_link.h"

#include "intake/link_port.h"

#include <QScopedValueRollback>

namespace anemora {

namespace {

// The socket reads no further ahead than this. While a failure's box is up
// nothing is taken from it, and a peer that goes on sending must not fill
// memory meanwhile.
constexpr qint64 MaxUnreadBytes = 256 * 1024;

} // namespace

AprsIsLink::AprsIsLink(WxConfig &config, MonitorControl &monitor, Prompts &prompts, QObject *parent)
    : QObject(parent), config(config), monitor(monitor), prompts(prompts) {
    aprsIsSocket.setReadBufferSize(MaxUnreadBytes);
    connect(&aprsIsSocket, &QTcpSocket::connected, this, &AprsIsLink::OnConnected);
    connect(&aprsIsSocket, &QTcpSocket::readyRead, this, &AprsIsLink::OnReadyRead);
    connect(&aprsIsSocket, &QTcpSocket::disconnected, this, &AprsIsLink::OnDisconnected);
    connect(&aprsIsSocket, &QTcpSocket::errorOccurred, this, &AprsIsLink::OnError);
}

// A socket destroyed while connected closes itself and signals it; by then
// this object is half gone, so the socket is made quiet and closed first.
AprsIsLink::~AprsIsLink() {
    disconnect(&aprsIsSocket, nullptr, this, nullptr);
    aprsIsSocket.abort();
}

void AprsIsLink::OpenAprsLink() {
    Close();
    aprsIsSocket.connectToHost(config.AprsHost, LinkPort(config.AprsPort));
}

void AprsIsLink::Close() {
    const QScopedValueRollback guard(closing, true);
    aprsIsSocket.abort();
}

bool AprsIsLink::IsClosed() const {
    return aprsIsSocket.state() == QAbstractSocket::UnconnectedState;
}

void AprsIsLink::OnConnected() {
    monitor.ClearData(config.StationCall + QStringLiteral(" Wx Station"));
    const QString login =
        QStringLiteral("user QRVSWL pass -1 vers anemora v7 filter p/") + config.StationCall;
    aprsIsSocket.write(login.toLatin1() + "\r\n");
    monitor.SetStatusLine(QStringLiteral("Anemora connected to ") + config.AprsHost);
}

void AprsIsLink::OnReadyRead() {
    if (failing)
        return;
    const QStringList complete = lines.Feed(QString::fromLatin1(aprsIsSocket.readAll()));
    for (const QString &line : complete)
        monitor.HandleAprsLine(line);
}

void AprsIsLink::OnDisconnected() {
    if (closing)
        return;
    ReportFailure(QStringLiteral("Chiusura collegamento TCP [") + config.StationCall + u']',
                  QStringLiteral("Il server ") + config.AprsHost +
                      QStringLiteral(" ha chiuso la connessione"),
                  true);
}

void AprsIsLink::OnError(QAbstractSocket::SocketError error) {
    // The server's close is reported by OnDisconnected, which follows.
    if (error == QAbstractSocket::RemoteHostClosedError)
        return;
    ReportFailure(QStringLiteral("Errore collegamento TCP [") + config.StationCall + u']',
                  aprsIsSocket.errorString(), false);
}

void AprsIsLink::ReportFailure(const QString &title, const QString &text, bool closedByServer) {
    if (failing)
        return;
    {
        const QScopedValueRollback guard(failing, true);
        prompts.ShowMessage(MessageIcon::Exclamation, title, text);
        Close();
        config.AprsEnabled = false;
        if (closedByServer)
            config.AprsActive = false;
    }
    // The dialog may open the link again, so the failure is over by now.
    if (!prompts.IsSettingsDialogVisible())
        prompts.ShowSettingsDialogModal();
}

} // namespace anemora

#include "moc_aprs_is_link.cpp"
