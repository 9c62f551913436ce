// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "history/day_summary.h"
#include "history/station_log_row.h"
#include "history/trend_quantity.h"

#include <QDateTime>
#include <QList>
#include <QPointF>
#include <QtGlobal>

#include <array>
#include <limits>
#include <optional>
#include <utility>

namespace anemora {

enum class TrendRange { SixHours, Day, Week };
qint64 RangeMs(TrendRange range);

// Two reports further apart than this are not joined by a line. Stations send
// every 1 to 15 minutes, so half an hour without a reading means the link was
// down or the station silent: drawing straight across would invent weather.
inline constexpr qint64 LongestJoinedGapMs = 30 * 60 * 1000LL;

// Points of one unbroken stretch of a line: x is milliseconds since the epoch
// (UTC), y the reading.
using TrendSegment = QList<QPointF>;

// The rain of one clock hour: the last "rain in the last hour" reported in it,
// at `readingMs`. The bar leaves the chart with that reading.
struct RainBar {
    qint64 startMs;
    qint64 endMs;
    float mm;
    qint64 readingMs;

    bool operator==(const RainBar &) const = default;
};

// A segment as a chart `columns` wide needs it: where more than two points
// fall in one column, only that column's lowest and highest are kept, in
// their order, so peaks and dips stay while a week of one-minute readings
// costs no more to draw than a day.
TrendSegment DrawnPoints(const TrendSegment &segment, qint64 startMs, qint64 endMs, int columns);

// How one line changed, in the order to apply it: drop whole segments from
// the front, then points from the front of the first remaining one, then
// append `point`, in a new segment when `newSegment`.
struct TrendLineChange {
    int droppedSegments = 0;
    int droppedPoints = 0;
    bool newSegment = false;
    std::optional<QPointF> point;
};

// What an append or the passing of time changed, so the drawing can follow
// without rebuilding.
struct TrendChange {
    std::array<TrendLineChange, TrendLineCount> lines;
    int droppedBars = 0;
    bool barAdded = false;
    bool lastBarChanged = false;
};

// Which points the charts draw over a time range ending now, and the table.
class TrendModel {
public:
    explicit TrendModel(TrendRange range = TrendRange::Day);

    TrendRange range() const { return timeRange; }

    // Rebuilds from `rows` (oldest first, at least the last 24 hours for the
    // table); the range ends at `now` or the last row, whichever is later.
    void Load(const QList<StationLogRow> &rows, const QDateTime &now);
    // One new report; an older one than the last drawn adds no point.
    TrendChange Append(const StationLogRow &row);
    // Moves the end of the range, dropping what falls out of it.
    TrendChange AdvanceTo(const QDateTime &now);

    qint64 StartMs() const { return endMs - RangeMs(timeRange); }
    qint64 EndMs() const { return endMs; }
    // `quantity` is one of the lines, not the rain.
    const QList<TrendSegment> &Segments(TrendQuantity quantity) const;
    const QList<RainBar> &RainBars() const { return rainBars; }
    // Lowest and highest value to show on a chart, or nothing when empty.
    std::optional<std::pair<double, double>>
    ValueRange(TrendChart chart, UnitSystem units = UnitSystem::Metric) const;
    QList<DaySummaryRow> Table() const { return summary.Rows(); }

private:
    void AddPoints(const StationLogRow &row, qint64 ms, TrendChange *change);
    void DropBefore(qint64 startMs, TrendChange *change);

    TrendRange timeRange;
    // Arrival of the last rain reading drawn, so an older one never overwrites it.
    qint64 lastRainMs = std::numeric_limits<qint64>::min();
    qint64 endMs = 0;
    std::array<QList<TrendSegment>, TrendLineCount> lines;
    QList<RainBar> rainBars;
    DaySummary summary;
};

} // namespace anemora
