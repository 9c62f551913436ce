// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/agw_frames.h"
#include "common/fakes.h"
#include "common/settings.h"
#include "intake/agw_frame.h"
#include "monitor/station_monitor.h"

#include <QTest>

using namespace anemora;
using namespace anemora::test;

namespace {

const QByteArray Header =
    QByteArrayLiteral(" 1:Fm Q1ABC-13 To APRS Via WIDE1-1 <UI pid=F0 Len=46 >[07:01:02]");
const QString HeaderRow =
    QStringLiteral("1: Q1ABC-13 To APRS Via WIDE1-1 <UI pid=F0 Len=46 >[07:01:02]");
const QByteArray Wx = QByteArrayLiteral("_10090556c220s004g005t077r000p000P000h50b09900");
const QStringList EarlierRows{QStringLiteral("OLD>APRS:"), QStringLiteral("old payload")};

} // namespace

class TestAgwFrameHandling : public QObject {
    Q_OBJECT
private slots:
    void init() {
        config = Settings();
        notifications = FakeNotifications{};
        monitor = new StationMonitor(config, notifications, QString());
        monitor->model.rxRows = EarlierRows;
        monitor->model.comment = QStringLiteral("comment");
        monitor->model.rain.text = QStringLiteral("rain");
        monitor->minutesSinceReport = 7;
    }

    void cleanup() {
        delete monitor;
        monitor = nullptr;
    }

    void frame_data() {
        QTest::addColumn<QString>("stationCall");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("history");
        QTest::addColumn<bool>("decoded");
        QTest::addColumn<QString>("comment");
        QTest::addColumn<QString>("rain");

        const QString call = QStringLiteral("Q1ABC-13");
        const QString keptComment = QStringLiteral("comment");
        const QString keptRain = QStringLiteral("rain");
        const QByteArray monitored = Header + '\r' + Wx + "\r\r";
        const QString entry = HeaderRow + "\r\n" + QString::fromLatin1(Wx) + "\r\n";
        const QStringList rows{HeaderRow, QString::fromLatin1(Wx)};

        // clang-format off
        QTest::newRow("station weather") << call << true << AgwFrame('U', "Q1ABC-13", monitored) << rows << entry << true << keptComment << keptRain;
        QTest::newRow("kind T as U") << call << true << AgwFrame('T', "Q1ABC-13", monitored) << rows << entry << true << keptComment << keptRain;
        QTest::newRow("gate closed") << call << false << AgwFrame('U', "Q1ABC-13", monitored) << rows << "" << false << keptComment << keptRain;
        QTest::newRow("other SSID refreshes Rx only") << call << true << AgwFrame('U', "Q1ABC-1", monitored) << rows << "" << false << keptComment << keptRain;
        QTest::newRow("sender of 10 bytes") << "Q1ABC-13XY" << true << AgwFrame('U', "Q1ABC-13XY", monitored) << rows << entry << true << keptComment << keptRain;
        QTest::newRow("sender cut at 10 bytes") << call << true << AgwFrame('U', "Q1ABC-13XY", monitored) << rows << "" << false << keptComment << keptRain;
        QTest::newRow("three lines keep the last two") << call << true << AgwFrame('U', "Q1ABC-13", Header + "\rfirst\r" + Wx + '\r') << QStringList{"first", QString::fromLatin1(Wx)} << "first\r\n" + QString::fromLatin1(Wx) + "\r\n" << true << keptComment << keptRain;
        QTest::newRow("one line is header and payload") << call << true << AgwFrame('U', "Q1ABC-13", Wx + '\r') << QStringList{QString::fromLatin1(Wx)} << QString::fromLatin1(Wx) + "\r\n\r\n" << true << keptComment << keptRain;
        QTest::newRow("no CR: empty Rx, two empty history lines") << call << true << AgwFrame('U', "Q1ABC-13", Wx) << QStringList{} << "\r\n\r\n" << false << keptComment << keptRain;
        QTest::newRow("position without _ logged, not decoded") << call << true << AgwFrame('U', "Q1ABC-13", Header + "\r=4903.50N/07201.75W-Home\r") << QStringList{HeaderRow, "=4903.50N/07201.75W-Home"} << HeaderRow + "\r\n=4903.50N/07201.75W-Home\r\n" << false << keptComment << keptRain;
        QTest::newRow("version") << call << true << AgwFrame('R', "", QByteArray::fromHex("d50700007f000000")) << EarlierRows << "" << false << "Anemora connesso a AGWPE v2005.127" << keptRain;
        QTest::newRow("version 7.5") << call << true << AgwFrame('R', "", QByteArray::fromHex("0700000005000000")) << EarlierRows << "" << false << "Anemora connesso a AGWPE v7.5" << keptRain;
        QTest::newRow("version above 32767") << call << true << AgwFrame('R', "", QByteArray::fromHex("ffff000000800000")) << EarlierRows << "" << false << "Anemora connesso a AGWPE v65535.32768" << keptRain;
        QTest::newRow("short version reply") << call << true << AgwFrame('R', "", "\x02") << EarlierRows << "" << false << "Anemora connesso a AGWPE v2.0" << keptRain;
        QTest::newRow("ports") << call << true << AgwFrame('G', "", "3;Port1 x;Port2 y;") << EarlierRows << "" << false << keptComment << "Porte Radio : 3";
        QTest::newRow("ports, empty call takes the Rx rows") << "" << true << AgwFrame('G', "", "2;P") << EarlierRows << "OLD>APRS:\r\nold payload\r\n" << false << keptComment << "Porte Radio : 2";
        QTest::newRow("other kind empties the sender") << "" << true << AgwFrame('X', "Q1ABC-13", "z") << EarlierRows << "OLD>APRS:\r\nold payload\r\n" << false << keptComment << keptRain;
        QTest::newRow("other kind from the station not accepted") << call << true << AgwFrame('X', "Q1ABC-13", "z") << EarlierRows << "" << false << keptComment << keptRain;
        for (const char kind : {'u', 't', 'g', 'r'}) {
            QTest::newRow(qPrintable(QStringLiteral("lower-case %1").arg(kind))) << call << true << AgwFrame(kind, "Q1ABC-13", monitored) << EarlierRows << "" << false << keptComment << keptRain;
            // clang-format on
        }
    }
    void frame() {
        QFETCH(QString, stationCall);
        QFETCH(bool, accept);
        QFETCH(QByteArray, frame);
        QFETCH(QString, history);
        QFETCH(bool, decoded);
        config.StationCall = stationCall;
        monitor->acceptNextReport = accept;

        monitor->HandleAgwFrame(frame, 0, AgwDataLen(frame, 0));

        QTEST(monitor->model.rxRows, "rows");
        QCOMPARE(monitor->model.history, "Dati storici" + history);
        QCOMPARE(monitor->minutesSinceReport == 0, decoded);
        if (!decoded) {
            QTEST(monitor->model.comment, "comment");
            QTEST(monitor->model.rain.text, "rain");
        }
    }

