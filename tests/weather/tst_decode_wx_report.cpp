// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/fakes.h"
#include "common/settings.h"
#include "monitor/station_monitor.h"
#include "weather/wx_display.h"

#include <QtTest>

#include <memory>

using namespace anemora;
using namespace anemora::test;

namespace {

const QString Example = QStringLiteral("_10090556c220s004g005t077r000p000P000h50b09900wRSW");
const QLocale English(QLocale::English, QLocale::UnitedStates);
const QLocale Italian(QLocale::Italian, QLocale::Italy);

ReadingLabel &labelNamed(DisplayModel &model, const QString &name) {
    if (name == u"wind")
        return model.wind;
    if (name == u"temp")
        return model.temperature;
    if (name == u"hum")
        return model.humidity;
    if (name == u"press")
        return model.pressure;
    return model.rain;
}

QStringList ReadingTexts(const DisplayModel &model) {
    return {model.wind.text, model.temperature.text, model.humidity.text, model.pressure.text,
            model.rain.text};
}

} // namespace

class TestDecodeWxReport : public QObject {
    Q_OBJECT
private slots:
    void init() {
        QLocale::setDefault(English);
        config = Settings().AlarmDefaults();
        config.FocusNewData = false;
        notifications = FakeNotifications{};
        root = std::make_unique<QTemporaryDir>();
        QVERIFY(root->isValid());
        QVERIFY(QDir(root->path()).mkdir(QStringLiteral("app")));
        appDir = QDir(root->path()).filePath(QStringLiteral("app"));
        monitor = std::make_unique<StationMonitor>(config, notifications, appDir);
    }

    void cleanup() {
        monitor.reset();
        root.reset();
        QLocale::setDefault(English);
    }

    void texts_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("payload");
        // Wind, temperature, humidity, pressure and rain.
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("comment");

