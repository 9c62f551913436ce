// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/fakes.h"
#include "common/settings.h"
#include "monitor/station_monitor.h"
#include "weather/wx_report.h"

#include <QtTest>

using namespace anemora;
using namespace anemora::test;

namespace {

const QString Positionless = QStringLiteral("_10090556c220s004g005t077r000p000P000h50b09900wRSW");
const QString WithPosition =
    QStringLiteral("!4903.50N/07201.75W_220/004g005t077r010p020P015h50b10132v-02 Stazione meteo");

} // namespace

class BenchWeather : public QObject {
    Q_OBJECT
private slots:
    void parseWxReport_data() {
        QTest::addColumn<QString>("payload");
        // clang-format off
        QTest::newRow("positionless") << Positionless;
        QTest::newRow("with position") << WithPosition;
        // clang-format on
    }
    void parseWxReport() {
        QFETCH(QString, payload);
        WxReport wx;
        QBENCHMARK {
            wx = ParseWxReport(payload);
        }
        QCOMPARE(wx.WindDir, qint16(220));
    }

    void decodeWxReport() {
        WxConfig config = Settings().AlarmDefaults();
        config.BeepNewData = true;
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        FakeNotifications notifications;
        StationMonitor monitor(config, notifications, QDir::tempPath());

        QBENCHMARK {
            monitor.DecodeWxReport(WithPosition);
        }
        QCOMPARE(monitor.model.pressure.text, QStringLiteral("1.013,2 mb"));
    }
};

QTEST_GUILESS_MAIN(BenchWeather)
#include "bench_weather.moc"
