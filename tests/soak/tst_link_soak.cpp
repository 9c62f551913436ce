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

} // namespace

// The program's core with reconnection on, against a server that works
// through a plan of faults: every report the server completed while
// connected reaches the display and the log once.
class TestLinkSoak : public QObject {
    Q_OBJECT
private slots:
    void everyReportSurvivesEveryFault();

private:
    QTcpSocket *NextClient();
    bool SendReport(QTcpSocket *peer, bool drip);

    LoopbackServer server;
    quint16 port = 0;
    StationMonitor *monitor = nullptr;
    int sent = 0;
    QHash<int, int> shown;
    QHash<int, int> logged;
};

QTcpSocket *TestLinkSoak::NextClient() {
    QTcpSocket *peer = server.NextPeer();
    if (!peer || !QTest::qWaitFor([peer] { return peer->canReadLine(); }, 2000))
        return nullptr;
    peer->readLine();
    peer->write("# soak server\r\n");
    return peer;
}

// Waits for the minute's gate, sends one report, and waits until it is logged.
bool TestLinkSoak::SendReport(QTcpSocket *peer, bool drip) {
    if (!QTest::qWaitFor([this] { return monitor->acceptNextReport; }, 2000))
        return false;
    const int number = sent++;
    const QByteArray line = Report(number);
    if (drip) {
        for (const char byte : line) {
            peer->write(&byte, 1);
            peer->flush();
            QCoreApplication::processEvents();
        }
    } else {
        peer->write(line);
    }
    return QTest::qWaitFor([&] { return logged.contains(number); }, 2000);
}

void TestLinkSoak::everyReportSurvivesEveryFault() {
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
    Links links(config, stationMonitor, prompts, FastTiming);
    StationLog log(logDir.path());
    connect(&stationMonitor, &StationMonitor::reportDecoded, this, [&](const WxReport &report) {
        const StationLogRow row =
            LogRowFromReport(QDateTime::currentDateTimeUtc(), config.StationCall, report);
        ++shown[ReportNumber(row)];
        log.Append(row);
    });
    connect(&log, &StationLog::rowAppended, this,
            [this](const StationLogRow &row) { ++logged[ReportNumber(row)]; });

    links.OpenAprsLink();
    const int faults = FaultsToRun();
    int survived = 0;
    for (int i = 0; i < faults; ++i) {
        const auto fault = Fault(i % int(Fault::Count));
        QTcpSocket *peer = NextClient();
        QVERIFY2(peer, qPrintable(QStringLiteral("no reconnection before fault %1").arg(i)));
        QVERIFY(SendReport(peer, false));
        switch (fault) {
        case Fault::Stall:
            QVERIFY(QTest::qWaitFor(
                [peer] { return peer->state() != QAbstractSocket::ConnectedState; }, 2000));
            break;
        case Fault::Close:
            peer->disconnectFromHost();
            break;
        case Fault::Reset:
            ResetConnection(peer);
            break;
        case Fault::Refuse:
            server.tcp.close();
            peer->disconnectFromHost();
            QTest::qWait(30);
            QVERIFY(server.tcp.listen(QHostAddress::LocalHost, port));
            break;
        case Fault::HalfLine:
            peer->write(Report(sent).left(40));
            peer->disconnectFromHost();
            break;
        case Fault::Garbage:
            peer->write(RandomBytes(quint32(i), 4096) + "\r\n");
            QVERIFY(SendReport(peer, false));
            peer->disconnectFromHost();
            break;
        case Fault::Drip:
            QVERIFY(SendReport(peer, true));
            peer->disconnectFromHost();
            break;
        case Fault::Count:
            break;
        }
        ++survived;
        peer->deleteLater();
    }
    QTcpSocket *last = NextClient();
    QVERIFY(last);
    QVERIFY(SendReport(last, false));

    int lost = 0;
    for (int n = 0; n < sent; ++n)
        lost += logged.value(n) == 1 && shown.value(n) == 1 ? 0 : 1;
    const qsizetype rowsOnDisk =
        log.ReadRows(config.StationCall, QDateTime::currentDateTimeUtc().addDays(-1),
                     QDateTime::currentDateTimeUtc().addDays(1))
            .size();
    std::printf("faults survived: %d, reports sent: %d, reports logged: %lld, lost: %d\n", survived,
                sent, qlonglong(rowsOnDisk), lost);
    std::fflush(stdout);
    QCOMPARE(lost, 0);
    // Nothing made up from fragments either.
    QCOMPARE(shown.size(), qsizetype(sent));
    QCOMPARE(rowsOnDisk, qsizetype(sent));
    QVERIFY(prompts.messages.isEmpty());
    QCOMPARE(prompts.dialogsShown, 0);
}

QTEST_GUILESS_MAIN(TestLinkSoak)
#include "tst_link_soak.moc"
