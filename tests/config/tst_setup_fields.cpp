// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/files.h"
#include "common/settings.h"
#include "config/setup_fields.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace anemora;
using namespace anemora::test;

namespace {

// The field a refusal names, as the table below writes it.
QString RefusedName(const SetupRefusal &refusal) {
    switch (refusal.field) {
    case SetupField::Threshold:
        return QLatin1String(ThresholdNames[refusal.threshold]);
    case SetupField::AgwHost:
        return QStringLiteral("AgwHost");
    case SetupField::AgwPort:
        return QStringLiteral("AgwPort");
    case SetupField::MqttHost:
        return QStringLiteral("MqttHost");
    case SetupField::MqttPort:
        return QStringLiteral("MqttPort");
    case SetupField::Server:
        break;
    }
    return QStringLiteral("Server");
}

// Both links off, the APRS-IS one still to be reopened.
WxConfig DefaultConfig(const QString &serverListPath) {
    WxConfig config = Settings()
                          .AlarmDefaults()
                          .ServerList(serverListPath, 5)
                          .Agw("localhost", 8000)
                          .Aprs("host", 14580);
    config.AgwEnabled = config.AgwActive = config.AprsEnabled = false;
    config.FocusAlarm = false;
    config.SaveAlarms = true;
    config.HiGust = 80.5f;
    return config;
}

// A form that passes every check, with the APRS-IS link on.
SetupFields ValidFields() {
    SetupFields fields;
    fields.call = "Q1ABC";
    fields.threshold(AlarmThreshold::HiWind) = "50.0";
    fields.threshold(AlarmThreshold::HiGust) = "80.0";
    fields.threshold(AlarmThreshold::LoTemp) = "-5.0";
    fields.threshold(AlarmThreshold::HiTemp) = "40.0";
    fields.threshold(AlarmThreshold::LoHum) = "20";
    fields.threshold(AlarmThreshold::HiHum) = "96";
    fields.threshold(AlarmThreshold::LoBaro) = "900.0";
    fields.threshold(AlarmThreshold::HiBaro) = "1,040.0";
    fields.threshold(AlarmThreshold::HiRainHour) = "40.0";
    fields.threshold(AlarmThreshold::HiRain24) = "250.0";
    fields.agwHost = "localhost";
    fields.agwPort = "8000";
    fields.aprsEnabled = true;
    fields.serverItems = QStringList{"first:14580", "nocolon", "second:10152"};
    fields.serverPosition = 0;
    fields.serverText = "first:14580";
    return fields;
}

} // namespace

