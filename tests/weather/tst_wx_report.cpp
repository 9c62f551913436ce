// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "weather/wx_report.h"

#include <QtTest>

#include <functional>

using namespace anemora;

Q_DECLARE_METATYPE(WxReport)

namespace {

const float AbsentGust = float(-9999 * 1.609347);
const float AbsentTemp = float((-9999 - 32) * 0.5555555555555556);
const float AbsentRain = float(-9999 * 0.254003);
const float AbsentPressure = -999.9f;

float mph(int v) {
    return float(v * 1.609347);
}
float fahrenheit(int v) {
    return float((v - 32) * 0.5555555555555556);
}
float hundredths(int v) {
    return float(v * 0.254003);
}

// A report in which nothing at all was sent.
WxReport nothingSent() {
    WxReport wx;
    wx.WindValid = false;
    wx.WindDir = -999;
    wx.WindSpeed = 0;
    wx.Gust = AbsentGust;
    wx.Temp = AbsentTemp;
    wx.RainHour = wx.RainDay = wx.Rain24 = AbsentRain;
    wx.Pressure = AbsentPressure;
    wx.Humidity = -9999;
    wx.PressChange = -999;
    return wx;
}

// The worked example: 220 degrees, 4 mph, gust 5, 77 F, no rain, 990.0 mb, 50 %.
WxReport example(const QString &remainder = QStringLiteral("220s004wRSW")) {
    WxReport wx;
    wx.WindValid = true;
    wx.WindDir = 220;
    wx.WindSpeed = mph(4);
    wx.Gust = mph(5);
    wx.Temp = 25.0f;
    wx.RainHour = wx.RainDay = wx.Rain24 = 0;
    wx.Pressure = 990.0f;
    wx.Humidity = 50;
    wx.PressChange = -999;
    wx.Remainder = remainder;
    return wx;
}

WxReport with(WxReport wx, const std::function<void(WxReport &)> &change) {
    change(wx);
    return wx;
}

} // namespace

class TestWxReport : public QObject {
    Q_OBJECT
private slots:
    void readWxField_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("left");

