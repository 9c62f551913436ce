// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/station_log.h"

#include "common/log_rows.h"
#include "history/trend_model.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace anemora;
using anemora::test::WeekOfMinutes;

namespace {

const QString Station = QStringLiteral("Q1ABC-13");

} // namespace

class BenchTrendModel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // A week of one-minute reports across a month's turn, so two files are read.
        StationLog log(folder.path());
        for (int minute = WeekOfMinutes; minute > 0; --minute)
            log.Append(test::WavingReport(Station, now.addSecs(-60LL * minute), minute));
        QVERIFY(log.statusText().isEmpty());
    }

    void openWeekFromLog() {
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

    void appendReport() {
        const StationLog log(folder.path());
        TrendModel model(TrendRange::Week);
        model.Load(log.ReadRows(Station, now.addMSecs(-RangeMs(TrendRange::Week)), now), now);
        int minute = 0;
        // What the window asks per report: the change to draw and the table.
        QBENCHMARK {
            ++minute;
            model.Append(test::WavingReport(Station, now.addSecs(60LL * minute), minute));
            model.Table();
        }
        QCOMPARE(model.Segments(TrendQuantity::Pressure).size(), 1);
    }

private:
    QTemporaryDir folder;
    QDateTime now = QDateTime(QDate(2025, 3, 3), QTime(12, 0), Qt::UTC);
};

QTEST_GUILESS_MAIN(BenchTrendModel)
#include "bench_trend_model.moc"
