// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "publish/mqtt_session.h"

#include <QMetaObject>

#include <algorithm>
#include <cerrno>

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace anemora {

namespace {

using namespace std::chrono_literals;

constexpr int KeepAliveSeconds = 60;
constexpr auto FirstWait = 1s;
constexpr auto LongestWait = 60s;
// The longest the client sleeps without looking after the connection's
// keepalive or a stop that found no wake-up descriptor.
constexpr int PollSliceMs = 1000;
constexpr auto LeaveWithin = 1s;
// A library log line is short; one that is not is cut before it is kept.
constexpr qsizetype MaxLibraryLine = 512;

} // namespace

MqttSession::MqttSession(const MosquittoLibrary &library, const MqttSettings &settings,
                         const QString &call, const QString &certificateFolder,
                         const QByteArray &latestState, int dataStoppedMinutes, bool dataStopped,
                         bool retireDataStopped, MqttPublisher *owner, int number)
    : library(library), settings(settings), host(settings.host.toUtf8()),
      user(settings.user.toUtf8()), password(settings.password.toUtf8()),
      certificateFolder(certificateFolder.toUtf8()), stateTopic(StateTopic(call)),
      availabilityTopic(AvailabilityTopic(call)), dataStoppedTopic(DataStoppedTopic(call)),
      dataStoppedSet(dataStoppedMinutes > 0),
      discovery(DiscoveryMessages(call, dataStoppedMinutes) +
                (retireDataStopped ? DataStoppedRemovals(call) : QList<MqttMessage>())),
      number(number), wakeDescriptor(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)), owner(owner),
      latestState(latestState), dataStopped(DataStoppedPayload(dataStopped)) {}

MqttSession::~MqttSession() {
    if (wakeDescriptor >= 0)
        close(wakeDescriptor);
}

void MqttSession::Offer(const QByteArray &state) {
    {
        const std::lock_guard lock(mutex);
        latestState = state;
        stateDue = true;
    }
    Wake();
}

void MqttSession::OfferDataStopped(bool on) {
    if (!dataStoppedSet)
        return;
    {
        const std::lock_guard lock(mutex);
        dataStopped = DataStoppedPayload(on);
        dataStoppedDue = true;
    }
    Wake();
}

void MqttSession::Stop() {
    {
        const std::lock_guard lock(mutex);
        owner = nullptr;
        stopping = true;
    }
    Wake();
}

bool MqttSession::WaitEnded(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex);
    return endedCondition.wait_for(lock, timeout, [this] { return ended; });
}

void MqttSession::Run() {
    mosquitto *client = library.create(nullptr, true, this);
    const int setup = client ? Configure(client) : MOSQ_ERR_NOMEM;
    if (setup == MOSQ_ERR_SUCCESS)
        KeepConnected(client);
    else if (!Stopping())
        Report(MqttPublisher::Status::Off,
               Describe(QT_TRANSLATE_NOOP("anemora::MqttPublisher", "client non avviato"),
                        Failure{setup, errno}));
    if (client)
        library.destroy(client);
    {
        const std::lock_guard lock(mutex);
        ended = true;
    }
    endedCondition.notify_all();
}

int MqttSession::Configure(mosquitto *client) {
    library.connect_callback_set(client, [](mosquitto *client, void *session, int code) {
        static_cast<MqttSession *>(session)->OnConnack(client, code);
    });
    library.log_callback_set(client, [](mosquitto *, void *session, int level, const char *text) {
        if (level == MOSQ_LOG_ERR)
            static_cast<MqttSession *>(session)->NoteLibraryError(text);
    });
    int result =
        library.will_set(client, availabilityTopic.constData(), int(AvailabilityOffline.size()),
                         AvailabilityOffline.constData(), 0, true);
    if (result == MOSQ_ERR_SUCCESS && !user.isEmpty())
        result = library.username_pw_set(client, user.constData(),
                                         password.isEmpty() ? nullptr : password.constData());
    if (result == MOSQ_ERR_SUCCESS && settings.tls)
        result = library.tls_set(client, nullptr, certificateFolder.constData(), nullptr, nullptr,
                                 nullptr);
    return result;
}

void MqttSession::KeepConnected(mosquitto *client) {
    auto wait = FirstWait;
    while (!Stopping()) {
        Report(MqttPublisher::Status::Connecting, std::nullopt);
        online = false;
        refusal.reset();
        tlsReason.clear();
        Failure failure{library.connect(client, host.constData(), settings.port, KeepAliveSeconds),
                        errno};
        const bool connected = failure.code == MOSQ_ERR_SUCCESS;
        if (connected)
            failure = Exchange(client);
        // Stopped, it may be the program's end: nothing more is reported
        // once the publisher is gone.
        if (Stopping())
            break;
        // A TLS handshake turned down is a connection that did not get through.
        const char *what =
            online ? QT_TRANSLATE_NOOP("anemora::MqttPublisher", "connessione persa")
            : connected && failure.code != MOSQ_ERR_TLS
                ? QT_TRANSLATE_NOOP("anemora::MqttPublisher", "nessuna risposta dal broker")
                : QT_TRANSLATE_NOOP("anemora::MqttPublisher", "connessione non riuscita");
        Report(MqttPublisher::Status::Connecting, refusal ? *refusal : Describe(what, failure));
        // A connection that got through starts the waits again.
        if (online)
            wait = FirstWait;
        WaitUnlessStopped(wait);
        wait = std::min<std::chrono::seconds>(wait * 2, LongestWait);
    }
    Leave(client);
}

