// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "weather/wx_display.h"

#include "config/display_language.h"

#include <QtTest>

using namespace anemora;

class TestWxDisplay : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void formatFixed_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<float>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");

        const QLocale en(QLocale::English, QLocale::UnitedStates);
        const QLocale it(QLocale::Italian, QLocale::Italy);
        const QLocale es(QLocale::Spanish, QLocale::Spain);
        const QLocale ar(QLocale::Arabic, QLocale::Egypt);
        // clang-format off
        QTest::newRow("half up to whole") << en << 0.5f << 0 << "1";
        QTest::newRow("2.5 away from zero") << en << 2.5f << 0 << "3";
        QTest::newRow("-2.5 away from zero") << en << -2.5f << 0 << "-3";
        QTest::newRow("exact quarter") << en << 0.25f << 1 << "0.3";
        // These halves are not exact in binary and lie just below the half.
        QTest::newRow("3.55 as written") << en << 3.55f << 1 << "3.6";
        QTest::newRow("0.35 as written") << en << 0.35f << 1 << "0.4";
        QTest::newRow("-1.45 as written") << en << -1.45f << 1 << "-1.5";
        QTest::newRow("below half") << en << 2.449f << 1 << "2.4";
        QTest::newRow("carry over") << en << 999.95f << 1 << "1,000.0";
        QTest::newRow("leading zero") << en << 0.04f << 1 << "0.0";
        QTest::newRow("no minus for zero") << en << -0.04f << 1 << "0.0";
        QTest::newRow("pads decimals") << en << 25.0f << 1 << "25.0";
        QTest::newRow("grouping English") << en << 1013.2f << 1 << "1,013.2";
        QTest::newRow("grouping Italian") << it << 1013.2f << 1 << "1.013,2";
        QTest::newRow("negative Italian") << it << -20.55f << 1 << "-20,6";
        QTest::newRow("whole Italian") << it << 8.046735f << 0 << "8";
        QTest::newRow("four digits ungrouped Spanish") << es << 1013.2f << 1 << "1013,2";
        QTest::newRow("five digits grouped Spanish") << es << 12345.6f << 1 << "12.345,6";
        QTest::newRow("carry to five digits") << en << 9999.96f << 1 << "10,000.0";
        QTest::newRow("Arabic digits and marks") << ar << -20.55f << 1 << QStringLiteral(u"\u061C-\u0662\u0660\u066B\u0666");
        // clang-format on
    }
    void formatFixed() {
        QFETCH(QLocale, locale);
        QFETCH(float, value);
        QFETCH(int, decimals);
        QLocale::setDefault(locale);
        QTEST(FormatFixed(value, decimals), "text");
    }

    void formatDirection_data() {
        QTest::addColumn<int>("direction");
        QTest::addColumn<QString>("text");

        // clang-format off
        QTest::newRow("north") << 0 << "000";
        QTest::newRow("five") << 5 << "005";
        QTest::newRow("three digits") << 220 << "220";
        QTest::newRow("negative keeps sign first") << -5 << "-005";
        // clang-format on
    }
    void formatDirection() {
        QFETCH(int, direction);
        QTEST(FormatDirection(qint16(direction)), "text");
    }

    void derivedValues_data() {
        QTest::addColumn<float>("temp");
        QTest::addColumn<float>("speed");
        QTest::addColumn<float>("gust");
        QTest::addColumn<int>("humidity");
        QTest::addColumn<QString>("rain");

        // clang-format off
        QTest::newRow("all parts") << 10.0f << 20.0f << 25.0f << 80 << QStringLiteral("0mm/h 0mm/24h\r\n0mm/Day Wch 3.6°C Dp 6.7°C  7.5g/m³");
        QTest::newRow("chill above air") << 30.0f << 5.0f << 8.0f << 80 << QStringLiteral("0mm/h 0mm/24h\r\n0mm/Day Dp 26.2°C  24.3g/m³");
        QTest::newRow("gust zero disables chill") << 10.0f << 20.0f << 0.0f << -9999 << QStringLiteral("0mm/h 0mm/24h\r\n0mm/Day");
        QTest::newRow("saturated") << 20.0f << 0.0f << 0.0f << 100 << QStringLiteral("0mm/h 0mm/24h\r\n0mm/Day Dp 20.0°C  17.3g/m³");
        QTest::newRow("negative humidity") << 20.0f << 0.0f << 0.0f << -1 << QStringLiteral("0mm/h 0mm/24h\r\n0mm/Day");
        QTest::newRow("negative speed") << 10.0f << -5.0f << 3.0f << -9999 << QStringLiteral("0mm/h 0mm/24h\r\n0mm/Day");
        // clang-format on
    }
    void derivedValues() {
        QFETCH(float, temp);
        QFETCH(float, speed);
        QFETCH(float, gust);
        QFETCH(int, humidity);

        WxReport wx;
        wx.RainHour = wx.RainDay = wx.Rain24 = 0;
        const QString rain = RainText(
            wx, WindChill(temp, speed, gust),
            humidity > -99 ? DewPointAndAbsHumidity(temp, qint16(humidity)) : HumidityValues{});
        QTEST(rain, "rain");
    }

    void stationSoundName_data() {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("name");

        // clang-format off
        QTest::newRow("call with SSID") << "Q1ABC-13" << "Q1ABC-13.wav";
        QTest::newRow("no call") << "" << "";
        QTest::newRow("parent folder") << "../x" << "";
        QTest::newRow("two dots alone") << ".." << "";
        QTest::newRow("absolute path") << "/tmp/x" << "";
        QTest::newRow("backslash") << "..\\x" << "";
        // clang-format on
    }
    void stationSoundName() {
        QFETCH(QString, call);
        QTEST(StationSoundName(call), "name");
    }

    void textsByLanguageAndUnits_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<bool>("imperial");
        QTest::addColumn<QLocale>("locale");
        // Calm, wind, temperature, pressure, rain block, comment, separated by "|".
        QTest::addColumn<QString>("texts");
        QTest::addColumn<double>("rainPoints");

        const bool it = false, en = true, metric = false, imperial = true;
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        const QLocale italy(QLocale::Italian, QLocale::Italy);
        // clang-format off
        QTest::newRow("defaults as always") << it << metric << us << QStringLiteral("Calma di vento|220°  20 / 25 km/h|10.0°C|1,013.2 mb|3mm/h 25mm/24h\r\n13mm/Day Wch 3.6°C Dp 6.7°C  7.5g/m³|Variaz Press in 4h= -2mb x") << 8.0;
        QTest::newRow("defaults in an Italian locale") << it << metric << italy << QStringLiteral("Calma di vento|220°  20 / 25 km/h|10,0°C|1.013,2 mb|3mm/h 25mm/24h\r\n13mm/Day Wch 3,6°C Dp 6,7°C  7,5g/m³|Variaz Press in 4h= -2mb x") << 8.0;
        QTest::newRow("English words, metric numbers") << en << metric << us << QStringLiteral("Wind calm|220°  20 / 25 km/h|10.0°C|1,013.2 mb|3mm/h 25mm/24h\r\n13mm/Day Wch 3.6°C Dp 6.7°C  7.5g/m³|Press change 4h= -2mb x") << 8.0;
        QTest::newRow("English and imperial") << en << imperial << us << QStringLiteral("Wind calm|220°  12 / 16 mph|50.0°F|29.92 inHg|0.10in/h 1.00in/24h\r\n0.50in/Day Wch 38.5°F Dp 44.1°F  7.5g/m³|Press change 4h= -0.06inHg x") << 8.0;
        QTest::newRow("Italian imperial keeps the comma") << it << imperial << italy << QStringLiteral("Calma di vento|220°  12 / 16 mph|50,0°F|29,92 inHg|0,10in/h 1,00in/24h\r\n0,50in/Day Wch 38,5°F Dp 44,1°F  7,5g/m³|Variaz Press in 4h= -0,06inHg x") << 8.0;
        // clang-format on
    }
    void textsByLanguageAndUnits() {
        QFETCH(bool, english);
        QFETCH(bool, imperial);
        QFETCH(QLocale, locale);
        const UnitSystem units = imperial ? UnitSystem::Imperial : UnitSystem::Metric;
        ApplyLanguage(english ? DisplayLanguage::English : DisplayLanguage::Italian);
        const auto restore = qScopeGuard([] { ApplyLanguage(DisplayLanguage::Italian); });

        WxReport wx;
        wx.RainHour = 2.54f;
        wx.Rain24 = 25.4f;
        wx.RainDay = 12.7f;
        const QString rain =
            RainText(wx, WindChill(10, 20, 25), DewPointAndAbsHumidity(10, 80), locale, units);
        const QStringList texts{CalmText(),
                                WindText(220, 20, 25, locale, units),
                                TempText(10, locale, units),
                                PressureText(1013.2f, locale, units),
                                rain,
                                CommentText(-2, QStringLiteral("x"), locale, units)};
        QTEST(texts.join(u'|'), "texts");
        QTEST(RainFontPointSize(rain), "rainPoints");
    }
};

QTEST_GUILESS_MAIN(TestWxDisplay)
#include "tst_wx_display.moc"
