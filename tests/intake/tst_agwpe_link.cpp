// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/agw_frames.h"
#include "common/files.h"
#include "common/link_harness.h"
#include "common/loopback.h"
#include "common/settings.h"
#include "config/display_language.h"
#include "intake/agw_frame.h"
#include "intake/agwpe_link.h"
#include "monitor/station_monitor.h"

#include <QTest>

#include <memory>

using namespace anemora;
using namespace anemora::test;

namespace {

QByteArray RealStream() {
    return ReadBytes(ANEMORA_TEST_DATA_DIR "/agwpe/direwolf-1.6-R-G-3U.bin");
}

// What the main window would show, field by field.
QStringList Snapshot(const StationMonitor &monitor) {
    const DisplayModel &m = monitor.model;
    return QStringList{m.caption,       m.trayTip,           m.wind.text, m.temperature.text,
                       m.humidity.text, m.pressure.text,     m.rain.text, m.comment,
                       m.minutes,       m.rxRows.join(u'|'), m.history}
           << QString::number(m.compass.drawn) << QString::number(m.compass.direction)
           << QString::number(monitor.acceptNextReport);
}

} // namespace

class TestAgwpeLink : public QObject, public LinkHarness<AgwpeLink> {
    Q_OBJECT
private slots:
    void init() {
        QVERIFY(Listen());
        Setup();
    }

    void cleanup() { Stop(); }

    void requestsOnConnect() {
        QVERIFY(Connect() && ReadRequests());
        QCOMPARE(requests, AgwHeader('m', "", 0) + AgwHeader('R', "", 0) + AgwHeader('G', "", 0));
        QCOMPARE(monitor->model.caption, QStringLiteral("Q1ABC-13 Wx Station"));
        // The connection shows only when the version reply arrives.
        QCOMPARE(monitor->model.comment, QString());
    }

    void framesAcrossReads_data() {
        QTest::addColumn<QList<QByteArray>>("writes");
        QTest::addColumn<QString>("comment");
        QTest::addColumn<QString>("rain");

        const QByteArray version = AgwFrame('R', "", QByteArray::fromHex("0700000005000000"));
        const QByteArray ports = AgwFrame('G', "", "3;Port1");
        const QByteArray empty = AgwFrame('m', "", {});
        const QString versionShown = QStringLiteral("Anemora connesso a AGWPE v7.5");
        const QString portsShown = QStringLiteral("Porte Radio : 3");
        QList<QByteArray> bytes;
        for (const char byte : version + ports)
            bytes.append(QByteArray(1, byte));

        // clang-format off
        QTest::newRow("20 bytes, then 56 more") << QList<QByteArray>{version.first(20), version.sliced(20) + ports.first(12)} << versionShown << "";
        QTest::newRow("header, then its data") << QList<QByteArray>{ports.first(36), ports.sliced(36)} << "" << portsShown;
        QTest::newRow("two frames in one write") << QList<QByteArray>{version + ports} << versionShown << portsShown;
        QTest::newRow("DataLen 0 skipped, next header 36 on") << QList<QByteArray>{empty + ports + empty} << "" << portsShown;
        QTest::newRow("one byte per write") << bytes << versionShown << portsShown;
        // clang-format on
    }
    void framesAcrossReads() {
        QFETCH(QList<QByteArray>, writes);
        QFETCH(QString, comment);
        QFETCH(QString, rain);
        QVERIFY(Connect() && ReadRequests());
        for (const QByteArray &bytes : writes)
            QVERIFY(Deliver(bytes));
        QTRY_COMPARE(monitor->model.comment, comment);
        QTRY_COMPARE(monitor->model.rain.text, rain);
    }