        const QString exampleRain = QStringLiteral("0mm/h 0mm/24h\r\n0mm/Day Dp 13.9°C  11.5g/m³");
        // clang-format off
        QTest::newRow("example, English") << English << Example << QStringList{"220°  6 / 8 km/h", "25.0°C", "50%", "990.0 mb", exampleRain} << " wRSW";
        QTest::newRow("example, Italian") << Italian << Example << QStringList{"220°  6 / 8 km/h", "25,0°C", "50%", "990,0 mb", QStringLiteral("0mm/h 0mm/24h\r\n0mm/Day Dp 13,9°C  11,5g/m³")} << " wRSW";
        QTest::newRow("grouping, English") << English << "_220/004b10132" << QStringList{"220°  6 km/h", "", "", "1,013.2 mb", ""} << " ";
        QTest::newRow("grouping, Italian") << Italian << "_220/004b10132" << QStringList{"220°  6 km/h", "", "", "1.013,2 mb", ""} << " ";
        QTest::newRow("below zero, Italian") << Italian << "_...t023" << QStringList{"Anemora v7", "-5,0°C", "", "", ""} << " ...";
        QTest::newRow("calm, gust absent") << English << "_000/000t050" << QStringList{"Calma di vento", "10.0°C", "", "", ""} << " ";
        QTest::newRow("calm, gust zero") << English << "_090/000g000" << QStringList{"Calma di vento", "", "", "", ""} << " ";
        QTest::newRow("gust above zero is not calm") << English << "_090/000g001" << QStringList{"090°  0 / 2 km/h", "", "", "", ""} << " ";
        QTest::newRow("direction padded") << English << "_005/006" << QStringList{"005°  10 km/h", "", "", "", ""} << " ";
        QTest::newRow("no gust, no wind chill") << English << "_270/012t032" << QStringList{"270°  19 km/h", "0.0°C", "", "", ""} << " ";
        QTest::newRow("wind chill shown") << English << "_270/012g020t032" << QStringList{"270°  19 / 32 km/h", "0.0°C", "", "", " Wch -8.9°C"} << " ";
        QTest::newRow("wind chill above air") << English << "_270/003g005t086" << QStringList{"270°  5 / 8 km/h", "30.0°C", "", "", ""} << " ";
        QTest::newRow("dew point at 100%") << English << "_...t068h00" << QStringList{"Anemora v7", "20.0°C", "100%", "", " Dp 20.0°C  17.3g/m³"} << " ...";
        QTest::newRow("humidity without temperature") << English << "_...h45" << QStringList{"Anemora v7", "", "45%", "", ""} << " ...";
        QTest::newRow("negative humidity skipped") << English << "_...t068h-5" << QStringList{"Anemora v7", "20.0°C", "", "", ""} << " ...";
        QTest::newRow("pressure change note") << English << "_220/004b10132v-02wRSW" << QStringList{"220°  6 km/h", "", "", "1,013.2 mb", ""} << "Variaz Press in 4h= -2mb wRSW";
        QTest::newRow("pressure change up") << English << "_220/004v+12" << QStringList{"220°  6 km/h", "", "", "", ""} << "Variaz Press in 4h= 12mb ";
        QTest::newRow("rain to whole mm") << English << "_...r002p000P000" << QStringList{"Anemora v7", "", "", "", "1mm/h 0mm/24h\r\n0mm/Day"} << " ...";
        // clang-format on
    }
    void texts() {
        QFETCH(QLocale, locale);
        QFETCH(QString, payload);
        QLocale::setDefault(locale);

        decode(payload);

        QTEST(ReadingTexts(monitor->model), "shown");
        QTEST(monitor->model.comment, "comment");
        QCOMPARE(monitor->model.trayTip,
                 (QStringList{"Q1ABC-13"} + ReadingTexts(monitor->model)).join(u' '));
    }

    void rainFontSize_data() {
        QTest::addColumn<QString>("payload");
        QTest::addColumn<int>("length");
        QTest::addColumn<double>("points");

        // clang-format off
        QTest::newRow("25 characters") << "_...r394p040P000" << 25 << 10.0;
        QTest::newRow("26 characters") << "_...r394p040P040" << 26 << 8.0;
        QTest::newRow("empty") << "_..." << 0 << 10.0;
        // clang-format on
    }
    void rainFontSize() {
        QFETCH(QString, payload);
        config.HiRainHour = 1000;
        monitor->model.rainFontPointSize = 9.75;

        decode(payload);

        QTEST(int(monitor->model.rain.text.size()), "length");
        QTEST(monitor->model.rainFontPointSize, "points");
    }

    void gateAndTimer_data() {
        QTest::addColumn<QString>("payload");
        QTest::addColumn<bool>("gateOpen");
        QTest::addColumn<int>("restarts");
        QTest::addColumn<bool>("compassDrawn");

        // clang-format off
        QTest::newRow("wind closes the gate") << Example << false << 1 << true;
        QTest::newRow("no direction keeps the gate") << "_10090556c...s...t077" << true << 0 << false;
        QTest::newRow("numeric direction below -99") << "_-99/004t077" << false << 1 << false;
        // clang-format on
    }
    void gateAndTimer() {
        QFETCH(QString, payload);
        monitor->minutesSinceReport = 7;
        monitor->model.minutes = QStringLiteral("07");
        QSignalSpy changed(monitor.get(), &StationMonitor::displayChanged);

        decode(payload);

        QTEST(monitor->acceptNextReport, "gateOpen");
        QTEST(notifications.timerRestarts, "restarts");
        QTEST(monitor->model.compass.drawn, "compassDrawn");
        QCOMPARE(monitor->minutesSinceReport, qint16(0));
        QCOMPARE(monitor->model.minutes, QStringLiteral("00"));
        QCOMPARE(changed.size(), 1);
    }

    void alarmBoundaries_data() {
        QTest::addColumn<QString>("payload");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("threshold");
        QTest::addColumn<UnitSystem>("units");
        QTest::addColumn<float>("limit");
        QTest::addColumn<bool>("alarm");

        const UnitSystem metric = UnitSystem::Metric, imperial = UnitSystem::Imperial;
        const float speed = float(10 * 1.609347);
        const float gust = float(20 * 1.609347);
        const float rain = float(100 * 0.254003);
        // clang-format off
        QTest::newRow("speed equal") << "_090/010g020" << "wind" << "HiWind" << metric << speed << true;
        QTest::newRow("speed just below") << "_090/010g020" << "wind" << "HiWind" << metric << speed + 0.1f << false;
        QTest::newRow("gust equal") << "_090/010g020" << "wind" << "HiGust" << metric << gust << false;
        QTest::newRow("gust tenth above") << "_090/010g020" << "wind" << "HiGust" << metric << gust - 0.1f << true;
        QTest::newRow("calm never alarms") << "_090/000g000" << "wind" << "HiGust" << metric << -5.0f << false;
        QTest::newRow("temp at low") << "_...t050" << "temp" << "LoTemp" << metric << 10.0f << true;
        QTest::newRow("temp above low") << "_...t050" << "temp" << "LoTemp" << metric << 9.9f << false;
        QTest::newRow("temp at high") << "_...t050" << "temp" << "HiTemp" << metric << 10.0f << true;
        QTest::newRow("temp below high") << "_...t050" << "temp" << "HiTemp" << metric << 10.1f << false;
        QTest::newRow("hum at low") << "_...h50" << "hum" << "LoHum" << metric << 50.0f << true;
        QTest::newRow("hum above low") << "_...h50" << "hum" << "LoHum" << metric << 49.0f << false;
        QTest::newRow("hum at high") << "_...h50" << "hum" << "HiHum" << metric << 50.0f << true;
        QTest::newRow("hum below high") << "_...h50" << "hum" << "HiHum" << metric << 51.0f << false;
        QTest::newRow("press at low") << "_...b10132" << "press" << "LoBaro" << metric << 1013.2f << true;
        QTest::newRow("press above low") << "_...b10132" << "press" << "LoBaro" << metric << 1013.1f << false;
        QTest::newRow("press at high") << "_...b10132" << "press" << "HiBaro" << metric << 1013.2f << true;
        QTest::newRow("press below high") << "_...b10132" << "press" << "HiBaro" << metric << 1013.3f << false;
        QTest::newRow("rain hour at limit") << "_...r100" << "rain" << "HiRainHour" << metric << rain << true;
        QTest::newRow("rain hour below") << "_...r100" << "rain" << "HiRainHour" << metric << rain + 0.1f << false;
        QTest::newRow("rain 24h at limit") << "_...p100" << "rain" << "HiRain24" << metric << rain << true;
        QTest::newRow("rain 24h below") << "_...p100" << "rain" << "HiRain24" << metric << rain + 0.1f << false;
        QTest::newRow("rain since midnight has none") << "_...P900" << "rain" << "HiRain24" << metric << 1.0f << false;
        QTest::newRow("absent rain never alarms") << "_..." << "rain" << "HiRainHour" << metric << -5.0f << false;
        // A reading shown as the threshold reads counts as equal to it.
        QTest::newRow("mph speed at its max") << "_270/030g040" << "wind" << "HiWind" << imperial << 30.0f << true;
        QTest::newRow("mph speed below its max") << "_270/029g040" << "wind" << "HiWind" << imperial << 30.0f << false;
        QTest::newRow("mph gust at its max") << "_270/010g080" << "wind" << "HiGust" << imperial << 80.0f << false;
        QTest::newRow("mph gust above its max") << "_270/010g081" << "wind" << "HiGust" << imperial << 80.0f << true;
        QTest::newRow("F at low") << "_...t033" << "temp" << "LoTemp" << imperial << 33.0f << true;
        QTest::newRow("F above low") << "_...t034" << "temp" << "LoTemp" << imperial << 33.0f << false;
        QTest::newRow("F at high") << "_...t033" << "temp" << "HiTemp" << imperial << 33.0f << true;
        QTest::newRow("F below high") << "_...t032" << "temp" << "HiTemp" << imperial << 33.0f << false;
        QTest::newRow("F below zero at low") << "_...t-10" << "temp" << "LoTemp" << imperial << -10.0f << true;
        QTest::newRow("F below zero above low") << "_...t-09" << "temp" << "LoTemp" << imperial << -10.0f << false;
        QTest::newRow("inHg shown at low") << "_...b10131" << "press" << "LoBaro" << imperial << 29.92f << true;
        QTest::newRow("inHg shown above low") << "_...b10134" << "press" << "LoBaro" << imperial << 29.92f << false;
        QTest::newRow("inHg shown at high") << "_...b10131" << "press" << "HiBaro" << imperial << 29.92f << true;
        QTest::newRow("inHg shown below high") << "_...b10129" << "press" << "HiBaro" << imperial << 29.92f << false;
        QTest::newRow("in at hour limit") << "_...r010" << "rain" << "HiRainHour" << imperial << 0.1f << true;
        QTest::newRow("in below hour limit") << "_...r009" << "rain" << "HiRainHour" << imperial << 0.1f << false;
        // Typed in imperial units, shown in metric ones: stored as reports are.
        QTest::newRow("mph gust typed at its max") << "_270/010g080" << "wind" << "HiGust" << metric << FromShownUnits(Measure::Speed, 80, imperial) << false;
        QTest::newRow("F typed at low") << "_...t033" << "temp" << "LoTemp" << metric << FromShownUnits(Measure::Temperature, 33, imperial) << true;
        QTest::newRow("F typed above low") << "_...t034" << "temp" << "LoTemp" << metric << FromShownUnits(Measure::Temperature, 33, imperial) << false;
        // clang-format on
    }
    void alarmBoundaries() {
        QFETCH(QString, payload);
        QFETCH(QString, label);
        QFETCH(QString, threshold);
        QFETCH(UnitSystem, units);
        QFETCH(float, limit);
        QFETCH(bool, alarm);

        const AlarmThreshold which = ThresholdNamed(threshold).value();
        config.Units = units;
        SetThreshold(
            config, which,
            FromShownUnits(AlarmThresholdFields[std::size_t(which)].measure, limit, units));

        decode(payload);

        const ReadingColour expected = alarm ? ReadingColour::Alarm : ReadingColour::Normal;
        QCOMPARE(labelNamed(monitor->model, label).colour, expected);
        QCOMPARE(notifications.broughtForward, alarm ? 1 : 0);
        const QStringList sounds =
            alarm ? QStringList{QDir(appDir).filePath("Alarm.wav")} : QStringList{};
        QCOMPARE(notifications.sounds, sounds);
    }

    void alarmColourReturnsToNormal() {
        config.HiTemp = 10.0f;
        decode(QStringLiteral("_090/010g020t050"));
        QCOMPARE(monitor->model.temperature.colour, ReadingColour::Alarm);

        config.HiWind = 1;
        decode(QStringLiteral("_090/010g020h50"));
        QCOMPARE(monitor->model.wind.colour, ReadingColour::Alarm);
        // Temperature absent: its label keeps red.
        QCOMPARE(monitor->model.temperature.colour, ReadingColour::Alarm);

        // Any report resets the wind label, even one without wind.
        config.HiTemp = DefaultAlarmThresholds.HiTemp;
        decode(QStringLiteral("_...t060"));
        QCOMPARE(monitor->model.wind.colour, ReadingColour::Normal);
        QCOMPARE(monitor->model.temperature.colour, ReadingColour::Normal);
        QCOMPARE(monitor->model.wind.text, QStringLiteral("090°  16 / 32 km/h"));
    }

    void sounds_data() {
        QTest::addColumn<QString>("payload");
        QTest::addColumn<QString>("call");
        QTest::addColumn<bool>("beepNewData");
        QTest::addColumn<bool>("beepAlarm");
        QTest::addColumn<QString>("expected");

        const QString hot = QStringLiteral("_090/010t120");
        const QString mild = QStringLiteral("_090/010t060");
        const QString noDirection = QStringLiteral("_...t120");
        // clang-format off
        QTest::newRow("alarm wins over new data") << hot << "Q1ABC-13" << true << true << "Alarm.wav";
        QTest::newRow("station's own sound") << mild << "Q1ABC-13" << true << true << "Q1ABC-13.wav";
        QTest::newRow("new data without own sound") << mild << "IK2XYZ" << true << true << "NewData.wav";
        QTest::newRow("new data off") << mild << "Q1ABC-13" << false << true << "";
        QTest::newRow("silent alarm") << hot << "Q1ABC-13" << true << false << "Q1ABC-13.wav";
        QTest::newRow("silent alarm, no new data") << hot << "Q1ABC-13" << false << false << "";
        QTest::newRow("no direction, no new data") << noDirection << "Q1ABC-13" << true << false << "";
        QTest::newRow("call leading outside") << mild << "../outside" << true << true << "NewData.wav";
        QTest::newRow("call with a folder") << mild << "sub/Q1ABC-13" << true << true << "NewData.wav";
        QTest::newRow("folder named like the call") << mild << "DIR" << true << true << "NewData.wav";
        // clang-format on
    }
    void sounds() {
        QFETCH(QString, payload);
        QFETCH(QString, call);
        QFETCH(bool, beepNewData);
        QFETCH(bool, beepAlarm);
        QFETCH(QString, expected);

        const QDir app(appDir);
        for (const QString &path : {app.filePath("Q1ABC-13.wav"), app.filePath("sub/Q1ABC-13.wav"),
                                    QDir(root->path()).filePath("outside.wav")}) {
            QVERIFY(app.mkpath(QFileInfo(path).path()));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QVERIFY(app.mkdir(QStringLiteral("DIR.wav")));
        config.StationCall = call;
        config.BeepNewData = beepNewData;
        config.BeepAlarm = beepAlarm;

        decode(payload);

        const QStringList sounds =
            expected.isEmpty() ? QStringList{} : QStringList{app.filePath(expected)};
        QCOMPARE(notifications.sounds, sounds);
    }

    void bringForward_data() {
        QTest::addColumn<QString>("payload");
        QTest::addColumn<bool>("focusNewData");
        QTest::addColumn<bool>("focusAlarm");
        QTest::addColumn<int>("times");

        // clang-format off
        QTest::newRow("every report when asked") << "_...h50" << true << false << 1;
        QTest::newRow("quiet report") << "_090/010t060" << false << true << 0;
        QTest::newRow("alarm") << "_090/010t120" << false << true << 1;
        QTest::newRow("alarm, focus off") << "_090/010t120" << false << false << 0;
        QTest::newRow("several alarms once") << "_090/099t120h99" << false << true << 1;
        // clang-format on
    }
    void bringForward() {
        QFETCH(QString, payload);
        QFETCH(bool, focusNewData);
        QFETCH(bool, focusAlarm);
        config.FocusNewData = focusNewData;
        config.FocusAlarm = focusAlarm;

        decode(payload);

        QTEST(notifications.broughtForward, "times");
        QVERIFY(notifications.sounds.size() <= 1);
    }

    void trends() {
        decode(QStringLiteral("_090/010t060h50b10132"));
        const std::array<TrendMark, 3> none{TrendMark::None, TrendMark::None, TrendMark::None};
        QCOMPARE(monitor->model.trends, none);
        QVERIFY(monitor->haveLastValues);

        decode(QStringLiteral("_090/010t070h50b10120"));
        const std::array<TrendMark, 3> second{TrendMark::Up, TrendMark::Steady, TrendMark::Down};
        QCOMPARE(monitor->model.trends, second);

        // Absent values keep their mark and their last value.
        decode(QStringLiteral("_090/010h40"));
        const std::array<TrendMark, 3> third{TrendMark::Up, TrendMark::Down, TrendMark::Down};
        QCOMPARE(monitor->model.trends, third);
        QCOMPARE(monitor->lastPressure, 1012.0f);
        QCOMPARE(monitor->lastHumidity, qint16(40));
    }

    void firstTrendAgainstOlderValue() {
        // One flag for three values: pressure, absent at first, is compared
        // with the value stored before (0 at start).
        decode(QStringLiteral("_090/010t060"));
        decode(QStringLiteral("_090/010b10132"));
        QCOMPARE(monitor->model.trends[2], TrendMark::Up);
    }

    void reportWithOnlyWind() {
        decode(Example);
        decode(QStringLiteral("_180/010"));

        const DisplayModel &m = monitor->model;
        QCOMPARE(ReadingTexts(m), (QStringList{"180°  16 km/h", "25.0°C", "50%", "990.0 mb", ""}));
        QCOMPARE(m.compass.direction, qint16(180));
        QCOMPARE(m.compass.speed, float(10 * 1.609347));
        QCOMPARE(m.compass.gust, float(-9999 * 1.609347));
        QCOMPARE(m.trayTip, QStringLiteral("Q1ABC-13 180°  16 km/h 25.0°C 50% 990.0 mb "));
    }

    void minutesStopAt99() {
        decode(Example);
        QVERIFY(!monitor->acceptNextReport);
        monitor->MinuteTick();
        QVERIFY(monitor->acceptNextReport);
        QCOMPARE(monitor->model.minutes, QStringLiteral("01"));

        QSignalSpy changed(monitor.get(), &StationMonitor::displayChanged);
        for (int i = 0; i < 120; ++i)
            monitor->MinuteTick();
        QCOMPARE(monitor->minutesSinceReport, qint16(99));
        QCOMPARE(monitor->model.minutes, QStringLiteral("99"));
        QCOMPARE(changed.size(), 120);

        decode(QStringLiteral("_...t060"));
        QCOMPARE(monitor->model.minutes, QStringLiteral("00"));
    }

    void dataStopped_data() {
        QTest::addColumn<int>("setting");
        QTest::addColumn<int>("linkUpAt"); // minutes after the report; -1: no link
        QTest::addColumn<double>("quietMinutes");
        QTest::addColumn<bool>("alerts"); // the alarm settings' sound and window
        QTest::addColumn<QString>("then");
        QTest::addColumn<QString>("shown");
        const QString thirty = QStringLiteral("Nessun dato da Q1ABC-13 da 30 min");
        // clang-format off
        QTest::newRow("off, the default") << 0 << 0 << 120.0 << true << "report" << "";
        QTest::newRow("a minute short at the second tick") << 30 << 0 << 28.0 << true << "report" << "";
        QTest::newRow("at the minute") << 30 << 0 << 30.0 << true << "report" << thirty;
        QTest::newRow("coarse tick a little early") << 30 << 0 << 29.6 << true << "report" << thirty;
        QTest::newRow("shortest wait") << 5 << 0 << 5.0 << true << "report" << "Nessun dato da Q1ABC-13 da 5 min";
        QTest::newRow("counts past 99") << 30 << 0 << 130.0 << true << "report" << "Nessun dato da Q1ABC-13 da 130 min";
        QTest::newRow("alarms silent") << 30 << 0 << 30.0 << false << "report" << thirty;
        QTest::newRow("no link: the link's own state") << 30 << -1 << 45.0 << true << "report" << "";
        QTest::newRow("quiet counts from the link coming up") << 30 << 20 << 45.0 << true << "report" << "";
        QTest::newRow("link up later, quiet long enough") << 30 << 10 << 40.0 << true << "report" << thirty;
        QTest::newRow("link down withdraws it") << 30 << 0 << 30.0 << true << "link down" << thirty;
        QTest::newRow("turned off withdraws it") << 30 << 0 << 30.0 << true << "off" << thirty;
        QTest::newRow("set past the quiet withdraws it") << 30 << 0 << 30.0 << true << "60" << thirty;
        // clang-format on
    }

    // Shown at the minute with one sound, however many ticks follow; it goes
    // without one.
    void dataStopped() {
        QFETCH(int, setting);
        QFETCH(int, linkUpAt);
        QFETCH(double, quietMinutes);
        QFETCH(bool, alerts);
        QFETCH(QString, then);
        QFETCH(QString, shown);
        qint64 now = 0;
        monitor =
            std::make_unique<StationMonitor>(config, notifications, appDir, [&now] { return now; });
        config.StationCall = QStringLiteral("Q1ABC-13");
        config.DataStoppedMinutes = setting;
        config.BeepAlarm = config.FocusAlarm = alerts;
        monitor->SetLinkConnected(linkUpAt == 0);
        decode(QStringLiteral("_090/010t060"));
        now = linkUpAt * 60000;
        monitor->SetLinkConnected(linkUpAt >= 0);
        now = qint64(quietMinutes * 60000);
        monitor->MinuteTick();
        QCOMPARE(monitor->model.dataStopped, shown);
        QCOMPARE(monitor->model.minutesColour == ReadingColour::Alarm, !shown.isEmpty());
        now += 60000;
        monitor->MinuteTick();
        const int sounds = alerts && !shown.isEmpty() ? 1 : 0;
        QCOMPARE(notifications.sounds.filter("Alarm.wav").size(), sounds);
        QCOMPARE(notifications.broughtForward, sounds);

        if (then == u"report")
            decode(QStringLiteral("_090/010t060"));
        else if (then == u"link down")
            monitor->SetLinkConnected(false);
        config.DataStoppedMinutes = then == u"off" ? 0 : then == u"60" ? 60 : setting;
        monitor->CheckDataStopped();
        QCOMPARE(monitor->model.dataStopped, QString());
        QCOMPARE(monitor->model.minutesColour, ReadingColour::Normal);
        QCOMPARE(notifications.sounds.filter("Alarm.wav").size(), sounds);
    }

    void clearData_data() {
        QTest::addColumn<int>("callChanged");
        QTest::addColumn<bool>("reset");

        // clang-format off
        QTest::newRow("unset") << -1 << false;
        QTest::newRow("false") << 0 << false;
        QTest::newRow("true") << 1 << true;
        // clang-format on
    }
    void clearData() {
        QFETCH(int, callChanged);
        QFETCH(bool, reset);
        if (callChanged >= 0)
            config.CallChanged = callChanged == 1;
        config.HiTemp = 20;
        decode(QStringLiteral("_090/010g015t070h50b10132r001v+01note"));
        decode(QStringLiteral("_090/010g015t080h50b10132r001v+01note"));
        monitor->MinuteTick();
        monitor->model.rxRows = QStringList{"Q1ABC-13>APRS", "_090/010"};
        monitor->model.history = QStringLiteral("history");
        const DisplayModel before = monitor->model;

        monitor->ClearData(QStringLiteral("Q1ABC-13 Wx Station"));

        const DisplayModel &m = monitor->model;
        QCOMPARE(m.caption, QStringLiteral("Q1ABC-13 Wx Station"));
        QCOMPARE(m.trayTip, QStringLiteral("Q1ABC-13 Wx Station"));
        QCOMPARE(ReadingTexts(m),
                 (reset ? QStringList{"Anemora v7", "", "", "", ""} : ReadingTexts(before)));
        QCOMPARE(m.compass.drawn, !reset);
        QCOMPARE(m.trends[0], reset ? TrendMark::None : TrendMark::Up);
        QCOMPARE(m.minutes, reset ? QStringLiteral("00") : QStringLiteral("01"));
        QCOMPARE(monitor->minutesSinceReport, qint16(reset ? 0 : 1));
        QCOMPARE(monitor->haveLastValues, !reset);
        QCOMPARE(m.rxRows.isEmpty(), reset);
        // Left alone in every case.
        QCOMPARE(m.temperature.colour, ReadingColour::Alarm);
        QCOMPARE(m.comment, before.comment);
        QCOMPARE(m.history, QStringLiteral("history"));
        QVERIFY(monitor->acceptNextReport);
        QCOMPARE(monitor->lastTemperature, float((80 - 32) * 0.5555555555555556));
        QCOMPARE(monitor->lastHumidity, qint16(50));
    }

    void hostileInput_data() {
        QTest::addColumn<QString>("payload");

        QString binary;
        for (int c = 0; c < 256; ++c)
            binary += QChar(c);
        // clang-format off
        QTest::newRow("every byte") << QStringLiteral("_") + binary;
        QTest::newRow("megabyte of digits") << QStringLiteral("_220/004t") + QString(1 << 20, u'9');
        QTest::newRow("megabyte of keys") << QStringLiteral("_") + QString(1 << 20, u't');
        QTest::newRow("largest values") << "_999/999g32767t32767r32767p32767P32767h32767b32767v+32767";
        QTest::newRow("smallest values") << "_-32768/-32768g-32768t-32736r-32768h-32768b-32768v-32768";
        QTest::newRow("humidity far above 100") << "_090/010t077h9999";
        QTest::newRow("only an underscore") << "_";
        // clang-format on
    }
    void hostileInput() {
        QFETCH(QString, payload);

        decode(payload);

        for (const QString &text : ReadingTexts(monitor->model)) {
            QVERIFY2(!text.contains(QLatin1String("nan"), Qt::CaseInsensitive), qPrintable(text));
            QVERIFY2(!text.contains(QLatin1String("inf"), Qt::CaseInsensitive), qPrintable(text));
        }
        QVERIFY(notifications.sounds.size() <= 1);
        QCOMPARE(monitor->model.minutes, QStringLiteral("00"));
    }

private:
    void decode(const QString &payload) { monitor->DecodeWxReport(payload); }

    WxConfig config;
    FakeNotifications notifications;
    std::unique_ptr<QTemporaryDir> root;
    QString appDir;
    std::unique_ptr<StationMonitor> monitor;
};

QTEST_GUILESS_MAIN(TestDecodeWxReport)
#include "tst_decode_wx_report.moc"
