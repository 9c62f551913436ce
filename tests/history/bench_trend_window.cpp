// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/station_log.h"
#include "ui/trend_window.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace anemora;

namespace {

const QString Station = QStringLiteral("Q1ABC-13");
constexpr int WeekOfMinutes = 7 * 24 * 60;

StationLogRow ReportAt(const QDateTime &arrival, int minute) {
    const float wave = float(std::sin(minute / 240.0));
    StationLogRow row;
    row.arrivalUtc = arrival;
    row.station = Station;
    row.windDirection = qint16(minute % 360);
    row.windSpeed = 10 + 5 * wave;
    row.gust = 18 + 6 * wave;
    row.temperature = 12 + 8 * wave;
    row.dewPoint = 6 + 3 * wave;
    row.humidity = qint16(70 + 20 * wave);
    row.pressure = 1013 + 6 * wave;
    row.rainHour = std::max(0.0f, 3 * wave);
    return row;
}

} // namespace

// The trend window opened on a week of one-minute reports, drawn once, and
// then a new report arriving while it is open.
class BenchTrendWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void openOnAWeek();
    void newReport();

private:
    QTemporaryDir folder;
};

void BenchTrendWindow::initTestCase() {
    StationLog log(folder.path());
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (int minute = WeekOfMinutes; minute > 0; --minute)
        log.Append(ReportAt(now.addSecs(-60LL * minute), minute));
    QVERIFY(log.statusText().isEmpty());
}

void BenchTrendWindow::openOnAWeek() {
    StationLog log(folder.path());
    QBENCHMARK {
        TrendWindow window(log);
        window.SetRange(TrendRange::Week);
        window.ShowStation(Station, DefaultAlarmThresholds);
        window.show();
        window.grab();
    }
}

void BenchTrendWindow::newReport() {
    StationLog log(folder.path());
    TrendWindow window(log);
    window.SetRange(TrendRange::Week);
    window.ShowStation(Station, DefaultAlarmThresholds);
    window.show();
    window.grab();
    int minute = 0;
    QBENCHMARK {
        ++minute;
        log.Append(ReportAt(QDateTime::currentDateTimeUtc(), minute));
        // The repaint the window asks for, as the event loop would run it.
        QCoreApplication::processEvents();
    }
}

QTEST_MAIN(BenchTrendWindow)
#include "bench_trend_window.moc"