    void frameAtAnOffset() {
        const QByteArray first = AgwFrame('G', "", "4;");
        const QByteArray second = AgwFrame('U', "Q1ABC-13", Header + '\r' + Wx + "\r\r");
        const QByteArray read = first + second;
        monitor->HandleAgwFrame(read, 0, AgwDataLen(read, 0));
        monitor->HandleAgwFrame(read, int(first.size()), AgwDataLen(read, first.size()));
        QCOMPARE(monitor->model.rxRows, (QStringList{HeaderRow, QString::fromLatin1(Wx)}));
        QCOMPARE(monitor->minutesSinceReport, 0);
    }

    void framesBeyondTheArrayAreIgnored() {
        const QByteArray frame = AgwFrame('U', "Q1ABC-13", Header + '\r' + Wx + "\r");
        // A length past the end, or an offset outside the array, reads nothing.
        monitor->HandleAgwFrame(frame, 0, AgwDataLen(frame, 0) + 1);
        monitor->HandleAgwFrame(frame, int(frame.size()), 1);
        monitor->HandleAgwFrame(frame, -36, 1);
        QCOMPARE(monitor->model.rxRows, EarlierRows);
        QCOMPARE(monitor->model.history, QStringLiteral("Dati storici"));
        QCOMPARE(monitor->minutesSinceReport, 7);
    }

private:
    WxConfig config;
    FakeNotifications notifications;
    StationMonitor *monitor = nullptr;
};

QTEST_GUILESS_MAIN(TestAgwFrameHandling)
#include "tst_agw_frame_handling.moc"
