// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/station_log.h"
#include "history/trend_model.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace anemora;

namespace {

const QString Station = QStringLiteral("Q1ABC-13");
constexpr int WeekOfMinutes = 7 * 24 * 60;

StationLogRow reportAt(const QDateTime &arrival, int minute) {
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
    row.pressureChange = -1;
    row.rainHour = std::max(0.0f, 3 * wave);
    row.rainDay = 5;
    row.rain24 = 9;
    return row;
}

} // namespace

class BenchTrendModel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void openWeekFromLog();
    void appendReport();

private:
    QTemporaryDir folder;
    QDateTime now = QDateTime(QDate(2025, 3, 3), QTime(12, 0), Qt::UTC);
};

void BenchTrendModel::initTestCase() {
    // A week of one-minute reports across a month's turn, so two files are read.
    StationLog log(folder.path());
    for (int minute = WeekOfMinutes; minute > 0; --minute)
        log.Append(reportAt(now.addSecs(-60LL * minute), minute));
    QVERIFY(log.statusText().isEmpty());
}

void BenchTrendModel::openWeekFromLog() {
    const StationLog log(folder.path());
    TrendModel model(TrendRange::Week);
    QBENCHMARK {
        model.Load(log.ReadRows(Station, now.addMSecs(-RangeMs(TrendRange::Week)), now), now);
    }
    qsizetype points = 0;
    for (const TrendSegment &segment : model.Segments(TrendQuantity::Temperature))
        points += segment.size();
    QCOMPARE(points, WeekOfMinutes);
}

void BenchTrendModel::appendReport() {
    const StationLog log(folder.path());
    TrendModel model(TrendRange::Week);
    model.Load(log.ReadRows(Station, now.addMSecs(-RangeMs(TrendRange::Week)), now), now);
    int minute = 0;
    // What the window asks per report: the change to draw and the table.
    QBENCHMARK {
        ++minute;
        model.Append(reportAt(now.addSecs(60LL * minute), minute));
        model.Table();
    }
    QCOMPARE(model.Segments(TrendQuantity::Pressure).size(), 1);
}

QTEST_GUILESS_MAIN(BenchTrendModel)
#include "bench_trend_model.moc"
