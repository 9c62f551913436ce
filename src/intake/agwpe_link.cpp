#include "intake/agwpe_link.h"

#include "intake/link_port.h"

#include <QScopedValueRollback>

namespace anemora {

namespace {

// The socket reads no further ahead than this. While a failure's box is up
// nothing is taken from it, and a peer that goes on sending must not fill
// memory meanwhile.
constexpr qint64 MaxUnreadBytes = 256 * 1024;

} // namespace

AgwpeLink::AgwpeLink(WxConfig &config, MonitorControl &monitor, Prompts &prompts, QObject *parent)
    : QObject(parent), config(config), monitor(monitor), prompts(prompts) {
    agwpeSocket.setReadBufferSize(MaxUnreadBytes);
    connect(&agwpeSocket, &QTcpSocket::connected, this, &AgwpeLink::OnConnected);
    connect(&agwpeSocket, &QTcpSocket::readyRead, this, &AgwpeLink::OnReadyRead);
    connect(&agwpeSocket, &QTcpSocket::errorOccurred, this, &AgwpeLink::OnError);
}

// A socket destroyed while connected closes itself and signals it; by then
// this object is half gone, so the socket is made quiet and closed first.
AgwpeLink::~AgwpeLink() {
    disconnect(&agwpeSocket, nullptr, this, nullptr);
    agwpeSocket.abort();
}

void AgwpeLink::OpenAgwLink() {
    Close();
    agwpeSocket.connectToHost(config.AgwHost, LinkPort(config.AgwPort));
}

void AgwpeLink::Close() {
    agwpeSocket.abort();
}

bool AgwpeLink::IsClosed() const {
    return agwpeSocket.state() == QAbstractSocket::UnconnectedState;
}

void AgwpeLink::SendAgwRequest(char kind) {
    agwpeSocket.write(AgwRequest(kind));
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
    const AgwFrameAssembler::Result result = frames.Feed(agwpeSocket.readAll());
    for (const QByteArray &frame : result.frames) {
        const int dataLen = AgwDataLen(frame, 0);
        if (dataLen > 0)
            monitor.HandleAgwFrame(frame, 0, dataLen);
    }
    if (result.badLength)
        ReportFailure(QStringLiteral("Invalid AGWPE frame: %1 data bytes announced, at most %2 "
                                     "expected")
                          .arg(result.dataLen)
                          .arg(MaxAgwDataLen));
}

void AgwpeLink::OnError(QAbstractSocket::SocketError error) {
    // AGWPE ending the connection is not a failure here: nothing is shown.
    if (error == QAbstractSocket::RemoteHostClosedError)
        return;
    ReportFailure(agwpeSocket.errorString());
}

void AgwpeLink::ReportFailure(const QString &description) {
    if (failing)
        return;
    {
        const QScopedValueRollback guard(failing, true);
        prompts.ShowMessage(MessageIcon::Exclamation,
                            QStringLiteral("Errore collegamento con AGWPE [") + config.StationCall +
                                u']',
                            description);
        Close();
        config.AgwEnabled = false;
    }
    // The dialog may open the link again, so the failure is over by now.
    if (!prompts.IsSettingsDialogVisible())
        prompts.ShowSettingsDialogModal();
}

} // namespace anemora

#include "moc_agwpe_link.cpp"
