// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "publish/mqtt_publisher.h"

#include "publish/mosquitto_library.h"
#include "publish/mqtt_messages.h"
#include "publish/mqtt_session.h"

#include <QDebug>

#include <algorithm>
#include <chrono>
#include <system_error>

namespace anemora {

MqttPublisher::MqttPublisher(const QString &certificateFolder, QObject *parent)
    : QObject(parent), certificateFolder(certificateFolder) {}

MqttPublisher::~MqttPublisher() {
    StopSession();
    // Long enough for a broker that answers; one that does not sends the will.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    for (Client &client : clients) {
        const auto left = std::max(std::chrono::steady_clock::duration::zero(),
                                   deadline - std::chrono::steady_clock::now());
        if (client.session->WaitEnded(std::chrono::duration_cast<std::chrono::milliseconds>(left)))
            client.thread.join();
        else
            // Held in a connection the system has not yet given up; it only
            // ends from there, touching nothing but its own session.
            client.thread.detach();
    }
}

void MqttPublisher::Apply(const MqttSettings &next, const QString &nextCall,
                          int nextDataStoppedMinutes) {
    if (next == settings && nextCall == call && nextDataStoppedMinutes == dataStoppedMinutes)
        return;
    // A state kept for one station is never published as another's.
    if (TopicSafeCall(nextCall) != TopicSafeCall(call))
        latestState.clear();
    settings = next;
    call = nextCall;
    dataStoppedMinutes = nextDataStoppedMinutes;
    dataStoppedEverSet = dataStoppedEverSet || dataStoppedMinutes > 0;
    StopSession();
    JoinEndedClients();
    ++sessionNumber;
    if (!settings.enabled) {
        SetStatus(sessionNumber, Status::Off, QString());
        return;
    }
    if (settings.host.trimmed().isEmpty() || TopicSafeCall(call).isEmpty()) {
        SetStatus(
            sessionNumber, Status::Off,
            TranslatableText(staticMetaObject.className(),
                             QT_TR_NOOP("MQTT: mancano l'indirizzo del broker o il nominativo")));
        return;
    }
    QString libraryError;
    const MosquittoLibrary *library = LoadMosquittoLibrary(libraryError);
    if (!library) {
        SetStatus(sessionNumber, Status::Off,
                  TranslatableText(staticMetaObject.className(),
                                   QT_TR_NOOP("MQTT: libreria libmosquitto non caricata (%1)"),
                                   {libraryError}));
        return;
    }
    session = std::make_shared<MqttSession>(
        *library, settings, call, certificateFolder, latestState, dataStoppedMinutes, dataStopped,
        dataStoppedEverSet && dataStoppedMinutes == 0, this, sessionNumber);
    SetStatus(sessionNumber, Status::Connecting, QString());
    try {
        // The thread keeps its session alive should it outlive the publisher.
        clients.push_back({session, std::thread([running = session] { running->Run(); })});
    } catch (const std::system_error &) {
        session.reset();
        SetStatus(sessionNumber, Status::Off,
                  TranslatableText(staticMetaObject.className(),
                                   QT_TR_NOOP("MQTT: il sistema non concede un thread al client")));
    }
}

void MqttPublisher::Publish(const StationLogRow &row) {
    latestState = StateJson(row);
    if (session)
        session->Offer(latestState);
}

void MqttPublisher::SetDataStopped(bool on) {
    dataStopped = on;
    if (session)
        session->OfferDataStopped(on);
}

QString MqttPublisher::StatusText() const {
    if (!error.IsEmpty())
        return error.Render();
    switch (currentStatus) {
    case Status::Off:
        break;
    case Status::Connecting:
        return tr("MQTT: collegamento al broker in corso");
    case Status::Online:
        return tr("MQTT: collegato al broker");
    }
    return tr("MQTT: pubblicazione spenta");
}

void MqttPublisher::SetStatus(int number, Status status,
                              const std::optional<TranslatableText> &newError) {
    // A report still on its way from a session already stopped.
    if (number != sessionNumber)
        return;
    bool changed = status != currentStatus;
    currentStatus = status;
    if (newError && newError->Render() != error.Render()) {
        error = *newError;
        changed = true;
        // Besides the dialog, a terminal or the journal tells why publishing
        // fails, once for each new error.
        if (!error.IsEmpty())
            qWarning().noquote() << error.Render();
    }
    if (changed)
        emit statusChanged();
}

void MqttPublisher::StopSession() {
    if (!session)
        return;
    session->Stop();
    session.reset();
}

// Sessions given up before are let go once ended, so a long run that changes
// its settings often holds no more than those still saying goodbye.
void MqttPublisher::JoinEndedClients() {
    clients.remove_if([](Client &client) {
        if (!client.session->WaitEnded(std::chrono::milliseconds(0)))
            return false;
        client.thread.join();
        return true;
    });
}

} // namespace anemora
