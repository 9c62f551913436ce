// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/broker.h"
#include "common/files.h"
#include "common/loopback.h"
#include "config/display_language.h"
#include "publish/mqtt_messages.h"
#include "publish/mqtt_publisher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace anemora;
using test::Broker;
using test::Password;
using test::Subscriber;
using test::User;
using Status = MqttPublisher::Status;

namespace {

const QString Call = QStringLiteral("Q1ABC-13");

MqttSettings On(quint16 port, const QString &user = {}, const QString &password = {},
                bool tls = false) {
    return {true, QStringLiteral("127.0.0.1"), port, user, password, tls};
}

// A key and certificate for 127.0.0.1 at `path` (.key, .pem), signed by the
// authority at `authority`, or by itself: an authority.
bool Certify(const QString &path, const QString &authority = {}) {
    QStringList arguments = QStringLiteral("req -x509 -nodes -days 2 -newkey ec -pkeyopt "
                                           "ec_paramgen_curve:prime256v1 -addext "
                                           "subjectAltName=IP:127.0.0.1 -subj /CN=")
                                .split(' ');
    arguments.last() += QFileInfo(path).fileName();
    arguments << "-keyout" << path + ".key"
              << "-out" << path + ".pem";
    if (!authority.isEmpty())
        arguments << "-CA" << authority + ".pem"
                  << "-CAkey" << authority + ".key";
    QProcess openssl;
    openssl.start("openssl", arguments);
    return openssl.waitForFinished() && openssl.exitCode() == 0;
}

// A report with values and absent ones; the temperature tells one from another.
StationLogRow Report(float temperature) {
    const QDateTime arrival(QDate(2026, 12, 7), QTime(14, 22, 49), Qt::UTC);
    return {arrival, Call,    220, 6.4f, std::nullopt, temperature, -5.1f,
            87,      1013.2f, -2,  0,    1.8f,         std::nullopt};
}

// Threads of this process running just now.
qsizetype RunningThreads() {
    return QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
}

} // namespace

class TestMqttPublisher : public QObject {
    Q_OBJECT

    Broker broker;
    Subscriber subscriber;
    MqttPublisher publisher;

private slots:
    void initTestCase() {
        QVERIFY(broker.Start());
        QVERIFY(subscriber.Start(broker.port));
        publisher.Apply(On(broker.port), Call);
        publisher.Publish(Report(-3.5f));
        QTRY_COMPARE(publisher.status(), Status::Online);
    }

    void topicSafeCall_data() {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("safe");
        // clang-format off
        QTest::newRow("upper case and SSID") << "Q1ABC-13" << "q1abc-13";
        QTest::newRow("wildcards and levels") << "A/B+C#" << "a_b_c_";
        QTest::newRow("accent and space") << QString::fromLatin1("\xC9X 1") << "_x_1";
        // clang-format on
    }
    void topicSafeCall() {
        QFETCH(QString, call);
        QTEST(TopicSafeCall(call), "safe");
    }

