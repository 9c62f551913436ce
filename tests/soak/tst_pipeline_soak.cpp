// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/fakes.h"
#include "common/memory.h"
#include "common/settings.h"
#include "monitor/station_monitor.h"

#include <QTest>

namespace {

// A busy feed: the monitored station now and then, many other stations,
// server comments and the odd malformed line.
QString feedLine(int i) {
    const int temp = 20 + i % 60;
    switch (i % 10) {
    case 0:
        return QStringLiteral("Q1ABC-13>APRS,TCPIP*,qAC,T2TEST:_%1c%2s%3g%4t%5r000p%6P000h%7b%8")
            .arg(10090556 + i % 1000)
            .arg(i % 360, 3, 10, QLatin1Char('0'))
            .arg(i % 40, 3, 10, QLatin1Char('0'))
            .arg(i % 60, 3, 10, QLatin1Char('0'))
            .arg(temp, 3, 10, QLatin1Char('0'))
            .arg(i % 100, 3, 10, QLatin1Char('0'))
            .arg(10 + i % 90, 2, 10, QLatin1Char('0'))
            .arg(9900 + i % 300, 5, 10, QLatin1Char('0'));
    case 1:
        return QStringLiteral("# aprsc 2.1.14 7 Dec 2026 05:%1:00 GMT T2TEST").arg(i % 60);
    case 2:
        return QStringLiteral("Q1ABC-13>APRS:>status %1").arg(i);
    case 3:
        return QStringLiteral("garbage \x01\x7f line %1 with no header").arg(i);
    default:
        return QStringLiteral("N%1XYZ-%2>APRS,WIDE2-1,qAR,IGATE:!4903.50N/07201.75W_%3/004g005t%4")
            .arg(i % 9)
            .arg(i % 16)
            .arg(i % 360, 3, 10, QLatin1Char('0'))
            .arg(temp, 3, 10, QLatin1Char('0'));
    }
}

} // namespace

class TestPipelineSoak : public QObject {
    Q_OBJECT
private slots:
    // A monitor left running for months must not grow: the history is
    // trimmed, the Rx window holds two rows, nothing else accumulates.
    void memoryStaysFlatOverAMillionLines() {
        anemora::WxConfig config = anemora::test::Settings();
        config.BeepNewData = true;
        config.FocusNewData = true;
        anemora::test::FakeNotifications notifications;
        // Counted apart and cleared, so the record keeps its size.
        qsizetype soundsPlayed = 0;
        anemora::StationMonitor monitor(config, notifications, QStringLiteral("/nonexistent"));

        constexpr int warmUp = 10'000;
        constexpr int total = 1'000'000;
        qint64 afterWarmUp = 0;
        for (int i = 0; i < total; ++i) {
            monitor.HandleAprsLine(feedLine(i));
            if (i % 100 == 99) {
                monitor.MinuteTick();
                soundsPlayed += notifications.sounds.size();
                notifications.sounds.clear();
            }
            if (i + 1 == warmUp)
                afterWarmUp = ResidentBytes();
        }
        const qint64 atEnd = ResidentBytes();
        qInfo("resident after %d lines: %lld KiB, after %d lines: %lld KiB", warmUp,
              afterWarmUp / 1024, total, atEnd / 1024);

        QVERIFY(afterWarmUp > 0);
        if (ResidentSizeIsMeaningful)
            QVERIFY2(
                atEnd <= afterWarmUp + afterWarmUp / 20,
                qPrintable(QStringLiteral("grew from %1 to %2 bytes").arg(afterWarmUp).arg(atEnd)));
        QVERIFY(monitor.model.history.size() <= 9999 + 200);
        QCOMPARE(monitor.model.rxRows.size(), 2);
        QVERIFY(soundsPlayed > 0);
    }
};

QTEST_GUILESS_MAIN(TestPipelineSoak)
#include "tst_pipeline_soak.moc"