// Serves one connection until it fails, the broker refuses the login or the
// session is stopped.
MqttSession::Failure MqttSession::Exchange(mosquitto *client) {
    while (!Stopping() && !refusal) {
        SendDueState(client);
        const short events = short(POLLIN | (library.want_write(client) ? POLLOUT : 0));
        pollfd watched[2] = {{library.socket(client), events, 0}, {wakeDescriptor, POLLIN, 0}};
        if (poll(watched, 2, PollSliceMs) < 0 && errno != EINTR)
            return {MOSQ_ERR_ERRNO, errno};
        eventfd_t ignored = 0;
        if (watched[1].revents & POLLIN)
            eventfd_read(wakeDescriptor, &ignored);
        int result = MOSQ_ERR_SUCCESS;
        if (watched[0].revents & (POLLIN | POLLHUP | POLLERR))
            result = library.loop_read(client, 1);
        if (result == MOSQ_ERR_SUCCESS && (watched[0].revents & POLLOUT))
            result = library.loop_write(client, 1);
        if (result == MOSQ_ERR_SUCCESS)
            result = library.loop_misc(client);
        if (result != MOSQ_ERR_SUCCESS)
            return {result, errno};
    }
    return {};
}

void MqttSession::OnConnack(mosquitto *client, int code) {
    if (code != 0) {
        refusal = Describe(QT_TRANSLATE_NOOP("anemora::MqttPublisher", "accesso rifiutato"),
                           QString::fromUtf8(library.connack_string(code)));
        return;
    }
    online = true;
    for (const MqttMessage &message : discovery)
        Send(client, message.topic, message.payload);
    Send(client, availabilityTopic, AvailabilityOnline);
    {
        const std::lock_guard lock(mutex);
        stateDue = !latestState.isEmpty();
        dataStoppedDue = dataStoppedSet;
    }
    Report(MqttPublisher::Status::Online, QString());
}

void MqttSession::SendDueState(mosquitto *client) {
    QByteArray state;
    QByteArray stopped;
    {
        const std::lock_guard lock(mutex);
        if (!online)
            return;
        if (stateDue)
            state = latestState;
        if (dataStoppedDue)
            stopped = dataStopped;
        stateDue = dataStoppedDue = false;
    }
    if (!state.isEmpty())
        Send(client, stateTopic, state);
    if (!stopped.isEmpty())
        Send(client, dataStoppedTopic, stopped);
}

// A clean goodbye: the broker drops the last will on a DISCONNECT, so the
// availability is set by hand first. A broker that takes nothing within the
// second is left to send the will itself once the socket closes.
void MqttSession::Leave(mosquitto *client) {
    if (online)
        Send(client, availabilityTopic, AvailabilityOffline);
    library.disconnect(client);
    const auto deadline = std::chrono::steady_clock::now() + LeaveWithin;
    while (library.socket(client) >= 0 && library.want_write(client) &&
           std::chrono::steady_clock::now() < deadline) {
        pollfd socket{library.socket(client), POLLOUT, 0};
        poll(&socket, 1, 100);
        if (library.loop_write(client, 1) != MOSQ_ERR_SUCCESS)
            break;
    }
}

// Retained and at most once: a lost message is replaced by the next
// connection's full set, so nothing waits in the library for an answer.
void MqttSession::Send(mosquitto *client, const QByteArray &topic, const QByteArray &payload) {
    library.publish(client, nullptr, topic.constData(), int(payload.size()), payload.constData(), 0,
                    true);
}

// The texts go to the program's thread untranslated, where they are put into
// words in the language of the moment.
void MqttSession::Report(MqttPublisher::Status status,
                         const std::optional<TranslatableText> &error) {
    const std::lock_guard lock(mutex);
    if (!owner)
        return;
    QMetaObject::invokeMethod(
        owner,
        [owner = owner, number = number, status, error] {
            owner->SetStatus(number, status, error);
        },
        Qt::QueuedConnection);
}

TranslatableText MqttSession::Describe(const char *what, const QString &detail) const {
    const char *context = MqttPublisher::staticMetaObject.className();
    return {
        context,
        QT_TRANSLATE_NOOP("anemora::MqttPublisher", "MQTT %1:%2: %3 (%4)"),
        {settings.host, QString::number(settings.port), TranslatableText(context, what), detail}};
}

TranslatableText MqttSession::Describe(const char *what, Failure failure) const {
    if (failure.code == MOSQ_ERR_TLS && !tlsReason.isEmpty())
        return Describe(what, tlsReason);
    return Describe(what, failure.code == MOSQ_ERR_ERRNO
                              ? qt_error_string(failure.systemError)
                              : QString::fromUtf8(library.strerror(failure.code)));
}

// "OpenSSL Error[0]: error:0A000086:SSL routines::certificate verify failed":
// the reason is the last field.
void MqttSession::NoteLibraryError(const char *text) {
    const QString line = QString::fromUtf8(text).left(MaxLibraryLine);
    if (line.startsWith(QLatin1String("OpenSSL Error")))
        tlsReason = line.section(QLatin1Char(':'), -1).trimmed();
}

bool MqttSession::Stopping() {
    const std::lock_guard lock(mutex);
    return stopping;
}

void MqttSession::Wake() {
    if (wakeDescriptor >= 0)
        eventfd_write(wakeDescriptor, 1);
}

void MqttSession::WaitUnlessStopped(std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (!Stopping()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return;
        pollfd wake{wakeDescriptor, POLLIN, 0};
        if (poll(&wake, 1, int(std::min<qint64>(left.count(), PollSliceMs))) > 0) {
            eventfd_t ignored = 0;
            eventfd_read(wakeDescriptor, &ignored);
        }
    }
}

} // namespace anemora
