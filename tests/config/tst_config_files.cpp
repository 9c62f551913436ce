// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/files.h"
#include "config/config_files.h"

#include "common/fakes.h"
#include "common/settings.h"

#include <QTemporaryDir>
#include <QTest>

using namespace anemora;
using namespace anemora::test;

namespace {

// The Params.ini fields as one comparable text.
QString paramsFields(const WxConfig &config) {
    return QStringList{config.StationCall,
                       config.AgwHost,
                       QString::number(config.AgwPort),
                       config.AgwEnabled ? "on" : "off",
                       config.AprsHost,
                       QString::number(config.AprsPort),
                       QString::number(config.ServerIndex),
                       config.AprsEnabled ? "on" : "off"}
        .join(u'|');
}

WxConfig previousParams() {
    WxConfig config;
    config.StationCall = QStringLiteral("OLD");
    config.AgwHost = QStringLiteral("oldagw");
    config.AgwPort = 1;
    config.AprsHost = QStringLiteral("oldaprs");
    config.AprsPort = 2;
    config.ServerIndex = 3;
    return config;
}

const QByteArray defaultAlarms("#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n"
                               "-5,40,20,96\r\n"
                               "900,1040,40,250\r\n"
                               "50,80\r\n");

const QByteArray serverFile(";APRS-IS servers\r\n"
                            "\r\n"
                            "first.example:14580\r\n"
                            "host:14580 ;main\r\n"
                            "   \r\n"
                            "Host:14580\r\n"
                            "nocolon\r\n"
                            "big:40000\r\n"
                            "empty:\r\n"
                            "Host:14580\r\n"
                            "negative:-1\r\n");

} // namespace

