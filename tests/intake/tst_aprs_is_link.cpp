// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/link_harness.h"
#include "common/loopback.h"
#include "common/settings.h"
#include "config/display_language.h"
#include "intake/aprs_is_link.h"
#include "intake/links.h"
#include "monitor/station_monitor.h"

#include <QElapsedTimer>
#include <QTest>

#include <memory>

using namespace anemora;
using namespace anemora::test;

namespace {

const QString Stamp = QStringLiteral("[05/03/24 07:01:02 UTC] ");

// The history entry a station line ">A:" + payload leaves with an empty call.
QString Entry(const QString &payload) {
    return Stamp + QStringLiteral(">A:\r\n") + payload + QStringLiteral("\r\n");
}

} // namespace

class TestAprsIsLink : public QObject, public LinkHarness<AprsIsLink> {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

    void init() {
        QVERIFY(Listen());
        Start(Settings().Aprs("127.0.0.1", server->Port()));
        monitor->clock = [] { return QDateTime(QDate(2024, 3, 5), QTime(7, 1, 2)); };
    }

    void cleanup() { Stop(); }

    void login_data() {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QByteArray>("bytes");

        // clang-format off
        QTest::newRow("station call") << "Q1ABC-13" << QByteArray("user QRVSWL pass -1 vers anemora v7 filter p/Q1ABC-13\r\n");
        QTest::newRow("empty call") << "" << QByteArray("user QRVSWL pass -1 vers anemora v7 filter p/\r\n");
        QTest::newRow("8-bit character sent as one byte") << QString::fromLatin1("Q1\xc0") << QByteArray("user QRVSWL pass -1 vers anemora v7 filter p/Q1\xc0\r\n");
        // clang-format on
    }
    void login() {
        QFETCH(QString, call);
        QFETCH(QByteArray, bytes);
        config.StationCall = call;
        QVERIFY(Connect());
        QByteArray received;
        QVERIFY(QTest::qWaitFor([&] {
            received += peer->readAll();
            return received.size() >= bytes.size();
        }));
        QCOMPARE(received, bytes);
        QCOMPARE(monitor->model.caption, call + " Wx Station");
        QCOMPARE(monitor->model.comment, QStringLiteral("Anemora connected to 127.0.0.1"));
        QVERIFY(prompts.messages.isEmpty());
    }

    void lines_data() {
        QTest::addColumn<QList<QByteArray>>("writes");
        QTest::addColumn<QString>("history");
        QTest::addColumn<QString>("pending");

        // clang-format off
        QTest::newRow("line split over two writes") << QList<QByteArray>{">A:_1009", "0556c220\r\n"} << Entry("_10090556c220") << "";
        QTest::newRow("several lines in one write") << QList<QByteArray>{">A:>one\r\n>A:>two\r\n>A:>three\r\n"} << Entry(">one") + Entry(">two") + Entry(">three") << "";
        QTest::newRow("CR alone ends nothing") << QList<QByteArray>{">A:>abc\r"} << "" << ">A:>abc";
        QTest::newRow("CR alone, then LF") << QList<QByteArray>{">A:>abc\r", "\n"} << Entry(">abc") << "";
        // The empty line matches the empty call and repeats the rows.
        QTest::newRow("abc CR LF CR LF") << QList<QByteArray>{">A:abc\r\n\r\n"} << Entry("abc") + Entry("abc") << "";
        QTest::newRow("CR inside a line") << QList<QByteArray>{">A:>a\rbc\r\n"} << Entry(">abc") << "";
        QTest::newRow("bytes as Latin-1") << QList<QByteArray>{">A:>\xb0\xe9\r\n"} << Entry(QString::fromLatin1(">\xb0\xe9")) << "";
        // clang-format on
    }
    void lines() {
        QFETCH(QList<QByteArray>, writes);
        QFETCH(QString, history);
        QFETCH(QString, pending);
        config.StationCall.clear();
        QVERIFY(Connect() && ReadLogin());
        // One read per write, so that the pieces arrive apart.
        for (const QByteArray &bytes : writes)
            QVERIFY(Deliver(bytes));
        QTRY_COMPARE(link->AprsRxBuffer(), pending);
        QTRY_COMPARE(monitor->model.history, "Dati storici" + history);
    }

