// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/fakes.h"
#include "common/settings.h"
#include "monitor/station_monitor.h"

#include <QTest>

using namespace anemora;
using namespace anemora::test;

class BenchIntake : public QObject {
    Q_OBJECT
private slots:
    // The common case on a busy feed: a packet of some other station, which only
    // refreshes the Rx rows.
    void lineFromAnotherStation() {
        WxConfig config = Settings();
        FakeNotifications notifications;
        StationMonitor monitor(config, notifications, QString());
        const QString line = QStringLiteral(
            "Q9XYZ-7>APRS,TCPIP*,qAC,T2TEST:@070102z4903.50N/07201.75W_220/004g005t077r000p000"
            "P000h50b09900wRSW");
        QBENCHMARK {
            monitor.HandleAprsLine(line);
        }
        QCOMPARE(monitor.model.rxRows.value(0), QStringLiteral("Q9XYZ-7>APRS,TCPIP*,qAC,T2TEST:"));
        QCOMPARE(monitor.model.history, QStringLiteral("Dati storici"));
    }
};

QTEST_GUILESS_MAIN(BenchIntake)
#include "bench_intake.moc"
