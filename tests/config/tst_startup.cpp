// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/fakes.h"
#include "common/files.h"
#include "config/startup.h"
#include "monitor/station_monitor.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace anemora;
using namespace anemora::test;

namespace {

const QByteArray serverList(";servers\r\nfirst:14580\r\nsomehost:14580\r\n");

} // namespace

Q_DECLARE_METATYPE(anemora::PermissionSetter)

// One start-up and shutdown over a temporary executable directory, with
// every link operation, box and dialog recorded in `prompts.events`.
class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        config = WxConfig();
        prompts = FakePrompts();
        links = std::make_unique<FakeLinks>(config, &prompts.events);
        monitor = std::make_unique<StationMonitor>(config, notifications, dir->path());
        monitor->acceptNextReport = false;
        startup = std::make_unique<Startup>(config, *monitor, *links, prompts, dir->path());
    }

    void freshInstall() {
        startup->Run(QString());
        QVERIFY(monitor->acceptNextReport);
        QCOMPARE(ReadBytes(path("WxAlarms.ini")), QByteArray("#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n"
                                                             "-5,40,20,96\r\n"
                                                             "900,1040,40,250\r\n"
                                                             "50,80\r\n"));
        QVERIFY(!QFile::exists(path("Params.ini")));
        QCOMPARE(config.StationCall, NoCall);
        QCOMPARE(prompts.events, QStringList{"dialog"});
        QCOMPARE(config.AgwHost, DefaultAgwHost);
        QCOMPARE(config.AgwPort, DefaultAgwPort);
        QCOMPARE(config.AprsHost, DefaultAprsHost);
        QCOMPARE(config.AprsPort, DefaultAprsPort);
        QCOMPARE(config.ServerIndex, NoServerIndex);
        QCOMPARE(config.ServerListPath, path("Aprserve.txt"));
        QVERIFY(startup->SaveParamsOnExit);
    }

    void storedCallWithBothLinksOff_data() {
        QTest::addColumn<bool>("dialogOpensLink");
        // clang-format off
        QTest::newRow("Accept leaves the unchanged link to start-up") << false;
        QTest::newRow("Accept opened the link itself") << true;
        // clang-format on
    }
    void storedCallWithBothLinksOff() {
        QFETCH(bool, dialogOpensLink);
        WriteBytes(path("Params.ini"), "\"Q1ABC-13\"\r\n\"localhost\",8000,#FALSE#\r\n"
                                       "\"first\",14580,-1,#FALSE#\r\n");
        bool activeAtDialog = false;
        prompts.whileDialogShown = [&] {
            activeAtDialog = config.AgwActive && config.AprsActive;
            config.AgwEnabled = true;
            if (dialogOpensLink)
                links->OpenAgwLink();
        };
        startup->Run(QString());
        QVERIFY(activeAtDialog);
        QCOMPARE(prompts.events, (QStringList{"dialog", "open agw localhost:8000"}));
    }

    void storedNoCallIsNoCall() {
        WriteBytes(path("Params.ini"), "\"NOCALL\"\r\n\"localhost\",8000,#TRUE#\r\n"
                                       "\"first\",14580,-1,#TRUE#\r\n");
        QString callAtDialog;
        prompts.whileDialogShown = [&] { callAtDialog = config.StationCall; };
        startup->Run(QString());
        QCOMPARE(prompts.events, QStringList{"dialog"});
        QCOMPARE(callAtDialog, NoCall);
        QVERIFY(!config.AgwActive);
    }

    void normalStartOpensEnabledLinks() {
        WriteBytes(path("Aprserve.txt"), serverList);
        WriteBytes(path("Params.ini"), "\"Q1ABC-13\"\r\n\"\",0,#TRUE#\r\n"
                                       "\"somehost\",14580,7,#TRUE#\r\n");
        startup->Run(QStringLiteral("   "));
        QCOMPARE(prompts.events,
                 (QStringList{"open agw localhost:8000", "open aprs somehost:14580"}));
        QCOMPARE(config.AgwHost, DefaultAgwHost);
        QCOMPARE(config.AgwPort, DefaultAgwPort);
        QCOMPARE(config.ServerIndex, qint16(1));
    }

    void normalStartTakesServerFromList_data() {
        QTest::addColumn<QByteArray>("line3");
        QTest::addColumn<QString>("server");
        QTest::addColumn<int>("index");

        // clang-format off
        QTest::newRow("no host: entry at the index") << QByteArray("\"\",14580,1,#TRUE#") << "somehost:14580" << 1;
        QTest::newRow("port 0: entry at the index") << QByteArray("\"x\",0,0,#TRUE#") << "first:14580" << 0;
        QTest::newRow("index past the list: defaults") << QByteArray("\"\",0,5,#TRUE#") << DefaultAprsHost + ":14580" << 5;
        QTest::newRow("server not in the list keeps the stored index") << QByteArray("\"other\",1234,1,#TRUE#") << "other:1234" << 1;
        // clang-format on
    }
    void normalStartTakesServerFromList() {
        QFETCH(QByteArray, line3);
        QFETCH(QString, server);
        WriteBytes(path("Aprserve.txt"), serverList);
        WriteBytes(path("Params.ini"), "\"Q1ABC\"\r\n\"localhost\",8000,#FALSE#\r\n" + line3);
        startup->Run(QString());
        QCOMPARE(config.AprsHost + ":" + QString::number(config.AprsPort), server);
        QTEST(int(config.ServerIndex), "index");
        QCOMPARE(prompts.events, QStringList{"open aprs " + server});
    }

    void commandLine_data() {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("agw");
        QTest::addColumn<QString>("aprs");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("save");

        const QString aprsOff = "off " + DefaultAprsHost + ":14580";
        // clang-format off
        QTest::newRow("call only") << "Q1ABC-13" << "on localhost:8000" << aprsOff << -1 << false;
        QTest::newRow("A: with port") << "Q1ABC-13 A:localhost:8001" << "on localhost:8001" << aprsOff << -1 << false;
        QTest::newRow("bare host") << "Q1ABC-13 somehost" << "on somehost:8000" << aprsOff << -1 << false;
        QTest::newRow("host, port and SAVE") << "Q1ABC-13 somehost:8001 SAVE" << "on somehost:8001" << aprsOff << -1 << true;
        QTest::newRow("S: with port looked up") << "Q1ABC-13 S:somehost:14580" << "off localhost:8000" << "on somehost:14580" << 1 << false;
        QTest::newRow("s: without port not looked up") << "Q1ABC-13 s:somehost" << "off localhost:8000" << "on somehost:14580" << -1 << false;
        QTest::newRow("S: alone falls back to AGWPE") << "Q1ABC-13 S:" << "on localhost:8000" << aprsOff << -1 << false;
        QTest::newRow("tail Y SAVE is not SAVE") << "Q1ABC-13 x y SAVE" << "on x:8000" << aprsOff << -1 << false;
        QTest::newRow("SAVE as a host") << "Q1ABC-13 SAVE" << "on SAVE:8000" << aprsOff << -1 << false;
        // clang-format on
    }
    void commandLine() {
        QFETCH(QString, commandLine);
        QFETCH(QString, agw);
        QFETCH(QString, aprs);
        WriteBytes(path("Aprserve.txt"), serverList);
        startup->Run(commandLine);
        const auto link = [](bool on, const QString &host, qint16 port) {
            return QString(on ? "on " : "off ") + host + ":" + QString::number(port);
        };
        QCOMPARE(config.StationCall, QStringLiteral("Q1ABC-13"));
        QCOMPARE(link(config.AgwEnabled, config.AgwHost, config.AgwPort), agw);
        QCOMPARE(link(config.AprsEnabled, config.AprsHost, config.AprsPort), aprs);
        QTEST(int(config.ServerIndex), "index");
        QTEST(config.SaveAlarms, "save");
        QStringList opened;
        if (config.AgwEnabled)
            opened << "open agw" + agw.sliced(2);
        if (config.AprsEnabled)
            opened << "open aprs" + aprs.sliced(2);
        QCOMPARE(prompts.events, opened);
        QVERIFY(!startup->SaveParamsOnExit);
    }

    void refusedPortIsReported() {
        startup->Run(QStringLiteral("Q1ABC host:40000"));
        QCOMPARE(prompts.events, (QStringList{"message", "open agw host:8000"}));
        QCOMPARE(prompts.messages[0].icon, MessageIcon::Warning);
        QVERIFY(prompts.messages[0].text.contains(QStringLiteral("40000")));
        QCOMPARE(config.AgwHost, QStringLiteral("host"));
        QCOMPARE(config.AgwPort, DefaultAgwPort);
    }

    void commandLineNeverTouchesParams() {
        const QByteArray stored("\"STORED\"\r\n\"agw\",1,#TRUE#\r\n\"aprs\",2,0,#TRUE#\r\n");
        WriteBytes(path("Params.ini"), stored);
        startup->Run(QStringLiteral("q1abc"));
        QCOMPARE(config.StationCall, QStringLiteral("Q1ABC"));
        QCOMPARE(config.AgwHost, DefaultAgwHost);
        config.StationCall = QStringLiteral("CHANGED");
        startup->Shutdown();
        QCOMPARE(ReadBytes(path("Params.ini")), stored);
    }

    void shutdownAfterNormalStart() {
        const QByteArray stored("\"Q1ABC\"\r\n\"agw\",8001,#TRUE#\r\n\"aprs\",1234,-1,#FALSE#\r\n");
        WriteBytes(path("Params.ini"), stored);
        startup->Run(QString());
        QVERIFY(QFile::remove(path("Params.ini")));
        prompts.events.clear();
        startup->Shutdown();
        QCOMPARE(prompts.events, (QStringList{"close agw", "close aprs"}));
        QCOMPARE(ReadBytes(path("Params.ini")), stored);
    }

    void shutdownSavesAlarmsOnlyWhenAsked() {
        startup->Run(QStringLiteral("Q1ABC"));
        QVERIFY(QFile::remove(path("WxAlarms.ini")));
        startup->Shutdown();
        QVERIFY(!QFile::exists(path("WxAlarms.ini")));
        config.SaveAlarms = true;
        config.HiWind = 12.5f;
        startup->Shutdown();
        QVERIFY(ReadBytes(path("WxAlarms.ini")).endsWith("12.5,80\r\n"));
    }

    void reconnectChoiceSurvivesARestart_data() {
        QTest::addColumn<QString>("commandLine");
        // clang-format off
        QTest::newRow("normal start") << QString();
        QTest::newRow("command-line start") << QStringLiteral("Q1ABC S:aprs:14580");
        // clang-format on
    }

    // The choice lives in the program's own file; a folder where nothing was
    // chosen gets none, and the inherited files stay as they were.
    void reconnectChoiceSurvivesARestart() {
        QFETCH(QString, commandLine);
        const QByteArray stored("\"Q1ABC\"\r\n\"agw\",8001,#TRUE#\r\n\"aprs\",1234,-1,#FALSE#\r\n");
        WriteBytes(path("Params.ini"), stored);
        startup->Run(commandLine);
        startup->Shutdown();
        QVERIFY(!QFile::exists(path("Anemora.ini")));
        const QByteArray alarms = ReadBytes(path("WxAlarms.ini"));
        config.Reconnect = true;
        startup->Shutdown();
        QVERIFY(!ReadBytes(path("Anemora.ini")).contains("DataStopped"));
        config.DataStoppedMinutes = 30;
        startup->Shutdown();

        config = WxConfig();
        Startup restarted(config, *monitor, *links, prompts, dir->path());
        restarted.Run(commandLine);
        QVERIFY(config.Reconnect);
        QCOMPARE(config.DataStoppedMinutes, 30);
        QCOMPARE(ReadBytes(path("Params.ini")), stored);
        QCOMPARE(ReadBytes(path("WxAlarms.ini")), alarms);
    }

    void publishingPasswordKeptFromOthers_data() {
        QTest::addColumn<bool>("fileBefore");
        QTest::addColumn<PermissionSetter>("setPermissions");
        QTest::addColumn<bool>("kept");
        // clang-format off
        QTest::newRow("new file") << false << PermissionSetter(SetFilePermissions) << true;
        QTest::newRow("file readable by all") << true << PermissionSetter(SetFilePermissions) << true;
        // As chmod on a FAT stick: refused, or taken without a word and no effect.
        QTest::newRow("new file, chmod refused") << false << PermissionSetter([](const QString &, QFileDevice::Permissions) { return false; }) << true;
        QTest::newRow("file readable by all, chmod refused") << true << PermissionSetter([](const QString &, QFileDevice::Permissions) { return false; }) << false;
        QTest::newRow("file readable by all, chmod without effect") << true << PermissionSetter([](const QString &, QFileDevice::Permissions) { return true; }) << false;
        // clang-format on
    }

    // A password goes only into a file its owner alone can read; else the rest
    // is saved without it, and the dialog and standard error say why.
    void publishingPasswordKeptFromOthers() {
        QFETCH(bool, fileBefore);
        QFETCH(PermissionSetter, setPermissions);
        QFETCH(bool, kept);
        startup->Run(QStringLiteral("Q1ABC"));
        startup->setPermissions = setPermissions;
        if (fileBefore) {
            WriteBytes(path("Anemora.ini"), "[Links]\nReconnect=false\n");
            QVERIFY(chmod(qPrintable(path("Anemora.ini")), 0644) == 0);
        }
        const MqttSettings chosen{true, "broker.lan", 8883, "station", "s3cret", true};
        config.Mqtt = chosen;
        if (!kept)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Anemora.ini.*Password MQTT"));
        startup->Shutdown();
        struct stat file {};
        QVERIFY(stat(qPrintable(path("Anemora.ini")), &file) == 0);
        QCOMPARE(file.st_mode & 0777, kept ? 0600u : 0644u);
        QCOMPARE(config.MqttPasswordWarning.isEmpty(), kept);

        config = WxConfig();
        Startup(config, *monitor, *links, prompts, dir->path()).Run(QString());
        QCOMPARE(config.Mqtt.password, kept ? chosen.password : QString());
        QCOMPARE(config.Mqtt.host, chosen.host);
    }

private:
    QString path(const char *name) const { return dir->filePath(QLatin1String(name)); }

    std::unique_ptr<QTemporaryDir> dir;
    WxConfig config;
    FakePrompts prompts;
    std::unique_ptr<FakeLinks> links;
    FakeNotifications notifications;
    std::unique_ptr<StationMonitor> monitor;
    std::unique_ptr<Startup> startup;
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
