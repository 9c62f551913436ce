// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/fakes.h"
#include "common/settings.h"
#include "monitor/station_monitor.h"

#include <QSignalSpy>
#include <QTest>

using namespace anemora;
using namespace anemora::test;

namespace {

const QString Wx = QStringLiteral("_10090556c220s004g005t077r000p000P000h50b09900");
const QStringList EarlierRows{QStringLiteral("OLD>APRS:"), QStringLiteral("old payload")};
// What the history entry's stamp reads with the Italian locale in UTC.
const QString Stamp = QStringLiteral("[05/03/24 07:01:02 UTC] ");

} // namespace

class TestAprsLineHandling : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

    void init() {
        config = Settings();
        notifications = FakeNotifications{};
        monitor = new StationMonitor(config, notifications, QString());
        monitor->clock = [] { return QDateTime(QDate(2024, 3, 5), QTime(7, 1, 2)); };
        monitor->model.rxRows = EarlierRows;
        // Any decoded report resets the minutes counter: that shows a decoder call.
        monitor->minutesSinceReport = 7;
    }

    void cleanup() {
        delete monitor;
        monitor = nullptr;
    }

    void line_data() {
        QTest::addColumn<QString>("stationCall");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<bool>("history");
        QTest::addColumn<bool>("decoded");

        const QString call = QStringLiteral("Q1ABC-13");
        const QString station = QStringLiteral("Q1ABC-13>APRS,TCPIP*,qAC,XYZ:");
        const QStringList stationRows{station, Wx};

        // clang-format off
        QTest::newRow("station weather") << call << true << station + Wx << stationRows << true << true;
        QTest::newRow("gate closed: Rx only") << call << false << station + Wx << stationRows << false << false;
        QTest::newRow("other SSID") << call << true << "Q1ABC-1>APRS:" + Wx << QStringList{"Q1ABC-1>APRS:", Wx} << false << false;
        QTest::newRow("lower case sender") << call << true << "q1abc-13>APRS:" + Wx << QStringList{"q1abc-13>APRS:", Wx} << false << false;
        QTest::newRow("prefix of the call") << "Q1ABC" << true << "Q1ABC-1>APRS:" + Wx << QStringList{"Q1ABC-1>APRS:", Wx} << false << false;
        QTest::newRow("longer sender with same prefix") << call << true << "Q1ABC-13X>APRS:" + Wx << QStringList{"Q1ABC-13X>APRS:", Wx} << false << false;
        QTest::newRow("blank after the call") << "Q1ABC-13 " << true << station + Wx << stationRows << false << false;

        const QString posWx = QStringLiteral("!4903.50N/07201.75W_220/004g005t077");
        for (const QChar type : {u'!', u'=', u'/', u'@', u';'}) {
            const QString withWx = type + posWx.mid(1);
            QTest::newRow(qPrintable(QStringLiteral("type %1 with _").arg(type))) << call << true << "Q1ABC-13>APRS:" + withWx << QStringList{"Q1ABC-13>APRS:", withWx} << true << true;
            const QString noWx = type + QStringLiteral("4903.50N/07201.75W-Home");
            QTest::newRow(qPrintable(QStringLiteral("type %1 without _").arg(type))) << call << true << "Q1ABC-13>APRS:" + noWx << QStringList{"Q1ABC-13>APRS:", noWx} << true << false;
        }
        for (const QString &payload : {QStringLiteral(">status_text"), QStringLiteral("`mic_e"),
                                       QStringLiteral(":Q1ABC-13 :msg_1"), QStringLiteral("T#_1"),
                                       QStringLiteral(" _10090556")}) {
            QTest::newRow(qPrintable("type not decoded: " + payload)) << call << true << "Q1ABC-13>APRS:" + payload << QStringList{"Q1ABC-13>APRS:", payload} << true << false;
        }
        QTest::newRow("empty payload") << call << true << "Q1ABC-13>APRS:" << QStringList{"Q1ABC-13>APRS:", ""} << true << false;
        QTest::newRow("only the first colon after > splits") << call << true << "Q1ABC-13>APRS,qAR,X:_1:2" << QStringList{"Q1ABC-13>APRS,qAR,X:", "_1:2"} << true << true;
        QTest::newRow("station line without colon repeats the rows") << call << true << "Q1ABC-13>APRS" << EarlierRows << true << false;
        QTest::newRow("server comment with a time") << call << true << "# aprsc 2.1 5 Mar 2024 07:01:02 GMT" << QStringList{"# aprsc 2.1 5 Mar 2024 07:", "01:02 GMT"} << false << false;
        QTest::newRow("comment, empty station call") << "" << true << "# aprsc 07:01" << QStringList{"# aprsc 07:", "01"} << true << false;
        QTest::newRow("empty line") << call << true << "" << EarlierRows << false << false;
        QTest::newRow("empty line, empty station call") << "" << true << "" << EarlierRows << true << false;
        QTest::newRow("only >") << call << true << ">" << EarlierRows << false << false;
        QTest::newRow("only >, empty station call") << "" << true << ">" << EarlierRows << true << false;
        QTest::newRow("only :") << call << true << ":" << QStringList{":", ""} << false << false;
        QTest::newRow("empty sender, empty call, weather") << "" << true << ">APRS:" + Wx << QStringList{">APRS:", Wx} << true << true;
        QTest::newRow("logresp") << call << true << "# logresp QRVSWL unverified, server XYZ OK" << QStringList{"server XYZ ", "OK"} << false << false;
        QTest::newRow("logresp without OK") << call << true << "# logresp QRVSWL unverified, server T2X" << QStringList{"server T2X", ""} << false << false;
        QTest::newRow("logresp with OK before the comma") << call << true << "# logresp OK9Z unverified, server T2X" << QStringList{"server T2X", ""} << false << false;
        QTest::newRow("logresp with colon takes reply rows") << call << true << "# logresp QRVSWL verified, server 07:01 OK" << QStringList{"server 07:01 ", "OK"} << false << false;
        QTest::newRow("binary bytes") << call << true << QString::fromLatin1("Q1ABC-13>AP\x01:_\x00\xff", 16) << QStringList{QString::fromLatin1("Q1ABC-13>AP\x01:"), QString::fromLatin1("_\x00\xff", 3)} << true << true;
        // clang-format on
    }
    void line() {
        QFETCH(QString, stationCall);
        QFETCH(bool, accept);
        QFETCH(QString, line);
        QFETCH(QStringList, rows);
        QFETCH(bool, history);
        config.StationCall = stationCall;
        monitor->acceptNextReport = accept;
        QSignalSpy changed(monitor, &StationMonitor::displayChanged);

        monitor->HandleAprsLine(line);

        QCOMPARE(monitor->model.rxRows, rows);
        const QString entry = Stamp + rows.value(0) + "\r\n" + rows.value(1) + "\r\n";
        QCOMPARE(monitor->model.history,
                 history ? QStringLiteral("Dati storici") + entry : QStringLiteral("Dati storici"));
        QTEST(monitor->minutesSinceReport == 0, "decoded");
        QVERIFY(!changed.isEmpty());
    }

    void historyTrim_data() {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("kept");

        // clang-format off
        QTest::newRow("9999 kept whole") << 9999 << 9999;
        QTest::newRow("10000 trimmed to last 9800") << 10000 << 9800;
        QTest::newRow("50000 trimmed to last 9800") << 50000 << 9800;
        QTest::newRow("short kept whole") << 12 << 12;
        // clang-format on
    }
    void historyTrim() {
        QFETCH(int, before);
        QFETCH(int, kept);
        // Distinct characters, so the kept part is known to be the tail.
        QString text;
        for (int i = 0; i < before; ++i)
            text += QChar(u'A' + i % 26);
        monitor->model.history = text;

        monitor->HandleAprsLine("Q1ABC-13>APRS:>status");

        const QString entry = Stamp + "Q1ABC-13>APRS:\r\n>status\r\n";
        QCOMPARE(monitor->model.history, text.right(kept) + entry);
    }

    void decodedReportClosesGateForLaterPackets() {
        const QString line = "Q1ABC-13>APRS:" + Wx;
        monitor->HandleAprsLine(line);
        QVERIFY(!monitor->acceptNextReport);
        QCOMPARE(notifications.timerRestarts, 1);
        const QString afterFirst = monitor->model.history;

        // A duplicate within the minute: shown in Rx, neither logged nor decoded.
        monitor->minutesSinceReport = 3;
        monitor->HandleAprsLine("Q1ABC-13>APRS,WIDE1-1:" + Wx);
        QCOMPARE(monitor->model.rxRows.value(0), QStringLiteral("Q1ABC-13>APRS,WIDE1-1:"));
        QCOMPARE(monitor->model.history, afterFirst);
        QCOMPARE(monitor->minutesSinceReport, 3);
        QCOMPARE(notifications.timerRestarts, 1);
    }

    void hugeLinesLeaveStateSound() {
        const QString megabyte(1 << 20, u'x');
        monitor->HandleAprsLine(megabyte);
        QCOMPARE(monitor->model.rxRows, EarlierRows);

        // Sender, header and payload all far beyond 16-bit positions.
        config.StationCall = QString(40000, u'S');
        const QString header = config.StationCall + ">APRS," + QString(40000, u'P') + ':';
        monitor->HandleAprsLine(header + Wx + QString(40000, u' '));
        QCOMPARE(monitor->model.rxRows.value(0), header);
        QCOMPARE(monitor->minutesSinceReport, 0);
        QVERIFY(monitor->model.history.endsWith(Wx + QString(40000, u' ') + "\r\n"));
        // The history keeps its bound even after an entry that long.
        const QString text = monitor->model.history;
        monitor->acceptNextReport = true;
        monitor->HandleAprsLine(config.StationCall + ">APRS:>s");
        QCOMPARE(monitor->model.history,
                 text.right(9800) + Stamp + config.StationCall + ">APRS:\r\n>s\r\n");
    }

private:
    WxConfig config;
    FakeNotifications notifications;
    StationMonitor *monitor = nullptr;
};

int main(int argc, char *argv[]) {
    // History stamps carry the zone's name; keep it fixed.
    qputenv("TZ", "UTC");
    QCoreApplication app(argc, argv);
    TestAprsLineHandling test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_aprs_line_handling.moc"
