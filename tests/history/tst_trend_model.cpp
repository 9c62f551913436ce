// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/trend_model.h"
#include "history/trend_thresholds.h"

#include <QtTest>

#include <cmath>
#include <functional>
#include <numeric>

using namespace anemora;

namespace {

const QDateTime Midnight(QDate(2025, 3, 1), QTime(0, 0), Qt::UTC);

// A report `minute` minutes after midnight; NaN leaves a value out.
StationLogRow reportAt(int minute, float temperature, float pressure = NAN, float rain = NAN) {
    StationLogRow row;
    row.arrivalUtc = Midnight.addSecs(minute * 60LL);
    row.station = QStringLiteral("Q1ABC-13");
    const auto present = [](float v) { return std::isnan(v) ? std::nullopt : std::optional(v); };
    row.temperature = present(temperature);
    row.pressure = present(pressure);
    row.rainHour = present(rain);
    return row;
}

QList<int> segmentSizes(const TrendModel &model, TrendQuantity quantity) {
    QList<int> sizes;
    for (const TrendSegment &segment : model.Segments(quantity))
        sizes.append(int(segment.size()));
    return sizes;
}

// What the trend window holds, kept up to date only by applying changes.
struct ChartMirror {
    std::array<QList<TrendSegment>, TrendLineCount> lines;
    QList<RainBar> bars;

    explicit ChartMirror(const TrendModel &model) {
        for (int line = 0; line < TrendLineCount; ++line)
            lines[line] = model.Segments(TrendQuantity(line));
        bars = model.RainBars();
    }
    void apply(const TrendChange &change, const TrendModel &model) {
        for (int line = 0; line < TrendLineCount; ++line) {
            const TrendLineChange &lineChange = change.lines[line];
            QList<TrendSegment> &segments = lines[line];
            segments.remove(0, lineChange.droppedSegments);
            if (lineChange.droppedPoints > 0)
                segments.first().remove(0, lineChange.droppedPoints);
            if (lineChange.point) {
                if (lineChange.newSegment)
                    segments.append(TrendSegment());
                segments.last().append(*lineChange.point);
            }
        }
        bars.remove(0, change.droppedBars);
        if (change.barAdded)
            bars.append(model.RainBars().last());
        else if (change.lastBarChanged)
            bars.last() = model.RainBars().last();
    }
};

AlarmThresholds defaultsWith(const std::function<void(AlarmThresholds &)> &change) {
    AlarmThresholds thresholds = DefaultAlarmThresholds;
    change(thresholds);
    return thresholds;
}

} // namespace

class TestTrendModel : public QObject {
    Q_OBJECT
private slots:
    void gapRule_data() {
        QTest::addColumn<QList<int>>("minutes");
        QTest::addColumn<QList<float>>("temperatures");
        QTest::addColumn<QList<int>>("segments");
        // clang-format off
        QTest::newRow("steady reports join") << QList<int>{0, 5, 10} << QList<float>{1, 2, 3} << QList<int>{3};
        QTest::newRow("half an hour still joins") << QList<int>{0, 30} << QList<float>{1, 2} << QList<int>{2};
        QTest::newRow("31 minutes break the line") << QList<int>{0, 31} << QList<float>{1, 2} << QList<int>{1, 1};
        QTest::newRow("link down an hour then back") << QList<int>{0, 5, 65, 70} << QList<float>{1, 2, 3, 4} << QList<int>{2, 2};
        QTest::newRow("gap counted on the line's own readings") << QList<int>{0, 10, 20, 31} << QList<float>{1, NAN, NAN, 4} << QList<int>{1, 1};
        QTest::newRow("repeated arrival time drawn once") << QList<int>{0, 0, 5} << QList<float>{1, 2, 3} << QList<int>{2};
        QTest::newRow("older report than the line's last ignored") << QList<int>{0, 10, 5} << QList<float>{1, 2, 3} << QList<int>{2};
        // clang-format on
    }
    void gapRule() {
        QFETCH(QList<int>, minutes);
        QFETCH(QList<float>, temperatures);
        QFETCH(QList<int>, segments);
        TrendModel loaded;
        TrendModel appended;
        QList<StationLogRow> rows;
        for (qsizetype i = 0; i < minutes.size(); ++i) {
            rows.append(reportAt(minutes[i], temperatures[i]));
            appended.Append(rows.last());
        }
        loaded.Load(rows, Midnight);
        QCOMPARE(segmentSizes(loaded, TrendQuantity::Temperature), segments);
        QCOMPARE(segmentSizes(appended, TrendQuantity::Temperature), segments);
    }