    // A new server starts at a line's start: a fragment of the last connection
    // joined to its first line would make up a packet nobody sent.
    void partialLineOfAClosedConnectionIsDropped() {
        config.StationCall.clear();
        QVERIFY(Connect() && ReadLogin());
        peer->write(">A:>par");
        QTRY_COMPARE(link->AprsRxBuffer(), QStringLiteral(">A:>par"));
        peer->disconnectFromHost();
        QTRY_VERIFY(link->IsClosed());
        QTRY_COMPARE(prompts.messages.size(), 1);

        QVERIFY(Connect() && ReadLogin());
        peer->write("tial\r\n>A:>next\r\n");
        QTRY_VERIFY(monitor->model.history.endsWith(Entry(">next")));
        QVERIFY(!monitor->model.history.contains(QStringLiteral("partial")));
    }

    void serverClose_data() {
        QTest::addColumn<bool>("dialogVisible");
        QTest::addColumn<int>("dialogsShown");
        // clang-format off
        QTest::newRow("dialog hidden: shown modally") << false << 1;
        QTest::newRow("dialog already open: left alone") << true << 0;
        // clang-format on
    }
    void serverClose() {
        QFETCH(bool, dialogVisible);
        prompts.dialogVisible = dialogVisible;
        QVERIFY(Connect());
        peer->disconnectFromHost();
        QTRY_COMPARE(prompts.shownTexts(),
                     QStringList{"Chiusura collegamento TCP [Q1ABC-13]: Il "
                                 "server 127.0.0.1 ha chiuso la connessione"});
        QCOMPARE(prompts.messages.first().icon, MessageIcon::Exclamation);
        QVERIFY(link->IsClosed());
        QVERIFY(!config.AprsEnabled);
        QVERIFY(!config.AprsActive);
        QTEST(prompts.dialogsShown, "dialogsShown");
        // Nothing further comes of the closed connection.
        QTest::qWait(50);
        QCOMPARE(prompts.messages.size(), 1);
    }