    void messages_data() {
        QTest::addColumn<QByteArray>("topic");
        QTest::addColumn<QByteArray>("payload");
        // clang-format off
        QTest::newRow("state, absent values null") << QByteArray("anemora/q1abc-13/state") << QByteArray(R"({"time_utc":"2026-12-07T14:22:49Z","station":"Q1ABC-13","wind_direction_deg":220,"wind_speed_kmh":6.4,"gust_kmh":null,"temperature_c":-3.5,"dew_point_c":-5.1,"humidity_pct":87,"pressure_mb":1013.2,"pressure_change_4h_mb":-2,"rain_1h_mm":0,"rain_since_midnight_mm":1.8,"rain_24h_mm":null})");
        QTest::newRow("availability") << QByteArray("anemora/q1abc-13/availability") << QByteArray("online");
        QTest::newRow("wind direction config") << QByteArray("homeassistant/sensor/anemora_q1abc-13/wind_direction/config") << QByteArray(R"({"name":"Wind direction","unique_id":"anemora_q1abc-13_wind_direction","state_topic":"anemora/q1abc-13/state","availability_topic":"anemora/q1abc-13/availability","device_class":"wind_direction","state_class":"measurement_angle","unit_of_measurement":"°","value_template":"{{ value_json.wind_direction_deg }}","device":{"identifiers":["anemora_q1abc-13"],"name":"Q1ABC-13","manufacturer":"Anemora","model":"APRS weather station"}})");
        QTest::newRow("wind speed config") << QByteArray("homeassistant/sensor/anemora_q1abc-13/wind_speed/config") << QByteArray(R"({"name":"Wind speed","unique_id":"anemora_q1abc-13_wind_speed","state_topic":"anemora/q1abc-13/state","availability_topic":"anemora/q1abc-13/availability","device_class":"wind_speed","state_class":"measurement","unit_of_measurement":"km/h","value_template":"{{ value_json.wind_speed_kmh }}","device":{"identifiers":["anemora_q1abc-13"],"name":"Q1ABC-13","manufacturer":"Anemora","model":"APRS weather station"}})");
        QTest::newRow("gust config") << QByteArray("homeassistant/sensor/anemora_q1abc-13/gust/config") << QByteArray(R"({"name":"Gust","unique_id":"anemora_q1abc-13_gust","state_topic":"anemora/q1abc-13/state","availability_topic":"anemora/q1abc-13/availability","device_class":"wind_speed","state_class":"measurement","unit_of_measurement":"km/h","value_template":"{{ value_json.gust_kmh }}","device":{"identifiers":["anemora_q1abc-13"],"name":"Q1ABC-13","manufacturer":"Anemora","model":"APRS weather station"}})");
        QTest::newRow("temperature config") << QByteArray("homeassistant/sensor/anemora_q1abc-13/temperature/config") << QByteArray(R"({"name":"Temperature","unique_id":"anemora_q1abc-13_temperature","state_topic":"anemora/q1abc-13/state","availability_topic":"anemora/q1abc-13/availability","device_class":"temperature","state_class":"measurement","unit_of_measurement":"°C","value_template":"{{ value_json.temperature_c }}","device":{"identifiers":["anemora_q1abc-13"],"name":"Q1ABC-13","manufacturer":"Anemora","model":"APRS weather station"}})");
        QTest::newRow("dew point config") << QByteArray("homeassistant/sensor/anemora_q1abc-13/dew_point/config") << QByteArray(R"({"name":"Dew point","unique_id":"anemora_q1abc-13_dew_point","state_topic":"anemora/q1abc-13/state","availability_topic":"anemora/q1abc-13/availability","device_class":"temperature","state_class":"measurement","unit_of_measurement":"°C","value_template":"{{ value_json.dew_point_c }}","device":{"identifiers":["anemora_q1abc-13"],"name":"Q1ABC-13","manufacturer":"Anemora","model":"APRS weather station"}})");
        QTest::newRow("humidity config") << QByteArray("homeassistant/sensor/anemora_q1abc-13/humidity/config") << QByteArray(R"({"name":"Humidity","unique_id":"anemora_q1abc-13_humidity","state_topic":"anemora/q1abc-13/state","availability_topic":"anemora/q1abc-13/availability","device_class":"humidity","state_class":"measurement","unit_of_measurement":"%","value_template":"{{ value_json.humidity_pct }}","device":{"identifiers":["anemora_q1abc-13"],"name":"Q1ABC-13","manufacturer":"Anemora","model":"APRS weather station"}})");
        QTest::newRow("pressure config") << QByteArray("homeassistant/sensor/anemora_q1abc-13/pressure/config") << QByteArray(R"({"name":"Pressure","unique_id":"anemora_q1abc-13_pressure","state_topic":"anemora/q1abc-13/state","availability_topic":"anemora/q1abc-13/availability","device_class":"atmospheric_pressure","state_class":"measurement","unit_of_measurement":"mbar","value_template":"{{ value_json.pressure_mb }}","device":{"identifiers":["anemora_q1abc-13"],"name":"Q1ABC-13","manufacturer":"Anemora","model":"APRS weather station"}})");
        QTest::newRow("pressure change 4h config") << QByteArray("homeassistant/sensor/anemora_q1abc-13/pressure_change_4h/config") << QByteArray(R"({"name":"Pressure change in 4 h","unique_id":"anemora_q1abc-13_pressure_change_4h","state_topic":"anemora/q1abc-13/state","availability_topic":"anemora/q1abc-13/availability","device_class":"pressure","state_class":"measurement","unit_of_measurement":"mbar","value_template":"{{ value_json.pressure_change_4h_mb }}","device":{"identifiers":["anemora_q1abc-13"],"name":"Q1ABC-13","manufacturer":"Anemora","model":"APRS weather station"}})");
        QTest::newRow("rain 1h config") << QByteArray("homeassistant/sensor/anemora_q1abc-13/rain_1h/config") << QByteArray(R"({"name":"Rain in the last hour","unique_id":"anemora_q1abc-13_rain_1h","state_topic":"anemora/q1abc-13/state","availability_topic":"anemora/q1abc-13/availability","device_class":"precipitation","state_class":"measurement","unit_of_measurement":"mm","value_template":"{{ value_json.rain_1h_mm }}","device":{"identifiers":["anemora_q1abc-13"],"name":"Q1ABC-13","manufacturer":"Anemora","model":"APRS weather station"}})");
        QTest::newRow("rain since midnight config") << QByteArray("homeassistant/sensor/anemora_q1abc-13/rain_since_midnight/config") << QByteArray(R"({"name":"Rain since midnight","unique_id":"anemora_q1abc-13_rain_since_midnight","state_topic":"anemora/q1abc-13/state","availability_topic":"anemora/q1abc-13/availability","device_class":"precipitation","state_class":"total_increasing","unit_of_measurement":"mm","value_template":"{{ value_json.rain_since_midnight_mm }}","device":{"identifiers":["anemora_q1abc-13"],"name":"Q1ABC-13","manufacturer":"Anemora","model":"APRS weather station"}})");
        QTest::newRow("rain 24h config") << QByteArray("homeassistant/sensor/anemora_q1abc-13/rain_24h/config") << QByteArray(R"({"name":"Rain in the last 24 h","unique_id":"anemora_q1abc-13_rain_24h","state_topic":"anemora/q1abc-13/state","availability_topic":"anemora/q1abc-13/availability","device_class":"precipitation","state_class":"measurement","unit_of_measurement":"mm","value_template":"{{ value_json.rain_24h_mm }}","device":{"identifiers":["anemora_q1abc-13"],"name":"Q1ABC-13","manufacturer":"Anemora","model":"APRS weather station"}})");
        // clang-format on
    }
    void messages() {
        QFETCH(QByteArray, topic);
        QFETCH(QByteArray, payload);
        QTRY_COMPARE(subscriber.Latest(topic), payload);
    }

