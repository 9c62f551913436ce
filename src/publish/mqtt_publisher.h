// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "history/station_log_row.h"
#include "platform/translatable_text.h"
#include "publish/mqtt_settings.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <list>
#include <memory>
#include <optional>
#include <thread>

namespace anemora {

class MqttSession;

// The system's certificate authorities, as Debian's ca-certificates keeps them.
inline const QString SystemCertificateFolder = QStringLiteral("/etc/ssl/certs");

// Publishes the station's reports to an MQTT broker, with Home Assistant's
// discovery configs, an availability topic and "offline" as the last will.
// The client runs on a thread of its own, so nothing here waits on the
// broker or on name lookups; a broker that is away is retried after 1 s,
// 2 s, 4 s... up to a minute. With publishing off no MQTT library call is made.
class MqttPublisher : public QObject {
    Q_OBJECT
public:
    enum class Status { Off, Connecting, Online };

    // A broker on TLS must show a certificate that an authority in
    // `certificateFolder` signed (a folder as `openssl rehash` leaves it).
    explicit MqttPublisher(const QString &certificateFolder = SystemCertificateFolder,
                           QObject *parent = nullptr);
    // Says "offline" and leaves the broker. Waits at most a second, all told,
    // for every client thread this publisher started to end, those of
    // settings given up before included, so none runs on after the program.
    ~MqttPublisher() override;

    // Starts, restarts or stops publishing the station `call`, with the
    // data-stopped alarm's minutes (0: off) for the discovery configs; the
    // same settings again change nothing.
    void Apply(const MqttSettings &settings, const QString &call, int dataStoppedMinutes = 0);

    // Sends the report as the station's state at once when online; while
    // the broker is away only the latest report is kept, for when it is back.
    void Publish(const StationLogRow &row);
    // The data-stopped alarm went on or off; published, retained, while the
    // alarm is set.
    void SetDataStopped(bool on);

    Status status() const { return currentStatus; }
    // Why publishing failed last, for the settings dialog; empty while all is
    // well. It never holds the password.
    QString lastError() const { return error.Render(); }
    // The last error, or else the status, in words of the language now in
    // force.
    QString StatusText() const;

signals:
    void statusChanged();

private:
    friend class MqttSession;
    void SetStatus(int session, Status status, const std::optional<TranslatableText> &newError);
    void StopSession();
    void JoinEndedClients();

    // A session and the thread it runs on, kept until the thread is joined.
    struct Client {
        std::shared_ptr<MqttSession> session;
        std::thread thread;
    };

    const QString certificateFolder;
    MqttSettings settings;
    QString call;
    int dataStoppedMinutes = 0;
    // Set at some time in this run: once off, its sensor is taken away.
    bool dataStoppedEverSet = false;
    bool dataStopped = false;
    QByteArray latestState;
    std::shared_ptr<MqttSession> session;
    std::list<Client> clients;
    int sessionNumber = 0;
    Status currentStatus = Status::Off;
    TranslatableText error;
};

} // namespace anemora