    void timeRange_data() {
        QTest::addColumn<TrendRange>("range");
        QTest::addColumn<int>("advanceMinutes");
        QTest::addColumn<int>("pointsKept");
        // Reports 7 days, 24 hours and 6 hours before the last, each a minute
        // either side, and the last one.
        // clang-format off
        QTest::newRow("6 hours") << TrendRange::SixHours << 0 << 3;
        QTest::newRow("24 hours") << TrendRange::Day << 0 << 6;
        QTest::newRow("7 days") << TrendRange::Week << 0 << 9;
        QTest::newRow("6 hours, a minute later") << TrendRange::SixHours << 1 << 2;
        QTest::newRow("24 hours, 6 hours later") << TrendRange::Day << 360 << 4;
        QTest::newRow("7 days, a week later") << TrendRange::Week << 7 * 1440 << 1;
        // clang-format on
    }
    void timeRange() {
        QFETCH(TrendRange, range);
        QFETCH(int, advanceMinutes);
        const int now = 8 * 1440;
        QList<StationLogRow> rows;
        for (int ago : {7 * 1440, 1440, 360})
            for (int minute : {now - ago - 1, now - ago, now - ago + 1})
                rows.append(reportAt(minute, 1, 1000));
        rows.append(reportAt(now, 1, 1000));
        TrendModel model(range);
        model.Load(rows, Midnight);
        model.AdvanceTo(Midnight.addSecs((now + advanceMinutes) * 60LL));
        QCOMPARE(model.EndMs() - model.StartMs(), RangeMs(range));
        QCOMPARE(model.EndMs(),
                 Midnight.addSecs((now + advanceMinutes) * 60LL).toMSecsSinceEpoch());
        const QList<int> sizes = segmentSizes(model, TrendQuantity::Temperature);
        QTEST(std::accumulate(sizes.begin(), sizes.end(), 0), "pointsKept");
    }

    void appendFollowsRebuild_data() {
        QTest::addColumn<TrendRange>("range");
        QTest::addColumn<QList<int>>("minutes");
        QList<int> tenHours;
        for (int minute = 0; minute < 600; minute += 7)
            tenHours.append(minute);
        // clang-format off
        QTest::newRow("window slides over ten hours") << TrendRange::SixHours << tenHours;
        QTest::newRow("gaps fall out of the range") << TrendRange::SixHours << QList<int>{0, 5, 100, 105, 110, 300, 420, 425, 430, 700, 701};
        QTest::newRow("a week of sparse days") << TrendRange::Week << QList<int>{0, 1, 2000, 2001, 9000, 9001, 12000, 12001};
        QTest::newRow("older report slipped in") << TrendRange::Day << QList<int>{0, 10, 20, 15, 30, 40};
        // clang-format on
    }
    void appendFollowsRebuild() {
        QFETCH(TrendRange, range);
        QFETCH(QList<int>, minutes);
        QList<StationLogRow> rows;
        for (int minute : minutes) {
            // Pressure on every other report, so the lines part ways.
            rows.append(reportAt(minute, float(minute % 17),
                                 minute % 2 ? NAN : 1000.0f + minute % 5, float(minute % 60) / 10));
        }
        const qsizetype half = rows.size() / 2;
        TrendModel appended(range);
        appended.Load(rows.first(half), rows[half - 1].arrivalUtc);
        ChartMirror chart(appended);
        for (qsizetype i = half; i < rows.size(); ++i)
            chart.apply(appended.Append(rows[i]), appended);

        TrendModel rebuilt(range);
        rebuilt.Load(rows, Midnight);
        for (int line = 0; line < TrendLineCount; ++line) {
            QCOMPARE(chart.lines[line], appended.Segments(TrendQuantity(line)));
            QCOMPARE(appended.Segments(TrendQuantity(line)), rebuilt.Segments(TrendQuantity(line)));
        }
        QCOMPARE(chart.bars, appended.RainBars());
        QCOMPARE(appended.RainBars(), rebuilt.RainBars());
        QCOMPARE(appended.Table(), rebuilt.Table());
    }