    // With the alarm set, the readings expire after its minutes and a problem
    // sensor follows it, retained; set off, the configs are as before.
    void dataStoppedAlarm() {
        const QByteArray gust = "homeassistant/sensor/anemora_q1abc-13/gust/config";
        const QByteArray problem =
            "homeassistant/binary_sensor/anemora_q1abc-13/data_stopped/config";
        const QByteArray problemConfig =
            R"({"name":"Data stopped","unique_id":"anemora_q1abc-13_data_stopped","state_topic":"anemora/q1abc-13/data_stopped","availability_topic":"anemora/q1abc-13/availability","device_class":"problem","device":{"identifiers":["anemora_q1abc-13"],"name":"Q1ABC-13","manufacturer":"Anemora","model":"APRS weather station"}})";
        QVERIFY(subscriber.Seen(DataStoppedTopic(Call)).isEmpty());
        publisher.Apply(On(broker.port), Call, 5);
        QTRY_VERIFY(subscriber.Latest(gust).contains("/availability\",\"expire_after\":300,\""));
        QTRY_COMPARE(subscriber.Latest(problem), problemConfig);
        QTRY_COMPARE(subscriber.Latest(DataStoppedTopic(Call)), "OFF");
        publisher.SetDataStopped(true);
        QTRY_COMPARE(subscriber.Latest(DataStoppedTopic(Call)), "ON");
        QVERIFY(subscriber.Start(broker.port));
        QTRY_COMPARE(subscriber.Latest(DataStoppedTopic(Call)), "ON");
        publisher.SetDataStopped(false);
        QTRY_COMPARE(subscriber.Seen(DataStoppedTopic(Call)), (QList<QByteArray>{"ON", "OFF"}));
        publisher.Apply(On(broker.port), Call);
        QTRY_VERIFY(!subscriber.Latest(gust).contains("expire_after"));
        QVERIFY(subscriber.Start(broker.port));
        QTRY_VERIFY(!subscriber.Latest(gust).isEmpty());
        QCOMPARE(subscriber.Latest(problem) + subscriber.Latest(DataStoppedTopic(Call)), "");
    }

    void clientThreadsEndWithThePublisher_data() {
        QTest::addColumn<QString>("nextCall");
        // clang-format off
        QTest::newRow("turned off, as at the program's end") << QString();
        QTest::newRow("another station, then destroyed") << QStringLiteral("Q1ABC-8");
        // clang-format on
    }
    // Every client thread has said goodbye and ended by the time its
    // publisher is gone: none outlives the program. A thread left running
    // ends by itself a moment later, so each way goes round a few times.
    void clientThreadsEndWithThePublisher() {
        QFETCH(QString, nextCall);
        const qsizetype threads = RunningThreads();
        for (int round = 0; round < 5; ++round) {
            auto client = std::make_unique<MqttPublisher>();
            client->Apply(On(broker.port), QStringLiteral("Q1ABC-9"));
            QTRY_COMPARE(client->status(), Status::Online);
            client->Apply(nextCall.isEmpty() ? MqttSettings() : On(broker.port), nextCall);
            client.reset();
            QCOMPARE(RunningThreads(), threads);
        }
    }

