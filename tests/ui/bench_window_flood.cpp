// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/anemora_app.h"

#include "common/loopback.h"
#include "common/settings.h"

#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <ctime>

using namespace anemora;
using namespace anemora::test;

namespace {

double ProcessCpuNs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e9 + double(now.tv_nsec);
}

} // namespace

// The whole program, window included and shown offscreen, against a server
// that sends as fast as it can: CPU time per line received.
class BenchWindowFlood : public QObject {
    Q_OBJECT
private slots:
    void cpuPerLine_data() {
        QTest::addColumn<int>("stationEvery");
        // clang-format off
        QTest::newRow("other stations only") << 0;
        QTest::newRow("one line in fifty from the station") << 50;
        // clang-format on
    }
    void cpuPerLine() {
        QFETCH(int, stationEvery);
        constexpr int Lines = 200000;
        QByteArray flood;
        for (int i = 0; i < Lines; ++i) {
            const bool own = stationEvery > 0 && i % stationEvery == 0;
            flood +=
                own ? QStringLiteral("%1>APN000,TCPIP*,qAC,T2TEST:_12071201c212s004g007t048r000p00"
                                     "2P001h76b10132\r\n")
                          .arg(TestStation)
                          .toLatin1()
                    : QStringLiteral("Q2XYZ-%1>APRS,WIDE1-1,qAR,Q1ABC-1:=4531.00N/00915.20E>Mobi"
                                     "le %2\r\n")
                          .arg(i % 16)
                          .arg(i)
                          .toLatin1();
        }
        QTemporaryDir dir;
        LoopbackServer server;
        QVERIFY(server.Listen());
        AnemoraApp program(dir.path(), dir.path(), dir.path());
        int handled = 0;
        connect(&program.monitor, &StationMonitor::displayChanged, this, [&] { ++handled; });
        program.Start(TestStation + QStringLiteral(" S:127.0.0.1:%1").arg(server.Port()));
        QTcpSocket *peer = server.NextPeer();
        QVERIFY(peer);
        QVERIFY(QTest::qWaitFor([&] { return peer->bytesAvailable() > 0; }));
        const int before = handled;
        const double start = ProcessCpuNs();
        peer->write(flood);
        QVERIFY(QTest::qWaitFor(
            [&] {
                return program.window.rxPane->count() == 2 &&
                       program.window.rxPane->item(1)->text().endsWith(
                           QStringLiteral("Mobile %1").arg(Lines - 1));
            },
            120000));
        const double nsPerLine = (ProcessCpuNs() - start) / Lines;
        QVERIFY(handled - before >= Lines);
        qInfo("%s: %.0f ns of CPU per line", QTest::currentDataTag(), nsPerLine);
    }
};

QTEST_MAIN(BenchWindowFlood)
#include "bench_window_flood.moc"