    void rainBars_data() {
        QTest::addColumn<QList<int>>("minutes");
        QTest::addColumn<QList<float>>("rain");
        // Pairs of the bar's first minute and its millimetres.
        QTest::addColumn<QList<float>>("bars");
        // clang-format off
        QTest::newRow("last reading of the hour stands") << QList<int>{0, 30, 59} << QList<float>{0, 1, 2} << QList<float>{0, 2};
        QTest::newRow("new hour, new bar") << QList<int>{59, 60} << QList<float>{2, 0.5} << QList<float>{0, 2, 60, 0.5};
        QTest::newRow("hour without rain reading has no bar") << QList<int>{10, 70, 130} << QList<float>{1, NAN, 3} << QList<float>{0, 1, 120, 3};
        QTest::newRow("older reading does not overwrite") << QList<int>{10, 40, 20} << QList<float>{1, 2, 5} << QList<float>{0, 2};
        // clang-format on
    }
    void rainBars() {
        QFETCH(QList<int>, minutes);
        QFETCH(QList<float>, rain);
        QFETCH(QList<float>, bars);
        TrendModel model;
        for (qsizetype i = 0; i < minutes.size(); ++i)
            model.Append(reportAt(minutes[i], NAN, NAN, rain[i]));
        QList<float> seen;
        for (const RainBar &bar : model.RainBars()) {
            QCOMPARE(bar.endMs - bar.startMs, 3600 * 1000LL);
            seen << float((bar.startMs - Midnight.toMSecsSinceEpoch()) / 60000) << bar.mm;
        }
        QCOMPARE(seen, bars);
    }

    void thresholdLines_data() {
        QTest::addColumn<AlarmThresholds>("thresholds");
        QTest::addColumn<QList<int>>("drawn");
        using T = AlarmThreshold;
        const QList<int> allNine{int(T::LoTemp),     int(T::HiTemp), int(T::LoHum),
                                 int(T::HiHum),      int(T::LoBaro), int(T::HiBaro),
                                 int(T::HiRainHour), int(T::HiWind), int(T::HiGust)};
        const auto without = [&](T gone) {
            QList<int> drawn = allNine;
            drawn.removeOne(int(gone));
            return drawn;
        };
        // clang-format off
        QTest::newRow("defaults: all but the 24-hour rain") << DefaultAlarmThresholds << allNine;
        QTest::newRow("frost at 0 degrees is a threshold") << defaultsWith([](auto &t) { t.LoTemp = 0; }) << allNine;
        QTest::newRow("temperature at -99 is off") << defaultsWith([](auto &t) { t.LoTemp = -99; }) << without(T::LoTemp);
        QTest::newRow("temperature just above -99 is on") << defaultsWith([](auto &t) { t.LoTemp = -98.9f; }) << allNine;
        QTest::newRow("low humidity 0 is off") << defaultsWith([](auto &t) { t.LoHum = 0; }) << without(T::LoHum);
        QTest::newRow("low humidity 100 always fires") << defaultsWith([](auto &t) { t.LoHum = 100; }) << without(T::LoHum);
        QTest::newRow("high humidity 100 is on") << defaultsWith([](auto &t) { t.HiHum = 100; }) << allNine;
        QTest::newRow("high humidity 101 never fires") << defaultsWith([](auto &t) { t.HiHum = 101; }) << without(T::HiHum);
        QTest::newRow("low pressure 0 is off") << defaultsWith([](auto &t) { t.LoBaro = 0; }) << without(T::LoBaro);
        QTest::newRow("hourly rain 0 is off") << defaultsWith([](auto &t) { t.HiRainHour = 0; }) << without(T::HiRainHour);
        QTest::newRow("wind 0 is off") << defaultsWith([](auto &t) { t.HiWind = 0; }) << without(T::HiWind);
        QTest::newRow("negative gust is off") << defaultsWith([](auto &t) { t.HiGust = -1; }) << without(T::HiGust);
        // clang-format on
    }
    void thresholdLines() {
        QFETCH(AlarmThresholds, thresholds);
        QFETCH(QList<int>, drawn);
        const QList<ThresholdLine> lines = ThresholdLines(thresholds);
        QList<int> which;
        for (const ThresholdLine &line : lines) {
            which.append(int(line.threshold));
            const AlarmThresholdField &field = AlarmThresholdFields[std::size_t(line.threshold)];
            QCOMPARE(line.value,
                     field.decimal ? thresholds.*field.decimal : float(thresholds.*field.percent));
        }
        QCOMPARE(which, drawn);
    }