    // The program itself, from a folder of its own where its settings live;
    // reconnecting by itself, its link to no server opens no box.
    void lastWillOnceTheProgramIsKilled() {
        QTemporaryDir folder;
        const QString program = folder.filePath("anemora");
        QVERIFY(QFile::copy(ANEMORA_PROGRAM, program));
        test::WriteBytes(folder.filePath("Anemora.ini"),
                         "[Links]\nReconnect=true\n[Mqtt]\nEnabled=true\nHost=127.0.0.1\nPort=" +
                             QByteArray::number(broker.port) + '\n');
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", folder.path());
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        child.setProcessEnvironment(environment);
        child.start(program, {"Q1ABC-7", "S:127.0.0.1:1"});
        QTRY_COMPARE_WITH_TIMEOUT(subscriber.Latest("anemora/q1abc-7/availability"), "online",
                                  10000);
        child.kill();
        QVERIFY(child.waitForFinished());
        QTRY_COMPARE(subscriber.Latest("anemora/q1abc-7/availability"), "offline");
    }

    void brokerAccess_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        // The authority that signed the broker's certificate; no TLS when empty.
        QTest::addColumn<QString>("signer");
        QTest::addColumn<bool>("online");
        // clang-format off
        QTest::newRow("right password") << User << Password << "" << true;
        QTest::newRow("wrong password") << User << "wrong secret" << "" << false;
        QTest::newRow("no login") << QString() << QString() << "" << false;
        QTest::newRow("certificate from the trusted authority") << QString() << QString() << "authorities/trusted" << true;
        QTest::newRow("certificate from another authority") << QString() << QString() << "other" << false;
        // clang-format on
    }
    // A password file guards the broker unless it is on TLS, where trusted is
    // the one authority in a folder of the test's own.
    void brokerAccess() {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QString, signer);
        QFETCH(bool, online);
        const bool tls = !signer.isEmpty();
        QTemporaryDir files;
        QVERIFY(QDir(files.path()).mkdir("authorities"));
        if (tls) {
            QVERIFY(Certify(files.filePath("authorities/trusted")) &&
                    Certify(files.filePath("other")));
            QVERIFY(Certify(files.filePath("broker"), files.filePath(signer)));
            QCOMPARE(QProcess::execute("openssl", {"rehash", files.filePath("authorities")}), 0);
        }
        Broker guarded;
        QVERIFY(guarded.Start(!tls, tls ? files.filePath("broker") : QString()));
        MqttPublisher client(files.filePath("authorities"));
        client.Apply(On(guarded.port, user, password, tls), Call);
        QTRY_VERIFY(client.status() == Status::Online || !client.lastError().isEmpty());
        QCOMPARE(client.status() == Status::Online, online);
        QCOMPARE(client.lastError().isEmpty(), online);
        QVERIFY(password.isEmpty() || !client.lastError().contains(password));
        QCOMPARE(client.StatusText().contains("non riuscita (certificate verify failed)"),
                 signer == "other");
    }

    // Broker away: the publisher keeps retrying and keeps the latest report
    // alone; back, it is sent again with the discovery and "online".
    void brokerRestartGetsLatestStateOnly() {
        broker.Stop();
        // A failed attempt puts the next one at least 2 s away: time for the
        // subscriber to be back first.
        QTRY_VERIFY(publisher.lastError().contains("non riuscita"));
        // Told in the language of the moment, not the one it happened in.
        ApplyLanguage(DisplayLanguage::English);
        const QString english = publisher.StatusText();
        ApplyLanguage(DisplayLanguage::Italian);
        QVERIFY2(english.contains(": connection failed ("), qPrintable(english));
        QCOMPARE(publisher.status(), Status::Connecting);
        publisher.Publish(Report(1));
        publisher.Publish(Report(2));
        QVERIFY(broker.Start());
        QVERIFY(subscriber.Start(broker.port));
        QTRY_COMPARE_WITH_TIMEOUT(subscriber.Seen(StateTopic(Call)), QList{StateJson(Report(2))},
                                  10000);
        QCOMPARE(subscriber.Latest(AvailabilityTopic(Call)), "online");
        QVERIFY(
            !subscriber.Latest("homeassistant/sensor/anemora_q1abc-13/rain_24h/config").isEmpty());
        QCOMPARE(publisher.lastError(), QString());
        publisher.Apply({}, Call);
        QCOMPARE(publisher.status(), Status::Off);
        QTRY_COMPARE(subscriber.Latest(AvailabilityTopic(Call)), "offline");
    }
};

QTEST_GUILESS_MAIN(TestMqttPublisher)
#include "tst_mqtt_publisher.moc"
