// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/day_summary.h"

#include <algorithm>

namespace anemora {

namespace {

constexpr qint64 DayMs = 24 * 3600 * 1000LL;

} // namespace

void DaySummary::Add(const StationLogRow &row) {
    Entry entry{row.arrivalUtc.toMSecsSinceEpoch(), {}};
    for (int q = 0; q < TrendQuantityCount; ++q)
        entry.values[q] = ValueOf(row, TrendQuantity(q));
    if (entry.ms >= lastReportMs) {
        lastReportMs = entry.ms;
        lastReport = entry.values;
    }
    const auto after = std::upper_bound(entries.begin(), entries.end(), entry.ms,
                                        [](qint64 ms, const Entry &e) { return ms < e.ms; });
    entries.insert(after, entry);
    AdvanceTo(lastReportMs);
}

void DaySummary::AdvanceTo(qint64 nowMs) {
    while (!entries.empty() && entries.front().ms < nowMs - DayMs)
        entries.pop_front();
}

QList<DaySummaryRow> DaySummary::Rows() const {
    QList<DaySummaryRow> rows;
    for (int q = 0; q < TrendQuantityCount; ++q) {
        DaySummaryRow row{TrendQuantity(q), lastReport[q], {}, {}, {}};
        std::optional<float> first;
        std::optional<float> latest;
        int readings = 0;
        for (const Entry &entry : entries) {
            const std::optional<float> value = entry.values[q];
            if (!value)
                continue;
            row.minimum = std::min(row.minimum.value_or(*value), *value);
            row.maximum = std::max(row.maximum.value_or(*value), *value);
            if (!first)
                first = value;
            latest = value;
            ++readings;
        }
        // One reading shows no change; an unknown change is not a zero.
        if (TrendQuantity(q) == TrendQuantity::Pressure && readings >= 2)
            row.change = *latest - *first;
        rows.append(row);
    }
    return rows;
}

} // namespace anemora
