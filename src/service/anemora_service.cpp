// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "service/anemora_service.h"

#include "config/config_files.h"
#include "config/display_language.h"
#include "config/program_options.h"
#include "config/server_list.h"
#include "config/setup_accept.h"
#include "service/journal.h"

#include <QLocale>
#include <QTcpSocket>

#include <csignal>
#include <utility>
#include <variant>

namespace anemora {

namespace {

const std::array<QString, 2> LinkNames{QStringLiteral("AGWPE"), QStringLiteral("APRS-IS")};

} // namespace

AnemoraService::AnemoraService(const QString &appDir, ServiceOptions options, QObject *parent)
    : QObject(parent), session(*this, prompts, appDir, options.settingsDir, options.logDir),
      options(std::move(options)) {
    // The settings belong to whoever set the service up; it only reads them.
    session.startup.writesSettings = false;
    connect(&session.monitor, &StationMonitor::displayChanged, this,
            &AnemoraService::TellLinkTroubles);
    const std::array<QTcpSocket *, 2> sockets{&session.links.agw.socket,
                                              &session.links.aprs.socket};
    for (std::size_t link = 0; link < sockets.size(); ++link)
        connect(sockets[link], &QTcpSocket::connected, this, [this, link, sockets] {
            WriteJournalLine(JournalPriority::Notice,
                             tr("%1: connesso a %2 porta %3")
                                 .arg(LinkNames[link], sockets[link]->peerName(),
                                      QString::number(sockets[link]->peerPort())));
        });
    for (QTcpSocket *socket : sockets)
        connect(socket, &QTcpSocket::stateChanged, this, &AnemoraService::TellStatus);
    connect(&session.monitor, &StationMonitor::reportDecoded, this, [this] {
        lastReport = QDateTime::currentDateTime();
        TellStatus();
        if (std::exchange(reportSeen, true))
            return;
        WriteJournalLine(JournalPriority::Info,
                         tr("Primo rapporto di %1").arg(session.config.StationCall));
    });
    connect(&session.monitor, &StationMonitor::dataStoppedChanged, this,
            &AnemoraService::TellDataStopped);
    connect(&session.publisher, &MqttPublisher::statusChanged, this,
            &AnemoraService::TellPublisherStatus);
    connect(&terminationSignals, &TerminationSignals::received, this, &AnemoraService::OnSignal);
}

bool AnemoraService::Start() {
    // The journal speaks the language Anemora.ini chooses from its first
    // line on, as the link texts it passes on do.
    ReadProgramOptions(session.config, ConfigFilePathsIn(options.settingsDir).OptionsPath);
    ApplyLanguage(session.config.Language);
    if (!options.badOption.isEmpty()) {
        WriteJournalLine(JournalPriority::Error,
                         tr("Opzione non valida: %1 (si scrive --config CARTELLA o --log CARTELLA)")
                             .arg(options.badOption));
        return false;
    }
    WriteJournalLine(
        JournalPriority::Notice,
        tr("Avvio: impostazioni in %1, registro in %2").arg(options.settingsDir, options.logDir));
    session.Start(options.commandLine);
    ReadSettings();
    systemd.Ready();
    TellStatus();
    return true;
}

void AnemoraService::ReadSettings() {
    // Nobody is there to click a box: a link that fails always tries again.
    session.config.Reconnect = true;
    session.FollowSettings();
}

namespace {

// The files are read into a record of their own with no link touched:
// applying that record decides what opens and closes.
class LinksLeftAlone : public LinkControl {
public:
    void OpenAgwLink() override {}
    void CloseAgwLink() override {}
    bool IsAgwLinkClosed() const override { return true; }
    void OpenAprsLink() override {}
    void CloseAprsLink() override {}
    bool IsAprsLinkClosed() const override { return true; }
    void StopReconnecting() override {}
};

} // namespace

void AnemoraService::ReadSettingsAgain() {
    WriteJournalLine(JournalPriority::Notice, tr("Rilettura delle impostazioni"));
    WxConfig read;
    LinksLeftAlone noLinks;
    Startup reading(read, session.monitor, noLinks, prompts, options.settingsDir);
    reading.writesSettings = false;
    reading.Run(options.commandLine);
    read.Reconnect = true;
    // Applied as the dialog's Conferma applies its form, so a link whose
    // settings did not change keeps its connection. The service never adds
    // to the server list: the server the files name is the form's only
    // entry, and counts as another one exactly when it is not the one in use.
    const QLocale locale = QLocale::c();
    SetupFields fields = LoadSetupFields(read, locale);
    fields.serverItems = {ServerKey(read.AprsHost, read.AprsPort)};
    fields.serverPosition = 0;
    const auto numbers = ReadSetupNumbers(fields, locale, read.Units, read);
    if (const auto *refusal = std::get_if<SetupRefusal>(&numbers)) {
        WriteJournalLine(JournalPriority::Error, refusal->message);
        return;
    }
    const qint16 listIndex = read.ServerIndex;
    WxConfig &config = session.config;
    config.ServerIndex =
        ServerKey(config.AprsHost, config.AprsPort) == fields.serverItems[0] ? 0 : NoServerIndex;
    ApplySetup(fields, std::get<SetupNumbers>(numbers),
               {config, session.links, session.monitor, prompts});
    config.ServerIndex = listIndex;
    if (config.CallChanged.value_or(false))
        reportSeen = false;
    ReadSettings();
}

void AnemoraService::TellLinkTroubles() {
    for (std::size_t link = 0; link < toldTroubles.size(); ++link) {
        const QString &trouble = session.monitor.model.linkTrouble[link];
        if (trouble == toldTroubles[link])
            continue;
        toldTroubles[link] = trouble;
        if (!trouble.isEmpty())
            WriteJournalLine(JournalPriority::Warning, trouble);
    }
}

// The publisher itself warns of each new error, and the warning reaches the
// journal; the service adds when publishing works again.
void AnemoraService::TellPublisherStatus() {
    if (session.publisher.status() != MqttPublisher::Status::Online) {
        mqttFailed = mqttFailed || !session.publisher.lastError().isEmpty();
        return;
    }
    if (std::exchange(mqttFailed, false))
        WriteJournalLine(JournalPriority::Notice, tr("MQTT: pubblicazione ripresa"));
}

void AnemoraService::TellDataStopped(bool on) {
    if (on)
        WriteJournalLine(JournalPriority::Warning,
                         tr("Nessun dato da %1 da %2 minuti")
                             .arg(session.config.StationCall,
                                  QString::number(session.config.DataStoppedMinutes)));
    else
        WriteJournalLine(JournalPriority::Notice,
                         tr("Di nuovo dati da %1").arg(session.config.StationCall));
}

void AnemoraService::OnSignal(int signalNumber) {
    if (signalNumber == SIGHUP) {
        ReadSettingsAgain();
        return;
    }
    systemd.Stopping();
    session.Unload();
    WriteJournalLine(JournalPriority::Notice, tr("Fermato"));
    emit ended();
}

void AnemoraService::TellStatus() {
    const auto state = [](const QTcpSocket &socket) {
        switch (socket.state()) {
        case QAbstractSocket::ConnectedState:
            return tr("connesso");
        case QAbstractSocket::UnconnectedState:
            return tr("fuori linea");
        default:
            return tr("in connessione");
        }
    };
    QStringList parts;
    if (session.config.AgwEnabled)
        parts += LinkNames[0] + QLatin1Char(' ') + state(session.links.agw.socket);
    if (session.config.AprsEnabled)
        parts += LinkNames[1] + QLatin1Char(' ') + state(session.links.aprs.socket);
    parts += lastReport.isValid() ? tr("ultimo rapporto %1").arg(lastReport.toString(Qt::ISODate))
                                  : tr("nessun rapporto finora");
    systemd.SetStatus(session.config.StationCall + QStringLiteral(": ") +
                      parts.join(QStringLiteral(", ")));
}

} // namespace anemora

#include "moc_anemora_service.cpp"