    void daySummary_data() {
        QTest::addColumn<QList<int>>("minutes");
        QTest::addColumn<QList<float>>("temperatures");
        QTest::addColumn<QList<float>>("pressures");
        // Last, minimum and maximum temperature, then the pressure change; NaN is empty.
        QTest::addColumn<QList<float>>("expected");
        // clang-format off
        QTest::newRow("minimum and maximum of the day") << QList<int>{0, 1500, 2000, 2880} << QList<float>{30, 10, 15, 12} << QList<float>{NAN, NAN, NAN, NAN} << QList<float>{12, 10, 15, NAN};
        QTest::newRow("last report lacks temperature") << QList<int>{0, 60} << QList<float>{10, NAN} << QList<float>{NAN, NAN} << QList<float>{NAN, 10, 10, NAN};
        QTest::newRow("pressure change over the day") << QList<int>{0, 100, 800, 1540} << QList<float>{NAN, NAN, NAN, NAN} << QList<float>{990, 1010, 1005, 1002} << QList<float>{NAN, NAN, NAN, -8};
        QTest::newRow("one pressure shows no change") << QList<int>{0} << QList<float>{NAN} << QList<float>{1002} << QList<float>{NAN, NAN, NAN, NAN};
        // clang-format on
    }
    void daySummary() {
        QFETCH(QList<int>, minutes);
        QFETCH(QList<float>, temperatures);
        QFETCH(QList<float>, pressures);
        QFETCH(QList<float>, expected);
        QList<StationLogRow> rows;
        for (qsizetype i = 0; i < minutes.size(); ++i)
            rows.append(reportAt(minutes[i], temperatures[i], pressures[i]));
        TrendModel model(TrendRange::SixHours);
        model.Load(rows, Midnight);
        const QList<DaySummaryRow> table = model.Table();
        QCOMPARE(table.size(), TrendQuantityCount);
        const DaySummaryRow &temperature = table[int(TrendQuantity::Temperature)];
        const auto asNumber = [](std::optional<float> v) { return v.value_or(NAN); };
        const QList<float> seen{asNumber(temperature.last), asNumber(temperature.minimum),
                                asNumber(temperature.maximum),
                                asNumber(table[int(TrendQuantity::Pressure)].change)};
        for (qsizetype i = 0; i < seen.size(); ++i)
            QVERIFY2(std::isnan(seen[i]) ? std::isnan(expected[i]) : seen[i] == expected[i],
                     qPrintable(QStringLiteral("column %1: %2").arg(i).arg(seen[i])));
    }

