// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The AGWPE link against a real AGWPE server: direwolf hears a weather
// packet of the station and one of another station, and only the station's
// report may reach the display. Runs inside in_private_network.sh.
#include "common/fakes.h"
#include "common/loopback.h"
#include "common/settings.h"
#include "direwolf_peer.h"
#include "monitor/station_monitor.h"

#include "intake/agwpe_link.h"

#include <QDir>
#include <QNetworkInterface>
#include <QSignalSpy>
#include <QTest>

using namespace anemora;
using namespace anemora::test;

namespace {

const QString StationReport = QStringLiteral("_12071205c220s004g005t077r000p000P000h50b09900");
const QString OtherReport = QStringLiteral("_12071205c180s010g015t050r000p000P000h80b10100");

// direwolf reads a new client's requests up to a second late, and only the
// packets it hears after its monitor toggle reach the client.
constexpr int PeerTimeoutMs = 20000;

} // namespace

class PeerDirewolf : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // direwolf binds every interface: refuse to run where more than loopback
        // could reach it.
        for (const QNetworkInterface &nic : QNetworkInterface::allInterfaces()) {
            const bool up = nic.flags().testFlag(QNetworkInterface::IsUp);
            QVERIFY2(!up || nic.flags().testFlag(QNetworkInterface::IsLoopBack),
                     qPrintable(QStringLiteral("interface %1 is up; run in_private_network.sh")
                                    .arg(nic.name())));
        }
        QString error;
        packetsAudio = DirewolfPeer::PacketAudio(
            {QStringLiteral("Q1ABC-1>APRS,WIDE1-1:") + OtherReport,
             TestStation + QStringLiteral(">APRS,WIDE1-1:") + StationReport},
            &error);
        QVERIFY2(!packetsAudio.isEmpty(), qPrintable(error));
    }

    void stationReportReachesDisplay() {
        const quint16 port = FreePortBelow32768();
        QVERIFY(port != 0);
        DirewolfPeer peer;
        QVERIFY2(peer.start(port), qPrintable(peer.output()));

        WxConfig config = Settings().Agw("127.0.0.1", qint16(port));
        FakeNotifications notifications;
        FakePrompts prompts;
        StationMonitor monitor(config, notifications, QDir::tempPath());
        QStringList payloadsSeen;
        connect(&monitor, &StationMonitor::displayChanged, this, [&] {
            if (!monitor.model.rxRows.isEmpty() &&
                !payloadsSeen.contains(monitor.model.rxRows.last()))
                payloadsSeen += monitor.model.rxRows.last();
        });

        AgwpeLink link(config, monitor, prompts);
        link.Open();
        // The version reply follows the monitor request, so once it is shown
        // direwolf forwards what it hears.
        QTRY_COMPARE_WITH_TIMEOUT(monitor.model.comment,
                                  QStringLiteral("Anemora connesso a AGWPE v2005.127"),
                                  PeerTimeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(monitor.model.rain.text, QStringLiteral("Porte Radio : 1"),
                                  PeerTimeoutMs);

        peer.feed(packetsAudio + DirewolfPeer::Silence(1000));
        QTRY_VERIFY2_WITH_TIMEOUT(payloadsSeen.contains(StationReport), qPrintable(peer.output()),
                                  PeerTimeoutMs);

        // Both packets were heard and shown in the Rx window...
        QCOMPARE(payloadsSeen, QStringList({OtherReport, StationReport}));
        QCOMPARE(monitor.model.rxRows.size(), 2);
        QVERIFY2(monitor.model.rxRows.first().startsWith(
                     QLatin1String("1: Q1ABC-13 To APRS Via WIDE1-1 <UI")),
                 qPrintable(monitor.model.rxRows.first()));
        // ...but only the station's went to the history and the decoder.
        QVERIFY(monitor.model.history.contains(StationReport));
        QVERIFY(!monitor.model.history.contains(OtherReport));
        QVERIFY(!monitor.acceptNextReport);
        QVERIFY(monitor.haveLastValues);
        QCOMPARE(monitor.model.minutes, QStringLiteral("00"));
        QVERIFY(monitor.model.compass.drawn);
        QCOMPARE(monitor.model.compass.direction, qint16(220));
        QCOMPARE(prompts.shownTexts(), QStringList());
        QVERIFY(config.AgwEnabled);

        link.Close();
        peer.stop();
    }

private:
    QByteArray packetsAudio;
};

QTEST_GUILESS_MAIN(PeerDirewolf)
#include "peer_direwolf.moc"
