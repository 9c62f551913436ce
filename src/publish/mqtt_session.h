// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "publish/mosquitto_library.h"
#include "publish/mqtt_messages.h"
#include "publish/mqtt_publisher.h"
#include "publish/mqtt_settings.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>

namespace anemora {

// One set of settings at work on a thread of its own: connect, publish, wait
// and connect again until stopped. Every libmosquitto call on the client is
// made on that thread, where a blocking name lookup or connection harms
// nobody; the publisher only hands over the latest state and hears back the
// status.
class MqttSession {
public:
    // The data-stopped alarm is published only while set (minutes above 0);
    // `retireDataStopped` takes it away where it was published before.
    MqttSession(const MosquittoLibrary &library, const MqttSettings &settings, const QString &call,
                const QString &certificateFolder, const QByteArray &latestState,
                int dataStoppedMinutes, bool dataStopped, bool retireDataStopped,
                MqttPublisher *owner, int number);
    ~MqttSession();
    MqttSession(const MqttSession &) = delete;
    MqttSession &operator=(const MqttSession &) = delete;

    // The client's work, on a thread of its own, until stopped.
    void Run();

    // The state to send now, or as soon as the broker is back; it replaces
    // any state not yet sent.
    void Offer(const QByteArray &state);
    // The same for the data-stopped alarm's state.
    void OfferDataStopped(bool on);
    // Forgets the owner at once; the thread says "offline", leaves the broker
    // and ends in its own time.
    void Stop();
    // True when the thread ended within `timeout`.
    bool WaitEnded(std::chrono::milliseconds timeout);

private:
    // What went wrong, kept with errno, which the next call may change.
    struct Failure {
        int code = 0;
        int systemError = 0;
    };

    int Configure(mosquitto *client);
    void KeepConnected(mosquitto *client);
    Failure Exchange(mosquitto *client);
    void OnConnack(mosquitto *client, int code);
    void SendDueState(mosquitto *client);
    void Leave(mosquitto *client);
    void Send(mosquitto *client, const QByteArray &topic, const QByteArray &payload);
    void Report(MqttPublisher::Status status, const std::optional<TranslatableText> &error);
    TranslatableText Describe(const char *what, const QString &detail) const;
    TranslatableText Describe(const char *what, Failure failure) const;
    void NoteLibraryError(const char *text);
    bool Stopping();
    void Wake();
    void WaitUnlessStopped(std::chrono::milliseconds wait);

    const MosquittoLibrary &library;
    const MqttSettings settings;
    const QByteArray host;
    const QByteArray user;
    const QByteArray password;
    const QByteArray certificateFolder;
    const QByteArray stateTopic;
    const QByteArray availabilityTopic;
    const QByteArray dataStoppedTopic;
    const bool dataStoppedSet;
    const QList<MqttMessage> discovery;
    const int number;
    int wakeDescriptor = -1;

    // Touched by the client's thread alone.
    bool online = false;
    std::optional<TranslatableText> refusal;
    // Why OpenSSL turned the broker down on this try (an unknown authority,
    // a name that does not match), as the library logs it.
    QString tlsReason;

    // Shared with the publisher, under the mutex.
    std::mutex mutex;
    std::condition_variable endedCondition;
    MqttPublisher *owner;
    QByteArray latestState;
    bool stateDue = false;
    QByteArray dataStopped;
    bool dataStoppedDue = false;
    bool stopping = false;
    bool ended = false;
};

} // namespace anemora
