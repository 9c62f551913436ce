// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/trend_model.h"

#include <algorithm>

namespace anemora {

namespace {

constexpr qint64 HourMs = 3600 * 1000LL;
constexpr qint64 DayMs = 24 * HourMs;

// Clock hours in UTC: the same as local hours nearly everywhere, and a bar
// never spans a change of summer time.
qint64 hourStartOf(qint64 ms) {
    return ms - ((ms % HourMs) + HourMs) % HourMs;
}

bool StartsAtZero(TrendChart chart) {
    // Bars and wind speeds are measured from nothing.
    return chart == TrendChart::Rain || chart == TrendChart::Wind;
}

} // namespace

qint64 RangeMs(TrendRange range) {
    switch (range) {
    case TrendRange::SixHours:
        return 6 * HourMs;
    case TrendRange::Day:
        return DayMs;
    case TrendRange::Week:
        return 7 * DayMs;
    }
    return DayMs;
}

TrendModel::TrendModel(TrendRange range) : timeRange(range) {}

void TrendModel::Load(const QList<StationLogRow> &rows, const QDateTime &now) {
    lines = {};
    rainBars.clear();
    lastRainMs = std::numeric_limits<qint64>::min();
    summary = DaySummary();
    endMs = now.toMSecsSinceEpoch();
    if (!rows.isEmpty())
        endMs = std::max(endMs, rows.last().arrivalUtc.toMSecsSinceEpoch());
    for (const StationLogRow &row : rows) {
        const qint64 ms = row.arrivalUtc.toMSecsSinceEpoch();
        if (ms >= endMs - DayMs)
            summary.Add(row);
        if (ms >= StartMs())
            AddPoints(row, ms, nullptr);
    }
    summary.AdvanceTo(endMs);
}

TrendChange TrendModel::Append(const StationLogRow &row) {
    TrendChange change = AdvanceTo(row.arrivalUtc);
    const qint64 ms = row.arrivalUtc.toMSecsSinceEpoch();
    if (ms >= endMs - DayMs)
        summary.Add(row);
    if (ms >= StartMs())
        AddPoints(row, ms, &change);
    return change;
}

TrendChange TrendModel::AdvanceTo(const QDateTime &now) {
    TrendChange change;
    const qint64 ms = now.toMSecsSinceEpoch();
    if (ms <= endMs)
        return change;
    endMs = ms;
    DropBefore(StartMs(), &change);
    summary.AdvanceTo(endMs);
    return change;
}

TrendSegment DrawnPoints(const TrendSegment &segment, qint64 startMs, qint64 endMs, int columns) {
    if (segment.size() <= 2 * columns || columns <= 0 || endMs <= startMs)
        return segment;
    const double columnMs = double(endMs - startMs) / columns;
    TrendSegment drawn;
    drawn.reserve(2 * columns + 2);
    qsizetype first = 0;
    while (first < segment.size()) {
        const qint64 column = qint64((segment[first].x() - startMs) / columnMs);
        qsizetype low = first;
        qsizetype high = first;
        qsizetype next = first + 1;
        for (; next < segment.size() && qint64((segment[next].x() - startMs) / columnMs) == column;
             ++next) {
            if (segment[next].y() < segment[low].y())
                low = next;
            if (segment[next].y() > segment[high].y())
                high = next;
        }
        drawn.append(segment[std::min(low, high)]);
        if (low != high)
            drawn.append(segment[std::max(low, high)]);
        first = next;
    }
    return drawn;
}

const QList<TrendSegment> &TrendModel::Segments(TrendQuantity quantity) const {
    return lines[std::size_t(quantity)];
}

void TrendModel::AddPoints(const StationLogRow &row, qint64 ms, TrendChange *change) {
    for (int line = 0; line < TrendLineCount; ++line) {
        const std::optional<float> value = ValueOf(row, TrendQuantity(line));
        if (!value)
            continue;
        QList<TrendSegment> &segments = lines[line];
        const double lastMs = segments.isEmpty() ? 0 : segments.last().last().x();
        // A line only moves forward in time.
        if (!segments.isEmpty() && ms <= lastMs)
            continue;
        const bool newSegment = segments.isEmpty() || ms - lastMs > LongestJoinedGapMs;
        if (newSegment)
            segments.append(TrendSegment());
        const QPointF point{double(ms), double(*value)};
        segments.last().append(point);
        if (change) {
            change->lines[line].newSegment = newSegment;
            change->lines[line].point = point;
        }
    }

    if (!row.rainHour || ms < lastRainMs)
        return;
    lastRainMs = ms;
    const qint64 hourStart = hourStartOf(ms);
    if (!rainBars.isEmpty() && rainBars.last().startMs == hourStart) {
        rainBars.last().mm = *row.rainHour;
        rainBars.last().readingMs = ms;
        if (change)
            change->lastBarChanged = true;
    } else {
        rainBars.append({hourStart, hourStart + HourMs, *row.rainHour, ms});
        if (change)
            change->barAdded = true;
    }
}

void TrendModel::DropBefore(qint64 startMs, TrendChange *change) {
    const auto before = [startMs](const QPointF &point) { return point.x() < double(startMs); };
    for (int line = 0; line < TrendLineCount; ++line) {
        QList<TrendSegment> &segments = lines[line];
        TrendLineChange &lineChange = change->lines[line];
        while (!segments.isEmpty() && before(segments.first().last())) {
            segments.removeFirst();
            ++lineChange.droppedSegments;
        }
        if (segments.isEmpty())
            continue;
        TrendSegment &first = segments.first();
        const auto kept = std::find_if_not(first.begin(), first.end(), before);
        lineChange.droppedPoints = int(kept - first.begin());
        first.remove(0, lineChange.droppedPoints);
    }
    while (!rainBars.isEmpty() && rainBars.first().readingMs < startMs) {
        rainBars.removeFirst();
        ++change->droppedBars;
    }
}

std::optional<std::pair<double, double>> TrendModel::ValueRange(TrendChart chart,
                                                                UnitSystem units) const {
    std::optional<double> low;
    std::optional<double> high;
    const auto include = [&](double value) {
        low = std::min(low.value_or(value), value);
        high = std::max(high.value_or(value), value);
    };
    for (int line = 0; line < TrendLineCount; ++line) {
        if (InfoOf(TrendQuantity(line)).chart != chart)
            continue;
        for (const TrendSegment &segment : lines[line])
            for (const QPointF &point : segment)
                include(point.y());
    }
    if (chart == TrendChart::Rain)
        for (const RainBar &bar : rainBars)
            include(bar.mm);
    if (!low)
        return std::nullopt;
    if (StartsAtZero(chart))
        include(0);
    // A margin keeps the line off the frame; a flat line still gets a band,
    // as wide in every unit, so a day fills the same height in each.
    const double margin =
        std::max((*high - *low) * 0.05, double(ToShownDifference(MeasureOf(chart), 0.5f, units)));
    // No reading but a temperature goes below zero, in any unit.
    const bool signedReadings = chart == TrendChart::Temperature;
    const double bottom =
        *low >= 0 && !signedReadings ? std::max(*low - margin, 0.0) : *low - margin;
    // Humidity cannot pass 100 %, so its chart stops there, unless a station
    // sends more.
    const double top = chart == TrendChart::Humidity
                           ? std::min(*high + margin, std::max(*high, 100.0))
                           : *high + margin;
    return std::pair(StartsAtZero(chart) ? 0.0 : bottom, top);
}

} // namespace anemora
