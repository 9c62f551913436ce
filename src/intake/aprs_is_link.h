#pragma once

#include "config/wx_config.h"
#include "intake/aprs_line_assembler.h"
#include "platform/monitor_control.h"
#include "platform/prompts.h"

#include <QObject>
#include <QTcpSocket>

namespace anemora {

// The receive-only client connection to an APRS-IS server: logs in with a
// filter for the station, cuts the stream into lines for the station
// pipeline, and on a close by the server or an error tells the user once,
// disables the link and offers the settings dialog.
class AprsIsLink : public QObject {
    Q_OBJECT
public:
    AprsIsLink(WxConfig &config, MonitorControl &monitor, Prompts &prompts,
               QObject *parent = nullptr);
    ~AprsIsLink() override;

    // Starts connecting to (AprsHost, AprsPort); the outcome arrives later.
    void OpenAprsLink();
    // Closes the connection; no link event follows.
    void Close();
    bool IsClosed() const;

    // The text received after the last LF, kept across connections.
    const QString &AprsRxBuffer() const { return lines.Pending(); }

    QTcpSocket aprsIsSocket;

private slots:
    void OnConnected();
    void OnReadyRead();
    void OnDisconnected();
    void OnError(QAbstractSocket::SocketError error);

private:
    // Box, close, flags and dialog; `closedByServer` also clears AprsActive.
    void ReportFailure(const QString &title, const QString &text, bool closedByServer);

    WxConfig &config;
    MonitorControl &monitor;
    Prompts &prompts;
    AprsLineAssembler lines;
    // Set while the program itself closes the socket, so the close it
    // causes is not taken for one by the server.
    bool closing = false;
    // Set while a failure is being reported: the box runs a nested event
    // loop, in which the close that follows an error must not be reported
    // again nor more data of the failed stream handled.
    bool failing = false;
};

} // namespace anemora