    void realStreamWholeAndSplit() {
        const QByteArray stream = RealStream();
        QCOMPARE(stream.size(), 711);

        const QString lastPayload =
            QStringLiteral("!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW");
        QVERIFY(Connect());
        QVERIFY(Deliver(stream));
        QTRY_COMPARE(monitor->model.rxRows.value(1), lastPayload);
        const QStringList whole = Snapshot(*monitor);
        // The first and only report taken: the third frame's is within the minute.
        QCOMPARE(monitor->model.history.count(QStringLiteral("Q1ABC-13 To APRS")), 1);
        QVERIFY(monitor->model.history.contains(
            QStringLiteral("\r\n_10090556c220s004g005t077r000p000P000h50b09900wRSW\r\n")));
        QVERIFY(!monitor->acceptNextReport);
        QCOMPARE(monitor->model.rxRows.size(), 2);
        QVERIFY(
            monitor->model.rxRows.first().startsWith(QStringLiteral("1: Q1ABC-13 To APRS Via")));

        for (qsizetype cut = 1; cut < stream.size(); ++cut) {
            Setup();
            QVERIFY(Connect());
            QVERIFY(Deliver(stream.first(cut)));
            QVERIFY(Deliver(stream.sliced(cut)));
            QTRY_COMPARE(Snapshot(*monitor), whole);
            QVERIFY(prompts.messages.isEmpty());
        }
    }

    void overlongFrameReportedOnce() {
        const QByteArray bad = AgwHeader('U', "", MaxAgwDataLen + 1);
        QVERIFY(Connect() && ReadRequests());
        // More data and a close arrive while the box is up.
        prompts.whileMessageShown = [&] {
            peer->write(AgwFrame('G', "", "9;"));
            peer->disconnectFromHost();
            QVERIFY(QTest::qWaitFor(
                [&] { return link->socket.state() != QAbstractSocket::ConnectedState; }));
        };
        QVERIFY(Deliver(AgwFrame('G', "", "2;") + bad));

        QTRY_COMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages.first().icon, MessageIcon::Exclamation);
        QCOMPARE(prompts.messages.first().title,
                 QStringLiteral("Errore collegamento con AGWPE [Q1ABC-13]"));
        QVERIFY(prompts.messages.first().text.contains(QString::number(MaxAgwDataLen + 1)));
        QCOMPARE(monitor->model.rain.text, QStringLiteral("Porte Radio : 2"));
        QVERIFY(link->IsClosed());
        QVERIFY(!config.AgwEnabled);
        QVERIFY(config.AgwActive);
        QCOMPARE(prompts.dialogsShown, 1);
    }

    // No box and no change to the settings, but the user can see it.
    void serverCloseShowsOnlyOnTheStatusLine() {
        QVERIFY(Connect() && ReadRequests());
        QCOMPARE(KeepaliveIdleSeconds(link->socket), 60);
        peer->disconnectFromHost();
        QTRY_VERIFY(link->IsClosed());
        QTRY_COMPARE(monitor->model.comment, QStringLiteral("AGWPE: connessione chiusa"));
        QVERIFY(prompts.messages.isEmpty());
        QCOMPARE(prompts.dialogsShown, 0);
        QVERIFY(config.AgwEnabled);
        QVERIFY(config.AgwActive);
    }

    // What the engine put on show changes language at once, not at its next reply.
    void textsFollowALanguageChange() {
        QVERIFY(Connect());
        QVERIFY(Deliver(AgwFrame('R', "", QByteArray::fromHex("0700000005000000")) +
                        AgwFrame('G', "", "3;Port1")));
        QTRY_COMPARE(monitor->model.rain.text, QStringLiteral("Porte Radio : 3"));
        ApplyLanguage(DisplayLanguage::English);
        monitor->RefreshTexts();
        ApplyLanguage(DisplayLanguage::Italian);
        QCOMPARE(monitor->model.comment + u'|' + monitor->model.rain.text,
                 "Anemora connected to AGWPE v7.5|Radio Ports : 3");
    }

    void newConnectionStartsAFreshStream() {
        QVERIFY(Connect());
        QVERIFY(Deliver(AgwFrame('G', "", "4;").first(30)));
        peer->disconnectFromHost();
        QTRY_VERIFY(link->IsClosed());

        QVERIFY(Connect());
        QVERIFY(Deliver(AgwFrame('G', "", "5;")));
        QCOMPARE(monitor->model.rain.text, QStringLiteral("Porte Radio : 5"));
    }

private:
    void Setup() { Start(Settings().Agw("127.0.0.1", server->Port())); }

    bool ReadRequests() {
        requests.clear();
        return QTest::qWaitFor([&] {
            requests += peer->readAll();
            return requests.size() >= 108;
        });
    }

    // What the link sent on connecting, as ReadRequests() read it.
    QByteArray requests;
};

QTEST_GUILESS_MAIN(TestAgwpeLink)
#include "tst_agwpe_link.moc"