class TestConfigFiles : public QObject {
    Q_OBJECT
private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        paths_ = ConfigFilePathsIn(dir->path());
        prompts = FakePrompts();
        QLocale::setDefault(QLocale::c());
    }

    void paths() {
        QCOMPARE(paths_.ParamsPath, dir->path() + "/Params.ini");
        QCOMPARE(paths_.AlarmsPath, dir->path() + "/WxAlarms.ini");
        QCOMPARE(paths_.ServerListPath, dir->path() + "/Aprserve.txt");
    }

    void paramsBytes() {
        WxConfig config;
        config.StationCall = NoCall;
        config.AgwHost = QStringLiteral("localhost");
        config.AgwPort = 8000;
        config.AgwEnabled = true;
        config.AprsHost = QStringLiteral("localhost");
        config.AprsPort = 14580;
        config.ServerIndex = -1;
        WriteParams(config, paths_.ParamsPath, prompts);
        QCOMPARE(ReadBytes(paths_.ParamsPath), QByteArray("\"NOCALL\"\r\n"
                                                          "\"localhost\",8000,#TRUE#\r\n"
                                                          "\"localhost\",14580,-1,#FALSE#\r\n"));
        QVERIFY(prompts.messages.isEmpty());
    }

    void readParams_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("fields");

        const QString old = paramsFields(previousParams());
        const QString full = "Q1ABC-13|agw|8001|on|aprs.example|14580|4|on";
        const QByteArray line1 = "\"Q1ABC-13\"\r\n";
        const QByteArray line2 = "\"agw\",8001,#TRUE#\r\n";
        const QByteArray line3 = "\"aprs.example\",14580,4,#TRUE#\r\n";

        // clang-format off
        QTest::newRow("whole file") << line1 + line2 + line3 << full;
        QTest::newRow("no file") << QByteArray() << old;
        QTest::newRow("third line missing") << line1 + line2 << "Q1ABC-13|agw|8001|on|oldaprs|2|3|off";
        QTest::newRow("only the call") << line1 << "Q1ABC-13|oldagw|1|off|oldaprs|2|3|off";
        QTest::newRow("port not a number") << line1 + "\"agw\",abc,#TRUE#\r\n" + line3 << "Q1ABC-13|agw|1|off|oldaprs|2|3|off";
        QTest::newRow("port above 32767 refused") << line1 + "\"agw\",40000,#TRUE#\r\n" + line3 << "Q1ABC-13|agw|1|off|oldaprs|2|3|off";
        QTest::newRow("negative port refused") << line1 + line2 + "\"aprs.example\",-14580,4,#TRUE#\r\n" << "Q1ABC-13|agw|8001|on|aprs.example|2|3|off";
        QTest::newRow("Boolean damaged") << line1 + line2 + "\"aprs.example\",14580,4,yes\r\n" << "Q1ABC-13|agw|8001|on|aprs.example|14580|4|off";
        QTest::newRow("bare LF, byte-order mark, trailing blank lines") << QByteArray("\xEF\xBB\xBF\"Q1ABC-13\"\n\"agw\",8001,#TRUE#\n" "\"aprs.example\",14580,4,#TRUE#\n\n\n") << full;
        QTest::newRow("values on one line") << QByteArray("Q1ABC-13,agw,8001,#TRUE#,aprs.example," "14580,4,#TRUE#") << full;
        // clang-format on
    }
    void readParams() {
        QFETCH(QByteArray, file);
        if (!file.isEmpty())
            WriteBytes(paths_.ParamsPath, file);
        WxConfig config = previousParams();
        ReadParams(config, paths_.ParamsPath);
        QTEST(paramsFields(config), "fields");
    }

    void paramsRoundTripThroughQuote() {
        WxConfig written = previousParams();
        written.AgwHost = QStringLiteral("bad\"host");
        written.AprsEnabled = true;
        WriteParams(written, paths_.ParamsPath, prompts);
        WxConfig read;
        ReadParams(read, paths_.ParamsPath);
        QCOMPARE(paramsFields(read), "OLD|badhost|1|off|oldaprs|2|3|on");
    }

    void writeFailureWarns_data() {
        QTest::addColumn<bool>("alarms");
        QTest::addColumn<QString>("text");
        // clang-format off
        QTest::newRow("Params.ini") << false << "Unable to save Parameter values";
        QTest::newRow("WxAlarms.ini") << true << "Unable to save Wx Alarm values";
        // clang-format on
    }
    void writeFailureWarns() {
        QFETCH(bool, alarms);
        const ConfigFilePaths missing = ConfigFilePathsIn(dir->filePath("no-such-dir"));
        const QString path = alarms ? missing.AlarmsPath : missing.ParamsPath;
        if (alarms)
            WriteAlarms(WxConfig(), path, prompts);
        else
            WriteParams(WxConfig(), path, prompts);
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages[0].icon, MessageIcon::Warning);
        QCOMPARE(prompts.messages[0].title, path);
        QTEST(prompts.messages[0].text, "text");
    }

    void freshAlarms() {
        WxConfig config;
        ReadAlarms(config, paths_.AlarmsPath, prompts);
        QCOMPARE(ReadBytes(paths_.AlarmsPath), defaultAlarms);
        QVERIFY(prompts.messages.isEmpty());
    }

    void readAlarms_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("keptAsRead");

        const QByteArray custom("#TRUE#,#FALSE#,#FALSE#,#FALSE#\r\n"
                                "-10.5,35,30,90\r\n"
                                "950,1030,20.5,100\r\n"
                                "60,90\r\n");
        // clang-format off
        QTest::newRow("whole file") << custom << true;
        QTest::newRow("bare LF and trailing blank lines") << QByteArray(custom).replace("\r\n", "\n") + "\n\n" << true;
        QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + custom << true;
        QTest::newRow("only the first line") << custom.left(custom.indexOf('\n') + 1) << false;
        QTest::newRow("last value missing") << custom.left(custom.lastIndexOf(',')) << false;
        QTest::newRow("text for a threshold") << QByteArray(custom).replace("950", "abc") << false;
        QTest::newRow("humidity above 16 bits") << QByteArray(custom).replace(",90\r", ",40000\r") << false;
        QTest::newRow("empty file") << QByteArray("") << false;
        // clang-format on
    }
    void readAlarms() {
        QFETCH(QByteArray, file);
        QFETCH(bool, keptAsRead);
        WriteBytes(paths_.AlarmsPath, file);
        WxConfig config;
        ReadAlarms(config, paths_.AlarmsPath, prompts);
        if (keptAsRead) {
            QCOMPARE(config.BeepNewData, true);
            QCOMPARE(config.FocusNewData, false);
            QCOMPARE(config.LoTemp, -10.5f);
            QCOMPARE(config.HiHum, qint16(90));
            QCOMPARE(config.HiRainHour, 20.5f);
            QCOMPARE(config.HiGust, 90.0f);
            QCOMPARE(ReadBytes(paths_.AlarmsPath), file);
        } else {
            // Nothing read before the error survives, the first line's options included.
            WxConfig defaults;
            ApplyAlarmDefaults(defaults);
            QCOMPARE(config, defaults);
            QCOMPARE(ReadBytes(paths_.AlarmsPath), defaultAlarms);
        }
    }

    void alarmsRoundTripInCommaLocale() {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        WxConfig written;
        written.FocusAlarm = true;
        written.LoTemp = -12.25f;
        written.HiTemp = 38.5f;
        written.LoHum = -3;
        written.HiHum = 32767;
        written.LoBaro = 987.6543f;
        written.HiBaro = 1040;
        written.HiRainHour = 0.5f;
        written.HiRain24 = 1234.567f;
        written.HiWind = 0;
        written.HiGust = 99.9f;
        WriteAlarms(written, paths_.AlarmsPath, prompts);
        QCOMPARE(ReadBytes(paths_.AlarmsPath), QByteArray("#FALSE#,#FALSE#,#FALSE#,#TRUE#\r\n"
                                                          "-12.25,38.5,-3,32767\r\n"
                                                          "987.6543,1040,0.5,1234.567\r\n"
                                                          "0,99.9\r\n"));
        WxConfig read;
        ReadAlarms(read, paths_.AlarmsPath, prompts);
        QCOMPARE(read, written);
    }

    void findServerIndex_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<int>("index");

        // clang-format off
        QTest::newRow("first entry is 0") << serverFile << "first.example" << 14580 << 0;
        QTest::newRow("blank-only line shifts the count") << serverFile << "Host" << 14580 << 3;
        QTest::newRow("trailing blank blocks the match") << serverFile << "host" << 14580 << 9;
        QTest::newRow("port must match") << serverFile << "first.example" << 14581 << 9;
        QTest::newRow("compared as text, not by value") << serverFile << "empty" << 0 << 9;
        QTest::newRow("missing file keeps the index") << QByteArray() << "first.example" << 14580 << 9;
        // clang-format on
    }
    void findServerIndex() {
        QFETCH(QByteArray, file);
        QFETCH(QString, host);
        QFETCH(int, port);
        if (!file.isEmpty())
            WriteBytes(paths_.ServerListPath, file);
        WxConfig config;
        config.ServerListPath = paths_.ServerListPath;
        config.AprsHost = host;
        config.AprsPort = qint16(port);
        config.ServerIndex = 9;
        FindServerIndex(config);
        QTEST(int(config.ServerIndex), "index");
    }

    void serverFromIndex_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");

        // clang-format off
        QTest::newRow("first entry") << serverFile << 0 << "first.example" << 14580;
        QTest::newRow("trailing blank and comment ignored") << serverFile << 1 << "host" << 14580;
        QTest::newRow("blank-only entry has no colon") << serverFile << 2 << "old" << 1;
        QTest::newRow("entry without colon") << serverFile << 4 << "old" << 1;
        QTest::newRow("port above 32767 keeps the old port") << serverFile << 5 << "big" << 1;
        QTest::newRow("empty port gives 0") << serverFile << 6 << "empty" << 0;
        QTest::newRow("negative port keeps the old port") << serverFile << 8 << "negative" << 1;
        QTest::newRow("index past the end") << serverFile << 9 << "old" << 1;
        QTest::newRow("no server selected") << serverFile << -1 << "old" << 1;
        QTest::newRow("missing file") << QByteArray() << 0 << "old" << 1;
        // clang-format on
    }
    void serverFromIndex() {
        QFETCH(QByteArray, file);
        QFETCH(int, index);
        if (!file.isEmpty())
            WriteBytes(paths_.ServerListPath, file);
        WxConfig config;
        config.ServerListPath = paths_.ServerListPath;
        config.AprsHost = QStringLiteral("old");
        config.AprsPort = 1;
        config.ServerIndex = qint16(index);
        ServerFromIndex(config);
        QTEST(config.AprsHost, "host");
        QTEST(int(config.AprsPort), "port");
        QCOMPARE(int(config.ServerIndex), index);
    }

private:
    std::unique_ptr<QTemporaryDir> dir;
    ConfigFilePaths paths_;
    FakePrompts prompts;
};

QTEST_GUILESS_MAIN(TestConfigFiles)
#include "tst_config_files.moc"
