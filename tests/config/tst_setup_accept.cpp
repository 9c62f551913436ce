// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/running_program.h"
#include "config/setup_accept.h"
#include "monitor/station_monitor.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace anemora;
using namespace anemora::test;

class TestSetupAccept : public QObject, private RunningProgram {
    Q_OBJECT
private slots:
    void init() {
        StartRunning();
        monitor->model.caption = "Q1ABC-13 Wx Station";
        monitor->model.history = "Dati storici\r\nsome history";
        monitor->model.comment = "comment";
    }

    void nothingChangedLeavesLinksAlone() {
        Accept(Load());
        QCOMPARE(links->log, QStringList());
        QCOMPARE(config.CallChanged, std::optional<bool>(false));
        QCOMPARE(monitor->model.comment, QStringLiteral("comment"));
        QCOMPARE(monitor->model.history, QStringLiteral("Dati storici\r\nsome history"));
        QCOMPARE(ServerListNow(), ServerListFile);
        QCOMPARE(config.ServerIndex, qint16(1));
    }

    void newCallReopensOnlyAprs() {
        SetupFields fields = Load();
        fields.call = " q2xyz-7 ";
        Accept(fields);
        QCOMPARE(links->log, (QStringList{"close aprs", "open aprs second:14580"}));
        QCOMPARE(config.StationCall, QStringLiteral("Q2XYZ-7"));
        QCOMPARE(config.CallChanged, std::optional<bool>(true));
        QCOMPARE(monitor->model.caption, QStringLiteral("Q2XYZ-7 Wx Station"));
        QCOMPARE(monitor->model.history, QString());
        QCOMPARE(monitor->model.comment, QStringLiteral("Now Monitoring Q2XYZ-7"));
        QCOMPARE(ServerListNow(), ServerListFile);
    }

    void agwUntickedWhileOpen() {
        SetupFields fields = Load();
        fields.agwEnabled = false;
        fields.agwHost = "radio.lan";
        fields.agwPort = "8010";
        Accept(fields);
        QCOMPARE(links->log, QStringList{"close agw"});
        QCOMPARE(monitor->model.comment, QStringLiteral("AGWPE Disconnected"));
        QVERIFY(!config.AgwEnabled);
        QVERIFY(!config.AgwActive);
        // Stored although the link is off, so the next opening shows them.
        QCOMPARE(config.AgwHost, QStringLiteral("radio.lan"));
        QCOMPARE(config.AgwPort, qint16(8010));
        QCOMPARE(Load().agwHost, QStringLiteral("radio.lan"));
    }

    void bothUntickedTurnsOff() {
        SetupFields fields = Load();
        fields.agwEnabled = false;
        fields.aprsEnabled = false;
        fields.serverPosition = -1;
        Accept(fields);
        QCOMPARE(links->log, (QStringList{"close agw", "close aprs"}));
        QCOMPARE(monitor->model.caption, QStringLiteral("Anemora OFF"));
        QCOMPARE(monitor->model.comment, QStringLiteral("Anemora OFF"));
        QVERIFY(!config.AprsActive);
        QCOMPARE(config.ServerIndex, NoServerIndex);
    }

    void agwAddressChangeReopens() {
        SetupFields fields = Load();
        fields.agwHost = "LocalHost";
        Accept(fields);
        QCOMPARE(links->log, (QStringList{"close agw", "open agw LocalHost:8000"}));
        links->log.clear();
        fields = Load();
        fields.agwPort = "8001";
        Accept(fields);
        QCOMPARE(links->log, (QStringList{"close agw", "open agw LocalHost:8001"}));
    }

    void linkSwitchedOnOpens() {
        config.AgwEnabled = config.AprsEnabled = false;
        config.AgwActive = config.AprsActive = false;
        links->agwOpen = links->aprsOpen = false;
        SetupFields fields = Load();
        fields.agwEnabled = fields.aprsEnabled = true;
        Accept(fields);
        QCOMPARE(links->log, (QStringList{"close agw", "open agw localhost:8000", "close aprs",
                                          "open aprs second:14580"}));
        QVERIFY(config.AgwEnabled && config.AprsEnabled);
        // The next confirmation with nothing changed leaves both links alone.
        links->log.clear();
        Accept(Load());
        QCOMPARE(links->log, QStringList());
    }

    void serverMissingFromListIsAppended() {
        config.AprsHost = "cmdline.example";
        config.AprsPort = 10152;
        config.ServerIndex = NoServerIndex;
        const SetupFields fields = Load();
        QCOMPARE(fields.serverPosition, -1);
        QCOMPARE(fields.serverText, QStringLiteral("cmdline.example:10152"));
        QVERIFY(!config.AprsActive);
        Accept(fields);
        QCOMPARE(links->log, (QStringList{"close aprs", "open aprs cmdline.example:10152"}));
        QCOMPARE(ServerListNow(), ServerListFile + "cmdline.example:10152\r\n");
        QCOMPARE(config.ServerIndex, qint16(2));
        QCOMPARE(Load().serverPosition, 2);
    }

    void typedServerEqualToEntryAppendedAgain() {
        SetupFields fields = Load();
        fields.serverPosition = -1;
        fields.serverText = "first:14580";
        Accept(fields);
        QCOMPARE(links->log, (QStringList{"close aprs", "open aprs first:14580"}));
        QCOMPARE(ServerListNow(), ServerListFile + "first:14580\r\n");
        QCOMPARE(config.ServerIndex, qint16(2));
        QCOMPARE(config.AprsHost, QStringLiteral("first"));
    }