        // clang-format off
        QTest::newRow("consumes the field") << "g005t077" << "g" << 3 << 5 << "t077";
        QTest::newRow("field in the middle") << "220/004g005t077" << "t" << 3 << 77 << "220/004g005";
        QTest::newRow("absent key") << "t077" << "g" << 3 << -9999 << "t077";
        QTest::newRow("negative") << "t-05r000" << "t" << 3 << -5 << "r000";
        QTest::newRow("plus sign") << "v+02x" << "v" << 3 << 2 << "x";
        QTest::newRow("widens while numeric") << "b10132h50" << "b" << 4 << 10132 << "h50";
        QTest::newRow("widens to the end") << "b10132" << "b" << 4 << 10132 << "";
        QTest::newRow("nominal width only") << "h50wRSW" << "h" << 2 << 50 << "wRSW";
        QTest::newRow("trailing blank is read on") << "h50 wRSW" << "h" << 2 << 50 << "wRSW";
        QTest::newRow("leading blank") << "g 05x" << "g" << 3 << 5 << "x";
        QTest::newRow("text ends early") << "g05" << "g" << 3 << 5 << "";
        QTest::newRow("first occurrence wins") << "tog g005" << "g" << 3 << -9999 << "tog g005";
        QTest::newRow("dots removed") << "g...t077" << "g" << 3 << -9999 << "t077";
        QTest::newRow("five dots leave one") << "b.....h50" << "b" << 4 << -9999 << ".h50";
        QTest::newRow("two dots stay") << "g..t077" << "g" << 3 << -9999 << "g..t077";
        QTest::newRow("short dots at end stay") << "xg.." << "g" << 3 << -9999 << "xg..";
        QTest::newRow("blanks stay") << "g   t077" << "g" << 3 << -9999 << "g   t077";
        QTest::newRow("sign only stays") << "v+..x" << "v" << 3 << -9999 << "v+..x";
        QTest::newRow("half to even down") << "h2.5x" << "h" << 2 << 2 << "x";
        QTest::newRow("half to even up") << "h3.5x" << "h" << 2 << 4 << "x";
        QTest::newRow("largest 16-bit") << "b32767" << "b" << 4 << 32767 << "";
        QTest::newRow("smallest 16-bit") << "g-32768" << "g" << 3 << -32768 << "";
        QTest::newRow("too large is absent") << "t99999r000" << "t" << 3 << -9999 << "r000";
        QTest::newRow("too small is absent") << "g-40000" << "g" << 3 << -9999 << "";
        QTest::newRow("pressure too large") << "b999999h50" << "b" << 4 << -9999 << "h50";
        QTest::newRow("empty text") << "" << "g" << 3 << -9999 << "";
        // clang-format on
    }
    void readWxField() {
        QFETCH(QString, text);
        QFETCH(QString, key);
        QFETCH(int, width);

        QTEST(int(ReadWxField(text, key, width)), "value");
        QTEST(text, "left");
    }

    void readWxFieldLongDigitRun() {
        // A hostile station may send any length; the read must stay linear.
        QString text = QStringLiteral("b") + QString(1'000'000, u'7') + QStringLiteral("h50");
        QCOMPARE(int(ReadWxField(text, QStringLiteral("b"), 4)), -9999);
        QCOMPARE(text, QStringLiteral("h50"));
    }

    void parseWxReport_data() {
        QTest::addColumn<QString>("packet");
        QTest::addColumn<WxReport>("expected");

        // clang-format off
        QTest::newRow("positionless example") << "_10090556c220s004g005t077r000p000P000h50b09900wRSW" << example();
        QTest::newRow("position example") << "!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW" << example(QStringLiteral("220/004wRSW"));
        QTest::newRow("no underscore") << "220/004g005t077r000p000P000h50b09900wRSW" << example(QStringLiteral("220/004wRSW"));
        QTest::newRow("gust absent") << "_220/004t077r000p000P000h50b09900" << with(example(), [](WxReport &w) { w.Gust = AbsentGust; w.Remainder = "220/004"; });
        QTest::newRow("gust dots") << "_220/004g...t077r000p000P000h50b09900" << with(example(), [](WxReport &w) { w.Gust = AbsentGust; w.Remainder = "220/004"; });
        QTest::newRow("gust blanks") << "_220/004g   t077r000p000P000h50b09900" << with(example(), [](WxReport &w) { w.Gust = AbsentGust; w.Remainder = "220/004g   "; });
        QTest::newRow("temperature absent") << "_220/004g005r000p000P000h50b09900" << with(example(), [](WxReport &w) { w.Temp = AbsentTemp; w.Remainder = "220/004"; });
        QTest::newRow("temperature dots") << "_220/004g005t...r000p000P000h50b09900" << with(example(), [](WxReport &w) { w.Temp = AbsentTemp; w.Remainder = "220/004"; });
        QTest::newRow("temperature below zero") << "_220/004g005t-05r000p000P000h50b09900" << with(example(), [](WxReport &w) { w.Temp = fahrenheit(-5); w.Remainder = "220/004"; });
        QTest::newRow("temperature too high") << "_220/004g005t99999r000p000P000h50b09900" << with(example(), [](WxReport &w) { w.Temp = AbsentTemp; w.Remainder = "220/004"; });
        QTest::newRow("temperature offset leaves 16 bits") << "_220/004g005t-32737r000p000P000h50b09900" << with(example(), [](WxReport &w) { w.Temp = AbsentTemp; w.Remainder = "220/004"; });
        QTest::newRow("lowest temperature that fits") << "_220/004g005t-32736r000p000P000h50b09900" << with(example(), [](WxReport &w) { w.Temp = fahrenheit(-32736); w.Remainder = "220/004"; });
        QTest::newRow("rain in each key") << "_220/004g005t077r010p250P120h50b09900" << with(example(), [](WxReport &w) { w.RainHour = hundredths(10); w.Rain24 = hundredths(250); w.RainDay = hundredths(120); w.Remainder = "220/004"; });
        QTest::newRow("rain absent") << "_220/004g005t077h50b09900" << with(example(), [](WxReport &w) { w.RainHour = w.RainDay = w.Rain24 = AbsentRain; w.Remainder = "220/004"; });
        QTest::newRow("pressure five dots") << "_220/004g005t077r000p000P000b.....h50" << with(example(), [](WxReport &w) { w.Pressure = AbsentPressure; w.Remainder = "220/004."; });
        QTest::newRow("pressure too large") << "_220/004g005t077r000p000P000h50b999999" << with(example(), [](WxReport &w) { w.Pressure = AbsentPressure; w.Remainder = "220/004"; });
        QTest::newRow("pressure below 60 gains 1000") << "_220/004g005t077r000p000P000h50b0132" << with(example(), [](WxReport &w) { w.Pressure = 1013.2f; w.Remainder = "220/004"; });
        QTest::newRow("pressure 60 to 100 gains 900") << "_220/004g005t077r000p000P000h50b0850" << with(example(), [](WxReport &w) { w.Pressure = 985.0f; w.Remainder = "220/004"; });
        QTest::newRow("pressure five digits") << "_220/004g005t077r000p000P000h50b10132" << with(example(), [](WxReport &w) { w.Pressure = 1013.2f; w.Remainder = "220/004"; });
        QTest::newRow("humidity 00 is 100") << "_220/004g005t077r000p000P000h00b09900" << with(example(), [](WxReport &w) { w.Humidity = 100; w.Remainder = "220/004"; });
        QTest::newRow("humidity dots") << "_220/004g005t077r000p000P000h..b09900" << with(example(), [](WxReport &w) { w.Humidity = -9999; w.Remainder = "220/004"; });
        QTest::newRow("humidity too large") << "_220/004g005t077r000p000P000h99999b09900" << with(example(), [](WxReport &w) { w.Humidity = -9999; w.Remainder = "220/004"; });
        QTest::newRow("pressure change up") << "_220/004g005t077r000p000P000h50b09900v+02" << with(example(), [](WxReport &w) { w.PressChange = 2; w.Remainder = "220/004"; });
        QTest::newRow("pressure change down") << "_220/004g005t077r000p000P000h50b09900v-03x" << with(example(), [](WxReport &w) { w.PressChange = -3; w.Remainder = "220/004x"; });
        QTest::newRow("v without sign is not read") << "_220/004g005t077r000p000P000h50b09900v03" << with(example(), [](WxReport &w) { w.Remainder = "220/004v03"; });
        QTest::newRow("first v is elsewhere") << "_220/004g005t077r000p000P000h50b09900 avx v+02" << with(example(), [](WxReport &w) { w.PressChange = -9999; w.Remainder = "220/004avx v+02"; });
        QTest::newRow("direction dots") << "_10090556c...s...g...t077r000p000P000h50b09900" << with(example(), [](WxReport &w) { w.WindValid = false; w.WindDir = -999; w.WindSpeed = 0; w.Gust = AbsentGust; w.Remainder = "...s..."; });
        QTest::newRow("speed read leniently") << "_220/4x5t077" << with(nothingSent(), [](WxReport &w) { w.WindValid = true; w.WindDir = 220; w.WindSpeed = mph(4); w.Temp = 25.0f; w.Remainder = "220/4x5"; });
        QTest::newRow("short text") << "_12" << with(nothingSent(), [](WxReport &w) { w.WindValid = true; w.WindDir = 12; w.Remainder = "12"; });
        QTest::newRow("no c after timestamp") << "_10090556x220" << with(nothingSent(), [](WxReport &w) { w.WindValid = true; w.WindDir = 100; w.WindSpeed = mph(55); w.Remainder = "10090556x220"; });
        QTest::newRow("empty") << "" << nothingSent();
        QTest::newRow("underscore only") << "_" << nothingSent();
        // clang-format on
    }
    void parseWxReport() {
        QFETCH(QString, packet);
        QFETCH(WxReport, expected);

        const WxReport wx = ParseWxReport(packet);
        QCOMPARE(wx.WindValid, expected.WindValid);
        QCOMPARE(wx.WindDir, expected.WindDir);
        QCOMPARE(wx.WindSpeed, expected.WindSpeed);
        QCOMPARE(wx.Gust, expected.Gust);
        QCOMPARE(wx.Temp, expected.Temp);
        QCOMPARE(wx.RainHour, expected.RainHour);
        QCOMPARE(wx.RainDay, expected.RainDay);
        QCOMPARE(wx.Rain24, expected.Rain24);
        QCOMPARE(wx.Pressure, expected.Pressure);
        QCOMPARE(wx.Humidity, expected.Humidity);
        QCOMPARE(wx.PressChange, expected.PressChange);
        QCOMPARE(wx.Remainder, expected.Remainder);
    }
};

QTEST_GUILESS_MAIN(TestWxReport)
#include "tst_wx_report.moc"