class TestSetupFields : public QObject {
    Q_OBJECT
private slots:
    void callFilter_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("confirmable");
        // clang-format off
        QTest::newRow("lower case raised") << "abc-1" << "ABC-1" << true;
        QTest::newRow("space slash and dot dropped") << "a b/c.d" << "ABCD" << true;
        QTest::newRow("percent and apostrophe dropped") << "AB%'" << "AB" << false;
        QTest::newRow("accented letters dropped") << QStringLiteral("QàB1") << "QB1" << true;
        QTest::newRow("two characters are too few") << "q1" << "Q1" << false;
        QTest::newRow("empty") << "" << "" << false;
        QTest::newRow("three characters suffice") << "Q1A" << "Q1A" << true;
        // clang-format on
    }
    void callFilter() {
        QFETCH(QString, typed);
        QTEST(FilterCallText(typed), "shown");
        QTEST(CallLongEnough(FilterCallText(typed)), "confirmable");
    }

    void formatThreshold_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        const QLocale en(QLocale::English, QLocale::UnitedStates);
        const QLocale it(QLocale::Italian, QLocale::Italy);
        // clang-format off
        QTest::newRow("en grouping") << en << 1040.0f << "1,040.0";
        QTest::newRow("it grouping") << it << 1040.0f << "1.040,0";
        QTest::newRow("en negative") << en << -5.0f << "-5.0";
        QTest::newRow("it negative") << it << -12.5f << "-12,5";
        QTest::newRow("leading zero") << it << 0.5f << "0,5";
        QTest::newRow("float noise hidden") << en << 80.3f << "80.3";
        QTest::newRow("one decimal rounds") << en << 12.96f << "13.0";
        // clang-format on
    }
    void formatThreshold() {
        QFETCH(QLocale, locale);
        QFETCH(float, value);
        QTEST(FormatThreshold(value, locale), "text");
    }

    void loadFillsEveryField() {
        QTemporaryDir dir;
        WxConfig config = DefaultConfig(dir.filePath("Aprserve.txt"));
        const SetupFields fields =
            LoadSetupFields(config, QLocale(QLocale::Italian, QLocale::Italy));
        QCOMPARE(fields.call, QStringLiteral("Q1ABC-13"));
        QVERIFY(fields.focusNewData && !fields.beepNewData && fields.beepAlarm &&
                !fields.focusAlarm);
        QVERIFY(fields.saveAlarms);
        QCOMPARE(fields.threshold(AlarmThreshold::HiWind), QStringLiteral("50,0"));
        QCOMPARE(fields.threshold(AlarmThreshold::HiGust), QStringLiteral("80,5"));
        QCOMPARE(fields.threshold(AlarmThreshold::LoTemp), QStringLiteral("-5,0"));
        QCOMPARE(fields.threshold(AlarmThreshold::HiTemp), QStringLiteral("40,0"));
        QCOMPARE(fields.threshold(AlarmThreshold::LoHum), QStringLiteral("20"));
        QCOMPARE(fields.threshold(AlarmThreshold::HiHum), QStringLiteral("96"));
        QCOMPARE(fields.threshold(AlarmThreshold::LoBaro), QStringLiteral("900,0"));
        QCOMPARE(fields.threshold(AlarmThreshold::HiBaro), QStringLiteral("1.040,0"));
        QCOMPARE(fields.threshold(AlarmThreshold::HiRainHour), QStringLiteral("40,0"));
        QCOMPARE(fields.threshold(AlarmThreshold::HiRain24), QStringLiteral("250,0"));
        QCOMPARE(fields.agwHost, QStringLiteral("localhost"));
        QCOMPARE(fields.agwPort, QStringLiteral("8000"));
        QVERIFY(!fields.agwEnabled && !fields.aprsEnabled);
    }

    void serverList_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("aprsActive");
        const QByteArray comments = ";APRS-IS servers\r\n; one a line\r\n\r\n";
        // clang-format off
        QTest::newRow("current server selected") << comments + "other:14580\r\nhost:14580\r\n" << QStringList{"other:14580", "host:14580"} << 1 << "host:14580" << true;
        QTest::newRow("last occurrence wins") << QByteArray("host:14580\r\nother:1\r\nhost:14580\r\n") << QStringList{"host:14580", "other:1", "host:14580"} << 2 << "host:14580" << true;
        QTest::newRow("absent: key as text, link to reopen") << QByteArray("other:14580\r\n") << QStringList{"other:14580"} << -1 << "host:14580" << false;
        QTest::newRow("trailing blank before comment does not match") << QByteArray("host:14580 ;main\r\n") << QStringList{"host:14580 "} << -1 << "host:14580" << false;
        QTest::newRow("case matters") << QByteArray("Host:14580\r\n") << QStringList{"Host:14580"} << -1 << "host:14580" << false;
        QTest::newRow("line of blanks is an entry") << QByteArray("   \r\nhost:14580\r\n") << QStringList{"   ", "host:14580"} << 1 << "host:14580" << true;
        QTest::newRow("empty file") << QByteArray() << QStringList{} << -1 << "host:14580" << false;
        // clang-format on
    }
    void serverList() {
        QFETCH(QByteArray, file);
        QFETCH(int, position);
        QTemporaryDir dir;
        WxConfig config = DefaultConfig(dir.filePath("Aprserve.txt"));
        WriteBytes(config.ServerListPath, file);

        SetupFields fields;
        LoadServerList(config, fields);
        QTEST(fields.serverItems, "items");
        QCOMPARE(fields.serverPosition, position);
        QTEST(fields.serverText, "text");
        QCOMPARE(config.ServerIndex, qint16(position));
        QTEST(config.AprsActive, "aprsActive");
    }

    void unreadableServerListKeepsAprsActive() {
        QTemporaryDir dir;
        WxConfig config = DefaultConfig(dir.filePath("missing/Aprserve.txt"));
        SetupFields fields;
        fields.serverText = "stale";
        LoadServerList(config, fields);
        QVERIFY(fields.serverItems.isEmpty());
        QCOMPARE(fields.serverPosition, -1);
        QCOMPARE(fields.serverText, QString());
        QCOMPARE(config.ServerIndex, NoServerIndex);
        QVERIFY(config.AprsActive);
    }

    void readNumbers_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("refused");
        const QLocale en(QLocale::English, QLocale::UnitedStates);
        const QLocale it(QLocale::Italian, QLocale::Italy);
        const QString ok;
        // clang-format off
        QTest::newRow("valid form") << "" << "" << en << ok;
        QTest::newRow("empty threshold") << "HiWind" << "" << en << "HiWind";
        QTest::newRow("letters in threshold") << "HiGust" << "abc" << en << "HiGust";
        QTest::newRow("number then letters") << "LoTemp" << "-5x" << en << "LoTemp";
        QTest::newRow("comma decimal outside its locale") << "HiRain24" << "2,5" << en << "HiRain24";
        QTest::newRow("overflowing float") << "LoBaro" << "1e99" << en << "LoBaro";
        QTest::newRow("humidity 100 allowed") << "HiHum" << "100" << en << ok;
        QTest::newRow("humidity above 100") << "HiHum" << "101" << en << "HiHum";
        QTest::newRow("negative humidity") << "LoHum" << "-1" << en << "LoHum";
        QTest::newRow("humidity beyond 16 bits") << "LoHum" << "99999" << en << "LoHum";
        QTest::newRow("humidity not a number") << "LoHum" << "" << en << "LoHum";
        QTest::newRow("port with trailing text") << "AgwPort" << "8000abc" << en << ok;
        QTest::newRow("port without number is 0") << "AgwPort" << "x" << en << ok;
        QTest::newRow("port above 32767") << "AgwPort" << "32768" << en << "AgwPort";
        QTest::newRow("negative port") << "AgwPort" << "-1" << en << "AgwPort";
        QTest::newRow("agw host with double quote") << "AgwHost" << "local\"host" << en << "AgwHost";
        QTest::newRow("typed server without colon") << "serverText" << "host" << en << "Server";
        QTest::newRow("typed server host with double quote") << "serverText" << "ho\"st:14580" << en << "Server";
        QTest::newRow("typed server port above 32767") << "serverText" << "host:40000" << en << "Server";
        QTest::newRow("typed server with semicolon") << "serverText" << "host:14580;x" << en << "Server";
        QTest::newRow("empty server field names no server") << "serverText" << "" << en << ok;
        QTest::newRow("typed server with trailing text") << "serverText" << "host:14580 x" << en << ok;
        QTest::newRow("listed entry without colon") << "serverPosition" << "1" << en << "Server";
        QTest::newRow("bad server ignored with the link off") << "aprs off" << "" << en << ok;
        QTest::newRow("broker port 65535") << "MqttPort" << " 65535 " << en << ok;
        QTest::newRow("broker port 0") << "MqttPort" << "0" << en << "MqttPort";
        QTest::newRow("broker port above 16 bits") << "MqttPort" << "65536" << en << "MqttPort";
        QTest::newRow("broker port with trailing text") << "MqttPort" << "1883x" << en << "MqttPort";
        QTest::newRow("broker port ignored while off") << "MqttPort off" << "0" << en << ok;
        QTest::newRow("publishing without a broker") << "MqttHost" << " " << en << "MqttHost";
        QTest::newRow("publishing with a broker") << "MqttHost" << "broker.lan" << en << ok;
        // clang-format on
    }
    void readNumbers() {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QLocale, locale);
        QFETCH(QString, refused);
        SetupFields fields = ValidFields();
        if (ThresholdNamed(field)) {
            fields.threshold(*ThresholdNamed(field)) = value;
        } else if (field == "AgwPort") {
            fields.agwPort = value;
        } else if (field == "AgwHost") {
            fields.agwHost = value;
        } else if (field == "serverText") {
            fields.serverPosition = -1;
            fields.serverText = value;
        } else if (field == "serverPosition") {
            fields.serverPosition = value.toInt();
        } else if (field.startsWith("Mqtt")) {
            const bool host = field == "MqttHost";
            fields.mqtt.enabled = field != "MqttPort off";
            fields.mqtt.host = host ? value : "broker.lan";
            fields.mqtt.port = host ? "1883" : value;
        } else if (field == "aprs off") {
            fields.aprsEnabled = false;
            fields.serverPosition = -1;
            fields.serverText = "no server here";
        }
        const auto result = ReadSetupNumbers(fields, locale);
        const auto *refusal = std::get_if<SetupRefusal>(&result);
        QCOMPARE(refusal ? RefusedName(*refusal) : QString(), refused);
        if (refusal)
            QVERIFY(!refusal->message.isEmpty());
    }

    void numbersAreConverted() {
        SetupFields fields = ValidFields();
        for (QString *text :
             {&fields.threshold(AlarmThreshold::HiWind), &fields.threshold(AlarmThreshold::HiGust),
              &fields.threshold(AlarmThreshold::HiTemp), &fields.threshold(AlarmThreshold::LoBaro),
              &fields.threshold(AlarmThreshold::HiRainHour),
              &fields.threshold(AlarmThreshold::HiRain24)})
            text->replace(u'.', u',');
        fields.threshold(AlarmThreshold::HiBaro) = "1.040,5";
        fields.threshold(AlarmThreshold::LoTemp) = "-12,3";
        fields.threshold(AlarmThreshold::LoHum) = "54,5";
        fields.threshold(AlarmThreshold::HiHum) = "55,5";
        fields.agwPort = "8001.5";
        fields.serverPosition = 2;
        const auto result = ReadSetupNumbers(fields, QLocale(QLocale::Italian, QLocale::Italy));
        if (const auto *refusal = std::get_if<SetupRefusal>(&result))
            QFAIL(qPrintable(refusal->message));
        const SetupNumbers numbers = std::get<SetupNumbers>(result);
        QCOMPARE(numbers.thresholds.HiBaro, 1040.5f);
        QCOMPARE(numbers.thresholds.LoTemp, -12.3f);
        QCOMPARE(numbers.thresholds.LoHum, qint16(54));
        QCOMPARE(numbers.thresholds.HiHum, qint16(56));
        QCOMPARE(numbers.AgwPort, qint16(8002));
        QVERIFY(numbers.server);
        QCOMPARE(numbers.server->host, QStringLiteral("second"));
        QCOMPARE(numbers.server->port, std::optional<qint16>(10152));
    }
};

QTEST_GUILESS_MAIN(TestSetupFields)
#include "tst_setup_fields.moc"