    void otherListEntryReconnects() {
        SetupFields fields = Load();
        fields.serverPosition = 0;
        fields.serverText = fields.serverItems[0];
        Accept(fields);
        QCOMPARE(links->log, (QStringList{"close aprs", "open aprs first:14580"}));
        QCOMPARE(config.ServerIndex, qint16(0));
        QCOMPARE(ServerListNow(), ServerListFile);
    }

    void failedAppendWarnsAndKeepsNoPosition() {
        config.ServerListPath = dir->filePath("no-such-folder/Aprserve.txt");
        SetupFields fields = Load();
        fields.serverPosition = -1;
        fields.serverText = "new.example:14580";
        Accept(fields);
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages[0].icon, MessageIcon::Warning);
        QCOMPARE(prompts.messages[0].title, config.ServerListPath);
        QCOMPARE(config.ServerIndex, NoServerIndex);
        QCOMPARE(links->log, (QStringList{"close aprs", "open aprs new.example:14580"}));
    }

    void unreadableListKeepsServerInUse_data() {
        QTest::addColumn<QString>("call");
        QTest::addColumn<bool>("wasEnabled");
        QTest::addColumn<QStringList>("log");
        const QStringList reopened{"close aprs", "open aprs second:14580"};
        // clang-format off
        QTest::newRow("other settings: link left alone") << "Q1ABC-13" << true << QStringList();
        QTest::newRow("new call: same server logged in again") << "Q2XYZ-7" << true << reopened;
        QTest::newRow("box newly ticked: same server opened") << "Q1ABC-13" << false << reopened;
        // clang-format on
    }

    // With no list the server field is empty, which names no server: Accept
    // must go ahead and keep the server in use, not refuse or append.
    void unreadableListKeepsServerInUse() {
        QFETCH(QString, call);
        QFETCH(bool, wasEnabled);
        config.ServerListPath = dir->filePath("missing/Aprserve.txt");
        config.AprsEnabled = config.AprsActive = links->aprsOpen = wasEnabled;
        SetupFields fields = Load();
        fields.aprsEnabled = true;
        QCOMPARE(fields.serverText, QString());
        fields.call = call;
        fields.threshold(AlarmThreshold::HiWind) = "60";
        Accept(fields);
        QTEST(links->log, "log");
        QCOMPARE(config.HiWind, 60.0f);
        QCOMPARE(config.ServerIndex, NoServerIndex);
        QVERIFY(!QFile::exists(config.ServerListPath));
    }

    void aprsUntickedWhileClosedSaysNothing() {
        links->aprsOpen = false;
        // Closed by a failure: switched off, it is no longer shown as down.
        monitor->SetLinkTrouble(LinkKind::AprsIs, QStringLiteral("APRS-IS: connessione chiusa"));
        SetupFields fields = Load();
        fields.aprsEnabled = false;
        Accept(fields);
        QCOMPARE(links->log, QStringList());
        QCOMPARE(monitor->model.comment, QStringLiteral("comment"));
        QCOMPARE(WindowTitle(monitor->model), monitor->model.caption);
        QVERIFY(!config.AprsActive);
        QCOMPARE(config.ServerIndex, qint16(1));
    }

    void optionsAndThresholdsStoredAsEntered() {
        SetupFields fields = Load();
        fields.focusNewData = false;
        fields.beepNewData = true;
        fields.focusAlarm = false;
        fields.beepAlarm = false;
        fields.saveAlarms = true;
        fields.threshold(AlarmThreshold::LoTemp) = "45";
        fields.threshold(AlarmThreshold::HiTemp) = "-10.5";
        fields.threshold(AlarmThreshold::LoHum) = "90";
        fields.threshold(AlarmThreshold::HiHum) = "10";
        fields.threshold(AlarmThreshold::HiBaro) = "1,013.2";
        fields.threshold(AlarmThreshold::HiWind) = "0";
        Accept(fields);
        QVERIFY(!config.FocusNewData && config.BeepNewData && !config.FocusAlarm &&
                !config.BeepAlarm);
        QVERIFY(config.SaveAlarms);
        QCOMPARE(config.LoTemp, 45.0f);
        QCOMPARE(config.HiTemp, -10.5f);
        QCOMPARE(config.LoHum, qint16(90));
        QCOMPARE(config.HiHum, qint16(10));
        QCOMPARE(config.HiBaro, 1013.2f);
        QCOMPARE(config.HiWind, 0.0f);
        QCOMPARE(config.HiGust, 80.0f);
    }

    void reconnectChoice_data() {
        QTest::addColumn<bool>("before");
        QTest::addColumn<bool>("after");
        QTest::addColumn<QStringList>("linkLog");
        // clang-format off
        QTest::newRow("ticked") << false << true << QStringList();
        QTest::newRow("unticked: a pending retry is dropped") << true << false << QStringList{"stop reconnecting"};
        QTest::newRow("kept ticked: a pending retry goes on") << true << true << QStringList();
        // clang-format on
    }
    void reconnectChoice() {
        QFETCH(bool, before);
        QFETCH(bool, after);
        config.Reconnect = before;
        SetupFields fields = Load();
        QCOMPARE(fields.reconnect, before);
        fields.reconnect = after;
        Accept(fields);
        QTEST(links->log, "linkLog");
        QCOMPARE(config.Reconnect, after);
    }

private:
    SetupFields Load() {
        return LoadSetupFields(config, QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void Accept(const SetupFields &fields) {
        const auto numbers =
            ReadSetupNumbers(fields, QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(std::holds_alternative<SetupNumbers>(numbers));
        ApplySetup(fields, std::get<SetupNumbers>(numbers), {config, *links, *monitor, prompts});
    }
};

QTEST_GUILESS_MAIN(TestSetupAccept)
#include "tst_setup_accept.moc"
