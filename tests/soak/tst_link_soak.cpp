// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/fakes.h"
#include "common/loopback.h"
#include "common/random_bytes.h"
#include "common/settings.h"
#include "history/station_log.h"
#include "intake/links.h"
#include "monitor/station_monitor.h"

#include <QHash>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace anemora;
using namespace anemora::test;
using namespace std::chrono_literals;

namespace {

// Faults to survive; scripts/soak.sh asks for many more.
int FaultsToRun() {
    const int asked = qEnvironmentVariableIntValue("ANEMORA_SOAK_FAULTS");
    return asked > 0 ? asked : 210;
}

enum class Fault { Stall, Close, Reset, Refuse, HalfLine, Garbage, Drip, Count };

// How a report left the server. The network itself may lose only what a
// reset overtakes: bytes the server wrote that the program had not yet read
// from its socket when the reset arrived. A report written just before a
// reset that never arrives is dropped by the reset; every other whole
// report must arrive once, and a report cut short by a close never.
enum class Sent { Whole, BeforeReset, CutShort };

// The program's timing, shrunk so that hundreds of faults take seconds.
const LinkTiming FastTiming{100ms, 30ms, {2ms, 5ms, 10ms, 20ms}};
constexpr auto Minute = 5ms;

// Report number `n`, told apart by its direction and pressure.
QByteArray Report(int n) {
    return QStringLiteral("Q1ABC-13>APRS,TCPIP*,qAC,T2SOAK:_12071201c%1s004g007t048h76b%2\r\n")
        .arg(n % 360, 3, 10, QLatin1Char('0'))
        .arg(9000 + n / 360, 5, 10, QLatin1Char('0'))
        .toLatin1();
}

int ReportNumber(const StationLogRow &row) {
    return row.windDirection.value_or(-1) + 360 * (qRound(row.pressure.value_or(0) * 10) - 9000);
}

// The window's minute timer, at the soak's pace.
class MinuteClock : public FakeNotifications {
public:
    explicit MinuteClock(StationMonitor *&monitor) {
        timer.setInterval(Minute);
        QObject::connect(&timer, &QTimer::timeout, [&monitor] { monitor->MinuteTick(); });
        timer.start();
    }
    void RestartMinuteTimer() override { timer.start(); }

private:
    QTimer timer;
};

// Waits two seconds at most: what is still missing then shows in the counts.
template <typename Condition> void AwaitBriefly(Condition done) {
    static_cast<void>(QTest::qWaitFor(done, 2000));
}

} // namespace

