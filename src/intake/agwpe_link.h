#pragma once

#include "config/wx_config.h"
#include "intake/agw_frame.h"
#include "platform/monitor_control.h"
#include "platform/prompts.h"

#include <QObject>
#include <QTcpSocket>

namespace anemora {

// The client connection to AGWPE: asks for monitored traffic, the version and
// the radio ports, and hands every received frame that carries data to the
// station pipeline. An error is reported once and disables the link; AGWPE
// closing the connection changes nothing.
class AgwpeLink : public QObject {
    Q_OBJECT
public:
    AgwpeLink(WxConfig &config, MonitorControl &monitor, Prompts &prompts,
              QObject *parent = nullptr);
    ~AgwpeLink() override;

    // Starts connecting to (AgwHost, AgwPort); the outcome arrives later.
    void OpenAgwLink();
    // Closes the connection; no link event follows.
    void Close();
    bool IsClosed() const;
    // Bytes of an unfinished frame held for the next read.
    qsizetype PendingFrameBytes() const { return frames.Pending(); }

    QTcpSocket agwpeSocket;

private slots:
    void OnConnected();
    void OnReadyRead();
    void OnError(QAbstractSocket::SocketError error);

private:
    void SendAgwRequest(char kind);
    void ReportFailure(const QString &description);

    WxConfig &config;
    MonitorControl &monitor;
    Prompts &prompts;
    AgwFrameAssembler frames;
    // Set while a failure is being reported: the box runs a nested event
    // loop, and a second error or more data of the failed stream must wait.
    bool failing = false;
};

} // namespace anemora