    void valueRange_data() {
        QTest::addColumn<TrendChart>("chart");
        QTest::addColumn<UnitSystem>("units");
        QTest::addColumn<float>("value");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        const UnitSystem metric = UnitSystem::Metric, imperial = UnitSystem::Imperial;
        // clang-format off
        QTest::newRow("flat line gets a band") << TrendChart::Temperature << metric << 20.0f << 19.5 << 20.5;
        QTest::newRow("below zero stays below") << TrendChart::Temperature << metric << -10.0f << -10.5 << -9.5;
        QTest::newRow("temperature passes zero") << TrendChart::Temperature << metric << 0.25f << -0.25 << 0.75;
        QTest::newRow("band stops at zero") << TrendChart::Pressure << metric << 0.25f << 0.0 << 0.75;
        QTest::newRow("rain bars stand on zero") << TrendChart::Rain << metric << 4.0f << 0.0 << 4.5;
        QTest::newRow("humidity stops at 100") << TrendChart::Humidity << metric << 100.0f << 99.5 << 100.0;
        QTest::newRow("°F band") << TrendChart::Temperature << imperial << 50.0f << 49.1 << 50.9;
        QTest::newRow("inHg band") << TrendChart::Pressure << imperial << 29.92f << 29.92 - 0.5 / 33.8638866667 << 29.92 + 0.5 / 33.8638866667;
        QTest::newRow("rain bars in inches") << TrendChart::Rain << imperial << 0.1f << 0.0 << 0.1 + 0.5 / 25.4003;
        // clang-format on
    }
    void valueRange() {
        QFETCH(TrendChart, chart);
        QFETCH(UnitSystem, units);
        QFETCH(float, value);
        QFETCH(double, low);
        QFETCH(double, high);
        TrendModel model;
        QVERIFY(!model.ValueRange(chart, units));
        StationLogRow row = reportAt(0, value, value, value);
        row.humidity = qint16(value);
        model.Append(row);
        const auto range = model.ValueRange(chart, units);
        QVERIFY(range);
        QVERIFY(std::abs(range->first - low) < 1e-6);
        QVERIFY(std::abs(range->second - high) < 1e-6);
    }

    void drawnPointsKeepPeaks_data() {
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("peakAt");
        // clang-format off
        QTest::newRow("few points drawn as they are") << 50 << 100 << 7;
        QTest::newRow("a week in a thousand columns") << 10080 << 1000 << 5000;
        QTest::newRow("peak in the first column") << 10080 << 1000 << 0;
        QTest::newRow("peak in the last column") << 10080 << 1000 << 10079;
        // clang-format on
    }

    // Thinning a long line for drawing keeps every column's peak and dip, in
    // order, and invents no point.
    void drawnPointsKeepPeaks() {
        QFETCH(int, points);
        QFETCH(int, columns);
        QFETCH(int, peakAt);
        constexpr qint64 MinuteMs = 60000;
        TrendSegment segment;
        for (int i = 0; i < points; ++i)
            segment.append(QPointF(i * MinuteMs, i == peakAt ? 1000.0 : std::sin(i / 30.0)));
        const qint64 endMs = points * MinuteMs;
        const TrendSegment drawn = DrawnPoints(segment, 0, endMs, columns);
        QVERIFY(drawn.size() <= std::max(points, 2 * columns));
        if (points <= 2 * columns)
            QCOMPARE(drawn, segment);
        QVERIFY(drawn.contains(segment[peakAt]));
        QVERIFY(drawn.contains(*std::min_element(
            segment.begin(), segment.end(), [](QPointF a, QPointF b) { return a.y() < b.y(); })));
        for (qsizetype i = 0; i < drawn.size(); ++i) {
            QVERIFY(segment.contains(drawn[i]));
            if (i > 0)
                QVERIFY(drawn[i].x() > drawn[i - 1].x());
        }
    }
};

QTEST_GUILESS_MAIN(TestTrendModel)
#include "tst_trend_model.moc"