// The program's core with reconnection on, against a server that works
// through a plan of faults with a report in flight at each: the test counts
// what it sent and what reached the display and the log.
class TestLinkSoak : public QObject {
    Q_OBJECT
private slots:
    void everyReportSurvivesEveryFault() {
        port = ListenBelow32768(
            [this](quint16 p) { return server.tcp.listen(QHostAddress::LocalHost, p); });
        QVERIFY(port != 0);
        QTemporaryDir logDir;
        WxConfig config = Settings().Aprs("127.0.0.1", qint16(port));
        config.Reconnect = true;
        MinuteClock minute(monitor);
        StationMonitor stationMonitor(config, minute, QString());
        monitor = &stationMonitor;
        FakePrompts prompts;
        Links stationLinks(config, stationMonitor, prompts, FastTiming);
        links = &stationLinks;
        StationLog log(logDir.path());
        connect(&stationMonitor, &StationMonitor::reportDecoded, this, [&](const WxReport &report) {
            const StationLogRow row =
                LogRowFromReport(QDateTime::currentDateTimeUtc(), config.StationCall, report);
            ++shown[ReportNumber(row)];
            log.Append(row);
        });
        connect(&log, &StationLog::rowAppended, this,
                [this](const StationLogRow &row) { ++logged[ReportNumber(row)]; });
        // Connected after the link's own handler, so it counts reads done.
        connect(&stationLinks.aprs.socket, &QTcpSocket::readyRead, this,
                [this] { ++programReads; });

        stationLinks.OpenAprsLink();
        const int faults = FaultsToRun();
        int survived = 0;
        QTcpSocket *peer = nullptr;
        for (; survived < faults && (peer = NextClient()); ++survived) {
            switch (Fault(survived % int(Fault::Count))) {
            case Fault::Stall:
                SendReport(peer);
                // A link that never gives up shows as no reconnection.
                AwaitBriefly([peer] { return peer->state() != QAbstractSocket::ConnectedState; });
                break;
            case Fault::Close:
                SendReport(peer);
                peer->disconnectFromHost();
                break;
            case Fault::Reset:
                SendReport(peer, Sent::BeforeReset);
                ResetConnection(peer);
                break;
            case Fault::Refuse:
                SendReport(peer);
                server.tcp.close();
                peer->disconnectFromHost();
                QTest::qWait(30);
                QVERIFY(server.tcp.listen(QHostAddress::LocalHost, port));
                break;
            case Fault::HalfLine:
                SendReport(peer);
                SendReport(peer, Sent::CutShort);
                // The close comes while the program holds the first part.
                AwaitBriefly([this] { return !links->aprs.AprsRxBuffer().isEmpty(); });
                peer->disconnectFromHost();
                break;
            case Fault::Garbage:
                peer->write(RandomBytes(quint32(survived), 4096) + "\r\n");
                SendReport(peer);
                peer->disconnectFromHost();
                break;
            case Fault::Drip:
                SendReport(peer, Sent::Whole, true);
                peer->disconnectFromHost();
                break;
            case Fault::Count:
                break;
            }
            peer->deleteLater();
        }
        if (survived == faults && (peer = NextClient())) {
            SendReport(peer);
            AwaitBriefly([this] { return logged.contains(int(sent.size()) - 1); });
        }

        int lost = 0, droppedByResets = 0, cutShort = 0, madeUp = 0;
        for (int n = 0; n < sent.size(); ++n) {
            const bool never = !logged.contains(n) && !shown.contains(n);
            cutShort += sent[n] == Sent::CutShort ? 1 : 0;
            if (sent[n] == Sent::CutShort)
                madeUp += never ? 0 : 1;
            else if (sent[n] == Sent::BeforeReset && never)
                ++droppedByResets;
            else
                lost += logged.value(n) == 1 && shown.value(n) == 1 ? 0 : 1;
        }
        for (auto number = shown.keyBegin(); number != shown.keyEnd(); ++number)
            madeUp += *number < 0 || *number >= sent.size() ? 1 : 0;
        const qsizetype rowsOnDisk =
            log.ReadRows(config.StationCall, QDateTime::currentDateTimeUtc().addDays(-1),
                         QDateTime::currentDateTimeUtc().addDays(1))
                .size();
        std::printf("faults survived: %d, reports sent: %lld (%d of them cut short), logged: %lld, "
                    "connections left before the report: %d, dropped by resets: %d, made up: %d, "
                    "lost: %d\n",
                    survived, qlonglong(sent.size()), cutShort, qlonglong(rowsOnDisk),
                    leftBeforeReport, droppedByResets, madeUp, lost);
        std::fflush(stdout);
        QVERIFY2(peer, qPrintable(QStringLiteral("no reconnection after fault %1").arg(survived)));
        QCOMPARE(lost, 0);
        // Only a stall of the test itself may do it, and rarely: a link that
        // leaves connections by itself must not pass for one that loses nothing.
        QVERIFY(leftBeforeReport * 100 <= faults);
        QCOMPARE(madeUp, 0);
        QCOMPARE(rowsOnDisk, qsizetype(logged.size()));
        QVERIFY(prompts.messages.isEmpty());
        QCOMPARE(prompts.dialogsShown, 0);
    }

private:
    QTcpSocket *NextClient() {
        QTcpSocket *peer = server.NextPeer();
        if (!peer || !QTest::qWaitFor([peer] { return peer->canReadLine(); }, 2000))
            return nullptr;
        peer->readLine();
        return peer;
    }

    // Sends the next report once the minute's gate is open, without waiting for
    // it. A test that stalls for longer than the shrunk silence limit makes the
    // program give up a connection on its own, rightly: so the report follows a
    // comment the program has just read, and none is written to a connection
    // it has left.
    void SendReport(QTcpSocket *peer, Sent how = Sent::Whole, bool drip = false) {
        const int readsBefore = programReads;
        peer->write("# soak server\r\n");
        AwaitBriefly([&] { return programReads > readsBefore && monitor->acceptNextReport; });
        const QTcpSocket &program = links->aprs.socket;
        if (program.state() != QAbstractSocket::ConnectedState ||
            program.localPort() != peer->peerPort()) {
            ++leftBeforeReport;
            return;
        }
        const int number = int(sent.size());
        sent.append(how);
        QByteArray line = Report(number);
        if (how == Sent::CutShort)
            line.truncate(34 + number % (line.size() - 34));
        for (qsizetype at = 0; at < line.size(); at += drip ? 1 : line.size()) {
            peer->write(line.mid(at, drip ? 1 : -1));
            peer->flush();
            QCoreApplication::processEvents();
        }
    }

    LoopbackServer server;
    quint16 port = 0;
    StationMonitor *monitor = nullptr;
    Links *links = nullptr;
    QList<Sent> sent;
    int leftBeforeReport = 0;
    int programReads = 0;
    QHash<int, int> shown;
    QHash<int, int> logged;
};

QTEST_GUILESS_MAIN(TestLinkSoak)
#include "tst_link_soak.moc"