    void errorThenCloseReportedOnce() {
        config.StationCall.clear();
        QVERIFY(Connect() && ReadLogin());
        peer->write(">A:>kept");
        QTRY_COMPARE(link->AprsRxBuffer(), QStringLiteral(">A:>kept"));
        // While the error box is up the server sends more and closes.
        prompts.whileMessageShown = [&] {
            peer->write("\r\n>A:>late\r\n");
            peer->disconnectFromHost();
            QVERIFY(QTest::qWaitFor(
                [&] { return link->socket.state() != QAbstractSocket::ConnectedState; }));
        };
        emit link->socket.errorOccurred(QAbstractSocket::NetworkError);

        QTRY_COMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages.first().title, QStringLiteral("Errore collegamento TCP []"));
        QCOMPARE(prompts.dialogsShown, 1);
        QVERIFY(!config.AprsEnabled);
        QVERIFY(config.AprsActive);
        QCOMPARE(link->AprsRxBuffer(), QStringLiteral(">A:>kept"));
        QCOMPARE(monitor->model.history, QStringLiteral("Dati storici"));
        QTest::qWait(50);
        QCOMPARE(prompts.messages.size(), 1);
    }

    void dialogMayReopenTheLink_data() {
        QTest::addColumn<bool>("reset");
        QTest::addColumn<bool>("writeAfter");
        // clang-format off
        QTest::newRow("server closes") << false << false;
        QTest::newRow("server resets: a read error") << true << false;
        QTest::newRow("server resets: a write error") << true << true;
        // clang-format on
    }

    // The dialog runs after Qt has finished with the failed socket, so the
    // connection it opens is left whole.
    void dialogMayReopenTheLink() {
        QFETCH(bool, reset);
        QFETCH(bool, writeAfter);
        QVERIFY(Connect() && ReadLogin());
        // Connected after the link's own handler, so it runs once that returned.
        bool signalReturned = false;
        bool boxAfterSignal = false;
        connect(&link->socket, &QTcpSocket::disconnected, this, [&] { signalReturned = true; });
        prompts.whileMessageShown = [&] { boxAfterSignal = signalReturned; };
        // The user enables the link again in the settings dialog.
        prompts.whileDialogShown = [&] {
            prompts.whileDialogShown = nullptr;
            config.AprsEnabled = true;
            link->Open();
        };
        if (reset)
            ResetConnection(peer);
        else
            peer->disconnectFromHost();
        if (writeAfter) {
            // Before the reset is read: the write meets it.
            link->socket.write("#\r\n");
            link->socket.flush();
        }
        QTRY_COMPARE(prompts.dialogsShown, 1);
        QVERIFY(boxAfterSignal);
        QVERIFY((peer = server->Accept(link->socket)) && ReadLogin());
        peer->write("Q1ABC-13>APRS:>back\r\n");
        QTRY_COMPARE(monitor->model.rxRows.value(1), QStringLiteral(">back"));
        // The new connection's failure is reported in its turn.
        peer->disconnectFromHost();
        QTRY_COMPARE(prompts.messages.size(), 2);
        QVERIFY(!config.AprsEnabled);
    }

    void leftUnattended_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("reconnect");
        // clang-format off
        QTest::newRow("server drops idle clients, sends comments") << "none" << false;
        QTest::newRow("silent server") << "silence" << false;
        QTest::newRow("reconnect: server closes") << "close" << true;
        QTest::newRow("reconnect: server resets") << "reset" << true;
        QTest::newRow("reconnect: silent server") << "silence" << true;
        // clang-format on
    }

    // A link left alone keeps itself alive, notices a dead server, and comes
    // back by itself when asked to, with no box.
    void leftUnattended() {
        QFETCH(QString, fault);
        QFETCH(bool, reconnect);
        using namespace std::chrono_literals;
        constexpr qint64 ServerDropsIdleAfterMs = 250;
        config.Reconnect = reconnect;
        link = std::make_unique<AprsIsLink>(config, *monitor, prompts,
                                            LinkTiming{500ms, 40ms, {20ms}});
        QStringList statuses;
        connect(monitor.get(), &StationMonitor::displayChanged, this, [&] {
            if (statuses.value(statuses.size() - 1) != monitor->model.comment)
                statuses << monitor->model.comment;
        });
        QVERIFY(Connect() && ReadLogin());
        if (fault == QLatin1String("none")) {
            QElapsedTimer idle;
            idle.start();
            QByteArray fromClient;
            connect(peer, &QTcpSocket::readyRead, this, [&] {
                fromClient += peer->readAll();
                idle.restart();
            });
            for (int turn = 0; turn < 20; ++turn) {
                peer->write("# server comment\r\n");
                QTest::qWait(50);
                QVERIFY(idle.elapsed() < ServerDropsIdleAfterMs);
            }
            QVERIFY(fromClient.contains("#keepalive\r\n"));
            // A server that vanished is noticed in minutes, not hours.
            QCOMPARE(KeepaliveIdleSeconds(link->socket), 60);
            QCOMPARE(link->socket.state(), QAbstractSocket::ConnectedState);
            QVERIFY(prompts.messages.isEmpty());
            return;
        }
        if (fault == QLatin1String("close"))
            peer->disconnectFromHost();
        else if (fault == QLatin1String("reset"))
            ResetConnection(peer);
        if (!reconnect) {
            QTRY_COMPARE(prompts.messages.size(), 1);
            QCOMPARE(prompts.messages.first().text,
                     QStringLiteral("Il server 127.0.0.1 non invia dati da 1 s"));
            QVERIFY(!config.AprsEnabled);
            return;
        }
        QVERIFY((peer = server->Accept(link->socket)) && ReadLogin());
        peer->write("Q1ABC-13>APRS:>back\r\n");
        QTRY_COMPARE(monitor->model.rxRows.value(1), QStringLiteral(">back"));
        QCOMPARE(statuses.filter(QStringLiteral("Riconnessione a 127.0.0.1 tra ")).size(), 1);
        QVERIFY(prompts.messages.isEmpty());
        QCOMPARE(prompts.dialogsShown, 0);
        QVERIFY(config.AprsEnabled);
    }

    void deadLinkStaysInSight_data() {
        QTest::addColumn<bool>("reconnect");
        QTest::addColumn<bool>("backUp");
        QTest::addColumn<QString>("retry");
        QTest::addColumn<QString>("englishRetry");
        // clang-format off
        QTest::newRow("waiting to reconnect, then back") << true << true << " - Riconnessione a 127.0.0.1 tra 30 s" << " - Reconnecting to 127.0.0.1 in 30 s";
        QTest::newRow("waiting to reconnect, then switched off") << true << false << " - Riconnessione a 127.0.0.1 tra 30 s" << " - Reconnecting to 127.0.0.1 in 30 s";
        QTest::newRow("down after its box, then reopened") << false << true << "" << "";
        QTest::newRow("down after its box, then switched off") << false << false << "" << "";
        // clang-format on
    }

    // A dead link stays in sight, in the language of the moment, whatever the
    // other link puts on the status line, until it is up again or switched off.
    void deadLinkStaysInSight() {
        QFETCH(bool, reconnect);
        QFETCH(bool, backUp);
        QFETCH(QString, retry);
        QFETCH(QString, englishRetry);
        config.Reconnect = reconnect;
        Links links(config, *monitor, prompts,
                    LinkTiming{.retrySteps = {std::chrono::seconds(30)}});
        links.OpenAprsLink();
        QVERIFY((peer = server->Accept(links.aprs.socket)) && ReadLogin());
        peer->disconnectFromHost();
        QTRY_COMPARE(reconnect ? links.aprs.IsWaitingToReconnect() : prompts.dialogsShown == 1,
                     true);
        // A report heard on the AGWPE link takes the status line.
        monitor->HandleAprsLine(QStringLiteral("Q1ABC-13>APRS:_10090556c220s004g005t077wRSW"));
        const DisplayModel &shown = monitor->model;
        QCOMPARE(shown.comment + u'|' + WindowTitle(shown),
                 " wRSW|APRS-IS fuori linea - Q1ABC-13 Wx Station");
        QVERIFY(TrayToolTip(shown).endsWith("\nAPRS-IS: connessione chiusa da 127.0.0.1" + retry));
        ApplyLanguage(DisplayLanguage::English);
        monitor->RefreshTexts();
        ApplyLanguage(DisplayLanguage::Italian);
        QVERIFY(
            TrayToolTip(shown).endsWith("APRS-IS: connection closed by 127.0.0.1" + englishRetry));
        backUp ? links.OpenAprsLink() : links.CloseAprsLink();
        QVERIFY(!backUp || server->Accept(links.aprs.socket));
        QTRY_COMPARE(WindowTitle(shown), shown.caption);
    }

private:
    // Reads and drops the login line, so that later reads see only what follows.
    bool ReadLogin() {
        return QTest::qWaitFor([&] { return peer->canReadLine(); }) && !peer->readLine().isEmpty();
    }
};

int main(int argc, char *argv[]) {
    // History stamps carry the zone's name; keep it fixed.
    qputenv("TZ", "UTC");
    QCoreApplication app(argc, argv);
    TestAprsIsLink test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_aprs_is_link.moc"
