#include "weather/station_monitor.h"

#include <QtTest>

using namespace anemora;

namespace {

class RecordingNotifications : public Notifications {
public:
    void PlaySound(const QString &path) override { sounds << path; }
    void BringForward() override { ++broughtForward; }
    void RestartElapsedTimer() override { ++timerRestarts; }

    QStringList sounds;
    int broughtForward = 0;
    int timerRestarts = 0;
};

} // namespace

class TestDecodeWxReport : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void gateAndTimer_data();
    void gateAndTimer();

private:
    WxConfig config;
    RecordingNotifications notifications;
    StationMonitor *monitor = nullptr;
    QTemporaryDir appDir;
};

void TestDecodeWxReport::init() {
    config = WxConfig{};
    config.StationCall = QStringLiteral("IZ1ABC-13");
    notifications = RecordingNotifications{};
    monitor = new StationMonitor(config, notifications, appDir.path());
}

void TestDecodeWxReport::cleanup() {
    delete monitor;
    monitor = nullptr;
}

void TestDecodeWxReport::gateAndTimer_data() {
    QTest::addColumn<QString>("payload");
    QTest::addColumn<bool>("beepNewData");
    QTest::addColumn<bool>("gateOpen");
    QTest::addColumn<int>("restarts");
    QTest::addColumn<int>("sounds");

    const QString wind = QStringLiteral("_10090556c220s004g005t077r000p000P000h50b09900wRSW");
    const QString dots = QStringLiteral("_10090556c...s...t077");
    QTest::newRow("wind closes the gate") << wind << false << false << 1 << 0;
    QTest::newRow("wind with new-data sound") << wind << true << false << 1 << 1;
    QTest::newRow("no direction keeps the gate") << dots << true << true << 0 << 0;
}

void TestDecodeWxReport::gateAndTimer() {
    QFETCH(QString, payload);
    QFETCH(bool, beepNewData);
    QFETCH(bool, gateOpen);
    QFETCH(int, restarts);
    QFETCH(int, sounds);

    config.BeepNewData = beepNewData;
    monitor->MinutesSinceReport = 7;
    monitor->model.lblElapsed = QStringLiteral("07");
    QSignalSpy changed(monitor, &StationMonitor::displayChanged);

    monitor->DecodeWxReport(payload);

    QCOMPARE(monitor->AcceptNextReport, gateOpen);
    QCOMPARE(notifications.timerRestarts, restarts);
    QCOMPARE(notifications.sounds.size(), sounds);
    QCOMPARE(monitor->MinutesSinceReport, qint16(0));
    QCOMPARE(monitor->model.lblElapsed, QStringLiteral("00"));
    QVERIFY(monitor->HaveLastValues);
    QCOMPARE(changed.size(), 1);
}

QTEST_GUILESS_MAIN(TestDecodeWxReport)
#include "tst_decode_wx_report.moc"
